#include "panel/keying/logo_placement.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QWheelEvent>
#include <algorithm>

#include "app/report_router.h"
#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/keying/framing_window.h"
#include "panel/keying/logo_memories.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"
#include "widgets/ttamponvar.h"

namespace zelvan::keying {

using zelvan::signal::dragMark;
using zelvan::signal::onScroll;
using zelvan::signal::readInteger;
using zelvan::signal::scEndScroll;
using zelvan::signal::setCell;
using zelvan::signal::setDragMark;
using zelvan::signal::setHint;
using zelvan::signal::showNotAnInteger;
using zelvan::signal::TScrollCode;

namespace {

QRect globalRect(const QWidget* w) {
  return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// The picture of the transparency buttons: a small chequer board.
QPixmap transparencyPicture() {
  QPixmap pm(20, 20);
  pm.fill(Qt::white);
  QPainter p(&pm);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      if ((x + y) % 2 == 0) p.fillRect(x * 5, y * 5, 5, 5, QColor(160, 160, 160));
  p.setPen(Qt::black);
  p.drawRect(0, 0, 19, 19);
  return pm;
}

constexpr int kMouseLeft = 8;
constexpr int kMouseLeftRecording = 328;
constexpr int kMouseTop = 100;

}  // namespace

TLogoPlacement::TLogoPlacement(TKeyingContext& ctx, int output, QObject* parent)
    : QObject(parent), ctx_(ctx), output_(output == 1 ? 1 : 2) {
  pointerPosition = [] { return QCursor::pos(); };
  framingAnswered = [](TLogoFramingWindow* w, bool size, bool horizontal) {
    if (size)
      w->sizeAnswered(horizontal);
    else
      w->positionAnswered(horizontal);
  };
}

QString TLogoPlacement::twinName(const char* mainName) const {
  QString name = QString::fromLatin1(mainName);
  if (output_ == 1) return name;
  if (name.endsWith(QLatin1Char('M'))) {
    name[name.size() - 1] = QLatin1Char('P');
    return name;
  }
  return name + QStringLiteral("_P");
}

uint32_t TLogoPlacement::mode() const {
  return ctx_.link->registerValue(zelvan::regs(output_).LMODE);
}

// ------------------------------------------------------------------ build

QWidget* TLogoPlacement::buildGroup(QWidget* parent, const char* name, const QString& title, int x, int y,
                                    int w, int h) {
  auto* g = new QGroupBox(title, parent);
  g->setObjectName(twinName(name));
  g->setGeometry(x, y, w, h);
  g->hide();
  return g;
}

void TLogoPlacement::buildRow(QWidget* group, int y, Paced p, int reg, int minimum, const char* label,
                              const QString& caption, const char* bar, const char* edit, const char* bevel,
                              QList<QWidget*>* controls) {
  auto* bv = new QFrame(group);
  bv->setObjectName(twinName(bevel));
  bv->setFrameShape(QFrame::Box);
  bv->setFrameShadow(QFrame::Sunken);
  bv->setGeometry(6, y - 3, 348, 30);
  auto* l = new QLabel(caption, group);
  l->setObjectName(twinName(label));
  l->setGeometry(12, y + 3, 74, 16);
  auto* b = new QScrollBar(Qt::Horizontal, group);
  b->setObjectName(twinName(bar));
  b->setRange(minimum, 255);
  b->setPageStep(10);
  b->setGeometry(88, y + 2, 196, 18);
  setDragMark(b, 0);
  auto* e = new QLineEdit(group);
  e->setObjectName(twinName(edit));
  e->setGeometry(292, y, 56, 22);

  PacedControl& pc = paced_[size_t(p)];
  pc.reg = reg;
  pc.bar = b;
  pc.edit = e;
  onScroll(b, this, [this, p](QScrollBar*, TScrollCode code, int pos) { pacedScroll(p, code, pos); });
  connect(e, &QLineEdit::returnPressed, this, [this, p] { pacedKeyPress(p); });
  if (controls) *controls << l << b << e << bv;
}

void TLogoPlacement::build(QWidget* page, QWidget* area) {
  (void)page;
  area_ = area;
  const auto& r = zelvan::regs(output_);

  // Buffers pacing the sliders, one per register.
  static const char* const kBufferNames[kPacedCount] = {"LHPOS1", "LVPOS1", "LHPOS2", "LVPOS2",
                                                        "LHPCAP", "LVPCAP", "LHSIZ1", "LVSIZ1"};
  for (int p = 0; p < kPacedCount; ++p) {
    auto* buf = new TTamponVar(this);
    buf->setObjectName(QStringLiteral("Tamponvar_%1%2")
                           .arg(QLatin1String(kBufferNames[p]))
                           .arg(output_ == 1 ? QLatin1Char('M') : QLatin1Char('P')));
    paced_[size_t(p)].buffer = buf;
  }

  // Logo 1: its Mouse button stays outside the group, so that the record
  // logo layout can show it on its own (it then opens the capture window).
  LogoGroup& l1 = logo_[0];
  l1.panel = buildGroup(area, "Panel_logo1_position_M", QStringLiteral("Logo 1"), 8, 4, 360, 92);
  buildRow(l1.panel, 22, HPos1, r.LHPOS1, 0, "Label_lhpos_1M", QStringLiteral("H position"),
           "ScrollBar_hpos_logo_1M", "Edit_lhpos_1M", "Bevel_hpos_logo_1M", &l1.controls);
  buildRow(l1.panel, 58, VPos1, r.LVPOS1, 0, "Label_lvpos_1M", QStringLiteral("V position"),
           "ScrollBar_vpos_logo_1M", "Edit_lvpos_1M", "Bevel_vpos_logo_1M", &l1.controls);
  auto* mouse1 = new QPushButton(QStringLiteral("Mouse"), area);
  mouse1->setObjectName(twinName("BitBtn_mouse_menuitem_cadrelogo_1M"));
  mouse1->setGeometry(kMouseLeft, kMouseTop, 80, 24);
  mouse1->hide();
  l1.mouse = mouse1;
  l1.controls.prepend(mouse1);
  connect(mouse1, &QPushButton::clicked, this, [this] { Logo_by_mouse(1); });

  // Logo 2: hidden as a whole, Mouse button included, outside use mode.
  LogoGroup& l2 = logo_[1];
  l2.panel = buildGroup(area, "Panel_logo2_position_M", QStringLiteral("Logo 2"), 376, 4, 360, 124);
  buildRow(l2.panel, 22, HPos2, r.LHPOS2, 0, "Label_lhpos_2M", QStringLiteral("H position"),
           "ScrollBar_hpos_logo_2M", "Edit_lhpos_2M", "Bevel_hpos_logo_2M", &l2.controls);
  buildRow(l2.panel, 58, VPos2, r.LVPOS2, 0, "Label_lvpos_2M", QStringLiteral("V position"),
           "ScrollBar_vpos_logo_2M", "Edit_lvpos_2M", "Bevel_vpos_logo_2M", &l2.controls);
  auto* mouse2 = new QPushButton(QStringLiteral("Mouse"), l2.panel);
  mouse2->setObjectName(twinName("BitBtn_mouse_menuitem_cadrelogo_2M"));
  mouse2->setGeometry(kMouseLeft, kMouseTop - 4, 80, 24);
  l2.mouse = mouse2;
  l2.controls.prepend(mouse2);
  connect(mouse2, &QPushButton::clicked, this, [this] { Logo_by_mouse(2); });

  // Capture window while recording a logo: its position and its size.
  capturePosition_ =
      buildGroup(area, "Panel_capture_position_M", QStringLiteral("Capture position"), 8, 4, 360, 92);
  buildRow(capturePosition_, 22, HCap, r.LHPCAP, 0, "new_Label_lhpos_1M", QStringLiteral("H position"),
           "new_ScrollBar_hpos_logo_1M", "new_Edit_lhpos_1M", "new_Bevel_hpos_logo_1M", nullptr);
  buildRow(capturePosition_, 58, VCap, r.LVPCAP, 0, "new_Label_lvpos_1M", QStringLiteral("V position"),
           "new_ScrollBar_vpos_logo_1M", "new_Edit_lvpos_1M", "new_Bevel_vpos_logo_1M", nullptr);
  captureSize_ = buildGroup(area, "Panel_capture_size_M", QStringLiteral("Capture size"), 376, 4, 360, 92);
  buildRow(captureSize_, 22, HSiz, r.LHSIZ1, 5, "Label_hsize_logo_1M", QStringLiteral("H size"),
           "new_ScrollBar_hsiz_logo_1M", "Edit_hsize_logo_1M", "Bevel_hsize_logo_1M", nullptr);
  buildRow(captureSize_, 58, VSiz, r.LVSIZ1, 5, "Label_vsize_logo_1M", QStringLiteral("V size"),
           "new_ScrollBar_vsiz_logo_1M", "Edit_vsize_logo_1M", "Bevel_vsize_logo_1M", nullptr);

  // Input picture position and size while recording a frame: the picture
  // adjustment panels put their copies in here.
  picture_ = buildGroup(area, "Panel_record_frame_image_M", QStringLiteral("Input picture"), 8, 4, 728, 124);

  // Output format the keyed memories were recorded in.
  for (int i = 0; i < 2; ++i) {
    auto* l = new QLabel(area);
    l->setObjectName(twinName(i == 0 ? "Label_outformat_logo_1" : "Label_outformat_logo_2"));
    l->setGeometry(8 + 368 * i, 196, 360, 18);
    formatLabels_[size_t(i)] = l;
  }

  buildStrip();
}

void TLogoPlacement::buildStrip() {
  QWidget* strip = ctx_.host->inputStrip(output_);
  if (!strip) return;
  const auto& lefts =
      output_ == 1 ? zelvan::signal::kTransparencyColumnsMixer : zelvan::signal::kTransparencyColumnsMatrix;
  const QPixmap pm = transparencyPicture();
  for (int k = 1; k <= 8; ++k) {
    auto* img = new QLabel(strip);
    img->setObjectName(
        QStringLiteral("Image_Transparence_logo%1_pchan%2").arg(output_ == 1 ? 'M' : 'P').arg(k));
    img->setProperty("Tag", k);
    img->setGeometry(lefts[size_t(k - 1)], 59, 20, 20);
    img->setPixmap(pm);
    img->setToolTip(output_ == 1 ? QStringLiteral("Transparency") : QStringLiteral("Transparence"));
    img->installEventFilter(this);
    pictures_[size_t(k - 1)] = img;
  }
  if (output_ == 1) {
    rowCaptions_ = new QLabel(QStringLiteral(":Frames\r\n\r\n:Logos\r\n\r\n:Display"), strip);
    rowCaptions_->setObjectName(QStringLiteral("new_Label_nmbr_logos"));
    rowCaptions_->setGeometry(662, 0, 72, 80);
  }

  // One slider serves the eight inputs; it hangs below the picture of the
  // input it edits, over whatever lies below the strip.
  QWidget* window = ctx_.host->window(output_);
  transparency_ = new QScrollBar(Qt::Vertical, window ? window : strip);
  transparency_->setObjectName(twinName("LMDScrollBar_Transparence_lptransM"));
  transparency_->setRange(0, 160);
  transparency_->setPageStep(10);
  transparency_->setSingleStep(10);
  transparency_->setProperty("Tag", 0);
  transparency_->resize(20, 120);
  transparency_->hide();
  transparency_->installEventFilter(this);
  connect(transparency_, &QAbstractSlider::actionTriggered, this,
          [this](int) { transparencyScroll(false, transparency_->sliderPosition()); });
  connect(transparency_, &QAbstractSlider::sliderReleased, this,
          [this] { transparencyScroll(true, transparency_->sliderPosition()); });
}

void TLogoPlacement::startUp() {
  if (connected_) return;
  connected_ = true;
  for (int kind = 0; kind < 3; ++kind)
    for (int n = 1; n <= 8; ++n)
      if (TSmallCombo* c = memoryCombo(kind, n))
        connect(c, &TSmallCombo::clicked, this, [this, kind, n] { assignmentClick(kind, n); });
}

void TLogoPlacement::addRoutes(zelvan::app::TReportRouter& router) {
  using zelvan::app::RoutePos;
  const auto& r = zelvan::regs(output_);
  auto add = [&](int reg, const char* handler, auto run) {
    QString name = QString::fromLatin1(handler);
    if (output_ == 2) name.replace(QStringLiteral("Mchange"), QStringLiteral("Pchange"));
    router.add(reg, RoutePos::Keying, QStringLiteral("TLogoPlacement::") + name, run);
  };
  add(r.LMODE, "Zelvan_d1LMODEMchange", [this] { Zelvan_d1LMODEMchange(); });
  add(r.LPLOGO1, "Zelvan_d1LPLOGO1Mchange", [this] { Zelvan_d1LPLOGO1Mchange(); });
  add(r.LPLOGO2, "Zelvan_d1LPLOGO2Mchange", [this] { Zelvan_d1LPLOGO2Mchange(); });
  add(r.LPTRANS, "Zelvan_d1LPTRANSMchange", [this] { Zelvan_d1LPTRANSMchange(); });
  add(r.LHPOS1, "Zelvan_d1LHPOS1Mchange", [this] { pacedReported(HPos1); });
  add(r.LVPOS1, "Zelvan_d1LVPOS1Mchange", [this] { pacedReported(VPos1); });
  add(r.LHPOS2, "Zelvan_d1LHPOS2Mchange", [this] { pacedReported(HPos2); });
  add(r.LVPOS2, "Zelvan_d1LVPOS2Mchange", [this] { pacedReported(VPos2); });
  add(r.LHSIZ1, "Zelvan_d1LHSIZ1Mchange", [this] { pacedReported(HSiz); });
  add(r.LVSIZ1, "Zelvan_d1LVSIZ1Mchange", [this] { pacedReported(VSiz); });
  add(r.LHSIZ2, "Zelvan_d1LHSIZ2Mchange", [this, reg = r.LHSIZ2] { sizeReported(reg); });
  add(r.LVSIZ2, "Zelvan_d1LVSIZ2Mchange", [this, reg = r.LVSIZ2] { sizeReported(reg); });
  add(r.LHPCAP, "Zelvan_d1LHPCAPMchange", [this] { pacedReported(HCap); });
  add(r.LVPCAP, "Zelvan_d1LVPCAPMchange", [this] { pacedReported(VCap); });
  add(r.LOFMT1, "Zelvan_d1LOFMT1Mchange", [this] { Zelvan_d1LOFMTchange(1); });
  add(r.LOFMT2, "Zelvan_d1LOFMT2Mchange", [this] { Zelvan_d1LOFMTchange(2); });
}

// ------------------------------------------------------- paced sliders

void TLogoPlacement::pacedScroll(Paced p, int code, int pos) {
  PacedControl& pc = paced_[size_t(p)];
  if (!pc.buffer) return;
  // One value in flight: the first goes at once, the others wait in the
  // buffer for the device's answers.
  if (pc.buffer->Vide()) ctx_.link->SendRegister(pc.reg, static_cast<uint32_t>(std::max(pos, 0)));
  pc.buffer->setAjout(pos);
  setDragMark(pc.bar, code == scEndScroll ? 0 : 1);
}

void TLogoPlacement::pacedKeyPress(Paced p) {
  const PacedControl& pc = paced_[size_t(p)];
  const auto v = readInteger(pc.edit->text());
  if (!v) {
    showNotAnInteger(pc.edit, pc.edit->text());
    return;
  }
  if (*v < 0 || *v > 255)
    ctx_.link->SendRegister(pc.reg, ctx_.link->registerValue(pc.reg));  // the device shows it again
  else
    ctx_.link->SendRegister(pc.reg, static_cast<uint32_t>(*v));
}

void TLogoPlacement::pacedReported(Paced p) {
  PacedControl& pc = paced_[size_t(p)];
  if (!pc.bar) return;
  const uint32_t v = ctx_.link->registerValue(pc.reg);
  pc.edit->setText(QString::number(v));
  if (dragMark(pc.bar) == 0) zelvan::signal::showOnBar(pc.bar, v);
  answerFramingWindows(pc.reg);
  if (!pc.buffer->Vide())
    ctx_.link->SendRegister(pc.reg, static_cast<uint32_t>(std::max(pc.buffer->ExtraitReadOnly(), 0)));
}

void TLogoPlacement::sizeReported(int reg) {
  answerFramingWindows(reg);
}

void TLogoPlacement::answerFramingWindows(int reg) {
  // Every showing window that draws the register hears the answer: the
  // capture window and the logo 1 window share the logo 1 size, and a
  // window left open would otherwise wait for it for ever.
  for (Framing which : {Framing::Capture, Framing::Logo1, Framing::Logo2}) {
    TLogoFramingWindow* w = ctx_.host->framingWindow(output_, which);
    if (!w || !w->isVisible() || !framingAnswered) continue;
    const TFramingRegisters& fr = w->registers();
    if (fr.hpos == reg) framingAnswered(w, false, true);
    if (fr.vpos == reg) framingAnswered(w, false, false);
    if (fr.hsiz == reg) framingAnswered(w, true, true);
    if (fr.vsiz == reg) framingAnswered(w, true, false);
  }
}

void TLogoPlacement::refreshFraming() {
  for (Framing which : {Framing::Capture, Framing::Logo1, Framing::Logo2}) {
    TLogoFramingWindow* w = ctx_.host->framingWindow(output_, which);
    if (w && w->isVisible()) w->tableau_logo_IASPchange();
  }
}

// ------------------------------------------------------------ assignment

TSmallCombo* TLogoPlacement::memoryCombo(int kind, int input) const {
  return ctx_.host->memoryCombo(output_, kind, input);
}

void TLogoPlacement::assignmentClick(int kind, int k) {
  TSmallCombo* combo = memoryCombo(kind, k);
  if (!combo || k < 1 || k > 8) return;
  const int i = combo->ItemIndex();
  if (i < 0) return;
  const auto& r = zelvan::regs(output_);
  const uint32_t slot1 = ctx_.mirror(output_).slot1[size_t(k)];
  std::vector<std::pair<int, uint32_t>> writes;
  switch (kind) {
    case 0:  // frame
      if (i == 0) {
        if (isFrameMemory(slot1)) writes.push_back({r.LPLOGO1, 0});
      } else if (i <= 6) {
        const int memory = ctx_.host->memoryAt(0, i);
        if (memory > 0) writes = {{r.LPLOGO1, uint32_t(memory)}, {r.LPLOGO2, 0}};
      }
      break;
    case 1:  // first logo
      if (i == 0) {
        if (isLogoMemory(slot1)) writes.push_back({r.LPLOGO1, 0});
      } else if (i <= 8) {
        writes.push_back({r.LPLOGO1, uint32_t(i + 2)});
      }
      break;
    default:  // second logo
      if (i == 0) {
        writes.push_back({r.LPLOGO2, 0});
      } else if (i <= 8) {
        if (isFrameMemory(slot1)) writes.push_back({r.LPLOGO1, 0});
        writes.push_back({r.LPLOGO2, uint32_t(i + 2)});
      }
      break;
  }
  if (writes.empty() || !ctx_.link->Connected()) {
    // Nothing goes to the device: the lists show what the input holds.
    restoreCombos(k);
    return;
  }
  ctx_.link->setPCHAN(static_cast<uint32_t>(k));
  for (const auto& [reg, value] : writes) ctx_.link->SendRegister(reg, value);
}

void TLogoPlacement::restoreCombos(int k) {
  const TInputKeying& m = ctx_.mirror(output_);
  const uint32_t s1 = m.slot1[size_t(k)];
  const uint32_t s2 = m.slot2[size_t(k)];
  if (TSmallCombo* c = memoryCombo(0, k)) c->SetItemIndex(frameNumber(s1));
  if (TSmallCombo* c = memoryCombo(1, k)) c->SetItemIndex(isLogoMemory(s1) ? int(s1) - 2 : 0);
  if (TSmallCombo* c = memoryCombo(2, k)) c->SetItemIndex(isLogoMemory(s2) ? int(s2) - 2 : 0);
}

std::vector<int> TLogoPlacement::reportedInputs() const {
  const int p = ctx_.pchan();
  if (p == 0) return {1, 2, 3, 4, 5, 6, 7, 8};
  if (p >= 1 && p <= 8) return {p};
  return {};
}

void TLogoPlacement::slot1Shown(int k, uint32_t v) {
  TSmallCombo* frame = memoryCombo(0, k);
  TSmallCombo* logo1 = memoryCombo(1, k);
  TSmallCombo* logo2 = memoryCombo(2, k);
  if (!frame || !logo1 || !logo2) return;
  if (v <= 2) {
    frame->SetItemIndex(int(v));
    logo1->SetItemIndex(0);
    if (v != 0) logo2->SetItemIndex(0);
  } else if (v >= 11 && v <= 14) {
    frame->SetItemIndex(int(v) - 8);
    logo1->SetItemIndex(0);
    logo2->SetItemIndex(0);
  } else if (v <= 10) {
    frame->SetItemIndex(0);
    logo1->SetItemIndex(int(v) - 2);
  }
}

void TLogoPlacement::slot2Shown(int k, uint32_t v) {
  TSmallCombo* frame = memoryCombo(0, k);
  TSmallCombo* logo2 = memoryCombo(2, k);
  if (!frame || !logo2) return;
  if (v == 0) {
    logo2->SetItemIndex(0);
  } else if (isLogoMemory(v)) {
    if (logo2->ItemIndex() == 0) frame->SetItemIndex(0);
    logo2->SetItemIndex(int(v) - 2);
  }
}

void TLogoPlacement::Zelvan_d1LPLOGO1Mchange() {
  const uint32_t v = ctx_.link->registerValue(zelvan::regs(output_).LPLOGO1);
  TInputKeying& m = ctx_.mirror(output_);
  // A report while PCHAN is 0 is what the device applies to every input.
  if (ctx_.pchan() == 0) m.slot1[0] = v;
  for (int k : reportedInputs()) {
    m.slot1[size_t(k)] = v;
    slot1Shown(k, v);
  }
  ctx_.host->refreshInputHints();
  cacheropenclose_cadrelogo();
}

void TLogoPlacement::Zelvan_d1LPLOGO2Mchange() {
  const uint32_t v = ctx_.link->registerValue(zelvan::regs(output_).LPLOGO2);
  TInputKeying& m = ctx_.mirror(output_);
  if (ctx_.pchan() == 0) m.slot2[0] = v;
  for (int k : reportedInputs()) {
    m.slot2[size_t(k)] = v;
    slot2Shown(k, v);
  }
  ctx_.host->refreshInputHints();
  cacheropenclose_cadrelogo();
}

// ---------------------------------------------------------- transparency

uint32_t TLogoPlacement::transparencyOf(int k) const {
  if (k < 0 || k > 8) return 0;
  return ctx_.mirror(output_).transparency[size_t(k)];
}

void TLogoPlacement::setTransparencyHint() {
  const int k = transparency_->property("Tag").toInt();
  setHint(transparency_, QString::number(transparencyOf(k)));
}

void TLogoPlacement::Image_Transparence_logo_pchanMouseDown(int k) {
  if (!transparency_ || k < 1 || k > 8) return;
  const bool showingForK = !transparency_->isHidden() && transparency_->property("Tag").toInt() == k;
  if (showingForK) {
    transparency_->hide();
    return;
  }
  QLabel* img = pictures_[size_t(k - 1)];
  QWidget* parent = transparency_->parentWidget();
  if (img && parent) transparency_->move(parent->mapFromGlobal(img->mapToGlobal(QPoint(0, img->height()))));
  transparency_->setProperty("Tag", k);
  zelvan::signal::showOnBar(transparency_, std::min<uint32_t>(transparencyOf(k), 16) * 10);
  setTransparencyHint();
  transparency_->show();
  transparency_->raise();
}

void TLogoPlacement::transparencyScroll(bool released, int pos) {
  const int k = transparency_->property("Tag").toInt();
  if (k < 1 || k > 8) return;
  if (ctx_.pchan() != k) ctx_.link->setPCHAN(static_cast<uint32_t>(k));
  ctx_.link->SendRegister(zelvan::regs(output_).LPTRANS, static_cast<uint32_t>(std::max(pos, 0) / 10));
  transparencyDragged_ = true;
  setTransparencyHint();
  if (released) transparency_->hide();
}

void TLogoPlacement::transparencyWheel(int delta) {
  const int k = transparency_->property("Tag").toInt();
  if (k < 1 || k > 8 || delta == 0) return;
  // The device keeps 0..16; a wheel step never leaves that range.
  const uint32_t v = std::min<uint32_t>(transparencyOf(k), 16);
  const bool up = delta < 0;
  if ((up && v < 16) || (!up && v > 0)) {
    if (ctx_.pchan() != k) ctx_.link->setPCHAN(static_cast<uint32_t>(k));
    ctx_.link->SendRegister(zelvan::regs(output_).LPTRANS, up ? v + 1 : v - 1);
  }
  setTransparencyHint();
  transparencyDragged_ = false;
}

void TLogoPlacement::Zelvan_d1LPTRANSMchange() {
  const uint32_t v = ctx_.link->registerValue(zelvan::regs(output_).LPTRANS);
  TInputKeying& m = ctx_.mirror(output_);
  if (ctx_.pchan() == 0) m.transparency[0] = v;
  for (int k : reportedInputs()) m.transparency[size_t(k)] = v;
  if (!transparency_) return;
  setTransparencyHint();
  if (!transparencyDragged_) {
    const int k = transparency_->property("Tag").toInt();
    zelvan::signal::showOnBar(transparency_, std::min<uint32_t>(transparencyOf(k), 16) * 10);
  }
}

void TLogoPlacement::transparencyTick() {
  if (!transparency_ || transparency_->isHidden()) return;
  const QPoint pos = pointerPosition ? pointerPosition() : QCursor::pos();
  const int k = transparency_->property("Tag").toInt();
  bool keep = globalRect(transparency_).contains(pos);
  if (k >= 1 && k <= 8 && pictures_[size_t(k - 1)])
    keep = keep || globalRect(pictures_[size_t(k - 1)]).contains(pos);
  if (!keep) transparency_->hide();
}

bool TLogoPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == transparency_) {
    if (event->type() == QEvent::Wheel) {
      transparencyWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
      return true;
    }
    if (event->type() == QEvent::Leave) transparencyDragged_ = false;
    return false;
  }
  if (event->type() == QEvent::MouseButtonPress) {
    for (int k = 1; k <= 8; ++k)
      if (watched == pictures_[size_t(k - 1)]) {
        Image_Transparence_logo_pchanMouseDown(k);
        return true;
      }
  }
  return false;
}

