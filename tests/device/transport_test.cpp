#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "device/comports.h"
#include "device/zelvan_d.h"
#include "test_support.h"

using namespace zelvan;
using namespace testing_support;

// ------------------------------------------------------------------- TCP

TEST(TcpTransport, ConnectsSendsAndReceives) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  TZelvan_d link;
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(server.serverPort());
  link.setConType(CON_TCP);
  ASSERT_TRUE(pumpUntil([&] { return server.hasPendingConnections() || link.TcpConnected(); }));
  ASSERT_TRUE(pumpUntil([&] { return link.TcpConnected(); }));
  QTcpSocket* peer = server.nextPendingConnection();
  ASSERT_NE(peer, nullptr);

  link.SendRaw(QByteArray("?"));
  ASSERT_TRUE(pumpUntil([&] { return peer->bytesAvailable() >= 1; }));
  EXPECT_EQ(peer->readAll(), "?");

  // Only the bytes before a zero byte of one read count.
  peer->write(QByteArray("HP5\r\n\0VP9\r\n", 11));
  peer->flush();
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 5; }));
  pumpFor(50);
  EXPECT_EQ(link.VPOSM(), 0u);
  peer->write("VP7\r\n");
  ASSERT_TRUE(pumpUntil([&] { return link.VPOSM() == 7; }));

  // The device closing the connection makes the link connect again at once.
  peer->close();
  ASSERT_TRUE(pumpUntil([&] { return server.hasPendingConnections(); }));
  ASSERT_TRUE(pumpUntil([&] { return link.TcpConnected(); }));
  QTcpSocket* peer2 = server.nextPendingConnection();
  ASSERT_NE(peer2, nullptr);
  peer2->write("HP6\r\n");
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 6; })) << "the new connection carries reports";
  // Data sent once another transport is selected is ignored.
  link.setConType(CON_NONE);
  EXPECT_FALSE(link.TcpConnected());
  peer2->write("HP8\r\n");
  peer2->flush();
  pumpFor(50);
  EXPECT_EQ(link.HPOSM(), 6u);
  delete peer2;
}

TEST(TcpTransport, RetriesAfterEveryRefusal) {
  // A server that accepts and drops every client at once stands for a device
  // that refuses: the link must keep trying and never become connected.
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  int attempts = 0;
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (QTcpSocket* s = server.nextPendingConnection()) {
      ++attempts;
      s->abort();
      s->deleteLater();
    }
  });
  TZelvan_d link;
  link.setSupervisorTimeScale(5);
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(server.serverPort());
  link.setConType(CON_TCP);
  ASSERT_TRUE(pumpUntil([&] { return attempts >= 5; }, 5000));
  EXPECT_FALSE(link.Connected());
  link.setConType(CON_NONE);
  const int after = attempts;
  pumpFor(100);
  EXPECT_LE(attempts, after + 1) << "no more attempts once TCP is deselected";
}

TEST(TcpTransport, RemotePortChangeReconnectsSameValueOnlyFires) {
  QTcpServer a, b;
  ASSERT_TRUE(a.listen(QHostAddress::LocalHost, 0));
  ASSERT_TRUE(b.listen(QHostAddress::LocalHost, 0));
  TZelvan_d link;
  Counter portEvents;
  link.OnIpRemotePortchange = portEvents.handler();
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(a.serverPort());
  link.setConType(CON_TCP);
  ASSERT_TRUE(pumpUntil([&] { return link.TcpConnected(); }));
  link.setIpRemotePort(a.serverPort());
  EXPECT_TRUE(link.TcpConnected()) << "same value: nothing reopened";
  EXPECT_EQ(portEvents.n, 2);
  link.setIpRemotePort(b.serverPort());
  ASSERT_TRUE(pumpUntil([&] { return b.hasPendingConnections(); }));
  EXPECT_EQ(portEvents.n, 3);
}

// The device's address is taken as a numeric address only: a host name is
// never looked up (it fails at once and nothing connects).
TEST(TcpTransport, HostNamesAreNotResolved) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  TZelvan_d link;
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(server.serverPort());
  link.setIpRemoteAddress(QStringLiteral("localhost"));
  link.setConType(CON_TCP);
  pumpFor(100);
  EXPECT_FALSE(server.hasPendingConnections());
  EXPECT_FALSE(link.TcpConnected());
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  ASSERT_TRUE(pumpUntil([&] { return link.TcpConnected(); }));
  link.setConType(CON_NONE);
}

// ------------------------------------------------------------------- UDP

