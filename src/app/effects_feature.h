// The effects as a feature of the main window: the effect keys, the Effects
// page controls and the animation and Double PiP panels (TEffectsPanels)
// built into the Effects page, with their report routines at the router's
// Effects position and the tick's fallback step for the panel slides. It
// answers what the panels ask of the shell, and it is the transition
// panel's effects peer (the duration presets).
#pragma once

#include "app/feature.h"
#include "panel/keying/effects_host.h"

namespace zelvan::keying {
class TEffectsPanels;
}
namespace zelvan::signal {
class TSignalPanels;
}

namespace zelvan::app {

class TEffectsFeature : public TFeature, public zelvan::keying::TEffectsHost {
 public:
  QString featureName() const override { return QStringLiteral("effects"); }
  void build(TZelvan_main& shell) override;
  void addRoutes(TReportRouter& router) override;
  void addTickSteps(TTickSchedule& tick) override;
  void effectMemoriesTakenOver() override;
  void pageChanged(QWidget* activePage) override;

  zelvan::keying::TEffectsPanels* panels() const { return panels_; }
  // The Double PiP background button of frame k (RadioButton_Frame1..6), nullptr otherwise.
  QAbstractButton* frameButton(int k) const;

  // ---- TEffectsHost ----
  zelvan::keying::EffectKeyMemory& effectMemory() override;
  const zelvan::keying::TEffectNameTable& effectNames() const override;
  const zelvan::keying::TAnimationStrip& animationStrip() const override;
  QMenu* effectMenu() const override;
  QAction* effectMenuTitle() const override;
  QActionGroup* effectMenuGroup() const override;
  QWidget* effectsPage() const override;
  void showEffectsPage() override;
  bool effectsPageActive() const override;
  QWidget* inputPanel() const override;
  QAbstractButton* durationPreset(int i) const override;
  QAbstractButton* pipSwitch(int output) const override;
  void restartPipSwitchTimer() override;
  QAbstractButton* softEdgeKey(int n) const override;
  QAbstractButton* softEdgeChooser(int n) const override;
  void softEdgeKeyClick(int n) override;

 private:
  zelvan::signal::TSignalPanels* signalPanels() const;
  TZelvan_main* shell_ = nullptr;
  zelvan::keying::TEffectsPanels* panels_ = nullptr;
};

}  // namespace zelvan::app
