// Logo and frame memories: mode tabs, the store and erase lists, the store
// cycle and its timing, the status text, the assignment combos' rule, the
// empty-memory texts, the frame quality and the sync-loss frame.
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "keying_test_support.h"
#include "panel/keying/logo_memories.h"
#include "panel/signal/signal_common.h"
#include "widgets/uidialogs.h"

namespace {

using namespace keying_test;
using zelvan::signal::cell;

class MemoriesTest : public KeyingTest {
 protected:
  void SetUp() override {
    KeyingTest::SetUp();
    shared = std::make_unique<TLogoMemoryShared>(ctx);
    ctx.memoryShared = shared.get();
    shared->build();
    shared->addRoutes(router);
    for (int o = 1; o <= 2; ++o) {
      QWidget* page = host->pages[size_t(o - 1)];
      auto* bar = new QWidget(page);
      bar->setObjectName(o == 1 ? QStringLiteral("Panel2") : QStringLiteral("Panel2_P"));
      bar->setGeometry(0, 20, 740, 60);
      bars[size_t(o - 1)] = bar;
      memories[size_t(o - 1)] = std::make_unique<TLogoMemories>(ctx, o);
      ctx.memories[size_t(o - 1)] = memories[size_t(o - 1)].get();
      mem(o).build(page, bar);
      mem(o).addRoutes(router);
    }
    sent.clear();
  }
  void TearDown() override {
    for (int o = 1; o <= 2; ++o)
      if (QComboBox* l = mem(o).storeList()) l->hidePopup();
    QCoreApplication::processEvents();
    KeyingTest::TearDown();
  }

  TLogoMemories& mem(int output) { return *memories[size_t(output - 1)]; }
  QComboBox* list(int output) { return mem(output).storeList(); }
  QStringList entries(int output) {
    QStringList out;
    for (int i = 0; i < list(output)->count(); ++i) out << list(output)->itemText(i);
    return out;
  }
  // The operator picks entry i of the open list.
  void pick(int output, int i) {
    QComboBox* l = list(output);
    l->hidePopup();
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
    QCoreApplication::processEvents();
  }
  // The operator closes the open list without a choice.
  void closeWithoutChoice(int output) {
    list(output)->hidePopup();
    QCoreApplication::processEvents();
  }
  void ticks(int output, int n) {
    for (int i = 0; i < n; ++i) mem(output).storeTick();
  }
  void showWindow() {
    host->mainWindow.show();
    host->tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
  }
  void clickTab(int output, int tab) {
    QTabBar* t = mem(output).tabControl();
    QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(tab).center());
    QCoreApplication::processEvents();
  }
  TSmallCombo* combo(int output, int kind, int n) { return host->combos[size_t(output - 1)][size_t(kind)][size_t(n - 1)]; }
  QLabel* statusText(int output) { return shared->StaticText1(output); }
  bool allCombosEnabled(int output) {
    for (int kind = 0; kind < 3; ++kind)
      for (int n = 1; n <= 8; ++n)
        if (!combo(output, kind, n)->isEnabled()) return false;
    return true;
  }
  bool noComboEnabled(int output) {
    for (int kind = 0; kind < 3; ++kind)
      for (int n = 1; n <= 8; ++n)
        if (combo(output, kind, n)->isEnabled()) return false;
    return true;
  }

  zelvan::ui::ScriptedDialogs dialogs;
  std::unique_ptr<TLogoMemoryShared> shared;
  std::array<std::unique_ptr<TLogoMemories>, 2> memories;
  std::array<QWidget*, 2> bars{};
};

// ------------------------------------------------------------ the controls

TEST_F(MemoriesTest, BuildsTheNamedControlsOfBothOutputs) {
  for (const char* sfx : {"M", "P"}) {
    auto* tabs = find<QTabBar>(QStringLiteral("TabControl_logo_%1").arg(sfx));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("        Use        "));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("        Record frame        "));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("        Record logo        "));
    auto* erase = find<QToolButton>(QStringLiteral("SpeedButton_erase_mode_%1").arg(sfx));
    ASSERT_NE(erase, nullptr);
    EXPECT_EQ(erase->text(), QStringLiteral("Erase"));
    EXPECT_EQ(erase->toolTip(), QStringLiteral("TO ERASE FRAME OR LOGO"));
    EXPECT_TRUE(erase->isCheckable());
    auto* store = find<QToolButton>(QStringLiteral("new_SpeedButton_store_%1").arg(sfx));
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->text(), QStringLiteral("STORE"));
    EXPECT_EQ(store->parentWidget(), tabs->parentWidget());
  }
  for (const char* name : {"ComboBox_lstore_main", "ComboBox_lstore_preview"}) {
    auto* l = find<QComboBox>(name);
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->isHidden());
    EXPECT_EQ(l->maxVisibleItems(), 18);
  }
  EXPECT_EQ(list(1)->parentWidget(), host->pages[0]);
  EXPECT_EQ(list(2)->parentWidget(), host->pages[1]);

  QLabel* mainText = host->mainWindow.findChild<QLabel*>(QStringLiteral("StaticText1"));
  QLabel* matrixText = host->matrixWindow.findChild<QLabel*>(QStringLiteral("StaticText1"));
  ASSERT_NE(mainText, nullptr);
  ASSERT_NE(matrixText, nullptr);
  EXPECT_EQ(statusText(1), mainText);
  EXPECT_EQ(statusText(2), matrixText);
  EXPECT_TRUE(mainText->isHidden());
  EXPECT_TRUE(matrixText->isHidden());
  EXPECT_TRUE(zelvan::signal::isBold(mainText));
  EXPECT_EQ(zelvan::signal::captionColor(mainText), QColor(Qt::red));

  auto* menu = find<QMenu>("PopupMenu_Frame_Quality");
  ASSERT_NE(menu, nullptr);
  auto* native = find<QAction>("MenuItem_LQTY_0_native");
  auto* optimized = find<QAction>("MenuItem_LQTY_1_optimized");
  ASSERT_NE(native, nullptr);
  ASSERT_NE(optimized, nullptr);
  EXPECT_EQ(native->text(), QStringLiteral("Native      (4 Frames)"));
  EXPECT_EQ(optimized->text(), QStringLiteral("Optimized (6 Frames)"));
  EXPECT_EQ(native->data().toInt(), 0);
  EXPECT_EQ(optimized->data().toInt(), 1);
  EXPECT_FALSE(native->isChecked());
  EXPECT_FALSE(optimized->isChecked());
}

