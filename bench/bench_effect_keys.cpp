// An effect key pressed in the running application until the device has
// echoed the key's whole register set, against the device simulator
// zelvan-sim over TCP: keys 1 and 5 (Cut, held PiP) are pressed in turn,
// each press sending 26 commands; the time runs from the click to the
// reply of the last register (the closing duration). Goal: under 100 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/effects_feature.h"
#include "app/tzelvan_main.h"
#include "app/zelvan_application.h"
#include "app_bench_support.h"
#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "panel/keying/effect_keys.h"
#include "panel/keying/effects_panels.h"
#include "sim_process.h"

namespace {

#ifdef ZELVAN_SIM_PATH
void BM_KeyPressToLastEcho(benchmark::State& state) {
  bench_support::Simulator sim(0);
  const quint16 port = sim.waitForPort();
  if (port == 0) {
    state.SkipWithError(sim.error().toStdString().c_str());
    return;
  }
  TZelvanApplication app;
  app.start(false);
  TZelvan_main* m = app.main();
  TZelvan_d& link = *m->link();
  link.setSupervisorTimeScale(5);
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(port);
  link.setConType(CON_TCP);
  link.SupervisorTick();
  if (!bench_support::pumpUntil([&] { return link.Ready(); }, 20000)) {
    state.SkipWithError("the link never became ready");
    return;
  }
  link.setSupervisorTimeScale(100);
  zelvan::keying::TEffectKeys* keys = m->feature<zelvan::app::TEffectsFeature>()->panels()->keys();
  bench_support::pumpUntil([&] { return keys->matchingDone(); }, 5000);
  bench_support::pumpFor(200);
  // The closing duration's reply ends every key's echo.
  const std::string last = std::string(zelvan::registerInfo(zelvan::Reg::EFFCLSDUR).name);
  int echoes = 0;
  link.OnRecString = [&](QObject*, int) {
    if (link.receivedString().startsWith(QString::fromLatin1(last.data(), qsizetype(last.size())))) ++echoes;
  };
  int key = 1;
  int timeouts = 0;
  for (auto _ : state) {
    QToolButton* b = keys->SpeedButton_Effet(key);
    if (b->isChecked()) b->click();  // released first, so the click below puts it down
    state.PauseTiming();
    bench_support::pumpFor(5);
    const int before = echoes;
    state.ResumeTiming();
    b->click();
    if (!bench_support::pumpUntil([&] { return echoes > before; }, 2000)) ++timeouts;
    key = key == 1 ? 5 : 1;
  }
  link.OnRecString = nullptr;
  state.counters["timeouts"] = timeouts;
  if (timeouts) state.SkipWithError("a press was never echoed to the end");
}
BENCHMARK(BM_KeyPressToLastEcho)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
#endif

}  // namespace

int main(int argc, char** argv) { return runAppBenchmarks(argc, argv); }
