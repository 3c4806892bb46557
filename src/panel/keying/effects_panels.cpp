#include "panel/keying/effects_panels.h"

#include <QAbstractButton>
#include <QLayout>
#include <QWidget>

#include "app/feature.h"
#include "app/report_router.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effects_page.h"

namespace zelvan::keying {

namespace {
// The container's size: the page's width and room for the keys row at the
// top and the Double PiP panel below it.
constexpr int kContainerWidth = 737;
constexpr int kContainerHeight = 348;
}  // namespace

TEffectsPanels::TEffectsPanels(TZelvan_d& link, TEffectsHost& host, QObject* parent) : QObject(parent) {
  ctx_.link = &link;
  ctx_.host = &host;
}

TEffectsPanels::~TEffectsPanels() {
  // The panels refer to each other through the context: all go together,
  // keys first (they call the page and the animation).
  delete ctx_.keys;
  delete ctx_.page;
  delete ctx_.animation;
  ctx_.keys = nullptr;
  ctx_.page = nullptr;
  ctx_.animation = nullptr;
}

void TEffectsPanels::build() {
  QWidget* page = ctx_.host->effectsPage();
  container_ = new QWidget(page);
  container_->setObjectName(QStringLiteral("Panel_effects"));
  container_->setFixedSize(kContainerWidth, kContainerHeight);
  if (page) {
    // The page's layout held the duration presets' row; the container takes
    // the whole page and the presets are placed in it by the page controls.
    if (!page->layout()) new QVBoxLayout(page);
    QLayout* layout = page->layout();
    layout->setContentsMargins(0, 0, 0, 0);
    while (QLayoutItem* item = layout->takeAt(0)) {
      if (QWidget* w = item->widget()) w->hide();
      delete item;
    }
    layout->addWidget(container_);
    for (int i = 0; i < 3; ++i)
      if (QAbstractButton* b = ctx_.host->durationPreset(i)) {
        b->setParent(container_);
        b->show();
      }
  }
  ctx_.animation = new TEffectAnimation(ctx_, container_);
  ctx_.page = new TEffectsPage(ctx_, container_);
  ctx_.animation->connectToPage();
  ctx_.keys = new TEffectKeys(ctx_, container_);
}

void TEffectsPanels::addRoutes(zelvan::app::TReportRouter& router) {
  using zelvan::app::LinkEvent;
  using zelvan::app::RoutePos;
  TEffectKeys* keys = ctx_.keys;
  TEffectsPage* page = ctx_.page;
  TEffectAnimation* anim = ctx_.animation;
  const auto pos = RoutePos::Effects;
  for (const EffectRegister& r : keyDownOrder())
    router.add(r.reg, pos, QStringLiteral("TEffectKeys::currentEffectReported"),
               [keys, reg = r.reg] { keys->currentEffectReported(reg); });
  router.add(Reg::EFFDUR, pos, QStringLiteral("TEffectsPage::Zelvan_d1EFFDURchange"), [page] { page->Zelvan_d1EFFDURchange(); });
  router.add(Reg::EFFPI, pos, QStringLiteral("TEffectsPage::Zelvan_d1EFFPIchange"), [page] { page->Zelvan_d1EFFPIchange(); });
  router.add(Reg::EFFPJ, pos, QStringLiteral("TEffectsPage::Zelvan_d1EFFPJchange"), [page] { page->Zelvan_d1EFFPJchange(); });
  router.add(Reg::EFFPS, pos, QStringLiteral("TEffectsPage::Zelvan_d1EFFPSchange"), [page] { page->Zelvan_d1EFFPSchange(); });
  router.add(Reg::EFFOPT, pos, QStringLiteral("TEffectsPage::Zelvan_d1EFFOPTchange"), [page] { page->Zelvan_d1EFFOPTchange(); });
  for (int reg : {int(Reg::EFFECT), int(Reg::TAKE)})
    router.add(reg, pos, QStringLiteral("TEffectAnimation::activation_des_boutons_choix_pip_pop"),
               [anim] { anim->activation_des_boutons_choix_pip_pop(); });
  router.add(Reg::EFFPR, pos, QStringLiteral("TEffectKeys::Zelvan_d1EFFPRchange"), [keys] { keys->Zelvan_d1EFFPRchange(); });
  router.add(Reg::EFFON, pos, QStringLiteral("TEffectKeys::Zelvan_d1EFFONchange"), [keys] { keys->Zelvan_d1EFFONchange(); });
  router.add(LinkEvent::Ready, pos, QStringLiteral("TEffectKeys::Zelvan_d1Ready"), [keys] { keys->Zelvan_d1Ready(); });
}

void TEffectsPanels::addTickSteps(zelvan::app::TTickSchedule& tick) {
  // The slides run on their own timer; the tick only finishes a request
  // that is still open (idempotent).
  TEffectAnimation* anim = ctx_.animation;
  tick.add(zelvan::app::TickStep::EffectAnimation, QStringLiteral("effects: panel slides"), [anim] {
    if (anim->animationRequested()) anim->ObjectAnimation();
  });
}

void TEffectsPanels::memoriesTakenOver() { ctx_.keys->continuer_les_parametrages_des_effets(); }

void TEffectsPanels::pageChanged(QWidget* activePage) {
  const bool active = activePage && activePage == ctx_.host->effectsPage();
  ctx_.animation->setPreviewActive(active);
  if (active) ctx_.page->EffectsShow();
}

void TEffectsPanels::storeEffectDuration(int tenths) { ctx_.page->storeEffectDuration(tenths); }

}  // namespace zelvan::keying