// ------------------------------------------------------------------ page

void TLogoPlacement::Zelvan_d1LOFMTchange(int which) {
  const auto& r = zelvan::regs(output_);
  const uint32_t code = ctx_.link->registerValue(which == 1 ? r.LOFMT1 : r.LOFMT2);
  QString caption, rate;
  if (code < uint32_t(zelvan::signal::kFormatRateCodes)) {
    const auto row = zelvan::signal::formatRateRow(0, int(code));
    const auto& captions =
        output_ == 1 ? zelvan::signal::kFormatCaptionsMain : zelvan::signal::kFormatCaptionsPreview;
    if (row.format >= 0 && row.format < zelvan::signal::kFormatCount)
      caption = QString::fromLatin1(captions[size_t(row.format)]);
    if (row.rate >= 0 && row.rate < zelvan::signal::kRateCount)
      rate = QString::fromLatin1(zelvan::signal::kRateTexts[size_t(row.rate)]);
  }
  if (QLabel* l = formatLabels_[size_t(which - 1)]) l->setText(caption + QLatin1Char(' ') + rate);
  QTableWidget* grid = ctx_.host->statusGrid(output_);
  const int row = which == 1 ? 11 : 12;
  setCell(grid, row, 1, caption);
  setCell(grid, row, 2, rate);
}

