#include "tools/about_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zelvan::about {

namespace {

struct Look {
  QString name;
  QColor accent;
  bool secondGeneration;
  bool tbar;  // mixer models carry a T-bar; the Calio is a matrix-only unit
};

bool lookFor(int index, Look* look) {
  switch (index) {
    case 5:
      *look = {QStringLiteral("Arlen"), QColor(40, 110, 210), false, true};
      return true;
    case 6:
      *look = {QStringLiteral("Borvek"), QColor(30, 150, 90), false, true};
      return true;
    case 7:
      *look = {QStringLiteral("Calio"), QColor(230, 130, 20), false, false};
      return true;
    case 8:
      *look = {QStringLiteral("Dumara"), QColor(140, 60, 180), false, true};
      return true;
    case 9:
      *look = {QStringLiteral("Arlen"), QColor(40, 110, 210), true, true};
      return true;
    case 10:
      *look = {QStringLiteral("Borvek"), QColor(30, 150, 90), true, true};
      return true;
    case 11:
      *look = {QStringLiteral("Calio"), QColor(230, 130, 20), true, false};
      return true;
    default:
      return false;
  }
}

void drawBody(QPainter& p, const QRectF& r, bool light) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  if (light) {
    g.setColorAt(0, QColor(225, 228, 232));
    g.setColorAt(1, QColor(170, 175, 182));
  } else {
    g.setColorAt(0, QColor(70, 72, 78));
    g.setColorAt(1, QColor(28, 29, 33));
  }
  p.setPen(QPen(QColor(15, 15, 15), 1.5));
  p.setBrush(g);
  p.drawRoundedRect(r, 6, 6);
}

void drawEars(QPainter& p, const QRectF& r, bool light) {
  const QColor ear = light ? QColor(150, 155, 160) : QColor(50, 52, 56);
  p.setPen(QPen(QColor(15, 15, 15), 1));
  p.setBrush(ear);
  const QRectF left(r.left(), r.top() + 6, 14, r.height() - 12);
  const QRectF right(r.right() - 14, r.top() + 6, 14, r.height() - 12);
  p.drawRect(left);
  p.drawRect(right);
  p.setBrush(QColor(10, 10, 10));
  for (const QRectF& e : {left, right}) {
    p.drawEllipse(QPointF(e.center().x(), e.top() + 10), 3, 3);
    p.drawEllipse(QPointF(e.center().x(), e.bottom() - 10), 3, 3);
  }
}

}  // namespace

QString pictureModelName(int index) {
  Look look;
  return lookFor(index, &look) ? look.name : QString();
}

QPixmap modelPicture(int index) {
  QPixmap pm(kPictureSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF full(0.5, 0.5, kPictureSize.width() - 1.0, kPictureSize.height() - 1.0);

  Look look;
  if (!lookFor(index, &look)) {
    p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(full.adjusted(2, 2, -2, -2), 6, 6);
    return pm;
  }

  const bool light = look.secondGeneration;
  drawEars(p, full, light);
  const QRectF body = full.adjusted(12, 2, -12, -2);
  drawBody(p, body, light);

  // Accent stripe along the top edge; the second generation has a double one.
  p.setPen(Qt::NoPen);
  p.setBrush(look.accent);
  p.drawRect(QRectF(body.left() + 6, body.top() + 5, body.width() - 12, 4));
  if (look.secondGeneration) p.drawRect(QRectF(body.left() + 6, body.top() + 11, body.width() - 12, 2));

  // Brand and model name.
  const QColor text = light ? QColor(25, 25, 30) : QColor(235, 235, 240);
  QFont brand = p.font();
  brand.setPixelSize(9);
  brand.setBold(true);
  brand.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(brand);
  p.setPen(text);
  p.drawText(QRectF(body.left() + 10, body.top() + 16, 120, 12), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("ZELVAN"));
  QFont model = p.font();
  model.setPixelSize(22);
  model.setLetterSpacing(QFont::AbsoluteSpacing, 0);
  p.setFont(model);
  p.setPen(look.accent.lighter(light ? 80 : 130));
  p.drawText(QRectF(body.left() + 10, body.top() + 28, 105, 30), Qt::AlignLeft | Qt::AlignVCenter, look.name);

  // Eight input buttons, black, and their tally lamps.
  const qreal bx = body.left() + 120;
  const qreal by = body.top() + 26;
  for (int i = 0; i < 9; ++i) {
    const QRectF key(bx + i * 14, by, 11, 11);
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(i == 0 ? QColor(90, 90, 90) : QColor(200, 200, 205));
    p.drawRoundedRect(key, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(i == 2 ? QColor(220, 40, 40) : i == 5 ? QColor(40, 200, 60) : QColor(60, 60, 60));
    p.drawEllipse(QPointF(key.center().x(), by - 5), 2, 2);
  }
  // A second row for the Preview bus on mixers, output 2 on the matrix unit.
  for (int i = 0; i < 9; ++i) {
    const QRectF key(bx + i * 14, by + 18, 11, 11);
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(i == 0 ? QColor(90, 90, 90) : look.accent.lighter(150));
    p.drawRoundedRect(key, 2, 2);
  }

  // T-bar for the mixers, two small displays for the matrix unit.
  const qreal cx = body.right() - 30;
  if (look.tbar) {
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(QColor(20, 20, 20));
    p.drawRect(QRectF(cx - 3, body.top() + 20, 6, body.height() - 32));
    p.setBrush(look.accent);
    p.drawRoundedRect(QRectF(cx - 10, body.top() + 36, 20, 8), 2, 2);
  } else {
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(QColor(20, 60, 40));
    p.drawRect(QRectF(cx - 16, body.top() + 22, 32, 14));
    p.drawRect(QRectF(cx - 16, body.top() + 42, 32, 14));
  }

  // Power lamp.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 220, 90));
  p.drawEllipse(QPointF(body.left() + 14, body.bottom() - 10), 3, 3);
  return pm;
}

}  // namespace zelvan::about
