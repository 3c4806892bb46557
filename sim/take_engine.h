// The device's transition engine: TAKE plays the current effect. Transition
// kinds (cut, fade, wipes) run for EFFDUR with T-bar progress and end with
// Main and Preview exchanged (in Matrix mode: with the pending inputs taken); keyed kinds (titles, PiP, double PiP) open,
// stay on air while TAKE holds (or for EFFDUR), and close. The T-bar position
// TBARPO drives a transition by hand.
#pragma once

#include <cstdint>

#include "sim/scheduler.h"

namespace zsim {

class SimDevice;

class TakeEngine {
 public:
  enum class State { Idle, Transition, Manual, KeyOpening, KeyOn, KeyClosing };

  explicit TakeEngine(SimDevice& dev);
  void requestTake(bool on);
  void tbarPosition(uint32_t pos);
  // Back to idle without any report (defaults restored).
  void reset();

  State state() const { return m_state; }
  bool idle() const { return m_state == State::Idle; }
  static bool isKeyedEffect(uint32_t effect);

  static constexpr int64_t kStepMs = 100;  // T-bar progress report period

 private:
  void setRunning(bool running, bool tbarUsable);
  void startTransition();
  void transitionStep();
  void finishTransition();
  void startKey();
  void keyOpened();
  void closeKey();
  void keyClosed();

  SimDevice& m_dev;
  State m_state = State::Idle;
  TaskSlot m_slot;
  int m_step = 0;
  int m_steps = 1;
  int64_t m_stepMs = kStepMs;
};

}  // namespace zsim
