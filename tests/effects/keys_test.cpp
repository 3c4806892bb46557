// The effect keys: defaults, the key press and release on the wire, the
// chooser and duration menus, Preset, the device's current effect in slot 7
// with the once-per-run key matching, the locking while an effect runs, the
// release when the link becomes ready, and hostile reports.
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <cstring>
#include <limits>

#include "effects_test_support.h"

namespace effects_test {
namespace {

// Command codes and reply names of a key's effect, in the order a key
// sends them, with the slot field each carries.
struct Wire {
  const char* code;
  const char* reply;
  int reg;
  int32_t EffectSlot::*member;
};
const std::vector<Wire>& keyWire() {
  static const std::vector<Wire> w = {
      {"E", "EFF", Reg::EFFECT, &EffectSlot::kind},           {"eD", "EFD", Reg::EFFDUR, &EffectSlot::EFFDUR},
      {"ea", "EFPA", Reg::EFFPA, &EffectSlot::EFFPA},         {"eb", "EFPB", Reg::EFFPB, &EffectSlot::EFFPB},
      {"ec", "EFPC", Reg::EFFPC, &EffectSlot::EFFPC},         {"ed", "EFPD", Reg::EFFPD, &EffectSlot::EFFPD},
      {"ee", "EFPE", Reg::EFFPE, &EffectSlot::EFFPE},         {"ef", "EFPF", Reg::EFFPF, &EffectSlot::EFFPF},
      {"eg", "EFPG", Reg::EFFPG, &EffectSlot::EFFPG},         {"eh", "EFPH", Reg::EFFPH, &EffectSlot::EFFPH},
      {"ei", "EFPI", Reg::EFFPI, &EffectSlot::EFFPI},         {"ej", "EFPJ", Reg::EFFPJ, &EffectSlot::EFFPJ},
      {"us", "EFPS", Reg::EFFPS, &EffectSlot::EFFPS},         {"eO", "EFO", Reg::EFFOPT, &EffectSlot::EFFOPT},
      {"uk", "EFPK", Reg::EFFPK, &EffectSlot::EFFPK},         {"ul", "EFPL", Reg::EFFPL, &EffectSlot::EFFPL},
      {"um", "EFPM", Reg::EFFPM, &EffectSlot::EFFPM},         {"un", "EFPN", Reg::EFFPN, &EffectSlot::EFFPN},
      {"uo", "EFPO", Reg::EFFPO, &EffectSlot::EFFPO},         {"up", "EFPP", Reg::EFFPP, &EffectSlot::EFFPP},
      {"uq", "EFPQ", Reg::EFFPQ, &EffectSlot::EFFPQ},         {"ur", "EFPR", Reg::EFFPR, &EffectSlot::EFFPR},
      {"eu", "EFOP", Reg::EFFOPEN, &EffectSlot::EFFOPEN},     {"es", "EFPT", Reg::EFFOPNDUR, &EffectSlot::EFFOPNDUR},
      {"ev", "EFCL", Reg::EFFCLOSE, &EffectSlot::EFFCLOSE},   {"et", "EFCT", Reg::EFFCLSDUR, &EffectSlot::EFFCLSDUR},
  };
  return w;
}

// What a key holding `s` sends when it goes down.
QStringList downCommands(const EffectSlot& s) {
  QStringList out;
  for (const Wire& w : keyWire()) out << QString::number(s.*w.member) + QLatin1String(w.code);
  return out;
}

class KeysTest : public EffectsTest {
 protected:
  void SetUp() override {
    EffectsTest::SetUp();
    host->mainWindow.show();
    sent.clear();
  }

