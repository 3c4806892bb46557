#include "device/link_udp.h"

#include <QUdpSocket>

TUdpTransport::TUdpTransport(QObject* parent) : TLinkTransport(parent), m_socket(new QUdpSocket(this)) {
  connect(m_socket, &QUdpSocket::readyRead, this, &TUdpTransport::readPending);
}

bool TUdpTransport::isOpen() const { return m_socket->state() == QAbstractSocket::BoundState; }

void TUdpTransport::open() {
  if (isOpen()) return;
  if (!validPort(m_localPort) || !m_socket->bind(QHostAddress::AnyIPv4, static_cast<quint16>(m_localPort),
                                                 QAbstractSocket::DontShareAddress)) {
    m_socket->close();  // port in use: stay inactive, say nothing
  }
}

void TUdpTransport::close() {
  if (m_socket->state() != QAbstractSocket::UnconnectedState) m_socket->close();
}

void TUdpTransport::send(const QByteArray& bytes) {
  if (!isOpen() || !validPort(m_remotePort)) return;
  const qint64 sent =
      m_socket->writeDatagram(bytes.left(kIoBuffer), m_remoteAddress, static_cast<quint16>(m_remotePort));
  if (sent < 0) failed(m_socket->errorString());
}

void TUdpTransport::readPending() {
  char buf[kIoBuffer];
  while (m_socket->hasPendingDatagrams()) {
    QHostAddress from;
    quint16 fromPort = 0;
    // A longer datagram is cut to its first kIoBuffer bytes.
    const qint64 n = m_socket->readDatagram(buf, kIoBuffer, &from, &fromPort);
    if (n < 0) break;
    // Compared as addresses, not as text: the reply to a datagram sent to
    // an address written in another form ("127.1") still counts.
    if (from != m_remoteAddress || fromPort != m_remotePort) continue;
    received(buf, cutAtZero(buf, static_cast<qsizetype>(n)));
    if (!isOpen()) break;  // a handler closed the endpoint
  }
}
