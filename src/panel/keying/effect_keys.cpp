#include "panel/keying/effect_keys.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/effect_animation.h"
#include "panel/keying/effect_names.h"
#include "panel/keying/effects_page.h"
#include "panel/signal/signal_common.h"

namespace zelvan::keying {

using zelvan::signal::setHint;
using zelvan::signal::setPressed;

namespace {

// The key row: six keys each followed by its narrow chooser, the status
// key at the right end.
constexpr int kKeysPanelWidth = 737;
constexpr int kKeysPanelHeight = 32;
constexpr int kKeyLeft = 1;
constexpr int kKeyPitch = 110;
constexpr int kKeyWidth = 94;
constexpr int kChooserWidth = 15;
constexpr int kButtonTop = 1;
constexpr int kButtonHeight = 30;
constexpr int kStatusLeft = kKeyLeft + 6 * kKeyPitch + 1;
constexpr int kStatusWidth = kKeysPanelWidth - kStatusLeft - 1;

const QString kKeyPrefix = QStringLiteral("Key n°");
const QString kEffectPrefix = QStringLiteral("Effect : n°");
const QString kChooseEffects = QStringLiteral("Choose Effects");
const QString kTakeHint = QStringLiteral("Push TAKE to Validate");

// The duration menu: item t stores these tenths.
constexpr std::array<int, 6> kMenuDurations = {5, 10, 20, 30, 40, 50};
const std::array<const char*, 6> kMenuNames = {"N_05s", "N_1s", "N_2s", "N_3s", "N_4s", "N_5s"};
const std::array<const char*, 6> kMenuCaptions = {"0.5s", "1s", "2s", "3s", "4s", "5s"};

constexpr int kHolding = 255;

// The parameters a key gets back from Preset, as the start-up defaults
// give them.
const EffectSlot& defaultParameters() {
  static const EffectSlot slot = [] {
    EffectKeyMemory fresh;
    return fresh.slot(1);
  }();
  return slot;
}

// A device value in a slot field: the device's registers reach 2^32 - 1,
// the fields are int32; larger values are held at the field's maximum so
// they never turn negative.
int32_t fromDevice(uint32_t v) {
  return static_cast<int32_t>(std::min<uint32_t>(v, static_cast<uint32_t>(std::numeric_limits<int32_t>::max())));
}

}  // namespace

TEffectKeys::TEffectKeys(TEffectsContext& ctx, QWidget* area, QObject* parent) : QObject(parent), ctx_(ctx) {
  auto* panel = new QFrame(area);
  panel->setObjectName(QStringLiteral("Panel_active_ou_non_bpt_effet"));
  panel->setGeometry(0, 0, kKeysPanelWidth, kKeysPanelHeight);
  panel->setFrameShape(QFrame::NoFrame);
  keysPanel_ = panel;

  for (int n = 1; n <= 6; ++n) {
    const int x = kKeyLeft + (n - 1) * kKeyPitch;
    auto* key = new QToolButton(panel);
    key->setObjectName(QStringLiteral("SpeedButton_Effet%1").arg(n));
    key->setProperty("Tag", n);
    key->setCheckable(true);
    key->setAutoRaise(false);
    key->setFocusPolicy(Qt::NoFocus);
    key->setGeometry(x, kButtonTop, kKeyWidth, kButtonHeight);
    key->setMouseTracking(true);
    key->installEventFilter(this);
    if (n >= 2) setHint(key, kTakeHint);
    connect(key, &QToolButton::clicked, this, [this, n] { SpeedButton_Effet_choisie_Click(n); });
    keys_[size_t(n - 1)] = key;

    auto* chooser = new QPushButton(panel);
    chooser->setObjectName(QStringLiteral("BitBtn_effect%1").arg(n));
    chooser->setProperty("Tag", n);
    chooser->setText(QStringLiteral("▾"));
    chooser->setFocusPolicy(Qt::NoFocus);
    chooser->setGeometry(x + kKeyWidth, kButtonTop, kChooserWidth, kButtonHeight);
    connect(chooser, &QPushButton::clicked, this, [this, n] { chooserPressed(n); });
    choosers_[size_t(n - 1)] = chooser;
  }

  status_ = new QToolButton(panel);
  status_->setObjectName(QStringLiteral("SpeedButton_Effet_Status"));
  status_->setProperty("Tag", EffectKeyMemory::kCurrentEffectSlot);
  status_->setText(QStringLiteral("Currently"));
  status_->setFocusPolicy(Qt::NoFocus);
  status_->setGeometry(kStatusLeft, kButtonTop, kStatusWidth, kButtonHeight);
  status_->setEnabled(false);

  // The name row above the parameters.
  keyNumber_ = new QLabel(QStringLiteral("Key n°...."), area);
  keyNumber_->setObjectName(QStringLiteral("StaticText_page_effect_n"));
  keyNumber_->setGeometry(2, 36, 70, 18);
  effectNumber_ = new QLabel(QStringLiteral("Effect : n°...."), area);
  effectNumber_->setObjectName(QStringLiteral("StaticText_nro_effect"));
  effectNumber_->setGeometry(74, 36, 84, 18);
  chooseName_ = new QPushButton(kChooseEffects, area);
  chooseName_->setObjectName(QStringLiteral("BitBtn_Nom_effect_dynamique"));
  chooseName_->setFocusPolicy(Qt::NoFocus);
  chooseName_->setGeometry(160, 34, 178, 22);
  connect(chooseName_, &QPushButton::clicked, this, [this] { chooserPressed(ctx_.memory().ButtonEffect()); });
  preset_ = new QPushButton(QStringLiteral("Preset"), area);
  preset_->setObjectName(QStringLiteral("BitBtn_reset_effet"));
  preset_->setFocusPolicy(Qt::NoFocus);
  preset_->setGeometry(342, 34, 62, 22);
  connect(preset_, &QPushButton::clicked, this, [this] { BitBtn_reset_effetClick(); });

  // The duration menu of a key (right button released over it).
  timeMenu_ = new QMenu(area);
  timeMenu_->setObjectName(QStringLiteral("PopupMenu_time"));
  timeTitle_ = timeMenu_->addAction(QStringLiteral("Key n°...."));
  timeTitle_->setObjectName(QStringLiteral("menuitem_duration"));
  timeTitle_->setEnabled(false);
  timeMenu_->addSeparator();
  for (int t = 0; t < 6; ++t) {
    QAction* a = timeMenu_->addAction(QLatin1String(kMenuCaptions[size_t(t)]));
    a->setObjectName(QLatin1String(kMenuNames[size_t(t)]));
    a->setProperty("Tag", t);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, t] { N_xxClick(t); });
    timeItems_[size_t(t)] = a;
  }

  // The chooser menu belongs to the main window; its items run here.
  if (ctx_.host)
    if (QActionGroup* group = ctx_.host->effectMenuGroup())
      connect(group, &QActionGroup::triggered, this, [this](QAction* item) { chooseEffect(item); });

  // The keys name their memories from the start.
  for (int n = 1; n <= 6; ++n) setKeyCaption(n, effectCaption(n));
}

