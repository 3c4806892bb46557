// The Effects page controls: which groups each kind shows, the values a
// refresh loads, what every slider, edit and button stores and sends, the
// size lock and 1:1, Holding and the presets, the paced border trios, the
// option display of the device's reports, and the Double PiP layout.
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "effects_test_support.h"
#include "panel/signal/signal_common.h"
#include "widgets/ttamponvar.h"
#include "widgets/uidialogs.h"

namespace effects_test {
namespace {

using zelvan::signal::dragMark;
using zelvan::signal::TRadioGroup;

class EffectsPageTest : public EffectsTest {
 protected:
  void SetUp() override {
    EffectsTest::SetUp();
    // The first effect report switches the page to the device's effect
    // once per run; have it behind us so that the keys chosen below stay.
    feed({"EFF0"});
    sent.clear();
  }

  // Key `key` selected with kind `kind` and animations its kind allows.
  EffectSlot& select(int key, int kind) {
    memory().setButtonEffect(key);
    EffectSlot& s = memory().slot(key);
    s.kind = kind;
    s.EFFOPEN = animationDefault(kind);
    s.EFFCLOSE = animationDefault(kind);
    return s;
  }
  void refresh() {
    page().Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
    sent.clear();
  }

  QScrollBar* bar(const char* name) { return find<QScrollBar>(name); }
  QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
  QLabel* label(const char* name) { return find<QLabel>(name); }
  QWidget* widget(const char* name) { return find<QWidget>(name); }
  bool shown(const char* name) {
    QWidget* w = widget(name);
    return w && !w->isHidden();
  }

  // The values sent with command code `code` ("200ec" -> 200 for "ec").
  std::vector<long> sentWith(const char* code) const {
    std::vector<long> out;
    const QString c = QString::fromLatin1(code);
    for (const QString& s : sent) {
      if (!s.endsWith(c)) continue;
      bool ok = false;
      const long v = s.left(s.size() - c.size()).toLong(&ok);
      if (ok) out.push_back(v);
    }
    return out;
  }

  static void enter(QLineEdit* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  static void release(QWidget* w) {
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  // Answers the last command with `replyName` until nothing more is sent.
  void answerUntilQuiet(const char* replyName, const char* code) {
    for (int round = 0; round < 40; ++round) {
      const qsizetype before = sent.size();
      QString last = sent.back();
      ASSERT_TRUE(last.endsWith(QLatin1String(code)));
      last.chop(qsizetype(strlen(code)));
      feed({QByteArray(replyName).append(last.toLatin1()).constData()});
      ASSERT_LE(sent.size(), before + 1);  // one value in flight at a time
      if (sent.size() == before) return;
    }
    FAIL() << "the buffer never emptied";
  }
};

// ------------------------------------------------------------ the build

TEST_F(EffectsPageTest, ControlsCarryTheirNamesCaptionsAndPlaces) {
  EXPECT_EQ(label("Label_duree")->text(), "Time");
  EXPECT_EQ(label("Label_duree_min")->text(), "0.5s");
  EXPECT_EQ(label("Label_duree_max")->text(), "25s");
  EXPECT_EQ(find<QToolButton>("SpeedButton_holding")->text(), "Holding");
  EXPECT_EQ(label("Label_Horizontal_position")->text(), "Horizontal position");
  EXPECT_EQ(label("Label_Vertical_position")->text(), "Vertical position");
  EXPECT_EQ(label("Label_Horizontale_size")->text(), "Horizontal Size");
  EXPECT_EQ(label("Label_Vertical_Size")->text(), "Vertical Size.");
  EXPECT_EQ(label("Label_Intensity")->text(), "Intensity");
  EXPECT_EQ(find<QGroupBox>("GroupBox_Mask")->title(), "Mask");
  EXPECT_EQ(find<QCheckBox>("CheckBox_EdgeSmooth")->text(), "Smooth");
  auto* border = find<TRadioGroup>("LMD_RadioGroup_Option_effect_courant");
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(border->title(), "Border");
  ASSERT_EQ(border->count(), 4);
  EXPECT_EQ(border->button(0)->text(), "Without");
  EXPECT_EQ(border->button(3)->text(), "Edge");
  TRadioGroup* inlay = page().LMDRadioGroup_EFFOPT();
  ASSERT_NE(inlay, nullptr);
  EXPECT_EQ(inlay->objectName(), "LMDRadioGroup_EFFOPT");
  EXPECT_EQ(inlay->title(), "Inlay");
  EXPECT_EQ(inlay->button(0)->text(), "OFF");
  EXPECT_EQ(inlay->button(1)->text(), "ON");
  if (QWidget* panel = animation().panel_incrustation_et_choixframe()) {
    EXPECT_EQ(inlay->parentWidget(), panel);
  }
  for (const char* n : {"Bevel_Position", "Bevel_Size", "Bevel_option_effect_courant", "LMDDrawEdge1",
                        "SpeedButton_size", "SpeedButton_1pour1_Horizontal", "SpeedButton_1pour1_Vertical",
                        "ScrollBar_mask_Horizontal_position", "ScrollBar_mask_Vertical_position",
                        "ScrollBar_mask_Horizontal_size", "ScrollBar_mask_Vertical_size", "ScrollBar_Intensity"})
    EXPECT_NE(widget(n), nullptr) << n;
  EXPECT_EQ(page().TamponVar_EFFPI()->objectName(), "TamponVar_EFFPI");
  EXPECT_EQ(page().TamponVar_EFFPJ()->objectName(), "TamponVar_EFFPJ");
  EXPECT_EQ(page().TamponVar_EFFPS()->objectName(), "TamponVar_EFFPS");

  // Ranges.
  EXPECT_EQ(bar("ScrollBar_duree")->minimum(), 5);
  EXPECT_EQ(bar("ScrollBar_duree")->maximum(), 250);
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->minimum(), 30);
  EXPECT_EQ(bar("ScrollBar_Vertical_Size")->maximum(), 255);
  EXPECT_EQ(bar("ScrollBar_Horizontal_position")->minimum(), 0);

  // The EFFPJ row, the page below the key row, the folded animation button's corner free.
  EXPECT_EQ(label("Label_EFFPJ")->geometry().topLeft(), QPoint(147, 314));
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->geometry().topLeft(), QPoint(232, 314));
  EXPECT_EQ(edit("Edit_EFFPJ")->geometry().topLeft(), QPoint(436, 314));
  QWidget* container = panels->container();
  const QRect corner(448, 32, 737 - 448, 29);
  for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isWindow() || w == animation().Panel_Double_PIP() || w == animation().Panel_Animation_Effect() ||
        w == animation().Image_animation_effect() || w == keys().Panel_active_ou_non_bpt_effet())
      continue;
    if (w->objectName().startsWith(QLatin1String("StaticText_")) || w->objectName().startsWith(QLatin1String("BitBtn_")))
      continue;  // the keys' name row
    EXPECT_GE(w->y(), 68) << w->objectName().toStdString();
    EXPECT_FALSE(w->geometry().intersects(corner)) << w->objectName().toStdString();
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(host->presets[size_t(i)]->parentWidget(), container);
}

// Before any refresh the shadow colour row carries its own caption.
TEST_F(EffectsTest, ShadowColourCaptionBeforeAnyRefresh) {
  auto* l = host->mainWindow.findChild<QLabel*>(QStringLiteral("Label_EFFPS"));
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->text(), "Shadow Color");
}

