// Serial port names as the operator sees them ("COM1" .. "COM9",
// "\\.\COM10" .. "\\.\COM16") and the device paths they stand for here.
#pragma once

#include <QString>

namespace zelvan {

constexpr int kComPortCount = 16;

// The operator-facing name of port n (1..16).
QString comPortName(int n);

// The port number of an operator-facing name, or 0 when it is none.
int comPortNumber(const QString& name);

// The device path of an operator-facing name: a line "COMn=<path>" in
// "Option.ini" in the working directory when present, otherwise
// /dev/ttyS<n-1>. A name that is no COM name is returned unchanged, so a
// plain device path also works.
QString resolveComPort(const QString& name, const QString& optionFile = QStringLiteral("Option.ini"));

// Whether the port exists and is free: it can be opened right now.
bool probeComPort(const QString& name);

}  // namespace zelvan
