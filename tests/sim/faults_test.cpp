// Fault injection: reproducible with a seed, bounded, and the mute spell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/fault_injector.h"

using zsim::FaultConfig;
using zsim::FaultInjector;

namespace {

std::vector<std::string> shapeMany(FaultInjector& f, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    const auto s = f.shapeReply("HP" + std::to_string(i));
    out.push_back(s ? *s : std::string("<dropped>"));
  }
  return out;
}

FaultConfig noisy() {
  FaultConfig c;
  c.dropProbability = 0.3;
  c.garbageProbability = 0.3;
  return c;
}

}  // namespace

TEST(FaultInjector, SameSeedSameFaultsOtherSeedOtherFaults) {
  FaultInjector a(noisy(), 42), b(noisy(), 42), c(noisy(), 43);
  const auto ra = shapeMany(a, 300), rb = shapeMany(b, 300), rc = shapeMany(c, 300);
  EXPECT_EQ(ra, rb);
  EXPECT_NE(ra, rc);
  // Both kinds of fault happened, in about the configured share.
  EXPECT_GT(a.dropped(), 50u);
  EXPECT_LT(a.dropped(), 130u);
  EXPECT_GT(a.garbled(), 30u);
}

TEST(FaultInjector, CleanConfigurationPassesEveryLineWithItsLineEnd) {
  FaultInjector f(FaultConfig{}, 1);
  EXPECT_EQ(f.shapeReply("DEV36"), std::optional<std::string>("DEV36\r\n"));
  FaultConfig all;
  all.dropProbability = 1.0;
  FaultInjector g(all, 1);
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(g.shapeReply("DEV36").has_value());
}

TEST(FaultInjector, GarbageSticksToTheLineAndNeverEndsIt) {
  FaultConfig c;
  c.garbageProbability = 1.0;
  FaultInjector f(c, 9);
  for (int i = 0; i < 200; ++i) {
    const auto s = f.shapeReply("CH3");
    ASSERT_TRUE(s.has_value());
    ASSERT_GE(s->size(), 6u);
    ASSERT_LE(s->size(), 5u + FaultInjector::kMaxGarbageBytes);
    EXPECT_EQ(s->substr(s->size() - 5), "CH3\r\n");
    for (size_t k = 0; k + 5 < s->size(); ++k) {
      EXPECT_NE((*s)[k], '\r');
      EXPECT_NE((*s)[k], '\n');
      EXPECT_NE((*s)[k], '\0');
    }
  }
}

TEST(FaultInjector, MutesOnceAfterTheCountForTheScaledTime) {
  FaultConfig c;
  c.muteAfter = 3;
  c.muteForMs = 1000;
  FaultInjector f(c, 1, 10);  // a tenth of the real timings: 100 ms of silence
  EXPECT_TRUE(f.admitCommand(0));
  EXPECT_TRUE(f.admitCommand(0));
  EXPECT_TRUE(f.admitCommand(0));
  EXPECT_FALSE(f.admitCommand(5));  // the fourth command starts the silence
  EXPECT_TRUE(f.muted(50));
  EXPECT_FALSE(f.admitCommand(104));
  EXPECT_FALSE(f.muted(105));
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(f.admitCommand(200 + i));  // only once
  EXPECT_EQ(f.muteEndsAt(), 105);
}

TEST(FaultInjector, DelayIsScaledLikeEveryDeviceTiming) {
  FaultConfig c;
  c.delayMs = 400;
  EXPECT_EQ(FaultInjector(c, 1, 100).scaledDelayMs(), 400);
  EXPECT_EQ(FaultInjector(c, 1, 5).scaledDelayMs(), 20);
}
