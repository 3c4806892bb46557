// About window: version lines, option lines and marks, multiplexer
// indicators, checksums, test code, "Advanced >>" and the model pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "device/zelvan_d.h"
#include "tools/about_pictures.h"
#include "tools/tabout_graphic_install.h"
#include "tools_test_support.h"

namespace {

// Constructed before the fixture's windows, which need the application.
struct AppFirst {
  AppFirst() { ensureApp(); }
};

class AboutWindowTest : public ::testing::Test {
 protected:
  QLabel* label(const QString& name) {
    auto* l = about.findChild<QLabel*>(name);
    EXPECT_NE(l, nullptr) << name.toStdString();
    return l;
  }
  QString text(const char* name) { return label(QLatin1String(name))->text(); }
  bool shown(const char* name) {
    QWidget* w = about.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w && !w->isHidden();
  }

  AppFirst app;
  TZelvan_d link;
  TAbout_Graphic_install about{&link};
};

TEST_F(AboutWindowTest, StartsWithTheDefaultTexts) {
  EXPECT_EQ(text("Label_version"), QStringLiteral("Version : ?.?.?.?"));
  EXPECT_EQ(text("label_verupd"), QStringLiteral("Version : ?.?"));
  EXPECT_EQ(text("label_k"), QStringLiteral("K ="));
  EXPECT_EQ(text("label_I"), QStringLiteral("I  ="));
  EXPECT_EQ(text("muxout_MTBmax"), QStringLiteral("...."));
  EXPECT_EQ(text("Label_VKM"), QStringLiteral("-VKM ="));
  EXPECT_EQ(text("Label_option_0"), QStringLiteral("- SDI Input "));
  EXPECT_EQ(text("Label_option_12"), QStringLiteral("- DVI Out"));
  EXPECT_FALSE(shown("GroupBox_checksums"));
  EXPECT_FALSE(shown("GroupBox_status"));
  EXPECT_FALSE(shown("Label_A"));
  EXPECT_FALSE(shown("Label_C"));
  for (int bit : TAbout_Graphic_install::kOptionBits)
    EXPECT_FALSE(shown(QStringLiteral("Label_installed_%1").arg(bit).toLatin1().constData())) << bit;
  EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("Button_advanced"))->text(),
            QStringLiteral("Advanced >>"));
  EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("Button_ok"))->text(), QStringLiteral("OK"));
}

TEST_F(AboutWindowTest, VersionLinesShowFourHexadecimalDigits) {
  about.SetVERK(161);
  EXPECT_EQ(text("label_k"), QStringLiteral("K = 00A1"));
  about.SetVERI(0x1F);
  EXPECT_EQ(text("label_I"), QStringLiteral("I  = 001F"));
  about.SetVERE(0);
  EXPECT_EQ(text("label_e"), QStringLiteral("E = 0000"));
  about.SetVERF(0xBEEF);
  EXPECT_EQ(text("label_f"), QStringLiteral("F = BEEF"));
  about.SetVERP(0x12345);  // wider values keep all their digits
  EXPECT_EQ(text("label_p"), QStringLiteral("P = 12345"));
  about.SetVERA(10);
  EXPECT_EQ(text("Label_A"), QStringLiteral("A = 000A"));
  about.SetVERC(4096);
  EXPECT_EQ(text("Label_C"), QStringLiteral("C = 1000"));
  about.SetOPT(0x0A41);
  EXPECT_EQ(text("label_o"), QStringLiteral("O = 0A41"));
}

TEST_F(AboutWindowTest, SoftwareAndDeviceVersions) {
  about.SetSoftwareVersion(3, 4, 0, 12);
  EXPECT_EQ(text("Label_version"), QStringLiteral("Version : 3.04.00.12"));
  EXPECT_TRUE(about.SetSoftwareVersion(QStringLiteral("1.10.5.100")));
  EXPECT_EQ(text("Label_version"), QStringLiteral("Version : 1.10.05.100"));
  // Nothing usable from the version query leaves the line unchanged.
  EXPECT_FALSE(about.SetSoftwareVersion(QString()));
  EXPECT_FALSE(about.SetSoftwareVersion(QStringLiteral("1.x.3")));
  EXPECT_FALSE(about.SetSoftwareVersion(QStringLiteral("1.2.3.4.5")));
  EXPECT_EQ(text("Label_version"), QStringLiteral("Version : 1.10.05.100"));

  about.SetVERUPD(1305);
  EXPECT_EQ(text("label_verupd"), QStringLiteral("Version : 13.5"));
  about.SetVERUPD(99);
  EXPECT_EQ(text("label_verupd"), QStringLiteral("Version : 0.99"));
}

