// Input tab (per-input settings, PCHAN broadcast), tally outputs and the
// "No input signal autolock" menu.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/signal_tables.h"
#include "panel/signal/tally_panel.h"
#include "signal_test_support.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class InputTableTest : public SignalTest {
 protected:
  TInputTable* table() { return panels->inputTable(); }
};
}  // namespace

TEST_F(InputTableTest, UsedBroadcastThenOneInput) {
  feed({"PCH0", "PEN1"});
  for (int n = 1; n <= 8; ++n) ASSERT_TRUE(table()->Label_input_(n)->isChecked());
  feed({"PCH0", "PEN0"});
  for (int n = 1; n <= 8; ++n) {
    EXPECT_FALSE(table()->Label_input_(n)->isChecked());
    EXPECT_FALSE(panels->inputRow()->inputButton(n)->isEnabled());
    EXPECT_FALSE(host.matrixButtons[0][static_cast<size_t>(n)]->isEnabled());
    EXPECT_EQ(captionColor(table()->LMDRadioButton_HiZ(n)), colorGrey());
    EXPECT_EQ(table()->ComboBox_signaltype(n)->Color(), colorSilver());
  }
  const int hintsBefore = host.matrixHints;
  feed({"PCH4", "PEN1"});
  EXPECT_TRUE(table()->Label_input_(4)->isChecked());
  EXPECT_TRUE(panels->inputRow()->inputButton(4)->isEnabled());
  EXPECT_EQ(captionColor(table()->LMDRadioButton_HiZ(4)), colorBlack());
  EXPECT_EQ(table()->ComboBox_signaltype(4)->Color(), colorWhite());
  EXPECT_FALSE(table()->Label_input_(3)->isChecked());
  EXPECT_FALSE(panels->inputRow()->inputButton(5)->isEnabled());
  EXPECT_GT(host.matrixHints, hintsBefore);
  EXPECT_TRUE(sent.isEmpty());  // a refresh from the device sends nothing
}

TEST_F(InputTableTest, BroadcastIsCopiedSoALaterPerInputRefreshShowsIt) {
  feed({"PCH0", "PRGB9"});
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(table()->ComboBox_signaltype(n)->Text(), "Computer DVI");
  EXPECT_EQ(panels->context().table.signalType[6], 9);
  // Standard lists: inactive-caption-text colour for codes of 2 and more.
  EXPECT_EQ(table()->ComboBox_standard(2)->Color(), colorInactiveCaptionText());
  feed({"PCH0", "PRGB1"});
  EXPECT_EQ(table()->ComboBox_standard(2)->Color(), colorWindowBackground());
  // Per input: the standard list takes the used colour below 2.
  feed({"PCH5", "PEN1", "PRGB0"});
  EXPECT_EQ(table()->ComboBox_standard(5)->Color(), colorWhite());
  EXPECT_EQ(table()->ComboBox_signaltype(5)->Text(), "SDTV Composite");
  feed({"PCH5", "PRGB13"});
  EXPECT_EQ(table()->ComboBox_signaltype(5)->Text(), "SDTV SDI 2");
  EXPECT_EQ(table()->ComboBox_signaltype(5)->ItemIndex(), 7);
}

TEST_F(InputTableTest, SignalTypeTableAndItsFallback) {
  EXPECT_EQ(ComboBox_signaltype_IndexOf(13), 7);
  EXPECT_EQ(ComboBox_signaltype_IndexOf(7), 8);
  EXPECT_EQ(ComboBox_signaltype_IndexOf(12), 13);
  EXPECT_EQ(ComboBox_signaltype_IndexOf(14), 14);
  EXPECT_EQ(signalTypeName(8), "Computer H&V/C,TTL/ana.");
  EXPECT_EQ(signalTypeName(99), "");
}

