// The main window's own tables: operator labels, file names, the effect
// memories and the few flags the start-up, the files and the tick share.
#pragma once

#include <QString>
#include <array>

#include "app/customization_file.h"
#include "panel/keying/effect_memory.h"
#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_names.h"

namespace zelvan::app {

using zelvan::keying::TEffectNameTable;

struct TShellState {
  TShellState();

  QString CustomizationFileName;
  QString LogoSettingsFileName;
  std::array<QString, kMemoryLabelCount> MemoryLabels;
  // Whether device memory 1..14 is empty, as the memory reports say.
  std::array<bool, kMemoryLabelCount> MemoryEmpty{};
  // The two tables by device memory index: an index out of range has no
  // label and is not empty; only 1..14 can be set empty.
  QString memoryLabel(int memoryIndex) const;
  bool memoryEmpty(int memoryIndex) const;
  void setMemoryEmpty(int memoryIndex, bool empty);
  std::array<QString, kAudioCount> AudioLabels;  // shown by Label_Audio_1..8
  std::array<QString, 2> OutputLabels;
  std::array<QString, 3> TitlePrefixes;  // Mixer, Matrix, soft-edge window
  bool StoreAborted = false;
  EffectKeyMemory EffectMemory;
  TEffectNameTable EffectNameTable;
  TEffectNameTable SoftEdgeEffectNameTable;
  // Page indices of Input, Output, Image_Main, Image_Preview,
  // new_logos_Main, new_logos_preview and Effects.
  std::array<int, 7> MainPageIndex{};
  // The path last chosen in the Open dialog.
  QString LastOpenedCustomization;
  // The application's own pictures of the effect animation strip.
  zelvan::keying::TAnimationStrip ImageList_animation_effects;
};

}  // namespace zelvan::app
