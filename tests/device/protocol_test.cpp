#include <gtest/gtest.h>

#include <QStringList>

#include "device/zelvan_d.h"
#include "test_support.h"

using namespace zelvan;
using testing_support::Counter;

namespace {
// A link that believes it is connected, with nothing behind it; every
// command it sends is recorded from sentString.
struct ConnectedLink {
  TZelvan_d link;
  QStringList sent;
  ConnectedLink() {
    link.OnSentString = [this](QObject*, int) { sent << link.sentString(); };
    link.setForceConn(true);
    link.SupervisorTick();  // state 2: Connected
  }
};
}  // namespace

TEST(Commands, WritesSendOnlyWhileConnected) {
  TZelvan_d link;
  Counter sentEvents;
  link.OnSentString = sentEvents.handler();
  link.setSentString(QStringLiteral("?"));
  link.setHPOSM(5);
  EXPECT_EQ(link.sentString(), "?");
  EXPECT_EQ(sentEvents.n, 0);
  // A query is not gated.
  link.QueryRegister(Reg::DEV);
  EXPECT_EQ(link.sentString(), "?");
  EXPECT_EQ(sentEvents.n, 1);
  link.QueryRegister(Reg::ICHM);
  EXPECT_EQ(link.sentString(), "CC");
}

TEST(Commands, ValueCommandAndMirrorFollowsReportOnly) {
  ConnectedLink c;
  ASSERT_TRUE(c.link.Connected());
  c.link.ProcessReceived(QByteArray("HP3\r\n"));
  c.link.setHPOSM(5);
  EXPECT_EQ(c.sent.last(), "5H");
  EXPECT_EQ(c.link.HPOSM(), 3u);
  c.link.ProcessReceived(QByteArray("HP5\r\n"));
  EXPECT_EQ(c.link.HPOSM(), 5u);
  c.link.setFRESET(true);
  EXPECT_EQ(c.sent.last(), "1Y");
  c.link.setPCHAN(3);
  EXPECT_EQ(c.sent.last(), "3PC");
  c.link.setHPOSP(4294967295u);
  EXPECT_EQ(c.sent.last(), "4294967295h");
  c.link.setLHSIZ2P(7);
  EXPECT_EQ(c.sent.last(), "7lW");
}

TEST(Commands, AddressPortAndNetmaskSequences) {
  ConnectedLink c;
  c.link.setLOCAL_IP(QStringLiteral("192.168.0.10"));
  EXPECT_EQ(c.sent, QStringList({"1na", "10nw", "0nx", "168ny", "192nz"}));
  c.sent.clear();
  c.link.setREMOTE_IP(QStringLiteral("10.0.0.1"));
  EXPECT_EQ(c.sent, QStringList({"2na", "1nw", "0nx", "0ny", "10nz"}));
  c.sent.clear();
  c.link.setGATEWAY_IP(QStringLiteral("$C0.168.1.254"));
  EXPECT_EQ(c.sent, QStringList({"3na", "254nw", "1nx", "168ny", "192nz"}));
  c.sent.clear();
  c.link.setLOCAL_PORT(10500);
  c.link.setREMOTE_PORT(7);
  EXPECT_EQ(c.sent, QStringList({"1na", "10500np", "2na", "7np"}));
  c.sent.clear();
  c.link.setNETMASK(QStringLiteral("255.255.255.0"));
  c.link.setNETMASK(QStringLiteral("255.255.0.0"));
  c.link.setNETMASK(QStringLiteral("255.255.255.255"));
  c.link.setNETMASK(QStringLiteral("255.0.255.0"));
  EXPECT_EQ(c.sent, QStringList({"8nk", "16nk", "0nk", "24nk"}));
  c.sent.clear();
  // Invalid texts and negative numbers send nothing at all.
  c.link.setLOCAL_IP(QStringLiteral("1.2.3"));
  c.link.setLOCAL_IP(QStringLiteral("1.2.3.4.5"));
  c.link.setLOCAL_IP(QStringLiteral("1.2.3.300"));
  c.link.setLOCAL_IP(QStringLiteral("-1.2.3.4"));
  c.link.setNETMASK(QStringLiteral("255.255.255."));
  c.link.setLOCAL_PORT(-5);
  EXPECT_TRUE(c.sent.isEmpty()) << c.sent.join(',').toStdString();
}

TEST(Commands, SequencesSendNothingWhileDisconnected) {
  TZelvan_d link;
  Counter sentEvents;
  link.OnSentString = sentEvents.handler();
  link.setLOCAL_IP(QStringLiteral("192.168.0.10"));
  link.setREMOTE_IP(QStringLiteral("10.0.0.1"));
  link.setGATEWAY_IP(QStringLiteral("10.0.0.254"));
  link.setLOCAL_PORT(10500);
  link.setREMOTE_PORT(10501);
  link.setNETMASK(QStringLiteral("255.255.255.0"));
  link.setPCHAN(3);
  EXPECT_EQ(sentEvents.n, 0);
  EXPECT_TRUE(link.sentString().isEmpty());
  EXPECT_TRUE(link.LOCAL_IP().isEmpty()) << "a write never changes the mirror";
  EXPECT_EQ(link.LOCAL_PORT(), 0);
}

