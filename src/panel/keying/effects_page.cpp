// The Effects page's parameter controls. Every value lives in the selected
// key's slot of the effect key memory: an operator action stores it there
// and sends the register, and the device's answer comes back through the
// report handlers. Values shown from code never run an operator handler
// (scroll bars notify through onScroll, buttons through clicked, radio
// groups through itemClicked, edits through returnPressed).
#include "panel/keying/effects_page.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWidget>
#include <algorithm>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/effect_animation.h"
#include "panel/signal/signal_common.h"
#include "widgets/ttamponvar.h"
#include "widgets/uidialogs.h"

namespace zelvan::keying {

namespace {

using zelvan::signal::dragMark;
using zelvan::signal::readInteger;
using zelvan::signal::setDragMark;
using zelvan::signal::setPressed;
using zelvan::signal::showNotAnInteger;
using zelvan::signal::showOnBar;
using zelvan::signal::TRadioGroup;
using zelvan::signal::TScrollCode;

constexpr int kEditHeight = 15;
// The slot fields are 32-bit: a larger number cannot be stored.
constexpr int64_t kFieldMaximum = 2147483647;
constexpr int kHolding = 255;
constexpr int kInlayOn = 4;

const char* const kNoOption = "...";
const char* const kOpacity = "Opacity";

QString holdingText() { return QStringLiteral("Holding"); }

// The duration edit's text for a duration (255 is holding).
QString durationDisplay(int64_t tenths) { return tenths == kHolding ? holdingText() : durationText(tenths); }

int32_t toField(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

void setShown(QWidget* w, bool shown) {
  if (w) w->setVisible(shown);
}

// Moves a control to another parent, keeping whether it is shown.
void moveTo(QWidget* w, QWidget* parent, const QRect& r) {
  if (!w || !parent) return;
  if (w->parentWidget() != parent) {
    const bool shown = !w->isHidden();
    w->setParent(parent);
    w->setVisible(shown);
  }
  w->setGeometry(r);
}

}  // namespace

// ------------------------------------------------------------------ build

TEffectsPage::TEffectsPage(TEffectsContext& ctx, QWidget* area, QObject* parent) : QObject(parent), ctx_(ctx) {
  bufferI_ = new TTamponVar(this);
  bufferI_->setObjectName(QStringLiteral("TamponVar_EFFPI"));
  bufferJ_ = new TTamponVar(this);
  bufferJ_->setObjectName(QStringLiteral("TamponVar_EFFPJ"));
  bufferS_ = new TTamponVar(this);
  bufferS_->setObjectName(QStringLiteral("TamponVar_EFFPS"));
  // The EFFPS buffer's wrap is deliberately left unbound: it must never
  // toggle Smooth (an EFFPS drag would otherwise change EFFOPT).
  if (!area) {
    ownArea_ = new QWidget;
    area = ownArea_;
  }
  build(area);
}

TEffectsPage::~TEffectsPage() { delete ownArea_; }

QLineEdit* TEffectsPage::makeEdit(QWidget* parent, const char* name, const QRect& r) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setFixedHeight(kEditHeight);
  e->setGeometry(r.x(), r.y(), r.width(), kEditHeight);
  e->setTextMargins(0, 0, 0, 0);
  edits_.push_back(e);
  return e;
}

QScrollBar* TEffectsPage::makeBar(QWidget* parent, const char* name, int minimum, int maximum, const QRect& r) {
  auto* b = new QScrollBar(Qt::Horizontal, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setRange(minimum, maximum);
  b->setSingleStep(1);
  b->setPageStep(8);
  b->setGeometry(r);
  setDragMark(b, 0);
  return b;
}

QLabel* TEffectsPage::makeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(r);
  return l;
}

void TEffectsPage::place(QWidget* w, const QRect& page, const QRect& doublePip) {
  if (!w) return;
  w->setGeometry(page);
  moved_.push_back(Placement{w, page, doublePip});
}

void TEffectsPage::build(QWidget* area) {
  area_ = area;
  buildDuration(area);
  buildPositionsAndSizes(area);
  buildMask(area);
  buildOptions(area);
  buildInlay(area);
}

void TEffectsPage::buildDuration(QWidget* area) {
  durationLabel_ = makeLabel(area, "Label_duree", QStringLiteral("Time"), {});
  place(durationLabel_, {8, 72, 36, 15}, {432, 30, 92, 15});
  durationMin_ = makeLabel(area, "Label_duree_min", QStringLiteral("0.5s"), {});
  place(durationMin_, {46, 72, 28, 15}, {528, 47, 28, 12});
  durationBar_ = makeBar(area, "ScrollBar_duree", 5, 250, {});
  place(durationBar_, {76, 71, 220, 17}, {528, 29, 121, 17});
  durationMax_ = makeLabel(area, "Label_duree_max", QStringLiteral("25s"), {});
  place(durationMax_, {300, 72, 26, 15}, {625, 47, 24, 12});
  durationEdit_ = makeEdit(area, "Edit_duree", {});
  place(durationEdit_, {328, 71, 56, kEditHeight}, {656, 30, 40, kEditHeight});
  holding_ = new QToolButton(area);
  holding_->setObjectName(QStringLiteral("SpeedButton_holding"));
  holding_->setText(holdingText());
  holding_->setCheckable(true);
  place(holding_, {388, 69, 56, 20}, {432, 60, 92, 20});

  // The presets belong to the transition panel; they sit with the duration.
  const QRect pagePresets[3] = {{76, 92, 48, 22}, {128, 92, 48, 22}, {180, 92, 48, 22}};
  const QRect dpipPresets[3] = {{528, 60, 38, 20}, {569, 60, 38, 20}, {610, 60, 39, 20}};
  for (int i = 0; i < 3; ++i) {
    QAbstractButton* b = ctx_.host ? ctx_.host->durationPreset(i) : nullptr;
    if (!b) continue;
    if (b->parentWidget() != area) {
      b->setParent(area);
      b->show();
    }
    place(b, pagePresets[i], dpipPresets[i]);
  }

  zelvan::signal::onScroll(durationBar_, this, [this](QScrollBar*, TScrollCode, int pos) { durationScrolled(pos); });
  connect(durationEdit_, &QLineEdit::returnPressed, this, [this] { durationEntered(); });
  connect(holding_, &QToolButton::clicked, this, [this] { SpeedButton_holdingClick(); });
}

void TEffectsPage::buildPositionsAndSizes(QWidget* area) {
  // The bevels first, so that they stay behind their controls.
  bevelPosition_ = new QFrame(area);
  bevelPosition_->setObjectName(QStringLiteral("Bevel_Position"));
  bevelPosition_->setFrameShape(QFrame::Panel);
  bevelPosition_->setFrameShadow(QFrame::Sunken);
  bevelPosition_->setGeometry(4, 120, 440, 46);
  bevelSize_ = new QFrame(area);
  bevelSize_->setObjectName(QStringLiteral("Bevel_Size"));
  bevelSize_->setFrameShape(QFrame::Panel);
  bevelSize_->setFrameShadow(QFrame::Sunken);
  bevelSize_->setGeometry(448, 68, 287, 74);

  // Positions.
  hPosLabel_ = makeLabel(area, "Label_Horizontal_position", QStringLiteral("Horizontal position"), {});
  place(hPosLabel_, {8, 125, 116, 15}, {432, 86, 92, 15});
  QScrollBar* hPos = makeBar(area, "ScrollBar_Horizontal_position", 0, 255, {});
  place(hPos, {128, 124, 250, 17}, {528, 85, 121, 17});
  QLineEdit* hPosEdit = makeEdit(area, "Edit_Horizontal_position", {});
  place(hPosEdit, {384, 125, 56, kEditHeight}, {656, 86, 40, kEditHeight});
  hPos_ = addParameter(hPos, hPosEdit, &EffectSlot::EFFPA, Reg::EFFPA);

  vPosLabel_ = makeLabel(area, "Label_Vertical_position", QStringLiteral("Vertical position"), {});
  place(vPosLabel_, {8, 145, 116, 15}, {432, 104, 92, 15});
  QScrollBar* vPos = makeBar(area, "ScrollBar_Vertical_position", 0, 255, {});
  place(vPos, {128, 144, 250, 17}, {528, 103, 121, 17});
  QLineEdit* vPosEdit = makeEdit(area, "Edit_Vertical_position", {});
  place(vPosEdit, {384, 145, 56, kEditHeight}, {656, 104, 40, kEditHeight});
  vPos_ = addParameter(vPos, vPosEdit, &EffectSlot::EFFPB, Reg::EFFPB);

  // Intensity (Shadow Title): EFFPE like the mask's horizontal position.
  intensityLabel_ = makeLabel(area, "Label_Intensity", QStringLiteral("Intensity"), {8, 176, 116, 15});
  QScrollBar* intensity = makeBar(area, "ScrollBar_Intensity", 0, 255, {128, 175, 250, 17});
  QLineEdit* intensityEdit = makeEdit(area, "Edit_Intensity", {384, 176, 56, kEditHeight});
  intensity_ = addParameter(intensity, intensityEdit, &EffectSlot::EFFPE, Reg::EFFPE);

  // Sizes with their 1:1 buttons and the size lock.
  hSizeLabel_ = makeLabel(area, "Label_Horizontale_size", QStringLiteral("Horizontal Size"), {});
  place(hSizeLabel_, {452, 73, 88, 15}, {432, 122, 92, 15});
  QScrollBar* hSize = makeBar(area, "ScrollBar_Horizontale_size", 30, 255, {});
  place(hSize, {542, 72, 120, 17}, {528, 121, 121, 17});
  QLineEdit* hSizeEdit = makeEdit(area, "Edit_Horizontale_size", {});
  place(hSizeEdit, {664, 73, 36, kEditHeight}, {656, 122, 40, kEditHeight});
  lineH_ = new QFrame(area);
  lineH_->setObjectName(QStringLiteral("Shape_1pour1_Horizontal"));
  lineH_->setFrameShape(QFrame::HLine);
  place(lineH_, {700, 80, 8, 1}, {696, 129, 4, 1});
  oneToOneH_ = new QToolButton(area);
  oneToOneH_->setObjectName(QStringLiteral("SpeedButton_1pour1_Horizontal"));
  oneToOneH_->setText(QStringLiteral("1:1"));
  place(oneToOneH_, {708, 71, 24, 19}, {700, 120, 24, 19});

  vSizeLabel_ = makeLabel(area, "Label_Vertical_Size", QStringLiteral("Vertical Size."), {});
  place(vSizeLabel_, {452, 96, 88, 15}, {432, 140, 92, 15});
  QScrollBar* vSize = makeBar(area, "ScrollBar_Vertical_Size", 30, 255, {});
  place(vSize, {542, 95, 120, 17}, {528, 139, 121, 17});
  QLineEdit* vSizeEdit = makeEdit(area, "Edit_Vertical_Size", {});
  place(vSizeEdit, {664, 96, 36, kEditHeight}, {656, 140, 40, kEditHeight});
  lineV_ = new QFrame(area);
  lineV_->setObjectName(QStringLiteral("Shape_1pour1_Vertical"));
  lineV_->setFrameShape(QFrame::HLine);
  place(lineV_, {700, 103, 8, 1}, {696, 147, 4, 1});
  oneToOneV_ = new QToolButton(area);
  oneToOneV_->setObjectName(QStringLiteral("SpeedButton_1pour1_Vertical"));
  oneToOneV_->setText(QStringLiteral("1:1"));
  place(oneToOneV_, {708, 94, 24, 19}, {700, 138, 24, 19});

  sizeLock_ = new QToolButton(area);
  sizeLock_->setObjectName(QStringLiteral("SpeedButton_size"));
  sizeLock_->setText(QStringLiteral("Lock"));
  sizeLock_->setCheckable(true);
  zelvan::signal::setHint(sizeLock_, QStringLiteral("Same horizontal and vertical size"));
  place(sizeLock_, {542, 118, 120, 20}, {528, 157, 121, 16});
  connect(sizeLock_, &QToolButton::clicked, this, [this] { SpeedButton_sizeClick(); });

  const int h = addSize(hSize, hSizeEdit, oneToOneH_, &EffectSlot::EFFPC, &EffectSlot::OLD_EFFPC, Reg::EFFPC);
  const int v = addSize(vSize, vSizeEdit, oneToOneV_, &EffectSlot::EFFPD, &EffectSlot::OLD_EFFPD, Reg::EFFPD);
  sizes_[size_t(h)].partner = v;
  sizes_[size_t(v)].partner = h;
}

void TEffectsPage::buildMask(QWidget* area) {
  auto* group = new QGroupBox(QStringLiteral("Mask"), area);
  group->setObjectName(QStringLiteral("GroupBox_Mask"));
  mask_ = group;
  place(group, {456, 146, 274, 98}, {428, 196, 274, 98});
  struct Row {
    const char* label;
    const char* bar;
    const char* edit;
    const char* caption;
    int32_t EffectSlot::*field;
    int reg;
  };
  // In the order of maskParams_: horizontal and vertical position, then sizes.
  const Row rows[4] = {
      {"Label_mask_Horizontal_position", "ScrollBar_mask_Horizontal_position", "Edit_mask_Horizontal_position",
       "Horizontal position", &EffectSlot::EFFPE, Reg::EFFPE},
      {"Label_mask_Vertical_position", "ScrollBar_mask_Vertical_position", "Edit_mask_Vertical_position",
       "Vertical position", &EffectSlot::EFFPF, Reg::EFFPF},
      {"Label_mask_Horizontal_size", "ScrollBar_mask_Horizontal_size", "Edit_mask_Horizontal_size", "Horizontal size",
       &EffectSlot::EFFPG, Reg::EFFPG},
      {"Label_mask_Vertical_size", "ScrollBar_mask_Vertical_size", "Edit_mask_Vertical_size", "Vertical size",
       &EffectSlot::EFFPH, Reg::EFFPH},
  };
  for (int i = 0; i < 4; ++i) {
    const int y = 18 + 19 * i;
    QLabel* l = makeLabel(group, rows[i].label, QString::fromLatin1(rows[i].caption), {6, y, 92, 15});
    QScrollBar* b = makeBar(group, rows[i].bar, 0, 255, {100, y - 1, 121, 17});
    QLineEdit* e = makeEdit(group, rows[i].edit, {228, y, 40, kEditHeight});
    maskRows_[i] = {l, b, e};
    maskParams_[i] = addParameter(b, e, rows[i].field, rows[i].reg);
  }
}

void TEffectsPage::buildOptions(QWidget* area) {
  drawEdge_ = new QFrame(area);
  drawEdge_->setObjectName(QStringLiteral("LMDDrawEdge1"));
  drawEdge_->setFrameShape(QFrame::HLine);
  drawEdge_->setFrameShadow(QFrame::Sunken);
  drawEdge_->setGeometry(4, 250, 729, 3);

  border_ = new TRadioGroup(QStringLiteral("Border"),
                            {QStringLiteral("Without"), QStringLiteral("Shadow"), QStringLiteral("Smooth"),
                             QStringLiteral("Edge")},
                            area);
  border_->setObjectName(QStringLiteral("LMD_RadioGroup_Option_effect_courant"));
  border_->setGeometry(4, 256, 136, 88);
  connect(border_, &TRadioGroup::itemClicked, this, [this](int i) { LMD_RadioGroup_Option_effect_courantClick(i); });

  bevelOption_ = new QFrame(area);
  bevelOption_->setObjectName(QStringLiteral("Bevel_option_effect_courant"));
  bevelOption_->setFrameShape(QFrame::Panel);
  bevelOption_->setFrameShadow(QFrame::Sunken);
  bevelOption_->setGeometry(144, 256, 340, 88);

  smooth_ = new QCheckBox(QStringLiteral("Smooth"), area);
  smooth_->setObjectName(QStringLiteral("CheckBox_EdgeSmooth"));
  smooth_->setGeometry(150, 258, 90, 17);
  connect(smooth_, &QCheckBox::clicked, this, [this] { CheckBox_EdgeSmoothClick(); });

  struct Row {
    PacedIndex index;
    const char* label;
    const char* bar;
    const char* edit;
    const char* caption;
    int y;
    TTamponVar* buffer;
    int32_t EffectSlot::*field;
    int reg;
  };
  const Row rows[3] = {
      {PacedI, "Label_EFFPI", "ScrollBar_EFFPI", "Edit_EFFPI", kNoOption, 276, bufferI_, &EffectSlot::EFFPI, Reg::EFFPI},
      {PacedS, "Label_EFFPS", "ScrollBar_EFFPS", "Edit_EFFPS", "Shadow Color", 295, bufferS_, &EffectSlot::EFFPS,
       Reg::EFFPS},
      {PacedJ, "Label_EFFPJ", "ScrollBar_EFFPJ", "Edit_EFFPJ", kNoOption, 314, bufferJ_, &EffectSlot::EFFPJ, Reg::EFFPJ},
  };
  for (const Row& r : rows) {
    Paced& p = paced_[r.index];
    p.label = makeLabel(area, r.label, QString::fromLatin1(r.caption), {147, r.y, 82, 15});
    p.bar = makeBar(area, r.bar, 0, 255, {232, r.y, 200, 17});
    p.edit = makeEdit(area, r.edit, {436, r.y, 44, kEditHeight});
    p.buffer = r.buffer;
    p.field = r.field;
    p.reg = r.reg;
    p.opacity = r.index == PacedJ;
    const PacedIndex index = r.index;
    zelvan::signal::onScroll(p.bar, this,
                             [this, index](QScrollBar*, TScrollCode code, int pos) { pacedScrolled(index, code, pos); });
    connect(p.edit, &QLineEdit::returnPressed, this, [this, index] { pacedEntered(index); });
  }
}

void TEffectsPage::buildInlay(QWidget* area) {
  QWidget* panel = ctx_.animation ? ctx_.animation->panel_incrustation_et_choixframe() : nullptr;
  inlay_ = new TRadioGroup(QStringLiteral("Inlay"), {QStringLiteral("OFF"), QStringLiteral("ON")}, panel ? panel : area);
  inlay_->setObjectName(QStringLiteral("LMDRadioGroup_EFFOPT"));
  if (panel) {
    // Beside the Background group, at the top the folded panel uses (the
    // slides move it between 10 and 26).
    const int x = panel->width() >= 200 ? panel->width() - 92 : 110;
    inlay_->setGeometry(x, 10, 84, 56);
  } else {
    inlay_->setGeometry(0, 0, 84, 56);
    inlay_->hide();
  }
  connect(inlay_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_EFFOPTClick(i); });
}

