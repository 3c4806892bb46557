#include "sim/udp_transport.h"

#include <QNetworkDatagram>
#include <algorithm>

namespace zsim {

UdpTransport::UdpTransport(QObject* parent) : Transport(parent) {
  m_clock.start();
  QObject::connect(&m_socket, &QUdpSocket::readyRead, this, [this] { readPending(); });
}

bool UdpTransport::bind(const QHostAddress& address, quint16 port, QString* error) {
  if (!m_socket.bind(address, port)) {
    if (error) *error = QStringLiteral("UDP port %1: %2").arg(port).arg(m_socket.errorString());
    return false;
  }
  return true;
}

QString UdpTransport::sourceName(const QHostAddress& a, quint16 p) {
  return QStringLiteral("udp:%1:%2").arg(a.toString()).arg(p);
}

void UdpTransport::notePeer(const QHostAddress& a, quint16 p) {
  const qint64 now = m_clock.elapsed();
  // Forget peers that have gone quiet.
  for (auto it = m_peers.begin(); it != m_peers.end();) {
    if (now - it->lastSeen > kPeerIdleMs) {
      closed(sourceName(it->address, it->port));
      it = m_peers.erase(it);
    } else {
      ++it;
    }
  }
  for (Peer& peer : m_peers) {
    if (peer.port == p && peer.address.isEqual(a)) {
      peer.lastSeen = now;
      return;
    }
  }
  if (static_cast<int>(m_peers.size()) >= kMaxPeers) {
    // The peer heard from longest ago makes room.
    auto oldest = std::min_element(m_peers.begin(), m_peers.end(),
                                   [](const Peer& x, const Peer& y) { return x.lastSeen < y.lastSeen; });
    closed(sourceName(oldest->address, oldest->port));
    m_peers.erase(oldest);
  }
  m_peers.push_back({a, p, now});
  event(QStringLiteral("UDP peer %1").arg(sourceName(a, p)));
}

void UdpTransport::readPending() {
  while (m_socket.hasPendingDatagrams()) {
    const QNetworkDatagram d = m_socket.receiveDatagram(kMaxDatagram);
    if (!d.isValid()) continue;
    const QHostAddress a = d.senderAddress();
    const quint16 p = static_cast<quint16>(d.senderPort());
    notePeer(a, p);
    if (!d.data().isEmpty()) received(sourceName(a, p), d.data());
  }
}

std::vector<QByteArray> UdpTransport::splitLines(const QByteArray& bytes, qsizetype limit) {
  std::vector<QByteArray> out;
  QByteArray current;
  qsizetype pos = 0;
  while (pos < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', pos);
    end = end < 0 ? bytes.size() : end + 1;
    const QByteArray line = bytes.mid(pos, end - pos);
    pos = end;
    if (!current.isEmpty() && current.size() + line.size() > limit) {
      out.push_back(current);
      current.clear();
    }
    current += line;
  }
  if (!current.isEmpty()) out.push_back(current);
  return out;
}

void UdpTransport::send(const QByteArray& bytes) {
  if (m_peers.empty()) return;
  const auto chunks = splitLines(bytes, kChunk);
  for (const Peer& peer : m_peers)
    for (const QByteArray& c : chunks) m_socket.writeDatagram(c.left(kMaxDatagram), peer.address, peer.port);
}

}  // namespace zsim