TEffectKeys::~TEffectKeys() = default;

QToolButton* TEffectKeys::SpeedButton_Effet(int n) const {
  return n >= 1 && n <= 6 ? keys_[size_t(n - 1)] : nullptr;
}

QPushButton* TEffectKeys::BitBtn_effect(int n) const {
  return n >= 1 && n <= 6 ? choosers_[size_t(n - 1)] : nullptr;
}

QAction* TEffectKeys::N_xx(int t) const { return t >= 0 && t < 6 ? timeItems_[size_t(t)] : nullptr; }

bool TEffectKeys::selectableKey(int key) {
  return (key >= 1 && key <= EffectKeyMemory::kCurrentEffectSlot) || (key >= 101 && key <= 106);
}

QString TEffectKeys::effectCaption(int n) const {
  const EffectSlot& s = ctx_.memory().slot(n);
  return ctx_.host->effectNames().caption(s.kind, s.EFFOPEN);
}

// ------------------------------------------------------------ defaults

void TEffectKeys::init_effet(bool all, int key) {
  if (!all) {
    presetKey(key);
    return;
  }
  // Start-up and File New: every memory back to its default. Nothing is
  // sent: the selected key is applied (and sent) once the memories are
  // taken over, and a reset must not flood the device with every key.
  ctx_.memory().initDefaults();
  if (ctx_.page) ctx_.page->Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
  if (ctx_.animation) {
    if (auto* frame = qobject_cast<QFrame*>(ctx_.animation->Panel_Double_PIP())) frame->setFrameShape(QFrame::NoFrame);
    if (QWidget* inlay = ctx_.animation->panel_incrustation_et_choixframe()) {
      bool ok = false;
      const int tag = inlay->property("Tag").toInt(&ok);
      if (ok) inlay->move(inlay->x(), tag);
    }
  }
}

