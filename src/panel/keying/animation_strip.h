// The pictures of the effect animation preview: a strip of 64 x 64 frames
// (one row, or rows of frames read left to right, top to bottom), kept
// scaled to the preview's 32 x 32. The file is untrusted: its size is
// checked before it is decoded, and a frame past the end is a null picture.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace zelvan::keying {

class TAnimationStrip {
 public:
  static constexpr int kFrameSize = 64;
  static constexpr int kPreviewSize = 32;
  // At most this many frames are read from a file (the preview uses 795).
  static constexpr int kMaxFrames = 4096;

  // Reads a strip file; empty when it is missing, unreadable, not a whole
  // number of 64 x 64 frames high, or larger than kMaxFrames frames.
  static TAnimationStrip load(const QString& path);
  // From a picture already in memory (same rules).
  static TAnimationStrip fromImage(const QImage& strip);
  // The number of whole frames a picture of `size` holds when it is
  // acceptable as a strip (at least one frame, at most kMaxFrames), else 0.
  static int framesIn(const QSize& size);

  int count() const { return static_cast<int>(frames_.size()); }
  bool isEmpty() const { return frames_.empty(); }
  // Frame i at 32 x 32; a null image when i is out of range.
  QImage frame(int i) const;

 private:
  std::vector<QImage> frames_;
};

// Draws the application's own strip: `frames` 64 x 64 frames in one row on
// a white background, each block of the preview table drawing its opening
// or closing (fade, slides, wipes, squares; the PiP blocks from 398 on as a
// small picture over a larger one). Frames past the table are white; a
// count below 1 or above kMaxFrames gives a null image.
QImage drawAnimationStrip(int frames);

}  // namespace zelvan::keying
