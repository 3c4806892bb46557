#include "panel/keying/framing_window.h"

#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

#include "device/catalogue.h"
#include "device/zelvan_d.h"

namespace zelvan::keying {

namespace {

// The paint box in mode 1 and above: the capture area, one pixel per step.
constexpr int kArea = 257;
// Picture height of a 16:9 input in that area, and the band above and
// below it: half of 257 - 191, rounded up.
constexpr int kBand = 33;

// Families of 16:9 signals (and family 17 at aspect 2) do not fill the
// 4:3 area: bands show where the input picture does not reach.
bool hasBands(uint32_t family, uint32_t aspect) {
  return family > 24 || (family == 17 && aspect == 2);
}

bool leftOnly(const QMouseEvent* e) {
  return e->buttons() == Qt::LeftButton && e->modifiers() == Qt::NoModifier;
}

Qt::CursorShape shapeOf(FramingCursor c) {
  switch (c) {
    case FramingCursor::Hand:
      return Qt::PointingHandCursor;
    case FramingCursor::FourWay:
      return Qt::SizeAllCursor;
    case FramingCursor::SizeHorizontal:
      return Qt::SizeHorCursor;
    case FramingCursor::SizeVertical:
      return Qt::SizeVerCursor;
    case FramingCursor::Arrow:
      break;
  }
  return Qt::ArrowCursor;
}

// The outline (and fill, with the current brush) of the box from (x1, y1)
// to (x2, y2), the far edges excluded, as the paint box's canvas draws it.
void rectangle(QPainter& p, int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// A hatched band from (x1, y1) to (x2, y2), the far edges excluded; an
// empty or inverted band draws nothing.
void band(QPainter& p, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  if (x2 <= x1 || y2 <= y1) return;
  p.fillRect(QRect(int(x1), int(y1), int(x2 - x1), int(y2 - y1)), QBrush(Qt::black, Qt::BDiagPattern));
}

}  // namespace

// The paint box: draws the area and the rectangle and hands the mouse to
// its window's drag.
class TFramingPaintBox : public QWidget {
 public:
  explicit TFramingPaintBox(TLogoFramingWindow* owner) : QWidget(owner), owner_(owner) {
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    owner_->PaintBox1Paint(p);
  }
  void mousePressEvent(QMouseEvent* e) override { owner_->PaintBox1MouseDown(e); }
  void mouseMoveEvent(QMouseEvent* e) override { owner_->PaintBox1MouseMove(e); }
  void mouseReleaseEvent(QMouseEvent* e) override { owner_->PaintBox1MouseUp(e); }

 private:
  TLogoFramingWindow* owner_;
};

TLogoFramingWindow::TLogoFramingWindow(TZelvan_d* link, const TFramingRegisters& regs, const QString& caption,
                                       QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      link_(link),
      regs_(regs),
      drag_(
          {regs.hpos, regs.vpos, regs.hsiz, regs.vsiz, regs.mode},
          [this](int reg) { return link_ ? link_->registerValue(reg) : 0u; },
          [this](int reg, uint32_t value) {
            if (link_) link_->SendRegister(reg, value);
          }) {
  setWindowTitle(caption);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);

  PaintBox1 = new TFramingPaintBox(this);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->move(0, 0);
  Label_x = new QLabel(QStringLiteral("H :=....."), this);
  Label_x->setObjectName(QStringLiteral("Label_x"));
  Label_x->hide();
  Label_y = new QLabel(QStringLiteral("V :=....."), this);
  Label_y->setObjectName(QStringLiteral("Label_y"));
  Label_y->hide();

  drag_.reset();
  refresh();
}

void TLogoFramingWindow::setCentreOver(QWidget* w) {
  centreOver_ = w;
}

void TLogoFramingWindow::positionAnswered(bool horizontal) {
  drag_.answered(horizontal ? TFramingDrag::HPos : TFramingDrag::VPos);
  cadragereception();
}

void TLogoFramingWindow::sizeAnswered(bool horizontal) {
  drag_.answered(horizontal ? TFramingDrag::HSize : TFramingDrag::VSize);
  cadragereception();
}

void TLogoFramingWindow::tableau_logo_IASPchange() {
  refresh();
}

void TLogoFramingWindow::cadragereception() {
  drag_.cadragereception();
  refresh();
}

QSize TLogoFramingWindow::paintBoxSize() const {
  const TFramingGeometry g = drag_.geometry();
  if (g.mode == 0) return {g.sh + kArea, g.sv + kArea};
  return {kArea, kArea};
}

void TLogoFramingWindow::refresh() {
  // Sized here, never while painting: resizing inside a paint event would
  // paint again from inside the paint.
  const QSize box = paintBoxSize();
  if (PaintBox1->size() != box) {
    PaintBox1->setFixedSize(box);
    setFixedSize(box);
  }
  PaintBox1->update();
}

void TLogoFramingWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  drag_.reset();
  applyCursor();
  cadragereception();
  centre();
}

void TLogoFramingWindow::centre() {
  QWidget* over = centreOver_.data();
  if (!over) return;
  const QPoint c =
      over->isWindow() ? over->frameGeometry().center() : over->mapToGlobal(over->rect().center());
  // move() places the frame: centre the frame, title bar included.
  const QSize outer = frameGeometry().size();
  move(c.x() - outer.width() / 2, c.y() - outer.height() / 2);
}

void TLogoFramingWindow::PaintBox1Paint(QPainter& p) {
  const TFramingGeometry g = drag_.geometry();
  const QSize box = paintBoxSize();
  if (box != PaintBox1->size() && !refreshQueued_) {
    // The device's values changed without a refresh: take the new size
    // once this paint is over.
    refreshQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          refreshQueued_ = false;
          refresh();
        },
        Qt::QueuedConnection);
  }

  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.setBackground(Qt::white);
  p.setBackgroundMode(Qt::OpaqueMode);
  rectangle(p, 0, 0, box.width(), box.height());

  if (hasBands(link_ ? link_->registerValue(regs_.family) : 0,
               link_ ? link_->registerValue(regs_.aspect) : 0)) {
    if (g.mode == 0) {
      const int64_t w = int64_t(g.sh) + 255, h = int64_t(g.sv) + 255;
      const int64_t m = (h - (w * 1000 / 1333)) / 2;
      band(p, 0, 0, int64_t(g.sh) + kArea, m);
      band(p, 0, h - m, int64_t(g.sh) + kArea, h);
    } else {
      band(p, 0, 0, kArea, kBand);
      band(p, 0, kArea - kBand, kArea, kArea);
    }
  }

  p.setBrush(Qt::white);
  p.setPen(QPen(Qt::black, 2));
  p.drawRect(QRect(g.ph, g.pv, g.sh, g.sv));
}