TEST_F(EffectsPageTest, EveryEditIsFifteenPixelsHighAgainOnShow) {
  QLineEdit* e = edit("Edit_Horizontal_position");
  EXPECT_EQ(e->height(), 15);
  EXPECT_EQ(edit("Edit_duree")->height(), 15);
  EXPECT_EQ(edit("Edit_mask_Vertical_size")->height(), 15);
  e->setMinimumHeight(0);
  e->setMaximumHeight(100);
  e->resize(e->width(), 30);
  ASSERT_EQ(e->height(), 30);
  page().EffectsShow();
  EXPECT_EQ(e->height(), 15);
}

// ------------------------------------------------------------- groups

TEST_F(EffectsPageTest, GroupsFollowTheKind) {
  select(1, 0);  // Cut
  refresh();
  EXPECT_FALSE(shown("ScrollBar_duree"));
  EXPECT_FALSE(shown("Label_duree"));
  EXPECT_FALSE(shown("Button_1s"));
  EXPECT_FALSE(shown("SpeedButton_holding"));
  EXPECT_FALSE(shown("ScrollBar_Horizontale_size"));
  EXPECT_FALSE(shown("LMD_RadioGroup_Option_effect_courant"));

  select(1, 1);  // Fade
  refresh();
  EXPECT_TRUE(shown("ScrollBar_duree"));
  EXPECT_TRUE(shown("Edit_duree"));
  EXPECT_TRUE(shown("Label_duree_max"));
  EXPECT_TRUE(shown("Button_1s"));
  EXPECT_TRUE(shown("Button_5s"));
  EXPECT_FALSE(shown("SpeedButton_holding"));
  EXPECT_FALSE(shown("ScrollBar_Horizontal_position"));
  EXPECT_FALSE(shown("GroupBox_Mask"));

  select(1, 3);  // Shadow Title: vertical size and position, intensity, holding
  refresh();
  EXPECT_TRUE(shown("SpeedButton_holding"));
  EXPECT_TRUE(shown("ScrollBar_Vertical_Size"));
  EXPECT_TRUE(shown("Edit_Vertical_position"));
  EXPECT_TRUE(shown("ScrollBar_Intensity"));
  EXPECT_TRUE(shown("Label_Intensity"));
  EXPECT_FALSE(shown("ScrollBar_Horizontale_size"));
  EXPECT_FALSE(shown("SpeedButton_size"));
  EXPECT_FALSE(shown("Bevel_Position"));
  EXPECT_FALSE(shown("GroupBox_Mask"));
  EXPECT_FALSE(shown("ScrollBar_EFFPI"));

  select(1, 4);  // PiP: everything but the intensity; the option group without DEV 36's part
  refresh();
  for (const char* n : {"ScrollBar_Horizontale_size", "SpeedButton_size", "SpeedButton_1pour1_Horizontal",
                        "Shape_1pour1_Vertical", "Bevel_Size", "Bevel_Position", "GroupBox_Mask",
                        "ScrollBar_mask_Vertical_size", "LMD_RadioGroup_Option_effect_courant", "LMDDrawEdge1",
                        "Bevel_option_effect_courant", "ScrollBar_EFFPI", "Edit_EFFPJ", "Label_EFFPJ"})
    EXPECT_TRUE(shown(n)) << n;
  EXPECT_FALSE(shown("ScrollBar_Intensity"));
  EXPECT_FALSE(shown("ScrollBar_EFFPS"));
  EXPECT_FALSE(shown("CheckBox_EdgeSmooth"));

  feed({"DEV36"});
  refresh();
  EXPECT_TRUE(shown("ScrollBar_EFFPS"));
  EXPECT_TRUE(shown("Label_EFFPS"));
  EXPECT_TRUE(shown("CheckBox_EdgeSmooth"));

  feed({"EDSB1"});  // embedded soft-edge mode: no option group at all
  refresh();
  EXPECT_FALSE(shown("LMD_RadioGroup_Option_effect_courant"));
  EXPECT_FALSE(shown("ScrollBar_EFFPI"));
  EXPECT_FALSE(shown("ScrollBar_EFFPS"));
  EXPECT_FALSE(shown("CheckBox_EdgeSmooth"));
  EXPECT_TRUE(shown("GroupBox_Mask"));
  feed({"EDSB0"});

  select(1, 14);  // Double PiP
  refresh();
  EXPECT_TRUE(shown("ScrollBar_Horizontale_size"));
  EXPECT_TRUE(shown("ScrollBar_EFFPJ"));
  EXPECT_FALSE(shown("ScrollBar_Intensity"));
  if (QWidget* dpip = animation().Panel_Double_PIP()) {
    EXPECT_FALSE(dpip->isHidden());
    select(1, 4);
    refresh();
    EXPECT_TRUE(dpip->isHidden());
  }
}

