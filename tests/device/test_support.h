// Shared pieces of the device link tests: an event-loop pump and a UDP peer
// that plays the device on loopback.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <functional>

#include "device/zelvan_d.h"

namespace testing_support {

// Runs the event loop until cond() holds or the time is up; returns cond().
inline bool pumpUntil(const std::function<bool()>& cond, int timeoutMs = 3000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!cond()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

inline void pumpFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A device stand-in on a loopback UDP port: records what the link sends and
// answers from its own port.
class UdpPeer {
 public:
  UdpPeer() { bound = sock.bind(QHostAddress::LocalHost, 0); }
  quint16 port() const { return sock.localPort(); }
  // Reads every datagram that has arrived and appends it to `received`.
  QByteArray drain() {
    while (sock.hasPendingDatagrams()) received += sock.receiveDatagram().data();
    return received;
  }
  bool waitFor(const QByteArray& text, int timeoutMs = 3000) {
    return pumpUntil([&] { return drain().contains(text); }, timeoutMs);
  }
  void send(const QByteArray& data, quint16 toPort) { sock.writeDatagram(data, QHostAddress::LocalHost, toPort); }
  QUdpSocket sock;
  QByteArray received;
  bool bound = false;
};

// A free UDP port on loopback (bound and released at once).
inline quint16 freeUdpPort() {
  QUdpSocket s;
  s.bind(QHostAddress::LocalHost, 0);
  return s.localPort();
}

// Points a link at a UDP peer on loopback and selects UDP.
inline quint16 attachUdp(TZelvan_d& link, const UdpPeer& peer) {
  const quint16 local = freeUdpPort();
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(peer.port());
  link.setIpLocalPort(local);
  link.setConType(CON_UDP);
  return local;
}

// Counts how often an event fires.
struct Counter {
  int n = 0;
  TZelvanNotifyEvent handler() {
    return [this](QObject*, int) { ++n; };
  }
};

}  // namespace testing_support