// ---------------------------------------------------------- parameters

void TEffectsPage::storeAndSend(int32_t EffectSlot::*field, int reg, int64_t value) {
  ctx_.selected().*field = toField(value);
  ctx_.send(reg, std::max<int64_t>(value, 0));
}

std::optional<int64_t> TEffectsPage::readParameterText(QLineEdit* edit) const {
  const QString text = edit->text();
  const auto v = readInteger(text);
  if (!v) {
    showNotAnInteger(edit, text);
    return std::nullopt;
  }
  if (*v < 0 || *v > kFieldMaximum) {
    zelvan::ui::dialogs().message(edit, zelvan::ui::MessageKind::Error, QStringLiteral("Error"),
                                  QStringLiteral("Range check error"));
    return std::nullopt;
  }
  return v;
}

int TEffectsPage::addParameter(QScrollBar* bar, QLineEdit* edit, int32_t EffectSlot::*field, int reg) {
  const int index = static_cast<int>(params_.size());
  params_.push_back(Parameter{bar, edit, field, reg});
  if (bar)
    zelvan::signal::onScroll(bar, this, [this, index](QScrollBar*, TScrollCode, int pos) { parameterScrolled(index, pos); });
  if (edit) connect(edit, &QLineEdit::returnPressed, this, [this, index] { parameterEntered(index); });
  return index;
}

