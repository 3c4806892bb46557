// The one-second tick and the store progress window.
#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/tstatus.h"
#include "app/keying_feature.h"
#include "panel/keying/keying_panels.h"
#include "panel/keying/logo_placement.h"
#include "app_test_support.h"
#include "tools/tabout_graphic_install.h"

namespace {
bool isBlue(const QWidget* w) { return w->palette().color(QPalette::ButtonText) == QColor(Qt::blue); }
}  // namespace

TEST_F(ShellTest, TickWithoutDeviceCyclesAboutPictureAndBlinksLabel) {
  createApp();
  TZelvan_main* m = main();
  m->tick().Timer1()->stop();
  EXPECT_FALSE(link()->RS232busy());
  std::vector<int> pictures;
  std::vector<bool> bold;
  for (int i = 0; i < 5; ++i) {
    m->Timer1Timer();
    pictures.push_back(m->windows().about->PictureIndex());
    bold.push_back(m->connection()->font().bold());
  }
  EXPECT_EQ(pictures, std::vector<int>({5, 6, 7, 8, 5}));
  EXPECT_EQ(bold, std::vector<bool>({false, true, false, true, false}));
  EXPECT_TRUE(link()->RS232busy());
  // With a device identified neither changes.
  report("DEV29\r\n");
  const int picture = m->windows().about->PictureIndex();
  m->Timer1Timer();
  m->Timer1Timer();
  EXPECT_EQ(m->windows().about->PictureIndex(), picture);
  EXPECT_FALSE(m->connection()->font().bold());
}

TEST_F(ShellTest, TickCallsFeatureBlinkersInOrder) {
  createApp();
  TZelvan_main* m = main();
  std::vector<std::string> calls;
  bool animationRequested = true;
  using zelvan::app::TickStep;
  // The later features' steps: logo status blinkers, the effect animation
  // when requested, the embedded soft-edge TAKE frame while EDSEB is set.
  addRecordingFeature(m, {{TickStep::LogoStatus, [&] { calls.push_back("statusM"); }},
                          {TickStep::LogoStatus, [&] { calls.push_back("statusP"); }},
                          {TickStep::EffectAnimation,
                           [&] {
                             if (animationRequested) calls.push_back("animation");
                           }},
                          {TickStep::EmbeddedTake, [&] {
                             if (link()->EDSEB()) calls.push_back(link()->TAKE() && link()->TAKEEVA() ? "takeOn" : "takeOff");
                           }}});
  report("DEV36\r\nch2\r\nchn2\r\nCH2\r\nCHN5\r\n");
  calls.clear();
  m->Timer1Timer();
  EXPECT_EQ(calls, std::vector<std::string>({"statusM", "statusP", "animation"}));
  EXPECT_TRUE(m->tick().StatusBlink);
  report("ch3\r\nchn3\r\nEDSB1\r\nTAKE1\r\nTKEV1\r\n");
  calls.clear();
  m->Timer1Timer();
  EXPECT_EQ(calls, std::vector<std::string>({"statusM", "statusP", "animation", "takeOn"}));
  EXPECT_FALSE(m->tick().StatusBlink);
  report("EDSB0\r\n");
  animationRequested = false;
  calls.clear();
  m->Timer1Timer();
  EXPECT_EQ(calls, std::vector<std::string>({"statusM", "statusP"}));
  // The shell's steps and the signal panels' steps sit in the tick's order
  // around the features' steps.
  const QStringList names = m->tickSchedule().names();
  EXPECT_EQ(names.indexOf("shell: no device"), 0);
  EXPECT_LT(names.indexOf("signal: freeze buttons"), names.indexOf("shell: store progress"));
  EXPECT_LT(names.indexOf("shell: status blink"), names.indexOf("recording"));
  EXPECT_LT(names.lastIndexOf("recording"), names.indexOf("keying: transparency sliders"));
  EXPECT_LT(names.indexOf("signal: PIP switches"), names.indexOf("shell: no-signal texts"));
}

TEST_F(ShellTest, TickBlinksTheInputRowAndTheFreezeButton) {
  createApp();
  TZelvan_main* m = main();
  auto* input3 = m->findControl<QAbstractButton>(QStringLiteral("label_input3"));
  auto* freeze = m->findControl<QAbstractButton>(QStringLiteral("BitBtn_Freeze_main"));
  ASSERT_TRUE(input3 && freeze);
  // Preview on input 3 (not on Main): the button turns bold and back each tick.
  report("DEV36\r\nCH1\r\nch3\r\nchn3\r\n");
  std::vector<bool> bold;
  for (int i = 0; i < 3; ++i) {
    m->Timer1Timer();
    bold.push_back(input3->font().bold());
  }
  EXPECT_NE(bold[0], bold[1]);
  EXPECT_EQ(bold[0], bold[2]);
  // A frozen Main output: its freeze button blinks too.
  report("FRZ1\r\n");
  std::vector<QFont> fonts;
  for (int i = 0; i < 2; ++i) {
    m->Timer1Timer();
    fonts.push_back(freeze->font());
  }
  EXPECT_NE(fonts[0], fonts[1]);
}

