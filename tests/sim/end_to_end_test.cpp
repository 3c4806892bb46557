// The simulator against the application's own device link, over TCP, UDP
// and the pseudo-terminal, in-process and as the built program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <memory>

#include "device/catalogue.h"
#include "device/zelvan_d.h"
#include "sim/memory_unit.h"
#include "sim/sim_hub.h"
#include "sim_test_support.h"

using simtest::pumpFor;
using simtest::pumpUntil;
namespace Reg = zelvan::Reg;

namespace {

constexpr int kLinkScale = 5;  // the link's 2 s periods become 100 ms

zsim::SimSettings fastSettings() {
  zsim::SimSettings s;
  s.tcpPort = 0;
  s.udpPort = 0;
  s.timeScalePercent = 5;
  return s;
}

std::unique_ptr<zsim::SimHub> startSim(const zsim::SimSettings& s) {
  auto hub = std::make_unique<zsim::SimHub>(s);
  QString error;
  if (!hub->start(&error)) {
    ADD_FAILURE() << error.toStdString();
    return nullptr;
  }
  return hub;
}

std::unique_ptr<TZelvan_d> makeLink() {
  auto link = std::make_unique<TZelvan_d>();
  link->SetRanges(zelvan::acceptedRanges());
  link->setSupervisorTimeScale(kLinkScale);
  return link;
}

// Selecting a transport starts the supervisor with its creation period
// (3 s), which the link's time scale does not shorten; one tick by hand
// puts it on its scaled 2 s rhythm at once.
void select(TZelvan_d& link, tConnectionType type) {
  link.setConType(type);
  link.SupervisorTick();
}

void connectTcp(TZelvan_d& link, quint16 port) {
  link.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link.setIpRemotePort(port);
  select(link, CON_TCP);
}

quint16 freeUdpPort() {
  QUdpSocket s;
  s.bind(QHostAddress::LocalHost, 0);
  return s.localPort();
}

// Every register the link mirrors equals the simulated device's state.
void expectMirrorMatches(const TZelvan_d& link, const zsim::SimDevice& dev) {
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    const auto t = zelvan::registerInfo(i).type;
    SCOPED_TRACE(std::string(zelvan::registerInfo(i).name));
    if (zelvan::isPerChannel(t)) {
      for (int c = 1; c <= 8; ++c) EXPECT_EQ(link.channelValue(i, c), dev.channelValue(i, c)) << "channel " << c;
    } else if (t == zelvan::RegType::OCTET) {
      for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(static_cast<uint32_t>(link.addressOctet(s, i - Reg::IPA_)), dev.registers().octet(s, i - Reg::IPA_));
    } else if (t == zelvan::RegType::PORT) {
      EXPECT_EQ(static_cast<uint32_t>(link.LOCAL_PORT()), dev.registers().port(1));
      EXPECT_EQ(static_cast<uint32_t>(link.REMOTE_PORT()), dev.registers().port(2));
    } else if (t == zelvan::RegType::NTMK) {
      EXPECT_EQ(link.NETMASK(), QStringLiteral("255.255.255.0"));
    } else {
      EXPECT_EQ(link.registerValue(i), dev.value(i));
    }
  }
  EXPECT_EQ(link.LOCAL_IP(), QStringLiteral("192.168.0.10"));
}

// Records the values a register is reported with.
struct Watch {
  Watch(TZelvan_d& link, int index) {
    *link.changeEvent(index) = [this, &link, index](QObject*, int) { values.push_back(link.registerValue(index)); };
  }
  bool saw(uint32_t v) const { return std::find(values.begin(), values.end(), v) != values.end(); }
  std::vector<uint32_t> values;
};

}  // namespace

