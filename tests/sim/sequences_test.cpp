// Device activities over time: take and T-bar, keyed effects, the memory
// sequencer (store, abort, erase), frame quality and the demo mode.
#include <gtest/gtest.h>

#include "device/catalogue.h"
#include "sim/memory_unit.h"
#include "sim/take_engine.h"
#include "sim_test_support.h"

using simtest::has;
using simtest::position;
using simtest::Probe;
using simtest::valuesOf;
using Lines = std::vector<std::string>;
using zsim::MemoryUnit;
namespace Reg = zelvan::Reg;

TEST(TakeSequence, FadePlaysForItsDurationThenSwapsMainAndPreview) {
  Probe p;  // a 2 s fade, input 1 on Main, 2 on Preview
  const Lines start = p.send("1G");
  EXPECT_EQ(start, (Lines{"TAKE1", "EON1", "TKEV0", "ERDY0", "TBAV0", "TBA0"}));
  Lines during;
  for (int t = 0; t < 19; ++t) {
    const Lines step = p.advance(100);
    during.insert(during.end(), step.begin(), step.end());
  }
  const auto progress = valuesOf(during, "TBA");
  ASSERT_EQ(progress.size(), 19u);
  for (size_t i = 1; i < progress.size(); ++i) EXPECT_GT(progress[i], progress[i - 1]);
  EXPECT_FALSE(has(during, "CH2"));
  EXPECT_EQ(p.send("1G"), Lines{"TAKE1"});  // busy: refused
  const Lines end = p.advance(100);
  EXPECT_EQ(end.front(), "TBA255");
  EXPECT_TRUE(has(end, "CHN2"));
  EXPECT_TRUE(has(end, "chn1"));
  EXPECT_LT(position(end, "CH2"), position(end, "EON0"));
  EXPECT_LT(position(end, "ch1"), position(end, "EON0"));
  EXPECT_EQ(end.back(), "TBA0");
  EXPECT_TRUE(has(end, "TAKE0"));
  EXPECT_TRUE(has(end, "TKEV1"));
  EXPECT_EQ(p.dev.value(Reg::ICHM), 2u);
  EXPECT_EQ(p.dev.value(Reg::ICHP), 1u);
  EXPECT_TRUE(p.dev.take().idle());
}

TEST(TakeSequence, CutSwapsAtOnce) {
  Probe p;
  p.send("0E");
  p.send("1G");
  const Lines end = p.advance(0);
  EXPECT_TRUE(has(end, "CH2"));
  EXPECT_TRUE(has(end, "EON0"));
}

TEST(TakeSequence, KeyedEffectOpensHoldsAndCloses) {
  Probe p;
  p.send("4E255eD");  // PiP, holding
  EXPECT_EQ(p.send("1G"), (Lines{"TAKE1", "EON1", "TKEV0", "ERDY0", "TBAV0"}));
  const Lines opened = p.advance(1000);  // opening of 1 s
  EXPECT_TRUE(has(opened, "EON0"));
  EXPECT_TRUE(has(opened, "TKEV1"));
  EXPECT_FALSE(has(opened, "TAKE0"));
  EXPECT_EQ(p.advance(60000), Lines{});  // held on air
  EXPECT_EQ(p.dev.value(Reg::TAKE), 1u);
  const Lines closing = p.send("0G");
  EXPECT_EQ(closing.front(), "TAKE0");
  EXPECT_TRUE(has(closing, "EON1"));
  EXPECT_TRUE(has(p.advance(1000), "EON0"));
  EXPECT_EQ(p.dev.value(Reg::ICHM), 1u);  // a keyed effect swaps nothing
}

TEST(TakeSequence, KeyedEffectWithADurationClosesByItself) {
  Probe p;
  p.send("2E30eD5es5et1G");  // title, 3 s on air, half-second animations
  p.advance(500);
  EXPECT_EQ(p.advance(2999), Lines{});
  const Lines closing = p.advance(1);
  EXPECT_EQ(closing.front(), "TAKE0");
  EXPECT_TRUE(has(p.advance(500), "EON0"));
  EXPECT_TRUE(p.dev.take().idle());
}

