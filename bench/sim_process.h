// What the benchmarks against the device simulator share: pumping the
// event loop, and zelvan-sim as a process on a free loopback TCP port.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <functional>

#include "../sim/announcement.h"

namespace bench_support {

// Runs the event loop until done() holds or ms milliseconds have passed.
inline bool pumpUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

inline void pumpFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

#ifdef ZELVAN_SIM_PATH
// The simulator on a free loopback port, answering `delayMs` late.
class Simulator {
 public:
  explicit Simulator(int delayMs, const QStringList& extra = {}) {
    proc_.setProgram(QStringLiteral(ZELVAN_SIM_PATH));
    QStringList args{QStringLiteral("--tcp"),  QStringLiteral("0"),         QStringLiteral("--udp"),
                     QStringLiteral("off"),    QStringLiteral("--bind"),    QStringLiteral("127.0.0.1"),
                     QStringLiteral("--delay"), QString::number(delayMs)};
    proc_.setArguments(args + extra);
    proc_.start();
  }
  ~Simulator() {
    proc_.kill();
    proc_.waitForFinished(3000);
  }
  // The port it listens on once it says so ("tcp: PORT"); 0 on failure.
  quint16 waitForPort() {
    if (!proc_.waitForStarted(5000)) {
      error_ = proc_.errorString();
      return 0;
    }
    QByteArray out;
    quint16 port = 0;
    pumpUntil(
        [&] {
          out += proc_.readAllStandardOutput();
          const QByteArray announced = zsim::announced(out, "tcp");
          if (announced.isEmpty()) return false;
          port = announced.toUShort();
          return true;
        },
        5000);
    if (port == 0) error_ = QStringLiteral("no port announced: ") + QString::fromLatin1(out);
    return port;
  }
  QString error() const { return error_; }

 private:
  QProcess proc_;
  QString error_;
};
#endif

}  // namespace bench_support
