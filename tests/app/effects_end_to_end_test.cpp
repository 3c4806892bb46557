// Effects against the device simulator over TCP: on connect the device's
// current effect selects the key that holds it, whatever the order of the
// full-state burst; a PiP chosen for a key goes out as the key's whole
// register set in order; during a held PiP take "Switch Main" sends an input
// to the inlay only; the Double PiP's background frame and inlay reach the
// device; a key edited is the same key after a restart.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/effects_feature.h"
#include "app/main_menus.h"
#include "app/report_router.h"
#include "device/catalogue.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effect_tables.h"
#include "panel/keying/effects_page.h"
#include "panel/keying/effects_panels.h"
#include "panel/signal/signal_common.h"
#include "sim_app_support.h"

#ifdef ZELVAN_SIM_PATH

using zelvan::keying::EffectSlot;
using zelvan::keying::TEffectsPanels;

namespace {

class EffectsEndToEnd : public SimAppTest {
 protected:
  TEffectsPanels& effects() const { return *main()->feature<zelvan::app::TEffectsFeature>()->panels(); }
  zelvan::keying::EffectKeyMemory& memory() const { return main()->state().EffectMemory; }

  // Records every command the application sends from now on.
  void recordSent() {
    sent_.clear();
    main()->router().add(zelvan::app::LinkEvent::SentString, zelvan::app::RoutePos::Tools, QStringLiteral("test: sent"),
                         [this] { sent_ << link()->sentString(); });
  }

  static void waitFor(const std::function<bool()>& done, const char* what, int ms = 10000) {
    ASSERT_TRUE(QTest::qWaitFor(done, ms)) << what;
  }

  // The commands a key sends when it goes down, from its slot.
  static QStringList keyDownCommands(const EffectSlot& s) {
    QStringList out;
    for (const zelvan::keying::EffectRegister& r : zelvan::keying::keyDownOrder())
      out << QString::number(s.*r.member) + QString::fromLatin1(zelvan::registerInfo(r.reg).code.data(),
                                                                qsizetype(zelvan::registerInfo(r.reg).code.size()));
    return out;
  }

  // The chooser item `name` chosen for key n as the operator does: the
  // chooser button opens the menu, the item is triggered.
  void chooseFor(int key, const char* name) {
    effects().keys()->BitBtn_effect(key)->click();
    QAction* item = main()->findAction(QLatin1String(name));
    ASSERT_NE(item, nullptr) << name;
    item->trigger();
    if (QMenu* m = main()->menus()->Effects.PopupMenu_effect) m->hide();
  }

  QStringList sent_;
};

}  // namespace

TEST_F(EffectsEndToEnd, TheDevicesEffectSelectsTheMatchingKeyWhateverTheBurstOrder) {
  // Key 5's defaults: PiP, holding, positions and sizes 128, mask sizes 255.
  ASSERT_NO_FATAL_FAILURE(startConnected({"--burst-order", "shuffled", "--seed", "11", "--set", "E=4", "--set",
                                          "eD=255", "--set", "ea=128", "--set", "eb=128", "--set", "ec=128", "--set",
                                          "ed=128", "--set", "ee=128", "--set", "ef=128", "--set", "eg=255", "--set",
                                          "eh=255", "--set", "ei=0", "--set", "ej=0", "--set", "eO=0"}));
  waitFor([&] { return effects().keys()->matchingDone(); }, "key matching ran");
  waitFor([&] { return memory().ButtonEffect() == 5; }, "key 5 selected");
  EXPECT_TRUE(effects().keys()->SpeedButton_Effet(5)->isChecked());
  for (int k : {1, 2, 3, 4, 6}) EXPECT_FALSE(effects().keys()->SpeedButton_Effet(k)->isChecked()) << k;
  // Slot 7 mirrors the device, and its name is on the status key.
  EXPECT_EQ(memory().slot(7).kind, 4);
  EXPECT_EQ(memory().slot(7).EFFDUR, 255);
  EXPECT_EQ(effects().keys()->SpeedButton_Effet_Status()->text(), QStringLiteral("PiP"));
}

TEST_F(EffectsEndToEnd, APipChosenForKeyTwoGoesOutWhole) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  waitFor([&] { return effects().keys()->matchingDone(); }, "key matching ran");
  effects().keys()->SpeedButton_Effet(2)->click();
  if (!effects().keys()->SpeedButton_Effet(2)->isChecked()) effects().keys()->SpeedButton_Effet(2)->click();
  ASSERT_EQ(memory().ButtonEffect(), 2);
  recordSent();
  ASSERT_NO_FATAL_FAILURE(chooseFor(2, "menuitem_PIP"));
  const EffectSlot key2 = memory().slot(2);
  EXPECT_EQ(key2.kind, 4);
  const QStringList expected = keyDownCommands(key2);
  // The refresh may first put right an opening the new kind does not allow.
  QStringList tail = sent_;
  while (!tail.isEmpty() && tail.first() != expected.first()) tail.removeFirst();
  ASSERT_GE(tail.size(), expected.size()) << sent_.join(' ').toStdString();
  EXPECT_EQ(tail.mid(0, expected.size()), expected) << sent_.join(' ').toStdString();
  // The device took it: its echo fills slot 7.
  waitFor([&] { return link()->EFFECT() == 4 && memory().slot(7).kind == 4; }, "device effect PiP");
  EXPECT_EQ(effects().keys()->SpeedButton_Effet_Status()->text(), QStringLiteral("PiP"));
}