void TEffectsPage::parameterScrolled(int index, int64_t value) {
  const Parameter& p = params_[size_t(index)];
  if (!p.field) return;
  storeAndSend(p.field, p.reg, value);
  if (p.edit) p.edit->setText(QString::number(value));
}

void TEffectsPage::parameterEntered(int index) {
  const Parameter& p = params_[size_t(index)];
  if (!p.edit) return;
  const auto v = readParameterText(p.edit);
  if (!v) return;
  // The typed number goes to the device as typed; the slider shows it
  // within its own range.
  if (p.bar) showOnBar(p.bar, *v);
  parameterScrolled(index, *v);
}

void TEffectsPage::bindParameter(QScrollBar* bar, QLineEdit* edit, int32_t EffectSlot::*field, int reg) {
  if (!field) return;
  if (bar) setDragMark(bar, 0);
  if (edit) {
    edit->setFixedHeight(kEditHeight);
    edits_.push_back(edit);
  }
  addParameter(bar, edit, field, reg);
}

// --------------------------------------------------------------- sizes

int TEffectsPage::addSize(QScrollBar* bar, QLineEdit* edit, QAbstractButton* oneToOne, int32_t EffectSlot::*field,
                          int32_t EffectSlot::*saved, int reg) {
  const int index = static_cast<int>(sizes_.size());
  sizes_.push_back(SizeControl{bar, edit, oneToOne, field, saved, reg, -1});
  if (bar)
    zelvan::signal::onScroll(bar, this, [this, index](QScrollBar*, TScrollCode, int pos) { sizeScrolled(index, pos); });
  if (edit) connect(edit, &QLineEdit::returnPressed, this, [this, index] { sizeEntered(index); });
  if (oneToOne) {
    oneToOne->setCheckable(true);
    connect(oneToOne, &QAbstractButton::clicked, this, [this, index](bool down) { oneToOneClicked(index, down); });
  }
  return index;
}

