// The one-second tick Timer1: everything that blinks or counts down in the
// user interface, in a fixed order of steps (TickStep). The shell's own
// steps are added here; features add theirs through TFeature::addTickSteps.
#pragma once

#include <QObject>
#include <cstdint>

#include "app/feature.h"

class QTimer;
class TZelvan_main;

namespace zelvan::app {

class TMainTick : public QObject {
  Q_OBJECT

 public:
  explicit TMainTick(TZelvan_main& shell);

  QTimer* Timer1() const { return timer_; }
  TTickSchedule& schedule() { return schedule_; }
  // One tick: every step in order.
  void Timer1Timer();

  bool StatusBlink = false;
  int64_t StoreElapsedSeconds = 0;
  int NoSignalCountdown = 0;
  int AboutPictureCursor = 5;

 private:
  void addShellSteps();

  TZelvan_main& shell_;
  QTimer* timer_ = nullptr;
  TTickSchedule schedule_;
};

}  // namespace zelvan::app
