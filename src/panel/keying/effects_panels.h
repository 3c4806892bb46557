// The effect panels together: the Effects page's own container with the
// effect keys, the parameter controls and the animation and Double PiP
// panels built into it, their report routines at the router's Effects
// position, the tick's fallback step for the panel slides, and the
// duration presets' peer.
//
// Report routines, in the order they run within an event:
//   every current-effect register  TEffectKeys::currentEffectReported (slot 7)
//   EFFDUR EFFPI EFFPJ EFFPS EFFOPT then TEffectsPage's display of the report
//   EFFECT, TAKE                    TEffectAnimation::activation_des_boutons_choix_pip_pop
//   EFFPR                           then TEffectKeys::Zelvan_d1EFFPRchange (matching)
//   EFFON                           TEffectKeys::Zelvan_d1EFFONchange (after the T-bar turn)
//   Ready                           TEffectKeys::Zelvan_d1Ready
#pragma once

#include <QObject>

#include "panel/keying/effects_context.h"
#include "panel/signal/signal_host.h"

class QWidget;

namespace zelvan::app {
class TReportRouter;
class TTickSchedule;
}  // namespace zelvan::app

namespace zelvan::keying {

class TEffectsPanels : public QObject, public zelvan::signal::TEffectsPeer {
  Q_OBJECT

 public:
  TEffectsPanels(TZelvan_d& link, TEffectsHost& host, QObject* parent = nullptr);
  ~TEffectsPanels() override;

  // Builds the container Panel_effects on the Effects page, then the
  // animation, the page controls and the keys in it; the duration presets
  // move into the container.
  void build();
  void addRoutes(zelvan::app::TReportRouter& router);
  void addTickSteps(zelvan::app::TTickSchedule& tick);

  // The memories were read or reset: captions and the selected key.
  void memoriesTakenOver();
  // The main page control changed page.
  void pageChanged(QWidget* activePage);

  TEffectsContext& context() { return ctx_; }
  TEffectKeys* keys() const { return ctx_.keys; }
  TEffectsPage* page() const { return ctx_.page; }
  TEffectAnimation* animation() const { return ctx_.animation; }
  QWidget* container() const { return container_; }

  // ---- TEffectsPeer ----
  void storeEffectDuration(int tenths) override;

 private:
  TEffectsContext ctx_;
  QWidget* container_ = nullptr;
};

}  // namespace zelvan::keying