// ---------------------------------------------------------------- mode tabs

TEST_F(MemoriesTest, OperatorTabClicksSetTheModeAndNothingElseSends) {
  showWindow();
  clickTab(1, 1);
  clickTab(1, 2);
  clickTab(1, 0);
  clickTab(2, 2);
  EXPECT_EQ(sent, QStringList({"2LM", "1LM", "0LM", "1lM"}));

  // Tabs set by reports or reset by a page change send nothing.
  sent.clear();
  feed({"LMOD1"});
  EXPECT_EQ(mem(1).tabControl()->currentIndex(), 2);
  feed({"LMOD2"});
  EXPECT_EQ(mem(1).tabControl()->currentIndex(), 1);
  feed({"LMOD0"});
  EXPECT_EQ(mem(1).tabControl()->currentIndex(), 0);
  feed({"lmod2"});
  EXPECT_EQ(mem(2).tabControl()->currentIndex(), 1);
  mem(2).tabControl()->setCurrentIndex(0);
  mem(1).tabControl()->setCurrentIndex(2);
  mem(1).tabControl()->setCurrentIndex(0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
}

TEST_F(MemoriesTest, ModeReportsMoveTabsAndErase) {
  link.SetRangesAcceptAll();
  QAbstractButton* erase = mem(1).eraseButton();
  feed({"LMOD3"});
  EXPECT_TRUE(erase->isChecked());
  EXPECT_FALSE(list(1)->isHidden()) << "erase mode opens the erase list at once";
  closeWithoutChoice(1);
  sent.clear();
  feed({"LMOD1"});
  EXPECT_FALSE(erase->isChecked());
  EXPECT_EQ(mem(1).tabControl()->currentIndex(), 2);
  feed({"LMOD4"});
  EXPECT_EQ(mem(1).tabControl()->currentIndex(), 0);
  EXPECT_FALSE(erase->isChecked());
  EXPECT_TRUE(list(1)->isHidden());
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(MemoriesTest, RecordFrameAndEraseCloseTheLogoFramingWindows) {
  for (auto& w : host->framing[0]) w->show();
  feed({"LMOD2"});
  EXPECT_FALSE(host->framing[0][1]->isVisible());
  EXPECT_FALSE(host->framing[0][2]->isVisible());
  EXPECT_TRUE(host->framing[0][0]->isVisible()) << "the capture window is not a logo window";
  for (auto& w : host->framing[1]) w->show();
  feed({"lmod3"});
  EXPECT_FALSE(host->framing[1][1]->isVisible());
  EXPECT_FALSE(host->framing[1][2]->isVisible());
  feed({"LMOD1"});
  host->framing[0][1]->show();
  feed({"LMOD1", "LMOD0"});
  EXPECT_TRUE(host->framing[0][1]->isVisible()) << "use and record logo leave them";
  for (auto& o : host->framing)
    for (auto& w : o) w->hide();
}

TEST_F(MemoriesTest, FrameQualityTabOpensTheMenuOnlyInUseMode) {
  QTabBar* tabs = mem(1).tabControl();
  tabs->addTab(QStringLiteral("        Frame quality      "));  // as the model layout does
  showWindow();
  QMenu* menu = shared->PopupMenu_Frame_Quality();
  // The mode handler as the owner reruns it (its tab part is ours).
  ctx.rerunModeHandler = [this](int output) {
    modeReruns.push_back(output);
    mem(output).modeTabs();
  };

  feed({"LMOD1"});
  clickTab(1, 3);
  EXPECT_EQ(modeReruns, std::vector<int>({1}));
  EXPECT_EQ(tabs->currentIndex(), 2) << "back on Record logo after the click is done";
  EXPECT_FALSE(menu->isVisible());
  EXPECT_TRUE(sent.isEmpty());

  modeReruns.clear();
  feed({"LMOD0"});
  clickTab(1, 3);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_TRUE(modeReruns.empty());
  EXPECT_TRUE(sent.isEmpty());
  menu->hide();
}

TEST_F(MemoriesTest, QualityHintOnlyOverTheQualityTab) {
  QTabBar* tabs = mem(1).tabControl();
  tabs->addTab(QStringLiteral("        Frame quality      "));
  showWindow();
  auto move = [tabs](const QPoint& p) {
    QMouseEvent e(QEvent::MouseMove, p, tabs->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tabs, &e);
  };
  move(tabs->tabRect(3).center());
  EXPECT_EQ(tabs->toolTip(), QStringLiteral("Mode must be in use."));
  move(tabs->tabRect(1).center());
  EXPECT_TRUE(tabs->toolTip().isEmpty());
  move(tabs->tabRect(3).topLeft() + QPoint(1, 1));
  EXPECT_EQ(tabs->toolTip(), QStringLiteral("Mode must be in use."));
  tabs->removeTab(3);  // three tabs: no quality tab anywhere
  move(QPoint(tabs->width() - 2, 5));
  EXPECT_TRUE(tabs->toolTip().isEmpty());
}

TEST_F(MemoriesTest, EraseButtonAsksForTheModeAndFollowsTheDevice) {
  QAbstractButton* erase = mem(1).eraseButton();
  erase->click();
  EXPECT_EQ(sent, QStringList({"3LM"}));
  EXPECT_FALSE(erase->isChecked()) << "down only once the device reports erase mode";
  feed({"LMOD3"});
  closeWithoutChoice(1);
  sent.clear();
  erase->click();
  EXPECT_EQ(sent, QStringList({"0LM"}));
  EXPECT_TRUE(erase->isChecked());
  mem(2).eraseButton()->click();
  EXPECT_EQ(sent.last(), QStringLiteral("3lM"));
}

// --------------------------------------------------------------- store list

TEST_F(MemoriesTest, RecordLogoListStoresTheChosenLogo) {
  host->empty[4] = true;  // Logo 2
  feed({"LMOD1"});
  mem(1).storeButton()->click();
  EXPECT_FALSE(list(1)->isHidden());
  EXPECT_EQ(entries(1), QStringList({"Logo 1", "Empty", "Logo 3", "Logo 4", "Logo 5", "Logo 6", "Logo 7", "Logo 8"}));
  EXPECT_EQ(list(1)->pos(), QPoint(293, 20));
  EXPECT_EQ(list(1)->currentIndex(), -1);
  EXPECT_FALSE(mem(1).storeButton()->isChecked());
  pick(1, 2);
  EXPECT_EQ(sent, QStringList({"5LC", "1LR"}));
  EXPECT_TRUE(list(1)->isHidden());

  // Preview: its own list and registers.
  sent.clear();
  feed({"lmod1"});
  mem(2).storeButton()->click();
  pick(2, 7);
  EXPECT_EQ(sent, QStringList({"10lC", "1lR"}));
}

TEST_F(MemoriesTest, RecordFrameListFollowsModelQualityAndEmbeddedMode) {
  struct Case {
    const char* dev;
    const char* edseb;
    const char* lqty;
    int frames;
  } cases[] = {
      {"DEV36", "EDSB0", "LQTY0", 4}, {"DEV36", "EDSB0", "LQTY1", 6}, {"DEV36", "EDSB1", "LQTY0", 2},
      {"DEV36", "EDSB1", "LQTY1", 3}, {"DEV27", "EDSB0", "LQTY1", 2}, {"DEV99", "EDSB0", "LQTY1", 2},
  };
  const QStringList all = {"Frame 1", "Frame 2", "Frame 3", "Frame 4", "Frame 5", "Frame 6"};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dev) + " " + c.edseb + " " + c.lqty);
    feed({c.dev, c.edseb, c.lqty, "LMOD2"});
    mem(1).storeButton()->click();
    EXPECT_EQ(entries(1), all.mid(0, c.frames));
    closeWithoutChoice(1);
  }
  // Frame 3 is memory 11.
  feed({"DEV36", "EDSB0", "LQTY1", "LMOD2"});
  mem(1).storeButton()->click();
  sent.clear();
  pick(1, 2);
  EXPECT_EQ(sent, QStringList({"11LC", "1LR"}));
}