void TLogoPlacement::refreshFormatRows() {
  Zelvan_d1LOFMTchange(1);
  Zelvan_d1LOFMTchange(2);
}

QAbstractButton* TLogoPlacement::displayButton(int k) const {
  QWidget* strip = ctx_.host->inputStrip(output_);
  if (!strip) return nullptr;
  const QString name =
      output_ == 1 ? QStringLiteral("BitBtn_Input_%1").arg(k) : QStringLiteral("BitBtn_Input_ichp_%1").arg(k);
  return strip->window()->findChild<QAbstractButton*>(name);
}

void TLogoPlacement::Zelvan_d1LMODEMchange() {
  if (!area_) return;
  const uint32_t m = mode();
  QWidget* strip = ctx_.host->inputStrip(output_);
  QAbstractButton* store =
      ctx_.memories[size_t(output_ - 1)] ? ctx_.memoriesOf(output_).storeButton() : nullptr;

  // Everything off first.
  if (strip) strip->setEnabled(true);
  paced_[HPos1].edit->setEnabled(true);
  paced_[VPos1].edit->setEnabled(true);
  if (rowCaptions_) rowCaptions_->setEnabled(false);
  if (ctx_.setCombosEnabled) ctx_.setCombosEnabled(output_, false);
  for (QWidget* g : {logo_[0].panel, static_cast<QWidget*>(logo_[0].mouse), logo_[1].panel, capturePosition_,
                     captureSize_, picture_})
    g->hide();
  if (store) store->hide();
  for (int k = 1; k <= 8; ++k)
    if (QAbstractButton* b = displayButton(k)) b->setEnabled(false);
  if (ctx_.common) ctx_.common->layoutForMode(output_, m);

  switch (m) {
    case 0:
      if (ctx_.setCombosEnabled) ctx_.setCombosEnabled(output_, true);
      if (rowCaptions_) rowCaptions_->setEnabled(true);
      for (int k = 1; k <= 8; ++k)
        if (QAbstractButton* b = displayButton(k)) b->setEnabled(true);
      logo_[0].panel->show();
      logo_[0].mouse->move(kMouseLeft, kMouseTop);
      logo_[0].mouse->show();
      logo_[1].panel->show();
      break;
    case 1:
      if (strip) strip->setEnabled(false);
      // The logo 1 Mouse button opens the capture window in this mode.
      logo_[0].mouse->move(kMouseLeftRecording, kMouseTop);
      logo_[0].mouse->show();
      capturePosition_->show();
      captureSize_->show();
      if (store) {
        store->setText(QStringLiteral("STORE"));
        store->show();
      }
      break;
    case 2:
      picture_->show();
      if (store) store->show();
      break;
    default:
      break;
  }

  // The store list closes, except in erase mode where the mode tabs have
  // just opened it.
  if (m != 3 && ctx_.memories[size_t(output_ - 1)]) {
    if (QComboBox* list = ctx_.memoriesOf(output_).storeList()) {
      list->hidePopup();
      list->hide();
    }
  }
  cacheropenclose_cadrelogo();
  if (m == 1)
    if (TLogoFramingWindow* w = ctx_.host->framingWindow(output_, Framing::Logo1))
      w->tableau_logo_IASPchange();
}

