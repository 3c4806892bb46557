#include "panel/signal/input_row.h"

#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "device/zelvan_d.h"
#include "panel/signal/input_table.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_tables.h"

namespace zelvan::signal {

namespace {
// Strip columns of input 1..8 in Mixer mode.
constexpr const std::array<int, 8>& kColumns = kStripColumnsMixer;
constexpr int kStripLeft = 1;
constexpr int kStripTop = 37;
// The Black button, right of input 8.
constexpr int kBlackLeft = 666;
constexpr int kBlackWidth = 70;
}  // namespace

TInputRow::TInputRow(TSignalContext& ctx, QWidget* Panel_ichmp, QWidget* switchArea)
    : QObject(Panel_ichmp), ctx_(ctx) {
  // Input buttons 1..8 above their strip columns, Black at the right end,
  // in a row of their own that covers Panel_ichmp's top left corner (so the
  // buttons keep their places in Panel_ichmp's coordinates).
  buttonRow_ = new QWidget(Panel_ichmp);
  buttonRow_->setObjectName(QStringLiteral("Panel_input_buttons"));
  buttonRow_->setGeometry(0, 0, kStripLeft + kBlackLeft + kBlackWidth, kStripTop - 1);
  for (int n = 0; n <= 8; ++n) {
    auto* b = new QPushButton(n == 0 ? QStringLiteral("Black") : QStringLiteral("Input %1").arg(n), buttonRow_);
    b->setObjectName(QStringLiteral("label_input%1").arg(n));
    b->setProperty("Tag", n);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (n == 0)
      b->setGeometry(kStripLeft + kBlackLeft, 2, kBlackWidth, 32);
    else
      b->setGeometry(kStripLeft + kColumns[static_cast<size_t>(n - 1)], 2, 78, 32);
    b->setMouseTracking(true);
    b->installEventFilter(this);
    connect(b, &QPushButton::clicked, this, [this, n] { label_Switcher_inputClick(n); });
    setCaption(b, colorWindowText(), false);
    inputs_[static_cast<size_t>(n)] = b;
  }

  strip_ = new QFrame(Panel_ichmp);
  strip_->setObjectName(QStringLiteral("new_Panel1"));
  strip_->setGeometry(kStripLeft, kStripTop, 736, 80);
  strip_->setFrameShape(QFrame::NoFrame);
  for (int n = 1; n <= 8; ++n) {
    auto* d = new QPushButton(QStringLiteral("ON"), strip_);
    d->setObjectName(QStringLiteral("BitBtn_Input_%1").arg(n));
    d->setProperty("Tag", n);
    d->setGeometry(kColumns[static_cast<size_t>(n - 1)], 59, 56, 20);
    d->setToolTip(QStringLiteral("Logo / frame\r\ndisplay:"));
    connect(d, &QPushButton::clicked, this, [this, n] { BitBtn_InputClick(n); });
    displays_[static_cast<size_t>(n - 1)] = d;
  }

  QWidget* area = switchArea ? switchArea : Panel_ichmp;
  pipMain_ = new QToolButton(area);
  pipMain_->setObjectName(QStringLiteral("SpeedButton_pippop_main"));
  pipMain_->setText(QStringLiteral("Switch\nMain"));
  pipPreview_ = new QToolButton(area);
  pipPreview_->setObjectName(QStringLiteral("SpeedButton_pippop_preview"));
  pipPreview_->setText(QStringLiteral("Switch\nPreview"));
  int y = 2;
  for (QToolButton* t : {pipMain_, pipPreview_}) {
    t->setCheckable(true);
    t->setEnabled(false);
    if (!switchArea) {
      t->setGeometry(kStripLeft + 745, y, 100, 32);
      y += 40;
    } else {
      addToPage(switchArea, t);
    }
    setCaption(t, colorWindowText(), false);
  }
  // At most one of the two is down.
  connect(pipMain_, &QToolButton::toggled, this, [this](bool on) {
    if (on) setPressed(pipPreview_, false);
  });
  connect(pipPreview_, &QToolButton::toggled, this, [this](bool on) {
    if (on) setPressed(pipMain_, false);
  });

  pipTimer_ = new QTimer(this);
  pipTimer_->setObjectName(QStringLiteral("Timer_pippop"));
  pipTimer_->setSingleShot(true);
  pipTimer_->setInterval(5000);
  connect(pipTimer_, &QTimer::timeout, this, [this] { releasePipSwitches(); });
}

void TInputRow::setPipSwitchInterval(int ms) { pipTimer_->setInterval(ms > 0 ? ms : 1); }

void TInputRow::restartPipSwitchTimer() {
  pipTimer_->stop();
  pipTimer_->start();
}

void TInputRow::releasePipSwitches() {
  pipTimer_->stop();
  for (QToolButton* t : {pipMain_, pipPreview_}) {
    setPressed(t, false);
    setCaption(t, colorWindowText(), false);
  }
}

QString TInputRow::inputCaption(int n) const {
  if (n < 0 || n > 8) return {};
  return inputs_[static_cast<size_t>(n)]->text();
}

QAbstractButton* TInputRow::matrixButton(int row, int n) const {
  if (n < 0 || n > 8) return nullptr;
  return ctx_.matrixInput(row, n);
}

bool TInputRow::pipOnAir() const {
  const uint32_t e = ctx_.link->EFFECT();
  const bool pip = e == 2 || e == 3 || e == 4 || e == 5 || e == 14;
  return pip && ctx_.link->TAKE();
}

// ------------------------------------------------------------ operator

void TInputRow::label_Switcher_inputClick(int n) {
  if (n < 0 || n > 8) return;
  if (pipOnAir()) {
    if (pipMain_->isChecked()) {
      ctx_.link->setICHNM(static_cast<uint32_t>(n));
      pipTimer_->stop();
      pipTimer_->start();
    } else if (pipPreview_->isChecked()) {
      ctx_.link->setICHNP(static_cast<uint32_t>(n));
      pipTimer_->stop();
      pipTimer_->start();
    }
  } else {
    ctx_.link->setICHNP(static_cast<uint32_t>(n));
  }
  // The row shows the device's state, not the local toggle of the button.
  Zelvan_d1ICHMchange();
}

void TInputRow::label_input1MouseUp(int n, Qt::MouseButton button, const QPoint& globalPos) {
  if (button != Qt::RightButton || n < 1 || n > 8) return;
  ctx_.host->popupRenameMenu(n, globalPos);
}

void TInputRow::label_input1MouseMove(int n) {
  if (n < 1 || n > 8) return;
  suffix_.clear();
  if (static_cast<uint32_t>(n) == ctx_.link->ICHP()) {
    QStringList rows;
    const QTableWidget* g = ctx_.grid(2);
    for (int r = 0; r <= 5; ++r)
      rows << (cell(g, r, 0) + QLatin1Char(' ') + cell(g, r, 1) + QLatin1Char(' ') + cell(g, r, 2));
    suffix_ = QStringLiteral("\r\n------------------------------------------\r\n") + rows.join(QStringLiteral("\r\n"));
  }
  hinthinthint_ichm();
}

void TInputRow::BitBtn_InputClick(int n) {
  if (n < 1 || n > 8) return;
  ctx_.link->setPCHAN(static_cast<uint32_t>(n));
  ctx_.link->setLDISPLAYM(!ctx_.table.displayMain[static_cast<size_t>(n)]);
}

void TInputRow::BitBtn_Input_output2_Click(int n) {
  if (n < 1 || n > 8) return;
  ctx_.link->setPCHAN(static_cast<uint32_t>(n));
  ctx_.link->setLDISPLAYP(!ctx_.table.displayPreview[static_cast<size_t>(n)]);
}

bool TInputRow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove) {
    const int n = watched->property("Tag").toInt();
    auto* me = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseMove)
      label_input1MouseMove(n);
    else
      label_input1MouseUp(n, me->button(), me->globalPosition().toPoint());
  }
  return false;
}