TEST_F(EffectsPageTest, RefreshLoadsTheKeysValuesAndSendsNothing) {
  EffectSlot& s = select(2, 4);
  s.EFFDUR = 15;
  s.EFFPA = 10;
  s.EFFPB = 20;
  s.EFFPC = 140;
  s.EFFPD = 150;
  s.EFFPE = 60;
  s.EFFPF = 70;
  s.EFFPG = 80;
  s.EFFPH = 90;
  s.EFFPI = 3;
  s.EFFPJ = 40;
  s.EFFPS = 99;
  s.EFFOPT = 1;
  page().Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
  EXPECT_EQ(bar("ScrollBar_duree")->value(), 15);
  EXPECT_EQ(edit("Edit_duree")->text(), "1.5s");
  EXPECT_EQ(bar("ScrollBar_Horizontal_position")->value(), 10);
  EXPECT_EQ(edit("Edit_Vertical_position")->text(), "20");
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->value(), 140);
  EXPECT_EQ(edit("Edit_Vertical_Size")->text(), "150");
  EXPECT_EQ(bar("ScrollBar_mask_Horizontal_position")->value(), 60);
  EXPECT_EQ(edit("Edit_mask_Vertical_position")->text(), "70");
  EXPECT_EQ(bar("ScrollBar_mask_Horizontal_size")->value(), 80);
  EXPECT_EQ(edit("Edit_mask_Vertical_size")->text(), "90");
  EXPECT_EQ(bar("ScrollBar_Intensity")->value(), 60);
  EXPECT_EQ(edit("Edit_EFFPI")->text(), "3");
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->value(), 40);
  EXPECT_EQ(edit("Edit_EFFPS")->text(), "99");
  EXPECT_EQ(page().LMD_RadioGroup_Option_effect_courant()->ItemIndex(), 1);
  EXPECT_EQ(label("Label_EFFPI")->text(), "Shadow size");
  EXPECT_EQ(page().LMDRadioGroup_EFFOPT()->ItemIndex(), 0);

  // A Double PiP shows its opacity turned round, and the inlay from 4 up.
  s.kind = 14;
  s.EFFOPEN = s.EFFCLOSE = animationDefault(14);
  s.EFFOPT = 5;
  refresh();
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->value(), 215);
  EXPECT_EQ(edit("Edit_EFFPJ")->text(), "215");
  EXPECT_EQ(page().LMDRadioGroup_EFFOPT()->ItemIndex(), 1);
}

// ------------------------------------------------------------ duration

TEST_F(EffectsPageTest, HoldingKeysShowHoldingWithTheDurationLocked) {
  memory().setButtonEffect(3);  // start-up defaults: key 3 is a Title held
  ASSERT_EQ(memory().slot(3).EFFDUR, 255);
  refresh();
  EXPECT_TRUE(page().SpeedButton_holding()->isChecked());
  EXPECT_TRUE(page().SpeedButton_holding()->isEnabled());
  EXPECT_FALSE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_FALSE(edit("Edit_duree")->isEnabled());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(host->presets[size_t(i)]->isEnabled());
  edit("Edit_duree")->setText(QString());
  feed({"EFD255"});
  EXPECT_EQ(edit("Edit_duree")->text(), "Holding");

  memory().setButtonEffect(2);  // key 2: Fade for 2 s
  refresh();
  EXPECT_FALSE(page().SpeedButton_holding()->isChecked());
  EXPECT_TRUE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_TRUE(host->presets[1]->isEnabled());
  feed({"EFD99"});  // the edit shows the key's own duration
  EXPECT_EQ(edit("Edit_duree")->text(), "2s");
}

TEST_F(EffectsPageTest, HoldingPressAndReleaseRoundTrip) {
  EffectSlot& s = select(4, 4);
  s.EFFDUR = 30;
  refresh();
  page().SpeedButton_holding()->click();
  EXPECT_EQ(sent, QStringList{"255eD"});
  EXPECT_EQ(s.EFFDUR, 255);
  EXPECT_EQ(s.OLD_DUR, 30);
  EXPECT_EQ(edit("Edit_duree")->text(), "Holding");
  EXPECT_FALSE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_FALSE(edit("Edit_duree")->isEnabled());
  EXPECT_FALSE(host->presets[0]->isEnabled());
  sent.clear();
  page().SpeedButton_holding()->click();
  EXPECT_EQ(sent, QStringList{"30eD"});
  EXPECT_EQ(s.EFFDUR, 30);
  EXPECT_EQ(bar("ScrollBar_duree")->value(), 30);
  EXPECT_EQ(edit("Edit_duree")->text(), "3s");
  EXPECT_TRUE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_TRUE(host->presets[2]->isEnabled());
}

