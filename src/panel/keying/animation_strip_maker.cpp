// Writes the effect animation strip the preview reads ("AnimationEffects.bmp").
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "panel/keying/animation_strip.h"
#include "panel/keying/effect_tables.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zelvan-animation-strip OUTPUT.bmp\n");
    return 2;
  }
  const QImage strip = zelvan::keying::drawAnimationStrip(zelvan::keying::kStripMinimumFrames);
  if (strip.isNull() || !strip.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
    std::fprintf(stderr, "zelvan-animation-strip: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
