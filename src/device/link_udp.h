// UDP transport: one socket bound on every IPv4 interface at the local port
// (not shared with other sockets; broadcast allowed, as on every Qt UDP
// socket). It sends each chunk as one datagram to the device's address and
// port, and takes datagrams from exactly that address and port only.
#pragma once

#include <QHostAddress>

#include "device/link_transport.h"

class QUdpSocket;

class TUdpTransport : public TLinkTransport {
 public:
  explicit TUdpTransport(QObject* parent = nullptr);

  // The port to bind; used by the next open.
  void setLocalPort(int32_t port) { m_localPort = port; }
  int32_t localPort() const { return m_localPort; }
  // Where datagrams go, and the one sender whose datagrams are taken: the
  // address as Qt reads the text (so "127.1" is 127.0.0.1), and the port.
  void setRemote(const QString& address, int32_t port) {
    m_remoteAddress = QHostAddress(address);
    m_remotePort = port;
  }

  void open() override;
  void close() override;
  bool isOpen() const override;
  // Sends the first kIoBuffer bytes as one datagram. A datagram the socket
  // refuses is reported through onError with the socket's text.
  void send(const QByteArray& bytes) override;

 private:
  void readPending();

  QUdpSocket* m_socket = nullptr;
  int32_t m_localPort = 10000;
  QHostAddress m_remoteAddress;
  int32_t m_remotePort = 0;
};
