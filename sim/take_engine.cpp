#include "sim/take_engine.h"

#include <algorithm>

#include "device/catalogue.h"
#include "sim/sim_device.h"

namespace zsim {

using namespace zelvan;

namespace {
// EFFDUR of 255 means "holding"; a transition cannot hold and runs 2 s.
constexpr uint32_t kHolding = 255;
constexpr int64_t kHeldTransitionMs = 2000;
}  // namespace

TakeEngine::TakeEngine(SimDevice& dev) : m_dev(dev), m_slot(dev.scheduler()) {}

bool TakeEngine::isKeyedEffect(uint32_t effect) {
  return effect == 2 || effect == 3 || effect == 4 || effect == 5 || effect == 14;
}

void TakeEngine::reset() {
  m_slot.cancel();
  m_state = State::Idle;
}

void TakeEngine::setRunning(bool running, bool tbarUsable) {
  m_dev.set(Reg::EFFON, running ? 1 : 0);
  m_dev.set(Reg::TAKEEVA, running ? 0 : 1);
  m_dev.set(Reg::EFFRDY, running ? 0 : 1);
  m_dev.set(Reg::TBARAV, tbarUsable ? 1 : 0);
}

void TakeEngine::requestTake(bool on) {
  switch (m_state) {
    case State::Idle:
      if (!on) {
        m_dev.set(Reg::TAKE, 0);
      } else if (isKeyedEffect(m_dev.value(Reg::EFFECT))) {
        startKey();
      } else {
        startTransition();
      }
      return;
    case State::KeyOn:
      if (on) m_dev.set(Reg::TAKE, 1);
      else closeKey();
      return;
    default:
      // Busy: the request is refused and the current state reported.
      m_dev.report(Reg::TAKE);
      return;
  }
}

// ---------------------------------------------------------------- transitions

void TakeEngine::startTransition() {
  const uint32_t effect = m_dev.value(Reg::EFFECT);
  const uint32_t dur = m_dev.value(Reg::EFFDUR);
  int64_t ms = dur == kHolding ? kHeldTransitionMs : static_cast<int64_t>(dur) * 100;
  if (effect == 0) ms = 0;  // a cut has no duration
  m_steps = static_cast<int>(std::max<int64_t>(1, ms / kStepMs));
  m_stepMs = ms / m_steps;
  m_step = 0;
  m_state = State::Transition;
  m_dev.set(Reg::TAKE, 1);
  setRunning(true, false);
  m_dev.set(Reg::TBAR, 0);
  m_slot.start(m_stepMs, [this] { transitionStep(); });
}

void TakeEngine::transitionStep() {
  ++m_step;
  if (m_step >= m_steps) {
    finishTransition();
    return;
  }
  m_dev.set(Reg::TBAR, static_cast<uint32_t>(255 * m_step / m_steps));
  m_slot.start(m_stepMs, [this] { transitionStep(); });
}

void TakeEngine::finishTransition() {
  m_slot.cancel();
  m_dev.set(Reg::TBAR, 255);
  m_dev.completeTake();
  m_state = State::Idle;
  setRunning(false, true);
  m_dev.set(Reg::TAKE, 0);
  m_dev.set(Reg::TBAR, 0);
}

void TakeEngine::tbarPosition(uint32_t pos) {
  m_dev.set(Reg::TBARPO, pos);
  if (m_state == State::Idle) {
    if (pos == 0 || isKeyedEffect(m_dev.value(Reg::EFFECT))) {
      // Nothing to drive: at rest, or a keyed effect is selected (keys are taken, not mixed).
      return;
    }
    m_state = State::Manual;
    m_dev.set(Reg::TAKE, 1);
    setRunning(true, true);
  }
  if (m_state != State::Manual) return;
  if (pos >= 255) {
    finishTransition();
  } else if (pos == 0) {
    // Pulled back to the start: the transition is abandoned, nothing swaps.
    m_state = State::Idle;
    m_dev.set(Reg::TBAR, 0);
    setRunning(false, true);
    m_dev.set(Reg::TAKE, 0);
  } else {
    m_dev.set(Reg::TBAR, pos);
  }
}

// ---------------------------------------------------------------- keyed effects

void TakeEngine::startKey() {
  m_state = State::KeyOpening;
  m_dev.set(Reg::TAKE, 1);
  setRunning(true, false);
  m_slot.start(static_cast<int64_t>(m_dev.value(Reg::EFFOPNDUR)) * 100, [this] { keyOpened(); });
}

void TakeEngine::keyOpened() {
  m_state = State::KeyOn;
  setRunning(false, false);
  const uint32_t dur = m_dev.value(Reg::EFFDUR);
  if (dur != kHolding) m_slot.start(static_cast<int64_t>(dur) * 100, [this] { closeKey(); });
}

void TakeEngine::closeKey() {
  m_state = State::KeyClosing;
  m_dev.set(Reg::TAKE, 0);
  setRunning(true, false);
  m_slot.start(static_cast<int64_t>(m_dev.value(Reg::EFFCLSDUR)) * 100, [this] { keyClosed(); });
}

void TakeEngine::keyClosed() {
  m_state = State::Idle;
  setRunning(false, true);
}

}  // namespace zsim
