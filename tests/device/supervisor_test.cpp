#include <gtest/gtest.h>

#include <QStringList>

#include "device/zelvan_d.h"
#include "test_support.h"

using namespace zelvan;
using namespace testing_support;

namespace {
// Keeps every send on loopback, to a port nobody listens on.
void pointAtLoopback(TZelvan_d& link) {
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(freeUdpPort());
  link.setIpLocalPort(freeUdpPort());
}

// Records the connection events in order.
struct EventLog {
  QStringList events;
  explicit EventLog(TZelvan_d& link) {
    link.OnDEVchange = [this, &link](QObject*, int) { events << "DEV" + QString::number(link.DEV()); };
    link.OnConnected = [this, &link](QObject*, int) { events << (link.Connected() ? "Connected" : "Disconnected"); };
    link.OnReady = [this, &link](QObject*, int) { events << (link.Ready() ? "Ready" : "NotReady"); };
    link.OnConTypechange = [this](QObject*, int) { events << "ConType"; };
  }
};
}  // namespace

// The whole connection timeline, tick by tick, against a device on UDP.
TEST(Supervisor, ConnectReadyWatchAndDrop) {
  TZelvan_d link;
  UdpPeer dev;
  ASSERT_TRUE(dev.bound);
  EventLog log(link);
  const quint16 local = attachUdp(link, dev);
  ASSERT_TRUE(link.UdpActive());
  EXPECT_TRUE(link.SupervisorTimerActive());
  EXPECT_EQ(link.SupervisorState(), 0);
  log.events.clear();

  link.SupervisorTick();  // 0 -> 1, nothing to clear
  EXPECT_EQ(link.SupervisorState(), 1);
  EXPECT_EQ(link.SupervisorInterval(), 2000);
  EXPECT_TRUE(log.events.isEmpty());
  link.SupervisorTick();  // identity query
  ASSERT_TRUE(dev.waitFor("?"));
  dev.send("DEV27\r\n", local);
  ASSERT_TRUE(pumpUntil([&] { return link.SupervisorState() == 2; }));
  EXPECT_EQ(link.SupervisorInterval(), 1);
  EXPECT_EQ(log.events, QStringList({"DEV27"}));

  link.SupervisorTick();  // 2 -> 3: connected
  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(link.SupervisorInterval(), 2000);
  link.SupervisorTick();  // 3 -> 4: full-state request
  ASSERT_TRUE(dev.waitFor("#\r\n"));
  EXPECT_EQ(link.SupervisorState(), 4);
  // A DEV report in state 4 changes nothing in the supervisor.
  dev.send("DEV27\r\nHP5\r\n", local);
  ASSERT_TRUE(pumpUntil([&] { return link.HPOSM() == 5; }));
  EXPECT_EQ(link.SupervisorState(), 4);
  EXPECT_FALSE(link.Ready());
  link.SupervisorTick();  // 4 -> 5: ready
  EXPECT_TRUE(link.Ready());
  EXPECT_EQ(link.SupervisorInterval(), 1);
  dev.received.clear();
  link.SupervisorTick();  // 5 -> 6: poll
  ASSERT_TRUE(dev.waitFor("?"));
  dev.send("DEV27\r\n", local);
  ASSERT_TRUE(pumpUntil([&] { return link.SupervisorState() == 5; }));
  link.SupervisorTick();  // 5 -> 6 again, and this time no answer
  link.SupervisorTick();  // 6 -> 0
  EXPECT_EQ(link.SupervisorState(), 0);
  log.events.clear();
  link.SupervisorTick();  // 0 clears the connection state, in this order
  EXPECT_EQ(log.events, QStringList({"DEV0", "NotReady", "Disconnected"}));
  EXPECT_EQ(link.SupervisorState(), 1);
}

TEST(Supervisor, UnknownIdentityNeverConnects) {
  TZelvan_d link;
  pointAtLoopback(link);
  link.setConType(CON_UDP);
  link.SupervisorTick();
  Counter dev;
  link.OnDEVchange = dev.handler();
  link.ProcessReceived(QByteArray("DEV5\r\n"));
  link.ProcessReceived(QByteArray("DEV5\r\n"));
  EXPECT_EQ(link.DEV(), 5u);
  EXPECT_EQ(dev.n, 2);
  EXPECT_EQ(link.SupervisorState(), 1);
  link.SupervisorTick();
  EXPECT_FALSE(link.Connected());
}

TEST(Supervisor, DataPostponesThePoll) {
  TZelvan_d link;
  pointAtLoopback(link);
  link.setSupervisorTimeScale(50);
  link.setConType(CON_UDP);
  link.SupervisorTick();  // state 1
  ASSERT_EQ(link.SupervisorState(), 1);
  link.ProcessReceived(QByteArray("HP1"));
  EXPECT_EQ(link.SupervisorInterval(), 1000) << "2 s scaled by 50 %";
  EXPECT_TRUE(link.SupervisorTimerActive());
}