void TEffectKeys::presetKey(int key) {
  if (!selectableKey(key)) return;
  EffectSlot& s = ctx_.memory().slot(key);
  const EffectSlot& d = defaultParameters();
  // The kind stays; Cut and Fade get their 2 s back, the others hold.
  s.EFFDUR = (s.kind == 0 || s.kind == 1) ? 20 : kHolding;
  s.OLD_DUR = 15;
  s.OLD_EFFPC = d.OLD_EFFPC;
  s.OLD_EFFPD = d.OLD_EFFPD;
  s.OLD_EFFPM = d.OLD_EFFPM;
  s.OLD_EFFPN = d.OLD_EFFPN;
  s.OLD_EFFOPT = d.OLD_EFFOPT;
  for (const EffectRegister& r : presetOrder()) {
    if (r.reg != Reg::EFFDUR) s.*r.member = d.*r.member;
    ctx_.send(r.reg, s.*r.member);
  }
  if (ctx_.page) ctx_.page->Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
}

void TEffectKeys::BitBtn_reset_effetClick() { init_effet(false, ctx_.memory().ButtonEffect()); }

void TEffectKeys::continuer_les_parametrages_des_effets() {
  for (int n = 1; n <= 6; ++n) setKeyCaption(n, effectCaption(n));
  for (int n = 101; n <= 106; ++n) setKeyCaption(n, effectCaption(n));
  applyKey(ctx_.memory().ButtonEffect(), false);
}

// ------------------------------------------------------------ name row and captions

void TEffectKeys::Numero_et_nom_de_leffet_avec_ce_qui_vas_bien() {
  const int selected = ctx_.memory().ButtonEffect();
  const EffectSlot& s = ctx_.memory().slot(selected);
  effectNumber_->setText(kEffectPrefix + QString::number(s.kind));
  const QString name = effectCaption(selected);
  chooseName_->setText(name.isEmpty() ? kChooseEffects : name);
  if (ctx_.page) ctx_.page->Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
}

void TEffectKeys::setKeyCaption(int key, const QString& caption) {
  QAbstractButton* b = nullptr;
  if (key >= 1 && key <= 6)
    b = keys_[size_t(key - 1)];
  else if (key >= 101 && key <= 106 && ctx_.host)
    b = ctx_.host->softEdgeKey(key - 100);
  if (b) b->setText(displayCaption(wrapKeyCaption(caption)));
}

// ------------------------------------------------------------ keys

void TEffectKeys::SpeedButton_Effet_choisie_Click(int key) {
  QToolButton* b = SpeedButton_Effet(key);
  if (!b) return;
  if (b->isChecked())
    keyDown(key);
  else
    keyUp();
}

void TEffectKeys::pressKey(int key) {
  QToolButton* b = SpeedButton_Effet(key);
  if (!b) return;
  setPressed(b, true);
  keyDown(key);
}

void TEffectKeys::releaseOtherKeys(int key) {
  for (int n = 1; n <= 6; ++n)
    if (n != key) setPressed(keys_[size_t(n - 1)], false);
}