void TLogoPlacement::cacheropenclose_cadrelogo() {
  if (!area_) return;
  const uint32_t m = mode();
  const uint32_t ich = ctx_.link->registerValue(zelvan::regs(output_).ICH);
  const TInputKeying& mirror = ctx_.mirror(output_);
  for (int g = 0; g < 2; ++g) {
    const bool keyed =
        ich >= 1 && ich <= 8 && isLogoMemory(g == 0 ? mirror.slot1[size_t(ich)] : mirror.slot2[size_t(ich)]);
    LogoGroup& group = logo_[size_t(g)];
    if (m == 1 || (m == 0 && keyed)) {
      for (QWidget* w : group.controls) {
        w->setEnabled(true);
        w->show();
      }
      continue;
    }
    if (m == 0) {
      for (QWidget* w : group.controls) {
        w->show();
        w->setEnabled(false);
      }
    } else {
      group.mouse->hide();
    }
    TLogoFramingWindow* w = ctx_.host->framingWindow(output_, g == 0 ? Framing::Logo1 : Framing::Logo2);
    if (w && w->isVisible()) w->close();
  }
}

void TLogoPlacement::Logo_by_mouse(int which) {
  Framing f = Framing::Logo2;
  if (which == 1) f = mode() == 1 ? Framing::Capture : Framing::Logo1;
  TLogoFramingWindow* w = ctx_.host->framingWindow(output_, f);
  if (!w) return;
  w->setCentreOver(ctx_.host->window(1));
  w->show();
}

}  // namespace zelvan::keying