// ------------------------------------------------------------ shared routines

void TInputRow::label_input_0a8_font_Style_empty() {
  for (QPushButton* b : inputs_) setFontStyle(b, false);
}

void TInputRow::Label_input_0a8_font_Color_clWindowText() {
  for (QPushButton* b : inputs_) setCaptionColor(b, colorWindowText());
}

void TInputRow::CASE_Zelvan_d1_ICHM_of_0_8_Label_input_0_8_Font_Style__fsBold__Color_COLOR_BTN_MAIN() {
  const uint32_t m = ctx_.link->ICHM();
  if (m > 8) return;
  setCaption(inputs_[m], colorMain(), true);
}

void TInputRow::hinthinthint_ichm() {
  for (int n = 1; n <= 8; ++n) {
    const QString frame = ctx_.host->memoryListText(0, n);
    const QString logo1 = ctx_.host->memoryListText(1, n);
    const QString logo2 = ctx_.host->memoryListText(2, n);
    setHint(inputs_[static_cast<size_t>(n)], QStringLiteral(" FRAME  : ") + frame + QStringLiteral("\r\n1: LOGO : ") +
                                                 logo1 + QStringLiteral("\r\n2: LOGO : ") + logo2 + suffix_);
    ctx_.host->setMemoryListHint(0, n, frame);
    ctx_.host->setMemoryListHint(1, n, logo1);
    ctx_.host->setMemoryListHint(2, n, logo2);
  }
}

