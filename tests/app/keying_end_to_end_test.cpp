// Logos and frames against the device simulator over TCP: a logo recorded
// from the logo page runs the progress window out and appears in every
// memory list; erasing it asks first and empties it again; a frame and a
// logo are assigned to inputs through their lists; a logo dragged in its
// framing window while the device answers late never has more than one
// write outstanding per register and ends where the pointer stopped.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>

#include "../support/operator_actions.h"
#include "app/keying_feature.h"
#include "app/report_router.h"
#include "app/tstatus.h"
#include "panel/keying/framing_window.h"
#include "panel/keying/keying_panels.h"
#include "panel/keying/logo_memories.h"
#include "sim_app_support.h"
#include "widgets/tsmallcombo.h"

#ifdef ZELVAN_SIM_PATH

using zelvan::keying::TKeyingPanels;

namespace {

class KeyingEndToEnd : public SimAppTest {
 protected:
  TKeyingPanels& keying() const { return *main()->feature<zelvan::app::TKeyingFeature>()->panels(); }

  // Every list that names logo `n` (1..8) at its position.
  QStringList logoTexts(int n) const {
    QStringList out;
    for (int input = 1; input <= 8; ++input)
      for (const char* row : {"LINDEX1_Combologo%1", "LINDEX2_Combologo%1"})
        if (auto* c = main()->findControl<TSmallCombo>(QString::fromLatin1(row).arg(input))) out << c->ItemText(n);
    return out;
  }

  // Chooses item i of a compact list as the operator does.
  static void choose(TSmallCombo* combo, int i) { test_support::chooseItem(combo, i); }

  // Shows the Main logo page (its tab control goes back to "Use").
  void showLogoPage() const {
    main()->PageControl1()->setCurrentWidget(main()->page(QStringLiteral("new_logos_Main")));
  }

  static void waitFor(const std::function<bool()>& done, const char* what, int ms = 10000) {
    ASSERT_TRUE(QTest::qWaitFor(done, ms)) << what;
  }
};

}  // namespace

TEST_F(KeyingEndToEnd, RecordsALogoAndErasesItAgain) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  TZelvan_d* d = link();
  waitFor([&] { return logoTexts(4).size() == 16 && logoTexts(4).at(0) == QStringLiteral("Empty"); }, "logo 4 empty");

  showLogoPage();
  waitFor([&] { return d->LMODEM() == 0; }, "use mode");
  // Record logo: the tab asks for mode 1, the device answers, STORE opens the list.
  zelvan::keying::TLogoMemories& mem = keying().memories(1);
  QTabBar* tabs = mem.tabControl();
  ASSERT_TRUE(tabs);
  emit tabs->tabBarClicked(2);
  waitFor([&] { return d->LMODEM() == 1 && tabs->currentIndex() == 2; }, "record logo mode");
  ASSERT_FALSE(mem.storeButton()->isHidden());
  QTest::mouseClick(mem.storeButton(), Qt::LeftButton);
  QComboBox* list = mem.storeList();
  ASSERT_TRUE(list && list->isVisible());
  ASSERT_EQ(list->count(), 8);
  EXPECT_EQ(list->itemText(3), QStringLiteral("Empty"));
  list->hidePopup();
  emit list->activated(3);  // Logo 4

  Tstatus* progress = main()->windows().status;
  waitFor([&] { return d->LSTOREM(); }, "store started");
  EXPECT_EQ(mem.storeButton()->text(), QStringLiteral("STORING"));
  EXPECT_TRUE(progress->isVisible());
  waitFor([&] { return !d->LSTOREM() && !progress->isVisible(); }, "store ended and progress closed");
  EXPECT_GE(progress->percent(), 100);  // run out to the end (the tick may have passed it)
  EXPECT_EQ(mem.storeButton()->text(), QStringLiteral("STORE"));
  const QString name = main()->state().MemoryLabels[6];  // the operator's name of logo 4
  for (const QString& t : logoTexts(4)) EXPECT_EQ(t, name);
  EXPECT_FALSE(main()->state().MemoryEmpty[6]);

  // Erase: the list opens as soon as the device reports mode 3; the choice asks first.
  QTest::mouseClick(mem.eraseButton(), Qt::LeftButton);
  waitFor([&] { return d->LMODEM() == 3 && mem.storeList()->isVisible(); }, "erase list open");
  list = mem.storeList();
  const int logo4 = list->findText(name);
  ASSERT_GT(logo4, 0);
  dialogs_.confirmAnswers.push_back(true);
  list->hidePopup();
  emit list->activated(logo4);
  ASSERT_FALSE(dialogs_.shown.empty());
  EXPECT_EQ(dialogs_.shown.back().text, QStringLiteral("Confirm erase ") + name);
  waitFor([&] { return main()->state().MemoryEmpty[6] && d->LMODEM() == 0; }, "erased and back in use");
  for (const QString& t : logoTexts(4)) EXPECT_EQ(t, QStringLiteral("Empty"));
}