TEST_F(AboutWindowTest, OptionLinesFollowTheOptionWord) {
  // SDI input, SDTV out, second SDTV out, LAN, cross blender, DVI out.
  const uint32_t opt = (1u << 0) | (1u << 2) | (1u << 3) | (1u << 6) | (1u << 9) | (1u << 12);
  about.SetOPT(opt);
  for (int bit : TAbout_Graphic_install::kOptionBits) {
    const bool set = (opt >> bit) & 1u;
    EXPECT_EQ(label(QStringLiteral("Label_option_%1").arg(bit))->isEnabled(), set) << bit;
  }
  EXPECT_TRUE(shown("Label_installed_0"));
  EXPECT_FALSE(shown("Label_installed_1"));
  EXPECT_TRUE(shown("Label_installed_2"));
  EXPECT_FALSE(shown("Label_installed_3"));  // enabled only, no mark
  EXPECT_TRUE(shown("Label_installed_6"));
  EXPECT_TRUE(text("Label_installed_6").endsWith(QStringLiteral("ok")));
  EXPECT_TRUE(text("Label_installed_6").startsWith(QStringLiteral("...")));
  EXPECT_TRUE(text("Label_installed_0").endsWith(QStringLiteral("installed")));
  EXPECT_TRUE(shown("Label_installed_9"));
  EXPECT_FALSE(shown("Label_installed_11"));
  EXPECT_TRUE(shown("Label_installed_12"));

  about.SetOPT(1u << 7);  // a later word replaces the earlier one
  EXPECT_FALSE(shown("Label_installed_0"));
  EXPECT_FALSE(label(QStringLiteral("Label_option_0"))->isEnabled());
  EXPECT_TRUE(shown("Label_installed_7"));
  about.SetOPT((1u << 4) | (1u << 5) | (1u << 11));
  EXPECT_TRUE(label(QStringLiteral("Label_option_4"))->isEnabled());
  EXPECT_FALSE(shown("Label_installed_4"));
  EXPECT_FALSE(shown("Label_installed_5"));
  EXPECT_TRUE(shown("Label_installed_11"));
}

TEST_F(AboutWindowTest, MultiplexersChecksumsAndTestCode) {
  about.SetMUXOUT(5);
  EXPECT_EQ(text("muxout_MTBmax"), QStringLiteral("1"));
  EXPECT_EQ(text("muxout_MFX"), QStringLiteral("0"));
  EXPECT_EQ(text("muxout_PFX"), QStringLiteral("1"));
  about.Setversionmuxoutmfx(QStringLiteral("1"));
  EXPECT_EQ(text("muxout_MFX"), QStringLiteral("1"));

  about.SetSCANVKM(0x10);
  about.SetSCANVKP(0x20);
  about.SetSCANVSM(0x30);
  about.SetSCANVSP(0x40);
  about.SetSCANVVM(0x50);
  about.SetSCANVVP(0x60);
  about.SetSCANVFM(0x70);
  about.SetSCANVFP(0xABCD);
  EXPECT_EQ(text("Label_VKM"), QStringLiteral("VKM = 0010"));
  EXPECT_EQ(text("Label_VKP"), QStringLiteral("VKP = 0020"));
  EXPECT_EQ(text("Label_VSM"), QStringLiteral("VSM = 0030"));
  EXPECT_EQ(text("Label_VSP"), QStringLiteral("VSP = 0040"));
  EXPECT_EQ(text("Label_VVM"), QStringLiteral("VVM = 0050"));
  EXPECT_EQ(text("Label_VVP"), QStringLiteral("VVP = 0060"));
  EXPECT_EQ(text("Label_VFM"), QStringLiteral("VFM = 0070"));
  EXPECT_EQ(text("Label_VFP"), QStringLiteral("VFP = ABCD"));

  about.SetDOLLARS(4294967295u);
  EXPECT_EQ(text("Label_test_code"), QStringLiteral("4294967295"));
}