TEST_F(EffectsPageTest, RunningEffectLocksTheDurationControls) {
  EffectSlot& s = select(4, 4);
  s.EFFDUR = 30;
  refresh();
  page().setEffectRunning(true);
  EXPECT_FALSE(page().SpeedButton_holding()->isEnabled());
  EXPECT_FALSE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_FALSE(host->presets[0]->isEnabled());
  refresh();  // a refresh during the effect keeps them locked
  EXPECT_FALSE(bar("ScrollBar_duree")->isEnabled());
  page().setEffectRunning(false);
  EXPECT_TRUE(page().SpeedButton_holding()->isEnabled());
  EXPECT_TRUE(edit("Edit_duree")->isEnabled());
  // Unlocked while holding: the duration stays locked, Holding itself is free.
  page().SpeedButton_holding()->click();
  page().setEffectRunning(true);
  page().setEffectRunning(false);
  EXPECT_TRUE(page().SpeedButton_holding()->isEnabled());
  EXPECT_FALSE(bar("ScrollBar_duree")->isEnabled());
  EXPECT_FALSE(host->presets[1]->isEnabled());
}

TEST_F(EffectsPageTest, PresetsStoreInTheKeyAndMoveTheSlider) {
  EffectSlot& s = select(2, 1);
  s.EFFDUR = 20;
  refresh();
  panels->storeEffectDuration(30);  // what Button_3s asks before it sends
  EXPECT_EQ(s.EFFDUR, 30);
  EXPECT_EQ(bar("ScrollBar_duree")->value(), 30);
  EXPECT_EQ(edit("Edit_duree")->text(), "3s");
  EXPECT_TRUE(sent.isEmpty());  // the preset sends EFFDUR itself
  page().storeEffectDuration(50);
  EXPECT_EQ(s.EFFDUR, 50);
  EXPECT_EQ(bar("ScrollBar_duree")->value(), 50);
}

TEST_F(EffectsPageTest, DurationSliderAndEdit) {
  zelvan::ui::ScriptedDialogs dialogs;
  EffectSlot& s = select(4, 4);
  s.EFFDUR = 20;
  refresh();
  bar("ScrollBar_duree")->setSliderPosition(45);
  EXPECT_EQ(sent, QStringList{"45eD"});
  EXPECT_EQ(s.EFFDUR, 45);
  EXPECT_EQ(edit("Edit_duree")->text(), "4.5s");

  feed({"EFD40"});
  sent.clear();
  enter(edit("Edit_duree"), "2,5s");
  enter(edit("Edit_duree"), "2.5");
  EXPECT_EQ(sent, (QStringList{"25eD", "25eD"}));
  EXPECT_EQ(s.EFFDUR, 25);
  EXPECT_EQ(bar("ScrollBar_duree")->value(), 25);
  sent.clear();
  enter(edit("Edit_duree"), "30");  // 300: out of range, the device's 40 again
  enter(edit("Edit_duree"), "-1");
  EXPECT_EQ(sent, (QStringList{"40eD", "40eD"}));
  EXPECT_EQ(s.EFFDUR, 25);
  sent.clear();
  enter(edit("Edit_duree"), "abc");
  EXPECT_TRUE(sent.isEmpty());
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_TRUE(dialogs.messages().front().contains("abc"));
  EXPECT_EQ(s.EFFDUR, 25);
}

// --------------------------------------------------- positions and sizes

TEST_F(EffectsPageTest, SlidersStoreAndSendTheirRegister) {
  EffectSlot& s = select(1, 4);
  refresh();
  bar("ScrollBar_Horizontal_position")->setSliderPosition(11);
  bar("ScrollBar_Vertical_position")->setSliderPosition(12);
  bar("ScrollBar_mask_Horizontal_position")->setSliderPosition(13);
  bar("ScrollBar_mask_Vertical_position")->setSliderPosition(14);
  bar("ScrollBar_mask_Horizontal_size")->setSliderPosition(15);
  bar("ScrollBar_mask_Vertical_size")->setSliderPosition(16);
  bar("ScrollBar_Intensity")->setSliderPosition(17);
  bar("ScrollBar_Vertical_Size")->setSliderPosition(180);
  EXPECT_EQ(sent, (QStringList{"11ea", "12eb", "13ee", "14ef", "15eg", "16eh", "17ee", "180ed"}));
  EXPECT_EQ(s.EFFPA, 11);
  EXPECT_EQ(s.EFFPB, 12);
  EXPECT_EQ(s.EFFPE, 17);
  EXPECT_EQ(s.EFFPF, 14);
  EXPECT_EQ(s.EFFPG, 15);
  EXPECT_EQ(s.EFFPH, 16);
  EXPECT_EQ(s.EFFPD, 180);
  EXPECT_EQ(s.EFFPC, 128);  // no lock: the other size stays
  EXPECT_EQ(edit("Edit_mask_Vertical_size")->text(), "16");
  EXPECT_EQ(edit("Edit_Vertical_Size")->text(), "180");
}

TEST_F(EffectsPageTest, EditsSendTheTypedNumberAndRejectTheRest) {
  zelvan::ui::ScriptedDialogs dialogs;
  EffectSlot& s = select(1, 4);
  refresh();
  enter(edit("Edit_Horizontale_size"), "10");
  EXPECT_EQ(sent, QStringList{"10ec"});
  EXPECT_EQ(s.EFFPC, 10);
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->value(), 30);
  sent.clear();
  enter(edit("Edit_Horizontal_position"), "300");
  EXPECT_EQ(sent, QStringList{"300ea"});
  EXPECT_EQ(bar("ScrollBar_Horizontal_position")->value(), 255);
  sent.clear();
  enter(edit("Edit_mask_Horizontal_size"), "2147483647");
  EXPECT_EQ(sent, QStringList{"2147483647eg"});
  EXPECT_EQ(s.EFFPG, 2147483647);
  EXPECT_TRUE(dialogs.messages().isEmpty());

  sent.clear();
  enter(edit("Edit_Vertical_position"), "-5");
  enter(edit("Edit_Intensity"), "2147483648");  // does not fit the key's field
  ASSERT_EQ(dialogs.messages().size(), 2);
  EXPECT_EQ(dialogs.messages()[0], "Range check error");
  EXPECT_EQ(dialogs.messages()[1], "Range check error");
  enter(edit("Edit_mask_Vertical_position"), "1x");
  ASSERT_EQ(dialogs.messages().size(), 3);
  EXPECT_EQ(dialogs.messages()[2], zelvan::signal::notAnIntegerMessage("1x"));
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(s.EFFPB, 128);
  EXPECT_EQ(s.EFFPE, 128);
  EXPECT_EQ(s.EFFPF, 128);
}