TEST(Supervisor, ForceConnWithoutTransport) {
  TZelvan_d link;
  EventLog log(link);
  Counter sent;
  link.OnSentString = sent.handler();
  link.setForceConn(true);
  EXPECT_EQ(link.SupervisorState(), 2);
  EXPECT_TRUE(link.SupervisorTimerActive());
  EXPECT_EQ(link.SupervisorInterval(), 1);
  // The real timer runs the sequence: connected, request, ready, then 5 and 6 alternate.
  link.setSupervisorTimeScale(1);
  ASSERT_TRUE(pumpUntil([&] { return link.Ready(); }, 3000));
  EXPECT_EQ(log.events, QStringList({"Connected", "Ready"}));
  ASSERT_TRUE(pumpUntil([&] { return link.SupervisorState() == 6; }, 3000));
  ASSERT_TRUE(pumpUntil([&] { return link.SupervisorState() == 5; }, 3000));
  EXPECT_TRUE(link.Connected());
  // Dropping ForceConn starts over from state 0, which clears the state.
  link.setForceConn(false);
  EXPECT_EQ(link.SupervisorState(), 0);
  link.SupervisorTick();
  EXPECT_FALSE(link.Connected());
  EXPECT_FALSE(link.Ready());
  // Writing the current value does nothing.
  link.setForceConn(false);
  EXPECT_EQ(link.SupervisorState(), 1);
}

TEST(Supervisor, PlugAndPlayRestarts) {
  TZelvan_d link;
  pointAtLoopback(link);
  link.setConType(CON_UDP);
  link.SupervisorTick();
  ASSERT_EQ(link.SupervisorState(), 1);
  link.setTrelo_s_plug_and_play(false);
  EXPECT_EQ(link.SupervisorState(), 1);
  link.setTrelo_s_plug_and_play(true);
  EXPECT_EQ(link.SupervisorState(), 0);
}

TEST(Supervisor, ChangingTransportClearsStateBeforeConTypeEvent) {
  TZelvan_d link;
  pointAtLoopback(link);
  link.setConType(CON_UDP);
  link.setForceConn(true);
  link.SupervisorTick();  // connected
  link.SupervisorTick();
  link.SupervisorTick();  // ready
  link.ProcessReceived(QByteArray("DEV36\r\n"));
  link.setForceConn(false);
  ASSERT_TRUE(link.Connected() && link.Ready());
  EventLog log(link);
  link.setConType(CON_TCP);
  EXPECT_EQ(log.events, QStringList({"DEV0", "NotReady", "Disconnected", "ConType"}));
  // Selecting the same transport again fires only the ConType event.
  log.events.clear();
  link.setConType(CON_TCP);
  EXPECT_EQ(log.events, QStringList({"ConType"}));
  link.setConType(CON_NONE);
  EXPECT_FALSE(link.SupervisorTimerActive());
}

// The production timeline with a time scale: a device that answers, then
// goes silent, is dropped about two poll periods after its last line.
TEST(Supervisor, RealTimerDropsASilentDevice) {
  TZelvan_d link;
  link.setSupervisorTimeScale(5);  // 2000 ms -> 100 ms
  UdpPeer dev;
  const quint16 local = attachUdp(link, dev);
  bool answering = true;
  QObject::connect(&dev.sock, &QUdpSocket::readyRead, [&] {
    const QByteArray in = dev.drain();
    dev.received.clear();
    if (!answering) return;
    if (in.contains('?')) dev.send("DEV36\r\n", local);
    if (in.contains("#\r\n")) dev.send("HP1\r\nVP2\r\nCH3\r\n", local);
  });
  ASSERT_TRUE(pumpUntil([&] { return link.Ready(); }, 5000));
  EXPECT_TRUE(link.Connected());
  EXPECT_EQ(link.DEV(), 36u);
  EXPECT_EQ(link.ICHM(), 3u);
  answering = false;
  ASSERT_TRUE(pumpUntil([&] { return !link.Connected(); }, 5000));
  EXPECT_EQ(link.DEV(), 0u);
  EXPECT_FALSE(link.Ready());
  answering = true;
  ASSERT_TRUE(pumpUntil([&] { return link.Ready(); }, 5000));
}

// RestartTimer sets the period (scaled for tests) and always leaves the timer
// running; selecting a transport starts it with the period it last had and
// CON_NONE stops it.
TEST(Supervisor, RestartTimerSetsPeriodAndRuns) {
  TZelvan_d link;
  EXPECT_FALSE(link.SupervisorTimerActive()) << "stopped at creation";
  EXPECT_EQ(link.SupervisorInterval(), 3000);
  link.setSupervisorTimeScale(50);
  link.RestartTimer(2000);
  EXPECT_TRUE(link.SupervisorTimerActive()) << "running even with no transport";
  EXPECT_EQ(link.SupervisorInterval(), 1000);
  link.RestartTimer(1);
  EXPECT_EQ(link.SupervisorInterval(), 1);
  link.RestartTimer(2000);
  pointAtLoopback(link);
  link.setConType(CON_UDP);
  EXPECT_TRUE(link.SupervisorTimerActive());
  EXPECT_EQ(link.SupervisorInterval(), 1000);
  link.setConType(CON_NONE);
  EXPECT_FALSE(link.SupervisorTimerActive());
}
