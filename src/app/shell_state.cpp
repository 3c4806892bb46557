#include "app/shell_state.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

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

QList<QPixmap> loadAnimationStrip(const QString& path) {
  QList<QPixmap> out;
  if (!QFileInfo::exists(path)) return out;
  // The strip is a row of 64 x 64 pictures; a file claiming a larger picture
  // than 256 of them is not decoded at all.
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > 64 * 256 || size.height() > 1024) return out;
  QImage strip;
  if (!reader.read(&strip) || strip.height() < 64) return out;
  const int frames = qMin(strip.width() / 64, 256);
  for (int i = 0; i < frames; ++i) out.append(QPixmap::fromImage(strip.copy(i * 64, 0, 64, 64)));
  return out;
}

}  // namespace zelvan::app