TEST(TakeSequence, TbarDrivesATransitionByHand) {
  Probe p;
  const Lines first = p.send("100N");
  EXPECT_EQ(first.front(), "TBP100");
  EXPECT_TRUE(has(first, "EON1"));
  EXPECT_TRUE(has(first, "TBA100"));
  EXPECT_TRUE(has(first, "TBAV1"));  // the bar stays usable while it is moved
  EXPECT_EQ(p.send("180N"), (Lines{"TBP180", "TBA180"}));
  const Lines end = p.send("255N");
  // The end position is reported before the effect stops, so the
  // application sees TBARPO 255 when EFFON falls.
  EXPECT_EQ(end.front(), "TBP255");
  EXPECT_LT(position(end, "CH2"), position(end, "EON0"));
  EXPECT_EQ(p.send("0N"), Lines{"TBP0"});  // the bar comes back: nothing starts
  EXPECT_EQ(p.dev.value(Reg::ICHM), 2u);
}

TEST(TakeSequence, TbarPulledBackAbandonsTheTransition) {
  Probe p;
  p.send("50N");
  const Lines back = p.send("0N");
  EXPECT_TRUE(has(back, "EON0"));
  EXPECT_FALSE(has(back, "CH2"));
  EXPECT_EQ(p.dev.value(Reg::ICHM), 1u);
}

TEST(StoreSequence, RecordsALogoForATimeProportionalToItsSize) {
  Probe p;
  ASSERT_NE(p.dev.value(Reg::LEMPTY) & (1u << 4), 0u);  // logo 3 (memory 5) is empty
  const Lines start = p.send("1LM5LC1LR");
  EXPECT_EQ(start, (Lines{"LMOD1", "LCUR5", "LPXA256", "LLNA144", "LSTA2", "LSTO1"}));
  const int64_t ms = MemoryUnit::storeDurationMs(256, 144);
  EXPECT_EQ(ms, MemoryUnit::kStoreBaseMs + 1 * MemoryUnit::kStorePer64KiBMs);
  EXPECT_EQ(p.advance(ms - 1), Lines{});
  const Lines end = p.advance(1);
  const auto empty = valuesOf(end, "LEMP");
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(empty[0] & (1u << 4), 0u);
  EXPECT_TRUE(has(end, "LSTA0"));
  EXPECT_EQ(end.back(), "LSTO0");
  EXPECT_TRUE(p.dev.memories().memory(5).logo);
  // A frame of a larger output format takes longer.
  EXPECT_GT(MemoryUnit::storeDurationMs(1920, 1080), MemoryUnit::storeDurationMs(1024, 768));
  EXPECT_EQ(MemoryUnit::storeDurationMs(1024, 768), MemoryUnit::kStoreBaseMs + 36 * MemoryUnit::kStorePer64KiBMs);
}

TEST(StoreSequence, RecordsAFrameInTheOutputFormat) {
  Probe p;
  p.send("36FM");  // 1920x1080 at 50 Hz
  const Lines start = p.send("2LM12LC1LR");
  EXPECT_TRUE(has(start, "LPXA1920"));
  EXPECT_TRUE(has(start, "LLNA1080"));
  p.advance(MemoryUnit::storeDurationMs(1920, 1080));
  EXPECT_FALSE(p.dev.memories().memory(12).empty);
  EXPECT_EQ(p.dev.memories().memory(12).format, 36u);
}

TEST(StoreSequence, RefusesMemoriesTheModelOrModeDoesNotOffer) {
  Probe old(zsim::SimConfig{27, 0x1FFF});
  EXPECT_EQ(old.send("2LM11LC1LR"), (Lines{"LMOD2", "LCUR11", "LSTO0"}));  // no frame 3 on this model
  Probe p;
  EXPECT_EQ(p.send("2LM13LC1LR"), (Lines{"LMOD2", "LCUR13", "LSTO0"}));  // frame 5 needs optimized quality
  EXPECT_EQ(p.send("1LM1LC1LR"), (Lines{"LMOD1", "LCUR1", "LSTO0"}));    // a frame memory is no logo
  EXPECT_EQ(p.send("0LM5LC1LR"), (Lines{"LMOD0", "LCUR5", "LSTO0"}));    // use mode stores nothing
}

