#include "app/shell_state.h"


#include "app/model_table.h"
#include "app/settings_files.h"

namespace zelvan::app {

TShellState::TShellState() {
  // The title before any device has answered and before the customization
  // has chosen the port.
  TitlePrefixes = {defaultMixerPrefix(), defaultMatrixPrefix(), softEdgePrefix()};
  for (int i = 0; i < kMemoryLabelCount; ++i) MemoryLabels[size_t(i)] = defaultMemoryLabel(i);
  for (int n = 1; n <= kAudioCount; ++n) AudioLabels[size_t(n - 1)] = defaultAudioName(n);
  OutputLabels = {defaultOutputName(1), defaultOutputName(2)};
  CustomizationFileName = kDefaultCustomizationFile;
  LogoSettingsFileName = logo_settings::kFileName;
}

QString TShellState::memoryLabel(int i) const {
  return i >= 0 && i < kMemoryLabelCount ? MemoryLabels[size_t(i)] : QString();
}

bool TShellState::memoryEmpty(int i) const { return i >= 1 && i < kMemoryLabelCount && MemoryEmpty[size_t(i)]; }

void TShellState::setMemoryEmpty(int i, bool empty) {
  if (i >= 1 && i < kMemoryLabelCount) MemoryEmpty[size_t(i)] = empty;
}

}  // namespace zelvan::app