TEST_F(EffectsEndToEnd, SwitchMainDuringAHeldPipSendsTheInputToTheInlayOnly) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  waitFor([&] { return effects().keys()->matchingDone(); }, "key matching ran");
  // Key 5 is a held PiP.
  QToolButton* key5 = effects().keys()->SpeedButton_Effet(5);
  if (!key5->isChecked()) key5->click();
  waitFor([&] { return link()->EFFECT() == 4 && link()->EFFDUR() == 255; }, "PiP loaded");
  auto* take = control<QPushButton>("BitBtn_Take");
  ASSERT_NE(take, nullptr);
  take->click();
  QAbstractButton* switchMain = control<QAbstractButton>("SpeedButton_pippop_main");
  ASSERT_NE(switchMain, nullptr);
  waitFor([&] { return link()->TAKE() && switchMain->isEnabled(); }, "PiP on air, switches enabled");
  const uint32_t mainInput = link()->ICHM();
  const uint32_t target = mainInput == 3 ? 4 : 3;
  switchMain->click();
  ASSERT_TRUE(switchMain->isChecked());
  recordSent();
  auto* input = main()->findControl<QAbstractButton>(QStringLiteral("label_input%1").arg(target));
  ASSERT_NE(input, nullptr);
  input->click();
  EXPECT_EQ(sent_, QStringList{QString::number(target) + QStringLiteral("CN")}) << sent_.join(' ').toStdString();
  waitFor([&] { return link()->ICHNM() == target; }, "inlay input switched");
  EXPECT_EQ(link()->ICHM(), mainInput);
  EXPECT_TRUE(link()->TAKE());
}

TEST_F(EffectsEndToEnd, DoublePipFrameAndInlayReachTheDevice) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  waitFor([&] { return effects().keys()->matchingDone(); }, "key matching ran");
  QToolButton* key6 = effects().keys()->SpeedButton_Effet(6);
  if (!key6->isChecked()) key6->click();
  ASSERT_EQ(memory().ButtonEffect(), 6);
  ASSERT_NO_FATAL_FAILURE(chooseFor(6, "menuitem_DoublePIP"));
  EXPECT_EQ(memory().slot(6).kind, 14);
  EXPECT_EQ(memory().slot(6).EFFDUR, 15);  // holding became 1.5 s
  waitFor([&] { return link()->EFFECT() == 14; }, "Double PiP loaded");
  EXPECT_TRUE(effects().animation()->Panel_Double_PIP()->isVisibleTo(effects().container()));
  // A mouse press on Frame3 sends its Tag (2); the Inlay radio's ON sends 4.
  QRadioButton* frame3 = effects().animation()->RadioButton_Frame(3);
  ASSERT_NE(frame3, nullptr);
  recordSent();
  QTest::mousePress(frame3, Qt::LeftButton);
  QTest::mouseRelease(frame3, Qt::LeftButton);
  auto* inlay = effects().page()->LMDRadioGroup_EFFOPT();
  ASSERT_NE(inlay, nullptr);
  inlay->button(1)->click();
  EXPECT_TRUE(sent_.contains(QStringLiteral("2ei"))) << sent_.join(' ').toStdString();
  EXPECT_TRUE(sent_.contains(QStringLiteral("4eO"))) << sent_.join(' ').toStdString();
  waitFor([&] { return link()->EFFPI() == 2 && link()->EFFOPT() == 4; }, "device took frame and inlay");
  EXPECT_EQ(memory().slot(6).EFFPI, 2);
  EXPECT_EQ(memory().slot(6).EFFOPT, 4);
}

TEST_F(EffectsEndToEnd, AnEditedKeyIsTheSameAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(startConnected());
  waitFor([&] { return effects().keys()->matchingDone(); }, "key matching ran");
  QToolButton* key3 = effects().keys()->SpeedButton_Effet(3);
  if (!key3->isChecked()) key3->click();
  ASSERT_EQ(memory().ButtonEffect(), 3);
  ASSERT_NO_FATAL_FAILURE(chooseFor(3, "menuitem_HorizontalSlideRightToLeft"));
  const EffectSlot before = memory().slot(3);
  EXPECT_EQ(before.kind, 7);
  EXPECT_EQ(before.openDisabled, QStringLiteral("RadioButton_Open7"));
  EXPECT_EQ(before.EFFOPEN, 3);  // the slide, not the wipe it rules out
  ASSERT_NO_FATAL_FAILURE(restartApp());
  EXPECT_EQ(memory().slot(3), before);
  // Its caption is rebuilt from the memory, on two lines.
  EXPECT_EQ(effects().keys()->SpeedButton_Effet(3)->text(), QStringLiteral("Horizontal Slide\n Right to Left"));
}

#endif
