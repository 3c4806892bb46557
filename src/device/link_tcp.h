// TCP client transport: connects to the device's numeric IP address and
// port. A text that is no numeric address (a host name, a typo) fails at
// once: it is never handed to a name lookup, so a bad setting cannot send
// queries to a name server.
#pragma once

#include "device/link_transport.h"

class QTcpSocket;

class TTcpTransport : public TLinkTransport {
 public:
  explicit TTcpTransport(QObject* parent = nullptr);

  // Where the next open connects to.
  void setRemote(const QString& address, int32_t port) {
    m_remoteAddress = address;
    m_remotePort = port;
  }

  // Starts connecting; isOpen() once the device has accepted.
  void open() override;
  // Drops the connection, or the attempt, at once.
  void close() override;
  bool isOpen() const override;
  bool isIdle() const override;
  // Writes the first kIoBuffer bytes.
  void send(const QByteArray& bytes) override;
  // Refused, lost or unreachable: reported through onError with the
  // socket's text, the socket left as it is for the handler to close.

 private:
  void readPending();

  QTcpSocket* m_socket = nullptr;
  bool m_connecting = false;  // an attempt is under way
  QString m_remoteAddress;
  int32_t m_remotePort = 0;
};
