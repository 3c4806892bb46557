// Reply processing throughput: a full-state burst as the device sends it
// (every register, per-channel blocks after their PCH line, address sets
// after their ADIP line), fed to ProcessReceived in transport-sized chunks.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "device/catalogue.h"
#include "device/zelvan_d.h"

using namespace zelvan;

namespace {
struct Burst {
  QByteArray bytes;
  int64_t lines = 0;
};

Burst makeBurst() {
  Burst b;
  auto add = [&](std::string_view name, uint64_t v) {
    b.bytes.append(name.data(), qsizetype(name.size()));
    b.bytes.append(QByteArray::number(v));
    b.bytes.append("\r\n");
    ++b.lines;
  };
  const auto& ranges = acceptedRanges();
  for (int i = 0; i < kRegisterCount; ++i) {
    const auto& r = registerInfo(i);
    const uint64_t v = std::min<uint64_t>(ranges[i].max, (i * 37u) % 1024u);
    if (isPerChannel(r.type)) {
      for (int ch = 1; ch <= 8; ++ch) {
        add("PCH", uint64_t(ch));
        add(r.name, std::min<uint64_t>(ranges[i].max, v + uint64_t(ch)));
      }
    } else if (r.type == RegType::OCTET) {
      for (int set = 1; set <= 3; ++set) {
        add("ADIP", uint64_t(set));
        add(r.name, uint64_t(10 * set + i % 4));
      }
    } else if (i == Reg::PCHAN || i == Reg::PADIP) {
      add(r.name, 0);
    } else {
      add(r.name, v);
    }
  }
  return b;
}

void BM_ProcessReceived(benchmark::State& state) {
  const Burst burst = makeBurst();
  const qsizetype chunk = state.range(0);
  TZelvan_d link;
  link.SetRanges(acceptedRanges());
  int64_t events = 0;
  link.OnHPOSMchange = [&](QObject*, int) { ++events; };
  for (auto _ : state) {
    const char* p = burst.bytes.constData();
    const qsizetype n = burst.bytes.size();
    for (qsizetype off = 0; off < n; off += chunk) link.ProcessReceived(p + off, std::min(chunk, n - off));
  }
  benchmark::DoNotOptimize(events);
  state.SetItemsProcessed(state.iterations() * burst.lines);
  state.SetBytesProcessed(state.iterations() * burst.bytes.size());
  state.counters["lines_per_burst"] = double(burst.lines);
}
// 16 bytes: a serial delivery; 1460: one TCP segment; 8192: a full datagram.
BENCHMARK(BM_ProcessReceived)->Arg(16)->Arg(1460)->Arg(8192);

// Starting a device-state load of a hostile 16 MiB file made only of line
// ends (the largest file the loader accepts): the time to start the replay
// and the process's peak resident memory afterwards.
void BM_SnapshotLoadOfLineEnds(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("lines.USR.Zelvan"));
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(16 * 1024 * 1024, '\n')) != 16 * 1024 * 1024) {
      state.SkipWithError("cannot write the file");
      return;
    }
  }
  for (auto _ : state) {
    TZelvan_d link;
    link.setPropertyVarLoadMiniConfigToFile(path);
    benchmark::DoNotOptimize(link.SnapshotLoadInProgress());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_SnapshotLoadOfLineEnds)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
