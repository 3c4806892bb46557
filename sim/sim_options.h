// Settings of a simulator run and their command line.
#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "sim/fault_injector.h"
#include "sim/sim_device.h"

namespace zsim {

struct SimSettings {
  QHostAddress bind = QHostAddress(QHostAddress::LocalHost);
  int tcpPort = 10500;  // -1: no TCP
  int udpPort = 10500;  // -1: no UDP
  bool serial = false;
  SimConfig device;
  uint64_t seed = 1;
  int timeScalePercent = 100;
  FaultConfig faults;
  QString logPath;
};

enum class ParseOutcome { Run, Help, Error };

// Parses the program's arguments (the first one is the program name).
ParseOutcome parseSimArguments(const QStringList& args, SimSettings& out, QString* message);
QString simHelpText();

}  // namespace zsim
