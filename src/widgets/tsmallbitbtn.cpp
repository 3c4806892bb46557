#include "widgets/tsmallbitbtn.h"

#include <QMouseEvent>
#include <QPainter>

TSmallBitBtn::TSmallBitBtn(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSmallBitBtn::SetFrameWidth(int w) {
  if (w < 0) w = 0;
  if (w == frameWidth_) return;
  frameWidth_ = w;
  update();
}

void TSmallBitBtn::Click() {
  pressed_ = false;
  update();
  Q_EMIT clicked();
  if (OnOpen) OnOpen();
}

void TSmallBitBtn::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }
  pressed_ = true;
  update();
}

void TSmallBitBtn::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  const bool wasPressed = pressed_;
  pressed_ = false;
  update();
  // A click is a press and a release over the button.
  if (wasPressed && rect().contains(e->position().toPoint())) Click();
}

void TSmallBitBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, palette().color(QPalette::Button));

  if (!pressed_ && frameWidth_ > 0) {
    // 3D frame: light top-left, shadow bottom-right, frameWidth_ pixels deep.
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const int w = r.width();
    const int h = r.height();
    for (int i = 0; i < frameWidth_ && i < w / 2 && i < h / 2; ++i) {
      p.setPen(light);
      p.drawLine(i, i, w - 2 - i, i);  // top
      p.drawLine(i, i, i, h - 2 - i);  // left
      p.setPen(shadow);
      p.drawLine(i, h - 1 - i, w - 1 - i, h - 1 - i);  // bottom
      p.drawLine(w - 1 - i, i, w - 1 - i, h - 1 - i);  // right
    }
  }

  if (r.width() >= 8 && r.height() >= 6) {
    // Down arrow: four rows of 7, 5, 3 and 1 pixels centred on the middle
    // column, the first one pixel above the middle.
    p.setPen(Qt::black);
    const int cx = r.width() / 2;
    const int y0 = r.height() / 2 - 1;
    for (int row = 0; row < 4; ++row) {
      const int half = 3 - row;
      p.drawLine(cx - half, y0 + row, cx + half, y0 + row);
    }
  }
}
