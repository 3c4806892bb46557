#include <gtest/gtest.h>

#include <QStringList>

#include "device/zelvan_d.h"
#include "test_support.h"

using namespace zelvan;
using testing_support::Counter;

namespace {
QByteArray line(const char* name, uint64_t v) { return QByteArray(name) + QByteArray::number(v) + "\r\n"; }
}  // namespace

namespace {
using Getter = uint64_t (*)(const TZelvan_d&);

// Feeds one reply line for register i and checks the named property and
// event that the catalogue generated for it.
void checkRegister(TZelvan_d& link, int i, const char* property, TZelvanNotifyEvent& ev, Getter get,
                   bool boolean) {
  int fired = 0;
  ev = [&fired](QObject* sender, int tag) {
    EXPECT_EQ(tag, 0);
    EXPECT_NE(sender, nullptr);
    ++fired;
  };
  const uint64_t value = i == Reg::PCHAN ? 0 : std::min<uint64_t>(acceptedRanges()[i].max, 1 + i % 7);
  link.ProcessReceived(line(registerInfo(i).name.data(), value));
  EXPECT_EQ(fired, 1) << property;
  EXPECT_EQ(get(link), boolean ? uint64_t{value != 0} : value) << property;
  EXPECT_EQ(link.registerValue(i), static_cast<uint32_t>(get(link))) << property;
  EXPECT_EQ(link.changeEvent(i), &ev) << property;
  ev = nullptr;
}
}  // namespace

// Every register's property and change event, reached through the wire
// format: its reply line stores the value the property then reads, and fires
// the register's own event once.
TEST(RegisterStore, EveryPropertyAndEventThroughTheWire) {
  TZelvan_d link;
  link.SetRanges(acceptedRanges());
  int checked = 0;
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev)                                                         \
  checkRegister(link, i, #prop, link.ev, +[](const TZelvan_d& l) { return static_cast<uint64_t>(l.prop()); }, \
                std::is_same_v<decltype(link.prop()), bool>);                                           \
  ++checked;
#define ZSPECIAL(i, n, c, k, lo, hi, id)
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
  EXPECT_EQ(checked, 310);
}

TEST(RegisterStore, RangesAreInstalledOrAcceptEverything) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("PCH12\r\n"));
  EXPECT_EQ(link.PCHAN(), 12u);
  link.SetRanges(acceptedRanges());
  link.ProcessReceived(QByteArray("PCH3\r\nPCH12\r\n"));
  EXPECT_EQ(link.PCHAN(), 3u);
  Counter eff;
  link.OnEFFECTchange = eff.handler();
  link.ProcessReceived(QByteArray("EFF14\r\nEFF15\r\n"));
  EXPECT_EQ(link.EFFECT(), 14u);
  EXPECT_EQ(eff.n, 1);
  // A table of the wrong size changes nothing.
  EXPECT_FALSE(link.SetRanges(std::vector<RangePair>(315, RangePair{0, 0})));
  EXPECT_EQ(link.Range(Reg::PCHAN).max, 8u);
  std::vector<RangePair> tight(316, RangePair{0, 4294967295u});
  tight[Reg::HPOSM] = {10, 20};
  EXPECT_TRUE(link.SetRanges(tight));
  link.ProcessReceived(QByteArray("HP9\r\nHP21\r\nHP10\r\n"));
  EXPECT_EQ(link.HPOSM(), 10u);
  link.SetRangesAcceptAll();
  link.ProcessReceived(QByteArray("HP4294967295\r\n"));
  EXPECT_EQ(link.HPOSM(), 4294967295u);
}

TEST(RegisterStore, BoolRuleUsesLowestEightBits) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("TAKE2\r\n"));
  EXPECT_TRUE(link.TAKE());
  link.ProcessReceived(QByteArray("TAKE256\r\n"));
  EXPECT_FALSE(link.TAKE());
  link.ProcessReceived(QByteArray("TAKE257\r\n"));
  EXPECT_TRUE(link.TAKE());
  EXPECT_EQ(link.ReadRegister(Reg::TAKE), -1);
}

