#include "panel/keying/animation_strip.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <algorithm>
#include <cstdint>

namespace zelvan::keying {

namespace {

constexpr int kFrame = TAnimationStrip::kFrameSize;
constexpr int kPreview = TAnimationStrip::kPreviewSize;
static_assert(kFrame == 2 * kPreview, "frames are halved for the preview");

// The most bytes a strip may take once decoded (32-bit pixels): twice what
// kMaxFrames whole frames need, which leaves room for the partial cells at
// the right and bottom edges of a grid and still bounds a hostile header.
constexpr int64_t kMaxDecodedBytes = int64_t(2) * TAnimationStrip::kMaxFrames * kFrame * kFrame * 4;

// Little-endian fields of a file header.
uint32_t u16At(const QByteArray& b, int at) { return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8; }
uint32_t u32At(const QByteArray& b, int at) { return u16At(b, at) | u16At(b, at + 2) << 16; }

// An uncompressed BMP holds every pixel row in full; one cut short would
// decode with its missing rows black, so it is refused. Other pictures,
// and compressed BMPs, are left to their decoder.
bool bmpComplete(QFile& file) {
  const QByteArray h = file.peek(54);
  if (h.size() < 2 || h[0] != 'B' || h[1] != 'M') return true;
  if (h.size() < 26) return false;
  const int64_t pixelsAt = u32At(h, 10);
  const uint32_t infoSize = u32At(h, 14);
  int64_t width = 0, height = 0;
  uint32_t bits = 0, compression = 0;
  if (infoSize == 12) {  // the old core header
    width = u16At(h, 18);
    height = u16At(h, 20);
    bits = u16At(h, 24);
  } else {
    if (h.size() < 34) return false;
    width = int32_t(u32At(h, 18));
    height = int32_t(u32At(h, 22));
    bits = u16At(h, 28);
    compression = u32At(h, 30);
  }
  constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
  if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) return true;
  if (width <= 0 || bits == 0) return false;
  const int64_t stride = (width * bits + 31) / 32 * 4;
  return file.size() >= pixelsAt + stride * (height < 0 ? -height : height);
}

// One 32 x 32 preview frame from a 64 x 64 cell of a 32-bit opaque strip:
// each preview pixel is the mean of its 2 x 2 block.
QImage halveCell(const QImage& strip, int x0, int y0) {
  QImage out(kPreview, kPreview, QImage::Format_RGB32);
  for (int y = 0; y < kPreview; ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(strip.constScanLine(y0 + 2 * y)) + x0;
    const auto* b = reinterpret_cast<const QRgb*>(strip.constScanLine(y0 + 2 * y + 1)) + x0;
    auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < kPreview; ++x) {
      const QRgb p0 = a[2 * x], p1 = a[2 * x + 1], p2 = b[2 * x], p3 = b[2 * x + 1];
      const int r = (qRed(p0) + qRed(p1) + qRed(p2) + qRed(p3) + 2) / 4;
      const int g = (qGreen(p0) + qGreen(p1) + qGreen(p2) + qGreen(p3) + 2) / 4;
      const int bl = (qBlue(p0) + qBlue(p1) + qBlue(p2) + qBlue(p3) + 2) / 4;
      o[x] = qRgb(r, g, bl);
    }
  }
  return out;
}