void TLogoFramingWindow::PaintBox1MouseDown(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  drag_.mouseDown(at.x(), at.y(), leftOnly(e));
  applyCursor();
}

void TLogoFramingWindow::PaintBox1MouseMove(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  drag_.mouseMove(at.x(), at.y(), leftOnly(e));
  applyCursor();
}

void TLogoFramingWindow::PaintBox1MouseUp(QMouseEvent*) {
  drag_.mouseUp();
  applyCursor();
}

void TLogoFramingWindow::applyCursor() {
  const FramingCursor c = drag_.cursor();
  if (c == shownCursor_ && PaintBox1->testAttribute(Qt::WA_SetCursor)) return;
  shownCursor_ = c;
  PaintBox1->setCursor(shapeOf(c));
}

TCadre_logo_1M::TCadre_logo_1M(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPOS1M, Reg::LVPOS1M, Reg::LHSIZ1M, Reg::LVSIZ1M, Reg::LMODEM, Reg::IFAMM, Reg::IASPM},
          QStringLiteral("Logo mouse driver (Main logo 1)"), parent) {}
TCadre_logo_2M::TCadre_logo_2M(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPOS2M, Reg::LVPOS2M, Reg::LHSIZ2M, Reg::LVSIZ2M, Reg::LMODEM, Reg::IFAMM, Reg::IASPM},
          QStringLiteral("Logo mouse driver (Main logo 2)"), parent) {}
TCadre_logo_1P::TCadre_logo_1P(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPOS1P, Reg::LVPOS1P, Reg::LHSIZ1P, Reg::LVSIZ1P, Reg::LMODEP, Reg::IFAMP, Reg::IASPP},
          QStringLiteral("Logo mouse driver (Preview logo 1)"), parent) {}
TCadre_logo_2P::TCadre_logo_2P(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPOS2P, Reg::LVPOS2P, Reg::LHSIZ2P, Reg::LVSIZ2P, Reg::LMODEP, Reg::IFAMP, Reg::IASPP},
          QStringLiteral("Logo mouse driver (Preview logo 2)"), parent) {}
TCadre_logo_Memo_MAIN::TCadre_logo_Memo_MAIN(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPCAPM, Reg::LVPCAPM, Reg::LHSIZ1M, Reg::LVSIZ1M, Reg::LMODEM, Reg::IFAMM, Reg::IASPM},
          QStringLiteral("Logo mouse driver (Main logo 1)"), parent) {}
TCadre_logo_Memo_PREVIEW::TCadre_logo_Memo_PREVIEW(TZelvan_d* link, QWidget* parent)
    : TLogoFramingWindow(
          link, {Reg::LHPCAPP, Reg::LVPCAPP, Reg::LHSIZ1P, Reg::LVSIZ1P, Reg::LMODEP, Reg::IFAMP, Reg::IASPP},
          QStringLiteral("Logo mouse driver (Preview logo 1)"), parent) {}

}  // namespace zelvan::keying