void TEffectKeys::keyDown(int key) {
  // One group: the key going down releases the others.
  releaseOtherKeys(key);
  ctx_.memory().setButtonEffect(key);
  keyNumber_->setText(kKeyPrefix + QString::number(key));
  Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
  // The refresh may have corrected the key's animation: send what the slot
  // holds now.
  sendSlot(key);
  if (ctx_.page) ctx_.page->EffectsShow();
}

void TEffectKeys::keyUp() {
  for (int reg : keyReleaseZeros()) ctx_.send(reg, 0);
  if (ctx_.page) ctx_.page->EffectsShow();
}

void TEffectKeys::sendSlot(int n) {
  const EffectSlot& s = ctx_.memory().slot(n);
  for (const EffectRegister& r : keyDownOrder()) ctx_.send(r.reg, s.*r.member);
}

void TEffectKeys::applyKey(int key, bool sendCurrent) {
  if (key >= 1 && key <= 6) {
    pressKey(key);
  } else if (key >= 101 && key <= 106) {
    if (ctx_.host) ctx_.host->softEdgeKeyClick(key - 100);
  } else if (key == EffectKeyMemory::kCurrentEffectSlot) {
    // The device's current effect has no key of its own: editing it
    // writes slot 7 and sends it, like any parameter edited on the page.
    if (sendCurrent)
      sendSlot(key);
    else
      Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
  }
}

void TEffectKeys::releaseAllKeys() {
  for (QToolButton* b : keys_) setPressed(b, false);
}

bool TEffectKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) return false;
  auto* button = qobject_cast<QToolButton*>(watched);
  const int key = watched->property("Tag").toInt();
  if (!button || SpeedButton_Effet(key) != button) return false;
  auto* me = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseMove) {
    if (ctx_.animation) ctx_.animation->Button_test(key, true);
    return false;
  }
  if (!button->rect().contains(me->position().toPoint())) return false;
  if (ctx_.host) ctx_.host->showEffectsPage();
  if (me->button() == Qt::RightButton) openDurationMenu(key, me->globalPosition().toPoint());
  return false;
}

// ------------------------------------------------------------ duration menu

void TEffectKeys::openDurationMenu(int key, const QPoint& globalPos) {
  if (key < 1 || key > 6) return;
  const EffectSlot& s = ctx_.memory().slot(key);
  if (!effectGroup(s.kind, EffectGroup::Dur)) return;
  popupKey_ = key;
  timeTitle_->setText(kKeyPrefix + QString::number(key));
  for (int t = 0; t < 6; ++t) timeItems_[size_t(t)]->setChecked(s.EFFDUR == kMenuDurations[size_t(t)]);
  timeMenu_->popup(globalPos);
}

void TEffectKeys::N_xxClick(int t) {
  if (t < 0 || t >= 6 || !selectableKey(popupKey_)) return;
  const int tenths = kMenuDurations[size_t(t)];
  ctx_.memory().slot(popupKey_).EFFDUR = tenths;
  for (int i = 0; i < 6; ++i) timeItems_[size_t(i)]->setChecked(i == t);
  if (popupKey_ == ctx_.memory().ButtonEffect()) {
    if (ctx_.page) ctx_.page->storeEffectDuration(tenths);
    ctx_.send(Reg::EFFDUR, tenths);
  }
}

// ------------------------------------------------------------ effect chooser

void TEffectKeys::chooserPressed(int key) {
  if (!selectableKey(key)) return;
  popupKey_ = key;
  if (ctx_.host) ctx_.host->showEffectsPage();
  if (ctx_.animation) ctx_.animation->Button_test(key, false);
  openChooser(key, QCursor::pos());
}

