// Transitions and take: TAKE toggle, the T-bar direction, the fade colour
// dialog, the transition menus, duration presets, freeze and the blinks.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "panel/signal/input_row.h"
#include "panel/signal/signal_tables.h"
#include "panel/signal/transition_panel.h"
#include "signal_test_support.h"
#include "widgets/uidialogs.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class TransitionTest : public SignalTest {
 protected:
  TTransitionPanel* tr() { return panels->transition(); }
};
}  // namespace

TEST_F(TransitionTest, TakeSendsTheOppositeOfTheLastReport) {
  tr()->BitBtn_Take()->click();
  tr()->BitBtn_Take()->click();
  EXPECT_EQ(sent, (QStringList{"1G", "1G"}));
  feed({"TAKE1"});
  sent.clear();
  tr()->BitBtn_Take()->click();
  EXPECT_EQ(sent, QStringList{"0G"});
}

TEST_F(TransitionTest, TakePossibleEnablesButtonsAndSetsThePointer) {
  feed({"TKEV0"});
  EXPECT_FALSE(tr()->BitBtn_Take()->isEnabled());
  EXPECT_FALSE(host.take->isEnabled());
  EXPECT_EQ(panels->inputRow()->inputButton(3)->cursor().shape(), Qt::BusyCursor);
  EXPECT_EQ(host.matrixButtons[1][3]->cursor().shape(), Qt::BusyCursor);
  feed({"TKEV1"});
  EXPECT_TRUE(tr()->BitBtn_Take()->isEnabled());
  EXPECT_EQ(panels->inputRow()->inputButton(0)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(TransitionTest, TBarRunsZeroTo255InBothDirections) {
  QSlider* bar = tr()->TBar();
  for (int p : {0, 128, 255}) bar->setValue(p);
  EXPECT_EQ(sent, (QStringList{"128N", "255N"}));  // 0 was already the position
  feed({"TBP255", "EON1"});
  sent.clear();
  feed({"EON0"});
  EXPECT_TRUE(tr()->tbarDirection());
  EXPECT_EQ(sent, QStringList{"0N"});
  sent.clear();
  for (int p : {200, 55, 0}) bar->setValue(p);
  EXPECT_EQ(sent, (QStringList{"55N", "200N", "255N"}));
  // EFFON false elsewhere than at the end changes nothing.
  feed({"TBP100"});
  sent.clear();
  feed({"EON0"});
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_TRUE(tr()->tbarDirection());
}

TEST_F(TransitionTest, TBarAvailability) {
  feed({"TBAV0"});
  EXPECT_FALSE(tr()->TBar()->isEnabled());
  EXPECT_FALSE(tr()->PanelTBAR()->isEnabled());
  EXPECT_EQ(tr()->TBar()->tickPosition(), QSlider::NoTicks);
  feed({"TBAV1"});
  EXPECT_TRUE(tr()->TBar()->isEnabled());
  EXPECT_TRUE(tr()->Label203()->isEnabled());
  EXPECT_NE(tr()->TBar()->tickPosition(), QSlider::NoTicks);
}

TEST_F(TransitionTest, FadeColourCancelledSendsTheCurrentColourAgain) {
  zelvan::ui::ScriptedDialogs dialogs;
  feed({"BFCR10", "BFCG20", "BFCB30"});
  tr()->transitionItem(1, 0)->trigger();
  EXPECT_EQ(sent, (QStringList{"0LF", "30fb", "20fg", "10fr"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown.front().what, "chooseColor");

  sent.clear();
  dialogs.colorAnswers.push_back(QColor(1, 2, 3));
  tr()->Logofade_output2Click();
  EXPECT_EQ(sent, (QStringList{"0lF", "3fB", "2fG", "1fR"}));
  EXPECT_EQ(host.fade[0], QColor(10, 20, 30));
  EXPECT_EQ(tr()->LMDGraphicLabel_Transition()->palette().color(QPalette::WindowText), QColor(10, 20, 30));
}

TEST_F(TransitionTest, RadioButtonsRunTheMenuActions) {
  zelvan::ui::ScriptedDialogs dialogs;
  tr()->transitionRadio(4)->click();  // "Fade frame 3 ..."
  EXPECT_EQ(sent, QStringList{"4LF"});
  // The check follows the device, not the press.
  EXPECT_FALSE(tr()->transitionRadio(4)->isChecked());
  feed({"LFAD4"});
  EXPECT_TRUE(tr()->transitionRadio(4)->isChecked());
  EXPECT_TRUE(tr()->transitionItem(1, 4)->isChecked());
  feed({"LFAD9"});
  EXPECT_TRUE(tr()->transitionRadio(4)->isChecked());
  feed({"lfad3"});
  EXPECT_TRUE(tr()->transitionItem(2, 3)->isChecked());
  EXPECT_EQ(host.output2Kind, 3);
  sent.clear();
  tr()->transitionRadio(0)->click();  // "Fade color ..."
  EXPECT_EQ(sent.front(), "0LF");
  EXPECT_EQ(dialogs.shown.size(), 1u);
  sent.clear();
  tr()->transitionItem(2, 7)->trigger();
  EXPECT_EQ(sent, QStringList{"7lF"});
}

TEST_F(TransitionTest, MenuOpeningNamesTheFrames) {
  host.empty[11] = true;
  tr()->Transition_main_ou_output1Click();
  QAction* frame3 = tr()->transitionItem(1, 4);
  EXPECT_EQ(frame3->text(), "Frame 3 Empty.");
  EXPECT_FALSE(frame3->isEnabled());
  EXPECT_EQ(tr()->transitionItem(1, 1)->text(), "Fade Frame 1...");
  host.empty[11] = false;
  host.labels[11] = "Sunset";
  tr()->Transition_output2Click();
  EXPECT_EQ(tr()->transitionItem(2, 4)->text(), "Fade Sunset...");
  EXPECT_TRUE(tr()->transitionItem(2, 4)->isEnabled());
  EXPECT_EQ(tr()->transitionItem(1, 4)->text(), "Frame 3 Empty.");
}

TEST_F(TransitionTest, DurationPresetsAndAutotake) {
  tr()->presetButton(3)->click();
  EXPECT_EQ(sent, QStringList{"30eD"});
  EXPECT_EQ(host.durations, std::vector<int>{30});
  tr()->Autotake_On1()->trigger();
  EXPECT_EQ(sent.last(), "1yG");
  feed({"TKEA1"});
  EXPECT_TRUE(tr()->Autotake_On1()->isChecked());
  feed({"TKEA0"});
  EXPECT_TRUE(tr()->Autotake_Off1()->isChecked());
}

TEST_F(TransitionTest, FreezeBlinksItalicBlueAndBoldBlack) {
  tr()->BitBtn_Freeze_main()->click();
  EXPECT_EQ(sent, QStringList{"1Z"});
  EXPECT_FALSE(tr()->BitBtn_Freeze_main()->isChecked());
  feed({"FRZ1"});
  EXPECT_TRUE(tr()->BitBtn_Freeze_main()->isChecked());
  EXPECT_TRUE(host.freeze1->isChecked());
  EXPECT_EQ(host.tickEnabled, 1);
  panels->tickFreeze();
  EXPECT_EQ(captionColor(tr()->BitBtn_Freeze_main()), colorBlue());
  EXPECT_TRUE(isItalic(tr()->BitBtn_Freeze_main()));
  EXPECT_TRUE(isItalic(host.freeze1));
  panels->tickFreeze();
  EXPECT_EQ(captionColor(tr()->BitBtn_Freeze_main()), colorWindowText());
  EXPECT_TRUE(isBold(tr()->BitBtn_Freeze_main()));
  // Preview is not frozen: it does not blink.
  EXPECT_FALSE(isItalic(tr()->BitBtn_Freeze_preview()));
  feed({"FRZ0"});
  EXPECT_FALSE(tr()->BitBtn_Freeze_main()->isChecked());
  EXPECT_FALSE(isBold(tr()->BitBtn_Freeze_main()));
  EXPECT_EQ(captionColor(host.freeze1), colorWindowText());
}

TEST_F(TransitionTest, TakeAndPipSwitchBlinks) {
  feed({"EON1"});
  panels->tickTake();
  EXPECT_TRUE(isBold(tr()->BitBtn_Take()));
  EXPECT_EQ(captionColor(tr()->BitBtn_Take()), colorBlue());
  panels->tickTake();
  EXPECT_TRUE(isItalic(tr()->BitBtn_Take()));
  EXPECT_EQ(captionColor(tr()->BitBtn_Take()), colorWindowText());
  feed({"EON0"});
  panels->tickTake();
  EXPECT_FALSE(isBold(tr()->BitBtn_Take()));
  EXPECT_FALSE(isItalic(tr()->BitBtn_Take()));

  QToolButton* pip = panels->inputRow()->SpeedButton_pippop_main();
  feed({"EFF5", "TAKE1"});
  pip->click();
  panels->tickPipSwitches();
  EXPECT_TRUE(isBold(pip));
  panels->tickPipSwitches();
  EXPECT_FALSE(isBold(pip));
  EXPECT_EQ(captionColor(pip), colorGreen());
  feed({"TAKE0"});
  panels->tickPipSwitches();
  EXPECT_EQ(captionColor(pip), colorWindowText());
}
