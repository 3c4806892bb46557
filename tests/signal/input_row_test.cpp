// Input row: input choice, the Main / Preview / pending display, the
// one-second blink, the PIP switch buttons and the hints.
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "panel/signal/input_row.h"
#include "panel/signal/signal_tables.h"
#include "signal_test_support.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class InputRowTest : public SignalTest {
 protected:
  QPushButton* button(int n) { return find<QPushButton>(QStringLiteral("label_input%1").arg(n)); }
  TInputRow* row() { return panels->inputRow(); }
};
}  // namespace

TEST_F(InputRowTest, ClickSendsPreviewAndRedrawsFromTheDevice) {
  feed({"CH2", "ch1", "chn1"});
  button(3)->click();
  EXPECT_EQ(sent, QStringList{"3cn"});
  // The click's own toggle is undone: only the Main input is shown pressed.
  EXPECT_FALSE(button(3)->isChecked());
  EXPECT_TRUE(button(2)->isChecked());

  // Clicking the input that is already on Preview sends it again.
  sent.clear();
  button(1)->click();
  EXPECT_EQ(sent, QStringList{"1cn"});
  EXPECT_FALSE(button(1)->isChecked());
}

TEST_F(InputRowTest, PipEffectOnAirRoutesTheClickThroughTheSwitchButtons) {
  row()->setPipSwitchInterval(30);
  feed({"EFF4", "TAKE1"});
  ASSERT_TRUE(row()->pipOnAir());
  EXPECT_TRUE(row()->SpeedButton_pippop_main()->isEnabled());

  // Neither switch pressed: nothing is sent.
  button(5)->click();
  EXPECT_TRUE(sent.isEmpty());

  row()->SpeedButton_pippop_main()->click();
  ASSERT_TRUE(row()->SpeedButton_pippop_main()->isChecked());
  button(5)->click();
  EXPECT_EQ(sent, QStringList{"5CN"});
  EXPECT_TRUE(row()->pipSwitchTimer()->isActive());

  // Only one switch is down at a time.
  row()->SpeedButton_pippop_preview()->click();
  EXPECT_FALSE(row()->SpeedButton_pippop_main()->isChecked());
  sent.clear();
  button(6)->click();
  EXPECT_EQ(sent, QStringList{"6cn"});

  // Without another click the timer releases both switches.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !row()->SpeedButton_pippop_preview()->isChecked(); }, 2000));
  EXPECT_FALSE(row()->pipSwitchTimer()->isActive());
  EXPECT_FALSE(isBold(row()->SpeedButton_pippop_preview()));

  // A Title effect without TAKE is no PIP on air.
  feed({"EFF2", "TAKE0"});
  EXPECT_FALSE(row()->pipOnAir());
  EXPECT_FALSE(row()->SpeedButton_pippop_main()->isEnabled());
}

TEST_F(InputRowTest, MainInputReportMarksBothWindowsAndTheGrid) {
  feed({"CH4"});
  EXPECT_TRUE(button(4)->isChecked());
  EXPECT_TRUE(isBold(button(4)));
  EXPECT_EQ(captionColor(button(4)), colorMain());
  EXPECT_TRUE(host.matrixButtons[0][4]->isChecked());
  EXPECT_EQ(captionColor(host.matrixButtons[0][4]), colorMain());
  EXPECT_EQ(cell(1, 1), "Input 4");
  EXPECT_EQ(cell(1, 2), "");
  EXPECT_EQ(row()->SpeedButton_pippop_main()->toolTip(), "Input 4");
  EXPECT_TRUE(host.logoTab[0]);
  EXPECT_GE(host.inputLabels, 1);
  ASSERT_FALSE(host.logoIndicators.empty());

  feed({"CH0"});
  EXPECT_TRUE(button(0)->isChecked());
  EXPECT_FALSE(button(4)->isChecked());
  EXPECT_FALSE(isBold(button(4)));
  EXPECT_TRUE(host.matrixButtons[0][0]->isChecked());
  EXPECT_EQ(cell(1, 1), "   No input");
  EXPECT_EQ(cell(1, 2), "select");
  EXPECT_FALSE(host.logoTab[0]);

  // A report outside 0..8 is refused by the ranges: nothing changes.
  feed({"CH9"});
  EXPECT_TRUE(button(0)->isChecked());
}

TEST_F(InputRowTest, PreviewReportColoursTheButtonAndWritesTheMatrixGrid) {
  feed({"CH1", "ch3"});
  EXPECT_EQ(captionColor(button(3)), colorPreview());
  EXPECT_TRUE(host.matrixButtons[1][3]->isChecked());
  EXPECT_EQ(cell(1, 1), "Input 1");
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 1, 1), "Input 3");
  EXPECT_EQ(row()->SpeedButton_pippop_preview()->toolTip(), "Input 3");

  // The same input on both outputs shows the Main colour.
  feed({"ch1"});
  EXPECT_EQ(captionColor(button(1)), colorMain());
  EXPECT_TRUE(isBold(button(1)));
  EXPECT_EQ(captionColor(button(3)), colorWindowText());

  feed({"ch0"});
  EXPECT_EQ(captionColor(button(0)), colorPreview());
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 1, 2), "select");
  EXPECT_FALSE(host.logoTab[1]);
}