TEST(UdpTransport, FiltersBySourceAndCutsAtZero) {
  UdpPeer dev;
  UdpPeer stranger;
  TZelvan_d link;
  const quint16 local = attachUdp(link, dev);
  ASSERT_TRUE(link.UdpActive());
  link.SendRaw(QByteArray("5H"));
  ASSERT_TRUE(dev.waitFor("5H"));

  stranger.send("HP1\r\n", local);  // right address, other source port
  dev.send(QByteArray("HP5\r\n\0VP3\r\n", 11), local);
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 5; }));
  pumpFor(30);
  EXPECT_EQ(link.VPOSM(), 0u);
  EXPECT_EQ(link.HPOSM(), 5u);

  // A datagram longer than 8192 bytes is cut to its first 8192.
  QByteArray big(8190, 'z');
  big += "\r\nVP8\r\n";
  dev.send(big, local);
  dev.send("HP6\r\n", local);
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 6; }));
  EXPECT_EQ(link.VPOSM(), 0u);
}

// Replies count when they come from the address datagrams are sent to,
// however the address is written (Qt reads "127.1" and " 127.0.0.1" as
// 127.0.0.1); a sender on another port is still refused.
TEST(UdpTransport, AcceptsRepliesFromTheAddressItSendsTo) {
  for (const QString& spelling : {QStringLiteral("127.1"), QStringLiteral(" 127.0.0.1")}) {
    SCOPED_TRACE(spelling.toStdString());
    UdpPeer dev;
    UdpPeer stranger;
    TZelvan_d link;
    const quint16 local = attachUdp(link, dev);
    link.setIpRemoteAddress(spelling);
    ASSERT_TRUE(link.UdpActive());
    link.SendRaw(QByteArray("?"));
    ASSERT_TRUE(dev.waitFor("?"));
    stranger.send("VP2\r\n", local);
    dev.send("HP5\r\n", local);
    ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 5; }));
    pumpFor(30);
    EXPECT_EQ(link.VPOSM(), 0u);
  }
}

// An endpoint that is open but not selected by ConType carries nothing:
// sends do not reach it and what it receives is dropped. Selecting it
// keeps the endpoint and routes through it.
TEST(UdpTransport, OnlyTheSelectedTransportCarriesBytes) {
  UdpPeer dev;
  TZelvan_d link;
  const quint16 local = freeUdpPort();
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(dev.port());
  link.setIpLocalPort(local);
  link.OpenUdp();
  ASSERT_TRUE(link.UdpActive());
  EXPECT_EQ(link.ConType(), CON_NONE);
  link.SendRaw(QByteArray("?"));
  dev.send("HP5\r\n", local);
  pumpFor(50);
  EXPECT_TRUE(dev.drain().isEmpty());
  EXPECT_EQ(link.HPOSM(), 0u);

  link.setConType(CON_UDP);
  ASSERT_TRUE(link.UdpActive());
  link.SendRaw(QByteArray("5H"));
  ASSERT_TRUE(dev.waitFor("5H"));
  dev.send("HP6\r\n", local);
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 6; }));
}

TEST(UdpTransport, PortInUseStaysInactiveAndSendsNothing) {
  QUdpSocket holder;
  ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
  UdpPeer dev;
  TZelvan_d link;
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(dev.port());
  link.setIpLocalPort(holder.localPort());
  link.setConType(CON_UDP);
  EXPECT_FALSE(link.UdpActive());
  link.SendRaw(QByteArray("?"));
  pumpFor(30);
  EXPECT_TRUE(dev.drain().isEmpty());
  // Re-selecting a free local port brings it up.
  link.setIpLocalPort(freeUdpPort());
  EXPECT_TRUE(link.UdpActive());
}

TEST(UdpTransport, SerialPortNameWhileOnUdpOpensNothing) {
  UdpPeer dev;
  TZelvan_d link;
  attachUdp(link, dev);
  link.setPort(QStringLiteral("COM3"));
  EXPECT_EQ(link.Port(), "COM3");
  EXPECT_FALSE(link.SerialOpen());
  EXPECT_TRUE(link.UdpActive());
}

// ---------------------------------------------------------------- serial

namespace {
// A pseudo-terminal standing in for the device's serial line.
struct Pty {
  int master = -1;
  QString path;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    path = QString::fromLocal8Bit(ptsname(master));
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  }
  ~Pty() {
    if (master >= 0) close(master);
  }
  QByteArray read() {
    QByteArray out;
    char buf[256];
    ssize_t n;
    while ((n = ::read(master, buf, sizeof buf)) > 0) out.append(buf, n);
    return out;
  }
  void write(const QByteArray& b) { ASSERT_EQ(::write(master, b.constData(), size_t(b.size())), b.size()); }
};
}  // namespace

