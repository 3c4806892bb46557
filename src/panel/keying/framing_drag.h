// The drag of one framing window as plain logic: which zone of the
// rectangle the pointer is in, what the cursor shows, and how pointer
// samples become writes of the position and size registers, paced by the
// device's answers so that at most one write per register is outstanding
// and the device ends on the pointer's last place.
//
// The device's values are read, and writes are sent, through callbacks, so
// the same logic runs behind a window, in tests and in benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zelvan::keying {

// The cursor the paint box shows. It is state of the drag, never read back
// from a widget.
enum class FramingCursor { Arrow, Hand, FourWay, SizeHorizontal, SizeVertical };

// The registers the drag reads and writes (register indices, Reg::...).
struct TFramingDragRegisters {
  int hpos, vpos;  // Ph, Pv
  int hsiz, vsiz;  // Sh, Sv
  int mode;        // M
};

// The device's values as the drag and the paint use them: position and
// size clamped to one paint box pixel per step, 0..255; the mode as is.
struct TFramingGeometry {
  int ph = 0, pv = 0, sh = 0, sv = 0;
  uint32_t mode = 0;
};

// A queue of register steps (0..255) that never grows past kCapacity
// entries. When full, appending replaces the newest entry, so the last
// value appended is always the last entry.
class TStepQueue {
 public:
  static constexpr int kCapacity = 65536;

  int count() const { return static_cast<int>(entries_.size()); }
  bool empty() const { return entries_.empty(); }
  bool full() const { return count() >= kCapacity; }
  int at(int i) const { return entries_[static_cast<size_t>(i)]; }
  int last() const { return entries_.back(); }
  // Appends v (limited to 0..255); true when the newest entry was replaced
  // because the queue was full.
  bool append(int64_t v);
  // Count := 0. The memory is kept for the next drag.
  void clear() { entries_.clear(); }
  // Entries the queue holds memory for (never more than kCapacity).
  size_t allocated() const { return entries_.capacity(); }

 private:
  std::vector<uint8_t> entries_;
};

class TFramingDrag {
 public:
  enum Answer { HPos = 0, VPos = 1, HSize = 2, VSize = 3 };
  using Reader = std::function<uint32_t(int reg)>;
  using Sender = std::function<void(int reg, uint32_t value)>;

  TFramingDrag(const TFramingDragRegisters& regs, Reader read, Sender send);

  // A device value as a paint box coordinate: 0..255, computed in 64 bits.
  static int step(uint32_t deviceValue);
  TFramingGeometry geometry() const;

  // Zones, with the real three quarters of the size.
  static bool inCorner(int64_t x, int64_t y, const TFramingGeometry& g);
  static bool inBody(int64_t x, int64_t y, const TFramingGeometry& g);
  static bool inRightStrip(int64_t x, int64_t y, const TFramingGeometry& g);
  static bool inBottomStrip(int64_t x, int64_t y, const TFramingGeometry& g);

  // Creation and every showing of the window: the queues are emptied, the
  // read indices go to 1 and no drag is under way.
  void reset();

  // The pointer, in paint box pixels; leftOnly: the left button alone is
  // held and no modifier key.
  void mouseDown(int x, int y, bool leftOnly);
  void mouseMove(int x, int y, bool leftOnly);
  // Ends the drag gestures; the queues are left to drain.
  void mouseUp();

  // The device answered a write of one of the four registers.
  void answered(Answer a) { flags_[a] = true; }
  // Sends what the answers allow (cadragereception without the repaint).
  void cadragereception();

  FramingCursor cursor() const { return cursor_; }
  bool hovering() const { return hovering_; }
  bool moving() const { return moving_; }
  bool sizingHorizontally() const { return sizingH_; }
  bool sizingVertically() const { return sizingV_; }
  int grabX() const { return gx_; }
  int grabY() const { return gy_; }
  bool answerFlag(Answer a) const { return flags_[a]; }

  // Position queue: H[] and V[] share the count n.
  const TStepQueue& positionsH() const { return posH_; }
  const TStepQueue& positionsV() const { return posV_; }
  int positionCount() const { return posH_.count(); }
  int readH() const { return rH_; }
  int readV() const { return rV_; }
  // Size queues.
  const TStepQueue& sizesH() const { return sizeH_; }
  const TStepQueue& sizesV() const { return sizeV_; }
  int readSizeH() const { return sH_; }
  int readSizeV() const { return sV_; }
  // The latest size sample taken while a size write waited for its
  // answers, -1 when none.
  int pendingSizeH() const { return pendingH_; }
  int pendingSizeV() const { return pendingV_; }

 private:
  void sizeStripAction(bool horizontal, int64_t x, int64_t y, bool leftOnly, const TFramingGeometry& g);
  void startSize(bool horizontal, int64_t v);
  void takePosition(int64_t x, int64_t y, bool leftOnly);
  void drainPosition(TStepQueue& q, int& r, Answer a, int reg);
  void drainSize(bool horizontal);
  void send(int reg, int v) { send_(reg, static_cast<uint32_t>(v)); }

  TFramingDragRegisters regs_;
  Reader read_;
  Sender send_;

  FramingCursor cursor_ = FramingCursor::Arrow;
  bool hovering_ = false;
  bool moving_ = false;
  bool sizingH_ = false;
  bool sizingV_ = false;
  int gx_ = 0, gy_ = 0;

  TStepQueue posH_, posV_;
  int rH_ = 1, rV_ = 1;
  TStepQueue sizeH_, sizeV_;
  int sH_ = 1, sV_ = 1;
  int pendingH_ = -1, pendingV_ = -1;
  bool flags_[4] = {false, false, false, false};
};

}  // namespace zelvan::keying
