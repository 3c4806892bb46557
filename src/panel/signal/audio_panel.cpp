#include "panel/signal/audio_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/signal/adjust_triple.h"
#include "panel/signal/input_table.h"
#include "widgets/ttamponvar.h"

namespace zelvan::signal {

namespace {
const QString kMuteCaption = QStringLiteral("Audio mute     ");
const QString kAuxCaption = QStringLiteral("Auxiliary mute");
const QString kStereoCaption = QStringLiteral("Stereo       ");
const QString kMonoCaption = QStringLiteral("Mono         ");
}  // namespace

TAudioPanel::TAudioPanel(TSignalContext& ctx, QWidget* audioPage) : QObject(audioPage), ctx_(ctx) {
  panel_ = new QWidget(audioPage);
  panel_->setObjectName(QStringLiteral("Panel_audio"));
  // Main and Prelist one above the other at the left, the eight inputs'
  // level and balance at the right, so the whole tab fits the page.
  auto* top = new QHBoxLayout(panel_);
  auto* outputs = new QVBoxLayout();
  top->addLayout(outputs);
  buildSide(1, panel_);
  buildSide(2, panel_);
  outputs->addWidget(main_.group);
  outputs->addWidget(preview_.group);

  auto* channels = new QGroupBox(QStringLiteral("Audio inputs"), panel_);
  channels->setObjectName(QStringLiteral("GroupBox_audio_inputs"));
  auto* grid = new QGridLayout(channels);
  grid->addWidget(new QLabel(QStringLiteral("Level"), channels), 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Balance"), channels), 0, 3, 1, 2);
  for (int n = 1; n <= 8; ++n) {
    const size_t i = idx(n);
    auto* label = new QLabel(QStringLiteral("Audio %1").arg(n), channels);
    label->setObjectName(QStringLiteral("Label_Audio_%1").arg(n));
    labels_[i] = label;
    grid->addWidget(label, n, 0);
    for (int b = 0; b < 2; ++b) {
      const bool balance = b == 1;
      auto* bar = new QScrollBar(Qt::Horizontal, channels);
      bar->setObjectName(QString::fromLatin1(balance ? "ScrollBar_ABAL_PCHAN%1" : "ScrollBar_ALEV_PCHAN%1").arg(n));
      bar->setRange(0, 64);
      bar->setValue(32);
      bar->setPageStep(6);
      bar->setProperty("Tag", 0);
      bar->setMinimumWidth(80);
      auto* field = new QLineEdit(channels);
      field->setObjectName(QString::fromLatin1(balance ? "Edit_ABAL_PCHAN%1" : "Edit_ALEV_PCHAN%1").arg(n));
      field->setMaximumWidth(40);
      onScroll(bar, this, [this, balance, n](QScrollBar*, TScrollCode code, int pos) { levelScroll(balance, n, code, pos); });
      connect(field, &QLineEdit::returnPressed, this, [this, balance, n] { levelKeyPress(balance, n, QLatin1Char('\r')); });
      grid->addWidget(bar, n, 1 + 2 * b);
      grid->addWidget(field, n, 2 + 2 * b);
      (balance ? balanceBars_ : levelBars_)[i] = bar;
      (balance ? balanceFields_ : levelFields_)[i] = field;
    }
  }
  top->addWidget(channels);
  top->setStretch(0, 3);
  top->setStretch(1, 2);
  addToPage(audioPage, panel_);

  tampon_ = new TTamponVar(this);
  tampon_->setObjectName(QStringLiteral("Tamponvar_ABAL"));
}

void TAudioPanel::buildSide(int output, QWidget* parent) {
  Side& s = side(output);
  const QString sfx = output == 1 ? QStringLiteral("M") : QStringLiteral("P");
  s.group = new QGroupBox(output == 1 ? QStringLiteral("Main") : QStringLiteral("Prelist"), parent);
  s.group->setObjectName(output == 1 ? QStringLiteral("GroupBox_audio_Main") : QStringLiteral("GroupBox_audio_Prelist"));
  auto* lay = new QGridLayout(s.group);
  s.channelGroup = new QButtonGroup(s.group);
  for (int n = 1; n <= 8; ++n) {
    auto* rb = new QRadioButton(QStringLiteral("Audio %1").arg(n), s.group);
    rb->setObjectName(QStringLiteral("Radiobutton_audio_ACHAN%1_%2").arg(sfx).arg(n));
    rb->setProperty("Tag", n);
    s.channelGroup->addButton(rb, n);
    // React to the mouse button being released; the check follows the device.
    connect(rb, &QRadioButton::clicked, this, [this, output, n] { Radiobutton_audio_ACHAN_MouseUp(output, n); });
    lay->addWidget(rb, (n - 1) / 4, (n - 1) % 4);
    s.channels[static_cast<size_t>(n - 1)] = rb;
  }
  s.automatic = new QRadioButton(QStringLiteral("Automatic"), s.group);
  s.automatic->setObjectName(QStringLiteral("LMDRadioButton_AMODE%1").arg(sfx));
  s.automatic->setAutoExclusive(false);
  connect(s.automatic, &QRadioButton::clicked, this, [this, output] { LMDRadioButton_AMODEMouseUp(output); });
  lay->addWidget(s.automatic, 2, 0);

  s.masterBar = new QScrollBar(Qt::Horizontal, s.group);
  s.masterBar->setObjectName(QStringLiteral("ScrollBar_AMAST%1").arg(sfx));
  s.masterBar->setRange(0, 255);
  s.masterBar->setValue(191);
  s.masterBar->setPageStep(10);
  s.masterField = new QLineEdit(s.group);
  s.masterField->setObjectName(QStringLiteral("Edit_AMAST%1").arg(sfx));
  s.masterField->setMaximumWidth(50);
  lay->addWidget(s.masterBar, 2, 2);
  lay->addWidget(s.masterField, 2, 3);
  s.master = new TAdjustTriple(ctx_, zelvan::regs(output).AMAST, false, 0, 255, this);
  s.master->addView(s.masterBar, s.masterField);

  // Mute and auxiliary mute share the last row; Stereo sits beside Automatic.
  auto makeToggle = [&](const char* name, const QString& caption, int row, int column, int span, auto handler) {
    auto* b = new QToolButton(s.group);
    b->setObjectName(QString::fromLatin1(name) + sfx);
    b->setText(caption);
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setProperty("GlyphIndex", 0);
    connect(b, &QToolButton::clicked, this, [this, output, handler] { (this->*handler)(output); });
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    lay->addWidget(b, row, column, 1, span);
    return b;
  };
  s.mute = makeToggle("SpeedButton_AMUTE", kMuteCaption, 3, 0, 2, &TAudioPanel::SpeedButton_AMUTEClick);
  s.auxMute = makeToggle(output == 1 ? "SpeedButton_AAUXM" : "SpeedButton_AAUXM", kAuxCaption, 3, 2, 2,
                         &TAudioPanel::SpeedButton_AAUXMClick);
  s.mono = makeToggle("SpeedButton_AMONO", kStereoCaption, 2, 1, 1, &TAudioPanel::SpeedButton_AMONOClick);
  for (QToolButton* b : {s.mute, s.auxMute})
    b->setIcon(ctx_.stylePicture(QStyle::SP_MediaVolume));
}

QRadioButton* TAudioPanel::Radiobutton_audio_ACHAN(int output, int n) const {
  return side(output).channels[idx(n)];
}

// ------------------------------------------------------------ operator

void TAudioPanel::restoreChannels(int output) {
  const uint32_t v = ctx_.link->registerValue(zelvan::regs(output).ACHAN);
  checkOnly(side(output).channelGroup, v >= 1 && v <= 8 ? static_cast<int>(v) : -1);
}

void TAudioPanel::Radiobutton_audio_ACHAN_MouseUp(int output, int tag) {
  ctx_.link->SendRegister(zelvan::regs(output).ACHAN, static_cast<uint32_t>(tag));
  restoreChannels(output);
}

void TAudioPanel::LMDRadioButton_AMODEMouseUp(int output) {
  const int r = zelvan::regs(output).AMODE;
  ctx_.link->SendRegister(r, ctx_.link->registerValue(r) == 1 ? 0u : 1u);
  const QSignalBlocker block(side(output).automatic);
  side(output).automatic->setChecked(ctx_.link->registerValue(r) != 1);
}

void TAudioPanel::SpeedButton_AMUTEClick(int output) {
  const int r = zelvan::regs(output).AMUTE;
  ctx_.link->SendRegister(r, ctx_.link->registerValue(r) ? 0u : 1u);
  Zelvan_d1AMUTEchange(output);
}

void TAudioPanel::SpeedButton_AAUXMClick(int output) {
  const int r = zelvan::regs(output).AAUXM;
  ctx_.link->SendRegister(r, ctx_.link->registerValue(r) ? 0u : 1u);
  Zelvan_d1AAUXMchange(output);
}

void TAudioPanel::SpeedButton_AMONOClick(int output) {
  const int r = zelvan::regs(output).AMONO;
  ctx_.link->SendRegister(r, ctx_.link->registerValue(r) ? 0u : 1u);
  Zelvan_d1AMONOchange(output);
}

void TAudioPanel::levelScroll(bool balance, int n, TScrollCode code, int pos) {
  if (n < 1 || n > 8) return;
  if (channelFlag_) {
    ctx_.link->setPCHAN(static_cast<uint32_t>(n));
    channelFlag_ = false;
  }
  const auto v = static_cast<uint32_t>(std::max(pos, 0));
  if (!balance) {
    ctx_.link->setALEV(v);
  } else {
    if (tampon_->Vide()) Zelvan_d1_ABAL(static_cast<int32_t>(v));
    tampon_->setAjout(static_cast<int32_t>(v));
  }
  QScrollBar* bar = (balance ? balanceBars_ : levelBars_)[idx(n)];
  if (code == scEndScroll) {
    setDragMark(bar, 0);
    channelFlag_ = true;
  } else {
    setDragMark(bar, 1);
  }
}

void TAudioPanel::levelKeyPress(bool balance, int n, QChar key) {
  if (key != QLatin1Char('\r') || n < 1 || n > 8) return;
  QLineEdit* field = (balance ? balanceFields_ : levelFields_)[idx(n)];
  const auto v = readInteger(field->text());
  if (!v) {
    showNotAnInteger(field, field->text());
    return;
  }
  const int r = balance ? Reg::ABAL : Reg::ALEV;
  ctx_.link->setPCHAN(static_cast<uint32_t>(n));
  if (*v >= 0 && *v <= 255) {
    ctx_.link->SendRegister(r, static_cast<uint32_t>(*v));
  } else {
    // Out of range: send input n's own reported value again, so that the
    // device reports it back and the field is refreshed without changing
    // the input's setting.
    ctx_.link->SendRegister(r, ctx_.link->channelValue(r, n));
  }
}

void TAudioPanel::ScrollBar_ALEV_PCHANScroll(int n, TScrollCode code, int pos) { levelScroll(false, n, code, pos); }
void TAudioPanel::Edit_ALEV_PCHANKeyPress(int n, QChar key) { levelKeyPress(false, n, key); }
void TAudioPanel::ScrollBar_ABAL_PCHANScroll(int n, TScrollCode code, int pos) { levelScroll(true, n, code, pos); }
void TAudioPanel::Edit_ABAL_PCHANKeyPress(int n, QChar key) { levelKeyPress(true, n, key); }

void TAudioPanel::Zelvan_d1_ABAL(int32_t value) { ctx_.link->setABAL(static_cast<uint32_t>(std::max(value, 0))); }

// ------------------------------------------------------------ reports

void TAudioPanel::Zelvan_d1ACHANchange(int output) {
  const uint32_t v = ctx_.link->registerValue(zelvan::regs(output).ACHAN);
  if (v >= 1 && v <= 8) checkOnly(side(output).channelGroup, static_cast<int>(v));
}

void TAudioPanel::Zelvan_d1AMODEchange(int output) {
  const bool manual = ctx_.link->registerValue(zelvan::regs(output).AMODE) == 1;
  Side& s = side(output);
  {
    const QSignalBlocker block(s.automatic);
    s.automatic->setChecked(!manual);
  }
  for (QRadioButton* rb : s.channels) rb->setEnabled(manual);
}

void TAudioPanel::Zelvan_d1AMASTchange(int output) { side(output).master->Changed(); }

void TAudioPanel::showToggle(QToolButton* b, bool on, bool glyph) {
  setPressed(b, on);
  if (glyph) {
    b->setProperty("GlyphIndex", on ? 2 : 0);
    b->setIcon(ctx_.stylePicture(on ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
  }
}

void TAudioPanel::Zelvan_d1AMUTEchange(int output) {
  showToggle(side(output).mute, ctx_.link->registerValue(zelvan::regs(output).AMUTE) != 0, true);
}

void TAudioPanel::Zelvan_d1AAUXMchange(int output) {
  showToggle(side(output).auxMute, ctx_.link->registerValue(zelvan::regs(output).AAUXM) != 0, true);
}

void TAudioPanel::Zelvan_d1AMONOchange(int output) {
  const bool mono = ctx_.link->registerValue(zelvan::regs(output).AMONO) != 0;
  showToggle(side(output).mono, mono, false);
  side(output).mono->setText(mono ? kMonoCaption : kStereoCaption);
}

void TAudioPanel::balanceReported() {
  if (!tampon_->Vide()) Zelvan_d1_ABAL(tampon_->ExtraitReadOnly());
}

void TAudioPanel::showLevel(int n, int64_t value) {
  showOnBar(levelBars_[idx(n)], value);
  levelFields_[idx(n)]->setText(QString::number(value));
}

void TAudioPanel::showBalance(int n, int64_t value) {
  showOnBar(balanceBars_[idx(n)], value);
  balanceFields_[idx(n)]->setText(QString::number(value));
}

}  // namespace zelvan::signal