TEST_F(MemoriesTest, EraseListMapsThroughTheModelRow) {
  dialogs.defaultConfirm = true;
  // A model without frames 3 to 6.
  feed({"DEV27", "LMOD3"});
  EXPECT_EQ(entries(1), QStringList({"ALL erase", "Frame 1", "Frame 2", "Logo 1", "Logo 2", "Logo 3", "Logo 4",
                                     "Logo 5", "Logo 6", "Logo 7", "Logo 8"}));
  const QPoint eraseLeft = host->pages[0]->mapFromGlobal(mem(1).eraseButton()->mapToGlobal(QPoint(0, 0)));
  EXPECT_EQ(list(1)->pos(), QPoint(eraseLeft.x(), 20 + 6));
  sent.clear();
  pick(1, 0);
  EXPECT_EQ(sent, QStringList({"0LC", "1LR"}));
  EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Confirm ALL erase"));
  for (auto [entry, memory] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 3}}) {
    feed({"LMOD3"});
    sent.clear();
    pick(1, entry);
    EXPECT_EQ(sent, QStringList({QString::number(memory) + "LC", "1LR"}));
  }
  EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Confirm erase Logo 1"));

  // A model with frames 3 to 6: Frame 3 is 11, Logo 1 (position 7) is 3.
  feed({"DEV36", "LMOD3"});
  EXPECT_EQ(list(1)->count(), 15);
  EXPECT_EQ(entries(1).mid(3, 5), QStringList({"Frame 3", "Frame 4", "Frame 5", "Frame 6", "Logo 1"}));
  sent.clear();
  pick(1, 3);
  EXPECT_EQ(sent, QStringList({"11LC", "1LR"}));
  feed({"LMOD3"});
  sent.clear();
  pick(1, 7);
  EXPECT_EQ(sent, QStringList({"3LC", "1LR"}));
  EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Confirm erase Logo 1"));
}