TEST(ReplyLines, ChunksJoinAndLinesRunInOrder) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("HP1"));
  EXPECT_EQ(link.HPOSM(), 0u);
  link.ProcessReceived(QByteArray("2\r\n"));
  EXPECT_EQ(link.HPOSM(), 12u);

  QStringList order;
  link.OnHPOSMchange = [&](QObject*, int) { order << "HP" + QString::number(link.HPOSM()); };
  link.OnVPOSMchange = [&](QObject*, int) { order << "VP" + QString::number(link.VPOSM()); };
  link.ProcessReceived(QByteArray("VP4\r\nHP9\r\nVP5\r"));
  link.ProcessReceived(QByteArray("\n"));
  EXPECT_EQ(order, QStringList({"VP4", "HP9", "VP5"}));
  EXPECT_EQ(link.receivedString(), "VP5");
}

TEST(ReplyLines, DocumentedMatches) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("CH3\r\nCHN4\r\nEFOP7\r\nch 2\r\nchn$A\r\nEFDx10\r\n"));
  EXPECT_EQ(link.ICHM(), 3u);
  EXPECT_EQ(link.ICHNM(), 4u);
  EXPECT_EQ(link.EFFOPEN(), 7u);
  EXPECT_EQ(link.ICHP(), 2u);
  EXPECT_EQ(link.ICHNP(), 10u);
  EXPECT_EQ(link.EFFDUR(), 16u);
  link.ProcessReceived(QByteArray("TAKE1\r\n"));
  EXPECT_TRUE(link.TAKE());
  link.ProcessReceived(QByteArray("TAKE\r\n"));
  EXPECT_FALSE(link.TAKE());
  // Trailing characters and unknown names are dropped without notice.
  Counter rec;
  link.OnRecString = rec.handler();
  link.ProcessReceived(QByteArray("CH5 \r\n\r\nQQQ1\r\nHP12a\r\n"));
  EXPECT_EQ(rec.n, 0);
  EXPECT_EQ(link.ICHM(), 3u);
  EXPECT_EQ(link.receivedString(), "TAKE");
}

TEST(ReplyLines, GarbageIsCutToTenCharacters) {
  TZelvan_d link;
  Counter rec;
  link.OnRecString = rec.handler();
  // The first two characters of a 12-character partial line are lost.
  link.ProcessReceived(QByteArray("ADBG42949672"));
  EXPECT_EQ(link.receiveBufferSize(), 10);
  link.ProcessReceived(QByteArray("95\r\n"));
  EXPECT_EQ(rec.n, 0);
  EXPECT_EQ(link.ADDRDBG(), 0u);
  // A megabyte without CR LF never grows the buffer.
  const QByteArray junk(4096, 'z');
  for (int i = 0; i < 256; ++i) {
    link.ProcessReceived(junk);
    ASSERT_LE(link.receiveBufferSize(), 10);
  }
  link.ProcessReceived(QByteArray("\r\nHP5\r\n"));
  EXPECT_EQ(link.HPOSM(), 5u);
  EXPECT_EQ(link.receiveBufferSize(), 0);
}

TEST(ReplyLines, OutOfModelNumbersAreDroppedAndLaterLinesStillRun) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("HP7\r\n"));
  Counter hp;
  link.OnHPOSMchange = hp.handler();
  link.ProcessReceived(QByteArray("HP-1\r\nHP4294967296\r\nHP$100000000\r\nVP3\r\nHP-0\r\n"));
  EXPECT_EQ(link.VPOSM(), 3u);
  EXPECT_EQ(hp.n, 1);  // only the -0 line, which is 0
  EXPECT_EQ(link.HPOSM(), 0u);
  link.ProcessReceived(QByteArray("HP" + QByteArray(3000, '9') + "\r\nVP4\r\n"));
  EXPECT_EQ(link.VPOSM(), 4u);
}

TEST(ReplyLines, HandlerFeedingMoreDataKeepsOrder) {
  TZelvan_d link;
  QStringList order;
  link.OnHPOSMchange = [&](QObject*, int) {
    order << "HP";
    if (link.HPOSM() == 1) link.ProcessReceived(QByteArray("VP2\r\n"));
  };
  link.OnVPOSMchange = [&](QObject*, int) { order << "VP"; };
  link.ProcessReceived(QByteArray("HP1\r\nHP3\r\n"));
  EXPECT_EQ(order, QStringList({"HP", "HP", "VP"}));
  EXPECT_EQ(link.HPOSM(), 3u);
  EXPECT_EQ(link.VPOSM(), 2u);
}