TEST_F(EffectsPageTest, SizeLockCouplesTheMainPair) {
  EffectSlot& s = select(1, 4);
  s.EFFPC = 128;
  s.EFFPD = 100;
  refresh();
  page().SpeedButton_size()->click();
  ASSERT_TRUE(page().SpeedButton_size()->isChecked());
  EXPECT_FALSE(page().SpeedButton_1pour1_Horizontal()->isEnabled());
  EXPECT_FALSE(page().SpeedButton_1pour1_Vertical()->isEnabled());
  EXPECT_EQ(s.EFFPC, 128);  // sizes in force are kept
  EXPECT_EQ(s.EFFPD, 100);
  sent.clear();
  bar("ScrollBar_Horizontale_size")->setSliderPosition(200);
  EXPECT_EQ(sent, (QStringList{"200ec", "200ed"}));
  EXPECT_EQ(s.EFFPC, 200);
  EXPECT_EQ(s.EFFPD, 200);
  EXPECT_EQ(bar("ScrollBar_Vertical_Size")->value(), 200);
  EXPECT_EQ(edit("Edit_Vertical_Size")->text(), "200");
  EXPECT_EQ(s.EFFPM, 128);
  EXPECT_EQ(s.EFFPN, 128);
  EXPECT_TRUE(sentWith("um").empty());
  EXPECT_TRUE(sentWith("un").empty());
  sent.clear();
  enter(edit("Edit_Vertical_Size"), "90");  // an edit couples as well, the other way round
  EXPECT_EQ(sent, (QStringList{"90ed", "90ec"}));

  page().SpeedButton_size()->click();
  EXPECT_TRUE(page().SpeedButton_1pour1_Horizontal()->isEnabled());
  EXPECT_TRUE(page().SpeedButton_1pour1_Vertical()->isEnabled());
  sent.clear();
  bar("ScrollBar_Horizontale_size")->setSliderPosition(70);
  EXPECT_EQ(sent, QStringList{"70ec"});
}

TEST_F(EffectsPageTest, OneToOneRoundTripRestoresTheSize) {
  EffectSlot& s = select(1, 4);
  s.EFFPC = 150;
  refresh();
  QToolButton* one = page().SpeedButton_1pour1_Horizontal();
  one->click();
  EXPECT_EQ(sent, QStringList{"0ec"});
  EXPECT_EQ(s.EFFPC, 0);
  EXPECT_EQ(s.OLD_EFFPC, 150);
  EXPECT_FALSE(bar("ScrollBar_Horizontale_size")->isEnabled());
  EXPECT_FALSE(edit("Edit_Horizontale_size")->isEnabled());

  refresh();  // a refresh shows 1:1 with the size it replaced
  EXPECT_TRUE(one->isChecked());
  EXPECT_EQ(edit("Edit_Horizontale_size")->text(), "150");
  EXPECT_FALSE(bar("ScrollBar_Horizontale_size")->isEnabled());

  one->click();
  EXPECT_EQ(sent, QStringList{"150ec"});
  EXPECT_EQ(s.EFFPC, 150);
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->value(), 150);
  EXPECT_TRUE(bar("ScrollBar_Horizontale_size")->isEnabled());
  EXPECT_TRUE(edit("Edit_Horizontale_size")->isEnabled());

  sent.clear();
  page().SpeedButton_1pour1_Vertical()->click();
  EXPECT_EQ(sent, QStringList{"0ed"});
}

TEST_F(EffectsPageTest, SizeLockWithOneToOneDownKeepsTheSize) {
  EffectSlot& s = select(1, 4);
  s.EFFPC = 150;
  s.EFFPD = 110;
  refresh();
  page().SpeedButton_1pour1_Horizontal()->click();
  ASSERT_EQ(s.EFFPC, 0);
  sent.clear();
  page().SpeedButton_size()->click();
  // The size 1:1 replaced comes back; it is not lost to a saved 0.
  EXPECT_EQ(s.EFFPC, 150);
  EXPECT_EQ(s.OLD_EFFPC, 150);
  EXPECT_EQ(s.EFFPD, 110);
  EXPECT_EQ(s.OLD_EFFPD, 110);
  EXPECT_EQ(sentWith("ec"), std::vector<long>{150});
  EXPECT_EQ(sentWith("ed"), std::vector<long>{110});
  EXPECT_FALSE(page().SpeedButton_1pour1_Horizontal()->isChecked());
  EXPECT_FALSE(page().SpeedButton_1pour1_Horizontal()->isEnabled());
  EXPECT_TRUE(bar("ScrollBar_Horizontale_size")->isEnabled());
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->value(), 150);
}

// ------------------------------------------------------- paced trios

TEST_F(EffectsPageTest, BorderSizeIsPacedOneInFlight) {
  EffectSlot& s = select(1, 4);
  s.EFFOPT = 1;
  refresh();
  QScrollBar* b = bar("ScrollBar_EFFPI");
  b->setSliderDown(true);
  for (int pos : {10, 20, 30, 40}) b->setSliderPosition(pos);
  EXPECT_EQ(sent, QStringList{"10ei"});
  EXPECT_EQ(dragMark(b), 1);
  EXPECT_EQ(s.EFFPI, 40);
  feed({"EFPI10"});
  EXPECT_EQ(sent.size(), 2);
  EXPECT_EQ(edit("Edit_EFFPI")->text(), "10");
  EXPECT_EQ(b->value(), 40);  // dragged: the report does not move it
  answerUntilQuiet("EFPI", "ei");
  EXPECT_EQ(sent.back(), "40ei");
  b->setSliderDown(false);
  release(b);
  EXPECT_EQ(dragMark(b), 0);
  answerUntilQuiet("EFPI", "ei");
  feed({"EFPI33"});
  EXPECT_EQ(b->value(), 33);
  EXPECT_EQ(edit("Edit_EFFPI")->text(), "33");
}