void TEffectsPage::addDoublePipSizes(QScrollBar* h, QLineEdit* editH, QAbstractButton* oneToOneH, QScrollBar* v,
                                     QLineEdit* editV, QAbstractButton* oneToOneV) {
  for (QLineEdit* e : {editH, editV})
    if (e) {
      e->setFixedHeight(kEditHeight);
      edits_.push_back(e);
    }
  const int i = addSize(h, editH, oneToOneH, &EffectSlot::EFFPM, &EffectSlot::OLD_EFFPM, Reg::EFFPM);
  const int j = addSize(v, editV, oneToOneV, &EffectSlot::EFFPN, &EffectSlot::OLD_EFFPN, Reg::EFFPN);
  sizes_[size_t(i)].partner = j;
  sizes_[size_t(j)].partner = i;
}

QWidget* TEffectsPage::layoutHost(const QWidget* w) const {
  // The nearest of the two places the size controls live in: the page's
  // container or the Double PiP panel.
  const QWidget* dpip = ctx_.animation ? ctx_.animation->Panel_Double_PIP() : nullptr;
  for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
    if (p == area_ || p == dpip || p == dpipPanel_.data()) return p;
  return nullptr;
}

bool TEffectsPage::sizeLockCouples(const QScrollBar* bar) const {
  // The lock couples the sliders that sit where the lock itself sits: the
  // main pair on the page, each pair within itself in the Double PiP panel.
  if (!sizeLock_->isChecked() || !bar) return false;
  const QWidget* host = layoutHost(bar);
  return host && host == sizeLock_->parentWidget();
}

