// The link's three transports: RS-232, UDP and TCP client. Exactly one is
// live, chosen by ConType; every received chunk goes to ProcessReceived on
// the event thread, in arrival order.
#include <QHostAddress>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>
#include <cstring>

#include "device/comports.h"
#include "device/zelvan_d.h"

namespace {
constexpr qsizetype kIoBuffer = 8192;

// Only the bytes before the first zero byte of a datagram or TCP read count.
qsizetype cutAtZero(const char* data, qsizetype n) {
  const void* z = std::memchr(data, 0, static_cast<size_t>(n));
  return z ? static_cast<const char*>(z) - data : n;
}

bool validPort(int32_t p) { return p >= 0 && p <= 65535; }
}  // namespace

void TZelvan_d::initTransports() {
  m_serial = new QSerialPort(this);
  m_udp = new QUdpSocket(this);
  m_tcp = new QTcpSocket(this);
  m_tcpHost = m_ipRemoteAddress;
  m_tcpPort = m_ipRemotePort;
  connect(m_serial, &QSerialPort::readyRead, this, &TZelvan_d::onSerialReadyRead);
  connect(m_udp, &QUdpSocket::readyRead, this, &TZelvan_d::onUdpReadyRead);
  connect(m_tcp, &QTcpSocket::readyRead, this, &TZelvan_d::onTcpReadyRead);
  connect(m_tcp, &QTcpSocket::connected, this, [this] { m_tcpConnecting = false; });
  connect(m_tcp, &QTcpSocket::errorOccurred, this, &TZelvan_d::onTcpError);
}

TZelvan_d::~TZelvan_d() {
  m_timer->stop();
  m_serial->disconnect(this);
  m_udp->disconnect(this);
  m_tcp->disconnect(this);
  if (m_serial->isOpen()) m_serial->close();
  if (m_udp->state() != QAbstractSocket::UnconnectedState) m_udp->close();
  m_tcp->abort();
}

bool TZelvan_d::SerialOpen() const { return m_serial->isOpen(); }
bool TZelvan_d::UdpActive() const { return m_udp->state() == QAbstractSocket::BoundState; }
bool TZelvan_d::TcpConnected() const { return m_tcp->state() == QAbstractSocket::ConnectedState; }

// ------------------------------------------------------------------ serial

void TZelvan_d::OpenSerial() {
  if (m_port.isEmpty()) return;
  m_state = 0;
  if (m_serial->isOpen()) return;
  m_serial->setPortName(zelvan::resolveComPort(m_port));
  // A port that is missing or in use simply stays closed.
  if (!m_serial->open(QIODevice::ReadWrite)) return;
  m_serial->setBaudRate(QSerialPort::Baud9600);
  m_serial->setDataBits(QSerialPort::Data8);
  m_serial->setParity(QSerialPort::NoParity);
  m_serial->setStopBits(QSerialPort::OneStop);
  m_serial->setFlowControl(QSerialPort::NoFlowControl);
  m_serial->clear(QSerialPort::AllDirections);
  // Some ports (pseudo-terminals) have no modem lines; that is no failure.
  m_serial->setDataTerminalReady(false);
  m_serial->setRequestToSend(false);
  m_serial->clearError();
}

void TZelvan_d::CloseSerial() {
  m_state = 0;
  if (m_serial->isOpen()) m_serial->close();
}

void TZelvan_d::onSerialReadyRead() {
  const QByteArray data = m_serial->readAll();
  if (m_conType != CON_RS232 || data.isEmpty()) return;
  ProcessReceived(data);
}

// --------------------------------------------------------------------- UDP

void TZelvan_d::OpenUdp() {
  if (UdpActive()) return;
  m_state = 0;
  if (!validPort(m_udpPort) ||
      !m_udp->bind(QHostAddress::AnyIPv4, static_cast<quint16>(m_udpPort), QAbstractSocket::DontShareAddress)) {
    m_udp->close();  // port in use: stay inactive, say nothing
  }
}

void TZelvan_d::CloseUdp() {
  m_state = 0;
  if (m_udp->state() != QAbstractSocket::UnconnectedState) m_udp->close();
}

void TZelvan_d::onUdpReadyRead() {
  char buf[kIoBuffer];
  while (m_udp->hasPendingDatagrams()) {
    QHostAddress from;
    quint16 fromPort = 0;
    const qint64 n = m_udp->readDatagram(buf, kIoBuffer, &from, &fromPort);
    if (n < 0) break;
    if (m_conType != CON_UDP) continue;
    if (from.toString() != m_ipRemoteAddress || fromPort != m_ipRemotePort) continue;
    const qsizetype len = cutAtZero(buf, static_cast<qsizetype>(n));
    ProcessReceived(buf, len);
    if (!UdpActive()) break;  // a handler closed the endpoint
  }
}

// --------------------------------------------------------------------- TCP

