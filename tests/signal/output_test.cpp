// Output tab: format and rate translation with forbidden pairs, the rate
// shortcut list, reference rows and warning, sync, test pattern, screen.
#include <QComboBox>
#include <QLabel>
#include <QMenu>

#include "panel/signal/output_format.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_tables.h"
#include "signal_test_support.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class OutputTest : public SignalTest {
 protected:
  TOutputFormatSide* side(int o) { return panels->output()->side(o); }
  QStringList shortcutItems(int o) {
    QStringList items;
    for (int k = 0; k < side(o)->ComboBox_freq_RACCOURCI()->count(); ++k)
      items << side(o)->ComboBox_freq_RACCOURCI()->itemText(k);
    return items;
  }
};
}  // namespace

TEST(FormatRateTable, EveryFormatFallsBackToItsLastCode) {
  const int fallback[kFormatCount] = {29, 3, 20, 7, 33, 26, 11, 23, 15, 37, 35, 39, 41, 49, 44, 48};
  for (int f = 0; f < kFormatCount; ++f) {
    int last = -1;
    int allowed = 0;
    for (int c = 0; c < kFormatRateCodes; ++c)
      if (formatRateRow(0, c).format == f) {
        last = c;
        ++allowed;
      }
    EXPECT_EQ(last, fallback[f]) << "format " << f;
    EXPECT_LT(allowed, kRateCount);
  }
  EXPECT_EQ(testPatternPosition(7), 4);
  EXPECT_EQ(testPatternPosition(5), 7);
  EXPECT_EQ(testPatternPosition(9), -1);
}

TEST_F(OutputTest, ForbiddenPairFallsBackToTheFormatsLastCode) {
  feed({"DEV36", "OFTM37"});  // 1920x1080 at 59 Hz
  ASSERT_EQ(side(1)->ComboBox_freq()->currentIndex(), 4);
  choose(side(1)->ComboBox_follow(), 3);  // 1024x768: no 59 Hz row
  EXPECT_EQ(sent, QStringList{"7FM"});
  // The display still shows the device's code until it reports the new one.
  EXPECT_EQ(side(1)->ComboBox_follow()->ItemIndex(), 9);
  EXPECT_EQ(cell(10, 1), "1920x1080    16/9");

  feed({"OFTM45"});  // 1080sf HD-SDI 23.98 Hz
  sent.clear();
  side(1)->ComboBox_freq()->setCurrentIndex(0);
  Q_EMIT side(1)->ComboBox_freq()->activated(0);
  EXPECT_EQ(sent, QStringList{"45FM"});
}

TEST_F(OutputTest, ReportMarksForbiddenRatesAndRebuildsTheShortcutList) {
  feed({"OFTM1"});  // 800x600 at 60 Hz
  TDropDownCombo* rates = side(1)->ComboBox_freq();
  EXPECT_EQ(rates->itemText(0), "23.98 Hz  NOT IN 800x600");
  EXPECT_EQ(rates->itemData(0, TOutputFormatSide::kIconRole).toInt(), 27);
  EXPECT_EQ(rates->itemText(4), "59 Hz  NOT IN 800x600");
  EXPECT_EQ(rates->itemText(3), "50 Hz");
  EXPECT_EQ(shortcutItems(1), (QStringList{"50 Hz", "60 Hz", "72 Hz", "75 Hz"}));
  EXPECT_EQ(side(1)->ComboBox_freq_RACCOURCI()->currentText(), "60 Hz");

  // The shortcut list selects through the full list and sends the pair.
  Q_EMIT side(1)->ComboBox_freq_RACCOURCI()->activated(2);
  EXPECT_EQ(sent, QStringList{"2FM"});

  // A later report restores the captions before marking again.
  feed({"OFTM37"});
  EXPECT_EQ(rates->itemText(3), "50 Hz");
  EXPECT_EQ(rates->itemText(0), "23.98 Hz  NOT IN 1920x1080    16/9");
  EXPECT_EQ(shortcutItems(1), (QStringList{"50 Hz", "59 Hz"}));
}

TEST_F(OutputTest, OperatorDropDownMarksWithoutRebuildingTheShortcut) {
  feed({"OFTM1"});
  const QStringList before = shortcutItems(1);
  side(1)->ComboBox_follow()->SetItemIndex(11);  // 720p HD-SDI chosen locally
  side(1)->ComboBox_freqDropDown();
  EXPECT_EQ(side(1)->ComboBox_freq()->itemText(3), "50 Hz");
  EXPECT_EQ(side(1)->ComboBox_freq()->itemText(5), "60 Hz  NOT IN 720p    HD-SDI  16/9");
  EXPECT_EQ(shortcutItems(1), before);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(OutputTest, OpeningTheFormatListMarksNoRate) {
  feed({"OFTM1"});  // 800x600 at 60 Hz: six formats have no 60 Hz row
  TDropDownCombo* rates = side(1)->ComboBox_freq();
  const QStringList before = shortcutItems(1);
  for (int round = 0; round < 2; ++round) {
    TSmallCombo* formats = side(1)->ComboBox_follow();
    formats->DropDown();
    if (QMenu* menu = formats->ActiveMenu()) menu->hide();
    EXPECT_EQ(rates->itemText(5), "60 Hz");
    EXPECT_NE(rates->itemData(5, TOutputFormatSide::kIconRole).toInt(), 27);
    EXPECT_EQ(rates->itemText(3), "50 Hz");
    const QList<QAction*> items = side(1)->PopupMenu_OFMT()->actions();
    EXPECT_EQ(items.at(11)->text(), "720p    HD-SDI  16/9");
    EXPECT_EQ(items.at(1)->text(), "800x600");
  }
  EXPECT_EQ(shortcutItems(1), before);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(OutputTest, PreviewSideUsesItsOwnListsAndMark) {
  feed({"oftp41"});  // 1080i at 59 Hz
  EXPECT_EQ(side(2)->ComboBox_follow()->Text(), "1080i   SDI  16/9");
  EXPECT_EQ(side(2)->ComboBox_freq()->itemData(0, TOutputFormatSide::kIconRole).toInt(), 10);
  EXPECT_EQ(shortcutItems(2), (QStringList{"50 Hz", "59 Hz"}));
  EXPECT_TRUE(side(2)->ComboBox_freq()->isHidden());
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 10, 1), "1080i   SDI  16/9");
  choose(side(2)->ComboBox_follow(), 2);
  EXPECT_EQ(sent, QStringList{"20fp"});  // 1280x720 has no 59 Hz row
}

