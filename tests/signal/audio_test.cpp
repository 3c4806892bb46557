// Audio: routing and mode, toggles, level drag with one channel selection,
// field re-send of the input's own level, paced balance, display.
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "panel/signal/audio_panel.h"
#include "signal_test_support.h"
#include "widgets/ttamponvar.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class AudioTest : public SignalTest {
 protected:
  TAudioPanel* au() { return panels->audio(); }
};
}  // namespace

TEST_F(AudioTest, LevelDragSelectsTheChannelOnce) {
  for (int p = 33; p <= 40; ++p) au()->ScrollBar_ALEV_PCHANScroll(3, scTrack, p);
  au()->ScrollBar_ALEV_PCHANScroll(3, scEndScroll, 40);
  ASSERT_EQ(sent.size(), 10);
  EXPECT_EQ(sent.front(), "3PC");
  EXPECT_EQ(sent.count("3PC"), 1);
  EXPECT_EQ(sent[1], "33RL");
  EXPECT_EQ(sent.last(), "40RL");
  EXPECT_TRUE(au()->audioChannelFlag());
  // The next drag selects its channel again.
  sent.clear();
  au()->ScrollBar_ALEV_PCHANScroll(6, scLineDown, 20);
  EXPECT_EQ(sent, (QStringList{"6PC", "20RL"}));
  EXPECT_FALSE(au()->audioChannelFlag());
}

TEST_F(AudioTest, OutOfRangeFieldResendsTheInputsOwnLevel) {
  feed({"PCH5", "ALVL40", "PCH2", "ALVL10"});
  QLineEdit* field = au()->Edit_ALEV_PCHAN(5);
  field->setText("300");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(sent, (QStringList{"5PC", "40RL"}));
  sent.clear();
  field->setText("12");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(sent, (QStringList{"5PC", "12RL"}));
  sent.clear();
  au()->Edit_ABAL_PCHAN(7)->setText("-1");
  au()->Edit_ABAL_PCHANKeyPress(7, QLatin1Char('\r'));
  EXPECT_EQ(sent, (QStringList{"7PC", "0RB"}));
}

TEST_F(AudioTest, BalanceDragIsPacedByTheReports) {
  // Ten positions while the device has not answered yet.
  for (int p = 33; p <= 42; ++p) au()->ScrollBar_ABAL_PCHANScroll(4, scTrack, p);
  EXPECT_EQ(sent, (QStringList{"4PC", "33RB"}));
  EXPECT_FALSE(au()->Tamponvar_ABAL()->Vide());
  // Each report releases one more value, skipping ahead; the last is last.
  QStringList paced;
  for (int i = 0; i < 10 && !au()->Tamponvar_ABAL()->Vide(); ++i) {
    sent.clear();
    feed({"PCH4", "ABAL33"});
    paced << sent.filter("RB");
  }
  EXPECT_LT(paced.size(), 10);
  ASSERT_FALSE(paced.isEmpty());
  EXPECT_EQ(paced.last(), "42RB");
  sent.clear();
  feed({"ABAL42"});
  EXPECT_TRUE(sent.filter("RB").isEmpty());
}

TEST_F(AudioTest, LevelAndBalanceDisplayFollowThePerChannelReports) {
  feed({"PCH0", "ALVL20", "ABAL50"});
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(au()->ScrollBar_ALEV_PCHAN(n)->value(), 20);
    EXPECT_EQ(au()->Edit_ABAL_PCHAN(n)->text(), "50");
  }
  // Moved even while dragged.
  au()->ScrollBar_ALEV_PCHANScroll(2, scTrack, 60);
  feed({"PCH2", "ALVL55"});
  EXPECT_EQ(au()->ScrollBar_ALEV_PCHAN(2)->value(), 55);
  EXPECT_EQ(au()->ScrollBar_ALEV_PCHAN(3)->value(), 20);
}

TEST_F(AudioTest, RoutingAndAutomaticMode) {
  feed({"AMOD1", "ACH3"});
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(1, 3)->isChecked());
  EXPECT_FALSE(au()->LMDRadioButton_AMODE(1)->isChecked());
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(1, 5)->isEnabled());
  au()->Radiobutton_audio_ACHAN(1, 5)->click();
  EXPECT_EQ(sent, QStringList{"5RC"});
  // The check stays with the device's choice until it reports.
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(1, 3)->isChecked());
  EXPECT_FALSE(au()->Radiobutton_audio_ACHAN(1, 5)->isChecked());

  sent.clear();
  au()->LMDRadioButton_AMODE(1)->click();
  EXPECT_EQ(sent, QStringList{"0RO"});
  EXPECT_FALSE(au()->LMDRadioButton_AMODE(1)->isChecked());
  feed({"AMOD0"});
  EXPECT_TRUE(au()->LMDRadioButton_AMODE(1)->isChecked());
  for (int n = 1; n <= 8; ++n) EXPECT_FALSE(au()->Radiobutton_audio_ACHAN(1, n)->isEnabled());
  sent.clear();
  au()->LMDRadioButton_AMODE(1)->click();
  EXPECT_EQ(sent, QStringList{"1RO"});

  feed({"ach9"});
  EXPECT_FALSE(au()->Radiobutton_audio_ACHAN(2, 1)->isChecked());
  feed({"ach2"});
  EXPECT_TRUE(au()->Radiobutton_audio_ACHAN(2, 2)->isChecked());
}

TEST_F(AudioTest, MuteAuxAndMonoToggles) {
  au()->SpeedButton_AMUTE(1)->click();
  EXPECT_EQ(sent, QStringList{"1RM"});
  EXPECT_FALSE(au()->SpeedButton_AMUTE(1)->isChecked());
  feed({"AMUT1", "axmu1", "AMNO1"});
  EXPECT_TRUE(au()->SpeedButton_AMUTE(1)->isChecked());
  EXPECT_EQ(au()->SpeedButton_AMUTE(1)->property("GlyphIndex").toInt(), 2);
  EXPECT_TRUE(au()->SpeedButton_AAUXM(2)->isChecked());
  EXPECT_EQ(au()->SpeedButton_AMONO(1)->text(), "Mono         ");
  sent.clear();
  au()->SpeedButton_AMUTE(1)->click();
  au()->SpeedButton_AAUXM(2)->click();
  au()->SpeedButton_AMONO(1)->click();
  EXPECT_EQ(sent, (QStringList{"0RM", "0rx", "0RS"}));
  feed({"AMNO0", "AMUT0"});
  EXPECT_EQ(au()->SpeedButton_AMONO(1)->text(), "Stereo       ");
  EXPECT_EQ(au()->SpeedButton_AMUTE(1)->property("GlyphIndex").toInt(), 0);
}

TEST_F(AudioTest, MasterVolumeIsAnAdjustmentTriple) {
  QLineEdit* field = au()->Edit_AMAST(2);
  field->setText("200");
  QTest::keyClick(field, Qt::Key_Return);
  feed({"avol180"});
  field->setText("256");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(sent, (QStringList{"200rv", "180rv"}));
  EXPECT_EQ(au()->ScrollBar_AMAST(2)->value(), 180);
  EXPECT_EQ(au()->ScrollBar_AMAST(1)->value(), 191);
}
