// The logo framing windows.
//
// BM_FramingRepaint: one repaint of a framing window's paint box with the
// hatched bands, rendered offscreen into an image; 257 x 257 (record
// mode) and 512 x 512 (mode 0, largest sizes). Goal: median under 1 ms.
//
// BM_PacedDrag: the operator drags logo 2 of Main with the pointer moving
// at 500 Hz for 2 s (1000 samples), against the device simulator
// zelvan-sim over TCP answering every command 0, 20 or 100 ms late.
// Counters: writes per second of each position register, the most writes
// of one register ever in flight at once (must be 1), the answers it
// takes after the last sample until the device holds it, and whether the
// device ends on the last sample (1) or not (0).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "sim_process.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/framing_window.h"

namespace {

using bench_support::pumpFor;
using bench_support::pumpUntil;
#ifdef ZELVAN_SIM_PATH
using bench_support::Simulator;
#endif

using zelvan::keying::TCadre_logo_1M;
using zelvan::keying::TCadre_logo_2M;
namespace Reg = zelvan::Reg;

void report(TZelvan_d& link, const QByteArray& lines) {
  link.ProcessReceived(lines);
}

// ----------------------------------------------------------------- repaint

void BM_FramingRepaint(benchmark::State& state) {
  const bool large = state.range(0) != 0;
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  // A 16:9 input (family 25): bands above and below the picture.
  report(link, large ? QByteArrayLiteral("LMOD0\r\nIFA25\r\nLHPA200\r\nLVPA30\r\nLHSA255\r\nLVSA255\r\n")
                     : QByteArrayLiteral("LMOD1\r\nIFA25\r\nLHPA100\r\nLVPA60\r\nLHSA80\r\nLVSA60\r\n"));
  TCadre_logo_1M w(&link);
  w.tableau_logo_IASPchange();
  const QSize size = w.PaintBox1->size();
  if (size != (large ? QSize(512, 512) : QSize(257, 257))) {
    state.SkipWithError("unexpected paint box size");
    return;
  }
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    w.PaintBox1->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  // The bands were drawn: a row near the top holds black hatch pixels.
  int black = 0;
  for (int x = 2; x < 90; ++x) black += qGray(image.pixel(x, 10)) < 128 ? 1 : 0;
  if (black == 0) state.SkipWithError("no bands drawn");
  state.counters["width"] = size.width();
}
BENCHMARK(BM_FramingRepaint)
    ->ArgName("mode0_512")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// -------------------------------------------------------------- paced drag

#ifdef ZELVAN_SIM_PATH


// Writes and answers of one register.
struct Traffic {
  int sent = 0;
  int inFlight = 0;
  int maxInFlight = 0;
  int answers = 0;
  void onSent() {
    ++sent;
    maxInFlight = std::max(maxInFlight, ++inFlight);
  }
  void onAnswer() {
    ++answers;
    if (inFlight > 0) --inFlight;
  }
};

void mouse(QWidget* box, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent e(type, at, box->mapToGlobal(at), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(box, &e);
}

void BM_PacedDrag(benchmark::State& state) {
  const int delayMs = int(state.range(0));
  Simulator sim(delayMs);
  const quint16 port = sim.waitForPort();
  if (port == 0) {
    state.SkipWithError(sim.error().toStdString().c_str());
    return;
  }
  TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  link.setSupervisorTimeScale(5);
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(port);
  link.setConType(CON_TCP);
  link.SupervisorTick();
  if (!pumpUntil([&] { return link.Ready(); }, 20000)) {
    state.SkipWithError("the link never became ready");
    return;
  }
  // Watch at the production pace from now on, so the identity checks never
  // outrun the delayed answers.
  link.setSupervisorTimeScale(100);

  TCadre_logo_2M w(&link);
  Traffic h, v;
  bool counting = false;
  link.OnSentString = [&](QObject*, int) {
    if (!counting) return;
    const QString s = link.sentString();
    if (s.endsWith(QLatin1String("Lh"))) h.onSent();
    if (s.endsWith(QLatin1String("Lv"))) v.onSent();
  };
  link.OnLHPOS2Mchange = [&](QObject*, int) {
    if (counting) h.onAnswer();
    if (w.isVisible()) w.tableau_logo_LHPOS2Mchange();
  };
  link.OnLVPOS2Mchange = [&](QObject*, int) {
    if (counting) v.onAnswer();
    if (w.isVisible()) w.tableau_logo_LVPOS2Mchange();
  };

  // Start from a known rectangle, in use mode, after the full state.
  link.setLMODEM(0);
  link.setLHSIZ2M(40);
  link.setLVSIZ2M(40);
  link.setLHPOS2M(0);
  link.setLVPOS2M(0);
  if (!pumpUntil(
          [&] {
            return link.LHPOS2M() == 0 && link.LVPOS2M() == 0 && link.LHSIZ2M() == 40 &&
                   link.LVSIZ2M() == 40 && link.LMODEM() == 0;
          },
          5000)) {
    state.SkipWithError("the device did not take the start rectangle");
    return;
  }
  pumpFor(delayMs + 300);
  w.show();
  QCoreApplication::processEvents();

  constexpr int kSamples = 1000;
  constexpr int kPeriodMs = 2;
  const QPoint grab(10, 10);
  auto corner = [](int i) {
    const int wiggle = (i * 37) % 7 - 3;
    return QPoint(20 + 200 * i / (kSamples - 1) + wiggle, 20 + 160 * i / (kSamples - 1) - wiggle);
  };
  const QPoint last = corner(kSamples - 1);

  double dragMs = 0, convergeMs = 0;
  int answersAfterLastH = -1, answersAfterLastV = -1;
  for (auto _ : state) {
    answersAfterLastH = answersAfterLastV = -1;
    h = Traffic{};
    v = Traffic{};
    counting = true;
    QWidget* box = w.PaintBox1;
    QElapsedTimer clock;
    clock.start();
    mouse(box, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);

    int i = 0;
    QEventLoop loop;
    QTimer pacer;
    pacer.setTimerType(Qt::PreciseTimer);
    pacer.setInterval(kPeriodMs);
    QObject::connect(&pacer, &QTimer::timeout, [&] {
      mouse(box, QEvent::MouseMove, corner(i) + grab, Qt::NoButton, Qt::LeftButton);
      if (++i == kSamples) {
        pacer.stop();
        loop.quit();
      }
    });
    pacer.start();
    loop.exec();
    mouse(box, QEvent::MouseButtonRelease, last + grab, Qt::LeftButton, Qt::NoButton);
    const qint64 lastSampleAt = clock.elapsed();
    const int hBefore = h.answers, vBefore = v.answers;

    // Until the device holds the last sample and the queue has drained.
    pumpUntil(
        [&] {
          if (answersAfterLastH < 0 && link.LHPOS2M() == uint32_t(last.x()))
            answersAfterLastH = h.answers - hBefore;
          if (answersAfterLastV < 0 && link.LVPOS2M() == uint32_t(last.y()))
            answersAfterLastV = v.answers - vBefore;
          return answersAfterLastH >= 0 && answersAfterLastV >= 0 && w.drag().positionCount() == 0;
        },
        20000);
    dragMs = double(lastSampleAt);
    convergeMs = double(clock.elapsed() - lastSampleAt);
    counting = false;
  }
  const double seconds = (dragMs + convergeMs) / 1000.0;
  state.counters["delay_ms"] = delayMs;
  state.counters["drag_ms"] = dragMs;
  state.counters["converge_ms"] = convergeMs;
  state.counters["cmds_per_s_H"] = seconds > 0 ? h.sent / seconds : 0;
  state.counters["cmds_per_s_V"] = seconds > 0 ? v.sent / seconds : 0;
  state.counters["writes_H"] = h.sent;
  state.counters["writes_V"] = v.sent;
  state.counters["max_in_flight_H"] = h.maxInFlight;
  state.counters["max_in_flight_V"] = v.maxInFlight;
  state.counters["round_trips_after_last"] = std::max(answersAfterLastH, answersAfterLastV);
  state.counters["final_is_last"] =
      link.LHPOS2M() == uint32_t(last.x()) && link.LVPOS2M() == uint32_t(last.y()) ? 1 : 0;
  w.close();
  link.setConType(CON_NONE);
}
BENCHMARK(BM_PacedDrag)
    ->ArgName("delay_ms")
    ->Arg(0)
    ->Arg(20)
    ->Arg(100)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

#endif  // ZELVAN_SIM_PATH

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
