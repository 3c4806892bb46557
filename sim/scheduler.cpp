#include "sim/scheduler.h"

namespace zsim {

int64_t Scheduler::scaled(int64_t deviceMs) const {
  if (deviceMs <= 0) return 0;
  return deviceMs * m_scale / 100;
}

Scheduler::TaskId Scheduler::after(int64_t deviceMs, Task task) {
  const TaskId id = m_nextId++;
  const int64_t due = m_now + scaled(deviceMs);
  m_queue.emplace(std::make_pair(due, id), std::move(task));
  m_due.emplace(id, due);
  return id;
}

void Scheduler::cancel(TaskId id) {
  const auto it = m_due.find(id);
  if (it == m_due.end()) return;
  m_queue.erase(std::make_pair(it->second, id));
  m_due.erase(it);
}

void Scheduler::advanceTo(int64_t t) {
  while (!m_queue.empty()) {
    auto first = m_queue.begin();
    if (first->first.first > t) break;
    // The clock stands at the task's due time while it runs, so the tasks
    // it schedules are timed from there.
    if (first->first.first > m_now) m_now = first->first.first;
    Task task = std::move(first->second);
    m_due.erase(first->first.second);
    m_queue.erase(first);
    task();
  }
  if (t > m_now) m_now = t;
}

int64_t Scheduler::untilNext() const {
  if (m_queue.empty()) return -1;
  const int64_t d = m_queue.begin()->first.first - m_now;
  return d > 0 ? d : 0;
}

void TaskSlot::start(int64_t deviceMs, Scheduler::Task task) {
  cancel();
  m_id = m_sched.after(deviceMs, std::move(task));
}

void TaskSlot::cancel() {
  if (m_id != 0) m_sched.cancel(m_id);
  m_id = 0;
}

}  // namespace zsim