TEST(EndToEnd, TcpLinkConnectsMirrorsAndDrivesTheDevice) {
  auto hub = startSim(fastSettings());
  ASSERT_TRUE(hub);
  auto link = makeLink();
  connectTcp(*link, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); })) << "state " << link->SupervisorState();
  EXPECT_EQ(link->DEV(), 36u);
  expectMirrorMatches(*link, hub->device());

  // Command echo.
  link->setHPOSM(77);
  ASSERT_TRUE(pumpUntil([&] { return link->HPOSM() == 77; }));
  EXPECT_EQ(hub->device().value(Reg::HPOSM), 77u);

  // Per-channel addressing.
  link->setPCHAN(3);
  link->setPENA(false);
  ASSERT_TRUE(pumpUntil([&] { return link->channelValue(Reg::PENA, 3) == 0; }));
  EXPECT_EQ(link->channelValue(Reg::PENA, 2), 1u);
  EXPECT_EQ(hub->device().channelValue(Reg::PENA, 3), 0u);

  // Take: the fade runs (scaled) and Main and Preview change places.
  Watch effon(*link, Reg::EFFON);
  link->setTAKE(true);
  ASSERT_TRUE(pumpUntil([&] { return link->ICHM() == 2 && link->ICHP() == 1 && !link->EFFON(); }));
  EXPECT_TRUE(effon.saw(1));
  EXPECT_TRUE(link->TAKEEVA());

  // Store sequence: logo 4 (memory 6) recorded.
  Watch store(*link, Reg::LSTOREM);
  link->setLMODEM(1);
  link->setLCURRENTM(6);
  link->setLSTOREM(true);
  ASSERT_TRUE(pumpUntil([&] { return store.saw(1) && !link->LSTOREM(); }));
  EXPECT_EQ(link->LEMPTY() & (1u << 5), 0u);
  EXPECT_EQ(link->LPIXELSIZ1M(), 256u);
}

TEST(EndToEnd, SnapshotSavedFromTheLinkReplaysIntoTheDevice) {
  auto hub = startSim(fastSettings());
  ASSERT_TRUE(hub);
  auto link = makeLink();
  connectTcp(*link, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); }));
  link->setOFMTM(7);
  link->setPCHAN(4);
  link->setPRGBI(6);
  link->setLFADEM(2);
  ASSERT_TRUE(pumpUntil([&] { return link->OFMTM() == 7 && link->PRGBI() == 6 && link->LFADEM() == 2; }));
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("state.USR.Zelvan"));
  ASSERT_TRUE(link->setPropertyVarSaveMiniConfigToFile(file));

  link->setFRESET(true);
  ASSERT_TRUE(pumpUntil([&] { return hub->device().value(Reg::OFMTM) == 5 && link->OFMTM() == 5 && !link->FRESET(); }));
  EXPECT_EQ(hub->device().channelValue(Reg::PRGBI, 4), 10u);

  // The replay waits for the device's report of every line: it only ends
  // if each command, read-only ones included, is answered.
  link->setPropertyVarLoadMiniConfigToFile(file);
  ASSERT_TRUE(pumpUntil([&] { return link->PropertyVarNroLigneMiniConfigOfFile() == 100; }, 5000))
      << link->PropertyVarNroLigneMiniConfigOfFile();
  EXPECT_EQ(hub->device().value(Reg::OFMTM), 7u);
  EXPECT_EQ(hub->device().channelValue(Reg::PRGBI, 4), 6u);
  EXPECT_EQ(hub->device().value(Reg::LFADEM), 2u);
}

TEST(EndToEnd, EveryTcpClientSeesEveryReport) {
  auto hub = startSim(fastSettings());
  ASSERT_TRUE(hub);
  auto a = makeLink(), b = makeLink();
  connectTcp(*a, hub->tcpPort());
  connectTcp(*b, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return a->Ready() && b->Ready(); }));
  a->setVPOSM(9);
  ASSERT_TRUE(pumpUntil([&] { return b->VPOSM() == 9; }));
  EXPECT_EQ(a->VPOSM(), 9u);
}

