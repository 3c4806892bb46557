// Virtual-time task queue. Every timing of the simulated device (input
// settle, transitions, memory stores) runs on it, so tests step time by hand
// and the program drives it from a real clock. All delays are scaled by the
// time scale (percent of the device's real timings).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <unordered_map>
#include <utility>

namespace zsim {

class Scheduler {
 public:
  using Task = std::function<void()>;
  using TaskId = uint64_t;

  int64_t now() const { return m_now; }

  // Percent of the device's timings: 100 is real time, 5 runs twenty times
  // faster. Values below 1 are taken as 1.
  void setTimeScale(int percent) { m_scale = percent < 1 ? 1 : percent; }
  int timeScale() const { return m_scale; }
  int64_t scaled(int64_t deviceMs) const;

  // Runs task deviceMs (scaled) after now. Tasks due at the same time run
  // in the order they were scheduled. Returns an id for cancel().
  TaskId after(int64_t deviceMs, Task task);
  // Forgets a pending task; unknown or finished ids are ignored.
  void cancel(TaskId id);
  bool isPending(TaskId id) const { return m_due.count(id) != 0; }

  // Moves the clock forward, running every task that falls due on the way,
  // including tasks scheduled by the tasks themselves.
  void advance(int64_t ms) { advanceTo(m_now + (ms > 0 ? ms : 0)); }
  void advanceTo(int64_t t);

  // Milliseconds until the next task (0 when one is due), -1 when none.
  int64_t untilNext() const;
  size_t pending() const { return m_queue.size(); }

 private:
  int64_t m_now = 0;
  int m_scale = 100;
  TaskId m_nextId = 1;
  std::map<std::pair<int64_t, TaskId>, Task> m_queue;
  std::unordered_map<TaskId, int64_t> m_due;
};

// A task slot that holds at most one pending task: scheduling again replaces
// the previous one. Device activities use it so a flood of requests never
// piles up timers.
class TaskSlot {
 public:
  explicit TaskSlot(Scheduler& s) : m_sched(s) {}
  ~TaskSlot() { cancel(); }
  TaskSlot(const TaskSlot&) = delete;
  TaskSlot& operator=(const TaskSlot&) = delete;
  void start(int64_t deviceMs, Scheduler::Task task);
  void cancel();
  bool active() const { return m_id != 0 && m_sched.isPending(m_id); }

 private:
  Scheduler& m_sched;
  Scheduler::TaskId m_id = 0;
};

}  // namespace zsim