TEST_F(MemoriesTest, EraseWithAnUnknownModelNeverErasesEverything) {
  feed({"DEV99", "LMOD3"});  // no model index
  ASSERT_EQ(entries(1), QStringList({"ALL erase", "Frame 1", "Frame 2", "Logo 1", "Logo 2", "Logo 3", "Logo 4",
                                     "Logo 5", "Logo 6", "Logo 7", "Logo 8"}));
  sent.clear();
  pick(1, 3);
  EXPECT_EQ(sent, QStringList({"3LC", "1LR"}));
  feed({"LMOD3"});
  sent.clear();
  pick(1, 10);
  EXPECT_EQ(sent, QStringList({"10LC", "1LR"}));

  // A list left over from another mode acts on nothing.
  feed({"LMOD3"});
  feed({"LMOD1"});
  sent.clear();
  pick(1, 0);
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
}

TEST_F(MemoriesTest, CancelOrAnEmptyCloseReturnsToUseMode) {
  feed({"DEV27", "LMOD3"});
  sent.clear();
  dialogs.confirmAnswers = {false};
  pick(1, 4);
  EXPECT_EQ(sent, QStringList({"0LM"}));
  EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Confirm erase Logo 2"));

  feed({"LMOD3"});
  sent.clear();
  closeWithoutChoice(1);
  EXPECT_EQ(sent, QStringList({"0LM"}));
  EXPECT_TRUE(list(1)->isHidden());

  // Preview alike.
  feed({"lmod3"});
  sent.clear();
  closeWithoutChoice(2);
  EXPECT_EQ(sent, QStringList({"0lM"}));

  // In a record mode a close without a choice only hides the list.
  feed({"LMOD1"});
  mem(1).storeButton()->click();
  sent.clear();
  closeWithoutChoice(1);
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_TRUE(list(1)->isHidden());
}

// -------------------------------------------------------------- store cycle

TEST_F(MemoriesTest, StoreCycleEndToEnd) {
  host->tempo = 240;
  FakeProgress& p = host->progress;
  feed({"LMOD1", "LPXA1024", "LLNA768"});
  EXPECT_EQ(p.maximum, 87) << "240 x 36 div 100 + 1";
  feed({"LSTO1"});
  EXPECT_EQ(p.shows, 1);
  EXPECT_TRUE(p.showing);
  EXPECT_EQ(p.position, 0);
  EXPECT_EQ(p.maximum, 87);
  QAbstractButton* store = mem(1).storeButton();
  EXPECT_EQ(store->text(), QStringLiteral("STORING"));
  EXPECT_TRUE(store->isChecked());

  // Clicks while storing do nothing, and STORING stays pressed.
  sent.clear();
  store->click();
  EXPECT_TRUE(store->isChecked());
  EXPECT_TRUE(list(1)->isHidden());
  EXPECT_TRUE(sent.isEmpty());
  // A repeated report does not restart the count.
  ticks(1, 30);
  feed({"LSTO1"});
  ticks(1, 30);
  EXPECT_EQ(p.shows, 1);

  feed({"LSTO0"});
  EXPECT_EQ(store->text(), QStringLiteral("STORE"));
  EXPECT_FALSE(store->isChecked());
  EXPECT_EQ(p.closes, 1);
  EXPECT_EQ(host->saved, std::vector<int64_t>({163})) << "59 x 6553600 div (1024 x 768 x 3)";
  EXPECT_FALSE(host->doubled);
  EXPECT_EQ(mem(1).calcul_temps(), 59);
  feed({"LPXA1024"});
  EXPECT_EQ(p.maximum, 59);

  // A second end report learns nothing and closes nothing.
  feed({"LSTO0"});
  EXPECT_EQ(host->saved.size(), 1u);
  EXPECT_EQ(p.closes, 1);
}

