// Image adjustments: the adjustment triple (field Enter, out-of-range
// re-send, converted fields, drag mark), aspect and lists, the layout by
// signal and the seamless-mode cover.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "panel/signal/adjust_triple.h"
#include "panel/signal/image_panel.h"
#include "signal_test_support.h"
#include "widgets/uidialogs.h"

using namespace signal_test;
using namespace zelvan::signal;

namespace {
class ImageTest : public SignalTest {
 protected:
  TImagePanel* image(int o = 1) { return panels->image(o); }
  void enter(QLineEdit* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
  }
};
}  // namespace

TEST_F(ImageTest, FieldEnterSendsConvertedValuesAndResendsOutOfRange) {
  QLineEdit* hpos = find<QLineEdit>("Edit_hpos_M");
  enter(hpos, "-20");
  EXPECT_EQ(sent, QStringList{"108H"});
  feed({"HP77"});
  EXPECT_EQ(hpos->text(), "-51");
  sent.clear();
  enter(hpos, "200");
  EXPECT_EQ(sent, QStringList{"77H"});
  // Only Enter acts.
  sent.clear();
  hpos->setText("5");
  QTest::keyClick(hpos, Qt::Key_Tab);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(ImageTest, BrightnessAndBlackLevelShareTheRegister) {
  enter(find<QLineEdit>("Edit_blacklevel_M"), "-20");
  EXPECT_EQ(sent, QStringList{"108B"});
  feed({"BRG108"});
  EXPECT_EQ(find<QLineEdit>("Edit_brightness_M")->text(), "-20");
  EXPECT_EQ(find<QLineEdit>("Edit_blacklevel_M")->text(), "-20");
  EXPECT_EQ(find<QScrollBar>("ScrollBar_brightness_M")->value(), 108);
  EXPECT_EQ(find<QScrollBar>("ScrollBar_blacklevel_M")->value(), 108);
}

TEST_F(ImageTest, PlainFieldsAcceptTheirOwnRange) {
  QLineEdit* clk = find<QLineEdit>("Edit_clock_M");
  enter(clk, "1344");
  feed({"CLK1400"});
  enter(clk, "300");
  enter(find<QLineEdit>("Edit_dphase_M"), "40");
  enter(find<QLineEdit>("Edit_hsize_P"), "255");
  EXPECT_EQ(sent, (QStringList{"1344MC", "1400MC", "40MP", "255w"}));
  feed({"PHA40"});
  // The bar stops at 31; the field shows the device's value.
  EXPECT_EQ(find<QScrollBar>("ScrollBar_dphase_M")->value(), 31);
  EXPECT_EQ(find<QLineEdit>("Edit_dphase_M")->text(), "40");
}

TEST_F(ImageTest, TextThatIsNoIntegerIsRefusedWithAMessage) {
  zelvan::ui::ScriptedDialogs dialogs;
  enter(find<QLineEdit>("Edit_contrast_M"), "12a");
  EXPECT_TRUE(sent.isEmpty());
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages().front(), "'12a' is not a valid integer value");
}

TEST_F(ImageTest, ReportsDoNotMoveABarWhileItIsDragged) {
  QScrollBar* bar = find<QScrollBar>("ScrollBar_contrast_M");
  TAdjustTriple* triple = image()->triple(zelvan::Reg::CONTRM);
  ASSERT_NE(triple, nullptr);
  triple->Scroll(bar, scTrack, 100);
  EXPECT_EQ(dragMark(bar), 1);
  bar->setValue(100);
  feed({"CON50"});
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(find<QLineEdit>("Edit_contrast_M")->text(), "-78");
  triple->Scroll(bar, scEndScroll, 100);
  EXPECT_EQ(dragMark(bar), 0);
  EXPECT_EQ(sent, (QStringList{"100D", "100D"}));
  feed({"CON100"});
  EXPECT_EQ(bar->value(), 100);
  feed({"CON60"});
  EXPECT_EQ(bar->value(), 60);
}

TEST_F(ImageTest, RealBarDragSendsEachStepThenTheEnd) {
  QScrollBar* bar = find<QScrollBar>("ScrollBar_hue_M");
  window.resize(1600, 900);
  window.show();
  tabs->setCurrentWidget(find<QWidget>("Image_Main"));
  feed({"CH1", "PCH1", "PRGB0", "IPS1", "IOO0", "IFA2"});  // NTSC: hue offered
  ASSERT_TRUE(image()->familyShown(TImagePanel::Hue));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(sent.size(), 1);
  EXPECT_EQ(dragMark(bar), 1);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(dragMark(bar), 0);
  EXPECT_EQ(sent.size(), 2);
  EXPECT_EQ(sent.front(), sent.back());
}