TEST(StoreSequence, AbortEndsTheStoreAndKeepsTheMemory) {
  Probe p;
  p.send("1LM6LC1LR");
  p.advance(100);
  EXPECT_EQ(p.send("3LM"), Lines{"LMOD1"});  // the mode cannot change under a store
  EXPECT_EQ(p.send("1Lr"), (Lines{"LABT1", "LSTA0", "LSTO0", "LABT0"}));
  EXPECT_TRUE(p.dev.memories().memory(6).empty);
  EXPECT_EQ(p.advance(60000), Lines{});
  EXPECT_EQ(p.send("1Lr"), Lines{"LABT0"});  // nothing to abort
}

TEST(StoreSequence, EraseEmptiesOneMemoryAndReturnsToUse) {
  Probe p;
  EXPECT_TRUE(has(p.send("3lM1lC1lR"), "lsta4"));  // Preview sequencer erases frame 1
  const Lines end = p.advance(MemoryUnit::kEraseMs);
  EXPECT_NE(valuesOf(end, "LEMP").at(0) & 1u, 0u);
  EXPECT_TRUE(has(end, "lsto0"));
  EXPECT_EQ(end.back(), "lmod0");
}

TEST(StoreSequence, EraseAllAndQualityChangeEmptyEveryMemory) {
  Probe p;
  EXPECT_EQ(p.send("1ye"), (Lines{"EPOS1", "LSTA4"}));
  const Lines end = p.advance(MemoryUnit::kEraseAllMs);
  EXPECT_EQ(valuesOf(end, "LEMP"), std::vector<uint32_t>{16383});
  EXPECT_EQ(end.back(), "EPOS0");

  Probe q;
  const Lines quality = q.send("1LQ");
  EXPECT_EQ(quality.front(), "LQTY1");
  EXPECT_EQ(valuesOf(quality, "LEMP"), std::vector<uint32_t>{16383});
  EXPECT_TRUE(q.dev.memories().exists(14));  // optimized quality: six frames
}

TEST(StoreSequence, KeyedMemoryFollowsTheInputOnAir) {
  Probe p;
  // Input 2 keys frame 1 on Main; a frame recorded in another format shows a mismatch.
  p.send("4FM");
  EXPECT_EQ(p.dev.value(Reg::LSTATUSM), MemoryUnit::FormatMismatch);
  p.send("3CN");
  EXPECT_TRUE(has(p.advance(zsim::timing::kInputSettle), "LSTA0"));  // input 3 keys nothing
  // Keying logo 2 (recorded at 60 Hz) on input 3, now on air, recalls it
  // from flash for a moment, then brings the mismatch back.
  EXPECT_EQ(p.send("3PC4LA"), (Lines{"PCH3", "LPGA4", "LOFA5", "LSTA1"}));
  EXPECT_EQ(p.advance(MemoryUnit::kRecallMs), Lines{"LSTA3"});
  // A change on an input that is not on air changes nothing else.
  EXPECT_EQ(p.send("1PC0LA"), (Lines{"PCH1", "LPGA0"}));
}

TEST(StoreSequence, StoreSpeedIsASetting) {
  zsim::SimConfig slow;
  slow.storeMsPer64KiB = 2400;
  Probe p(slow);
  p.send("1LM6LC1LR");  // 256 x 144: one 64 KiB step
  EXPECT_EQ(p.advance(MemoryUnit::kStoreBaseMs + 2400 - 1), Lines{});
  EXPECT_EQ(p.advance(1).back(), "LSTO0");
  EXPECT_FALSE(p.dev.memories().memory(6).empty);
}