TEST_F(EffectsPageTest, BorderEditsResendTheDeviceValueOutOfRange) {
  zelvan::ui::ScriptedDialogs dialogs;
  feed({"DEV36"});
  EffectSlot& s = select(1, 4);
  s.EFFOPT = 1;  // shadow: all three rows in use
  refresh();
  feed({"EFPI7", "EFPS9", "EFPJ11"});
  sent.clear();
  enter(edit("Edit_EFFPI"), "256");
  enter(edit("Edit_EFFPS"), "-1");
  enter(edit("Edit_EFFPJ"), "999");
  EXPECT_EQ(sent, (QStringList{"7ei", "9us", "11ej"}));
  EXPECT_EQ(s.EFFPI, 0);
  sent.clear();
  enter(edit("Edit_EFFPI"), "255");
  enter(edit("Edit_EFFPS"), "0");
  enter(edit("Edit_EFFPJ"), "12");
  EXPECT_EQ(sent, (QStringList{"255ei", "0us", "12ej"}));
  EXPECT_EQ(s.EFFPI, 255);
  EXPECT_EQ(s.EFFPS, 0);
  EXPECT_EQ(s.EFFPJ, 12);
  sent.clear();
  enter(edit("Edit_EFFPS"), "zz");
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(EffectsPageTest, DoublePipOpacityIsTheValueTurnedRound) {
  EffectSlot& s = select(1, 14);
  s.EFFPJ = 0;
  refresh();
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->value(), 255);
  bar("ScrollBar_EFFPJ")->setSliderPosition(200);
  EXPECT_EQ(sent, QStringList{"55ej"});
  EXPECT_EQ(s.EFFPJ, 55);
  feed({"EFPJ55"});
  EXPECT_EQ(edit("Edit_EFFPJ")->text(), "200");
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->value(), 200);
  answerUntilQuiet("EFPJ", "ej");
  EXPECT_EQ(sentWith("ej").back(), 55);  // turned round once, never twice
  sent.clear();
  enter(edit("Edit_EFFPJ"), "250");
  EXPECT_EQ(sent, QStringList{"5ej"});
  EXPECT_EQ(s.EFFPJ, 5);

  // Any other kind shows and sends the value itself.
  select(2, 4).EFFPJ = 0;
  refresh();
  bar("ScrollBar_EFFPJ")->setSliderPosition(200);
  EXPECT_EQ(sent, QStringList{"200ej"});
  feed({"EFPJ55"});
  EXPECT_EQ(edit("Edit_EFFPJ")->text(), "55");
}

TEST_F(EffectsPageTest, ShadowColourBufferNeverTouchesTheOption) {
  feed({"DEV36"});
  EffectSlot& s = select(1, 4);
  s.EFFOPT = 3;
  refresh();
  const bool smoothBefore = page().CheckBox_EdgeSmooth()->isChecked();
  QScrollBar* b = bar("ScrollBar_EFFPS");
  b->setSliderDown(true);
  // Past the buffer's wrap: its write pointer goes round once.
  for (int i = 0; i < 65540; ++i) b->setSliderPosition(1 + (i % 2));
  EXPECT_GT(page().TamponVar_EFFPS()->MAX_pointeur_Write(), 0u);
  EXPECT_TRUE(sentWith("eO").empty());
  EXPECT_EQ(s.EFFOPT, 3);
  EXPECT_EQ(page().CheckBox_EdgeSmooth()->isChecked(), smoothBefore);
  EXPECT_EQ(sentWith("us"), std::vector<long>{1});
  b->setSliderDown(false);
}

// ------------------------------------------------------------- options

TEST_F(EffectsPageTest, OptionReportsSetBorderTriosAndSmooth) {
  feed({"DEV36"});
  select(1, 4);
  refresh();
  TRadioGroup* border = page().LMD_RadioGroup_Option_effect_courant();
  QCheckBox* smooth = page().CheckBox_EdgeSmooth();
  struct Row {
    const char* report;
    int item;
    const char* i;
    const char* j;
    const char* s;
    bool smoothChecked;
    bool smoothEnabled;
  };
  const Row rows[] = {
      {"EFO0", 0, "...", "...", "...", false, false},
      {"EFO1", 1, "Shadow size", "Shadow intensity", "Shadow color", false, false},
      {"EFO2", 2, "Smooth size", "...", "...", false, false},
      {"EFO3", 3, "Edge size", "Edge color", "...", false, true},
      {"EFO5", 3, "Edge size", "Edge color", "...", true, true},
      {"EFO6", 1, "Shadow size", "Shadow intensity", "Shadow color", true, true},
  };
  for (const Row& r : rows) {
    feed({r.report});
    SCOPED_TRACE(r.report);
    EXPECT_EQ(border->ItemIndex(), r.item);
    EXPECT_EQ(label("Label_EFFPI")->text(), r.i);
    EXPECT_EQ(label("Label_EFFPJ")->text(), r.j);
    EXPECT_EQ(label("Label_EFFPS")->text(), r.s);
    EXPECT_EQ(bar("ScrollBar_EFFPI")->isEnabled(), QString(r.i) != "...");
    EXPECT_EQ(edit("Edit_EFFPJ")->isEnabled(), QString(r.j) != "...");
    EXPECT_EQ(bar("ScrollBar_EFFPS")->isEnabled(), QString(r.s) != "...");
    EXPECT_EQ(widget("Bevel_option_effect_courant")->isEnabled(), QString(r.i) != "...");
    EXPECT_EQ(smooth->isChecked(), r.smoothChecked);
    EXPECT_EQ(smooth->isEnabled(), r.smoothEnabled);
    EXPECT_EQ(page().LMDRadioGroup_EFFOPT()->ItemIndex(), 0);
  }
  // 4 (inlay on) leaves the trios as they were.
  feed({"EFO4"});
  EXPECT_EQ(border->ItemIndex(), 0);
  EXPECT_EQ(label("Label_EFFPI")->text(), "Shadow size");
  EXPECT_TRUE(bar("ScrollBar_EFFPI")->isEnabled());
  EXPECT_FALSE(smooth->isChecked());
  EXPECT_FALSE(smooth->isEnabled());
  EXPECT_EQ(page().LMDRadioGroup_EFFOPT()->ItemIndex(), 1);
  EXPECT_TRUE(sent.isEmpty());

  // A Double PiP has the opacity where other kinds have no colour.
  select(1, 14);
  refresh();
  feed({"EFO0"});
  EXPECT_EQ(label("Label_EFFPJ")->text(), "Opacity");
  EXPECT_TRUE(bar("ScrollBar_EFFPJ")->isEnabled());
  feed({"EFO1"});
  EXPECT_EQ(label("Label_EFFPJ")->text(), "Opacity");
}

