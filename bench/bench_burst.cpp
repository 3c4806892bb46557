// One complete full-state reply burst (every register of the catalogue,
// the per-channel ones in blocks preceded by their PCH line) fed through
// the main window's device link, with every window constructed offscreen
// and the model applied, so every change handler and panel runs.
// Goal: median under 20 ms per burst.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "app/tzelvan_main.h"
#include "app/zelvan_application.h"
#include "app_bench_support.h"

namespace {

// A plausible value of register i within its accepted range.
uint32_t valueFor(int i, uint32_t lo, uint32_t hi) {
  const uint64_t span = static_cast<uint64_t>(hi) - lo + 1;
  const uint64_t pick = (static_cast<uint64_t>(i) * 37u + 5u) % (span < 256 ? span : 256);
  return static_cast<uint32_t>(lo + pick);
}

QByteArray fullBurst() {
  const auto& cat = zelvan::catalogue();
  const auto& ranges = zelvan::acceptedRanges();
  QByteArray burst;
  auto line = [&burst](std::string_view name, uint32_t v) {
    burst += QByteArray(name.data(), qsizetype(name.size())) + QByteArray::number(v) + "\r\n";
  };
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    if (zelvan::isPerChannel(cat[static_cast<size_t>(i)].type) || i == zelvan::Reg::PCHAN) continue;
    uint32_t v = valueFor(i, ranges[static_cast<size_t>(i)].min, ranges[static_cast<size_t>(i)].max);
    if (i == zelvan::Reg::DEV) v = 36;
    if (i == zelvan::Reg::UNITy) v = 27000;
    if (i == zelvan::Reg::ILDM || i == zelvan::Reg::ILDP) v = 5656;
    if (i == zelvan::Reg::IFDM || i == zelvan::Reg::IFDP) v = 625;
    if (i == zelvan::Reg::IPSIGM || i == zelvan::Reg::IPSIGP) v = 1;
    if (i == zelvan::Reg::IOORM || i == zelvan::Reg::IOORP) v = 0;
    line(cat[static_cast<size_t>(i)].name, v);
  }
  for (uint32_t ch = 1; ch <= 8; ++ch) {
    line(cat[zelvan::Reg::PCHAN].name, ch);
    for (int i = 0; i < zelvan::kRegisterCount; ++i)
      if (zelvan::isPerChannel(cat[static_cast<size_t>(i)].type))
        line(cat[static_cast<size_t>(i)].name,
             valueFor(i + static_cast<int>(ch), ranges[static_cast<size_t>(i)].min, ranges[static_cast<size_t>(i)].max));
  }
  return burst;
}

void BM_FullStateBurst(benchmark::State& state) {
  TZelvanApplication app;
  app.start(false);
  TZelvan_main* m = app.main();
  TZelvan_d& link = *m->link();
  m->show();
  // The model is applied before the burst, as after a real identification.
  link.ProcessReceived(QByteArrayLiteral("DEV36\r\n"));
  QApplication::processEvents();

  const QByteArray burst = fullBurst();
  for (auto _ : state) {
    link.ProcessReceived(burst);
    state.PauseTiming();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["lines"] = static_cast<double>(burst.count('\n'));
  // The burst really went through the handlers.
  const QTableWidgetItem* line = m->StringGrid1()->item(3, 1);
  if (!line || line->text() != QStringLiteral("47KHz")) state.SkipWithError("the status rows were not filled");
}
BENCHMARK(BM_FullStateBurst)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return runAppBenchmarks(argc, argv); }