  // The device's report of a whole effect, in register index order (as its
  // state burst comes).
  // The device's effect registers in index order, or the other way round.
  void feedEffect(const EffectSlot& s, bool reversed = false) {
    std::vector<const Wire*> byIndex;
    for (const Wire& w : keyWire()) byIndex.push_back(&w);
    std::sort(byIndex.begin(), byIndex.end(), [](const Wire* a, const Wire* b) { return a->reg < b->reg; });
    if (reversed) std::reverse(byIndex.begin(), byIndex.end());
    QByteArray bytes;
    for (const Wire* w : byIndex) {
      const QByteArray line = QByteArray(w->reply) + QByteArray::number(s.*(w->member));
      ASSERT_EQ(zelvan::matchReplyLine(line.toStdString()).index, w->reg) << line.toStdString();
      bytes += line + "\r\n";
    }
    link.ProcessReceived(bytes);
  }
  // The device answers every command in `commands` (value then code).
  void echo(const QStringList& commands) {
    QByteArray bytes;
    for (const QString& c : commands)
      for (const Wire& w : keyWire())
        if (c.endsWith(QLatin1String(w.code)) && c.size() > qsizetype(strlen(w.code)) &&
            c.at(c.size() - qsizetype(strlen(w.code)) - 1).isDigit()) {
          bytes += QByteArray(w.reply) + c.left(c.size() - qsizetype(strlen(w.code))).toLatin1() + "\r\n";
          break;
        }
    link.ProcessReceived(bytes);
  }
  QToolButton* key(int n) { return keys().SpeedButton_Effet(n); }
  EffectSlot& slot(int n) { return memory().slot(n); }
  std::vector<int> keysDown() {
    std::vector<int> down;
    for (int n = 1; n <= 6; ++n)
      if (key(n)->isChecked()) down.push_back(n);
    return down;
  }
  void ready() { router.run(zelvan::app::eventId(zelvan::app::LinkEvent::Ready)); }
  // The chooser opened for `k` and item `name` chosen.
  void choose(int k, const char* name) {
    keys().openChooser(k, QPoint(10, 10));
    QAction* a = host->item(name);
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
    host->chooser.PopupMenu_effect->hide();
  }
};

// ---------------------------------------------------------------- controls and defaults

TEST_F(KeysTest, BuildsTheKeyRowAndNameRow) {
  QWidget* panel = keys().Panel_active_ou_non_bpt_effet();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->objectName(), QStringLiteral("Panel_active_ou_non_bpt_effet"));
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 737, 32));
  for (int n = 1; n <= 6; ++n) {
    ASSERT_NE(key(n), nullptr);
    EXPECT_EQ(key(n)->objectName(), QStringLiteral("SpeedButton_Effet%1").arg(n));
    EXPECT_EQ(key(n)->property("Tag").toInt(), n);
    EXPECT_TRUE(key(n)->isCheckable());
    EXPECT_FALSE(key(n)->isChecked());
    EXPECT_EQ(key(n)->toolTip(), n == 1 ? QString() : QStringLiteral("Push TAKE to Validate"));
    ASSERT_NE(keys().BitBtn_effect(n), nullptr);
    EXPECT_EQ(keys().BitBtn_effect(n)->objectName(), QStringLiteral("BitBtn_effect%1").arg(n));
    EXPECT_EQ(keys().BitBtn_effect(n)->property("Tag").toInt(), n);
    EXPECT_EQ(key(n)->parentWidget(), panel);
    EXPECT_LE(key(n)->geometry().right(), 736);
  }
  EXPECT_EQ(keys().SpeedButton_Effet(0), nullptr);
  EXPECT_EQ(keys().SpeedButton_Effet(7), nullptr);
  EXPECT_EQ(keys().BitBtn_effect(7), nullptr);
  QToolButton* status = keys().SpeedButton_Effet_Status();
  EXPECT_EQ(status->objectName(), QStringLiteral("SpeedButton_Effet_Status"));
  EXPECT_EQ(status->text(), QStringLiteral("Currently"));
  EXPECT_EQ(status->property("Tag").toInt(), 7);
  EXPECT_FALSE(status->isEnabled());
  EXPECT_LE(status->geometry().right(), 736);
  EXPECT_EQ(keys().StaticText_page_effect_n()->text(), QStringLiteral("Key n°...."));
  EXPECT_EQ(keys().StaticText_nro_effect()->text(), QStringLiteral("Effect : n°...."));
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("Choose Effects"));
  EXPECT_EQ(keys().BitBtn_reset_effet()->text(), QStringLiteral("Preset"));
  for (QWidget* w : std::initializer_list<QWidget*>{keys().StaticText_page_effect_n(), keys().StaticText_nro_effect(),
                                                    keys().BitBtn_Nom_effect_dynamique(), keys().BitBtn_reset_effet()}) {
    EXPECT_GE(w->y(), 34) << w->objectName().toStdString();
    EXPECT_LE(w->geometry().bottom(), 56) << w->objectName().toStdString();
    EXPECT_LE(w->geometry().right(), 404) << w->objectName().toStdString();
  }
  // The duration menu: title and six items with their tags.
  EXPECT_EQ(keys().PopupMenu_time()->objectName(), QStringLiteral("PopupMenu_time"));
  EXPECT_EQ(keys().menuitem_duration()->objectName(), QStringLiteral("menuitem_duration"));
  EXPECT_FALSE(keys().menuitem_duration()->isEnabled());
  const QStringList captions = {"0.5s", "1s", "2s", "3s", "4s", "5s"};
  for (int t = 0; t < 6; ++t) {
    EXPECT_EQ(keys().N_xx(t)->text(), captions[t]);
    EXPECT_EQ(keys().N_xx(t)->property("Tag").toInt(), t);
  }
  EXPECT_EQ(keys().N_xx(6), nullptr);
}

