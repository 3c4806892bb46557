// Shared by the benchmarks that build the application's windows.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/app_info.h"

// Makes `dir` the working, application and per-user configuration
// directory, so the start-up reads (and may repair) its files there and
// never in the real ones. False when the directory is not usable.
inline bool useScratchDirectory(const QTemporaryDir& dir) {
  if (!dir.isValid() || !QDir::setCurrent(dir.path())) return false;
  zelvan::app::setApplicationDirOverride(dir.path());
  zelvan::app::setUserConfigDirOverride(dir.path());
  return true;
}

// The program of a benchmark that builds the application: offscreen unless
// told otherwise, in a scratch directory, running every registered benchmark.
inline int runAppBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!useScratchDirectory(dir)) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