TEST_F(MemoriesTest, StoreEndsWithoutLearning) {
  host->tempo = 240;
  link.SetRangesAcceptAll();
  feed({"LMOD1", "LPXA1024", "LLNA768"});

  // Aborted by the operator: nothing learned, the flag is cleared.
  feed({"LSTO1"});
  ticks(1, 20);
  host->aborted = true;
  feed({"LSTO0"});
  EXPECT_TRUE(host->saved.empty());
  EXPECT_FALSE(host->aborted);

  // Aborted on the device.
  feed({"LSTO1"});
  ticks(1, 20);
  feed({"LABT1", "LSTO0", "LABT0"});
  EXPECT_TRUE(host->saved.empty());

  // Too short to measure: a Tempo of 0 or less is never saved.
  for (int n : {0, 1}) {
    feed({"LSTO1"});
    ticks(1, n);
    feed({"LSTO0"});
  }
  EXPECT_TRUE(host->saved.empty());

  // No picture size.
  feed({"LPXA0", "LSTO1"});
  ticks(1, 20);
  feed({"LSTO0"});
  EXPECT_TRUE(host->saved.empty());

  // A store that ends in mode 4 asks for use mode and learns nothing.
  feed({"LPXA1024", "LSTO1", "LMOD4"});
  ticks(1, 20);
  sent.clear();
  feed({"LSTO0"});
  EXPECT_EQ(sent, QStringList({"0LM"}));
  EXPECT_TRUE(host->saved.empty());
}

TEST_F(MemoriesTest, EstimateAndProgressMaximum) {
  host->tempo = 240;
  feed({"LPXA1920", "LLNA1080"});
  EXPECT_EQ(mem(1).calcul_temps(), 226);
  EXPECT_EQ(host->progress.maximum, 226);
  // Embedded soft-edge record frame with an undoubled measurement: x 4.
  feed({"EDSB1", "LMOD2", "LPXA1920"});
  EXPECT_EQ(host->progress.maximum, 904);
  // A doubled measurement without embedded mode: div 4.
  host->doubled = true;
  feed({"EDSB0", "LLNA1080"});
  EXPECT_EQ(host->progress.maximum, 56);
  // The Preview sizes size the Preview estimate.
  host->doubled = false;
  feed({"lpxa1024", "llna768"});
  EXPECT_EQ(mem(2).calcul_temps(), 87);
  EXPECT_EQ(host->progress.maximum, 87);

  // No timing file yet: written anew with Tempo 240.
  host->tempo.reset();
  EXPECT_EQ(mem(1).calcul_temps(), 226);
  EXPECT_EQ(host->tempo, 240);
}

TEST_F(MemoriesTest, PreviewLearnsOnlyUndoubledLogoStores) {
  host->tempo = 240;
  auto store = [this](std::initializer_list<const char*> setup) {
    feed(setup);
    feed({"lsto1"});
    ticks(2, 60);
    feed({"lsto0"});
  };
  store({"EDSB0", "lmod1", "lpxa1024", "llna768"});
  EXPECT_EQ(host->saved, std::vector<int64_t>({163}));
  store({"EDSB0", "lmod2"});
  store({"EDSB1", "lmod1"});
  EXPECT_EQ(host->saved.size(), 1u) << "frame stores and embedded mode are not learned on Preview";
  host->aborted = true;
  store({"EDSB0", "lmod1"});
  EXPECT_EQ(host->saved.size(), 1u);
  EXPECT_FALSE(host->aborted);

  // Main learns embedded frame stores, as doubled ones.
  feed({"LPXA1024", "LLNA768"});
  feed({"EDSB1", "LMOD2", "LSTO1"});
  ticks(1, 60);
  feed({"LSTO0"});
  EXPECT_EQ(host->saved, std::vector<int64_t>({163, 163}));
  EXPECT_TRUE(host->doubled);
}

TEST_F(MemoriesTest, OverlappingStoresLearnFromTheirOwnSeconds) {
  host->tempo = 240;
  feed({"LMOD1", "LPXA1024", "LLNA768", "lmod1", "lpxa1024", "llna768"});
  feed({"LSTO1"});
  ticks(1, 30);
  feed({"lsto1"});  // the Preview start leaves the Main count alone
  for (int i = 0; i < 30; ++i) {
    mem(1).storeTick();
    mem(2).storeTick();
  }
  feed({"LSTO0"});
  EXPECT_EQ(host->saved, std::vector<int64_t>({163}));
  mem(1).storeTick();  // a stopped output counts nothing
  ticks(2, 30);
  feed({"lsto0"});
  EXPECT_EQ(host->saved, std::vector<int64_t>({163, 163}));
}

TEST_F(MemoriesTest, TheOtherOutputsEndLeavesTheProgressOfARunningStore) {
  feed({"LMOD1", "LPXA1024", "LLNA768", "LSTO1"});
  EXPECT_TRUE(host->progress.showing);
  feed({"lsto0"});  // Preview was not storing
  EXPECT_TRUE(host->progress.showing);
  EXPECT_EQ(mem(1).storeButton()->text(), QStringLiteral("STORING"));
  feed({"LSTO0"});
  EXPECT_FALSE(host->progress.showing);
}