void TZelvan_d::OpenTcp() {
  if (m_tcp->state() != QAbstractSocket::UnconnectedState || m_tcpConnecting) return;
  m_tcpConnecting = true;
  m_state = 0;
  // The device's address is a numeric IP address. A text that is none (a
  // host name, a typo) fails at once: it is never handed to a name lookup,
  // so a bad setting cannot send queries to a name server.
  QHostAddress address;
  if (!validPort(m_tcpPort) || !address.setAddress(m_tcpHost)) {
    m_tcpConnecting = false;
    m_tcp->abort();
    return;
  }
  m_tcp->connectToHost(address, static_cast<quint16>(m_tcpPort));
}

void TZelvan_d::CloseTcp() {
  m_tcpConnecting = false;
  m_state = 0;
  m_tcp->abort();
}

void TZelvan_d::onTcpError() {
  // Refused, lost or unreachable: close, and while TCP stays selected try
  // again at once. The new attempt is started from the event loop so that
  // it never runs inside the socket's own error notification.
  CloseTcp();
  if (m_conType != CON_TCP) return;
  QTimer::singleShot(0, this, [this] {
    if (m_conType == CON_TCP) OpenTcp();
  });
}

void TZelvan_d::onTcpReadyRead() {
  char buf[kIoBuffer];
  for (;;) {
    const qint64 n = m_tcp->read(buf, kIoBuffer);
    if (n <= 0) break;
    if (m_conType != CON_TCP) continue;
    ProcessReceived(buf, cutAtZero(buf, static_cast<qsizetype>(n)));
  }
}

// ------------------------------------------------------------------- sends

void TZelvan_d::SendRaw(const QByteArray& text) {
  switch (m_conType) {
    case CON_NONE:
      break;
    case CON_RS232:
      if (m_serial->isOpen()) m_serial->write(text);
      break;
    case CON_UDP:
      if (UdpActive() && validPort(m_ipRemotePort)) {
        const qint64 sent = m_udp->writeDatagram(text.left(kIoBuffer), QHostAddress(m_ipRemoteAddress),
                                                 static_cast<quint16>(m_ipRemotePort));
        if (sent < 0) {
          const QString why = m_udp->errorString();
          CloseUdp();
          if (OnErrorMessage) OnErrorMessage(why);
        }
      }
      break;
    case CON_TCP:
      if (TcpConnected()) m_tcp->write(text.left(kIoBuffer));
      break;
  }
}

// ---------------------------------------------------------- property writes

void TZelvan_d::setConType(tConnectionType v) {
  if (v == m_conType) {
    fire(OnConTypechange);
    return;
  }
  switch (m_conType) {
    case CON_RS232: CloseSerial(); break;
    case CON_UDP: CloseUdp(); break;
    case CON_TCP: CloseTcp(); break;
    case CON_NONE: break;
  }
  m_conType = v;
  switch (v) {
    case CON_NONE:
      CloseSerial();
      CloseUdp();
      CloseTcp();
      break;
    case CON_UDP: OpenUdp(); break;
    case CON_TCP: OpenTcp(); break;
    case CON_RS232: OpenSerial(); break;
  }
  if (v != CON_NONE)
    m_timer->start(scaled(m_periodMs));  // the period it last had
  else
    m_timer->stop();
  if (!m_forceConn) {
    m_state = 0;
    clearConnectionState();
  }
  fire(OnConTypechange);
}

void TZelvan_d::setPort(const QString& name) {
  if (m_serial->isOpen()) CloseSerial();
  m_port = name;
  if (m_conType == CON_RS232) OpenSerial();
}

void TZelvan_d::setIpLocalPort(int32_t p) {
  if (p != m_ipLocalPort || !UdpActive() || !TcpConnected()) {
    if (m_conType == CON_UDP) CloseUdp();
    m_udpPort = p;
    if (m_conType == CON_UDP) OpenUdp();
  }
  m_ipLocalPort = p;
  fire(OnIpLocalPortchange);
}

void TZelvan_d::setIpRemotePort(int32_t p) {
  if (p != m_ipRemotePort) {
    if (m_conType == CON_UDP) {
      CloseUdp();
      OpenUdp();
    }
    if (m_conType == CON_TCP) {
      CloseTcp();
      m_tcpPort = p;
      OpenTcp();
    } else {
      m_tcpPort = p;
    }
  }
  m_ipRemotePort = p;
  fire(OnIpRemotePortchange);
}

void TZelvan_d::setIpRemoteAddress(const QString& a) {
  if (a != m_ipRemoteAddress) {
    if (m_conType == CON_UDP) {
      CloseUdp();
      OpenUdp();
    }
    if (m_conType == CON_TCP) {
      CloseTcp();
      m_tcpHost = a;
      OpenTcp();
    } else {
      m_tcpHost = a;
    }
  }
  m_ipRemoteAddress = a;
  fire(OnIpRemoteAddresschange);
}
