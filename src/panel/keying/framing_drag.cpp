#include "panel/keying/framing_drag.h"

#include <algorithm>
#include <utility>

namespace zelvan::keying {

namespace {

constexpr int kMaxStep = 255;
// The corner grip: the pointer is closer than this to the rectangle's top
// left corner (compared squared).
constexpr int64_t kCornerRadius = 7;

int clampStep(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, 0, kMaxStep));
}

// Three quarters of a size, in real arithmetic.
double threeQuarters(int size) {
  return size / 4.0 * 3.0;
}

}  // namespace

// ---------------------------------------------------------------- TStepQueue

bool TStepQueue::append(int64_t v) {
  const auto step = static_cast<uint8_t>(clampStep(v));
  if (full()) {
    entries_.back() = step;
    return true;
  }
  // Grow by doubling, but never hold memory for more than kCapacity entries.
  if (entries_.size() == entries_.capacity())
    entries_.reserve(std::min<size_t>(kCapacity, std::max<size_t>(64, entries_.capacity() * 2)));
  entries_.push_back(step);
  return false;
}

// -------------------------------------------------------------- TFramingDrag

TFramingDrag::TFramingDrag(const TFramingDragRegisters& regs, Reader read, Sender send)
    : regs_(regs), read_(std::move(read)), send_(std::move(send)) {
  reset();
}

int TFramingDrag::step(uint32_t deviceValue) {
  return clampStep(static_cast<int64_t>(deviceValue));
}

TFramingGeometry TFramingDrag::geometry() const {
  TFramingGeometry g;
  g.ph = step(read_(regs_.hpos));
  g.pv = step(read_(regs_.vpos));
  g.sh = step(read_(regs_.hsiz));
  g.sv = step(read_(regs_.vsiz));
  g.mode = read_(regs_.mode);
  return g;
}

bool TFramingDrag::inCorner(int64_t x, int64_t y, const TFramingGeometry& g) {
  const int64_t dx = x - g.ph, dy = y - g.pv;
  return dx * dx + dy * dy < kCornerRadius * kCornerRadius;
}

bool TFramingDrag::inBody(int64_t x, int64_t y, const TFramingGeometry& g) {
  return g.ph < x && double(x) < g.ph + threeQuarters(g.sh) && g.pv < y &&
         double(y) < g.pv + threeQuarters(g.sv);
}

bool TFramingDrag::inRightStrip(int64_t x, int64_t y, const TFramingGeometry& g) {
  return g.pv < y && double(y) < g.pv + threeQuarters(g.sv) && double(x) >= g.ph + threeQuarters(g.sh);
}

bool TFramingDrag::inBottomStrip(int64_t x, int64_t y, const TFramingGeometry& g) {
  return g.ph < x && double(x) < g.ph + threeQuarters(g.sh) && double(y) >= g.pv + threeQuarters(g.sv);
}

void TFramingDrag::reset() {
  posH_.clear();
  posV_.clear();
  sizeH_.clear();
  sizeV_.clear();
  rH_ = rV_ = sH_ = sV_ = 1;
  pendingH_ = pendingV_ = -1;
  // A drag never outlives the window's showing: a window closed while the
  // button was held never saw the release.
  hovering_ = moving_ = sizingH_ = sizingV_ = false;
  cursor_ = FramingCursor::Arrow;
}

void TFramingDrag::mouseDown(int x, int y, bool leftOnly) {
  const TFramingGeometry g = geometry();
  if (!leftOnly || !inBody(x, y, g)) return;
  moving_ = true;
  gx_ = x - g.ph;
  gy_ = y - g.pv;
}

void TFramingDrag::mouseMove(int mouseX, int mouseY, bool leftOnly) {
  const TFramingGeometry g = geometry();
  int64_t x = mouseX, y = mouseY;
  // While moving, (x, y) is where the rectangle's top left corner goes.
  if (moving_) {
    x -= gx_;
    y -= gy_;
  }

  if (sizingH_ && g.ph < x && x < kMaxStep) {
    sizeStripAction(true, x, y, leftOnly, g);
  } else if (sizingV_ && g.pv < y && y < kMaxStep) {
    sizeStripAction(false, x, y, leftOnly, g);
  } else if (inCorner(x, y, g) || (hovering_ && leftOnly && cursor_ == FramingCursor::FourWay)) {
    hovering_ = true;
    cursor_ = moving_ ? FramingCursor::Hand : FramingCursor::FourWay;
  } else if (inBody(x, y, g) || (hovering_ && leftOnly && cursor_ == FramingCursor::Hand)) {
    hovering_ = true;
    cursor_ = FramingCursor::Hand;
  } else {
    cursor_ = FramingCursor::Arrow;
    if (g.mode == 1 && inRightStrip(x, y, g)) sizeStripAction(true, x, y, leftOnly, g);
    if (!sizingH_ && g.mode == 1 && inBottomStrip(x, y, g)) sizeStripAction(false, x, y, leftOnly, g);
  }
  takePosition(x, y, leftOnly);
}

