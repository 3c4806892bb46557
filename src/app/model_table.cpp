#include "app/model_table.h"

namespace zelvan::app {
namespace {
using M = MenuShow;

// clang-format off
const std::array<ModelRow, kModelCount> kRows = {{
  { 0, "none",   "",      -1, "",       "",                 M::Unchanged, M::Unchanged, M::Unchanged, M::Unchanged, false, false, 0 },
  {27, "Arlen",  "ARL",    5, "Arlen",  "ARLEN LAN Setup",  M::Shown,     M::Shown,     M::Shown,     M::Shown,     false, false, 13 },
  {29, "Borvek", "BRV",    6, "Borvek", "BORVEK LAN Setup", M::Shown,     M::Shown,     M::Shown,     M::Shown,     false, false, 13 },
  {31, "Calio",  "CLO",    7, "Calio",  "CALIO LAN Setup",  M::Hidden,    M::Hidden,    M::Shown,     M::Hidden,    false, false, 13 },
  {36, "Dumara", "DMR",    8, "Dumara", "Dumara LAN Setup", M::Shown,     M::Shown,     M::Shown,     M::Shown,     true,  true,  27 },
  {37, "Arlen",  "ARL",    9, "Arlen",  "Arlen LAN Setup",  M::Shown,     M::Shown,     M::Shown,     M::Shown,     false, true,  27 },
  {38, "Borvek", "BRV",   10, "Borvek", "Borvek LAN Setup", M::Shown,     M::Shown,     M::Shown,     M::Shown,     false, true,  27 },
  {39, "Calio",  "CLOr1", 11, "Calio",  "Calio LAN Setup",  M::Shown,     M::Hidden,    M::Shown,     M::Hidden,    false, true,  27 },
}};

constexpr std::array<int, kMemoryPositions> kWithFrames = {0, 1, 2, 11, 12, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::array<int, kMemoryPositions> kWithoutFrames = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0};
// clang-format on

const std::array<int, kMemoryPositions>& comboRow(int modelIndex) {
  return (modelIndex == 0 || modelIndex == 4) ? kWithFrames : kWithoutFrames;
}

const QString kMixer = QStringLiteral(" Zelvan remote control     (Mixer mode)");
const QString kMatrix = QStringLiteral(" Zelvan remote control     (Matrix mode)");
}  // namespace

const ModelRow& modelRow(int index) {
  if (index < 0 || index >= kModelCount) return kRows[0];
  return kRows[static_cast<size_t>(index)];
}

int modelIndexOf(uint32_t dev) {
  for (int i = 0; i < kModelCount; ++i)
    if (kRows[static_cast<size_t>(i)].dev == dev) return i;
  return -1;
}

bool isKnownModel(uint32_t dev) { return dev != 0 && modelIndexOf(dev) > 0; }

int comboToMemoryIndex(int modelIndex, int position) {
  if (modelIndex < 0 || modelIndex >= kModelCount || position < 0 || position >= kMemoryPositions) return 0;
  return comboRow(modelIndex)[static_cast<size_t>(position)];
}

bool modelUnlocksFrame(int modelIndex, int k) {
  if (k < 3 || k > 6) return false;
  return comboToMemoryIndex(modelIndex, k) == k + 8;
}

bool modelHasFrames3to6(int modelIndex) {
  for (int k = 3; k <= 6; ++k)
    if (!modelUnlocksFrame(modelIndex, k)) return false;
  return true;
}

QString defaultMixerPrefix() { return QStringLiteral("Zelvan remote control     (Mixer mode)"); }
QString defaultMatrixPrefix() { return QStringLiteral("Zelvan remote control     (Matrix mode)"); }
QString softEdgePrefix() { return QStringLiteral("Zelvan remote control     (Embedded Softedge)"); }

QString mixerPrefixFor(int modelIndex) {
  if (modelIndex <= 0 || modelIndex >= kModelCount) return defaultMixerPrefix();
  return QString::fromLatin1(modelRow(modelIndex).titleCode) + kMixer;
}

QString matrixPrefixFor(int modelIndex) {
  if (modelIndex <= 0 || modelIndex >= kModelCount) return defaultMatrixPrefix();
  return QString::fromLatin1(modelRow(modelIndex).titleCode) + kMatrix;
}

}  // namespace zelvan::app