TEST_F(ImageTest, AspectZoomPageAndLists) {
  image()->RadioGroup_IASP()->button(3)->click();
  EXPECT_EQ(sent, QStringList{"3A"});
  feed({"ASP3"});
  EXPECT_TRUE(image()->pageControl()->isTabVisible(1));
  image()->pageControl()->setCurrentIndex(1);
  feed({"ASP0"});
  EXPECT_FALSE(image()->pageControl()->isTabVisible(1));
  EXPECT_EQ(image()->pageControl()->currentIndex(), 0);
  EXPECT_EQ(host.framing, (std::vector<int>{1, 1}));

  feed({"OVR1", "PRO4", "asp1"});
  EXPECT_EQ(image()->RadioGroup_over_under_scan()->ItemIndex(), 1);
  EXPECT_EQ(image()->ComboBox_process()->currentIndex(), 4);
  EXPECT_EQ(image(2)->RadioGroup_IASP()->ItemIndex(), 1);
  sent.clear();
  image()->RadioGroup_over_under_scan()->button(0)->click();
  image()->ComboBox_process()->setCurrentIndex(2);
  Q_EMIT image()->ComboBox_process()->activated(2);
  image()->BitBtn_alignment()->click();
  image()->BitBtn_preset()->click();
  image(2)->BitBtn_alignment()->click();
  image()->BitBtn_StoreClick();
  EXPECT_EQ(sent, (QStringList{"0QO", "2QP", "1yC", "1yP", "1yc", "1yS"}));
  feed({"STO1"});
  EXPECT_TRUE(host.storing);
  feed({"STO0"});
  EXPECT_FALSE(host.storing);
}

TEST_F(ImageTest, LayoutFollowsTheDecodedSignal) {
  using F = TImagePanel::Family;
  // Computer DVI with a VGA family: RGB group only, no clock, no phase.
  feed({"CH1", "PCH1", "PRGB9", "IPS1", "IOO0", "IFA13"});
  TImagePanel* im = image();
  for (F f : {F::BlackLevel, F::RedLevel, F::GreenLevel, F::BlueLevel}) EXPECT_TRUE(im->familyShown(f));
  for (F f : {F::Brightness, F::Contrast, F::Color, F::Hue, F::Clock, F::Phase}) EXPECT_FALSE(im->familyShown(f));
  EXPECT_FALSE(im->RadioGroup_over_under_scan()->isEnabled());
  EXPECT_EQ(im->BitBtn_alignment()->text(), "Centering");
  EXPECT_TRUE(im->familyShown(F::HPos));

  // Analog computer: clock and phase too.
  feed({"PRGB8"});
  EXPECT_TRUE(im->familyShown(F::Clock));
  EXPECT_TRUE(im->familyShown(F::Phase));
  EXPECT_TRUE(im->familyEnabled(F::Clock));

  // PAL: video group without hue, lists usable, "Reset".
  feed({"PRGB0", "IFA3"});
  EXPECT_TRUE(im->familyShown(F::Contrast));
  EXPECT_FALSE(im->familyShown(F::Hue));
  EXPECT_FALSE(im->familyShown(F::BlackLevel));
  EXPECT_TRUE(im->ComboBox_process()->isEnabled());
  EXPECT_EQ(im->BitBtn_alignment()->text(), "Reset");

  // No signal: the groups of the signal type are shown but disabled.
  feed({"PRGB10", "IPS0"});
  EXPECT_TRUE(im->familyShown(F::Brightness));
  EXPECT_FALSE(im->familyEnabled(F::Brightness));
  EXPECT_FALSE(im->familyShown(F::Hue));
  EXPECT_TRUE(im->familyShown(F::Phase));
  EXPECT_FALSE(im->familyShown(F::Clock));
  EXPECT_FALSE(im->SpeedButton_V_smooth()->isEnabled());

  // HDTV family with an SDI type: no clock, no phase.
  feed({"PRGB11", "IPS1", "IFA28"});
  EXPECT_TRUE(im->familyShown(F::Brightness));
  EXPECT_FALSE(im->familyShown(F::Clock));
  EXPECT_FALSE(im->familyShown(F::Phase));
}

TEST_F(ImageTest, SeamlessReferenceInputIsCovered) {
  feed({"CH8", "REFA10"});
  EXPECT_FALSE(image()->Panel_notavailble()->isHidden());
  EXPECT_TRUE(host.settingsCover[0]);
  feed({"CH7"});
  EXPECT_TRUE(image()->Panel_notavailble()->isHidden());
  feed({"ch1", "refa9"});
  EXPECT_FALSE(image(2)->Panel_notavailble()->isHidden());
  EXPECT_TRUE(image()->Panel_notavailble()->isHidden());
}

TEST_F(ImageTest, CopiesOnOtherTabsShareTheTriple) {
  QScrollBar copyBar(Qt::Horizontal);
  copyBar.setRange(0, 255);
  QLineEdit copyField;
  image()->attachCopy(zelvan::Reg::HPOSM, &copyBar, &copyField);
  feed({"HP200"});
  EXPECT_EQ(copyField.text(), "72");
  EXPECT_EQ(copyBar.value(), 200);
  copyField.setText("0");
  QTest::keyClick(&copyField, Qt::Key_Return);
  EXPECT_EQ(sent, QStringList{"128H"});
}
