// The table of known device models: what each identity (the DEV register)
// means for the window titles, menus, memories and the expected firmware,
// and the mapping from a memory list position to the device's memory index.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace zelvan::app {

constexpr int kModelCount = 8;     // model index 0 (no model) to 7
constexpr int kMemoryPositions = 15;

// Visibility of a Mode-menu entry in a model row.
enum class MenuShow { Unchanged, Shown, Hidden };

struct ModelRow {
  uint32_t dev;
  const char* model;        // "none" for row 0
  const char* titleCode;    // "ARL", ... ("" for row 0)
  int aboutPicture;         // index into the About window's pictures (-1: none)
  const char* name;         // About window, LAN menu and connecting panel name
  const char* lanCaption;   // caption of the device LAN dialog
  MenuShow modeMenu;
  MenuShow mixerItem;
  MenuShow matrixItem;
  MenuShow embeddedItem;
  bool embeddedEnabled;
  bool aboutLinesAC;        // About window lines A and C shown
  uint32_t expectedFirmware;
};

// Row `index` (0..7).
const ModelRow& modelRow(int index);

// The model index of an identity: its position in 0, 27, 29, 31, 36, 37,
// 38, 39; -1 when the value is not in that list.
int modelIndexOf(uint32_t dev);

// True for the identities of real models (27, 29, 31, 36, 37, 38, 39).
bool isKnownModel(uint32_t dev);

// ComboToMemoryIndex: the device memory index of list position `position`
// (0..14) for model `modelIndex` (0..7); 0 for anything out of range.
int comboToMemoryIndex(int modelIndex, int position);

// A model has frames 3 to 6 when positions 3..6 of its row map to 11..14.
bool modelHasFrames3to6(int modelIndex);
// Frame k (3..6) is unlocked when position k maps to memory index k + 8.
bool modelUnlocksFrame(int modelIndex, int k);

// Title prefixes. The start-up texts, and the per-model ones
// ("ARL Zelvan remote control     (Mixer mode)").
QString defaultMixerPrefix();
QString defaultMatrixPrefix();
QString softEdgePrefix();
QString mixerPrefixFor(int modelIndex);
QString matrixPrefixFor(int modelIndex);

}  // namespace zelvan::app