TEST_F(AboutWindowTest, AdvancedTogglesTheDetailGroups) {
  auto* button = about.findChild<QPushButton*>(QStringLiteral("Button_advanced"));
  about.show();
  const int shortHeight = about.height();
  button->click();
  EXPECT_TRUE(shown("GroupBox_checksums"));
  EXPECT_TRUE(shown("GroupBox_status"));
  EXPECT_EQ(button->text(), QStringLiteral("<< Advanced"));
  EXPECT_TRUE(about.Advanced());
  QApplication::processEvents();
  EXPECT_GT(about.height(), shortHeight);
  button->click();
  EXPECT_FALSE(shown("GroupBox_checksums"));
  EXPECT_FALSE(shown("GroupBox_status"));
  EXPECT_EQ(button->text(), QStringLiteral("Advanced >>"));
  QApplication::processEvents();
  EXPECT_EQ(about.height(), shortHeight);

  // The state outlives closing and showing again.
  button->click();
  about.findChild<QPushButton*>(QStringLiteral("Button_ok"))->click();
  EXPECT_FALSE(about.isVisible());
  about.show();
  EXPECT_TRUE(shown("GroupBox_checksums"));
}

TEST_F(AboutWindowTest, VersionLineOrderFollowsTheModel) {
  about.SetVersionLineOrder(27);
  EXPECT_FALSE(shown("label_f"));
  EXPECT_EQ(label(QStringLiteral("label_k"))->y(), 64);
  EXPECT_EQ(label(QStringLiteral("label_e"))->y(), 80);
  EXPECT_EQ(label(QStringLiteral("label_p"))->y(), 97);
  EXPECT_EQ(label(QStringLiteral("label_o"))->y(), 114);
  EXPECT_EQ(label(QStringLiteral("label_I"))->y(), 131);

  about.SetVersionLineOrder(36);
  about.SetLinesACVisible(true);
  EXPECT_TRUE(shown("label_f"));
  EXPECT_EQ(label(QStringLiteral("label_f"))->y(), 114);
  EXPECT_EQ(label(QStringLiteral("label_o"))->y(), 131);
  EXPECT_EQ(label(QStringLiteral("label_I"))->y(), 148);
  EXPECT_TRUE(shown("Label_A"));
  EXPECT_TRUE(shown("Label_C"));
  EXPECT_GT(label(QStringLiteral("Label_A"))->y(), 148);
  EXPECT_GT(label(QStringLiteral("Label_C"))->y(), label(QStringLiteral("Label_A"))->y());
  about.SetLinesACVisible(false);
  EXPECT_FALSE(shown("Label_A"));
}

TEST_F(AboutWindowTest, ModelPicturesAndCaption) {
  about.SetModel(8, QStringLiteral("Dumara"));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Dumara remote control"));
  EXPECT_EQ(about.PictureIndex(), 8);
  const QImage dumara = label(QStringLiteral("Image1"))->pixmap().toImage();
  EXPECT_FALSE(dumara.isNull());
  EXPECT_EQ(dumara, zelvan::about::modelPicture(8).toImage());

  // The no-device cycle 5, 6, 7, 8, 5 shows a different picture each time.
  QList<QImage> seen;
  for (int i : {5, 6, 7, 8}) {
    about.SetPicture(i);
    seen << label(QStringLiteral("Image1"))->pixmap().toImage();
  }
  about.SetPicture(5);
  EXPECT_EQ(label(QStringLiteral("Image1"))->pixmap().toImage(), seen[0]);
  for (int a = 0; a < seen.size(); ++a)
    for (int b = a + 1; b < seen.size(); ++b) EXPECT_NE(seen[a], seen[b]) << a << " " << b;
}

TEST(AboutPictures, OneDistinctPicturePerModel) {
  ensureApp();
  QList<QImage> images;
  for (int i = zelvan::about::kFirstPicture; i <= zelvan::about::kLastPicture; ++i) {
    const QImage img = zelvan::about::modelPicture(i).toImage();
    ASSERT_EQ(img.size(), zelvan::about::kPictureSize);
    EXPECT_FALSE(zelvan::about::pictureModelName(i).isEmpty());
    for (const QImage& other : images) EXPECT_NE(img, other) << i;
    images << img;
  }
  EXPECT_EQ(zelvan::about::pictureModelName(9), QStringLiteral("Arlen"));
  EXPECT_EQ(zelvan::about::pictureModelName(11), QStringLiteral("Calio"));
  // Indices without a picture still give a picture of the same size.
  EXPECT_EQ(zelvan::about::modelPicture(0).size(), zelvan::about::kPictureSize);
  EXPECT_EQ(zelvan::about::modelPicture(-3).size(), zelvan::about::kPictureSize);
  EXPECT_TRUE(zelvan::about::pictureModelName(4).isEmpty());
}

}  // namespace