TEST_F(OutputTest, ReferenceRows) {
  feed({"REFA0", "REFT6000"});
  EXPECT_EQ(cell(7, 0), "Internal Rate");
  EXPECT_EQ(cell(8, 0), "");
  EXPECT_EQ(cell(8, 1), "");
  EXPECT_EQ(cell(14, 1), "60 Hz");
  feed({"REFF3", "REFT5994", "REFA2"});
  EXPECT_EQ(cell(7, 0), "Input 2 Rate");
  EXPECT_EQ(cell(8, 0), "PAL");
  EXPECT_EQ(cell(8, 1), "59.94 Hz");
  EXPECT_EQ(cell(14, 1), "59.94 Hz");
  EXPECT_EQ(host.logoFormatRows.back(), 1);
  // A family beyond the table names nothing; a seamless reference names its input.
  feed({"REFF77", "REFA9"});
  EXPECT_EQ(cell(8, 0), "");
  EXPECT_EQ(cell(7, 0), "Input 1 Rate");
}

TEST_F(OutputTest, RequestedReferenceWithoutSignalShowsTheWarning) {
  feed({"REFR3", "REFA0"});
  QLabel* warning = panels->output()->RefreqM_Label_no_signal_Main_refreq();
  EXPECT_FALSE(warning->isHidden());
  EXPECT_EQ(warning->text(), "No signal or uncompatible  on Input 3");
  EXPECT_EQ(panels->output()->StaticText_REFREQM()->text(), "Internal Rate");
  EXPECT_FALSE(side(1)->ComboBox_freq_RACCOURCI()->isEnabled());
  EXPECT_TRUE(side(2)->ComboBox_freq_RACCOURCI()->isEnabled());
  EXPECT_GE(host.countdowns, 1);
  EXPECT_EQ(panels->output()->reference_trame_voulue()->Text(), "Input 3 Rate");

  feed({"REFA3"});
  EXPECT_TRUE(warning->isHidden());
  EXPECT_EQ(panels->output()->StaticText_REFREQM()->text(), "Input 3");
  feed({"REFR0"});
  EXPECT_TRUE(side(1)->ComboBox_freq_RACCOURCI()->isEnabled());

  choose(panels->output()->reference_trame_voulue(), 5);
  EXPECT_EQ(sent, QStringList{"5XR"});
  sent.clear();
  choose(panels->output()->reference_trame_Preview_voulue(), 2);
  EXPECT_EQ(sent, QStringList{"2xr"});
}

TEST_F(OutputTest, SyncPatternAndScreen) {
  panels->output()->LMDRadioGroup_test_pattern(1)->button(5)->click();
  EXPECT_EQ(sent, QStringList{"4pm"});
  feed({"PAT7"});
  EXPECT_EQ(panels->output()->LMDRadioGroup_test_pattern(1)->ItemIndex(), 4);
  EXPECT_EQ(host.modelLayouts, 1);
  EXPECT_FALSE(host.covering);
  feed({"PAT5"});
  EXPECT_EQ(panels->output()->LMDRadioGroup_test_pattern(1)->ItemIndex(), 7);
  EXPECT_TRUE(host.covering);
  feed({"pat5"});
  EXPECT_EQ(panels->output()->LMDRadioGroup_test_pattern(2)->ItemIndex(), 7);

  feed({"OSYN1", "osyn2"});
  EXPECT_EQ(panels->output()->LMDRadioGroup_osyn(1)->ItemIndex(), 1);
  EXPECT_EQ(cell(15, 1), "Composite TTL");
  EXPECT_EQ(zelvan::signal::cell(panels->StringGrid2(), 15, 1), "SOG");
  sent.clear();
  panels->output()->LMDRadioGroup_osyn(2)->button(0)->click();
  EXPECT_EQ(sent, QStringList{"0fy"});

  feed({"SCRM1", "scrp0"});
  EXPECT_EQ(panels->output()->LMDRadioGroup_typeofscreen()->ItemIndex(), 1);
  EXPECT_EQ(panels->output()->LMDRadioGroup_typeofscreen_preview()->ItemIndex(), 0);
  sent.clear();
  panels->output()->LMDRadioGroup_typeofscreen()->button(0)->click();
  EXPECT_EQ(sent, QStringList{"0FS"});
}
