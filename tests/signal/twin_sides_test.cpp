// Main/Preview twins of the transition, audio and status code: the Preview
// side reads and writes the Preview registers, and neither side moves on the
// other output's reports.
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "panel/signal/audio_panel.h"
#include "panel/signal/signal_status.h"
#include "panel/signal/signal_tables.h"
#include "panel/signal/transition_panel.h"
#include "signal_test_support.h"
#include "widgets/uidialogs.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class TwinSidesTest : public SignalTest {
 protected:
  TTransitionPanel* tr() { return panels->transition(); }
  TAudioPanel* au() { return panels->audio(); }
  QString g2(int r, int c) { return zelvan::signal::cell(panels->StringGrid2(), r, c); }
};
}  // namespace

TEST_F(TwinSidesTest, FadeColourOfEachOutputIsReadAndSentOnItsOwnRegisters) {
  zelvan::ui::ScriptedDialogs dialogs;  // no answers: every dialog is cancelled
  feed({"BFCR10", "BFCG20", "BFCB30", "bfcr40", "bfcg50", "bfcb300"});
  EXPECT_EQ(host.fade[0], QColor(10, 20, 30));
  EXPECT_EQ(host.fade[1], QColor(40, 50, 255));  // above 255 shows as 255
  tr()->Logofade_output2Click();
  EXPECT_EQ(sent, (QStringList{"0lF", "255fB", "50fG", "40fR"}));
  sent.clear();
  tr()->LogofadeClick();
  EXPECT_EQ(sent, (QStringList{"0LF", "30fb", "20fg", "10fr"}));
}

TEST_F(TwinSidesTest, FreezeOfEachOutputFollowsItsOwnReport) {
  tr()->BitBtn_Freeze_preview()->click();
  EXPECT_EQ(sent, QStringList{"1z"});
  feed({"frz1"});
  EXPECT_TRUE(tr()->BitBtn_Freeze_preview()->isChecked());
  EXPECT_TRUE(host.freeze2->isChecked());
  EXPECT_FALSE(tr()->BitBtn_Freeze_main()->isChecked());
  EXPECT_FALSE(host.freeze1->isChecked());
  feed({"FRZ1", "frz0"});
  EXPECT_FALSE(tr()->BitBtn_Freeze_preview()->isChecked());
  EXPECT_FALSE(host.freeze2->isChecked());
  EXPECT_TRUE(tr()->BitBtn_Freeze_main()->isChecked());
}

TEST_F(TwinSidesTest, PreviewAudioRoutingAndTogglesUseThePreviewRegisters) {
  feed({"amod1"});
  au()->Radiobutton_audio_ACHAN(2, 4)->click();
  au()->SpeedButton_AMUTE(2)->click();
  au()->SpeedButton_AMONO(2)->click();
  au()->LMDRadioButton_AMODE(2)->click();
  EXPECT_EQ(sent, (QStringList{"4rc", "1rm", "1rs", "0ro"}));
  feed({"amut1", "amno1", "ach4", "AMUT0", "AMNO0"});
  EXPECT_TRUE(au()->SpeedButton_AMUTE(2)->isChecked());
  EXPECT_FALSE(au()->SpeedButton_AMUTE(1)->isChecked());
  EXPECT_EQ(au()->SpeedButton_AMONO(2)->text(), "Mono         ");
  EXPECT_EQ(au()->SpeedButton_AMONO(1)->text(), "Stereo       ");
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(2, 4)->isChecked());
  EXPECT_FALSE(au()->Radiobutton_audio_ACHAN(1, 4)->isChecked());
  // Main's mode report leaves the Preview channels enabled.
  feed({"AMOD0"});
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(2, 4)->isEnabled());
  EXPECT_FALSE(au()->Radiobutton_audio_ACHAN(1, 4)->isEnabled());
}

TEST_F(TwinSidesTest, StatusRowsOfEachOutputReadItsOwnSignal) {
  feed({"PCH1", "PRGB8", "CH1", "IFA17", "IST0", "IHP1", "IVP1", "IPS1", "IOO0"});
  feed({"ch1", "ifa3", "ist0", "ihp0", "ivp1", "ips1", "ioo0"});
  EXPECT_EQ(panels->status(2)->input(), 1u);
  EXPECT_TRUE(panels->status(2)->signalValid());
  EXPECT_EQ(cell(5, 2), "H+ V+");
  EXPECT_EQ(g2(5, 1), "H & V");
  EXPECT_EQ(g2(5, 2), "H- V+");
  EXPECT_EQ(cell(2, 0), "XGA");
  EXPECT_EQ(g2(2, 0), "PAL std(4,43/50)");
  // The Preview signal goes out of range; Main keeps its rows.
  feed({"ioo1"});
  EXPECT_FALSE(panels->status(2)->signalValid());
  EXPECT_TRUE(panels->status(1)->signalValid());
  EXPECT_EQ(g2(5, 1), "");
  EXPECT_EQ(cell(5, 1), "H & V");
}
