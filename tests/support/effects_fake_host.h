// The surroundings of the effect panels for tests and benchmarks: a main
// window with the Input and Effects pages, the input panel, stand-ins for
// the duration presets and the PiP switch buttons of the signal panels, the
// effect chooser menu, the effect key memory and name table, and a drawn
// picture strip.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <vector>

#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_chooser.h"
#include "panel/keying/effect_memory.h"
#include "panel/keying/effect_names.h"
#include "panel/keying/effect_tables.h"
#include "panel/keying/effects_host.h"

namespace effects_test {

using namespace zelvan::keying;

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

}  // namespace effects_test