// The same for any other pixel format: scaled by Qt, transparent parts on white.
QImage scaleCell(const QImage& strip, int x0, int y0) {
  const QImage small =
      strip.copy(x0, y0, kFrame, kFrame).scaled(kPreview, kPreview, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QImage out(kPreview, kPreview, QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  p.drawImage(0, 0, small);
  return out;
}

// ---- Drawing the application's own strip ----

// What a block of the preview table shows; each block is 33 frames, step
// k = 0..32 (the PiP fade 34 frames, k = 0..33).
enum class Motion {
  Blank,
  Fade,             // the picture fades in
  SlideFromLeft,    // slides in from the left edge
  SlideFromRight,
  SlideFromBottom,
  SlideToTop,       // in place at k = 0, gone through the top at the end
  WipeFromLeft,     // revealed from the left edge
  WipeFromRight,
  WipeFromBottom,
  WipeFromTop,
  WipeHCenter,      // revealed in a vertical band growing from the centre
  WipeVCenter,      // in a horizontal band growing from the centre
  WipeHVCenter,     // in a square growing from the centre
};

struct Step {
  Motion motion = Motion::Blank;
  int k = 0;
  int steps = 32;
  bool pip = false;
};

constexpr int kBlockFrames = 33;
constexpr int kPipFadeFirst = 398;  // PiP Cut In / Fade In start here
constexpr int kPipFadeFrames = 34;  // 398..431
constexpr int kPipOffset = 399;     // every other PiP block: the full-frame block + 399

struct Block {
  int first;
  Motion motion;
};
constexpr Block kBlocks[] = {
    {0, Motion::Fade},           {33, Motion::SlideFromLeft},   {66, Motion::SlideFromRight},
    {99, Motion::SlideFromBottom}, {132, Motion::SlideToTop},   {165, Motion::WipeFromLeft},
    {198, Motion::WipeFromRight}, {231, Motion::WipeFromBottom}, {264, Motion::WipeFromTop},
    {297, Motion::WipeHCenter},  {330, Motion::WipeVCenter},    {363, Motion::WipeHVCenter},
};

Step stepOf(int i) {
  if (i >= kPipFadeFirst && i < kPipFadeFirst + kPipFadeFrames) return {Motion::Fade, i - kPipFadeFirst, kPipFadeFrames - 1, true};
  const bool pip = i >= kPipOffset;
  const int j = pip ? i - kPipOffset : i;
  for (const Block& b : kBlocks)
    if (j >= b.first && j < b.first + kBlockFrames) return {b.motion, j - b.first, kBlockFrames - 1, pip};
  return {};
}

// The effect's picture, drawn into r: sky, sun and hills, with a red band
// on its left edge so that its direction shows in the slides.
void drawEffectPicture(QPainter& p, const QRect& r) {
  const double w = r.width(), h = r.height();
  const double x = r.x(), y = r.y();
  p.fillRect(r, QColor(52, 110, 210));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 212, 50));
  p.drawEllipse(QRectF(x + 0.58 * w, y + 0.10 * h, 0.26 * w, 0.26 * h));
  p.setBrush(QColor(40, 150, 70));
  const QPolygonF hills({QPointF(x, y + 0.72 * h), QPointF(x + 0.34 * w, y + 0.46 * h), QPointF(x + 0.62 * w, y + 0.70 * h),
                         QPointF(x + w, y + 0.52 * h), QPointF(x + w, y + h), QPointF(x, y + h)});
  p.drawPolygon(hills);
  p.fillRect(QRectF(x, y, std::max(2.0, 0.1 * w), h), QColor(215, 40, 40));
  p.setBrush(Qt::NoBrush);
  p.setPen(QColor(20, 40, 90));
  p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

// The larger picture a PiP sits on: a warm room with a floor and a window.
void drawMainPicture(QPainter& p, const QRect& r) {
  p.fillRect(r, QColor(228, 214, 190));
  p.fillRect(QRect(r.x(), r.y() + 44, r.width(), r.height() - 44), QColor(150, 105, 70));
  p.fillRect(QRect(r.x() + 6, r.y() + 10, 14, 22), QColor(170, 200, 225));
  p.fillRect(QRect(r.x() + 6, r.y() + 20, 14, 2), QColor(110, 80, 55));
}

// Where the small picture of a PiP sits in its frame.
QRect pipInset(const QRect& cell) { return QRect(cell.x() + 28, cell.y() + 6, 32, 24); }

void drawFrame(QPainter& p, const QRect& cell, const Step& s) {
  if (s.pip)
    drawMainPicture(p, cell);
  else
    p.fillRect(cell, Qt::white);
  if (s.motion == Motion::Blank) {
    p.fillRect(cell, Qt::white);
    return;
  }
  const QRect target = s.pip ? pipInset(cell) : cell;
  const int k = s.k, n = s.steps;
  QRect shown = target;  // the part of the picture that is visible
  QPoint offset(0, 0);   // where the picture is, relative to its place
  double opacity = 1.0;
  auto part = [n, k](int length) { return length * k / n; };
  switch (s.motion) {
    case Motion::Fade: opacity = double(k) / n; break;
    case Motion::SlideFromLeft: offset.setX(-(target.right() - cell.left() + 1) * (n - k) / n); break;
    case Motion::SlideFromRight: offset.setX((cell.right() - target.left() + 1) * (n - k) / n); break;
    case Motion::SlideFromBottom: offset.setY((cell.bottom() - target.top() + 1) * (n - k) / n); break;
    case Motion::SlideToTop: offset.setY(-(target.bottom() - cell.top() + 1) * k / n); break;
    case Motion::WipeFromLeft: shown.setWidth(part(target.width())); break;
    case Motion::WipeFromRight: shown.setLeft(target.right() + 1 - part(target.width())); break;
    case Motion::WipeFromBottom: shown.setTop(target.bottom() + 1 - part(target.height())); break;
    case Motion::WipeFromTop: shown.setHeight(part(target.height())); break;
    case Motion::WipeHCenter: {
      const int w = part(target.width());
      shown = QRect(target.x() + (target.width() - w) / 2, target.y(), w, target.height());
      break;
    }
    case Motion::WipeVCenter: {
      const int h = part(target.height());
      shown = QRect(target.x(), target.y() + (target.height() - h) / 2, target.width(), h);
      break;
    }
    case Motion::WipeHVCenter: {
      const int w = part(target.width()), h = part(target.height());
      shown = QRect(target.x() + (target.width() - w) / 2, target.y() + (target.height() - h) / 2, w, h);
      break;
    }
    case Motion::Blank: break;
  }
  if (opacity <= 0.0 || shown.isEmpty()) return;
  p.save();
  p.setClipRect(cell);
  p.setClipRect(shown, Qt::IntersectClip);
  p.setOpacity(opacity);
  drawEffectPicture(p, target.translated(offset));
  p.restore();
}

}  // namespace