TEST_F(ShellTest, TickAdvancesStoreGaugeOncePerStoringOutput) {
  createApp();
  TZelvan_main* m = main();
  Tstatus* status = m->windows().status;
  status->setProgress(0);
  report("LSTO1\r\n");
  m->Timer1Timer();
  EXPECT_EQ(status->progress(), 1);
  EXPECT_EQ(m->tick().StoreElapsedSeconds, 1);
  // The Preview store starts the gauge again; then both outputs count.
  report("lsto1\r\n");
  EXPECT_EQ(status->progress(), 0);
  m->Timer1Timer();
  m->Timer1Timer();
  EXPECT_EQ(status->progress(), 4);
  EXPECT_EQ(m->tick().StoreElapsedSeconds, 5);
}

TEST_F(ShellTest, TakeButtonBlinksWhileAnEffectRuns) {
  createApp();
  TZelvan_main* m = main();
  auto* take = m->findControl<QAbstractButton>(QStringLiteral("BitBtn_Take"));
  ASSERT_TRUE(take);
  m->Timer1Timer();
  EXPECT_FALSE(take->font().bold());
  report("EON1\r\n");
  m->Timer1Timer();
  EXPECT_TRUE(take->font().bold());
  EXPECT_TRUE(isBlue(take));
  m->Timer1Timer();
  EXPECT_FALSE(take->font().bold());
  EXPECT_TRUE(take->font().italic());
  EXPECT_FALSE(isBlue(take));
  m->Timer1Timer();
  EXPECT_TRUE(take->font().bold());
  report("EON0\r\n");
  m->Timer1Timer();
  EXPECT_FALSE(take->font().bold());
  EXPECT_FALSE(take->font().italic());
}

TEST_F(ShellTest, PipSwitchButtonsBlinkDuringAPipTake) {
  createApp();
  TZelvan_main* m = main();
  auto* sw = m->findControl<QAbstractButton>(QStringLiteral("SpeedButton_pippop_main"));
  auto* other = m->findControl<QAbstractButton>(QStringLiteral("SpeedButton_pippop_preview"));
  ASSERT_TRUE(sw && other);
  report("EFF4\r\nTAKE1\r\n");
  EXPECT_TRUE(sw->isEnabled());
  sw->setChecked(true);
  std::vector<bool> bold;
  for (int i = 0; i < 3; ++i) {
    m->Timer1Timer();
    bold.push_back(sw->font().bold());
  }
  EXPECT_NE(bold[0], bold[1]);
  EXPECT_EQ(bold[0], bold[2]);
  EXPECT_FALSE(other->font().bold());  // not down: left alone
  report("EFF1\r\n");                   // Fade is no PiP kind
  m->Timer1Timer();
  EXPECT_FALSE(sw->font().bold());
}

TEST_F(ShellTest, UpdateNoticeStaysFortyTicksThenThirtyAndOkEndsIt) {
  createApp();
  TZelvan_main* m = main();
  report("DEV27\r\nV_14\r\n");
  ASSERT_FALSE(m->Panel_updater()->isHidden());
  for (int i = 0; i < 39; ++i) m->Timer1Timer();
  EXPECT_FALSE(m->Panel_updater()->isHidden());
  m->Timer1Timer();
  EXPECT_TRUE(m->Panel_updater()->isHidden());
  report("V_15\r\n");
  for (int i = 0; i < 29; ++i) m->Timer1Timer();
  EXPECT_FALSE(m->Panel_updater()->isHidden());
  m->Timer1Timer();
  EXPECT_TRUE(m->Panel_updater()->isHidden());
  // A notice while one is counting keeps the count; OK ends it at the next tick.
  report("V_16\r\n");
  for (int i = 0; i < 10; ++i) m->Timer1Timer();
  report("V_17\r\n");
  EXPECT_EQ(m->updateNotice().UpdateNoticeCountdown, 20);
  QTest::mouseClick(m->Button_ok_updater(), Qt::LeftButton);
  EXPECT_FALSE(m->Panel_updater()->isHidden());
  m->Timer1Timer();
  EXPECT_TRUE(m->Panel_updater()->isHidden());
  EXPECT_EQ(m->updateNotice().UpdateNoticeCountdown, 30);
}