TEST_F(InputRowTest, PendingInputBlinksBlueWhilePreviewStaysGreen) {
  feed({"CH1", "ch2", "chn3"});
  panels->tickInputs();
  EXPECT_EQ(captionColor(button(3)), colorPending());
  EXPECT_EQ(row()->lastPendingPreview(), 3);
  panels->tickInputs();
  EXPECT_EQ(captionColor(button(3)), colorWindowText());
  panels->tickInputs();
  EXPECT_EQ(captionColor(button(3)), colorPending());
  EXPECT_EQ(captionColor(button(2)), colorPreview());
  EXPECT_FALSE(isBold(button(2)));
  EXPECT_EQ(captionColor(button(1)), colorMain());
  EXPECT_TRUE(isBold(button(1)));

  // Once the device has switched, the last pending button is cleaned up.
  feed({"chn2"});
  EXPECT_EQ(captionColor(button(3)), colorWindowText());
}

TEST_F(InputRowTest, SameInputOnMainAndPreviewFlipsRedGreenAlwaysBold) {
  feed({"CH4", "ch4", "chn4"});
  QColor last = captionColor(button(4));
  for (int i = 0; i < 4; ++i) {
    panels->tickInputs();
    const QColor now = captionColor(button(4));
    EXPECT_TRUE(now == colorMain() || now == colorPreview());
    EXPECT_NE(now, last);
    EXPECT_TRUE(isBold(button(4)));
    last = now;
  }
}

TEST_F(InputRowTest, PreviewInputAloneBlinksBoldGreenAndRegular) {
  feed({"CH1", "ch5", "chn5"});
  panels->tickInputs();
  const bool firstBold = isBold(button(5));
  panels->tickInputs();
  EXPECT_NE(isBold(button(5)), firstBold);
  EXPECT_EQ(captionColor(button(5)), isBold(button(5)) ? colorPreview() : colorWindowText());
  // Nothing blinks when the pending input is the Main input.
  feed({"ch2", "chn1"});
  const QColor before = captionColor(button(1));
  panels->tickInputs();
  EXPECT_EQ(captionColor(button(1)), before);
}

TEST_F(InputRowTest, PendingValueAboveEightIsRecordedButTouchesNoButton) {
  feed({"CH1", "ch2", "chn12"});
  panels->tickInputs();
  EXPECT_EQ(row()->lastPendingPreview(), 12);
  for (int n = 0; n <= 8; ++n) EXPECT_NE(captionColor(button(n)), colorPending());
}

TEST_F(InputRowTest, MatrixBlinkRunsOnlyInMatrixMode) {
  feed({"CH1", "CHN2", "ch3", "chn4"});
  panels->tickInputs();
  EXPECT_FALSE(isBold(host.matrixButtons[0][2]));
  EXPECT_EQ(row()->lastPendingMain(), 2);

  feed({"MTRX1"});
  panels->tickInputs();
  EXPECT_TRUE(isBold(host.matrixButtons[0][2]));
  EXPECT_EQ(captionColor(host.matrixButtons[0][2]), colorPreview());
  EXPECT_TRUE(isBold(host.matrixButtons[1][4]));
  panels->tickInputs();
  EXPECT_FALSE(isBold(host.matrixButtons[0][2]));
  EXPECT_EQ(captionColor(host.matrixButtons[0][2]), colorWindowText());

  // The pending Main input moves on: the old one is cleaned at the next tick.
  panels->tickInputs();
  feed({"CHN5"});
  panels->tickInputs();
  EXPECT_FALSE(isBold(host.matrixButtons[0][2]));
  EXPECT_EQ(captionColor(host.matrixButtons[0][2]), colorWindowText());
  EXPECT_EQ(row()->lastPendingMain(), 5);
}

TEST_F(InputRowTest, HintsNameTheMemoryListsAndThePreviewStatus) {
  row()->hinthinthint_ichm();
  EXPECT_EQ(button(2)->toolTip(), " FRAME  : None\r\n1: LOGO : Logo 2\r\n2: LOGO : Logo 2");
  EXPECT_EQ((host.listHints[{1, 2}]), "Logo 2");

  feed({"ch2"});
  zelvan::signal::setCell(panels->StringGrid2(), 3, 1, "47KHz");
  row()->label_input1MouseMove(2);
  const QString hint = button(2)->toolTip();
  EXPECT_TRUE(hint.contains("\r\n------------------------------------------\r\n")) << hint.toStdString();
  EXPECT_TRUE(hint.contains("Line freq: 47KHz ")) << hint.toStdString();
  // Moving over another input empties the status part again.
  row()->label_input1MouseMove(3);
  EXPECT_FALSE(button(2)->toolTip().contains("----"));
}

TEST_F(InputRowTest, RightButtonOpensTheRenameMenuForInputsOneToEight) {
  QTest::mouseClick(button(6), Qt::RightButton);
  QTest::mouseClick(button(0), Qt::RightButton);
  EXPECT_EQ(host.renamed, std::vector<int>{6});
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(InputRowTest, DisplayButtonToggleUsesTheInputsOwnEntry) {
  feed({"PCH0", "LDYS1"});
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(row()->displayButton(n)->text(), "ON");
  EXPECT_EQ(captionColor(row()->displayButton(1)), colorMenuText());
  // Entry 3 was not copied from the broadcast: the toggle sends ON again.
  row()->displayButton(3)->click();
  EXPECT_EQ(sent, (QStringList{"3PC", "1LD"}));

  feed({"PCH3", "LDYS0"});
  EXPECT_EQ(row()->displayButton(3)->text(), "OFF");
  EXPECT_EQ(captionColor(row()->displayButton(3)), colorRed());
  EXPECT_EQ(row()->displayButton(4)->text(), "ON");
  sent.clear();
  row()->BitBtn_Input_output2_Click(2);
  EXPECT_EQ(sent, (QStringList{"2PC", "1lD"}));
  feed({"PCH2", "ldys1"});
  EXPECT_EQ(host.display2[1]->text(), "ON");
}
