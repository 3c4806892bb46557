#include "device/link_tcp.h"

#include <QHostAddress>
#include <QTcpSocket>

TTcpTransport::TTcpTransport(QObject* parent) : TLinkTransport(parent), m_socket(new QTcpSocket(this)) {
  connect(m_socket, &QTcpSocket::readyRead, this, &TTcpTransport::readPending);
  connect(m_socket, &QTcpSocket::connected, this, [this] { m_connecting = false; });
  connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { failed(m_socket->errorString()); });
}

bool TTcpTransport::isOpen() const { return m_socket->state() == QAbstractSocket::ConnectedState; }

bool TTcpTransport::isIdle() const { return m_socket->state() == QAbstractSocket::UnconnectedState && !m_connecting; }

void TTcpTransport::open() {
  if (!isIdle()) return;
  m_connecting = true;
  QHostAddress address;
  if (!validPort(m_remotePort) || !address.setAddress(m_remoteAddress)) {
    m_connecting = false;
    m_socket->abort();
    return;
  }
  m_socket->connectToHost(address, static_cast<quint16>(m_remotePort));
}

void TTcpTransport::close() {
  m_connecting = false;
  m_socket->abort();
}

void TTcpTransport::send(const QByteArray& bytes) {
  if (isOpen()) m_socket->write(bytes.left(kIoBuffer));
}

void TTcpTransport::readPending() {
  char buf[kIoBuffer];
  for (;;) {
    const qint64 n = m_socket->read(buf, kIoBuffer);
    if (n <= 0) break;
    received(buf, cutAtZero(buf, static_cast<qsizetype>(n)));
  }
}