// -------------------------------------------------------------- status text

TEST_F(MemoriesTest, StatusTextsBlinkWithTheTick) {
  QTableWidget* grid = host->grids[0];
  feed({"LSTA2"});
  EXPECT_EQ(statusText(1)->text(), QStringLiteral("Frames\r\n\r\nLogos\r\n\r\nRecord"));
  EXPECT_EQ(statusText(2)->text(), QStringLiteral("Recording"));
  EXPECT_FALSE(statusText(1)->isHidden());
  EXPECT_FALSE(statusText(2)->isHidden());
  EXPECT_EQ(cell(grid, 13, 0), QStringLiteral("Recording"));
  EXPECT_EQ(cell(grid, 13, 1), QStringLiteral(" Frame "));
  EXPECT_EQ(cell(grid, 13, 2), QStringLiteral(" Logo "));
  host->blink = false;
  mem(1).clignotantLSTATUS();
  EXPECT_TRUE(statusText(1)->isHidden());
  EXPECT_TRUE(statusText(2)->isHidden());
  host->blink = true;

  struct Case {
    std::initializer_list<const char*> reports;
    const char* mainText;
    const char* matrixText;
    const char* c0;
    const char* c1;
    const char* c2;
  } cases[] = {
      {{"LSTA1"}, "Frames\r\n\r\nLogos\r\n\r\nRecall", "Recalling", "Recalling", " Frame ", " Logo "},
      {{"LTYA1", "LSTA3"}, "Logo format\r\n\r\nmismatch\r\n\r\noutput format", "Logo format mismatch output format",
       "Logo format", "mismatch", "output format"},
      {{"LTYA0", "LSTA3"}, "Frame format\r\n\r\nmismatch\r\n\r\noutput format", "Frame format mismatch output format",
       "Frame format", "mismatch", "output format"},
      {{"LSTA4"}, "Logo\r\n\r\nis\r\n\r\nerasing", "Logo is erasing", "Logo", " is ", "erasing"},
      {{"LSTA5"}, "Flash Error ", "Flash Error ", "Flash Error", " ", " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.c0);
    feed(c.reports);
    EXPECT_EQ(statusText(1)->text(), QString::fromLatin1(c.mainText));
    EXPECT_EQ(statusText(2)->text(), QString::fromLatin1(c.matrixText));
    EXPECT_EQ(cell(grid, 13, 0), QString::fromLatin1(c.c0));
    EXPECT_EQ(cell(grid, 13, 1), QString::fromLatin1(c.c1));
    EXPECT_EQ(cell(grid, 13, 2), QString::fromLatin1(c.c2));
    EXPECT_FALSE(statusText(1)->isHidden());
  }
  feed({"LSTA0"});
  EXPECT_TRUE(statusText(1)->isHidden());
  EXPECT_TRUE(statusText(2)->isHidden());
  for (int c = 0; c < 3; ++c) EXPECT_TRUE(cell(grid, 13, c).isEmpty());
}

TEST_F(MemoriesTest, FormatMismatchMarksTheMismatchedLogoRows) {
  QTableWidget* grid = host->grids[1];
  feed({"oftp7", "lofa5", "lofb7", "ltya1", "lsta3"});
  EXPECT_EQ(cell(grid, 11, 2), QStringLiteral("<--"));
  EXPECT_TRUE(cell(grid, 12, 2).isEmpty());
  EXPECT_EQ(cell(grid, 13, 0), QStringLiteral("Logo format"));
  EXPECT_TRUE(cell(host->grids[0], 11, 2).isEmpty()) << "Preview writes the Matrix window's grid";
}

TEST_F(MemoriesTest, IdleStatusKeepsTheSharedTextWhileTheOtherOutputShowsOne) {
  feed({"lsta2", "LSTA0"});
  EXPECT_FALSE(statusText(1)->isHidden());
  EXPECT_EQ(statusText(2)->text(), QStringLiteral("Recording"));
  EXPECT_TRUE(cell(host->grids[0], 13, 0).isEmpty());
  EXPECT_EQ(cell(host->grids[1], 13, 0), QStringLiteral("Recording"));
  feed({"lsta0"});
  EXPECT_TRUE(statusText(1)->isHidden());
  EXPECT_TRUE(statusText(2)->isHidden());
}

// -------------------------------------------------------- assignment combos

TEST_F(MemoriesTest, MainCombosFollowBothModesInMixerMode) {
  ASSERT_TRUE(allCombosEnabled(1));
  feed({"MTRX0", "lmod1"});
  EXPECT_TRUE(noComboEnabled(1)) << "Mixer mode: Preview recording locks the Main lists";
  feed({"lmod0"});
  EXPECT_TRUE(allCombosEnabled(1)) << "and releases them when it returns to use";
  feed({"LSTA1"});
  EXPECT_TRUE(noComboEnabled(1));
  feed({"LSTA0"});
  EXPECT_TRUE(allCombosEnabled(1));
  feed({"MTRX1", "lmod2"});
  EXPECT_TRUE(allCombosEnabled(1)) << "Matrix mode: the outputs are independent";
  feed({"LMOD1", "LSTA0"});
  EXPECT_TRUE(noComboEnabled(1));
  EXPECT_TRUE(noComboEnabled(2)) << "Preview records a frame";
  // Preview's own mode change runs its rule through the page layout; a
  // change on Main runs it too.
  feed({"lmod0", "LSTA0"});
  EXPECT_TRUE(allCombosEnabled(2));
  EXPECT_TRUE(noComboEnabled(1));

  // Preview's rule reads only its own mode and status.
  feed({"lmod0", "lsta1"});
  EXPECT_TRUE(noComboEnabled(2));
  feed({"lsta0"});
  EXPECT_TRUE(allCombosEnabled(2));
  mem(2).Combologo_disabled();
  EXPECT_TRUE(noComboEnabled(2));
  mem(2).Combologo_enabled();
  EXPECT_TRUE(allCombosEnabled(2));
}

// ----------------------------------------------------------- empty memories

TEST_F(MemoriesTest, EmptyMemoriesRewriteEveryList) {
  // The store list as start-up fills it (the eight logo labels).
  for (int i = 3; i <= 10; ++i) list(1)->addItem(defaultLabel(i));
  combo(1, 0, 3)->SetItemIndex(1);
  combo(2, 1, 5)->SetItemIndex(2);
  int changes = 0;
  combo(1, 0, 3)->OnChange = [&](QObject*) { ++changes; };

  feed({"LEMP16383"});
  for (int n = 1; n <= 14; ++n) {
    EXPECT_TRUE(shared->LEMPTY_de_champs_de_bits(n)) << n;
    EXPECT_TRUE(host->empty[size_t(n)]) << n;
  }
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(host->transitions[0][size_t(k - 1)]->text(), QStringLiteral("Fade Frame %1 (Empty)").arg(k));
    EXPECT_EQ(host->transitions[1][size_t(k - 1)]->text(), QStringLiteral("Fade Frame %1 (Empty)").arg(k));
    EXPECT_EQ(host->effectFrames[size_t(k - 1)]->text(), QStringLiteral("Empty"));
    EXPECT_EQ(combo(2, 0, 8)->ItemText(k), QStringLiteral("Empty"));
  }
  for (int tag : {1, 2, 12, 13, 14, 15}) EXPECT_EQ(host->syncItems[size_t(tag)]->text(), QStringLiteral("Empty"));
  EXPECT_EQ(host->syncItems[3]->text(), QStringLiteral("item 3")) << "not a frame";
  for (int p = 1; p <= 8; ++p) EXPECT_EQ(combo(1, 2, 4)->ItemText(p), QStringLiteral("Empty"));
  EXPECT_EQ(combo(1, 1, 1)->ItemText(0), QStringLiteral("None"));
  EXPECT_EQ(entries(1), QStringList(8, QStringLiteral("Empty")));
  EXPECT_EQ(combo(1, 0, 3)->ItemIndex(), 1);
  EXPECT_EQ(combo(1, 0, 3)->Text(), QStringLiteral("Empty"));
  EXPECT_EQ(combo(2, 1, 5)->ItemIndex(), 2);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(host->hintRefreshes, 1);

  feed({"LEMP0"});
  for (int n = 1; n <= 14; ++n) EXPECT_FALSE(host->empty[size_t(n)]) << n;
  EXPECT_EQ(host->transitions[0][2]->text(), QStringLiteral("Fade Frame 3 (Frame 3)"));
  EXPECT_EQ(host->syncItems[12]->text(), QStringLiteral("Frame 3"));
  EXPECT_EQ(host->syncItems[1]->text(), QStringLiteral("Frame 1"));
  EXPECT_EQ(combo(1, 0, 3)->Text(), QStringLiteral("Frame 1"));
  EXPECT_EQ(combo(1, 0, 1)->ItemText(6), QStringLiteral("Frame 6"));
  EXPECT_EQ(combo(2, 2, 8)->ItemText(8), QStringLiteral("Logo 8"));
  EXPECT_EQ(entries(1).first(), QStringLiteral("Logo 1"));

  // Bit 2 alone: Logo 1 (memory 3) only.
  feed({"LEMP4"});
  for (int n = 1; n <= 14; ++n) EXPECT_EQ(host->empty[size_t(n)], n == 3) << n;
  EXPECT_EQ(combo(1, 1, 2)->ItemText(1), QStringLiteral("Empty"));
  EXPECT_EQ(combo(2, 2, 7)->ItemText(1), QStringLiteral("Empty"));
  EXPECT_EQ(combo(1, 1, 2)->ItemText(2), QStringLiteral("Logo 2"));
  EXPECT_EQ(combo(1, 0, 2)->ItemText(1), QStringLiteral("Frame 1"));
  EXPECT_EQ(entries(1).mid(0, 2), QStringList({"Empty", "Logo 2"}));
  EXPECT_EQ(host->transitions[0][0]->text(), QStringLiteral("Fade Frame 1 (Frame 1)"));
  EXPECT_EQ(host->hintRefreshes, 3);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(MemoriesTest, StoreListsOfOtherModesKeepTheirEntries) {
  // A record-frame list open when the empty memories change.
  feed({"DEV36", "EDSB0", "LQTY0", "LMOD2"});
  mem(1).storeButton()->click();
  host->labels[11] = QStringLiteral("Backdrop & Co");
  feed({"LEMP2"});  // Frame 2 empty
  EXPECT_EQ(entries(1), QStringList({"Frame 1", "Empty", "Backdrop & Co", "Frame 4"}));
  EXPECT_EQ(host->transitions[0][2]->text(), QStringLiteral("Fade Frame 3 (Backdrop && Co)"));
  EXPECT_EQ(host->syncItems[12]->text(), QStringLiteral("Backdrop && Co"));
  EXPECT_EQ(combo(1, 0, 1)->ItemText(3), QStringLiteral("Backdrop & Co"));
}

// ------------------------------------------------------------ frame quality

TEST_F(MemoriesTest, FrameQualityIsAskedSentAndCheckedFromReports) {
  QAction* native = find<QAction>("MenuItem_LQTY_0_native");
  QAction* optimized = find<QAction>("MenuItem_LQTY_1_optimized");
  dialogs.confirmAnswers = {true, false};
  optimized->trigger();
  EXPECT_EQ(sent, QStringList({"1LQ"}));
  EXPECT_EQ(dialogs.messages().last(), QStringLiteral("Frame & logos will be erased continue ?"));
  EXPECT_FALSE(optimized->isChecked()) << "checked only when the device reports it";
  EXPECT_EQ(modeReruns, std::vector<int>({1, 2}));
  native->trigger();
  EXPECT_EQ(sent.size(), 1) << "No sends nothing";
  EXPECT_EQ(modeReruns, std::vector<int>({1, 2, 1, 2})) << "the tabs go back in every case";

  feed({"LQTY1"});
  EXPECT_TRUE(optimized->isChecked());
  EXPECT_FALSE(native->isChecked());
  EXPECT_EQ(host->modelLayouts, 1);
  dialogs.confirmAnswers = {false};
  native->trigger();
  EXPECT_TRUE(optimized->isChecked());
  EXPECT_FALSE(native->isChecked());
  feed({"LQTY0"});
  EXPECT_TRUE(native->isChecked());
  EXPECT_FALSE(optimized->isChecked());
  EXPECT_EQ(host->modelLayouts, 2);
}

// ---------------------------------------------------------- sync-loss frame

TEST_F(MemoriesTest, SyncLossItemFollowsTheReport) {
  link.SetRangesAcceptAll();
  auto checked = [this] {
    std::vector<int> out;
    for (int t = 0; t <= 15; ++t)
      if (host->syncItems[size_t(t)]->isChecked()) out.push_back(t);
    return out;
  };
  feed({"FRAL3"});
  EXPECT_EQ(checked(), std::vector<int>({3}));
  feed({"FRAL15"});
  EXPECT_EQ(checked(), std::vector<int>({15}));
  feed({"FRAL0"});
  EXPECT_EQ(checked(), std::vector<int>({0}));
  feed({"FRAL16", "FRAL4294967295"});
  EXPECT_EQ(checked(), std::vector<int>({0})) << "values beyond the menu change nothing";
}

}  // namespace