void TEffectKeys::openChooser(int key, const QPoint& globalPos) {
  if (!selectableKey(key) || !ctx_.host) return;
  popupKey_ = key;
  if (QAction* title = ctx_.host->effectMenuTitle()) title->setText(kKeyPrefix + QString::number(key));
  if (QActionGroup* group = ctx_.host->effectMenuGroup())
    for (QAction* a : group->actions()) a->setChecked(false);
  const EffectSlot& s = ctx_.memory().slot(key);
  if (QAction* current = ctx_.host->effectNames().item(s.kind, s.EFFOPEN)) current->setChecked(true);
  if (QMenu* menu = ctx_.host->effectMenu()) menu->popup(globalPos);
}

void TEffectKeys::chooseEffect(QAction* item) {
  if (!item || !selectableKey(popupKey_)) return;
  bool ok = false;
  const int kind = item->data().toInt(&ok);
  if (!ok || !validKind(kind)) return;
  const int key = popupKey_;
  EffectSlot& s = ctx_.memory().slot(key);
  // A holding key that becomes a transition gets a duration it can play.
  if ((kind == 0 || kind == 1 || kind >= 6) && s.EFFDUR == kHolding) s.EFFDUR = 15;
  // The item's hint names the opening it rules out (the status tip holds
  // it alone: the tool tip falls back to the caption).
  s.openDisabled = item->statusTip();
  s.kind = kind;
  const bool selected = key == ctx_.memory().ButtonEffect();
  if (selected) Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
  setKeyCaption(key, item->text());
  if (selected) {
    applyKey(key, true);
    if (ctx_.animation) ctx_.animation->Button_test(key, false);
  }
}

// ------------------------------------------------------------ device reports

void TEffectKeys::Gestion_mise_en_memoire_des_options_de_leffect_current() {
  if (!ctx_.link) return;
  EffectSlot& current = ctx_.memory().slot(EffectKeyMemory::kCurrentEffectSlot);
  for (const EffectRegister& r : keyDownOrder()) current.*r.member = fromDevice(ctx_.link->registerValue(r.reg));
  // The device's effect as the chooser names it: a slide keeps the wipe it
  // rules out, as a key given that item would.
  const QAction* item = ctx_.host->effectNames().item(current.kind, current.EFFOPEN);
  current.openDisabled = item ? item->statusTip() : QString();
  const QString name = item ? item->text() : QString();
  status_->setText(displayCaption(wrapKeyCaption(name)));
}

void TEffectKeys::currentEffectReported(int reg) {
  if (reg >= 0 && reg < kRegisterCount && !reported_[size_t(reg)]) {
    reported_.set(size_t(reg));
    ++reportedCount_;
  }
  Gestion_mise_en_memoire_des_options_de_leffect_current();
  if (matchPending_ && reportedCount_ == int(keyDownOrder().size()) && !matchingDone_) {
    matchPending_ = false;
    matchingDone_ = true;
    Actu_down_buttons_effet_par_rapport_leffet_current_de_la_machine();
  }
  if (firstReportSeen_) return;
  // Set before acting: whatever the switch sends and the device echoes is
  // no longer a first report.
  firstReportSeen_ = true;
  ctx_.memory().setButtonEffect(EffectKeyMemory::kCurrentEffectSlot);
  // No key is selected now: a key left down would clear the device's
  // effect on its next click instead of loading the key.
  releaseAllKeys();
  Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
}

void TEffectKeys::Zelvan_d1EFFPRchange() {
  if (matchingDone_) return;
  // Slot 7 is not complete yet (a burst in another order): match once the
  // last effect register has been reported.
  if (reportedCount_ < int(keyDownOrder().size())) {
    matchPending_ = true;
    return;
  }
  // Once per run, and set before the keys are pressed: their 26 commands
  // come back as reports, EFFPR among them.
  matchingDone_ = true;
  Actu_down_buttons_effet_par_rapport_leffet_current_de_la_machine();
}

