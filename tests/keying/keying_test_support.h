// Harness of the keying panel tests: a main window with the two logo pages,
// the input strip and status grid, a Matrix window with its strip and grid,
// the 48 memory lists filled as at start-up, stand-ins for the controls of
// other features that name frames, a fake store progress window and logo
// timing file, the six framing windows on a real device link made connected
// without a device, and a router that records every command sent.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <memory>
#include <optional>
#include <ostream>

#include "../support/operator_actions.h"
#include "app/report_router.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/framing_window.h"
#include "panel/keying/keying_context.h"
#include "panel/keying/keying_host.h"
#include "widgets/tsmallcombo.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace keying_test {

using namespace zelvan::keying;

// Default memory names: "None", "Frame 1", "Frame 2", "Logo 1".."Logo 8", "Frame 3".."Frame 6".
inline QString defaultLabel(int i) {
  if (i == 0) return QStringLiteral("None");
  if (i <= 2) return QStringLiteral("Frame %1").arg(i);
  if (i <= 10) return QStringLiteral("Logo %1").arg(i - 2);
  return QStringLiteral("Frame %1").arg(i - 8);
}

class FakeProgress : public TStoreProgress {
 public:
  void setMaximum(int64_t m) override { maximum = m; }
  void setPosition(int64_t p) override { position = p; }
  void showProgress() override {
    showing = true;
    ++shows;
  }
  void closeProgress() override {
    showing = false;
    ++closes;
  }
  bool isShowing() const override { return showing; }
  int64_t maximum = -1;
  int64_t position = -1;
  bool showing = false;
  int shows = 0;
  int closes = 0;
};

class FakeHost : public TKeyingHost {
 public:
  explicit FakeHost(TZelvan_d& link) {
    tabs = new QTabWidget(&mainWindow);
    mainWindow.setCentralWidget(tabs);
    for (int o = 1; o <= 2; ++o) {
      auto* page = new QWidget;
      page->setObjectName(o == 1 ? QStringLiteral("new_logos_Main") : QStringLiteral("new_logos_preview"));
      page->setMinimumSize(740, 300);
      tabs->addTab(page, o == 1 ? QStringLiteral("Logo && Frame main") : QStringLiteral("Logo && Frame preview"));
      pages[size_t(o - 1)] = page;
      QWidget* owner = o == 1 ? static_cast<QWidget*>(&mainWindow) : &matrixWindow;
      strips[size_t(o - 1)] = new QWidget(owner);
      strips[size_t(o - 1)]->setObjectName(o == 1 ? QStringLiteral("new_Panel1") : QStringLiteral("new_Panel2"));
      strips[size_t(o - 1)]->setGeometry(0, 400, 736, 80);
      grids[size_t(o - 1)] = new QTableWidget(16, 3, owner);
      grids[size_t(o - 1)]->setObjectName(o == 1 ? QStringLiteral("StringGrid1") : QStringLiteral("StringGrid2"));
      const char* kinds[] = {"FRAME_Combologo%1", "LINDEX1_Combologo%1", "LINDEX2_Combologo%1"};
      for (int kind = 0; kind < 3; ++kind)
        for (int n = 1; n <= 8; ++n) {
          auto* c = new TSmallCombo(strips[size_t(o - 1)]);
          QString name = QString::fromLatin1(kinds[kind]).arg(n);
          if (o == 2) name.replace(QStringLiteral("Combologo"), QStringLiteral("Combologo_ichp_"));
          c->setObjectName(name);
          c->setProperty("Tag", n);
          c->setGeometry(3 + 83 * (n - 1), 1 + 19 * kind, 76, 20);
          for (int i = 0; i <= 14; ++i) {
            const bool frame = i == 1 || i == 2 || i >= 11;
            if (i == 0 || (kind == 0) == frame) c->AddItem(defaultLabel(i));
          }
          c->SetItemIndex(0);
          combos[size_t(o - 1)][size_t(kind)][size_t(n - 1)] = c;
        }
    }
    mainWindow.resize(900, 600);
    matrixWindow.resize(900, 600);
    for (int k = 1; k <= 6; ++k) {
      for (int o = 1; o <= 2; ++o) {
        auto* rb = new QRadioButton(QStringLiteral("Fade Frame %1 (Frame %1)").arg(k), &others);
        rb->setObjectName(QStringLiteral("RadioButton_TranstionFrame%1_%2").arg(k).arg(o == 1 ? "M" : "P"));
        transitions[size_t(o - 1)][size_t(k - 1)] = rb;
      }
      auto* eff = new QRadioButton(QStringLiteral("Frame %1").arg(k), &others);
      eff->setObjectName(QStringLiteral("RadioButton_Frame%1").arg(k));
      effectFrames[size_t(k - 1)] = eff;
    }
    syncLoss = new QMenu(QStringLiteral("Input Sync-Loss"), &mainWindow);
    auto* group = new QActionGroup(syncLoss);
    for (int tag = 0; tag <= 15; ++tag) {
      QAction* a = syncLoss->addAction(QStringLiteral("item %1").arg(tag));
      a->setCheckable(true);
      a->setData(tag);
      group->addAction(a);
      syncItems[size_t(tag)] = a;
    }
    framing[0][0] = std::make_unique<TCadre_logo_Memo_MAIN>(&link);
    framing[0][1] = std::make_unique<TCadre_logo_1M>(&link);
    framing[0][2] = std::make_unique<TCadre_logo_2M>(&link);
    framing[1][0] = std::make_unique<TCadre_logo_Memo_PREVIEW>(&link);
    framing[1][1] = std::make_unique<TCadre_logo_1P>(&link);
    framing[1][2] = std::make_unique<TCadre_logo_2P>(&link);
  }