TEST(RegisterStore, SameReportTwiceFiresTwice) {
  TZelvan_d link;
  Counter hp;
  link.OnHPOSMchange = hp.handler();
  link.ProcessReceived(QByteArray("HP100\r\nHP100\r\n"));
  EXPECT_EQ(hp.n, 2);
}

TEST(PerChannel, DistributionFollowsPchan) {
  TZelvan_d link;
  Counter pen;
  link.OnPENAchange = pen.handler();
  link.ProcessReceived(QByteArray("PEN1\r\n"));  // PCHAN 0: all channels
  EXPECT_EQ(pen.n, 1);
  for (int ch = 1; ch <= 8; ++ch) EXPECT_EQ(link.channelValue(Reg::PENA, ch), 1u);
  link.ProcessReceived(QByteArray("PCH3\r\nPEN0\r\nPRGB7\r\n"));
  EXPECT_FALSE(link.PENA());
  EXPECT_EQ(link.PRGBI(), 7u);
  EXPECT_EQ(link.channelValue(Reg::PENA, 2), 1u);
  EXPECT_EQ(link.channelValue(Reg::PENA, 3), 0u);
  EXPECT_EQ(link.channelValue(Reg::PRGBI, 1), 0u);
  link.ProcessReceived(QByteArray("PCH0\r\n"));
  EXPECT_TRUE(link.PENA()) << "PCHAN 0 reads channel 1";
  // Above 8 (possible before the ranges are installed): nothing stored, event still fires.
  link.ProcessReceived(QByteArray("PCH9\r\nPEN0\r\n"));
  EXPECT_EQ(pen.n, 3);
  for (int ch = 1; ch <= 8; ++ch) EXPECT_EQ(link.channelValue(Reg::PENA, ch), ch == 3 ? 0u : 1u);
  EXPECT_TRUE(link.PENA()) << "PCHAN above 8 reads channel 1";
}

TEST(PerChannel, EdgeReportFiresThreeEventsInOrder) {
  TZelvan_d link;
  QStringList order;
  link.OnPEDGCchange = [&](QObject*, int) { order << "PEDGC"; };
  link.OnPEDGC_Zelvan_change = [&](QObject*, int) { order << "Zelvan"; };
  link.OnPEDGC_Softedge_change = [&](QObject*, int) { order << "Softedge"; };
  link.ProcessReceived(QByteArray("PCH2\r\nPEDG1\r\n"));
  EXPECT_EQ(order, QStringList({"PEDGC", "Zelvan", "Softedge"}));
  EXPECT_TRUE(link.PEDGC());
  EXPECT_EQ(link.channelValue(Reg::PEDGC, 1), 0u);
}

TEST(Addresses, OctetsBuildTheThreeStrings) {
  TZelvan_d link;
  EXPECT_TRUE(link.LOCAL_IP().isEmpty());
  EXPECT_TRUE(link.REMOTE_IP().isEmpty());
  QStringList order;
  link.OnLOCAL_IPchange = [&](QObject*, int) { order << "L"; };
  link.OnREMOTE_IPchange = [&](QObject*, int) { order << "R"; };
  link.OnGATEWAY_IPchange = [&](QObject*, int) { order << "G"; };
  link.ProcessReceived(QByteArray("ADIP1\r\nIPA_192\r\nIPB_168\r\nIPC_0\r\nIPD_10\r\n"));
  EXPECT_EQ(link.LOCAL_IP(), "192.168.0.10");
  EXPECT_EQ(link.REMOTE_IP(), "0.0.0.0");
  EXPECT_EQ(link.GATEWAY_IP(), "0.0.0.0");
  EXPECT_EQ(order.size(), 12);
  EXPECT_EQ(order.mid(0, 3), QStringList({"L", "R", "G"}));
  link.ProcessReceived(QByteArray("ADIP0\r\nIPD_7\r\n"));
  EXPECT_EQ(link.LOCAL_IP(), "192.168.0.7");
  EXPECT_EQ(link.REMOTE_IP(), "0.0.0.7");
  EXPECT_EQ(link.GATEWAY_IP(), "0.0.0.7");
  // Set above 3: nothing stored, the events still fire.
  order.clear();
  link.ProcessReceived(QByteArray("ADIP4\r\nIPA_1\r\n"));
  EXPECT_EQ(order.size(), 3);
  EXPECT_EQ(link.LOCAL_IP(), "192.168.0.7");
  // An octet beyond the signed 32-bit slot is not stored.
  link.ProcessReceived(QByteArray("ADIP3\r\nIPA_4294967295\r\nIPB_2147483647\r\n"));
  EXPECT_EQ(link.GATEWAY_IP(), "0.2147483647.0.7");
}

