// UDP side of the simulator: one socket on the device port. Each datagram's
// sender becomes a peer that receives every report from that same port, as
// the link requires; peers are remembered for a while, a bounded number.
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QUdpSocket>
#include <vector>

#include "sim/transport.h"

namespace zsim {

class UdpTransport : public Transport {
 public:
  static constexpr int kMaxPeers = 8;
  static constexpr qint64 kPeerIdleMs = 60000;  // a silent peer is forgotten after this
  static constexpr qsizetype kMaxDatagram = 8192;
  static constexpr qsizetype kChunk = 1400;     // reports go out in datagrams of whole lines up to this size

  explicit UdpTransport(QObject* parent = nullptr);
  bool bind(const QHostAddress& address, quint16 port, QString* error);
  quint16 port() const { return m_socket.localPort(); }
  int peerCount() const { return static_cast<int>(m_peers.size()); }
  void send(const QByteArray& bytes) override;

  // Whole lines, at most `limit` bytes each (a longer line goes alone).
  static std::vector<QByteArray> splitLines(const QByteArray& bytes, qsizetype limit);

 private:
  struct Peer {
    QHostAddress address;
    quint16 port;
    qint64 lastSeen;
  };
  void readPending();
  void notePeer(const QHostAddress& a, quint16 p);
  static QString sourceName(const QHostAddress& a, quint16 p);

  QUdpSocket m_socket;
  QElapsedTimer m_clock;
  std::vector<Peer> m_peers;
};

}  // namespace zsim
