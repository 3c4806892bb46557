#include "panel/keying/effect_animation.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effect_names.h"
#include "panel/keying/effects_page.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"

namespace zelvan::keying {

namespace {

using zelvan::signal::TScrollCode;

// ---- Geometry of the Effects container (737 x 348) ----
constexpr int kAreaWidth = 737;
constexpr int kPreviewX = 410, kPreviewY = 34;

// Panel_Animation_Effect: right-aligned, folded at top 32 with only its
// button showing; unfolded it drops from -264 to 26 (10 pixels a step).
constexpr int kAnimationWide = 289;
constexpr int kAnimationNarrow = 144;
constexpr int kColumnWidth = 144;
constexpr int kButtonHeight = 17;  // clear of the groups' titles at 17
constexpr int kAnimationFoldedTop = 32;
constexpr int kAnimationHighTop = -264;
constexpr int kAnimationOpenHeight = 314;
constexpr int kAnimationOpenPast = 25;     // unfolding moves down until the top is past this
constexpr int kAnimationOpenTop = 26;      // where it then is
constexpr int kAnimationClosedBelow = -255; // folding moves up until the top is below this
constexpr int kAnimationClosedTop = -264;  // where it then is
constexpr int kAnimationButtonStart = 297;
constexpr int kGroupTop = 17;
constexpr int kGroupHeight = 256;
constexpr int kDurationCaptionTop = 274;
constexpr int kDurationTop = 291;
constexpr int kStep = 10;
// One slide step every 10 ms: the longest slide (29 steps) takes under 300 ms.
constexpr int kSlideIntervalMs = 10;

// Panel_Double_PIP: on the page for the Double PiP kind, off it otherwise.
constexpr int kDoublePipX = 0, kDoublePipY = 32, kDoublePipWidth = 737, kDoublePipHeight = 334;
constexpr int kDoublePipAwayX = 728;

// panel_incrustation_et_choixframe inside Panel_Double_PIP: folded at its
// Tag (-151) it shows its bottom 19 pixels, the tab with its button at 152.
constexpr int kInlayTag = -151;
constexpr int kInlayHeight = 170;
constexpr int kInlayTab = 19;
constexpr int kInlayX = 448;
constexpr int kInlayWidth = 289;
constexpr int kInlayButtonTop = 152;
constexpr int kInlayButtonHeight = 18;
constexpr int kInlayButtonWidth = 144;
constexpr int kFrameGroupX = 4, kFrameGroupWidth = 136, kFrameGroupHeight = 136;

constexpr int kEditHeight = 15;
constexpr int kPreviewIntervalMs = 25;

// The opening and closing duration edits: tenths of a second as seconds.
QString secondsText(int tenths) { return QString::number(double(tenths) / 10.0); }

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

// ------------------------------------------------------------------ build

TEffectAnimation::TEffectAnimation(TEffectsContext& ctx, QWidget* area, QObject* parent)
    : QObject(parent), ctx_(ctx) {
  // The Double PiP panel first, so that the animation panel stays above it.
  buildDoublePipPanel(area);
  buildAnimationPanel(area);

  preview_ = new QLabel(area);
  preview_->setObjectName(QStringLiteral("Image_animation_effect"));
  preview_->setGeometry(kPreviewX, kPreviewY, TAnimationStrip::kPreviewSize, TAnimationStrip::kPreviewSize);
  preview_->setScaledContents(true);
  zelvan::signal::setHint(preview_, QStringLiteral("Effect animation demo"));

  previewTimer_ = new QTimer(this);
  previewTimer_->setObjectName(QStringLiteral("Timer_Animation_EFFECTS"));
  previewTimer_->setInterval(kPreviewIntervalMs);
  connect(previewTimer_, &QTimer::timeout, this, &TEffectAnimation::ANIMATION_EFFECT);

  slideTimer_ = new QTimer(this);
  slideTimer_->setObjectName(QStringLiteral("Timer_ObjectAnimation"));
  slideTimer_->setInterval(kSlideIntervalMs);
  connect(slideTimer_, &QTimer::timeout, this, &TEffectAnimation::ObjectAnimation);

  // Both panels start folded.
  finishCloseInlay();
  inlayPanel_->move(kInlayX, kInlayTag);
  applyAnimationWidth(kAnimationWide);
  finishCloseAnimation();

  if (ctx_.host)
    for (int o = 1; o <= 2; ++o)
      if (QAbstractButton* b = ctx_.host->pipSwitch(o))
        connect(b, &QAbstractButton::clicked, this, [this] { pipSwitchClicked(); });
}

TEffectAnimation::~TEffectAnimation() = default;

TEffectAnimation::DurationRow TEffectAnimation::buildDuration(QWidget* parent, const char* name, const QString& caption,
                                                              int reg, int32_t EffectSlot::*field) {
  DurationRow row;
  row.label = new QLabel(caption, parent);
  row.label->setObjectName(QStringLiteral("Label_%1").arg(QLatin1String(name)));
  row.bar = new QScrollBar(Qt::Horizontal, parent);
  row.bar->setObjectName(QStringLiteral("ScrollBar_%1").arg(QLatin1String(name)));
  row.bar->setRange(0, 255);
  row.bar->setValue(10);
  row.edit = new QLineEdit(secondsText(10), parent);
  row.edit->setObjectName(QStringLiteral("Edit_%1").arg(QLatin1String(name)));
  row.edit->setReadOnly(true);
  row.edit->setFixedHeight(kEditHeight);
  QLineEdit* edit = row.edit;
  // The change event only shows the value; the operator's scroll events
  // store and send it.
  connect(row.bar, &QScrollBar::valueChanged, edit, [edit](int v) { edit->setText(secondsText(v)); });
  zelvan::signal::onScroll(row.bar, this, [this, reg, field](QScrollBar*, TScrollCode, int pos) {
    ctx_.selected().*field = pos;
    ctx_.send(reg, pos);
  });
  return row;
}

void TEffectAnimation::buildAnimationPanel(QWidget* area) {
  auto* panel = new QFrame(area);
  panel->setObjectName(QStringLiteral("Panel_Animation_Effect"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setAutoFillBackground(true);
  // Smaller, so that the longest captions fit their column.
  QFont small = panel->font();
  if (small.pointSizeF() > 8.0) {
    small.setPointSizeF(small.pointSizeF() - 2.0);
    panel->setFont(small);
  }
  animationPanel_ = panel;

  openingGroup_ = new QGroupBox(QStringLiteral("Effect Opening"), panel);
  openingGroup_->setObjectName(QStringLiteral("GroupBox_Effect_Opening"));
  closingGroup_ = new QGroupBox(QStringLiteral("Effect Closing"), panel);
  closingGroup_->setObjectName(QStringLiteral("GroupBox_Effect_Closing"));
  openingButtons_ = new QButtonGroup(this);
  closingButtons_ = new QButtonGroup(this);
  for (int n = 0; n < kAnimationValues; ++n) {
    auto* o = new QRadioButton(openingCaption(n), openingGroup_);
    o->setObjectName(openingButtonName(n));
    o->setProperty("Tag", n);
    o->setGeometry(3, 16 + 15 * n, kColumnWidth - 4, 15);
    openingButtons_->addButton(o, n);
    openings_[size_t(n)] = o;

    // Closing button n carries the reverse of opening n: its value differs
    // from the number in its name.
    const int v = closingValueOfButton(n);
    auto* c = new QRadioButton(closingCaption(v), closingGroup_);
    c->setObjectName(QStringLiteral("RadioButton_Close%1").arg(n));
    c->setProperty("Tag", v);
    c->setGeometry(3, 16 + 15 * n, kColumnWidth - 4, 15);
    closingButtons_->addButton(c, v);
    closings_[size_t(v)] = c;
  }
  connect(openingButtons_, &QButtonGroup::idClicked, this, &TEffectAnimation::openingClicked);
  connect(closingButtons_, &QButtonGroup::idClicked, this, &TEffectAnimation::closingClicked);

  openDur_ = buildDuration(panel, "Opening_Duration", QStringLiteral("Opening Duration"), Reg::EFFOPNDUR,
                           &EffectSlot::EFFOPNDUR);
  closeDur_ = buildDuration(panel, "Closing_Duration", QStringLiteral("Closing Duration"), Reg::EFFCLSDUR,
                            &EffectSlot::EFFCLSDUR);

  animDown_ = makeButton(panel, "BitBtn_DOWN_panel_Effect_Animation", QStringLiteral("EFFECT ANIMATION"));
  animUp_ = makeButton(panel, "BitBtn_Up_panel_Effect_Animation", QStringLiteral("Close"));
  connect(animDown_, &QPushButton::clicked, this, &TEffectAnimation::BitBtn_DOWN_panel_Effect_AnimationClick);
  connect(animUp_, &QPushButton::clicked, this, &TEffectAnimation::BitBtn_Up_panel_Effect_AnimationClick);
}

void TEffectAnimation::buildDoublePipPanel(QWidget* area) {
  auto* panel = new QFrame(area);
  panel->setObjectName(QStringLiteral("Panel_Double_PIP"));
  panel->setFrameShape(QFrame::NoFrame);
  panel->setAutoFillBackground(true);
  panel->setGeometry(kDoublePipAwayX, kDoublePipY, kDoublePipWidth, kDoublePipHeight);
  panel->hide();
  doublePip_ = panel;

  // The second picture's column on the left (the page's moved controls take
  // the right-hand column), below the top 26 pixels.
  struct RowInit {
    int reg;
    int32_t EffectSlot::*field;
    const char* bar;
    const char* edit;
    const char* label;
    const char* caption;
    int minimum;
    int start;
  };
  static const RowInit rows[8] = {
      {Reg::EFFPK, &EffectSlot::EFFPK, "ScrollBar_EFFPK", "Edit_EFFPK", "Label_EFFPK", "Horizontal position", 0, 128},
      {Reg::EFFPL, &EffectSlot::EFFPL, "ScrollBar_EFFPL", "Edit_EFFPL", "Label_EFFPL", "Vertical position", 0, 128},
      {Reg::EFFPM, &EffectSlot::EFFPM, "ScrollBar__Horizontale_size_EFFP", "Edit_EFFPM", "Label_EFFPM", "Horizontal Size",
       30, 128},
      {Reg::EFFPN, &EffectSlot::EFFPN, "ScrollBar__Vertical_Size_EFFP", "Edit_EFFPN", "Label_EFFPN", "Vertical Size.", 30,
       128},
      {Reg::EFFPO, &EffectSlot::EFFPO, "ScrollBar_EFFPO", "Edit_EFFPO", "Label_EFFPO", "Horizontal position", 0, 128},
      {Reg::EFFPP, &EffectSlot::EFFPP, "ScrollBar_EFFPP", "Edit_EFFPP", "Label_EFFPP", "Vertical position", 0, 128},
      {Reg::EFFPQ, &EffectSlot::EFFPQ, "ScrollBar_EFFPQ", "Edit_EFFPQ", "Label_EFFPQ", "Horizontal Size", 0, 255},
      {Reg::EFFPR, &EffectSlot::EFFPR, "ScrollBar_EFFPR", "Edit_EFFPR", "Label_EFFPR", "Vertical Size.", 0, 255},
  };
  maskGroup_ = new QGroupBox(QStringLiteral("Mask"), panel);
  maskGroup_->setObjectName(QStringLiteral("GroupBox_Mask_EFFP"));
  maskGroup_->setGeometry(4, 134, 400, 112);
  // Rows: K, L, M, N on the panel; Q, R, O, P in the mask group.
  const int panelRows[4] = {32, 54, 84, 106};
  const int maskRows[4] = {62, 84, 18, 40};  // O, P, Q, R
  for (size_t i = 0; i < 8; ++i) {
    const RowInit& s = rows[i];
    const bool inMask = i >= 4;
    QWidget* parent = inMask ? static_cast<QWidget*>(maskGroup_) : panel;
    const int y = inMask ? maskRows[i - 4] : panelRows[i];
    const int x = inMask ? 4 : 8;
    DoublePipRow& row = dpipRows_[i];
    row.reg = s.reg;
    row.field = s.field;
    row.label = new QLabel(QString::fromLatin1(s.caption), parent);
    row.label->setObjectName(QLatin1String(s.label));
    row.label->setGeometry(x, y, 116, kEditHeight);
    row.bar = new QScrollBar(Qt::Horizontal, parent);
    row.bar->setObjectName(QLatin1String(s.bar));
    row.bar->setRange(s.minimum, 255);
    row.bar->setValue(s.start);
    row.bar->setGeometry(x + 120, y - 1, 190, 17);
    row.edit = new QLineEdit(QString::number(s.start), parent);
    row.edit->setObjectName(QLatin1String(s.edit));
    row.edit->setGeometry(x + 316, y, 40, kEditHeight);
  }
  oneToOneH_ = new QToolButton(panel);
  oneToOneH_->setObjectName(QStringLiteral("SpeedButton_Horizontale_size_EFFP"));
  oneToOneV_ = new QToolButton(panel);
  oneToOneV_->setObjectName(QStringLiteral("SpeedButton_Vertical_Size_EFFP"));
  for (QToolButton* b : {oneToOneH_, oneToOneV_}) {
    b->setText(QStringLiteral("1:1"));
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  oneToOneH_->setGeometry(370, panelRows[2] - 1, 30, 17);
  oneToOneV_->setGeometry(370, panelRows[3] - 1, 30, 17);

  buildInlayPanel();
}

void TEffectAnimation::buildInlayPanel() {
  auto* panel = new QFrame(doublePip_);
  panel->setObjectName(QStringLiteral("panel_incrustation_et_choixframe"));
  panel->setProperty("Tag", kInlayTag);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setAutoFillBackground(true);
  panel->setGeometry(kInlayX, kInlayTag, kInlayWidth, kInlayHeight);
  inlayPanel_ = panel;

  frameGroup_ = new QGroupBox(QStringLiteral("Background"), panel);
  frameGroup_->setObjectName(QStringLiteral("GroupBox_Frame"));
  frameGroup_->setGeometry(kFrameGroupX, 11, kFrameGroupWidth, kFrameGroupHeight);
  frameButtons_ = new QButtonGroup(this);
  for (int k = 1; k <= 6; ++k) {
    auto* rb = new QRadioButton(QStringLiteral("Frame%1").arg(k), frameGroup_);
    rb->setObjectName(QStringLiteral("RadioButton_Frame%1").arg(k));
    rb->setProperty("Tag", k - 1);
    rb->setGeometry(8, 16 + 19 * (k - 1), 120, 18);
    // Only the mouse chooses a frame (the press sends it); the keyboard
    // could check one without telling the device.
    rb->setFocusPolicy(Qt::NoFocus);
    rb->installEventFilter(this);
    frameButtons_->addButton(rb, k - 1);
    frames_[size_t(k - 1)] = rb;
  }

  inlayDown_ = makeButton(panel, "BitBtn_DOWN_panel_incrustation_et_choixframe", QStringLiteral("Background && Inlay"));
  inlayUp_ = makeButton(panel, "BitBtn_UP_panel_incrustation_et_choixframe", QStringLiteral("Close"));
  for (QPushButton* b : {inlayDown_, inlayUp_}) b->setGeometry(0, kInlayButtonTop, kInlayButtonWidth, kInlayButtonHeight);
  connect(inlayDown_, &QPushButton::clicked, this, &TEffectAnimation::BitBtn_DOWN_panel_incrustation_et_choixframeClick);
  connect(inlayUp_, &QPushButton::clicked, this, &TEffectAnimation::BitBtn_UP_panel_incrustation_et_choixframeClick);
}

void TEffectAnimation::connectToPage() {
  TEffectsPage* page = ctx_.page;
  if (!page) return;
  for (const DoublePipRow& row : dpipRows_)
    if (row.reg != Reg::EFFPM && row.reg != Reg::EFFPN) page->bindParameter(row.bar, row.edit, row.field, row.reg);
  page->addDoublePipSizes(dpipRows_[2].bar, dpipRows_[2].edit, oneToOneH_, dpipRows_[3].bar, dpipRows_[3].edit,
                          oneToOneV_);
}

// --------------------------------------------------------------- accessors

QRadioButton* TEffectAnimation::RadioButton_Open(int v) const {
  return validAnimation(v) ? openings_[size_t(v)] : nullptr;
}
QRadioButton* TEffectAnimation::RadioButton_Close(int v) const {
  return validAnimation(v) ? closings_[size_t(v)] : nullptr;
}
QRadioButton* TEffectAnimation::RadioButton_Frame(int k) const {
  return k >= 1 && k <= 6 ? frames_[size_t(k - 1)] : nullptr;
}

QScrollBar* TEffectAnimation::doublePipBar(int reg) const {
  for (const DoublePipRow& row : dpipRows_)
    if (row.reg == reg) return row.bar;
  return nullptr;
}
QLineEdit* TEffectAnimation::doublePipEdit(int reg) const {
  for (const DoublePipRow& row : dpipRows_)
    if (row.reg == reg) return row.edit;
  return nullptr;
}

// ---------------------------------------------------------- page refresh

void TEffectAnimation::refreshAnimationButtons() {
  const EffectSlot& slot = ctx_.selected();
  const int kind = slot.kind;
  for (int v = 0; v < kAnimationValues; ++v) {
    openings_[size_t(v)]->setEnabled(openingEnabled(kind, v, slot.openDisabled));
    closings_[size_t(v)]->setEnabled(closingAllowed(kind, v));
  }
  const bool both = hasOpenClose(kind);
  closingGroup_->setVisible(both);
  for (const DurationRow* row : {&openDur_, &closeDur_})
    for (QWidget* w : {static_cast<QWidget*>(row->label), static_cast<QWidget*>(row->bar), static_cast<QWidget*>(row->edit)})
      w->setVisible(both);
  applyAnimationWidth(both ? kAnimationWide : kAnimationNarrow);

  // The key's own values when the kind offers them, else the defaults.
  if (openingEnabled(kind, slot.EFFOPEN, slot.openDisabled))
    zelvan::signal::checkOnly(openingButtons_, slot.EFFOPEN);
  else
    RadioButton_OpenDefault();
  // Kinds 6 to 13 keep their default closing on a hidden, disabled button:
  // holding it already is no reason to send it again on every refresh.
  if (closingAllowed(kind, slot.EFFCLOSE) || slot.EFFCLOSE == animationDefault(kind))
    zelvan::signal::checkOnly(closingButtons_, slot.EFFCLOSE);
  else
    RadioButton_CloseDefault();
  showDurations();
}

void TEffectAnimation::RadioButton_OpenDefault() {
  EffectSlot& slot = ctx_.selected();
  // The kind's default, or the first enabled opening when the key's hint
  // rules the default out (a slide keeps being a slide).
  const int v = fallbackOpening(slot.kind, slot.openDisabled);
  zelvan::signal::checkOnly(openingButtons_, v);
  if (v < 0) return;
  // Slot 7 mirrors the device, possibly from a report burst not yet
  // complete: show the default, correct nothing.
  if (ctx_.memory().ButtonEffect() == EffectKeyMemory::kCurrentEffectSlot) return;
  openingClicked(v);
}

void TEffectAnimation::RadioButton_CloseDefault() {
  EffectSlot& slot = ctx_.selected();
  const int v = animationDefault(slot.kind);
  zelvan::signal::checkOnly(closingButtons_, v);
  if (ctx_.memory().ButtonEffect() == EffectKeyMemory::kCurrentEffectSlot) return;
  closingClicked(v);
}

void TEffectAnimation::showDurations() {
  const EffectSlot& slot = ctx_.selected();
  zelvan::signal::showOnBar(openDur_.bar, slot.EFFOPNDUR);
  openDur_.edit->setText(secondsText(openDur_.bar->value()));
  zelvan::signal::showOnBar(closeDur_.bar, slot.EFFCLSDUR);
  closeDur_.edit->setText(secondsText(closeDur_.bar->value()));
}

void TEffectAnimation::loadValues() {
  const EffectSlot& slot = ctx_.selected();
  for (const DoublePipRow& row : dpipRows_) {
    const int32_t value = slot.*row.field;
    zelvan::signal::showOnBar(row.bar, value);
    row.edit->setText(QString::number(value));
  }
  // The sizes' 1:1: size 0 puts the button down, locks the slider and edit
  // and shows the size that 1:1 will give back.
  struct OneToOne {
    QToolButton* button;
    const DoublePipRow& row;
    int32_t saved;
  };
  for (const OneToOne& o : {OneToOne{oneToOneH_, dpipRows_[2], slot.OLD_EFFPM},
                            OneToOne{oneToOneV_, dpipRows_[3], slot.OLD_EFFPN}}) {
    const bool oneToOne = slot.*o.row.field == 0;
    zelvan::signal::setPressed(o.button, oneToOne);
    o.row.bar->setEnabled(!oneToOne);
    o.row.edit->setEnabled(!oneToOne);
    if (oneToOne) o.row.edit->setText(QString::number(o.saved));
  }
  zelvan::signal::checkOnly(frameButtons_, slot.EFFPI >= 0 && slot.EFFPI <= 5 ? slot.EFFPI : -1);
  showDurations();
}

void TEffectAnimation::Affichage_et_reglage_position_doublePIP(bool dpip) {
  if (ctx_.page) ctx_.page->restoreOpacityRow();
  dpipLayout_ = dpip;
  if (dpip) {
    doublePip_->setGeometry(kDoublePipX, kDoublePipY, kDoublePipWidth, kDoublePipHeight);
    doublePip_->show();
    doublePip_->raise();
    if (ctx_.page) ctx_.page->arrangeForDoublePip(doublePip_, true, ctx_.model36());
    inlayPanel_->raise();
    // What stays visible above the Double PiP panel: the key name row, the
    // preview and the animation panel.
    if (TEffectKeys* keys = ctx_.keys) {
      for (QWidget* w : {static_cast<QWidget*>(keys->StaticText_page_effect_n()),
                         static_cast<QWidget*>(keys->StaticText_nro_effect()),
                         static_cast<QWidget*>(keys->BitBtn_Nom_effect_dynamique()),
                         static_cast<QWidget*>(keys->BitBtn_reset_effet())})
        if (w) w->raise();
    }
    preview_->raise();
    animationPanel_->raise();
  } else {
    doublePip_->move(kDoublePipAwayX, kDoublePipY);
    doublePip_->hide();
    if (ctx_.page) ctx_.page->arrangeForDoublePip(doublePip_, false, false);
  }
  if (!animationOpen_) placeFoldedAnimationButton();
}

// -------------------------------------------------------- operator actions

void TEffectAnimation::openingClicked(int v) {
  if (!validAnimation(v)) return;
  ctx_.selected().EFFOPEN = v;
  ctx_.send(Reg::EFFOPEN, v);
  Button_test(ctx_.memory().ButtonEffect(), false);
}

void TEffectAnimation::closingClicked(int v) {
  if (!validAnimation(v)) return;
  ctx_.selected().EFFCLOSE = v;
  ctx_.send(Reg::EFFCLOSE, v);
  Button_test(ctx_.memory().ButtonEffect(), false);
}

void TEffectAnimation::framePressed(int tag) {
  if (tag < 0 || tag > 5) return;
  ctx_.selected().EFFPI = tag;
  ctx_.send(Reg::EFFPI, tag);
}

bool TEffectAnimation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto* rb = qobject_cast<QRadioButton*>(watched);
    if (rb && rb->isEnabled() && std::find(frames_.begin(), frames_.end(), rb) != frames_.end())
      framePressed(rb->property("Tag").toInt());
  }
  return false;
}

void TEffectAnimation::setEffectRunning(bool running) {
  for (QWidget* w : {static_cast<QWidget*>(openingGroup_), static_cast<QWidget*>(closingGroup_)}) w->setEnabled(!running);
  for (const DurationRow* row : {&openDur_, &closeDur_})
    for (QWidget* w : {static_cast<QWidget*>(row->label), static_cast<QWidget*>(row->bar), static_cast<QWidget*>(row->edit)})
      w->setEnabled(!running);
}

// ---------------------------------------------------------------- preview

QString TEffectAnimation::effectDescription(int key) const {
  const EffectSlot& slot = ctx_.memory().slot(key);
  QString text = ctx_.host ? ctx_.host->effectNames().caption(slot.kind, slot.EFFOPEN) : QString();
  if (hasOpenClose(slot.kind))
    text += QStringLiteral(" : ") + openingCaption(slot.EFFOPEN) + QStringLiteral(" -> ") + closingCaption(slot.EFFCLOSE);
  return text;
}

void TEffectAnimation::Button_test(int key, bool hovering) {
  const EffectSlot& slot = ctx_.memory().slot(key);
  const bool closingOnEntry = closingFlag_;
  const int kind = slot.kind;
  if (kind == 0 || (kind >= 6 && kind <= 13))
    closingFlag_ = false;
  else if (kind == 1)
    closingFlag_ = true;
  if (hasOpenClose(kind)) closingFlag_ = slot.EFFCLOSE != 0;

  if (key >= 1 && key <= 6 && ctx_.keys) {
    QString hint = effectDescription(key);
    hint.replace(QStringLiteral(" &"), QStringLiteral(" "));
    zelvan::signal::setHint(ctx_.keys->SpeedButton_Effet(key), QStringLiteral("Push TAKE to Validate ") + hint);
  }
  if (hovering) {
    closingFlag_ = closingOnEntry;
    return;
  }
  const int opening = slot.EFFOPEN;
  const int closing = closingFlag_ ? slot.EFFCLOSE : 0;
  PreviewState& p = previewState_;
  if (p.kind != kind || p.opening != opening || p.closing != closing) {
    // Another effect: its demonstration starts from the beginning.
    p.kind = kind;
    p.opening = opening;
    p.closing = closing;
    p.c = 0;
    p.closingPhase = false;
  }
}

void TEffectAnimation::ANIMATION_EFFECT() {
  PreviewState& p = previewState_;
  const int index =
      previewFrameIndex(p.kind, p.closingPhase, p.closingPhase ? p.closing : p.opening, p.c);
  const QImage picture = ctx_.host ? ctx_.host->animationStrip().frame(index) : QImage();
  const int shown = picture.isNull() ? -1 : index;
  // A still frame is set once, not every 25 ms.
  if (shown != p.shownIndex || p.framesShown == 0) {
    if (picture.isNull())
      preview_->clear();
    else
      preview_->setPixmap(QPixmap::fromImage(picture));
    p.shownIndex = shown;
  }
  ++p.framesShown;
  if (p.c >= kPreviewFramesPerPhase - 1) {
    p.c = 0;
    p.closingPhase = !p.closingPhase;
  } else {
    ++p.c;
  }
}

void TEffectAnimation::setPreviewActive(bool active) {
  if (active) {
    if (!previewTimer_->isActive()) previewTimer_->start();
  } else {
    previewTimer_->stop();
  }
}

// ------------------------------------------------------------ panel slides

bool TEffectAnimation::animationRequested() const {
  return closeInlayRequested_ || openInlayRequested_ || openAnimationRequested_ || closeAnimationRequested_;
}

void TEffectAnimation::ObjectAnimation() {
  if (closeInlayRequested_) stepCloseInlay();
  if (openInlayRequested_) stepOpenInlay();
  if (openAnimationRequested_) stepOpenAnimation();
  if (closeAnimationRequested_) stepCloseAnimation();
  if (!animationRequested()) slideTimer_->stop();
}

void TEffectAnimation::startSlides() {
  // The first step at once, the rest on the slide timer.
  ObjectAnimation();
  if (animationRequested() && !slideTimer_->isActive()) slideTimer_->start();
}

void TEffectAnimation::requestFolds() {
  openInlayRequested_ = false;
  openAnimationRequested_ = false;
  closeInlayRequested_ = true;
  closeAnimationRequested_ = true;
  startSlides();
}

void TEffectAnimation::BitBtn_DOWN_panel_incrustation_et_choixframeClick() {
  closeInlayRequested_ = false;
  openInlayRequested_ = true;
  inlayPanel_->raise();
  startSlides();
}

void TEffectAnimation::BitBtn_UP_panel_incrustation_et_choixframeClick() {
  openInlayRequested_ = false;
  closeInlayRequested_ = true;
  startSlides();
}

void TEffectAnimation::BitBtn_DOWN_panel_Effect_AnimationClick() {
  closeAnimationRequested_ = false;
  if (!animationOpen_) {
    // Unfolding starts with the panel high above, its button where the
    // folded button was.
    if (animationPanel_->isVisible()) animationPanel_->raise();
    animationOpen_ = true;
    animationPanel_->clearMask();
    animationPanel_->setGeometry(animationPanel_->x(), kAnimationHighTop, animationPanel_->width(), kAnimationOpenHeight);
    animDown_->setGeometry(0, kAnimationButtonStart, animationPanel_->width(), kButtonHeight);
  }
  openAnimationRequested_ = true;
  startSlides();
}

void TEffectAnimation::BitBtn_Up_panel_Effect_AnimationClick() {
  openAnimationRequested_ = false;
  closeAnimationRequested_ = true;
  startSlides();
}

void TEffectAnimation::stepCloseInlay() {
  const int tag = inlayPanel_->property("Tag").toInt();
  if (inlayPanel_->y() > tag) inlayPanel_->move(inlayPanel_->x(), std::max(inlayPanel_->y() - kStep, tag));
  if (inlayPanel_->y() <= tag) finishCloseInlay();
}

void TEffectAnimation::stepOpenInlay() {
  const int end = inlayPanel_->property("Tag").toInt() + inlayPanel_->height() - kInlayTab;
  if (inlayPanel_->y() < end) inlayPanel_->move(inlayPanel_->x(), std::min(inlayPanel_->y() + kStep, end));
  if (inlayPanel_->y() >= end) finishOpenInlay();
}

void TEffectAnimation::stepOpenAnimation() {
  const int top = std::min(animationPanel_->y() + kStep, kAnimationOpenTop);
  animationPanel_->move(animationPanel_->x(), top);
  if (top > kAnimationOpenPast) finishOpenAnimation();
}

void TEffectAnimation::stepCloseAnimation() {
  // A folded panel is already where a close leads.
  if (!animationOpen_) {
    finishCloseAnimation();
    return;
  }
  const int top = std::max(animationPanel_->y() - kStep, kAnimationClosedTop);
  animationPanel_->move(animationPanel_->x(), top);
  if (top < kAnimationClosedBelow) finishCloseAnimation();
}

void TEffectAnimation::placeInlayGroups(int frameTop, int inlayTop) {
  frameGroup_->move(frameGroup_->x(), frameTop);
  if (ctx_.page)
    if (QWidget* inlay = ctx_.page->LMDRadioGroup_EFFOPT())
      inlay->move(inlay->x(), inlayTop);
}

void TEffectAnimation::finishCloseInlay() {
  closeInlayRequested_ = false;
  inlayUp_->hide();
  inlayDown_->show();
  inlayUp_->move(0, kInlayButtonTop);
  inlayDown_->move(0, kInlayButtonTop);
  placeInlayGroups(11, 10);
}

void TEffectAnimation::finishOpenInlay() {
  openInlayRequested_ = false;
  inlayUp_->show();
  inlayDown_->hide();
  inlayUp_->move(0, 0);
  inlayDown_->move(0, 0);
  placeInlayGroups(27, 26);
}

void TEffectAnimation::finishOpenAnimation() {
  openAnimationRequested_ = false;
  animUp_->show();
  animDown_->hide();
  const int w = animationPanel_->width();
  animUp_->setGeometry(0, 0, w, kButtonHeight);
  animDown_->setGeometry(0, 0, w, kButtonHeight);
  openingGroup_->move(openingGroup_->x(), kGroupTop);
  closingGroup_->move(closingGroup_->x(), kGroupTop);
  for (const DurationRow* row : {&openDur_, &closeDur_}) {
    row->label->move(row->label->x(), kDurationCaptionTop);
    row->bar->move(row->bar->x(), kDurationTop);
    row->edit->move(row->edit->x(), kDurationTop);
  }
}

void TEffectAnimation::finishCloseAnimation() {
  closeAnimationRequested_ = false;
  animationOpen_ = false;
  animUp_->hide();
  animDown_->show();
  animationPanel_->setGeometry(animationPanel_->x(), kAnimationFoldedTop, animationPanel_->width(), kButtonHeight + 1);
  placeFoldedAnimationButton();
}

void TEffectAnimation::placeFoldedAnimationButton() {
  const int w = animationPanel_->width();
  // In the Double PiP layout the Background and Inlay tab takes the left
  // half of the strip the folded button would cover: the button keeps the
  // right half and the folded panel lets the tab through.
  const bool half = dpipLayout_ && w > kColumnWidth;
  animDown_->setGeometry(half ? w - kColumnWidth : 0, 1, half ? kColumnWidth : w, kButtonHeight);
  if (half)
    animationPanel_->setMask(QRegion(animDown_->geometry()));
  else
    animationPanel_->clearMask();
}

void TEffectAnimation::applyAnimationWidth(int width) {
  animationPanel_->setGeometry(kAreaWidth - width, animationPanel_->y(), width, std::max(animationPanel_->height(), 1));
  // Openings in the left column, closings in the right one (hidden when narrow).
  openingGroup_->setGeometry(0, kGroupTop, kColumnWidth, kGroupHeight);
  closingGroup_->setGeometry(kColumnWidth + 1, kGroupTop, kColumnWidth, kGroupHeight);
  const DurationRow* rows[2] = {&openDur_, &closeDur_};
  for (int i = 0; i < 2; ++i) {
    const int x = i * (kColumnWidth + 1);
    rows[i]->label->setGeometry(x + 4, kDurationCaptionTop, kColumnWidth - 8, kEditHeight);
    rows[i]->bar->setGeometry(x + 4, kDurationTop, 96, 17);
    rows[i]->edit->setGeometry(x + 102, kDurationTop, 38, kEditHeight);
  }
  animUp_->setGeometry(0, animUp_->y(), width, kButtonHeight);
  if (animationOpen_)
    animDown_->setGeometry(0, animDown_->y(), width, kButtonHeight);
  else
    placeFoldedAnimationButton();
}

// ------------------------------------------------------- PiP switch buttons

void TEffectAnimation::activation_des_boutons_choix_pip_pop() {
  if (!ctx_.host) return;
  const bool on = ctx_.link && isKeyedKind(ctx_.link->EFFECT()) && ctx_.link->TAKE();
  for (int o = 1; o <= 2; ++o)
    if (QAbstractButton* b = ctx_.host->pipSwitch(o)) b->setEnabled(on);
}

void TEffectAnimation::pipSwitchClicked() {
  ctx_.host->restartPipSwitchTimer();
  for (int o = 1; o <= 2; ++o)
    if (QAbstractButton* b = ctx_.host->pipSwitch(o)) zelvan::signal::setCaption(b, zelvan::signal::colorWindowText(), false);
}

}  // namespace zelvan::keying