TEST_F(KeysTest, DefaultsAndFileNewSendNothing) {
  const QStringList captions = {"Cut", "Fade", "Title", "Shadow Title", "PiP", "Cut"};
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(key(n)->text(), captions[n - 1]);
  // Key 1 Cut 2 s, key 2 Fade 2 s, keys 3..5 holding, key 6 Cut holding.
  EXPECT_EQ(slot(1).kind, 0);
  EXPECT_EQ(slot(1).EFFDUR, 20);
  EXPECT_EQ(slot(2).kind, 1);
  EXPECT_EQ(slot(2).EFFDUR, 20);
  for (int n = 3; n <= 5; ++n) EXPECT_EQ(slot(n).EFFDUR, 255) << n;
  EXPECT_EQ(slot(6).kind, 0);
  EXPECT_EQ(slot(6).EFFDUR, 255);

  // File New: every key back to its defaults, and not a command sent.
  slot(3).kind = 7;
  slot(3).EFFPA = 3;
  slot(104).EFFPQ = 1;
  slot(2).OLD_DUR = 77;
  memory().setButtonEffect(4);
  keys().init_effet(true, 0);
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
  EXPECT_EQ(memory().ButtonEffect(), 1);
  EXPECT_EQ(slot(3).kind, 2);
  EXPECT_EQ(slot(3).EFFPA, 128);
  EXPECT_EQ(slot(104).EFFPQ, 255);
  EXPECT_EQ(slot(2).OLD_DUR, 15);
  // The inlay panel back at its folded top.
  if (QWidget* inlay = animation().panel_incrustation_et_choixframe()) {
    EXPECT_EQ(inlay->y(), -151);
  }
}

// ---------------------------------------------------------------- press and release

TEST_F(KeysTest, KeyDownSendsTheWholeEffectInOrder) {
  key(5)->click();
  EXPECT_EQ(sent, QStringList({"4E",    "255eD", "128ea", "128eb", "128ec", "128ed", "128ee", "128ef", "255eg",
                               "255eh", "0ei",   "0ej",   "128us", "0eO",   "128uk", "128ul", "128um", "128un",
                               "128uo", "128up", "255uq", "255ur", "0eu",   "10es",  "0ev",   "10et"}));
  EXPECT_EQ(memory().ButtonEffect(), 5);
  EXPECT_TRUE(key(5)->isChecked());
  EXPECT_EQ(keys().StaticText_page_effect_n()->text(), QStringLiteral("Key n°5"));
  EXPECT_EQ(keys().StaticText_nro_effect()->text(), QStringLiteral("Effect : n°4"));
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("PiP"));

  // Another key: one group, the first goes up; its own values are sent.
  sent.clear();
  slot(3).EFFPA = 7;
  slot(3).EFFOPNDUR = 33;
  key(3)->click();
  EXPECT_EQ(keysDown(), std::vector<int>{3});
  EXPECT_EQ(sent, downCommands(slot(3)));
  EXPECT_EQ(sent.at(0), QStringLiteral("2E"));
  EXPECT_EQ(sent.at(2), QStringLiteral("7ea"));
  EXPECT_EQ(sent.at(23), QStringLiteral("33es"));
  EXPECT_FALSE(sent.join(' ').contains(QLatin1String("eP")));  // no EFFADR
}

TEST_F(KeysTest, ReleaseSendsTenZerosAndKeepsTheSelection) {
  key(3)->click();
  sent.clear();
  key(3)->click();
  EXPECT_FALSE(key(3)->isChecked());
  EXPECT_EQ(sent, QStringList({"0E", "0eD", "0ea", "0eb", "0ec", "0ed", "0ee", "0ef", "0eg", "0eh"}));
  EXPECT_EQ(memory().ButtonEffect(), 3);
  EXPECT_TRUE(keysDown().empty());  // all may be up
}