TEST_F(EffectsPageTest, SmoothNeedsModel36) {
  select(1, 4);
  refresh();
  feed({"EFO3"});
  EXPECT_FALSE(page().CheckBox_EdgeSmooth()->isEnabled());
  feed({"EFO5"});
  EXPECT_TRUE(page().CheckBox_EdgeSmooth()->isChecked());
  EXPECT_FALSE(page().CheckBox_EdgeSmooth()->isEnabled());
}

TEST_F(EffectsPageTest, SmoothTogglesTheOptionAndRestoresTheSavedOne) {
  feed({"DEV36"});
  EffectSlot& s = select(1, 4);
  s.EFFOPT = 3;
  refresh();
  QCheckBox* smooth = page().CheckBox_EdgeSmooth();
  ASSERT_TRUE(smooth->isEnabled());
  smooth->click();
  EXPECT_EQ(sent, QStringList{"5eO"});
  EXPECT_EQ(s.EFFOPT, 5);
  EXPECT_EQ(s.OLD_EFFOPT, 3);
  EXPECT_TRUE(smooth->isChecked());
  sent.clear();
  smooth->click();
  EXPECT_EQ(sent, QStringList{"3eO"});
  EXPECT_EQ(s.EFFOPT, 3);
  EXPECT_FALSE(smooth->isChecked());

  s.EFFOPT = 1;
  sent.clear();
  page().CheckBox_EdgeSmoothClick();
  EXPECT_EQ(sent, QStringList{"6eO"});
  EXPECT_EQ(s.OLD_EFFOPT, 1);
  page().CheckBox_EdgeSmoothClick();
  EXPECT_EQ(sent.back(), "1eO");
  EXPECT_EQ(s.EFFOPT, 1);

  s.EFFOPT = 2;  // no smoothing of its own: left as it is
  sent.clear();
  page().CheckBox_EdgeSmoothClick();
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(s.EFFOPT, 2);
  EXPECT_EQ(s.OLD_EFFOPT, 2);
}

TEST_F(EffectsPageTest, BorderAndInlayRadiosSendTheOption) {
  EffectSlot& s = select(1, 14);
  refresh();
  TRadioGroup* inlay = page().LMDRadioGroup_EFFOPT();
  inlay->button(1)->click();
  EXPECT_EQ(sent, QStringList{"4eO"});
  EXPECT_EQ(s.EFFOPT, 4);
  inlay->button(0)->click();
  EXPECT_EQ(sent, (QStringList{"4eO", "0eO"}));
  EXPECT_EQ(s.EFFOPT, 0);
  sent.clear();
  page().LMD_RadioGroup_Option_effect_courant()->button(3)->click();
  EXPECT_EQ(sent, QStringList{"3eO"});
  EXPECT_EQ(s.EFFOPT, 3);
  // Shown from code: nothing is sent.
  sent.clear();
  feed({"EFO2"});
  EXPECT_TRUE(sent.isEmpty());
}

// --------------------------------------------- lent to the Double PiP panel

