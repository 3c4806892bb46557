// What the signal-path panels ask of the main window: the model table, the
// operator's memory names, the memory lists of the input strip and a few
// of the main window's own controls.
#include <QLabel>
#include <QTimer>

#include "app/model_table.h"
#include "app/tzelvan_main.h"
#include "widgets/tsmallcombo.h"

using namespace zelvan::app;

namespace {
// The memory list `kind` (0 frame, 1 first logo, 2 second logo) of input 1..8.
TSmallCombo* memoryList(const TZelvan_main& m, int kind, int input) {
  if (input < 1 || input > 8) return nullptr;
  const auto i = size_t(input - 1);
  switch (kind) {
    case 0:
      return m.FRAME_Combologo[i];
    case 1:
      return m.LINDEX1_Combologo[i];
    case 2:
      return m.LINDEX2_Combologo[i];
    default:
      return nullptr;
  }
}
}  // namespace

int TZelvan_main::modelIndex(uint32_t dev) const { return modelIndexOf(dev); }

QString TZelvan_main::memoryLabel(int memoryIndex) const {
  if (memoryIndex < 0 || memoryIndex >= kMemoryLabelCount) return {};
  return MemoryLabels[size_t(memoryIndex)];
}

QString TZelvan_main::memoryListText(int kind, int input) const {
  const TSmallCombo* c = memoryList(*this, kind, input);
  return c ? c->Text() : QString();
}

void TZelvan_main::setMemoryListHint(int kind, int input, const QString& hint) {
  if (TSmallCombo* c = memoryList(*this, kind, input)) c->setToolTip(hint);
}

void TZelvan_main::refreshInputLabels() {
  if (hooks.refreshInputLabels) hooks.refreshInputLabels();
}

void TZelvan_main::restartNoSignalCountdown() { NoSignalCountdown = 6; }

void TZelvan_main::setStoringLabelVisible(bool visible) { Label_Wait_storing_setting->setVisible(visible); }

void TZelvan_main::enableTick() {
  if (!Timer1->isActive()) Timer1->start();
}