TEST(EndToEnd, UdpLinkConnectsAndEchoes) {
  auto hub = startSim(fastSettings());
  ASSERT_TRUE(hub);
  auto link = makeLink();
  link->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
  link->setIpRemotePort(hub->udpPort());
  link->setIpLocalPort(freeUdpPort());
  select(*link, CON_UDP);
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); }));
  expectMirrorMatches(*link, hub->device());
  link->setPCHAN(5);
  link->setALEV(60);
  ASSERT_TRUE(pumpUntil([&] { return link->channelValue(Reg::ALEV, 5) == 60; }));
  link->setLOCAL_IP(QStringLiteral("10.1.2.3"));
  ASSERT_TRUE(pumpUntil([&] { return link->LOCAL_IP() == QStringLiteral("10.1.2.3"); }));
  EXPECT_EQ(hub->device().registers().octet(1, 0), 10u);
}

TEST(EndToEnd, SerialLinkReachesThePseudoTerminalAsCom3) {
  zsim::SimSettings s = fastSettings();
  s.serial = true;
  auto hub = startSim(s);
  ASSERT_TRUE(hub);
  ASSERT_TRUE(hub->serialPath().startsWith(QStringLiteral("/dev/")));
  // The link resolves COM3 through Option.ini in the working directory.
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  {
    QFile ini(QStringLiteral("Option.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("COM3=%1\r\n").arg(hub->serialPath()).toLocal8Bit());
  }
  auto link = makeLink();
  link->setPort(QStringLiteral("COM3"));
  select(*link, CON_RS232);
  const bool ready = pumpUntil([&] { return link->Ready(); });
  QDir::setCurrent(previous);
  ASSERT_TRUE(ready) << "serial open: " << link->SerialOpen();
  expectMirrorMatches(*link, hub->device());
  link->setTALLY2(6);
  ASSERT_TRUE(pumpUntil([&] { return link->TALLY2() == 6; }));
}

TEST(EndToEnd, MutedDeviceIsDroppedAndComesBack) {
  zsim::SimSettings s = fastSettings();
  s.timeScalePercent = 100;
  s.faults.muteAfter = 6;
  s.faults.muteForMs = 800;
  auto hub = startSim(s);
  ASSERT_TRUE(hub);
  auto link = makeLink();
  connectTcp(*link, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); }));
  ASSERT_TRUE(pumpUntil([&] { return hub->faults().muteEndsAt() >= 0; }));
  const int64_t muteEnd = hub->faults().muteEndsAt();
  const int64_t muteStart = muteEnd - s.faults.muteForMs;  // time scale 100 %
  // Still answering before the silence: the link is up when it begins.
  EXPECT_TRUE(link->Connected());
  ASSERT_TRUE(pumpUntil([&] { return !link->Connected(); }));
  // The link gives up on the silence itself (about 4 s at full scale, 200 ms
  // at 5 %), while the device is still mute; a single missed poll (100 ms)
  // is not enough. Both bounds are on the device's clock and only a
  // misbehaving link, not a slow machine, can break the lower one.
  const int64_t droppedAt = hub->now();
  EXPECT_TRUE(hub->faults().muted(droppedAt)) << "dropped " << droppedAt - muteStart << " ms into the silence";
  EXPECT_GE(droppedAt - muteStart, 50);
  EXPECT_EQ(link->DEV(), 0u);
  EXPECT_FALSE(link->Ready());
  // Nothing the mute device ignores can make the link ready again: it
  // comes back only once the device answers.
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); }, 4000));
  EXPECT_GE(hub->now(), muteEnd);
  EXPECT_EQ(link->DEV(), 36u);
}

TEST(EndToEnd, RefusingTcpNeverConnects) {
  zsim::SimSettings s = fastSettings();
  s.faults.refuseTcp = true;
  auto hub = startSim(s);
  ASSERT_TRUE(hub);
  auto link = makeLink();
  connectTcp(*link, hub->tcpPort());
  pumpFor(500);
  EXPECT_FALSE(link->Connected());
  EXPECT_EQ(link->DEV(), 0u);
}

