#include "app/feature.h"

#include <algorithm>

namespace zelvan::app {

void TTickSchedule::add(TickStep step, const QString& name, std::function<void()> run) {
  if (!run) return;
  Step s{step, name, std::move(run)};
  auto at = std::upper_bound(steps_.begin(), steps_.end(), step,
                             [](TickStep t, const Step& x) { return int(t) < int(x.step); });
  steps_.insert(at, std::move(s));
}

void TTickSchedule::run() const {
  for (const Step& s : steps_) s.run();
}

QStringList TTickSchedule::names() const {
  QStringList out;
  for (const Step& s : steps_) out << s.name;
  return out;
}

}  // namespace zelvan::app