TEST_F(ShellTest, NoSignalTextsHideWhenTheCountdownEnds) {
  createApp();
  TZelvan_main* m = main();
  auto* label = new QLabel(QStringLiteral("no signal"), m->page(QStringLiteral("Input")));
  label->setObjectName(QStringLiteral("Label_no_signal_Main"));
  m->tick().NoSignalCountdown = 2;
  m->Timer1Timer();
  EXPECT_FALSE(label->isHidden());
  EXPECT_EQ(m->tick().NoSignalCountdown, 1);
  m->Timer1Timer();
  EXPECT_TRUE(label->isHidden());
  EXPECT_EQ(m->tick().NoSignalCountdown, 0);
  label->show();
  m->Timer1Timer();
  EXPECT_FALSE(label->isHidden());
}

TEST_F(ShellTest, TransparencySliderHidesWhenThePointerLeaves) {
  createApp();
  TZelvan_main* m = main();
  m->show();
  auto* picture = m->findControl<QWidget>(QStringLiteral("Image_Transparence_logoM_pchan3"));
  auto* slider = m->findControl<QWidget>(QStringLiteral("LMDScrollBar_Transparence_lptransM"));
  ASSERT_TRUE(picture && slider);
  // A click on input 3's picture opens the slider below it.
  QTest::mouseClick(picture, Qt::LeftButton);
  ASSERT_FALSE(slider->isHidden());
  EXPECT_EQ(slider->property("Tag").toInt(), 3);
  QPoint pointer = picture->mapToGlobal(QPoint(5, 5));
  m->feature<zelvan::app::TKeyingFeature>()->panels()->placement(1).pointerPosition = [&] { return pointer; };
  m->Timer1Timer();
  EXPECT_FALSE(slider->isHidden());
  pointer = slider->mapToGlobal(QPoint(slider->width() / 2, slider->height() / 2));
  m->Timer1Timer();
  EXPECT_FALSE(slider->isHidden());
  pointer = picture->mapToGlobal(QPoint(-30, -30));
  m->Timer1Timer();
  EXPECT_TRUE(slider->isHidden());
  m->hide();
}

// ------------------------------------------------------- store progress

TEST_F(ShellTest, StoreWindowClosedEarlyRunsOutToTheEnd) {
  createApp();
  Tstatus* status = main()->windows().status;
  EXPECT_EQ(status->windowTitle(), QStringLiteral("Please Wait ....."));
  EXPECT_EQ(status->maxValue(), 180);
  main()->move(100, 80);
  status->setMaxValue(100);
  status->setProgress(60);
  status->show();
  EXPECT_EQ(status->pos(), QPoint(352, 493));
  status->close();
  EXPECT_TRUE(status->isVisible());
  EXPECT_TRUE(status->runOutActive());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !status->isVisible(); }, 2000));
  EXPECT_GE(status->progress(), 100);
  EXPECT_FALSE(status->runOutActive());
  EXPECT_EQ(status->Gauge_store->value(), status->Gauge_store->maximum());
}

TEST_F(ShellTest, StoreWindowAbortSendsAbortAndClosesAtOnce) {
  createApp();
  connectLink();
  Tstatus* status = main()->windows().status;
  status->setMaxValue(100);
  status->setProgress(10);
  status->show();
  QTest::mouseClick(status->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(link()->sentString(), QStringLiteral("1Lr"));  // LABORTM
  EXPECT_TRUE(main()->state().StoreAborted);
  status->close();
  EXPECT_FALSE(status->isVisible());
  EXPECT_FALSE(status->runOutActive());
  // With a Preview store running the abort goes to LABORTP.
  report("lsto1\r\n");
  status->BitBtn1Click();
  EXPECT_EQ(link()->sentString(), QStringLiteral("1lr"));
  // A full gauge closes at once too.
  main()->state().StoreAborted = false;
  status->setProgress(100);
  status->show();
  status->close();
  EXPECT_FALSE(status->isVisible());
}

TEST_F(ShellTest, PipSwitchTimerReleasesBothSwitchButtonsOnce) {
  createApp();
  TZelvan_main* m = main();
  auto* sw = m->findControl<QAbstractButton>(QStringLiteral("SpeedButton_pippop_preview"));
  ASSERT_TRUE(sw);
  sw->setEnabled(true);
  sw->setChecked(true);
  EXPECT_FALSE(m->findChild<QTimer*>(QStringLiteral("Timer_pippop"))->isActive());
  EXPECT_EQ(m->findChild<QTimer*>(QStringLiteral("Timer_pippop"))->interval(), 5000);
  m->findChild<QTimer*>(QStringLiteral("Timer_pippop"))->start(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !sw->isChecked(); }, 1000));
  EXPECT_FALSE(sw->font().bold());
  EXPECT_FALSE(m->findChild<QTimer*>(QStringLiteral("Timer_pippop"))->isActive());
}