TEST(EndToEnd, LossyAndNoisyRepliesStillLetTheLinkConnect) {
  zsim::SimSettings s = fastSettings();
  s.faults.dropProbability = 0.2;
  s.faults.garbageProbability = 0.2;
  s.seed = 5;
  auto hub = startSim(s);
  ASSERT_TRUE(hub);
  auto link = makeLink();
  bool connected = false;
  link->OnConnected = [&](QObject*, int) { connected = connected || link->Connected(); };
  connectTcp(*link, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return connected; }));
  pumpFor(300);
  EXPECT_GT(hub->faults().dropped(), 0u);
  EXPECT_GT(hub->faults().garbled(), 0u);
}

TEST(EndToEnd, ProgramPrintsItsPortsServesALinkAndLogs) {
  QTemporaryDir dir;
  const QString log = dir.filePath(QStringLiteral("sim.log"));
  QProcess proc;
  proc.start(QStringLiteral(ZELVAN_SIM_BINARY),
             {"--tcp", "0", "--udp", "0", "--serial", "--time-scale", "5", "--model", "38", "--log", log});
  ASSERT_TRUE(proc.waitForStarted(3000));
  QByteArray out;
  ASSERT_TRUE(pumpUntil([&] {
    out += proc.readAllStandardOutput();
    return out.count('\n') >= 3;
  }));
  const QStringList lines = QString::fromLocal8Bit(out).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  ASSERT_TRUE(lines[0].startsWith(QStringLiteral("tcp: ")));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("udp: ")));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("serial: /dev/")));
  const quint16 port = static_cast<quint16>(lines[0].mid(5).toUInt());
  ASSERT_NE(port, 0);

  auto link = makeLink();
  connectTcp(*link, port);
  ASSERT_TRUE(pumpUntil([&] { return link->Ready(); }));
  EXPECT_EQ(link->DEV(), 38u);
  link.reset();

  proc.terminate();
  ASSERT_TRUE(proc.waitForFinished(3000));
  EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(proc.exitCode(), 0);
  QFile f(log);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray transcript = f.readAll();
  EXPECT_TRUE(transcript.contains("< tcp#1        ?"));
  EXPECT_TRUE(transcript.contains("> all          DEV38"));
}

TEST(EndToEnd, ProgramHelpAndBadArguments) {
  QProcess help;
  help.start(QStringLiteral(ZELVAN_SIM_BINARY), {"--help"});
  ASSERT_TRUE(help.waitForFinished(3000));
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_TRUE(help.readAllStandardOutput().contains("--mute-after"));

  QProcess bad;
  bad.start(QStringLiteral(ZELVAN_SIM_BINARY), {"--drop", "2"});
  ASSERT_TRUE(bad.waitForFinished(3000));
  EXPECT_EQ(bad.exitCode(), 2);
  EXPECT_TRUE(bad.readAllStandardError().contains("--drop"));
}

TEST(EndToEnd, DelayedRepliesLeaveLateAndFloodsAreCut) {
  zsim::SimSettings s = fastSettings();
  s.timeScalePercent = 25;
  s.faults.delayMs = 400;  // 100 ms at this scale
  auto hub = startSim(s);
  ASSERT_TRUE(hub);
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }));
  QByteArray got;
  QElapsedTimer t;
  t.start();
  client.write("?");
  ASSERT_TRUE(pumpUntil([&] {
    got += client.readAll();
    return got.contains("DEV36\r\n");
  }));
  EXPECT_GE(t.elapsed(), 90);

  // A megabyte of full-state requests in one go: the device answers a
  // bounded amount per chunk and stays responsive.
  client.write(QByteArray(1 << 20, '#'));
  ASSERT_TRUE(pumpUntil([&] {
    client.readAll();
    return hub->floodIgnored() > 0;
  }, 5000));
  QTcpSocket other;
  other.connectToHost(QHostAddress::LocalHost, hub->tcpPort());
  ASSERT_TRUE(pumpUntil([&] { return other.state() == QAbstractSocket::ConnectedState; }));
  QByteArray answer;
  ASSERT_TRUE(pumpUntil([&] {
    client.readAll();
    if (answer.isEmpty()) other.write("U");
    answer += other.readAll();
    return answer.contains("UNIT27000\r\n");
  }, 5000));
}
