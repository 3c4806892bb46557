#include "panel/keying/keying_panels.h"

#include <QFrame>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

#include "app/feature.h"
#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/keying/framing_window.h"
#include "panel/keying/logo_memories.h"
#include "panel/keying/logo_placement.h"

namespace zelvan::keying {

namespace {

// The logo page's whole content (moved as one panel in Matrix mode), its
// mode bar at the top and the area of the placement groups below.
struct PageParts {
  QFrame* panel = nullptr;
  QFrame* bar = nullptr;
  QFrame* area = nullptr;
};

PageParts buildPage(QWidget* page, int output) {
  const QString suffix = output == 1 ? QStringLiteral("M") : QStringLiteral("P");
  PageParts parts;
  parts.panel = new QFrame(page);
  parts.panel->setObjectName(QStringLiteral("Panel_LOGO_") + suffix);
  parts.panel->setGeometry(0, 0, 740, 300);
  parts.bar = new QFrame(parts.panel);
  parts.bar->setObjectName(output == 1 ? QStringLiteral("Panel2") : QStringLiteral("Panel2_P"));
  parts.bar->setGeometry(0, 0, 740, 60);
  parts.area = new QFrame(parts.panel);
  parts.area->setObjectName(QStringLiteral("Panel_logo_placement_") + suffix);
  parts.area->setGeometry(0, 60, 740, 240);
  // Covers the page while the output shows no input (Black): nothing of
  // the page applies then.
  auto* notice = new QPushButton(QStringLiteral("No input on this output: select an input first"), page);
  notice->setObjectName(output == 1 ? QStringLiteral("BitBtn_Notwhenback_main") : QStringLiteral("BitBtn_Notwhenback_preview"));
  notice->setGeometry(0, 0, 740, 300);
  notice->setFlat(true);
  notice->hide();
  return parts;
}

}  // namespace

TKeyingPanels::TKeyingPanels(TZelvan_d& link, TKeyingHost& host, QObject* parent) : QObject(parent) {
  ctx_.link = &link;
  ctx_.host = &host;
  for (int o = 1; o <= 2; ++o) {
    ctx_.memories[size_t(o - 1)] = new TLogoMemories(ctx_, o, this);
    ctx_.placement[size_t(o - 1)] = new TLogoPlacement(ctx_, o, this);
  }
  ctx_.memoryShared = new TLogoMemoryShared(ctx_, this);
  ctx_.common = new TLogoCommonControls(ctx_, this);
  ctx_.rerunModeHandler = [this](int output) {
    memories(output).modeTabs();
    placement(output).Zelvan_d1LMODEMchange();
  };
  ctx_.setCombosEnabled = [this](int output, bool enable) {
    if (enable) memories(output).Combologo_enabled();
    else memories(output).Combologo_disabled();
  };
}

TKeyingPanels::~TKeyingPanels() = default;

void TKeyingPanels::build() {
  std::array<QWidget*, 2> areas{};
  for (int o = 1; o <= 2; ++o) {
    QWidget* page = ctx_.host->logoPage(o);
    if (!page) continue;
    const PageParts parts = buildPage(page, o);
    memories(o).build(page, parts.bar);
    placement(o).build(page, parts.area);
    areas[size_t(o - 1)] = parts.area;
  }
  ctx_.memoryShared->build();
  ctx_.common->build(areas[0], areas[1]);
  for (int o = 1; o <= 2; ++o)
    for (Framing f : {Framing::Capture, Framing::Logo1, Framing::Logo2})
      if (TLogoFramingWindow* w = ctx_.host->framingWindow(o, f)) w->setCentreOver(ctx_.host->window(1));
}

void TKeyingPanels::addRoutes(zelvan::app::TReportRouter& router) {
  // The memories' routines come first: on an LMODE report the tab part
  // runs before the page layout of the placement.
  memories(1).addRoutes(router);
  memories(2).addRoutes(router);
  ctx_.memoryShared->addRoutes(router);
  placement(1).addRoutes(router);
  placement(2).addRoutes(router);
  ctx_.common->addRoutes(router);
}

void TKeyingPanels::addTickSteps(zelvan::app::TTickSchedule& tick) {
  using zelvan::app::TickStep;
  tick.add(TickStep::StoreProgress, QStringLiteral("keying: store seconds"), [this] {
    for (int o = 1; o <= 2; ++o)
      if (ctx_.link->registerValue(regs(o).LSTORE) != 0) memories(o).storeTick();
  });
  tick.add(TickStep::LogoStatus, QStringLiteral("keying: logo status"), [this] {
    memories(1).clignotantLSTATUS();
    memories(2).clignotantLSTATUS();
  });
  tick.add(TickStep::TransparencySlider, QStringLiteral("keying: transparency sliders"), [this] {
    placement(1).transparencyTick();
    placement(2).transparencyTick();
  });
}

void TKeyingPanels::startUp() {
  placement(1).startUp();
  placement(2).startUp();
  ctx_.memoryShared->rewriteMemoryTexts();
  refreshComboEnabling();
}

void TKeyingPanels::labelsChanged() { ctx_.memoryShared->rewriteMemoryTexts(); }

void TKeyingPanels::refreshComboEnabling() {
  // Disabled first: the enabling rule only ever enables.
  for (int o = 1; o <= 2; ++o) {
    memories(o).Combologo_disabled();
    memories(o).Combologo_enabled();
  }
}

void TKeyingPanels::logoTabsReset() {
  for (int o = 1; o <= 2; ++o) {
    if (QTabBar* tabs = memories(o).tabControl()) {
      const QSignalBlocker quiet(tabs);
      tabs->setCurrentIndex(0);
    }
    memories(o).TabControl_logo_MChange(0);
  }
}

void TKeyingPanels::refreshLogoIndicators(int output) { placement(output).cacheropenclose_cadrelogo(); }

void TKeyingPanels::setLogoTabAvailable(int output, bool available) {
  QWidget* page = ctx_.host->logoPage(output);
  if (!page) return;
  // The page's controls are out of use (the page stays reachable) and the
  // notice over them says why.
  const QString suffix = output == 1 ? QStringLiteral("M") : QStringLiteral("P");
  if (auto* panel = page->findChild<QWidget*>(QStringLiteral("Panel_LOGO_") + suffix)) panel->setEnabled(available);
  const QString name = output == 1 ? QStringLiteral("BitBtn_Notwhenback_main") : QStringLiteral("BitBtn_Notwhenback_preview");
  if (auto* notice = page->findChild<QWidget*>(name)) {
    notice->setVisible(!available);
    if (!available) notice->raise();
  }
}

void TKeyingPanels::refreshLogoFormatRows(int output) { placement(output).refreshFormatRows(); }
void TKeyingPanels::refreshLogoFraming(int output) { placement(output).refreshFraming(); }

}  // namespace zelvan::keying