// ------------------------------------------------------------ reports

void TInputRow::Zelvan_d1ICHMchange() {
  const uint32_t m = ctx_.link->ICHM();
  for (int n = 0; n <= 8; ++n) {
    setCaption(inputs_[static_cast<size_t>(n)], colorWindowText(), false);
    if (QAbstractButton* mb = matrixButton(1, n)) setCaption(mb, colorWindowText(), false);
  }
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->setLogoTabAvailable(1, true);
  if (m == 0) {
    setPressed(inputs_[0], true);
    setCaption(inputs_[0], colorMain(), true);
    if (QAbstractButton* mb = matrixButton(1, 0)) {
      setPressed(mb, true);
      setCaption(mb, colorMain(), true);
    }
    setCell(ctx_.StringGrid1, 1, 1, QStringLiteral("   No input"));
    setCell(ctx_.StringGrid1, 1, 2, QStringLiteral("select"));
    if (TKeyingPeer* keying = ctx_.peers.keying) keying->setLogoTabAvailable(1, false);
  } else if (m <= 8) {
    setHint(pipMain_, inputCaption(static_cast<int>(m)));
    setPressed(inputs_[m], true);
    setCaption(inputs_[m], colorMain(), true);
    if (QAbstractButton* mb = matrixButton(1, static_cast<int>(m))) {
      setPressed(mb, true);
      setCaption(mb, colorMain(), true);
    }
    setCell(ctx_.StringGrid1, 1, 1, inputCaption(static_cast<int>(m)));
    setCell(ctx_.StringGrid1, 1, 2, QString());
  }
  for (int n = 0; n <= 8; ++n) {
    if (static_cast<uint32_t>(n) == m) continue;
    setPressed(inputs_[static_cast<size_t>(n)], false);
    setPressed(matrixButton(1, n), false);
  }
  ctx_.refreshStatus(1);
  ctx_.afichoupalmenimag();
  ctx_.affichage_sync(1);
  ctx_.host->refreshInputLabels();
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->refreshLogoIndicators(1);
}

void TInputRow::Zelvan_d1ICHPchange() {
  const uint32_t p = ctx_.link->ICHP();
  Label_input_0a8_font_Color_clWindowText();
  for (int n = 0; n <= 8; ++n)
    if (QAbstractButton* mb = matrixButton(2, n)) setCaption(mb, colorWindowText(), false);
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->setLogoTabAvailable(2, true);
  QTableWidget* g2 = ctx_.grid(2);
  if (p == 0) {
    setCaptionColor(inputs_[0], colorPreview());
    if (QAbstractButton* mb = matrixButton(2, 0)) {
      setPressed(mb, true);
      setCaption(mb, colorMain(), true);
    }
    setCell(g2, 1, 1, QStringLiteral("   No input"));
    setCell(g2, 1, 2, QStringLiteral("select"));
    if (TKeyingPeer* keying = ctx_.peers.keying) keying->setLogoTabAvailable(2, false);
  } else if (p <= 8) {
    setHint(pipPreview_, inputCaption(static_cast<int>(p)));
    setCaptionColor(inputs_[p], colorPreview());
    if (QAbstractButton* mb = matrixButton(2, static_cast<int>(p))) {
      setPressed(mb, true);
      setCaption(mb, colorMain(), true);
    }
    setCell(g2, 1, 1, inputCaption(static_cast<int>(p)));
    setCell(g2, 1, 2, QString());
  }
  for (int n = 0; n <= 8; ++n)
    if (static_cast<uint32_t>(n) != p) setPressed(matrixButton(2, n), false);
  CASE_Zelvan_d1_ICHM_of_0_8_Label_input_0_8_Font_Style__fsBold__Color_COLOR_BTN_MAIN();
  ctx_.refreshStatus(2);
  ctx_.afichoupalmenimag();
  ctx_.affichage_sync(2);
}

