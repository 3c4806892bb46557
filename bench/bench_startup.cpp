// Start-up cost of the application: creating every window and running the
// main window's start-up sequence, offscreen. Prints the process's peak
// resident memory after one start-up and after the whole run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "app/zelvan_application.h"
#include "app_bench_support.h"

namespace {
long peakResidentKb() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

void BM_StartupAllWindows(benchmark::State& state) {
  for (auto _ : state) {
    TZelvanApplication app;
    app.start(false);
    benchmark::DoNotOptimize(app.main());
  }
}
BENCHMARK(BM_StartupAllWindows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QTemporaryDir dir;
  if (!useScratchDirectory(dir)) return 1;

  {
    TZelvanApplication first;
    first.start(false);
    std::printf("Peak resident memory after start-up: %.1f MB\n", double(peakResidentKb()) / 1024.0);
  }

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("Peak resident memory after the run: %.1f MB\n", double(peakResidentKb()) / 1024.0);
  return 0;
}
