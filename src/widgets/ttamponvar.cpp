#include "widgets/ttamponvar.h"

#include <cmath>

namespace {

constexpr uint32_t kWrapAt = 65535;

// Nearest whole number with halves going to the even number (2.5 -> 2,
// 1.5 -> 2), as the read pointer's step is defined.
uint32_t roundHalfEven(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  double r = f;
  if (diff > 0.5) {
    r = f + 1;
  } else if (diff == 0.5) {
    r = std::fmod(f, 2.0) == 0.0 ? f : f + 1;
  }
  return r <= 0 ? 0u : static_cast<uint32_t>(r);
}

}  // namespace

TTamponVar::TTamponVar(QObject* parent) : QObject(parent), slots_(kSlotCount, 0) {}

void TTamponVar::setVide(bool) { fire(ONTableauViderchange); }

void TTamponVar::setAjout(int32_t v) {
  if (write_ >= kWrapAt) {
    maxWrite_ = write_;
    fire(ONMAX_Pointeur_Writechange);
    slots_[0] = v;
    write_ = 1;
  } else {
    slots_[write_] = v;
    ++write_;
  }
  fire(ONPointeur_Writechange);
  vide_ = false;
  fire(ONTableauViderchange);
}

int32_t TTamponVar::ExtraitReadOnly() {
  // Nothing queued: the read pointer already sits on the write pointer and
  // its slot holds no new value. Hand out the last value appended again
  // rather than a stale slot, and keep the pointers where they are.
  if (vide_) return write_ > 0 ? slots_[write_ - 1] : 0;

  // The last slot is never written (appending wraps to slot 0 before it),
  // so a read pointer that has reached it wraps first and reads slot 0,
  // instead of handing a stale value to the device.
  if (read_ >= kWrapAt) {
    maxRead_ = read_;
    fire(ONMAX_Pointeur_Readchange);
    read_ = 0;
  }
  const int32_t v = slots_[read_];
  fire(ONPointeur_Readchange);
  if (write_ != 0 && write_ == read_ + 1) {
    vide_ = true;
    fire(ONTableauViderchange);
  }
  if (read_ < write_) {
    const uint32_t step = roundHalfEven(double(write_ - read_) / 3.0 + 0.5);
    read_ += step < 1 ? 1 : step;
  } else {
    // The write pointer has wrapped: continue about a third of the way into
    // the new round, but never past the newest value, so that the last
    // position appended is still the last one handed out.
    read_ = roundHalfEven(double(write_) / 3.0 + 0.5);
    if (write_ > 0 && read_ > write_ - 1) read_ = write_ - 1;
  }
  return v;
}