  // ---- TKeyingHost ----
  int modelIndex(uint32_t dev) const override {
    static const uint32_t models[] = {0, 27, 29, 31, 36, 37, 38, 39};
    for (int i = 0; i < 8; ++i)
      if (models[i] == dev) return i;
    return -1;
  }
  int memoryAt(int model, int position) const override {
    if (position < 0 || position > 14) return 0;
    if (model == 0 || model == 4) {
      static const int extra[15] = {0, 1, 2, 11, 12, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10};
      return extra[position];
    }
    return position <= 10 ? position : 0;
  }
  bool modelHasExtraFrames(int model) const override { return model == 0 || model == 4; }
  QString memoryLabel(int i) const override { return i >= 0 && i <= 14 ? labels[size_t(i)] : QString(); }
  bool memoryEmpty(int i) const override { return i >= 1 && i <= 14 && empty[size_t(i)]; }
  void setMemoryEmpty(int i, bool e) override {
    if (i >= 1 && i <= 14) empty[size_t(i)] = e;
  }
  TSmallCombo* memoryCombo(int output, int kind, int input) const override {
    if (output < 1 || output > 2 || kind < 0 || kind > 2 || input < 1 || input > 8) return nullptr;
    return combos[size_t(output - 1)][size_t(kind)][size_t(input - 1)];
  }
  QList<QAbstractButton*> transitionFrameButtons(int k) const override {
    if (k < 1 || k > 6) return {};
    return {transitions[0][size_t(k - 1)], transitions[1][size_t(k - 1)]};
  }
  QAbstractButton* effectFrameButton(int k) const override {
    return k >= 1 && k <= 6 ? effectFrames[size_t(k - 1)] : nullptr;
  }
  QAction* syncLossItem(int tag) const override { return tag >= 0 && tag <= 15 ? syncItems[size_t(tag)] : nullptr; }
  void refreshInputHints() override { ++hintRefreshes; }
  void forceModelLayout() override { ++modelLayouts; }
  QWidget* logoPage(int output) const override { return pages[output == 1 ? 0 : 1]; }
  QWidget* inputStrip(int output) const override { return strips[output == 1 ? 0 : 1]; }
  QTableWidget* statusGrid(int output) const override { return grids[output == 1 ? 0 : 1]; }
  QWidget* window(int output) const override {
    return output == 1 ? static_cast<QWidget*>(const_cast<QMainWindow*>(&mainWindow))
                       : const_cast<QWidget*>(&matrixWindow);
  }
  TLogoFramingWindow* framingWindow(int output, Framing which) const override {
    if (output < 1 || output > 2) return nullptr;
    return framing[size_t(output - 1)][size_t(which)].get();
  }
  TStoreProgress* storeProgress() override { return &progress; }
  bool storeAborted() const override { return aborted; }
  void setStoreAborted(bool a) override { aborted = a; }
  bool statusBlink() const override { return blink; }
  // The timing file as the shell keeps it: Tempo (240 when absent) and the doubled flag.
  int64_t storeEstimate(uint32_t pixels, uint32_t lines, bool embeddedRecordFrame) override {
    if (!tempo) {
      tempo = 240;
      doubled = embeddedRecordFrame;
    }
    const int64_t r = *tempo * ((int64_t(pixels) * int64_t(lines) * 3) >> 16) / 100 + 1;
    return r < 0 ? 240 : r;
  }
  int64_t progressMaximum(int64_t estimate, bool embeddedRecordFrame, bool embeddedOn) override {
    if (embeddedRecordFrame && !doubled) return estimate * 4;
    if (doubled && !embeddedOn) return estimate / 4;
    return estimate;
  }
  void saveTempo(int64_t t, bool embeddedRecordFrame) override {
    tempo = t;
    doubled = embeddedRecordFrame;
    saved.push_back(t);
  }

