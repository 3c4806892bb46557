// Device limits the simulator must keep whatever a sender writes: values a
// register has no meaning for are refused, and a flood costs a bounded
// amount of work per received chunk even when a fault swallows the reports.
#include <gtest/gtest.h>

#include <QTcpSocket>

#include "device/catalogue.h"
#include "sim/memory_unit.h"
#include "sim/sim_hub.h"
#include "sim/take_engine.h"
#include "sim_test_support.h"

using simtest::Probe;
using Lines = std::vector<std::string>;
namespace Reg = zelvan::Reg;

TEST(SimLimits, FrameQualityOutsideNativeAndOptimizedIsRefused) {
  Probe p;
  const uint32_t emptyBefore = p.dev.value(Reg::LEMPTY);
  // Neither 2 nor a snapshot's -1 is a frame layout: nothing is erased and
  // the quality the device holds is reported back.
  EXPECT_EQ(p.send("2LQ"), Lines{"LQTY0"});
  EXPECT_EQ(p.send("-1LQ"), Lines{"LQTY0"});
  EXPECT_EQ(p.dev.value(Reg::LEMPTY), emptyBefore);
  EXPECT_FALSE(p.dev.memories().memory(1).empty);
  EXPECT_FALSE(p.dev.memories().memory(3).empty);
  // The two real layouts still switch (and lose the memories).
  const Lines optimized = p.send("1LQ");
  EXPECT_EQ(optimized.front(), "LQTY1");
  EXPECT_TRUE(p.dev.memories().memory(1).empty);
}

TEST(SimLimits, TransitionKindsAndTbarTravelKeepTheirRanges) {
  Probe p;
  EXPECT_EQ(p.send("7LF"), Lines{"LFAD7"});  // fade through frame 6
  EXPECT_EQ(p.send("8LF"), Lines{"LFAD7"});  // no kind 8: refused
  EXPECT_EQ(p.send("3lF"), Lines{"lfad3"});
  EXPECT_EQ(p.send("99lF"), Lines{"lfad3"});
  // A position past the end of the travel moves nothing: no transition
  // starts and Main and Preview stay as they are.
  EXPECT_EQ(p.send("300N"), Lines{"TBP0"});
  EXPECT_TRUE(p.dev.take().idle());
  EXPECT_EQ(p.dev.value(Reg::ICHM), 1u);
  // The end of the travel itself completes a transition by hand.
  const Lines end = p.send("255N");
  EXPECT_EQ(end.front(), "TBP255");
  EXPECT_TRUE(simtest::has(end, "CH2"));
}

TEST(SimLimits, FloodOfRequestsWhoseReportsAreDroppedIsStillCut) {
  // Every report is lost: the output the device produces for a chunk never
  // reaches the wire, yet the work a chunk causes must stay bounded.
  zsim::SimSettings s;
  s.tcpPort = 0;
  s.udpPort = -1;
  s.timeScalePercent = 5;
  s.faults.dropProbability = 1.0;
  zsim::SimHub hub(s);
  QString error;
  ASSERT_TRUE(hub.start(&error)) << error.toStdString();
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, hub.tcpPort());
  ASSERT_TRUE(simtest::pumpUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }));
  // A few thousand full-state requests ask for megabytes of reports.
  client.write(QByteArray(4096, '#'));
  ASSERT_TRUE(simtest::pumpUntil([&] { return hub.floodIgnored() > 0; }, 5000));
  EXPECT_GT(hub.faults().dropped(), 0u);
}
