#include "app/effects_feature.h"

#include <QAbstractButton>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTabWidget>

#include "app/main_menus.h"
#include "app/signal_feature.h"
#include "app/tzelvan_main.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effects_panels.h"
#include "panel/signal/input_row.h"
#include "panel/signal/signal_context.h"
#include "panel/signal/signal_panels.h"
#include "panel/signal/transition_panel.h"

namespace zelvan::app {

void TEffectsFeature::build(TZelvan_main& shell) {
  shell_ = &shell;
  panels_ = new zelvan::keying::TEffectsPanels(*shell.link(), *this, &shell);
  panels_->setObjectName(QStringLiteral("EffectsPanels"));
  panels_->build();
  // The duration presets store into the selected effect key.
  if (zelvan::signal::TSignalPanels* signal = signalPanels()) signal->context().peers.effects = panels_;
}

void TEffectsFeature::addRoutes(TReportRouter& router) { panels_->addRoutes(router); }
void TEffectsFeature::addTickSteps(TTickSchedule& tick) { panels_->addTickSteps(tick); }
void TEffectsFeature::effectMemoriesTakenOver() { panels_->memoriesTakenOver(); }
void TEffectsFeature::pageChanged(QWidget* activePage) { panels_->pageChanged(activePage); }

zelvan::signal::TSignalPanels* TEffectsFeature::signalPanels() const {
  auto* signal = shell_ ? shell_->feature<TSignalFeature>() : nullptr;
  return signal ? signal->panels() : nullptr;
}

QAbstractButton* TEffectsFeature::frameButton(int k) const {
  return panels_ && panels_->animation() ? panels_->animation()->RadioButton_Frame(k) : nullptr;
}

// ---- TEffectsHost ----

zelvan::keying::EffectKeyMemory& TEffectsFeature::effectMemory() { return shell_->state().EffectMemory; }
const zelvan::keying::TEffectNameTable& TEffectsFeature::effectNames() const { return shell_->state().EffectNameTable; }
const zelvan::keying::TAnimationStrip& TEffectsFeature::animationStrip() const {
  return shell_->state().ImageList_animation_effects;
}
QMenu* TEffectsFeature::effectMenu() const { return shell_->menus()->Effects.PopupMenu_effect; }
QAction* TEffectsFeature::effectMenuTitle() const { return shell_->menus()->Effects.menuitem_Effect; }
QActionGroup* TEffectsFeature::effectMenuGroup() const { return shell_->menus()->Effects.EffectGroup; }
QWidget* TEffectsFeature::effectsPage() const { return shell_->page(QStringLiteral("Effects")); }

void TEffectsFeature::showEffectsPage() {
  QTabWidget* tabs = shell_->PageControl1();
  QWidget* page = effectsPage();
  if (!tabs || !page) return;
  if (tabs->currentWidget() == page)
    shell_->PageControl1Change();  // already there: the page-change action runs all the same
  else
    tabs->setCurrentWidget(page);  // the page control's change runs it
}

bool TEffectsFeature::effectsPageActive() const {
  QTabWidget* tabs = shell_->PageControl1();
  return tabs && tabs->currentWidget() == effectsPage();
}

QWidget* TEffectsFeature::inputPanel() const { return shell_->Panel_ichmp(); }

QAbstractButton* TEffectsFeature::durationPreset(int i) const {
  zelvan::signal::TSignalPanels* signal = signalPanels();
  return signal && signal->context().transition ? signal->context().transition->durationPresetButton(i) : nullptr;
}

QAbstractButton* TEffectsFeature::pipSwitch(int output) const {
  zelvan::signal::TSignalPanels* signal = signalPanels();
  if (!signal || !signal->inputRow()) return nullptr;
  if (output == 1) return signal->inputRow()->SpeedButton_pippop_main();
  if (output == 2) return signal->inputRow()->SpeedButton_pippop_preview();
  return nullptr;
}

void TEffectsFeature::restartPipSwitchTimer() {
  if (zelvan::signal::TSignalPanels* signal = signalPanels())
    if (signal->inputRow()) signal->inputRow()->restartPipSwitchTimer();
}

// The soft-edge window does not carry its effect keys yet.
QAbstractButton* TEffectsFeature::softEdgeKey(int) const { return nullptr; }
QAbstractButton* TEffectsFeature::softEdgeChooser(int) const { return nullptr; }
void TEffectsFeature::softEdgeKeyClick(int) {}

}  // namespace zelvan::app
