// Shared by the benchmarks that build the application's windows.
#pragma once

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