void TEffectsPage::sizeScrolled(int index, int64_t value) {
  const SizeControl& sz = sizes_[size_t(index)];
  storeAndSend(sz.field, sz.reg, value);
  if (sz.edit) sz.edit->setText(QString::number(value));
  if (sz.partner < 0 || !sizeLockCouples(sz.bar)) return;
  const SizeControl& other = sizes_[size_t(sz.partner)];
  if (!sizeLockCouples(other.bar)) return;
  // The partner follows silently: it does not couple back.
  storeAndSend(other.field, other.reg, value);
  if (other.bar) showOnBar(other.bar, value);
  if (other.edit) other.edit->setText(QString::number(value));
}

void TEffectsPage::sizeEntered(int index) {
  const SizeControl& sz = sizes_[size_t(index)];
  if (!sz.edit) return;
  const auto v = readParameterText(sz.edit);
  if (!v) return;
  if (sz.bar) showOnBar(sz.bar, *v);
  sizeScrolled(index, *v);
}

void TEffectsPage::oneToOneClicked(int index, bool down) {
  if (down)
    oneToOnePressed(index);
  else
    oneToOneReleased(index);
}

void TEffectsPage::oneToOnePressed(int index) {
  const SizeControl& sz = sizes_[size_t(index)];
  EffectSlot& s = ctx_.selected();
  s.*sz.saved = s.*sz.field;
  s.*sz.field = 0;
  ctx_.send(sz.reg, 0);
  if (sz.bar) sz.bar->setEnabled(false);
  if (sz.edit) sz.edit->setEnabled(false);
}

void TEffectsPage::oneToOneReleased(int index) {
  const SizeControl& sz = sizes_[size_t(index)];
  EffectSlot& s = ctx_.selected();
  const int32_t v = s.*sz.saved;
  s.*sz.field = v;
  ctx_.send(sz.reg, std::max(v, 0));
  if (sz.bar) {
    showOnBar(sz.bar, v);
    sz.bar->setEnabled(true);
  }
  if (sz.edit) {
    sz.edit->setText(QString::number(v));
    sz.edit->setEnabled(true);
  }
}

void TEffectsPage::SpeedButton_sizeClick() {
  if (sizeLock_->isChecked()) {
    // Every 1:1 button goes up with its size back in force. Only a button
    // that is up saves the current size: a button that is down holds 0,
    // and its saved value is the size to restore.
    EffectSlot& s = ctx_.selected();
    for (size_t i = 0; i < sizes_.size(); ++i) {
      const SizeControl& sz = sizes_[i];
      if (!sz.oneToOne) continue;
      if (!sz.oneToOne->isChecked()) s.*sz.saved = s.*sz.field;
      setPressed(sz.oneToOne, false);
      oneToOneReleased(static_cast<int>(i));
      sz.oneToOne->setEnabled(false);
    }
  } else {
    for (const SizeControl& sz : sizes_)
      if (sz.oneToOne) sz.oneToOne->setEnabled(true);
  }
}

// ------------------------------------------------------------ duration

void TEffectsPage::durationScrolled(int pos) {
  storeAndSend(&EffectSlot::EFFDUR, Reg::EFFDUR, pos);
  durationEdit_->setText(durationText(pos));
}

