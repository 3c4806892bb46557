// The six effect keys of the main window and the effect key memory behind
// them: the keys and their chooser buttons, the status key naming the
// device's current effect, the key number and effect name above the page,
// Preset, the effect chooser and duration menus, the defaults, the key
// press that loads a key's whole effect into the device and the release
// that clears it, the device's current effect mirrored into slot 7 and
// matched against the keys once per run, and the locking of the effect
// controls while an effect runs.
#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <bitset>

#include "device/catalogue.h"
#include "panel/keying/effects_context.h"

class QAbstractButton;
class QAction;
class QEvent;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace zelvan::keying {

class TEffectKeys : public QObject {
  Q_OBJECT

 public:
  // Builds the key panel and the name row into `area` (the Effects page's
  // own container) and the duration menu; hooks the chooser menu's items.
  TEffectKeys(TEffectsContext& ctx, QWidget* area, QObject* parent = nullptr);
  ~TEffectKeys() override;

  // ---- controls ----
  QWidget* Panel_active_ou_non_bpt_effet() const { return keysPanel_; }
  QToolButton* SpeedButton_Effet(int n) const;  // n 1..6, nullptr otherwise
  QPushButton* BitBtn_effect(int n) const;      // n 1..6
  QToolButton* SpeedButton_Effet_Status() const { return status_; }
  QLabel* StaticText_page_effect_n() const { return keyNumber_; }
  QLabel* StaticText_nro_effect() const { return effectNumber_; }
  QPushButton* BitBtn_Nom_effect_dynamique() const { return chooseName_; }
  QPushButton* BitBtn_reset_effet() const { return preset_; }
  QMenu* PopupMenu_time() const { return timeMenu_; }
  QAction* menuitem_duration() const { return timeTitle_; }
  int PopupKey() const { return popupKey_; }

  // ---- operations ----
  // Defaults: all keys (start-up, File New; nothing is sent) or only `key`
  // (Preset: its parameters are sent).
  void init_effet(bool all, int key);
  // After the memories were read or reset: every key's caption from its
  // memory, then the selected key applied (pressed).
  void continuer_les_parametrages_des_effets();
  // The selected key's number, kind and name, then the page refresh.
  void Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
  // The operator's click on key 1..6: down loads the key, up clears the effect.
  void SpeedButton_Effet_choisie_Click(int key);
  // Puts key 1..6 down and runs the down branch (matching, take-over).
  void pressKey(int key);
  // The caption of key 1..6 (wrapped); also for the soft-edge keys 101..106.
  void setKeyCaption(int key, const QString& caption);
  // Opens the chooser for key 1..6 at a global position.
  void openChooser(int key, const QPoint& globalPos);
  // An item of the chooser chosen for PopupKey.
  void chooseEffect(QAction* item);
  // Opens the duration menu for key 1..6 (only when its kind has Dur).
  void openDurationMenu(int key, const QPoint& globalPos);
  // Duration menu item t = 0..5.
  void N_xxClick(int t);
  // Preset: the selected key back to its defaults, sent.
  void BitBtn_reset_effetClick();
  // Releases keys 1..6 without sending (the link became ready with another effect).
  void releaseAllKeys();

  // ---- reports ----
  // Any report of a current-effect register: slot 7, the status caption,
  // and the first time the switch of the page to slot 7.
  // `reg` is the register reported (every one of keyDownOrder()).
  void currentEffectReported(int reg);
  void Gestion_mise_en_memoire_des_options_de_leffect_current();
  // EFFPR: key matching, once per run.
  void Zelvan_d1EFFPRchange();
  void Actu_down_buttons_effet_par_rapport_leffet_current_de_la_machine();
  // EFFON: locking (after the T-bar turn, which runs first).
  void Zelvan_d1EFFONchange();
  // The link became ready: the page shows slot 7 afresh while it is selected.
  void Zelvan_d1Ready();

  bool firstEffectReportSeen() const { return firstReportSeen_; }
  bool matchingDone() const { return matchingDone_; }
  // The EFFPR report came before every effect register had been reported
  // once: the matching waits for the last of them.
  bool matchingPending() const { return matchPending_; }

  // Item t (0..5: "0.5s" ... "5s") of the duration menu, nullptr otherwise.
  QAction* N_xx(int t) const;
  // Whether key memory `key` holds the effect of `current` as far as the
  // current kind's control groups go (the key matching rule).
  static bool keyMatchesCurrent(const EffectSlot& key, const EffectSlot& current);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The down branch of a key: selection, name row, the key's effect sent.
  void keyDown(int key);
  // The up branch: the device's effect cleared.
  void keyUp();
  // A chooser button (or "Choose Effects" for the selected key) pressed.
  void chooserPressed(int key);
  // Runs the press action of any selectable key (1..6, 7, 101..106).
  void applyKey(int key, bool sendCurrent);
  // Sends the whole effect of slot `n` in the key-down order.
  void sendSlot(int n);
  // Preset of one key: defaults stored and sent.
  void presetKey(int key);
  // The caption the name table gives a slot's effect.
  QString effectCaption(int n) const;
  void releaseOtherKeys(int key);
  static bool selectableKey(int key);

  TEffectsContext& ctx_;
  QWidget* keysPanel_ = nullptr;
  std::array<QToolButton*, 6> keys_{};
  std::array<QPushButton*, 6> choosers_{};
  QToolButton* status_ = nullptr;
  QLabel* keyNumber_ = nullptr;
  QLabel* effectNumber_ = nullptr;
  QPushButton* chooseName_ = nullptr;
  QPushButton* preset_ = nullptr;
  QMenu* timeMenu_ = nullptr;
  QAction* timeTitle_ = nullptr;
  std::array<QAction*, 6> timeItems_{};
  int popupKey_ = 1;
  bool firstReportSeen_ = false;
  bool matchingDone_ = false;
  bool matchPending_ = false;
  // Effect registers reported at least once since start-up: the matching
  // compares the keys with a complete slot 7 only, whatever order the
  // device's full-state burst comes in.
  std::bitset<kRegisterCount> reported_;
  int reportedCount_ = 0;
};

}  // namespace zelvan::keying
