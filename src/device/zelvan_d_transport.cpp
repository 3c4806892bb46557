// The link's side of its three transports: RS-232, UDP and TCP client.
// Exactly one is live, chosen by ConType; every chunk it receives goes to
// ProcessReceived on the event thread, in arrival order. Closing a
// transport, and starting one, send the supervisor back to state 0.
#include <QTimer>

#include "device/link_serial.h"
#include "device/link_tcp.h"
#include "device/link_udp.h"
#include "device/zelvan_d.h"

void TZelvan_d::initTransports() {
  m_serial = new TSerialTransport(this);
  m_udp = new TUdpTransport(this);
  m_tcp = new TTcpTransport(this);
  m_udp->setLocalPort(m_ipLocalPort);
  pointTransports(m_ipRemoteAddress, m_ipRemotePort);
  for (TLinkTransport* t : transports()) {
    // A transport that is not selected is still read, and its bytes dropped.
    t->onReceived = [this, t](const char* data, qsizetype size) {
      if (m_active == t) ProcessReceived(data, size);
    };
  }
  // A datagram the socket refuses closes the endpoint and is shown.
  m_udp->onError = [this](const QString& why) {
    CloseUdp();
    if (OnErrorMessage) OnErrorMessage(why);
  };
  m_tcp->onError = [this](const QString&) { onTcpError(); };
}

TZelvan_d::~TZelvan_d() {
  m_timer->stop();
  for (TLinkTransport* t : transports()) {
    t->onReceived = nullptr;
    t->onError = nullptr;
    t->close();
  }
}

std::array<TLinkTransport*, 3> TZelvan_d::transports() const { return {m_serial, m_udp, m_tcp}; }

TLinkTransport* TZelvan_d::transportFor(tConnectionType type) const {
  switch (type) {
    case CON_RS232: return m_serial;
    case CON_UDP: return m_udp;
    case CON_TCP: return m_tcp;
    case CON_NONE: break;
  }
  return nullptr;
}

void TZelvan_d::closeTransport(TLinkTransport& transport) {
  m_state = Supervisor::Idle;
  transport.close();
}

// The device's address and port, for the UDP datagrams and the TCP client.
void TZelvan_d::pointTransports(const QString& address, int32_t port) {
  m_udp->setRemote(address, port);
  m_tcp->setRemote(address, port);
}

bool TZelvan_d::SerialOpen() const { return m_serial->isOpen(); }
bool TZelvan_d::UdpActive() const { return m_udp->isOpen(); }
bool TZelvan_d::TcpConnected() const { return m_tcp->isOpen(); }

void TZelvan_d::OpenSerial() {
  if (m_port.isEmpty()) return;
  m_state = Supervisor::Idle;
  m_serial->setPortName(m_port);
  m_serial->open();
}

void TZelvan_d::CloseSerial() { closeTransport(*m_serial); }

void TZelvan_d::OpenUdp() {
  if (m_udp->isOpen()) return;
  m_state = Supervisor::Idle;
  m_udp->open();
}

void TZelvan_d::CloseUdp() { closeTransport(*m_udp); }

void TZelvan_d::OpenTcp() {
  if (!m_tcp->isIdle()) return;
  m_state = Supervisor::Idle;
  m_tcp->open();
}

void TZelvan_d::CloseTcp() { closeTransport(*m_tcp); }

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

void TZelvan_d::SendRaw(const QByteArray& text) {
  if (m_active) m_active->send(text);
}

// ---------------------------------------------------------- property writes

void TZelvan_d::setConType(tConnectionType v) {
  if (v == m_conType) {
    fire(OnConTypechange);
    return;
  }
  if (m_active) closeTransport(*m_active);
  m_conType = v;
  m_active = transportFor(v);
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
    m_state = Supervisor::Idle;
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
    m_udp->setLocalPort(p);
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
    if (m_conType == CON_TCP) CloseTcp();
    pointTransports(m_ipRemoteAddress, p);
    if (m_conType == CON_TCP) OpenTcp();
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
    if (m_conType == CON_TCP) CloseTcp();
    pointTransports(a, m_ipRemotePort);
    if (m_conType == CON_TCP) OpenTcp();
  }
  m_ipRemoteAddress = a;
  fire(OnIpRemoteAddresschange);
}