TEST_F(KeysTest, PressingADownKeyNeverToggles) {
  key(2)->click();
  sent.clear();
  keys().pressKey(2);
  EXPECT_TRUE(key(2)->isChecked());
  EXPECT_EQ(sent, downCommands(slot(2)));
  sent.clear();
  keys().pressKey(0);
  keys().pressKey(7);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(KeysTest, MouseReleaseOpensThePageAndRightButtonTheDurationMenu) {
  host->tabs->setCurrentWidget(host->inputPage);
  const int shows = host->pageShows;
  slot(3).EFFDUR = 20;
  QTest::mouseClick(key(3), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(host->pageShows, shows + 1);
  EXPECT_TRUE(host->effectsPageActive());
  EXPECT_TRUE(key(3)->isChecked());
  EXPECT_EQ(sent, downCommands(slot(3)));

  // Right button over a Title key: the duration menu, its "2s" checked.
  sent.clear();
  QTest::mouseClick(key(3), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(host->pageShows, shows + 2);
  EXPECT_TRUE(keys().PopupMenu_time()->isVisible());
  EXPECT_EQ(keys().PopupKey(), 3);
  EXPECT_EQ(keys().menuitem_duration()->text(), QStringLiteral("Key n°3"));
  EXPECT_TRUE(keys().N_xx(2)->isChecked());
  EXPECT_TRUE(key(3)->isChecked());  // the right button does not release the key
  EXPECT_TRUE(sent.isEmpty());
  keys().PopupMenu_time()->hide();

  // A Cut key has no duration: no menu.
  QTest::mouseClick(key(1), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_FALSE(keys().PopupMenu_time()->isVisible());
  EXPECT_EQ(keys().PopupKey(), 3);
  EXPECT_EQ(host->pageShows, shows + 3);
}

// ---------------------------------------------------------------- duration menu

TEST_F(KeysTest, DurationMenuChecksAndStores) {
  slot(3).EFFDUR = 30;
  keys().openDurationMenu(3, QPoint(5, 5));
  for (int t = 0; t < 6; ++t) EXPECT_EQ(keys().N_xx(t)->isChecked(), t == 3) << t;
  keys().PopupMenu_time()->hide();
  slot(4).EFFDUR = 15;  // no item for 1.5 s
  keys().openDurationMenu(4, QPoint(5, 5));
  for (int t = 0; t < 6; ++t) EXPECT_FALSE(keys().N_xx(t)->isChecked()) << t;
  keys().PopupMenu_time()->hide();
  slot(4).EFFDUR = 5;
  keys().openDurationMenu(4, QPoint(5, 5));
  EXPECT_TRUE(keys().N_xx(0)->isChecked());
  EXPECT_EQ(keys().menuitem_duration()->text(), QStringLiteral("Key n°4"));

  // Key 4 is not selected (key 1 is): stored, nothing sent.
  keys().N_xx(4)->trigger();
  keys().PopupMenu_time()->hide();
  EXPECT_EQ(slot(4).EFFDUR, 40);
  EXPECT_TRUE(sent.isEmpty());
  keys().N_xxClick(0);
  EXPECT_EQ(slot(4).EFFDUR, 5);
  EXPECT_TRUE(sent.isEmpty());

  // On the selected key the duration is sent.
  key(4)->click();
  sent.clear();
  keys().openDurationMenu(4, QPoint(5, 5));
  keys().N_xx(5)->trigger();
  keys().PopupMenu_time()->hide();
  EXPECT_EQ(slot(4).EFFDUR, 50);
  EXPECT_EQ(sent, QStringList{"50eD"});
  keys().N_xxClick(6);
  keys().N_xxClick(-1);
  EXPECT_EQ(sent.size(), 1);
}

// ---------------------------------------------------------------- chooser

TEST_F(KeysTest, ChooserMenuIsTitledAndChecksTheKeysEffect) {
  slot(3).kind = 6;
  slot(3).EFFOPEN = 2;  // Horizontal Slide Left to Right
  keys().openChooser(3, QPoint(10, 10));
  EXPECT_EQ(keys().PopupKey(), 3);
  EXPECT_EQ(host->chooser.menuitem_Effect->text(), QStringLiteral("Key n°3"));
  QStringList checked;
  for (QAction* a : host->chooser.EffectGroup->actions())
    if (a->isChecked()) checked << a->objectName();
  EXPECT_EQ(checked, QStringList{"menuitem_HorizontalSlideLeftToRight"});
  host->chooser.PopupMenu_effect->hide();

  keys().openChooser(5, QPoint(10, 10));
  checked.clear();
  for (QAction* a : host->chooser.EffectGroup->actions())
    if (a->isChecked()) checked << a->objectName();
  EXPECT_EQ(checked, QStringList{"menuitem_PIP"});
  EXPECT_EQ(host->chooser.menuitem_Effect->text(), QStringLiteral("Key n°5"));
  host->chooser.PopupMenu_effect->hide();
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(KeysTest, ChooserButtonOpensPageAndMenu) {
  host->tabs->setCurrentWidget(host->inputPage);
  keys().BitBtn_effect(4)->click();
  EXPECT_TRUE(host->effectsPageActive());
  EXPECT_EQ(keys().PopupKey(), 4);
  EXPECT_TRUE(host->chooser.PopupMenu_effect->isVisible());
  EXPECT_EQ(host->chooser.menuitem_Effect->text(), QStringLiteral("Key n°4"));
  EXPECT_TRUE(host->item("menuitem_ShadowTitle")->isChecked());
  host->chooser.PopupMenu_effect->hide();
  // "Choose Effects" chooses for the selected key.
  key(2)->click();
  keys().BitBtn_Nom_effect_dynamique()->click();
  EXPECT_EQ(keys().PopupKey(), 2);
  EXPECT_EQ(host->chooser.menuitem_Effect->text(), QStringLiteral("Key n°2"));
  host->chooser.PopupMenu_effect->hide();
}

TEST_F(KeysTest, ChoosingSetsKindDurationHintAndCaption) {
  // Fade on a holding key: 1.5 s; not the selected key, nothing sent.
  choose(3, "menuitem_Fading");
  EXPECT_EQ(slot(3).kind, 1);
  EXPECT_EQ(slot(3).EFFDUR, 15);
  EXPECT_EQ(key(3)->text(), QStringLiteral("Fade"));
  EXPECT_TRUE(sent.isEmpty());
  // Title keeps holding; PiP too; Double PiP does not.
  choose(4, "menuitem_title");
  EXPECT_EQ(slot(4).kind, 2);
  EXPECT_EQ(slot(4).EFFDUR, 255);
  choose(6, "menuitem_PIP");
  EXPECT_EQ(slot(6).EFFDUR, 255);
  choose(6, "menuitem_DoublePIP");
  EXPECT_EQ(slot(6).kind, 14);
  EXPECT_EQ(slot(6).EFFDUR, 15);
  // A set duration stays.
  choose(2, "menuitem_Cut");
  EXPECT_EQ(slot(2).EFFDUR, 20);

  // Slides: the hint rules out the wipe; long captions wrap, short ones not.
  choose(5, "menuitem_HorizontalSlideRightToLeft");
  EXPECT_EQ(slot(5).kind, 7);
  EXPECT_EQ(slot(5).openDisabled, QStringLiteral("RadioButton_Open7"));
  EXPECT_EQ(slot(5).EFFDUR, 15);
  EXPECT_EQ(key(5)->text(), QStringLiteral("Horizontal Slide\n Right to Left"));
  choose(5, "menuitem_ShadowTitle");
  EXPECT_EQ(slot(5).openDisabled, QString());
  EXPECT_EQ(key(5)->text(), QStringLiteral("Shadow Title"));
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(KeysTest, ChoosingForTheSelectedKeySendsIt) {
  key(1)->click();
  sent.clear();
  choose(1, "menuitem_HorizontalWipeLefttoRight");
  EXPECT_EQ(slot(1).kind, 6);
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("Horizontal Wipe Left to Right"));
  EXPECT_EQ(keys().StaticText_nro_effect()->text(), QStringLiteral("Effect : n°6"));
  EXPECT_EQ(key(1)->text(), QStringLiteral("Horizontal Wipe\n Left to Right"));
  EXPECT_TRUE(key(1)->isChecked());
  // The key's whole effect (the refresh may have corrected its opening
  // before: the wipe's hint rules out the slide).
  ASSERT_GE(sent.size(), 26);
  EXPECT_EQ(sent.mid(sent.size() - 26), downCommands(slot(1)));
  EXPECT_EQ(sent.at(sent.size() - 26), QStringLiteral("6E"));

  // An item without a kind is ignored.
  sent.clear();
  QAction stray(QStringLiteral("stray"));
  stray.setData(99);
  keys().chooseEffect(&stray);
  keys().chooseEffect(nullptr);
  EXPECT_EQ(slot(1).kind, 6);
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------------------- Preset

TEST_F(KeysTest, PresetSendsTheKeysDefaultsInOrder) {
  key(5)->click();
  EffectSlot& s = slot(5);
  s.EFFDUR = 40;
  s.EFFPA = 10;
  s.EFFPG = 3;
  s.EFFOPT = 2;
  s.EFFPQ = 9;
  s.EFFOPNDUR = 70;
  s.EFFADR = 5;
  s.OLD_DUR = 99;
  s.OLD_EFFPC = 1;
  s.OLD_EFFOPT = 6;
  sent.clear();
  keys().BitBtn_reset_effet()->click();
  EXPECT_EQ(sent, QStringList({"255eD", "128ea", "128eb", "128ec", "128ed", "128ee", "128ef", "255eg", "255eh",
                               "0ei",   "0ej",   "128us", "0eO",   "128uk", "128ul", "128um", "128un", "128uo",
                               "128up", "255uq", "255ur", "0eu",   "10es",  "0ev",   "10et",  "0eP"}));
  EXPECT_EQ(s.kind, 4);
  EXPECT_EQ(s.EFFPA, 128);
  EXPECT_EQ(s.EFFADR, 0);
  EXPECT_EQ(s.OLD_DUR, 15);
  EXPECT_EQ(s.OLD_EFFPC, 128);
  EXPECT_EQ(s.OLD_EFFOPT, 0);

  // Cut and Fade get 2 s back.
  key(2)->click();
  slot(2).EFFDUR = 255;
  sent.clear();
  keys().BitBtn_reset_effetClick();
  EXPECT_EQ(sent.first(), QStringLiteral("20eD"));
  EXPECT_EQ(slot(2).EFFDUR, 20);
  EXPECT_EQ(slot(5).EFFDUR, 255);  // other keys untouched
}

// ---------------------------------------------------------------- captions from memory

TEST_F(KeysTest, TakingOverMemoriesSetsCaptionsAndPressesTheSelectedKey) {
  slot(3).kind = 7;
  slot(3).EFFOPEN = 3;  // Horizontal Slide Right to Left
  slot(6).kind = 3;
  memory().setButtonEffect(3);
  keys().continuer_les_parametrages_des_effets();
  EXPECT_EQ(key(3)->text(), QStringLiteral("Horizontal Slide\n Right to Left"));
  EXPECT_EQ(key(6)->text(), QStringLiteral("Shadow Title"));
  EXPECT_EQ(keysDown(), std::vector<int>{3});
  EXPECT_EQ(keys().StaticText_page_effect_n()->text(), QStringLiteral("Key n°3"));
  // The key's whole effect, after what the refresh corrected of its
  // animations (a wipe has no closing of its own).
  ASSERT_GE(sent.size(), 26);
  EXPECT_EQ(sent.mid(sent.size() - 26), downCommands(slot(3)));
  EXPECT_EQ(sent.at(sent.size() - 26), QStringLiteral("7E"));

  // Already down: pressed again, never released (no ten zeros).
  sent.clear();
  keys().continuer_les_parametrages_des_effets();
  EXPECT_TRUE(key(3)->isChecked());
  ASSERT_GE(sent.size(), 26);
  EXPECT_EQ(sent.mid(sent.size() - 26), downCommands(slot(3)));
  EXPECT_FALSE(sent.contains(QStringLiteral("0eD")));

  // A soft-edge key selected: its own click action, nothing sent here.
  sent.clear();
  memory().setButtonEffect(102);
  keys().continuer_les_parametrages_des_effets();
  EXPECT_EQ(host->softEdgeClicks, std::vector<int>{2});
  EXPECT_TRUE(sent.isEmpty());

  // Slot 7: the name row only.
  memory().setButtonEffect(7);
  slot(7).kind = 4;
  keys().continuer_les_parametrages_des_effets();
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("PiP"));
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(host->softEdgeClicks.size(), 1u);
}

// ---------------------------------------------------------------- slot 7

TEST_F(KeysTest, FirstReportSwitchesToTheCurrentEffect) {
  key(2)->click();
  sent.clear();
  EXPECT_FALSE(keys().firstEffectReportSeen());
  feed({"EFF4"});
  EXPECT_TRUE(keys().firstEffectReportSeen());
  EXPECT_EQ(memory().ButtonEffect(), 7);
  // No key is selected any more: none stays down (its next click loads it).
  EXPECT_TRUE(keysDown().empty());
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(slot(7).kind, 4);
  EXPECT_EQ(keys().SpeedButton_Effet_Status()->text(), QStringLiteral("PiP"));
  EXPECT_EQ(keys().StaticText_nro_effect()->text(), QStringLiteral("Effect : n°4"));
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("PiP"));

  // Every later report copies the device's values; the selection stays.
  feed({"EFF6", "EFOP2", "EFPA17", "EFPT33", "EFO3"});
  EXPECT_EQ(slot(7).kind, 6);
  EXPECT_EQ(slot(7).EFFOPEN, 2);
  EXPECT_EQ(slot(7).EFFPA, 17);
  EXPECT_EQ(slot(7).EFFOPNDUR, 33);
  EXPECT_EQ(slot(7).EFFOPT, 3);
  EXPECT_EQ(slot(7).openDisabled, QStringLiteral("RadioButton_Open6"));
  EXPECT_EQ(keys().SpeedButton_Effet_Status()->text(), QStringLiteral("Horizontal Slide\n Left to Right"));
  key(2)->click();
  feed({"EFF1"});
  EXPECT_EQ(memory().ButtonEffect(), 2);
  EXPECT_EQ(keys().SpeedButton_Effet_Status()->text(), QStringLiteral("Fade"));
}

TEST_F(KeysTest, ReadyShowsTheCurrentEffectAfresh) {
  // The burst's first report names a wipe before the opening has come.
  feed({"EFF6"});
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("Horizontal Wipe Left to Right"));
  feed({"EFOP2"});
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("Horizontal Wipe Left to Right"));
  sent.clear();
  ready();
  EXPECT_EQ(keys().BitBtn_Nom_effect_dynamique()->text(), QStringLiteral("Horizontal Slide Left to Right"));
  EXPECT_EQ(memory().ButtonEffect(), 7);
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------------------- matching

TEST_F(KeysTest, MatchingPressesTheMatchingKeyOnce) {
  EffectSlot device = slot(4);  // Shadow Title as key 4 holds it
  feedEffect(device);
  EXPECT_TRUE(keys().matchingDone());
  EXPECT_EQ(keysDown(), std::vector<int>{4});
  EXPECT_EQ(memory().ButtonEffect(), 4);
  EXPECT_EQ(sent, downCommands(slot(4)));

  // The device echoes the 26 commands (EFFPR among them): no new matching.
  const QStringList pressed = sent;
  echo(pressed);
  EXPECT_EQ(sent, pressed);
  EXPECT_EQ(memory().ButtonEffect(), 4);
  // A later report of the same effect presses nothing either.
  feedEffect(device);
  feed({"EFPR255", "EFPR3"});
  EXPECT_EQ(sent, pressed);
  EXPECT_EQ(keysDown(), std::vector<int>{4});
}

TEST_F(KeysTest, MatchingWaitsForACompleteCurrentEffect) {
  // EFFPR comes before the kind and the durations: matching against a half
  // filled slot 7 would see a Cut and press keys 1 and 6.
  const EffectSlot device = slot(4);
  feedEffect(device, true);
  EXPECT_TRUE(keys().matchingDone());
  EXPECT_FALSE(keys().matchingPending());
  EXPECT_EQ(keysDown(), std::vector<int>{4});
  EXPECT_EQ(sent, downCommands(slot(4)));
}

TEST_F(KeysTest, CutMatchesKeysOneAndSix) {
  EffectSlot device;
  device.kind = 0;
  device.EFFDUR = 77;  // a Cut compares its kind only
  device.EFFPA = 3;
  device.EFFOPT = 2;
  feedEffect(device);
  ASSERT_EQ(sent.size(), 52);
  EXPECT_EQ(sent.mid(0, 26), downCommands(slot(1)));
  EXPECT_EQ(sent.mid(26, 26), downCommands(slot(6)));
  EXPECT_EQ(sent.at(1), QStringLiteral("20eD"));
  EXPECT_EQ(sent.at(27), QStringLiteral("255eD"));
  EXPECT_EQ(keysDown(), std::vector<int>{6});
  EXPECT_EQ(memory().ButtonEffect(), 6);
}

TEST_F(KeysTest, NoMatchChangesNothing) {
  EffectSlot device = slot(2);
  device.EFFDUR = 21;  // Fade: the duration counts
  feedEffect(device);
  EXPECT_TRUE(keys().matchingDone());
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_TRUE(keysDown().empty());
  EXPECT_EQ(memory().ButtonEffect(), 7);
  // Matching ran once: the next EFFPR does not run it again.
  device.EFFDUR = 20;
  feedEffect(device);
  EXPECT_TRUE(sent.isEmpty());
}

TEST_F(KeysTest, DoublePipMatchesInlayOnOrOffAndIgnoresOpacity) {
  slot(3).kind = 14;
  slot(3).EFFDUR = 15;
  slot(3).EFFOPEN = 1;  // Double PiP fades in and out
  slot(3).EFFCLOSE = 1;
  slot(3).EFFOPT = 3;
  slot(3).EFFPJ = 77;
  EffectSlot device = slot(3);
  device.EFFOPT = 2;  // both below 4
  device.EFFPJ = 0;   // opacity does not count
  device.EFFOPEN = 9;  // nor do the animations
  feedEffect(device);
  EXPECT_EQ(keysDown(), std::vector<int>{3});
  EXPECT_EQ(sent, downCommands(slot(3)));

  // The rule itself, value by value.
  EffectSlot k = slot(3);
  EffectSlot c = k;
  c.EFFOPT = 4;
  k.EFFOPT = 6;
  EXPECT_TRUE(TEffectKeys::keyMatchesCurrent(k, c));
  k.EFFOPT = 3;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  k.EFFOPT = 4;
  c.EFFPI = 2;  // the background frame counts
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  c.EFFPI = k.EFFPI;
  c.EFFPR = 1;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  c.EFFPR = k.EFFPR;
  EXPECT_TRUE(TEffectKeys::keyMatchesCurrent(k, c));
}

TEST_F(KeysTest, MatchingFollowsTheKindsGroups) {
  EffectSlot k = slot(5);  // PiP
  EffectSlot c = k;
  EXPECT_TRUE(TEffectKeys::keyMatchesCurrent(k, c));
  c.EFFOPT = 1;  // PiP compares the option exactly
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  c = k;
  c.EFFPJ = 9;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  c = k;
  c.EFFPF = 9;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(k, c));
  c = k;
  c.EFFPM = 9;  // no Double PiP group for a PiP
  EXPECT_TRUE(TEffectKeys::keyMatchesCurrent(k, c));
  // Title: the title option counts, positions do not.
  EffectSlot t = slot(3);
  c = t;
  c.EFFPA = 1;
  EXPECT_TRUE(TEffectKeys::keyMatchesCurrent(t, c));
  c.EFFOPT = 1;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(t, c));
  // Shadow Title: the intensity (EFFPE) counts.
  EffectSlot s = slot(4);
  c = s;
  c.EFFPE = 100;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(s, c));
  // Another kind never matches; nor does a kind out of range.
  c = s;
  c.kind = 2;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(s, c));
  c.kind = 15;
  s.kind = 15;
  EXPECT_FALSE(TEffectKeys::keyMatchesCurrent(s, c));
}

