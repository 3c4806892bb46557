// What zelvan-sim prints on standard output once it listens: one
// line per transport, "tcp: PORT", "udp: PORT" and "serial: PATH"; and
// reading it back in the programs that start the simulator.
#pragma once

#include <QByteArray>
#include <QString>

namespace zsim {

// The line that announces a transport.
inline QString announcement(const char* transport, const QString& value) {
  return QString::fromLatin1(transport) + QStringLiteral(": ") + value;
}

// The value announced for `transport` ("tcp", "udp", "serial") in the output
// read so far; empty until that line is complete.
inline QByteArray announced(const QByteArray& output, const char* transport) {
  const QByteArray key = QByteArray(transport) + ": ";
  const auto at = output.indexOf(key);
  if (at < 0) return {};
  const auto end = output.indexOf('\n', at);
  if (end < 0) return {};
  return output.mid(at + key.size(), end - at - key.size()).trimmed();
}

}  // namespace zsim