void TFramingDrag::mouseUp() {
  hovering_ = moving_ = sizingH_ = sizingV_ = false;
}

// The right strip (horizontal) or bottom strip (vertical) under the pointer.
void TFramingDrag::sizeStripAction(bool horizontal, int64_t x, int64_t y, bool leftOnly,
                                   const TFramingGeometry& g) {
  cursor_ = horizontal ? FramingCursor::SizeHorizontal : FramingCursor::SizeVertical;
  if (!leftOnly) return;
  const TStepQueue& q = horizontal ? sizeH_ : sizeV_;
  bool& sizing = horizontal ? sizingH_ : sizingV_;
  const int64_t size = horizontal ? x - g.ph : y - g.pv;
  if (q.empty() && posH_.empty()) {
    sizing = true;
    startSize(horizontal, size);
  } else if (sizing && !q.empty()) {
    // A size write waits for its answers: keep the pointer's latest size,
    // sent when the queue drains, so the drag ends where the pointer stopped.
    (horizontal ? pendingH_ : pendingV_) = clampStep(size);
  }
}

void TFramingDrag::startSize(bool horizontal, int64_t v) {
  TStepQueue& q = horizontal ? sizeH_ : sizeV_;
  (horizontal ? sH_ : sV_) = 0;
  q.append(v);
  // Any answer seen before this write is not its answer.
  flags_[horizontal ? HSize : VSize] = false;
  send(horizontal ? regs_.hsiz : regs_.vsiz, q.at(0));
}

void TFramingDrag::takePosition(int64_t x, int64_t y, bool leftOnly) {
  if (cursor_ != FramingCursor::Arrow && cursor_ != FramingCursor::FourWay && cursor_ != FramingCursor::Hand)
    return;
  if (!leftOnly || !sizeH_.empty() || !sizeV_.empty() || x < 0 || y < 0) return;
  x = std::min<int64_t>(x, kMaxStep);
  y = std::min<int64_t>(y, kMaxStep);
  if (posH_.empty()) {
    rH_ = rV_ = 0;
    posH_.append(x);
    posV_.append(y);
    // Answers seen before these writes are not theirs: without this, a
    // stale flag would let a second write out before the first is answered.
    flags_[HPos] = flags_[VPos] = false;
    send(regs_.hpos, posH_.at(0));
    send(regs_.vpos, posV_.at(0));
    return;
  }
  posH_.append(x);
  if (posV_.append(y)) {
    // The queue is full and its newest entry now holds this sample: make
    // sure it is sent even if the old newest entry already was.
    const int newest = posH_.count() - 1;
    rH_ = std::min(rH_, newest);
    rV_ = std::min(rV_, newest);
  }
}

void TFramingDrag::drainPosition(TStepQueue& q, int& r, Answer a, int reg) {
  const int n = q.count();
  if (!flags_[a] || r >= n) return;
  send(reg, q.at(r));
  // Halfway between the sample just sent and the newest one.
  r += (n + 1 - r) / 2;
  flags_[a] = false;
}

void TFramingDrag::drainSize(bool horizontal) {
  TStepQueue& q = horizontal ? sizeH_ : sizeV_;
  int& s = horizontal ? sH_ : sV_;
  int& pending = horizontal ? pendingH_ : pendingV_;
  const Answer a = horizontal ? HSize : VSize;
  if (q.empty()) return;
  if (s >= q.count()) {
    const int last = q.last();
    q.clear();
    const int next = pending;
    pending = -1;
    if (next >= 0 && next != last) startSize(horizontal, next);
  }
  if (flags_[a] && s < q.count()) {
    send(horizontal ? regs_.hsiz : regs_.vsiz, q.at(s));
    ++s;
    flags_[a] = false;
  }
}

void TFramingDrag::cadragereception() {
  if (!posH_.empty()) {
    const int n = posH_.count();
    if (rH_ >= n && rV_ >= n) {
      posH_.clear();
      posV_.clear();
    }
    drainPosition(posH_, rH_, HPos, regs_.hpos);
    drainPosition(posV_, rV_, VPos, regs_.vpos);
  }
  drainSize(true);
  drainSize(false);
}

}  // namespace zelvan::keying