bool TEffectKeys::keyMatchesCurrent(const EffectSlot& key, const EffectSlot& current) {
  const int kind = current.kind;
  if (!validKind(kind) || key.kind != kind) return false;
  auto uses = [kind](EffectGroup g) { return effectGroup(kind, g); };
  if (uses(EffectGroup::Dur) && key.EFFDUR != current.EFFDUR) return false;
  if (uses(EffectGroup::HSize) && key.EFFPC != current.EFFPC) return false;
  if (uses(EffectGroup::VSize) && key.EFFPD != current.EFFPD) return false;
  if (uses(EffectGroup::HPos) && key.EFFPA != current.EFFPA) return false;
  if (uses(EffectGroup::VPos) && key.EFFPB != current.EFFPB) return false;
  if (uses(EffectGroup::MskHS) && key.EFFPG != current.EFFPG) return false;
  if (uses(EffectGroup::MskVS) && key.EFFPH != current.EFFPH) return false;
  if ((uses(EffectGroup::MskHP) || uses(EffectGroup::Int)) && key.EFFPE != current.EFFPE) return false;
  if (uses(EffectGroup::MskVP) && key.EFFPF != current.EFFPF) return false;
  if (uses(EffectGroup::Opt)) {
    // For Double PiP EFFPJ is the opacity and EFFOPT only tells inlay on
    // (4 and up) from off.
    if (kind != kKindDoublePip && key.EFFPJ != current.EFFPJ) return false;
    if (key.EFFPI != current.EFFPI) return false;
    if (isPipKind(kind) && key.EFFOPT != current.EFFOPT) return false;
    if (kind == kKindDoublePip && (key.EFFOPT >= 4) != (current.EFFOPT >= 4)) return false;
  }
  if (uses(EffectGroup::DPiP)) {
    if (key.EFFPM != current.EFFPM || key.EFFPN != current.EFFPN || key.EFFPK != current.EFFPK ||
        key.EFFPL != current.EFFPL || key.EFFPQ != current.EFFPQ || key.EFFPR != current.EFFPR ||
        key.EFFPO != current.EFFPO || key.EFFPP != current.EFFPP)
      return false;
  }
  if (uses(EffectGroup::TOpt) && key.EFFOPT != current.EFFOPT) return false;
  return true;
}

void TEffectKeys::Actu_down_buttons_effet_par_rapport_leffet_current_de_la_machine() {
  // Compare against a copy: pressing a key sends, and a device that answers
  // at once must not change what the later keys are compared with.
  const EffectSlot current = ctx_.memory().slot(EffectKeyMemory::kCurrentEffectSlot);
  for (int k = 1; k <= 6; ++k)
    if (keyMatchesCurrent(ctx_.memory().slot(k), current)) pressKey(k);
}

void TEffectKeys::Zelvan_d1EFFONchange() {
  if (!ctx_.link) return;
  const bool on = ctx_.link->EFFON();
  // The T-bar turn has already run in the transition panel.
  if (QWidget* input = ctx_.host->inputPanel())
    input->setEnabled(!on || isKeyedKind(ctx_.link->EFFECT()));
  keysPanel_->setEnabled(!on);
  for (int n = 1; n <= 6; ++n) {
    if (QAbstractButton* b = ctx_.host->softEdgeKey(n)) b->setEnabled(!on);
    if (QAbstractButton* b = ctx_.host->softEdgeChooser(n)) b->setEnabled(!on);
  }
  chooseName_->setEnabled(!on);
  preset_->setEnabled(!on);
  if (ctx_.page) ctx_.page->setEffectRunning(on);
  if (ctx_.animation) ctx_.animation->setEffectRunning(on);
}

void TEffectKeys::Zelvan_d1Ready() {
  if (!ctx_.link) return;
  const EffectSlot& selected = ctx_.selected();
  if (!(selected.kind >= 0 && static_cast<uint32_t>(selected.kind) == ctx_.link->EFFECT())) releaseAllKeys();
  // A first report from a partial burst may have shown slot 7 from stale
  // values: show it again now that the whole state is in.
  if (ctx_.memory().ButtonEffect() == EffectKeyMemory::kCurrentEffectSlot) {
    Gestion_mise_en_memoire_des_options_de_leffect_current();
    Numero_et_nom_de_leffet_avec_ce_qui_vas_bien();
  }
}

}  // namespace zelvan::keying