TEST_F(InputTableTest, OperatorChoicesSendTheChannelFirst) {
  choose(table()->ComboBox_signaltype(2), 7);
  EXPECT_EQ(sent, (QStringList{"2PC", "13PR"}));
  sent.clear();
  choose(table()->ComboBox_standard(3), 4);
  EXPECT_EQ(sent, (QStringList{"3PC", "4PI"}));
  sent.clear();
  table()->LMDRadioButton_HiZ(6)->button(1)->click();
  EXPECT_EQ(sent, (QStringList{"6PC", "1PL"}));
  sent.clear();
  table()->Label_input_(1)->click();
  EXPECT_EQ(sent, (QStringList{"1PC", "1PE"}));
  sent.clear();
  table()->CheckBox_PProc_pchan_(8)->click();
  table()->CheckBox_Input(7)->click();
  table()->Valid_RGB_YUV_(5)->click();
  EXPECT_EQ(sent, (QStringList{"8PC", "1PP", "7PC", "1PV", "5PC", "1eC"}));
}

TEST_F(InputTableTest, EveryColumnFollowsItsReport) {
  feed({"PCH2", "PLD1", "PSTD3", "PPRC1", "PVIS1", "PEDG1"});
  EXPECT_EQ(table()->LMDRadioButton_HiZ(2)->ItemIndex(), 1);
  EXPECT_EQ(table()->ComboBox_standard(2)->Text(), "SECAM");
  EXPECT_TRUE(table()->CheckBox_PProc_pchan_(2)->isChecked());
  EXPECT_TRUE(table()->CheckBox_Input(2)->isChecked());
  EXPECT_TRUE(table()->Valid_RGB_YUV_(2)->isChecked());
  EXPECT_FALSE(table()->Valid_RGB_YUV_(3)->isChecked());
  feed({"PCH0", "PLD0", "PEDG1"});
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(table()->LMDRadioButton_HiZ(n)->ItemIndex(), 0);
    EXPECT_TRUE(table()->Valid_RGB_YUV_(n)->isChecked());
  }
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(InputTableTest, TallyListsSendAndFollow) {
  TTallyPanel* tally = panels->tally();
  choose(tally->choix_tally_entree_ichm(2), 5);
  EXPECT_EQ(sent, QStringList{"6jb"});
  feed({"TALB6"});
  EXPECT_EQ(tally->choix_tally_entree_ichm(2)->ItemIndex(), 5);
  EXPECT_EQ(tally->choix_tally_entree_ichm(2)->Text(), "Input 6");
  // Inputs 1..8 only: 0 and 9 select nothing.
  feed({"TALB0"});
  EXPECT_EQ(tally->choix_tally_entree_ichm(2)->ItemIndex(), -1);
  feed({"TALC9"});
  EXPECT_EQ(tally->choix_tally_entree_ichm(3)->Text(), "");
  // The lists share one menu: the choice goes to the list that opened it.
  sent.clear();
  choose(tally->choix_tally_entree_ichm(3), 0);
  EXPECT_EQ(sent, QStringList{"1jc"});
  EXPECT_EQ(tally->choix_tally_entree_ichm(2)->ItemIndex(), -1);

  feed({"TAON1", "TBON0"});
  EXPECT_EQ(tally->StaticText_TAON(1)->text(), "ON");
  EXPECT_EQ(tally->StaticText_TAON(2)->text(), "OFF");
}

TEST_F(InputTableTest, AutolockMenuSendsTheOppositeOfItsCaption) {
  TTallyPanel* tally = panels->tally();
  EXPECT_EQ(tally->menuitem_Off()->text(), "On");
  EXPECT_EQ(tally->menuitem_On()->text(), "Off");
  tally->menuitem_Off()->trigger();
  EXPECT_EQ(sent, QStringList{"0yi"});
  feed({"EISP0"});
  EXPECT_TRUE(tally->menuitem_Off()->isChecked());
  tally->menuitem_On()->trigger();
  EXPECT_EQ(sent.last(), "1yi");
  // The tick follows the device: still "On" until the report.
  EXPECT_TRUE(tally->menuitem_Off()->isChecked());
  feed({"EISP1"});
  EXPECT_TRUE(tally->menuitem_On()->isChecked());
}