TEST(StoreSequence, FlashErrorLeavesTheMemoryEmptyUntilTheNextCommand) {
  zsim::SimConfig faulty;
  faulty.flashErrorStore = 2;
  Probe p(faulty);
  p.send("1LM6LC1LR");
  p.advance(MemoryUnit::storeDurationMs(256, 144));
  ASSERT_FALSE(p.dev.memories().memory(6).empty);  // the first store succeeds
  p.send("7LC1LR");
  const Lines end = p.advance(MemoryUnit::storeDurationMs(256, 144));
  EXPECT_TRUE(has(end, "LSTA5"));
  EXPECT_EQ(end.back(), "LSTO0");
  EXPECT_TRUE(p.dev.memories().memory(7).empty);
  EXPECT_NE(valuesOf(end, "LEMP").at(0) & (1u << 6), 0u);
  EXPECT_EQ(p.dev.value(Reg::LSTATUSM), MemoryUnit::FlashError);
  // The status stays until the sequencer is used again.
  EXPECT_EQ(p.advance(10000), Lines{});
  EXPECT_TRUE(has(p.send("0LM"), "LSTA0"));
}

TEST(StoreSequence, RecallShowsBrieflyWhenAMemoryGoesOnAir) {
  Probe p;
  // Input 1 is on air with logo 1; keying logo 2 (memory 4) on it instead recalls it.
  const Lines keyed = p.send("1PC4LA");
  EXPECT_TRUE(has(keyed, "LSTA1"));
  EXPECT_EQ(p.dev.value(Reg::LSTATUSM), MemoryUnit::Recalling);
  EXPECT_TRUE(has(p.advance(MemoryUnit::kRecallMs), "LSTA0"));
  // Assigning the same memory again recalls nothing; an input not on air neither.
  EXPECT_FALSE(has(p.send("1PC4LA"), "LSTA1"));
  EXPECT_FALSE(has(p.send("5PC4LA"), "LSTA1"));
}

TEST(SharedCodes, PreviewCaptureSizeIsAnsweredForBothRegisters) {
  Probe p;
  // "lW" and "lS" set the Preview capture size and logo 2's size at once.
  EXPECT_EQ(p.send("40lW"), (Lines{"lhsa40", "lhsb40"}));
  EXPECT_EQ(p.send("30lS"), (Lines{"lvsa30", "lvsb30"}));
  EXPECT_EQ(p.dev.value(Reg::LHSIZ1P), 40u);
  EXPECT_EQ(p.dev.value(Reg::LVSIZ2P), 30u);
}

TEST(SyncLossFrame, AcceptsFramesFiveAndSix) {
  Probe p;
  EXPECT_EQ(p.send("15yF"), Lines{"FRAL15"});
  EXPECT_EQ(p.send("14yF"), Lines{"FRAL14"});
  EXPECT_EQ(p.send("16yF"), Lines{"FRAL14"});  // out of range: answered as it stands
}

TEST(DemoMode, CyclesPreviewAndTakes) {
  Probe p;
  p.send("1yd");
  Lines all;
  for (int i = 0; i < 90; ++i) {
    const Lines step = p.advance(100);
    all.insert(all.end(), step.begin(), step.end());
  }
  EXPECT_TRUE(has(all, "chn3"));  // the next input with signal after 2
  EXPECT_TRUE(has(all, "TAKE1"));
  EXPECT_EQ(p.dev.value(Reg::ICHM), 3u);
  p.send("0yd");
  EXPECT_EQ(p.advance(20000), Lines{});
}

TEST(MatrixMode, RequestsWaitForTheTakeWithoutAutotake) {
  Probe p;
  p.send("1MM0yG3CN");
  const Lines settled = p.advance(zsim::timing::kInputSettle);
  EXPECT_FALSE(has(settled, "CH3"));  // pending, shown blinking by the application
  EXPECT_EQ(p.dev.value(Reg::ICHNM), 3u);
  p.send("1G");
  const Lines end = p.advance(2000);
  EXPECT_TRUE(has(end, "CH3"));       // output 1 takes its request
  EXPECT_FALSE(has(end, "ch1"));      // output 2 had none: no exchange in Matrix mode
  EXPECT_EQ(p.dev.value(Reg::ICHP), 2u);
  // Autotake on: a waiting request goes through at once.
  p.send("5cn");
  p.advance(zsim::timing::kInputSettle);
  EXPECT_EQ(p.dev.value(Reg::ICHP), 2u);
  EXPECT_TRUE(has(p.send("1yG"), "ch5"));
}