TEST_F(MemoriesTest, FourTabsEraseAndStoreFitTheBar) {
  for (int o = 1; o <= 2; ++o) {
    QTabBar* tabs = mem(o).tabControl();
    tabs->addTab(QStringLiteral("        Frame quality      "));  // as the model layout does
    // Every tab shows whole, without scroll buttons, and the buttons follow it inside the bar.
    EXPECT_GE(tabs->width(), tabs->sizeHint().width());
    EXPECT_GE(mem(o).eraseButton()->x(), tabs->geometry().right());
    EXPECT_GE(mem(o).storeButton()->x(), mem(o).eraseButton()->geometry().right());
    EXPECT_LE(mem(o).storeButton()->geometry().right(), bars[size_t(o - 1)]->width());
  }
}

class MemoriesStatusTextTest : public KeyingTest {};

TEST_F(MemoriesStatusTextTest, StandsOverTheRowCaptionsAndStaysRedInADisabledStrip) {
  // The row captions of the Main strip exist before the status text is built.
  auto* captions = new QLabel(QStringLiteral(":Frames"), host->strips[0]);
  captions->setObjectName(QStringLiteral("new_Label_nmbr_logos"));
  captions->setGeometry(662, 0, 72, 80);
  TLogoMemoryShared shared(ctx);
  shared.build();
  QLabel* text = shared.StaticText1(1);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->parentWidget(), host->strips[0]);
  EXPECT_EQ(text->geometry(), captions->geometry());
  host->strips[0]->setEnabled(false);  // a record mode runs
  EXPECT_EQ(text->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::red));
}