TEST(SerialTransport, ComNamesAndResolver) {
  EXPECT_EQ(comPortName(3), "COM3");
  EXPECT_EQ(comPortName(12), "\\\\.\\COM12");
  EXPECT_EQ(comPortNumber("COM9"), 9);
  EXPECT_EQ(comPortNumber("\\\\.\\COM16"), 16);
  EXPECT_EQ(comPortNumber("/dev/ttyUSB0"), 0);
  QTemporaryDir dir;
  const QString ini = dir.filePath("Option.ini");
  EXPECT_EQ(resolveComPort("COM1", ini), "/dev/ttyS0");
  EXPECT_EQ(resolveComPort("\\\\.\\COM10", ini), "/dev/ttyS9");
  QFile f(ini);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Something=1\r\nCOM1=/dev/pts/7\r\nCOM10=/dev/ttyUSB1\r\n");
  f.close();
  EXPECT_EQ(resolveComPort("COM1", ini), "/dev/pts/7");
  EXPECT_EQ(resolveComPort("\\\\.\\COM10", ini), "/dev/ttyUSB1");
  EXPECT_EQ(resolveComPort("COM2", ini), "/dev/ttyS1");
  EXPECT_EQ(resolveComPort("/dev/pts/3", ini), "/dev/pts/3");
}

TEST(SerialTransport, OpensThroughOptionFileAndTalks) {
  Pty pty;
  ASSERT_FALSE(pty.path.isEmpty());
  QTemporaryDir dir;
  const QString old = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  {
    QFile f("Option.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("COM3=" + pty.path.toLocal8Bit() + "\r\n");
  }
  TZelvan_d link;
  link.setConType(CON_RS232);
  link.setPort(QStringLiteral("COM3"));
  QDir::setCurrent(old);
  ASSERT_TRUE(link.SerialOpen());
  EXPECT_TRUE(probeComPort(QStringLiteral("/dev/nonexistent-zelvan")) == false);

  link.SendRaw(QByteArray("1na10nw"));
  QByteArray got;
  ASSERT_TRUE(pumpUntil([&] { return (got += pty.read()).contains("10nw"); }));
  EXPECT_EQ(got, "1na10nw");
  pty.write("HP4\r\nCH2\r\n");
  ASSERT_TRUE(pumpUntil([&] { return link.ICHM() == 2; }));
  EXPECT_EQ(link.HPOSM(), 4u);

  // Another port name closes the open one; a missing port fails silently.
  link.setPort(QStringLiteral("/dev/nonexistent-zelvan"));
  EXPECT_FALSE(link.SerialOpen());
  link.SendRaw(QByteArray("?"));  // dropped, no crash
}

// The line the link sets up: 9600 baud both ways, 8 data bits, no parity,
// one stop bit, neither hardware nor software handshake. The pseudo-
// terminal starts at another speed, so each setting is the link's own.
TEST(SerialTransport, LineIs9600Baud8N1WithoutHandshake) {
  Pty pty;
  ASSERT_FALSE(pty.path.isEmpty());
  termios before{};
  ASSERT_EQ(tcgetattr(pty.master, &before), 0);
  ASSERT_NE(cfgetospeed(&before), speed_t(B9600));
  TZelvan_d link;
  link.setConType(CON_RS232);
  link.setPort(pty.path);  // a device path is used as it is
  ASSERT_TRUE(link.SerialOpen());
  termios t{};
  ASSERT_EQ(tcgetattr(pty.master, &t), 0);  // a master reads its terminal's settings
  EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
  EXPECT_EQ(cfgetispeed(&t), speed_t(B9600));
  EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
  link.CloseSerial();
  EXPECT_FALSE(link.SerialOpen());
}

TEST(UdpTransport, SendErrorClosesEndpointAndShowsTheSocketText) {
  UdpPeer dev;
  TZelvan_d link;
  attachUdp(link, dev);
  QStringList errors;
  link.OnErrorMessage = [&](const QString& t) { errors << t; };
  link.setIpRemoteAddress(QStringLiteral("::1"));  // IPv6 on an IPv4 endpoint: refused by the socket layer
  ASSERT_TRUE(link.UdpActive());
  link.SendRaw(QByteArray("?"));
  EXPECT_FALSE(link.UdpActive());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_FALSE(errors.front().isEmpty());
  // Closed now: further sends are dropped silently.
  link.SendRaw(QByteArray("?"));
  EXPECT_EQ(errors.size(), 1);
}
