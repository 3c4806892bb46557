// Placeholder until the strip is written.
#include "panel/keying/animation_strip.h"

namespace zelvan::keying {

TAnimationStrip TAnimationStrip::load(const QString&) { return {}; }
TAnimationStrip TAnimationStrip::fromImage(const QImage&) { return {}; }
QImage TAnimationStrip::frame(int) const { return {}; }
QImage drawAnimationStrip(int frames) {
  QImage strip(TAnimationStrip::kFrameSize * frames, TAnimationStrip::kFrameSize, QImage::Format_RGB32);
  strip.fill(Qt::white);
  return strip;
}

}  // namespace zelvan::keying