TEST(Addresses, PortsFollowTheAddressSet) {
  TZelvan_d link;
  QStringList order;
  link.OnLOCAL_PORTchange = [&](QObject*, int) { order << "L"; };
  link.OnREMOTE_PORTchange = [&](QObject*, int) { order << "R"; };
  link.ProcessReceived(QByteArray("ADIP0\r\nPORT10500\r\n"));
  EXPECT_EQ(link.LOCAL_PORT(), 10500);
  EXPECT_EQ(link.REMOTE_PORT(), 10500);
  link.ProcessReceived(QByteArray("ADIP1\r\nPORT1\r\nADIP2\r\nPORT2\r\nADIP3\r\nPORT3\r\n"));
  EXPECT_EQ(link.LOCAL_PORT(), 1);
  EXPECT_EQ(link.REMOTE_PORT(), 2);
  EXPECT_EQ(order, QStringList({"L", "R", "L", "R", "L", "R", "L", "R"}));
}

TEST(Addresses, NetmaskFromHostBitsIncludingOutOfModel) {
  TZelvan_d link;
  Counter mask;
  link.OnNETMASKchange = mask.handler();
  link.ProcessReceived(QByteArray("NTMK8\r\n"));
  EXPECT_EQ(link.NETMASK(), "255.255.255.0");
  link.ProcessReceived(QByteArray("NTMK16\r\n"));
  EXPECT_EQ(link.NETMASK(), "255.255.0.0");
  link.ProcessReceived(QByteArray("NTMK0\r\n"));
  EXPECT_EQ(link.NETMASK(), "255.255.255.255");
  link.ProcessReceived(QByteArray("NTMK31\r\n"));
  EXPECT_EQ(link.NETMASK(), "128.0.0.0");
  link.ProcessReceived(QByteArray("NTMK32\r\nNTMK4294967295\r\n"));
  EXPECT_EQ(link.NETMASK(), "0.0.0.0");
  EXPECT_EQ(mask.n, 6);
  link.ProcessReceived(QByteArray("HP1\r\n"));
  EXPECT_EQ(link.HPOSM(), 1u) << "the link keeps working";
}

TEST(Identity, TwoDevReportsInARowRaiseBusy) {
  TZelvan_d link;
  Counter busy;
  link.ONRS232busy = busy.handler();
  link.ProcessReceived(QByteArray("DEV36\r\n"));
  EXPECT_EQ(busy.n, 0);
  link.ProcessReceived(QByteArray("DEV36\r\n"));
  EXPECT_EQ(busy.n, 1);
  link.ProcessReceived(QByteArray("HP1\r\nDEV36\r\n"));
  EXPECT_EQ(busy.n, 1);
  link.setRS232busy(true);
  link.ProcessReceived(QByteArray("HP1\r\nDEV36\r\n"));
  EXPECT_EQ(busy.n, 2);
}

TEST(ReadRegister, SignedViewOfTheStore) {
  TZelvan_d link;
  link.ProcessReceived(QByteArray("HP4294967295\r\nVP2147483648\r\nOVR1\r\nPCH2\r\nPRGB5\r\n"));
  EXPECT_EQ(link.ReadRegister(Reg::HPOSM), -1);
  EXPECT_EQ(link.ReadRegister(Reg::VPOSM), -2147483647 - 1);
  EXPECT_EQ(link.ReadRegister(Reg::OVERM), -1);
  EXPECT_EQ(link.ReadRegister(Reg::PRGBI), 5);
  EXPECT_EQ(link.ReadRegister(Reg::OVERP), 0);
}