int TAnimationStrip::framesIn(const QSize& size) {
  if (size.width() < kFrame || size.height() < kFrame) return 0;
  const int64_t frames = int64_t(size.width() / kFrame) * int64_t(size.height() / kFrame);
  const int64_t bytes = int64_t(size.width()) * int64_t(size.height()) * 4;
  if (frames > kMaxFrames || bytes > kMaxDecodedBytes) return 0;
  return static_cast<int>(frames);
}

TAnimationStrip TAnimationStrip::load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // The header alone tells the size: a file cut short, anything that is no
  // strip, or too large a one, is refused before a pixel is decoded.
  if (!bmpComplete(file)) return {};
  QImageReader reader(&file);
  const QSize size = reader.size();
  if (!size.isValid() || framesIn(size) == 0) return {};
  reader.setAllocationLimit(static_cast<int>(kMaxDecodedBytes >> 20));
  QImage image;
  if (!reader.read(&image) || image.size() != size) return {};
  return fromImage(image);
}

TAnimationStrip TAnimationStrip::fromImage(const QImage& strip) {
  if (strip.isNull()) return {};
  const int frames = framesIn(strip.size());
  if (frames == 0) return {};
  const int columns = strip.width() / kFrame;
  const bool opaque32 = strip.format() == QImage::Format_RGB32;
  TAnimationStrip s;
  s.frames_.reserve(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) {
    const int x = (i % columns) * kFrame, y = (i / columns) * kFrame;
    s.frames_.push_back(opaque32 ? halveCell(strip, x, y) : scaleCell(strip, x, y));
  }
  return s;
}

QImage TAnimationStrip::frame(int i) const {
  if (i < 0 || i >= count()) return {};
  return frames_[static_cast<size_t>(i)];
}

QImage drawAnimationStrip(int frames) {
  if (frames < 1 || frames > TAnimationStrip::kMaxFrames) return {};
  QImage strip(kFrame * frames, kFrame, QImage::Format_RGB32);
  // Each frame is drawn at the origin of its own picture, then copied into
  // place: the same step draws the same pixels in every block.
  QImage cell(kFrame, kFrame, QImage::Format_RGB32);
  for (int i = 0; i < frames; ++i) {
    {
      QPainter p(&cell);
      p.setRenderHint(QPainter::Antialiasing, true);
      drawFrame(p, cell.rect(), stepOf(i));
    }
    for (int y = 0; y < kFrame; ++y)
      std::copy_n(reinterpret_cast<const QRgb*>(cell.constScanLine(y)), kFrame,
                  reinterpret_cast<QRgb*>(strip.scanLine(y)) + i * kFrame);
  }
  return strip;
}

}  // namespace zelvan::keying
