// TCP side of the simulator: a server that accepts several clients at once;
// every client receives every report.
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <map>

#include "sim/transport.h"

class QTcpSocket;

namespace zsim {

class TcpTransport : public Transport {
 public:
  static constexpr int kMaxClients = 32;
  // A client that does not read its reports is dropped before its queue passes this.
  static constexpr qint64 kMaxQueuedBytes = 1 << 20;

  explicit TcpTransport(QObject* parent = nullptr);
  ~TcpTransport() override;

  // Port 0 picks a free port. With refuse set, every client is closed as
  // soon as it is accepted.
  bool listen(const QHostAddress& address, quint16 port, bool refuse, QString* error);
  quint16 port() const { return m_server.serverPort(); }
  int clientCount() const { return static_cast<int>(m_clients.size()); }
  void send(const QByteArray& bytes) override;

 private:
  void accept();
  void drop(quint64 id, const QString& why);

  QTcpServer m_server;
  bool m_refuse = false;
  quint64 m_nextId = 1;
  std::map<quint64, QTcpSocket*> m_clients;
};

}  // namespace zsim