void TInputRow::Zelvan_d1ICHNPchange() {
  label_input_0a8_font_Style_empty();
  if (static_cast<uint32_t>(lastPendingPreview_) != ctx_.link->ICHP() && lastPendingPreview_ >= 0 &&
      lastPendingPreview_ <= 8) {
    setCaptionColor(inputs_[static_cast<size_t>(lastPendingPreview_)], colorWindowText());
    if (QAbstractButton* mb = matrixButton(2, lastPendingPreview_)) setCaption(mb, colorWindowText(), false);
  }
  CASE_Zelvan_d1_ICHM_of_0_8_Label_input_0_8_Font_Style__fsBold__Color_COLOR_BTN_MAIN();
}

// ------------------------------------------------------------ tick

void TInputRow::flipBoldPreview(QWidget* w) {
  if (!w) return;
  if (isBold(w))
    setCaption(w, colorWindowText(), false);
  else
    setCaption(w, colorPreview(), true);
}

void TInputRow::cligno_matrix_output1_et_output2() {
  const uint32_t ichm = ctx_.link->ICHM();
  const uint32_t ichnm = ctx_.link->ICHNM();
  const uint32_t ichp = ctx_.link->ICHP();
  const uint32_t ichnp = ctx_.link->ICHNP();
  if (static_cast<uint32_t>(lastPendingMain_) != ichnm)
    if (QAbstractButton* b = matrixButton(1, lastPendingMain_)) setCaption(b, colorWindowText(), false);
  if (ichnm != ichm && ichnm <= 8) flipBoldPreview(matrixButton(1, static_cast<int>(ichnm)));
  if (ichnp != ichp && ichnp <= 8) flipBoldPreview(matrixButton(2, static_cast<int>(ichnp)));
}

void TInputRow::remember_pending_main() {
  const uint32_t ichnm = ctx_.link->ICHNM();
  if (ichnm != ctx_.link->ICHM()) lastPendingMain_ = static_cast<int>(std::min<uint32_t>(ichnm, 0x7FFFFFFF));
}

void TInputRow::cligno_inputs() {
  const uint32_t ichm = ctx_.link->ICHM();
  const uint32_t ichp = ctx_.link->ICHP();
  const uint32_t ichnp = ctx_.link->ICHNP();
  if (ichp == ichnp) {
    if (ichp > 8) return;
    QPushButton* b = inputs_[ichp];
    if (ichp == ichm) {
      // On Main and Preview: red and green in turn, always bold.
      setCaption(b, captionColor(b) == colorMain() ? colorPreview() : colorMain(), true);
    } else {
      flipBoldPreview(b);
    }
  } else if (ichnp != ichm) {
    if (ichnp <= 8) {
      QPushButton* b = inputs_[ichnp];
      setCaptionColor(b, captionColor(b) == colorPending() ? colorWindowText() : colorPending());
    }
    lastPendingPreview_ = static_cast<int>(std::min<uint32_t>(ichnp, 0x7FFFFFFF));
  }
}

void TInputRow::tick() {
  if (ctx_.link->MTRXMOD() || ctx_.link->EDSEB()) cligno_matrix_output1_et_output2();
  remember_pending_main();
  cligno_inputs();
}

void TInputRow::cligno_pippop() {
  if (pipOnAir()) {
    for (QToolButton* t : {pipMain_, pipPreview_}) {
      if (!t->isChecked()) continue;
      if (isBold(t))
        setCaption(t, colorGreen(), false);
      else
        setCaption(t, colorWindowText(), true);
    }
  } else {
    for (QToolButton* t : {pipMain_, pipPreview_}) setCaption(t, colorWindowText(), false);
  }
}

}  // namespace zelvan::signal