  QMainWindow mainWindow;
  QWidget matrixWindow;
  QWidget others;
  QTabWidget* tabs = nullptr;
  std::array<QWidget*, 2> pages{};
  std::array<QWidget*, 2> strips{};
  std::array<QTableWidget*, 2> grids{};
  std::array<std::array<std::array<TSmallCombo*, 8>, 3>, 2> combos{};
  std::array<std::array<QRadioButton*, 6>, 2> transitions{};
  std::array<QRadioButton*, 6> effectFrames{};
  QMenu* syncLoss = nullptr;
  std::array<QAction*, 16> syncItems{};
  std::array<std::array<std::unique_ptr<TLogoFramingWindow>, 3>, 2> framing;
  std::array<QString, 15> labels = [] {
    std::array<QString, 15> l;
    for (int i = 0; i <= 14; ++i) l[size_t(i)] = defaultLabel(i);
    return l;
  }();
  std::array<bool, 15> empty{};
  FakeProgress progress;
  bool aborted = false;
  bool blink = true;
  std::optional<int64_t> tempo;
  bool doubled = false;
  std::vector<int64_t> saved;
  int hintRefreshes = 0;
  int modelLayouts = 0;
};

// A connected link without a device, its router, the host and a context.
class KeyingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.SetRanges(zelvan::acceptedRanges());
    link.setSupervisorTimeScale(1000000);
    link.setForceConn(true);
    link.SupervisorTick();
    router.add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: sent"),
               [this] { sent << link.sentString(); });
    host = std::make_unique<FakeHost>(link);
    ctx.link = &link;
    ctx.host = host.get();
    ctx.rerunModeHandler = [this](int output) { modeReruns.push_back(output); };
    ctx.setCombosEnabled = [this](int output, bool enable) { comboEnabling.push_back({output, enable}); };
    router.install(link);
    sent.clear();
  }
  void TearDown() override { router.uninstall(link); }

  // Feeds reply lines as if the device sent them.
  void feed(std::initializer_list<const char*> lines) { test_support::feedLines(link, lines); }

  template <class T>
  T* find(const QString& name) {
    T* w = host->mainWindow.findChild<T*>(name);
    if (!w) w = host->matrixWindow.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
  }
  template <class T>
  T* find(const char* name) {
    return find<T>(QString::fromLatin1(name));
  }

  // Chooses item i of a compact list as the operator does.
  static void choose(TSmallCombo* combo, int i) { test_support::chooseItem(combo, i); }

  TZelvan_d link;
  zelvan::app::TReportRouter router;
  std::unique_ptr<FakeHost> host;
  TKeyingContext ctx;
  QStringList sent;
  std::vector<int> modeReruns;
  std::vector<std::pair<int, bool>> comboEnabling;
};

}  // namespace keying_test
