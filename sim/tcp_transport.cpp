#include "sim/tcp_transport.h"

#include <QTcpSocket>

namespace zsim {

namespace {
QString sourceName(quint64 id) { return QStringLiteral("tcp#%1").arg(id); }
}  // namespace

TcpTransport::TcpTransport(QObject* parent) : Transport(parent) {
  QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
}

TcpTransport::~TcpTransport() {
  for (auto& [id, sock] : m_clients) {
    sock->disconnect(this);
    sock->abort();
    delete sock;
  }
  m_clients.clear();
}

bool TcpTransport::listen(const QHostAddress& address, quint16 port, bool refuse, QString* error) {
  m_refuse = refuse;
  if (!m_server.listen(address, port)) {
    if (error) *error = QStringLiteral("TCP port %1: %2").arg(port).arg(m_server.errorString());
    return false;
  }
  return true;
}

void TcpTransport::accept() {
  while (QTcpSocket* sock = m_server.nextPendingConnection()) {
    const QString peer = QStringLiteral("%1:%2").arg(sock->peerAddress().toString()).arg(sock->peerPort());
    if (m_refuse || static_cast<int>(m_clients.size()) >= kMaxClients) {
      event(QStringLiteral("TCP client %1 refused").arg(peer));
      sock->abort();
      sock->deleteLater();
      continue;
    }
    const quint64 id = m_nextId++;
    m_clients.emplace(id, sock);
    event(QStringLiteral("TCP client %1 connected as %2").arg(peer, sourceName(id)));
    QObject::connect(sock, &QTcpSocket::readyRead, this, [this, id, sock] {
      const QByteArray data = sock->readAll();
      if (!data.isEmpty()) received(sourceName(id), data);
    });
    QObject::connect(sock, &QTcpSocket::disconnected, this, [this, id] { drop(id, QStringLiteral("disconnected")); });
  }
}

void TcpTransport::drop(quint64 id, const QString& why) {
  const auto it = m_clients.find(id);
  if (it == m_clients.end()) return;
  QTcpSocket* sock = it->second;
  m_clients.erase(it);
  sock->disconnect(this);
  sock->abort();
  sock->deleteLater();
  event(QStringLiteral("%1 %2").arg(sourceName(id), why));
  closed(sourceName(id));
}

void TcpTransport::send(const QByteArray& bytes) {
  std::vector<quint64> stuck;
  for (auto& [id, sock] : m_clients) {
    if (sock->bytesToWrite() + bytes.size() > kMaxQueuedBytes) {
      stuck.push_back(id);
      continue;
    }
    sock->write(bytes);
  }
  for (quint64 id : stuck) drop(id, QStringLiteral("dropped: it does not read its reports"));
}

}  // namespace zsim
