// Harness of the effect panel tests: a main window with the Input and
// Effects pages, the input panel, stand-ins for the duration presets and the
// PiP switch buttons of the signal panels, the effect chooser menu, the
// effect key memory and name table, a drawn picture strip, and the three
// effect panels built by TEffectsPanels on a real device link made
// connected without a device, with a router that records every command sent.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <memory>
#include <ostream>

#include "../support/operator_actions.h"
#include "app/report_router.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effect_chooser.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effect_memory.h"
#include "panel/keying/effect_names.h"
#include "panel/keying/effect_tables.h"
#include "panel/keying/effects_host.h"
#include "panel/keying/effects_page.h"
#include "panel/keying/effects_panels.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace effects_test {

using namespace zelvan::keying;
namespace Reg = zelvan::Reg;

class FakeHost : public TEffectsHost {
 public:
  FakeHost() {
    tabs = new QTabWidget(&mainWindow);
    mainWindow.setCentralWidget(tabs);
    inputPage = new QWidget;
    inputPage->setObjectName(QStringLiteral("Input"));
    tabs->addTab(inputPage, QStringLiteral("Input"));
    page = new QWidget;
    page->setObjectName(QStringLiteral("Effects"));
    tabs->addTab(page, QStringLiteral("Effects"));
    ichmp = new QWidget(&mainWindow);
    ichmp->setObjectName(QStringLiteral("Panel_ichmp"));
    for (int i = 0; i < 3; ++i) {
      presets[size_t(i)] = new QPushButton(QStringLiteral("%1s").arg(2 * i + 1), page);
      presets[size_t(i)]->setObjectName(QStringLiteral("Button_%1s").arg(2 * i + 1));
    }
    for (int o = 0; o < 2; ++o) {
      auto* b = new QToolButton(&mainWindow);
      b->setObjectName(o == 0 ? QStringLiteral("SpeedButton_pippop_main") : QStringLiteral("SpeedButton_pippop_preview"));
      b->setCheckable(true);
      b->setEnabled(false);
      pip[size_t(o)] = b;
    }
    chooser.build(&mainWindow);
    names.fillMain(&mainWindow);
    strip = TAnimationStrip::fromImage(drawAnimationStrip(kStripMinimumFrames));
    QObject::connect(tabs, &QTabWidget::currentChanged, [this](int) { ++pageChanges; });
    mainWindow.resize(760, 420);
  }

  EffectKeyMemory& effectMemory() override { return memory; }
  const TEffectNameTable& effectNames() const override { return names; }
  const TAnimationStrip& animationStrip() const override { return strip; }
  QMenu* effectMenu() const override { return chooser.PopupMenu_effect; }
  QAction* effectMenuTitle() const override { return chooser.menuitem_Effect; }
  QActionGroup* effectMenuGroup() const override { return chooser.EffectGroup; }
  QWidget* effectsPage() const override { return page; }
  void showEffectsPage() override {
    ++pageShows;
    tabs->setCurrentWidget(page);
  }
  bool effectsPageActive() const override { return tabs->currentWidget() == page; }
  QWidget* inputPanel() const override { return ichmp; }
  QAbstractButton* durationPreset(int i) const override { return i >= 0 && i < 3 ? presets[size_t(i)] : nullptr; }
  QAbstractButton* pipSwitch(int output) const override {
    return output == 1 || output == 2 ? pip[size_t(output - 1)] : nullptr;
  }
  void restartPipSwitchTimer() override { ++pipTimerRestarts; }
  QAbstractButton* softEdgeKey(int) const override { return nullptr; }
  QAbstractButton* softEdgeChooser(int) const override { return nullptr; }
  void softEdgeKeyClick(int n) override { softEdgeClicks.push_back(n); }

  // Chooser item of a kind (the first with that data, wipes before slides).
  QAction* item(const char* name) const { return mainWindow.findChild<QAction*>(QLatin1String(name)); }

  QMainWindow mainWindow;
  QTabWidget* tabs = nullptr;
  QWidget* inputPage = nullptr;
  QWidget* page = nullptr;
  QWidget* ichmp = nullptr;
  std::array<QPushButton*, 3> presets{};
  std::array<QToolButton*, 2> pip{};
  TEffectChooser chooser;
  EffectKeyMemory memory;
  TEffectNameTable names;
  TAnimationStrip strip;
  int pageShows = 0;
  int pageChanges = 0;
  int pipTimerRestarts = 0;
  std::vector<int> softEdgeClicks;
};

// A connected link without a device, its router, the host and the panels.
class EffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.SetRanges(zelvan::acceptedRanges());
    link.setSupervisorTimeScale(1000000);
    link.setForceConn(true);
    link.SupervisorTick();
    router.add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: sent"),
               [this] { sent << link.sentString(); });
    host = std::make_unique<FakeHost>();
    panels = std::make_unique<TEffectsPanels>(link, *host);
    panels->build();
    panels->addRoutes(router);
    router.install(link);
    sent.clear();
  }
  void TearDown() override {
    router.uninstall(link);
    panels.reset();
  }

  // Feeds reply lines as if the device sent them.
  void feed(std::initializer_list<const char*> lines) { test_support::feedLines(link, lines); }

  template <class T>
  T* find(const QString& name) {
    T* w = host->mainWindow.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
  }
  template <class T>
  T* find(const char* name) {
    return find<T>(QString::fromLatin1(name));
  }

  TEffectKeys& keys() { return *panels->keys(); }
  TEffectsPage& page() { return *panels->page(); }
  TEffectAnimation& animation() { return *panels->animation(); }
  EffectKeyMemory& memory() { return host->memory; }

  TZelvan_d link;
  zelvan::app::TReportRouter router;
  std::unique_ptr<FakeHost> host;
  std::unique_ptr<TEffectsPanels> panels;
  QStringList sent;
};

}  // namespace effects_test
