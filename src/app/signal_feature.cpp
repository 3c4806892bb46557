#include "app/signal_feature.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>

#include "app/main_menus.h"
#include "app/main_tick.h"
#include "app/memory_lists.h"
#include "app/model_table.h"
#include "app/report_router.h"
#include "app/tzelvan_main.h"
#include "panel/signal/audio_panel.h"
#include "panel/signal/image_panel.h"
#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/transition_panel.h"
#include "panel/signal/signal_panels.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::app {

using zelvan::signal::TSignalPanels;

void addSignalRoutes(TReportRouter& router, TSignalPanels& panels) {
  // The panels may go before the link: a routine of panels that are gone
  // does nothing.
  QPointer<TSignalPanels> p(&panels);
  for (int reg : panels.handledRegisters()) {
    const int event = TSignalPanels::usesOwnPedgcEvent(reg) ? eventId(LinkEvent::PEDGC_Zelvan_change) : reg;
    router.add(event, RoutePos::Signal, panels.routineName(reg), [p, reg] {
      if (p) p->report(reg);
    });
  }
}

void TSignalFeature::build(TZelvan_main& shell) {
  shell_ = &shell;
  zelvan::signal::TSignalPages pages;
  pages.Panel_ichmp = shell.Panel_ichmp();
  pages.controlArea = shell.Panel_controls();
  pages.Input = shell.page(QStringLiteral("Input"));
  pages.Output = shell.page(QStringLiteral("Output"));
  pages.Image_Main = shell.page(QStringLiteral("Image_Main"));
  pages.Image_Preview = shell.page(QStringLiteral("Image_Preview"));
  pages.TabSheet_audio = shell.page(QStringLiteral("TabSheet_audio"));
  pages.TabSheet_transition = shell.page(QStringLiteral("TabSheet_transition"));
  pages.Effects = shell.page(QStringLiteral("Effects"));
  pages.StringGrid1 = shell.StringGrid1();
  pages.controlsMenu = shell.menus()->Controls1;
  pages.menuBar = shell.menuBar();
  pages.Conversion1 = shell.conversion();
  panels_ = new TSignalPanels(*shell.link(), *this, pages, &shell);
  panels_->setObjectName(QStringLiteral("SignalPanels"));
  shell.menus()->adoptSignalMenus(&shell);
}

void TSignalFeature::addRoutes(TReportRouter& router) { addSignalRoutes(router, *panels_); }

void TSignalFeature::addTickSteps(TTickSchedule& tick) {
  TSignalPanels* p = panels_;
  tick.add(TickStep::Freeze, QStringLiteral("signal: freeze buttons"), [p] { p->tickFreeze(); });
  tick.add(TickStep::Inputs, QStringLiteral("signal: input buttons"), [p] { p->tickInputs(); });
  tick.add(TickStep::Take, QStringLiteral("signal: TAKE"), [p] { p->tickTake(); });
  tick.add(TickStep::PipSwitches, QStringLiteral("signal: PIP switches"), [p] { p->tickPipSwitches(); });
}

void TSignalFeature::startUp() {
  // The input buttons' hints, then the PIP switch timer (its tick disables
  // itself and releases both switch buttons).
  panels_->inputRow()->hinthinthint_ichm();
  QTimer* pip = panels_->inputRow()->pipSwitchTimer();
  pip->setInterval(5000);
  pip->stop();
}

void TSignalFeature::shuttingDown() { panels_->inputRow()->pipSwitchTimer()->stop(); }

QWidget* TSignalFeature::transitionFrameButton(int k) const {
  // Transition kinds: Fade Frame 3 to Fade Frame 6 are codes 4 to 7.
  return k >= 3 && k <= 6 ? panels_->transition()->transitionRadio(k + 1) : nullptr;
}

QList<QAction*> TSignalFeature::secondSdiItems() const {
  QList<QAction*> out;
  for (QAction* a : panels_->inputTable()->PopupMenu_SIGNAL_TYPE()->actions())
    if (a->objectName() == QLatin1String("SDTV_SDI_2") || a->objectName() == QLatin1String("HDTV_SDI_2")) out.append(a);
  return out;
}

void TSignalFeature::showAudioLabels() {
  for (int n = 1; n <= kAudioCount; ++n)
    if (QLabel* l = panels_->audio()->Label_Audio(n)) l->setText(shell_->state().AudioLabels[size_t(n - 1)]);
}

void TSignalFeature::resetNotAvailablePanel() {
  if (QWidget* w = panels_->image(1)->Panel_notavailble()) w->move(0, w->y());
}

int TSignalFeature::modelIndex(uint32_t dev) const { return modelIndexOf(dev); }

QString TSignalFeature::memoryLabel(int memoryIndex) const { return shell_->state().memoryLabel(memoryIndex); }
bool TSignalFeature::memoryEmpty(int memoryIndex) const { return shell_->state().memoryEmpty(memoryIndex); }

QString TSignalFeature::memoryListText(int kind, int input) const { return shell_->memoryLists().listText(kind, input); }

void TSignalFeature::setMemoryListHint(int kind, int input, const QString& hint) {
  shell_->memoryLists().setListHint(kind, input, hint);
}

void TSignalFeature::popupRenameMenu(int, const QPoint&) {
  // The rename pop-up PopupMenu_Rename comes with the label customisation,
  // which this build does not have yet: a right click on an input opens nothing.
}

void TSignalFeature::refreshInputLabels() { shell_->labelsChanged(); }
void TSignalFeature::restartNoSignalCountdown() { shell_->tick().NoSignalCountdown = 6; }
void TSignalFeature::reapplyModelLayout() { shell_->reapplyModelLayout(); }
void TSignalFeature::setStoringLabelVisible(bool visible) { shell_->Label_Wait_storing_setting()->setVisible(visible); }
void TSignalFeature::enableTick() { shell_->enableTick(); }

}  // namespace zelvan::app