TEST_F(KeyingEndToEnd, AssignsAFrameAndALogoToInputs) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  TZelvan_d* d = link();
  auto* frame2 = control<TSmallCombo>("FRAME_Combologo2");
  auto* logo3 = control<TSmallCombo>("LINDEX1_Combologo3");
  ASSERT_TRUE(frame2 && logo3);
  waitFor([&] { return frame2->isEnabled(); }, "assignment lists enabled");

  // Frame 2 on input 2: its frame list shows it, both logo lists read None.
  ASSERT_NO_FATAL_FAILURE(choose(frame2, 2));
  waitFor([&] { return d->channelValue(zelvan::Reg::LPLOGO1M, 2) == 2; }, "frame 2 keyed on input 2");
  waitFor([&] { return frame2->ItemIndex() == 2; }, "frame list follows");
  EXPECT_EQ(control<TSmallCombo>("LINDEX1_Combologo2")->ItemIndex(), 0);
  EXPECT_EQ(d->channelValue(zelvan::Reg::LPLOGO2M, 2), 0u);

  // Logo 2 (memory 4) as the first logo of input 3.
  ASSERT_NO_FATAL_FAILURE(choose(logo3, 2));
  waitFor([&] { return d->channelValue(zelvan::Reg::LPLOGO1M, 3) == 4; }, "logo 2 keyed on input 3");
  waitFor([&] { return logo3->ItemIndex() == 2; }, "logo list follows");
  EXPECT_EQ(control<TSmallCombo>("FRAME_Combologo3")->ItemIndex(), 0);
}

TEST_F(KeyingEndToEnd, DraggedLogoKeepsOneWriteOutstandingAndEndsUnderThePointer) {
  // Replies 30 ms late, at the device's own speed.
  ASSERT_NO_FATAL_FAILURE(startConnected({QStringLiteral("--delay"), QStringLiteral("30")}));
  TZelvan_d* d = link();
  auto* win = qobject_cast<zelvan::keying::TLogoFramingWindow*>(main()->windows().cadre1M);
  ASSERT_TRUE(win);

  // Count writes and answers of both position registers.
  int outstandingH = 0, outstandingV = 0, maxH = 0, maxV = 0;
  auto& router = main()->router();
  router.add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: writes"), [&] {
    const QString s = d->sentString();
    if (s.endsWith(QLatin1String("LH"))) maxH = std::max(maxH, ++outstandingH);
    if (s.endsWith(QLatin1String("LV"))) maxV = std::max(maxV, ++outstandingV);
  });
  // Answers are counted before the keying sends the next write from them.
  router.add(zelvan::Reg::LHPOS1M, zelvan::app::RoutePos::Shell, QStringLiteral("test: H answers"),
             [&] { outstandingH = std::max(0, outstandingH - 1); });
  router.add(zelvan::Reg::LVPOS1M, zelvan::app::RoutePos::Shell, QStringLiteral("test: V answers"),
             [&] { outstandingV = std::max(0, outstandingV - 1); });

  d->setLHPOS1M(20);
  d->setLVPOS1M(20);
  waitFor([&] { return d->LHPOS1M() == 20 && d->LVPOS1M() == 20; }, "logo at 20, 20");
  outstandingH = outstandingV = maxH = maxV = 0;
  win->show();
  QWidget* box = win->PaintBox1;
  auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, at, box->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
  };
  // Grab the rectangle 5 px inside its corner and drag it to (180, 120) in 100 moves.
  mouse(QEvent::MouseButtonPress, QPoint(25, 25), Qt::LeftButton);
  for (int i = 1; i <= 100; ++i) {
    mouse(QEvent::MouseMove, QPoint(25 + i * 160 / 100, 25 + i * 100 / 100), Qt::LeftButton);
    QTest::qWait(2);
  }
  mouse(QEvent::MouseButtonRelease, QPoint(185, 125), Qt::NoButton);
  waitFor([&] { return d->LHPOS1M() == 180 && d->LVPOS1M() == 120; }, "device holds the last position", 15000);
  EXPECT_LE(maxH, 1);
  EXPECT_LE(maxV, 1);
  EXPECT_GE(maxH, 1);
  win->close();
}

#endif