// ---------------------------------------------------------------- effect running

TEST_F(KeysTest, RunningEffectLocksTheKeys) {
  feed({"EFF1", "EON1"});
  EXPECT_FALSE(host->ichmp->isEnabled());  // a Fade takes the whole picture
  EXPECT_FALSE(keys().Panel_active_ou_non_bpt_effet()->isEnabled());
  EXPECT_FALSE(key(3)->isEnabled());
  EXPECT_FALSE(keys().BitBtn_effect(3)->isEnabled());
  EXPECT_FALSE(keys().BitBtn_Nom_effect_dynamique()->isEnabled());
  EXPECT_FALSE(keys().BitBtn_reset_effet()->isEnabled());
  feed({"EON0"});
  EXPECT_TRUE(host->ichmp->isEnabled());
  EXPECT_TRUE(keys().Panel_active_ou_non_bpt_effet()->isEnabled());
  EXPECT_TRUE(key(3)->isEnabled());
  EXPECT_TRUE(keys().BitBtn_Nom_effect_dynamique()->isEnabled());
  EXPECT_TRUE(keys().BitBtn_reset_effet()->isEnabled());
  EXPECT_FALSE(keys().SpeedButton_Effet_Status()->isEnabled());  // always disabled

  // A PiP leaves the input panel usable; the keys are locked all the same.
  for (const char* kind : {"EFF4", "EFF2", "EFF3", "EFF5", "EFF14"}) {
    feed({kind, "EON1"});
    EXPECT_TRUE(host->ichmp->isEnabled()) << kind;
    EXPECT_FALSE(keys().Panel_active_ou_non_bpt_effet()->isEnabled()) << kind;
    feed({"EON0"});
  }
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------------------- Ready

TEST_F(KeysTest, ReadyReleasesKeysOfAnotherEffect) {
  feed({"EFF0"});  // the first report is behind us
  key(2)->click();  // Fade, while the device still has a Cut
  sent.clear();
  ready();
  EXPECT_TRUE(keysDown().empty());
  EXPECT_TRUE(sent.isEmpty());
  EXPECT_EQ(memory().ButtonEffect(), 2);

  key(2)->click();
  feed({"EFF1"});
  sent.clear();
  ready();
  EXPECT_EQ(keysDown(), std::vector<int>{2});
  EXPECT_TRUE(sent.isEmpty());

  keys().releaseAllKeys();
  EXPECT_TRUE(keysDown().empty());
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------------------- hostile reports

TEST_F(KeysTest, HostileReportsChangeNoKey) {
  key(1)->click();
  sent.clear();
  // Out of range: the link drops it.
  feed({"EFF99", "EFO7", "EFOP16"});
  EXPECT_NE(slot(7).kind, 99);
  EXPECT_TRUE(validKind(slot(7).kind));
  // In range but strange: huge values, a Cut with every option set.
  feed({"EFF14", "EFD4294967295", "EFPA4294967295", "EFPI4294967295", "EFO6", "EFOP15", "EFCL15",
        "EFPT4294967295", "EFPR4294967295", "EON1", "EON0", "EFF0", "EFOP15", "EFPR2147483648"});
  ready();
  EXPECT_EQ(slot(7).EFFDUR, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(slot(7).EFFPA, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(slot(7).EFFPR, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(slot(7).EFFOPNDUR, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(keys().SpeedButton_Effet_Status()->text(), QStringLiteral("Cut"));
  // Slot 7 is not complete: the matching waits for the missing registers.
  EXPECT_FALSE(keys().matchingDone());
  EXPECT_TRUE(keys().matchingPending());
  EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
  EXPECT_EQ(memory().ButtonEffect(), 7);
  // Keys and menus out of range do nothing.
  keys().openChooser(0, QPoint());
  keys().openChooser(8, QPoint());
  keys().openDurationMenu(7, QPoint());
  keys().SpeedButton_Effet_choisie_Click(9);
  keys().setKeyCaption(50, QStringLiteral("x"));
  keys().init_effet(false, 50);
  EXPECT_TRUE(sent.isEmpty());
}

// ---------------------------------------------------------------- with the other panels

// Needs the Effects page: the duration chosen for the selected key moves
// ScrollBar_duree.
TEST_F(KeysTest, DurationMenuMovesTheDurationSliderWithPage) {
  key(2)->click();
  keys().openDurationMenu(2, QPoint(5, 5));
  keys().N_xx(3)->trigger();
  keys().PopupMenu_time()->hide();
  auto* bar = find<QScrollBar>("ScrollBar_duree");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->value(), 30);
}

// Needs the animation: hovering over a key describes its effect in its hint.
TEST_F(KeysTest, HoverDescribesTheKeyWithAnimation) {
  QMouseEvent move(QEvent::MouseMove, QPointF(12, 12), key(5)->mapToGlobal(QPointF(12, 12)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(key(5), &move);
  EXPECT_EQ(key(5)->toolTip(), QStringLiteral("Push TAKE to Validate PiP : Cut In -> Cut Out"));
}

}  // namespace
}  // namespace effects_test