TEST_F(EffectsPageTest, BoundParameterStoresSendsAndLoads) {
  zelvan::ui::ScriptedDialogs dialogs;
  auto* b = new QScrollBar(Qt::Horizontal, panels->container());
  b->setRange(0, 255);
  auto* e = new QLineEdit(panels->container());
  page().bindParameter(b, e, &EffectSlot::EFFPK, Reg::EFFPK);
  EffectSlot& s = select(1, 14);
  s.EFFPK = 77;
  refresh();
  EXPECT_EQ(b->value(), 77);
  EXPECT_EQ(e->text(), "77");
  b->setSliderPosition(90);
  EXPECT_EQ(sent, QStringList{"90uk"});
  EXPECT_EQ(s.EFFPK, 90);
  EXPECT_EQ(e->text(), "90");
  sent.clear();
  enter(e, "400");
  EXPECT_EQ(sent, QStringList{"400uk"});
  EXPECT_EQ(b->value(), 255);
  enter(e, "-3");
  EXPECT_EQ(sent.size(), 1);
  EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(EffectsPageTest, DoublePipLayoutMovesTheControlsAndBack) {
  QWidget* container = panels->container();
  auto* panel = new QWidget(container);
  panel->setGeometry(0, 32, 737, 334);
  select(1, 14);
  refresh();
  feed({"DEV36"});
  widget("Label_Intensity")->hide();
  const bool maskShown = shown("GroupBox_Mask");

  page().arrangeForDoublePip(panel, true, true);
  for (const char* n : {"ScrollBar_duree", "Edit_duree", "SpeedButton_holding", "ScrollBar_Horizontal_position",
                        "Edit_Vertical_position", "ScrollBar_Horizontale_size", "ScrollBar_Vertical_Size",
                        "SpeedButton_1pour1_Horizontal", "SpeedButton_size", "GroupBox_Mask", "ScrollBar_EFFPJ",
                        "Label_EFFPJ", "Button_1s"})
    EXPECT_EQ(widget(n)->parentWidget(), panel) << n;
  EXPECT_EQ(widget("Label_Intensity")->parentWidget(), container);  // not a Double PiP control
  EXPECT_EQ(bar("ScrollBar_Horizontale_size")->x(), 528);
  EXPECT_EQ(edit("Edit_Horizontale_size")->x(), 656);
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->geometry(), QRect(528, 175, 121, 17));
  EXPECT_TRUE(bar("ScrollBar_EFFPJ")->isEnabled());
  EXPECT_EQ(label("Label_EFFPJ")->text(), "Opacity");
  EXPECT_EQ(shown("GroupBox_Mask"), maskShown);  // moving keeps what is shown
  for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) EXPECT_GE(w->y(), 26);

  // The lock now sits in the panel with the main pair: still coupled.
  page().SpeedButton_size()->click();
  sent.clear();
  bar("ScrollBar_Horizontale_size")->setSliderPosition(210);
  EXPECT_EQ(sent, (QStringList{"210ec", "210ed"}));

  page().arrangeForDoublePip(panel, false, false);
  for (const char* n : {"ScrollBar_duree", "SpeedButton_size", "GroupBox_Mask", "ScrollBar_EFFPJ", "Button_5s"})
    EXPECT_EQ(widget(n)->parentWidget(), container) << n;
  EXPECT_EQ(bar("ScrollBar_EFFPJ")->geometry().topLeft(), QPoint(232, 314));
  EXPECT_EQ(edit("Edit_EFFPJ")->geometry().topLeft(), QPoint(436, 314));
  EXPECT_EQ(bar("ScrollBar_duree")->geometry().topLeft(), QPoint(76, 71));
  EXPECT_EQ(shown("GroupBox_Mask"), maskShown);

  // Without DEV 36 the opacity row stays on the page.
  page().arrangeForDoublePip(panel, true, false);
  EXPECT_EQ(widget("ScrollBar_EFFPJ")->parentWidget(), container);
  EXPECT_EQ(widget("ScrollBar_duree")->parentWidget(), panel);
}

TEST_F(EffectsPageTest, DoublePipSizesAreCoupledWithinTheirPairOnly) {
  QWidget* container = panels->container();
  auto* panel = new QWidget(container);
  auto* h = new QScrollBar(Qt::Horizontal, panel);
  auto* v = new QScrollBar(Qt::Horizontal, panel);
  h->setRange(30, 255);
  v->setRange(30, 255);
  auto* eh = new QLineEdit(panel);
  auto* ev = new QLineEdit(panel);
  auto* oh = new QToolButton(panel);
  auto* ov = new QToolButton(panel);
  page().addDoublePipSizes(h, eh, oh, v, ev, ov);
  EffectSlot& s = select(1, 14);
  s.EFFPM = 140;
  s.EFFPN = 0;  // 1:1
  s.OLD_EFFPN = 120;
  refresh();
  EXPECT_TRUE(ov->isChecked());
  EXPECT_EQ(ev->text(), "120");
  EXPECT_FALSE(v->isEnabled());

  // Standard layout: the lock is on the page, the pair in the panel.
  page().SpeedButton_size()->click();
  EXPECT_EQ(s.EFFPN, 120);  // released with its size back, not a saved 0
  EXPECT_FALSE(ov->isChecked());
  EXPECT_FALSE(ov->isEnabled());
  sent.clear();
  h->setSliderPosition(100);
  EXPECT_EQ(sent, QStringList{"100um"});
  bar("ScrollBar_Horizontale_size")->setSliderPosition(90);
  EXPECT_EQ(sent, (QStringList{"100um", "90ec", "90ed"}));

  // Double PiP layout: the lock joins the panel; each pair within itself.
  page().arrangeForDoublePip(panel, true, false);
  sent.clear();
  h->setSliderPosition(110);
  EXPECT_EQ(sent, (QStringList{"110um", "110un"}));
  EXPECT_EQ(v->value(), 110);
  EXPECT_EQ(s.EFFPN, 110);
  sent.clear();
  bar("ScrollBar_Vertical_Size")->setSliderPosition(80);
  EXPECT_EQ(sent, (QStringList{"80ed", "80ec"}));

  // 1:1 of the Double PiP size with its own saved value.
  page().SpeedButton_size()->click();
  sent.clear();
  oh->click();
  EXPECT_EQ(sent, QStringList{"0um"});
  EXPECT_EQ(s.OLD_EFFPM, 110);
  oh->click();
  EXPECT_EQ(sent.back(), "110um");
}

// The frame radio buttons belong to the animation panel: this case needs it built.
TEST_F(EffectsPageTest, BorderSizeReportChecksTheBackgroundFrame) {
  if (!animation().RadioButton_Frame(4)) GTEST_SKIP() << "the animation panel has no frame buttons yet";
  select(1, 14);
  refresh();
  feed({"EFPI3"});
  EXPECT_TRUE(animation().RadioButton_Frame(4)->isChecked());
  EXPECT_EQ(edit("Edit_EFFPI")->text(), "3");
  feed({"EFPI9"});  // no frame for 9: the edit shows it, the radios stay
  EXPECT_TRUE(animation().RadioButton_Frame(4)->isChecked());
}

}  // namespace
}  // namespace effects_test