void TEffectsPage::durationEntered() {
  const QString text = durationEdit_->text();
  const auto tenths = durationFromText(text);
  if (!tenths) {
    zelvan::ui::dialogs().message(durationEdit_, zelvan::ui::MessageKind::Error, QStringLiteral("Error"),
                                  QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return;
  }
  if (*tenths < 0 || *tenths > 255) {
    // Not stored: the device's own value is sent again and its answer
    // puts the display back.
    ctx_.send(Reg::EFFDUR, ctx_.link ? ctx_.link->registerValue(Reg::EFFDUR) : 0);
    return;
  }
  EffectSlot& s = ctx_.selected();
  const int32_t before = s.EFFDUR;
  s.EFFDUR = static_cast<int32_t>(*tenths);
  showDuration(*tenths);
  ctx_.send(Reg::EFFDUR, *tenths);
  if (*tenths == kHolding && before != kHolding) {
    // 25.5 s typed is holding: Holding goes down and can undo it.
    s.OLD_DUR = before;
    showHolding(true);
  }
}

void TEffectsPage::showDuration(int64_t tenths) {
  showOnBar(durationBar_, tenths);
  durationEdit_->setText(durationDisplay(tenths));
}

void TEffectsPage::setDurationControlsEnabled(bool enabled) {
  durationBar_->setEnabled(enabled);
  durationEdit_->setEnabled(enabled);
  for (int i = 0; i < 3; ++i)
    if (QAbstractButton* b = ctx_.host ? ctx_.host->durationPreset(i) : nullptr) b->setEnabled(enabled);
}

void TEffectsPage::showHolding(bool holding) {
  setPressed(holding_, holding);
  holding_->setEnabled(!running_);
  setDurationControlsEnabled(!holding && !running_);
}

void TEffectsPage::SpeedButton_holdingClick() {
  EffectSlot& s = ctx_.selected();
  if (holding_->isChecked()) {
    s.OLD_DUR = s.EFFDUR;
    s.EFFDUR = kHolding;
    ctx_.send(Reg::EFFDUR, kHolding);
    durationEdit_->setText(holdingText());
    setDurationControlsEnabled(false);
  } else {
    s.EFFDUR = s.OLD_DUR;
    ctx_.send(Reg::EFFDUR, std::max(s.EFFDUR, 0));
    showDuration(s.EFFDUR);
    setDurationControlsEnabled(!running_);
  }
}

void TEffectsPage::storeEffectDuration(int tenths) {
  ctx_.selected().EFFDUR = tenths;
  showDuration(tenths);
}

void TEffectsPage::setEffectRunning(bool running) {
  running_ = running;
  holding_->setEnabled(!running);
  setDurationControlsEnabled(!running && !holding_->isChecked());
}

// --------------------------------------------------------- paced trios

int64_t TEffectsPage::pacedDisplay(PacedIndex p, int64_t value) const {
  if (paced_[p].opacity && ctx_.selectedIsDoublePip()) return 255 - std::clamp<int64_t>(value, 0, 255);
  return value;
}

void TEffectsPage::showPaced(PacedIndex p, int64_t wireValue) {
  const int64_t shown = pacedDisplay(p, wireValue);
  paced_[p].edit->setText(QString::number(shown));
  showOnBar(paced_[p].bar, shown);
}

void TEffectsPage::setPacedEnabled(PacedIndex p, const QString& caption, bool enabled) {
  Paced& c = paced_[p];
  c.label->setText(caption);
  c.label->setEnabled(enabled);
  c.bar->setEnabled(enabled);
  c.edit->setEnabled(enabled);
}

void TEffectsPage::pacedScrolled(PacedIndex p, int code, int pos) {
  Paced& c = paced_[p];
  // The Double PiP opacity is the position turned round, once, here.
  const int32_t value = c.opacity && ctx_.selectedIsDoublePip() ? 255 - pos : pos;
  // One value in flight: the first goes at once, the others wait in the
  // buffer for the device's answers.
  if (c.buffer->Vide()) ctx_.send(c.reg, std::max(value, 0));
  c.buffer->setAjout(value);
  ctx_.selected().*c.field = value;
  setDragMark(c.bar, code == zelvan::signal::scEndScroll ? 0 : 1);
}

void TEffectsPage::pacedEntered(PacedIndex p) {
  Paced& c = paced_[p];
  const QString text = c.edit->text();
  const auto v = readInteger(text);
  if (!v) {
    showNotAnInteger(c.edit, text);
    return;
  }
  if (*v < 0 || *v > 255) {
    ctx_.send(c.reg, ctx_.link ? ctx_.link->registerValue(c.reg) : 0);  // the device shows it again
    return;
  }
  const int64_t value = c.opacity && ctx_.selectedIsDoublePip() ? 255 - *v : *v;
  storeAndSend(c.field, c.reg, value);
}

void TEffectsPage::pacedReported(PacedIndex p) {
  Paced& c = paced_[p];
  if (!ctx_.link) return;
  const uint32_t v = ctx_.link->registerValue(c.reg);
  const int64_t shown = pacedDisplay(p, v);
  c.edit->setText(QString::number(shown));
  if (dragMark(c.bar) == 0) showOnBar(c.bar, shown);
  if (!c.buffer->Vide()) ctx_.send(c.reg, std::max(c.buffer->ExtraitReadOnly(), 0));
}

// -------------------------------------------------------------- options

void TEffectsPage::showOption(int64_t option) {
  const bool dpip = ctx_.selectedIsDoublePip();
  const bool dev36 = ctx_.model36();
  int item = 0;
  if (option >= 0 && option <= 3)
    item = static_cast<int>(option);
  else if (option == 5)
    item = 3;
  else if (option == 6)
    item = 1;
  border_->setItemIndex(item);

  const QString none = QString::fromLatin1(kNoOption);
  const QString opacity = QString::fromLatin1(kOpacity);
  auto smooth = [this](bool checked, bool enabled) {
    const QSignalBlocker block(smooth_);
    smooth_->setChecked(checked);
    smooth_->setEnabled(enabled);
  };
  // The EFFPJ row when the option has no colour: the opacity of a Double
  // PiP, else nothing.
  auto noColour = [&] {
    if (dpip)
      setPacedEnabled(PacedJ, opacity, true);
    else
      setPacedEnabled(PacedJ, none, false);
  };
  switch (option) {
    case 0:
      setPacedEnabled(PacedI, none, false);
      noColour();
      setPacedEnabled(PacedS, none, false);
      smooth(false, false);
      break;
    case 1:
    case 6:
      setPacedEnabled(PacedI, QStringLiteral("Shadow size"), true);
      setPacedEnabled(PacedJ, dpip ? opacity : QStringLiteral("Shadow intensity"), true);
      setPacedEnabled(PacedS, QStringLiteral("Shadow color"), true);
      smooth(option == 6, option == 6 && dev36);
      break;
    case 2:
      setPacedEnabled(PacedI, QStringLiteral("Smooth size"), true);
      noColour();
      setPacedEnabled(PacedS, none, false);
      smooth(false, false);
      break;
    case 3:
    case 5:
      setPacedEnabled(PacedI, QStringLiteral("Edge size"), true);
      setPacedEnabled(PacedJ, dpip ? opacity : QStringLiteral("Edge color"), true);
      setPacedEnabled(PacedS, none, false);
      smooth(option == 5, dev36);
      break;
    case kInlayOn:
      smooth(false, false);
      break;
    default:
      break;  // no such option: the controls stay as they are
  }
  bevelOption_->setEnabled(paced_[PacedI].bar->isEnabled());
}

void TEffectsPage::LMD_RadioGroup_Option_effect_courantClick(int item) {
  if (item < 0 || item > 3) return;
  storeAndSend(&EffectSlot::EFFOPT, Reg::EFFOPT, item);
}

void TEffectsPage::LMDRadioGroup_EFFOPTClick(int item) {
  storeAndSend(&EffectSlot::EFFOPT, Reg::EFFOPT, item == 1 ? kInlayOn : 0);
}

void TEffectsPage::CheckBox_EdgeSmoothClick() {
  EffectSlot& s = ctx_.selected();
  if (s.EFFOPT == 5 || s.EFFOPT == 6) {
    if (validOption(s.OLD_EFFOPT)) storeAndSend(&EffectSlot::EFFOPT, Reg::EFFOPT, s.OLD_EFFOPT);
  } else {
    s.OLD_EFFOPT = s.EFFOPT;
    if (s.EFFOPT == 1)
      storeAndSend(&EffectSlot::EFFOPT, Reg::EFFOPT, 6);
    else if (s.EFFOPT == 3)
      storeAndSend(&EffectSlot::EFFOPT, Reg::EFFOPT, 5);
  }
  // The box shows what the key now holds (the device's answer confirms it).
  const QSignalBlocker block(smooth_);
  smooth_->setChecked(s.EFFOPT == 5 || s.EFFOPT == 6);
}

// -------------------------------------------------------------- refresh

bool TEffectsPage::optionGroupShown() const {
  return effectGroup(ctx_.selectedKind(), EffectGroup::Opt) && !ctx_.embeddedSoftEdge();
}

void TEffectsPage::Gestion_affichage_des_cadrages_et_plus_des_EFFETS() {
  EffectSlot& s = ctx_.selected();
  const int kind = s.kind;
  auto shows = [kind](EffectGroup g) { return effectGroup(kind, g); };

  // 1. The groups of the kind.
  const EffectGroup presetGroups[3] = {EffectGroup::Preset1s, EffectGroup::Preset3s, EffectGroup::Preset5s};
  for (int i = 0; i < 3; ++i) setShown(ctx_.host ? ctx_.host->durationPreset(i) : nullptr, shows(presetGroups[i]));
  for (QWidget* w : {static_cast<QWidget*>(durationLabel_), static_cast<QWidget*>(durationMin_),
                     static_cast<QWidget*>(durationBar_), static_cast<QWidget*>(durationMax_),
                     static_cast<QWidget*>(durationEdit_)})
    setShown(w, shows(EffectGroup::Dur));
  const bool hSize = shows(EffectGroup::HSize);
  for (QWidget* w : {static_cast<QWidget*>(hSizeLabel_), static_cast<QWidget*>(sizes_[0].bar),
                     static_cast<QWidget*>(sizes_[0].edit), static_cast<QWidget*>(sizeLock_),
                     static_cast<QWidget*>(oneToOneH_), static_cast<QWidget*>(oneToOneV_),
                     static_cast<QWidget*>(lineH_), static_cast<QWidget*>(lineV_), static_cast<QWidget*>(bevelSize_)})
    setShown(w, hSize);
  const bool vSize = shows(EffectGroup::VSize);
  for (QWidget* w : {static_cast<QWidget*>(vSizeLabel_), static_cast<QWidget*>(sizes_[1].bar),
                     static_cast<QWidget*>(sizes_[1].edit)})
    setShown(w, vSize);
  const bool hPos = shows(EffectGroup::HPos);
  for (QWidget* w : {static_cast<QWidget*>(bevelPosition_), static_cast<QWidget*>(hPosLabel_),
                     static_cast<QWidget*>(params_[size_t(hPos_)].bar), static_cast<QWidget*>(params_[size_t(hPos_)].edit)})
    setShown(w, hPos);
  const bool vPos = shows(EffectGroup::VPos);
  for (QWidget* w : {static_cast<QWidget*>(vPosLabel_), static_cast<QWidget*>(params_[size_t(vPos_)].bar),
                     static_cast<QWidget*>(params_[size_t(vPos_)].edit)})
    setShown(w, vPos);
  setShown(mask_, shows(EffectGroup::MskHS));
  const EffectGroup maskGroups[4] = {EffectGroup::MskHP, EffectGroup::MskVP, EffectGroup::MskHS, EffectGroup::MskVS};
  for (int i = 0; i < 4; ++i)
    for (QWidget* w : maskRows_[i]) setShown(w, shows(maskGroups[i]));
  const bool intensity = shows(EffectGroup::Int);
  for (QWidget* w : {static_cast<QWidget*>(intensityLabel_), static_cast<QWidget*>(params_[size_t(intensity_)].bar),
                     static_cast<QWidget*>(params_[size_t(intensity_)].edit)})
    setShown(w, intensity);
  setShown(holding_, shows(EffectGroup::Hold));
  const bool option = optionGroupShown();
  for (QWidget* w : {static_cast<QWidget*>(border_), static_cast<QWidget*>(drawEdge_),
                     static_cast<QWidget*>(bevelOption_)})
    setShown(w, option);
  for (PacedIndex p : {PacedI, PacedJ})
    for (QWidget* w : {static_cast<QWidget*>(paced_[p].label), static_cast<QWidget*>(paced_[p].bar),
                       static_cast<QWidget*>(paced_[p].edit)})
      setShown(w, option);
  const bool option36 = option && ctx_.model36();
  for (QWidget* w : {static_cast<QWidget*>(paced_[PacedS].label), static_cast<QWidget*>(paced_[PacedS].bar),
                     static_cast<QWidget*>(paced_[PacedS].edit), static_cast<QWidget*>(smooth_)})
    setShown(w, option36);

  // The sliding panels fold, the Double PiP panel and its layout follow
  // the kind, and the animation buttons follow the key.
  const bool dpip = shows(EffectGroup::DPiP);
  if (TEffectAnimation* anim = ctx_.animation) {
    anim->requestFolds();
    setShown(anim->Panel_Double_PIP(), dpip);
    anim->Affichage_et_reglage_position_doublePIP(dpip);
    anim->refreshAnimationButtons();
  }

  // 4. The values.
  showDuration(s.EFFDUR);
  for (const Parameter& p : params_) {
    if (!p.field) continue;
    if (p.bar) showOnBar(p.bar, s.*p.field);
    if (p.edit) p.edit->setText(QString::number(s.*p.field));
  }
  for (const SizeControl& sz : sizes_)
    if (sz.bar) showOnBar(sz.bar, s.*sz.field);
  showPaced(PacedI, s.EFFPI);
  showPaced(PacedS, s.EFFPS);
  showPaced(PacedJ, s.EFFPJ);
  showOption(s.EFFOPT);
  inlay_->setItemIndex(s.EFFOPT >= kInlayOn ? 1 : 0);
  if (ctx_.animation) ctx_.animation->loadValues();

  // 5. Holding.
  showHolding(s.EFFDUR == kHolding);

  // 6. 1:1: a size of 0 is the 1:1 size; the edit shows the size it replaced.
  const bool locked = sizeLock_->isChecked();
  for (const SizeControl& sz : sizes_) {
    const bool oneToOne = s.*sz.field == 0;
    if (sz.oneToOne) {
      setPressed(sz.oneToOne, oneToOne);
      sz.oneToOne->setEnabled(!locked);
    }
    if (sz.bar) sz.bar->setEnabled(!oneToOne);
    if (sz.edit) {
      sz.edit->setEnabled(!oneToOne);
      sz.edit->setText(QString::number(oneToOne ? s.*sz.saved : s.*sz.field));
    }
  }

  // 7. In embedded soft-edge mode the Background and Inlay panel stays in front.
  if (ctx_.embeddedSoftEdge() && ctx_.animation)
    if (QWidget* panel = ctx_.animation->panel_incrustation_et_choixframe()) panel->raise();
}

void TEffectsPage::EffectsShow() {
  for (QLineEdit* e : edits_) {
    if (!e) continue;
    e->setFixedHeight(kEditHeight);
    e->resize(e->width(), kEditHeight);
  }
}

// -------------------------------------------------------------- reports

void TEffectsPage::Zelvan_d1EFFDURchange() { durationEdit_->setText(durationDisplay(ctx_.selected().EFFDUR)); }

void TEffectsPage::Zelvan_d1EFFPIchange() {
  pacedReported(PacedI);
  if (!ctx_.link || !ctx_.animation) return;
  const uint32_t v = ctx_.link->registerValue(Reg::EFFPI);
  if (v > 5) return;
  if (QRadioButton* frame = ctx_.animation->RadioButton_Frame(static_cast<int>(v) + 1)) {
    const QSignalBlocker block(frame);
    frame->setChecked(true);
  }
}

void TEffectsPage::Zelvan_d1EFFPJchange() { pacedReported(PacedJ); }

void TEffectsPage::Zelvan_d1EFFPSchange() { pacedReported(PacedS); }

void TEffectsPage::Zelvan_d1EFFOPTchange() {
  if (!ctx_.link) return;
  const uint32_t v = ctx_.link->registerValue(Reg::EFFOPT);
  showOption(v);
  inlay_->setItemIndex(v == kInlayOn ? 1 : 0);
}

// ---------------------------------------------------- Double PiP layout

void TEffectsPage::restoreOpacityRow() {
  Paced& j = paced_[PacedJ];
  moveTo(j.label, area_, {147, 314, 82, 15});
  moveTo(j.bar, area_, {232, 314, 200, 17});
  moveTo(j.edit, area_, {436, 314, 44, kEditHeight});
  showPaced(PacedJ, ctx_.selected().EFFPJ);
}

void TEffectsPage::arrangeForDoublePip(QWidget* panel, bool dpip, bool withOpacity) {
  const bool inPanel = dpip && panel;
  if (!inPanel || !withOpacity) restoreOpacityRow();
  if (!inPanel) {
    for (const Placement& m : moved_) moveTo(m.widget, area_, m.page);
    return;
  }
  dpipPanel_ = panel;
  for (const Placement& m : moved_) moveTo(m.widget, panel, m.doublePip);
  if (withOpacity) {
    // The opacity of the Double PiP: the EFFPJ row, enabled.
    Paced& j = paced_[PacedJ];
    moveTo(j.label, panel, {432, 175, 92, 15});
    moveTo(j.bar, panel, {528, 175, 121, 17});
    moveTo(j.edit, panel, {656, 175, 40, kEditHeight});
    setPacedEnabled(PacedJ, QString::fromLatin1(kOpacity), true);
    showPaced(PacedJ, ctx_.selected().EFFPJ);
  }
}

}  // namespace zelvan::keying
