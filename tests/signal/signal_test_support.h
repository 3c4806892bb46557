// Harness of the signal panel tests: a plain main window with a tab widget
// holding the pages, a host that records what the panels ask of it (and
// plays the Matrix window's buttons), and a real device link with the
// accepted ranges installed, made connected without a device.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTabWidget>
#include <QTableWidget>
#include <array>
#include <ostream>
#include <map>
#include <memory>

#include "../support/operator_actions.h"
#include "app/report_router.h"
#include "app/signal_feature.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_panels.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace signal_test {

using zelvan::signal::TSignalPanels;

class FakeHost : public TSignalHost,
                 public zelvan::signal::TMatrixControls,
                 public zelvan::signal::TKeyingPeer,
                 public zelvan::signal::TSettingsPeer,
                 public zelvan::signal::TEffectsPeer,
                 public zelvan::signal::TSoftEdgePeer {
 public:
  FakeHost() {
    for (int row = 1; row <= 2; ++row)
      for (int n = 0; n <= 8; ++n) {
        auto* b = new QPushButton(QStringLiteral("M%1_%2").arg(row).arg(n), &matrix);
        b->setCheckable(true);
        matrixButtons[static_cast<size_t>(row - 1)][static_cast<size_t>(n)] = b;
      }
    take = new QPushButton(QStringLiteral("Take"), &matrix);
    freeze1 = new QPushButton(QStringLiteral("Freeze"), &matrix);
    freeze2 = new QPushButton(QStringLiteral("Freeze"), &matrix);
    for (int n = 1; n <= 8; ++n) display2[static_cast<size_t>(n - 1)] = new QPushButton(QStringLiteral("ON"), &matrix);
  }

  QString memoryLabel(int i) const override {
    const auto it = labels.find(i);
    static const std::array<const char*, 15> kDefaults = {"None",   "Frame 1", "Frame 2", "Logo 1", "Logo 2",
                                                          "Logo 3", "Logo 4",  "Logo 5",  "Logo 6", "Logo 7",
                                                          "Logo 8", "Frame 3", "Frame 4", "Frame 5", "Frame 6"};
    if (it != labels.end()) return it->second;
    return i >= 0 && i < 15 ? QString::fromLatin1(kDefaults[static_cast<size_t>(i)]) : QString();
  }
  bool memoryEmpty(int i) const override { return i >= 0 && i < 15 && empty[static_cast<size_t>(i)]; }
  int modelIndex(uint32_t dev) const override { return zelvan::signal::modelIndexOfDev(dev); }
  QAbstractButton* inputButton(int row, int input) const override {
    if (!withMatrix || row < 1 || row > 2 || input < 0 || input > 8) return nullptr;
    return matrixButtons[static_cast<size_t>(row - 1)][static_cast<size_t>(input)];
  }
  QAbstractButton* displayButton(int input) const override {
    return withMatrix && input >= 1 && input <= 8 ? display2[static_cast<size_t>(input - 1)] : nullptr;
  }
  QAbstractButton* takeButton() const override { return withMatrix ? take : nullptr; }
  QAbstractButton* freezeButton(int output) const override {
    return withMatrix ? (output == 1 ? freeze1 : freeze2) : nullptr;
  }
  QTableWidget* statusGrid() const override { return nullptr; }
  void hintsChanged() override { ++matrixHints; }
  QString memoryListText(int kind, int input) const override {
    return QStringLiteral("%1").arg(kind == 0 ? QStringLiteral("None") : QStringLiteral("Logo %1").arg(input));
  }
  void setMemoryListHint(int kind, int input, const QString& hint) override { listHints[{kind, input}] = hint; }
  void popupRenameMenu(int input, const QPoint&) override { renamed.push_back(input); }
  void refreshInputLabels() override { ++inputLabels; }
  void refreshLogoIndicators(int output) override { logoIndicators.push_back(output); }
  void setLogoTabAvailable(int output, bool available) override { logoTab[static_cast<size_t>(output - 1)] = available; }
  void setSettingsNotAvailable(int output, bool covered) override { settingsCover[static_cast<size_t>(output - 1)] = covered; }
  void refreshLogoFormatRows(int output) override { logoFormatRows.push_back(output); }
  void restartNoSignalCountdown() override { ++countdowns; }
  void reapplyModelLayout() override { ++modelLayouts; }
  void setCoveringPatternPressed(bool pressed) override { covering = pressed; }
  void refreshLogoFraming(int output) override { framing.push_back(output); }
  void setStoringLabelVisible(bool visible) override { storing = visible; }
  void enableTick() override { ++tickEnabled; }
  void fadeColourChanged(int output, const QColor& c) override { fade[static_cast<size_t>(output - 1)] = c; }
  void output2TransitionReported(uint32_t code) override { output2Kind = static_cast<int>(code); }
  void storeEffectDuration(int tenths) override { durations.push_back(tenths); }

  // The peers the panels see: this host plays every one of them.
  zelvan::signal::TSignalPeers peers() { return {this, this, this, this, this}; }

  bool withMatrix = true;
  QWidget matrix;
  std::array<std::array<QPushButton*, 9>, 2> matrixButtons{};
  std::array<QPushButton*, 8> display2{};
  QPushButton* take = nullptr;
  QPushButton* freeze1 = nullptr;
  QPushButton* freeze2 = nullptr;
  std::map<int, QString> labels;
  std::array<bool, 15> empty{};
  int matrixHints = 0;
  std::map<std::pair<int, int>, QString> listHints;
  std::vector<int> renamed;
  int inputLabels = 0;
  std::vector<int> logoIndicators;
  std::array<bool, 2> logoTab{{true, true}};
  std::array<bool, 2> settingsCover{};
  std::vector<int> logoFormatRows;
  int countdowns = 0;
  int modelLayouts = 0;
  bool covering = false;
  std::vector<int> framing;
  bool storing = false;
  int tickEnabled = 0;
  std::array<QColor, 2> fade{};
  int output2Kind = -1;
  std::vector<int> durations;
};

class SignalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.SetRanges(zelvan::acceptedRanges());
    // The supervisor stays quiet during a test: its next step lies far away.
    link.setSupervisorTimeScale(1000000);
    link.setForceConn(true);
    link.SupervisorTick();
    // Every command sent, through the router like any other link event.
    router.add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: sent"),
               [this] { sent << link.sentString(); });

    auto* central = new QWidget(&window);
    auto* lay = new QHBoxLayout(central);
    ichmp = new QWidget(central);
    ichmp->setObjectName(QStringLiteral("Panel_ichmp"));
    ichmp->setMinimumSize(860, 120);
    control = new QWidget(central);
    control->setObjectName(QStringLiteral("Panel_controls"));
    tabs = new QTabWidget(central);
    lay->addWidget(ichmp);
    lay->addWidget(control);
    lay->addWidget(tabs);
    window.setCentralWidget(central);
    grid1 = new QTableWidget(16, 3, central);
    grid1->setObjectName(QStringLiteral("StringGrid1"));
    lay->addWidget(grid1);
    controls = window.menuBar()->addMenu(QStringLiteral("Controls"));

    zelvan::signal::TSignalPages pages;
    pages.Panel_ichmp = ichmp;
    pages.controlArea = control;
    const char* names[] = {"Input", "Output", "Image_Main", "Image_Preview", "TabSheet_audio", "TabSheet_transition", "Effects"};
    QWidget** targets[] = {&pages.Input, &pages.Output, &pages.Image_Main, &pages.Image_Preview, &pages.TabSheet_audio,
                         &pages.TabSheet_transition, &pages.Effects};
    for (size_t i = 0; i < 7; ++i) {
      auto* p = new QWidget();
      p->setObjectName(QString::fromLatin1(names[i]));
      tabs->addTab(p, QString::fromLatin1(names[i]));
      *targets[i] = p;
    }
    pages.StringGrid1 = grid1;
    pages.controlsMenu = controls;
    pages.menuBar = window.menuBar();
    pages.peers = host.peers();
    panels = std::make_unique<TSignalPanels>(link, host, pages);
    zelvan::app::addSignalRoutes(router, *panels);
    router.install(link);
    sent.clear();
  }

  void TearDown() override { panels.reset(); }

  // Feeds reply lines as if the device sent them.
  void feed(std::initializer_list<const char*> lines) { test_support::feedLines(link, lines); }

  template <class T>
  T* find(const QString& name) {
    T* w = window.findChild<T*>(name);
    if (!w) w = panels->findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
  }
  template <class T>
  T* find(const char* name) {
    return find<T>(QString::fromLatin1(name));
  }

  // Chooses item i of a compact list as the operator does.
  static void choose(TSmallCombo* combo, int i) { test_support::chooseItem(combo, i); }

  QString cell(int row, int column) const { return zelvan::signal::cell(grid1, row, column); }

  QMainWindow window;
  QWidget* ichmp = nullptr;
  QWidget* control = nullptr;
  QTabWidget* tabs = nullptr;
  QTableWidget* grid1 = nullptr;
  QMenu* controls = nullptr;
  TZelvan_d link;
  zelvan::app::TReportRouter router;
  FakeHost host;
  std::unique_ptr<TSignalPanels> panels;
  QStringList sent;
};

}  // namespace signal_test
