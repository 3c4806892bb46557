// The simulated device's registers: echo, ranges, read-only registers,
// addressing through PCHAN and PADIP, the full-state burst and the defaults.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/catalogue.h"
#include "sim/memory_unit.h"
#include "sim/signal_tables.h"
#include "sim_test_support.h"

using simtest::has;
using simtest::Probe;
using simtest::valuesOf;
using Lines = std::vector<std::string>;
namespace Reg = zelvan::Reg;

TEST(SimDevice, AnswersTheIdentityOfItsModel) {
  Probe p;
  EXPECT_EQ(p.send("?"), Lines{"DEV36"});
  Probe old(zsim::SimConfig{27, 0x00FF});
  EXPECT_EQ(old.send("?"), Lines{"DEV27"});
  EXPECT_EQ(old.send("yo"), Lines{"OPT255"});
  EXPECT_EQ(old.send("xV"), Lines{"V_13"});  // the firmware the model expects
  EXPECT_EQ(p.send("xV"), Lines{"V_27"});
  // The identity is not writable: a value is answered with the identity.
  EXPECT_EQ(p.send("5?"), Lines{"DEV36"});
}

TEST(SimDevice, ValueCommandsApplyAndReportBack) {
  Probe p;
  EXPECT_EQ(p.send("5H"), Lines{"HP5"});
  EXPECT_EQ(p.dev.value(Reg::HPOSM), 5u);
  EXPECT_EQ(p.send("H"), Lines{"HP5"});
  EXPECT_EQ(p.send("7E"), Lines{"EFF7"});
  EXPECT_EQ(p.send("17K"), Lines{"L17"});  // curve upload echo
}

TEST(SimDevice, RestrictedRangesRefuseAndDeviceLimitsClamp) {
  Probe p;
  EXPECT_EQ(p.send("15E"), Lines{"EFF1"});  // EFFECT is 0..14: refused, the old value comes back
  EXPECT_EQ(p.send("9PC"), Lines{"PCH0"});
  EXPECT_EQ(p.send("9cn"), Lines{"chn2"});  // there is no input 9
  EXPECT_EQ(p.send("300H"), Lines{"HP255"});  // 8-bit setting: clamped
  EXPECT_EQ(p.send("40MP"), Lines{"PHA31"});  // phase stops at 31
  EXPECT_EQ(p.send("4294967296H"), Lines{"HP255"});  // no 32-bit value: refused
  EXPECT_EQ(p.send("31nk"), Lines{"NTMK8"});
  EXPECT_EQ(p.send("900K"), Lines{"L255"});
}

TEST(SimDevice, ReadOnlyRegistersAreNotWritable) {
  Probe p;
  EXPECT_EQ(p.send("5CC"), Lines{"CH1"});
  EXPECT_EQ(p.send("3U"), Lines{"UNIT27000"});
  EXPECT_EQ(p.send("0xV"), Lines{"V_27"});
  EXPECT_EQ(p.dev.value(Reg::ICHM), 1u);
}

TEST(SimDevice, FlagsTakeTheLowestByte) {
  Probe p;
  EXPECT_EQ(p.send("-1Z"), Lines{"FRZ1"});  // a snapshot writes true as -1
  EXPECT_EQ(p.send("256Z"), Lines{"FRZ0"});
  EXPECT_EQ(p.send("2Z"), Lines{"FRZ1"});
  EXPECT_EQ(p.send("0Z"), Lines{"FRZ0"});
}

TEST(SimDevice, SharedCodesWriteTheLastRegister) {
  Probe p;
  // "lO" is shared by two read-only registers: a write is refused as the last one.
  EXPECT_EQ(p.send("7lO"), Lines{"lofb5"});
}

TEST(SimDevice, PerChannelRegistersFollowPchan) {
  Probe p;
  EXPECT_EQ(p.send("3PC0PE"), (Lines{"PCH3", "PEN0"}));
  for (int c = 1; c <= 8; ++c) EXPECT_EQ(p.dev.channelValue(Reg::PENA, c), c == 3 ? 0u : 1u) << c;
  EXPECT_EQ(p.send("5PC"), Lines{"PCH5"});
  EXPECT_EQ(p.send("PE"), Lines{"PEN1"});
  // Addressed to all channels while they differ: one value per channel.
  const Lines all = p.send("0PCPE");
  EXPECT_EQ(all.front(), "PCH0");
  EXPECT_EQ(all.size(), 1u + 16u + 1u);
  EXPECT_EQ(all[1], "PCH1");
  EXPECT_EQ(all[6], "PEN0");  // channel 3
  EXPECT_EQ(all.back(), "PCH0");
  // Channel 0 writes all eight.
  EXPECT_EQ(p.send("1PE"), Lines{"PEN1"});
  for (int c = 1; c <= 8; ++c) EXPECT_EQ(p.dev.channelValue(Reg::PENA, c), 1u);
}

TEST(SimDevice, AddressRegistersFollowPadip) {
  Probe p;
  EXPECT_EQ(p.send("2na10nw0nx1ny172nz"), (Lines{"ADIP2", "IPD_10", "IPC_0", "IPB_1", "IPA_172"}));
  const auto& r = p.dev.registers();
  EXPECT_EQ(r.octet(2, 0), 172u);
  EXPECT_EQ(r.octet(2, 3), 10u);
  EXPECT_EQ(r.octet(1, 0), 192u);  // the own address is untouched
  EXPECT_EQ(p.send("nz"), Lines{"IPA_172"});
  EXPECT_EQ(p.send("4na"), Lines{"ADIP2"});  // sets are 1 to 3
  EXPECT_EQ(p.send("1na4000np"), (Lines{"ADIP1", "PORT4000"}));
  EXPECT_EQ(r.port(1), 4000u);
  EXPECT_EQ(r.port(2), 10500u);
  EXPECT_EQ(p.send("3na5np"), (Lines{"ADIP3", "PORT4000"}));  // the gateway has no port
  EXPECT_EQ(p.send("0na9nw"), (Lines{"ADIP0", "IPD_9"}));
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(r.octet(s, 3), 9u);
  EXPECT_EQ(p.send("16nk"), Lines{"NTMK16"});
}

TEST(SimDevice, FullStateBurstCarriesEveryRegisterWithItsBlocks) {
  Probe p;
  p.send("3PC0PE2PC5PR1na");  // some channel differences and a selected address set
  const Lines burst = p.send("#\r\n");
  // Every line is a register name with an unsigned value, and every register is there.
  simtest::Mirror m;
  m.apply(burst);
  for (const auto& l : burst) EXPECT_TRUE(simtest::decode(l).ok && simtest::registerOfName(simtest::decode(l).name) >= 0) << l;
  for (int i = 0; i < zelvan::kRegisterCount; ++i) EXPECT_TRUE(m.seen[i]) << zelvan::registerInfo(i).name;
  // The rebuilt state equals the device's.
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    const auto t = zelvan::registerInfo(i).type;
    SCOPED_TRACE(std::string(zelvan::registerInfo(i).name));
    if (zelvan::isPerChannel(t)) {
      for (int c = 1; c <= 8; ++c) EXPECT_EQ(m.channels[i][c - 1], p.dev.channelValue(i, c));
    } else if (t != zelvan::RegType::OCTET && t != zelvan::RegType::PORT) {
      EXPECT_EQ(m.single[i], p.dev.value(i));
    }
  }
  for (int s = 1; s <= 3; ++s)
    for (int o = 0; o < 4; ++o) EXPECT_EQ(m.octets[s - 1][o], p.dev.registers().octet(s, o));
  EXPECT_EQ(m.ports[0], 10500u);
  // Eight channel blocks, then the selections as they were.
  EXPECT_EQ(valuesOf(burst, "PCH"), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 2}));
  EXPECT_EQ(valuesOf(burst, "ADIP"), (std::vector<uint32_t>{1, 2, 3, 1}));
  EXPECT_EQ(valuesOf(burst, "PEN").size(), 8u);
  EXPECT_EQ(burst.back(), "PCH2");
  // Every value fits the range the application installs.
  for (const auto& l : burst) {
    const auto r = simtest::decode(l);
    const auto range = zelvan::acceptedRanges()[static_cast<size_t>(simtest::registerOfName(r.name))];
    EXPECT_TRUE(r.value >= range.min && r.value <= range.max) << l;
  }
}

TEST(SimDevice, FactoryResetRestoresDefaultsButKeepsNetworkAndMemories) {
  Probe p;
  p.send("77H3PC0PE1na99nz1LQ");
  const uint32_t memories = p.dev.value(Reg::LEMPTY);
  const Lines out = p.send("1Y");
  EXPECT_EQ(out.front(), "FRES1");
  EXPECT_EQ(out.back(), "FRES0");
  EXPECT_TRUE(has(out, "HP128"));
  EXPECT_GT(out.size(), 400u);  // the whole state follows
  EXPECT_EQ(p.dev.value(Reg::HPOSM), 128u);
  EXPECT_EQ(p.dev.channelValue(Reg::PENA, 3), 1u);
  EXPECT_EQ(p.dev.registers().octet(1, 0), 99u);
  EXPECT_EQ(p.dev.value(Reg::LQTY), 1u);
  EXPECT_EQ(p.dev.value(Reg::LEMPTY), memories);
}

TEST(SimDevice, LanResetRestoresTheNetworkDefaults) {
  Probe p;
  p.send("1na1nz2na5000np0nt");
  const Lines out = p.send("1nr");
  EXPECT_EQ(out.front(), "LANR1");
  EXPECT_EQ(out.back(), "LANR0");
  EXPECT_TRUE(has(out, "IPA_192"));
  EXPECT_TRUE(has(out, "TCP1"));
  EXPECT_EQ(p.dev.registers().port(2), 10500u);
  EXPECT_EQ(p.dev.value(Reg::PADIP), 2u);  // the selection stands
  EXPECT_EQ(out[out.size() - 6], "ADIP2");
}

TEST(SimDevice, InputRequestsSwitchAfterTheSettle) {
  Probe p;
  EXPECT_EQ(p.send("4cn"), Lines{"chn4"});
  EXPECT_EQ(p.advance(zsim::timing::kInputSettle - 1), Lines{});
  const Lines out = p.advance(1);
  EXPECT_TRUE(has(out, "ch4"));
  // The status of input 4 (1080i): family, interlace, sync on green, durations.
  EXPECT_TRUE(has(out, "ifa26"));
  EXPECT_TRUE(has(out, "iin1"));
  EXPECT_TRUE(has(out, "ist2"));
  EXPECT_TRUE(has(out, "ild8008"));
  EXPECT_TRUE(has(out, "ips1"));
  EXPECT_LT(simtest::position(out, "ips1"), simtest::position(out, "ch4"));  // status first, then the input
  EXPECT_EQ(p.dev.value(Reg::ICHP), 4u);
  EXPECT_EQ(p.dev.value(Reg::ICHM), 1u);
}

TEST(SimDevice, RequestsForUnusableInputsFallBack) {
  Probe p;
  p.send("6PC0PE0PC");  // input 6 not used
  p.send("6cn");
  EXPECT_EQ(p.advance(zsim::timing::kInputSettle), Lines{"chn2"});
  p.send("0yi");  // switching to inputs without signal refused
  p.send("7cn");
  EXPECT_EQ(p.advance(zsim::timing::kInputSettle), Lines{"chn2"});
  p.send("1yi7cn");
  const Lines out = p.advance(zsim::timing::kInputSettle);
  EXPECT_TRUE(has(out, "ch7"));
  EXPECT_TRUE(has(out, "ips0"));
  EXPECT_TRUE(has(out, "ifa0"));
}

TEST(SimDevice, PictureSettingsBelongToTheInput) {
  Probe p;
  p.send("200H");  // input 1 on Main
  p.send("3CN");
  EXPECT_TRUE(has(p.advance(zsim::timing::kInputSettle), "HP128"));
  p.send("1CN");
  EXPECT_TRUE(has(p.advance(zsim::timing::kInputSettle), "HP200"));
  // The same input on both outputs: a change shows on both.
  p.send("1cn");
  p.advance(zsim::timing::kInputSettle);
  EXPECT_EQ(p.send("50H"), (Lines{"HP50", "hp50"}));
  const Lines preset = p.send("1yp");
  EXPECT_EQ(preset.front(), "pres1");
  EXPECT_TRUE(has(preset, "hp128"));
  EXPECT_TRUE(has(preset, "HP128"));
  EXPECT_EQ(preset.back(), "pres0");
}

TEST(SimDevice, TallyFollowsTheMainInput) {
  Probe p;
  EXPECT_EQ(p.dev.value(Reg::TA1ON), 1u);  // tally 1 watches input 1, on Main
  p.send("5ja5CN");
  const Lines out = p.advance(zsim::timing::kInputSettle);
  EXPECT_TRUE(has(out, "TAON1"));
  EXPECT_EQ(p.dev.value(Reg::TA2ON), 0u);
}

TEST(SimDevice, ReferencesLockOnUsableInputsOnly) {
  Probe p;
  EXPECT_EQ(p.send("3XR"), Lines{"REFR3"});
  EXPECT_EQ(p.advance(zsim::timing::kReferenceSettle), (Lines{"REFF20", "REFT6002", "REFA3"}));
  p.send("7XR");  // no signal on input 7: internal rate of 1024x768 at 60 Hz
  EXPECT_EQ(p.advance(zsim::timing::kReferenceSettle), (Lines{"REFF0", "REFT6000", "REFA0"}));
  // 1024x768 at 50 Hz: the internal rates follow, and logo 1 keyed on input 1
  // (recorded at 60 Hz) no longer matches the output format; with no logo 2
  // keyed, its record format reads as the output's.
  EXPECT_EQ(p.send("4FM"), (Lines{"OFTM4", "REFT5000", "SFRQ5000", "LOFB4", "LSTA3"}));
  p.send("5kR");
  EXPECT_EQ(p.advance(zsim::timing::kReferenceSettle), (Lines{"SFAM7", "SFRQ5000", "SSTA5"}));
}

TEST(SimDevice, SimulatedSourcesGiveSensibleRates) {
  // Frame rates as the status window computes them, in hundredths of a hertz.
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(1)), 6000u);  // XGA 60 Hz
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(2)), 5994u);  // VGA 59.94 Hz
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(4)), 5994u);  // 1080i 59.94 Hz
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(5)), 5000u);  // PAL 50 Hz
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(6)), 5994u);  // NTSC 59.94 Hz
  EXPECT_EQ(zsim::frameRateCentiHz(zsim::inputSignal(7)), 0u);     // nothing connected
  // Line frequencies: UNIT x 10 / line duration in kHz.
  EXPECT_EQ(zsim::kTimeUnit * 10 / zsim::inputSignal(2).lineDuration, 31u);
  EXPECT_EQ(zsim::kTimeUnit * 10 / zsim::inputSignal(1).lineDuration, 48u);
  for (int i = 1; i <= 8; ++i) EXPECT_LE(zsim::inputSignal(i).family, 42u);
}

TEST(SimDevice, PresetRegistersAndShuffledBurst) {
  zsim::SimConfig cfg;
  cfg.presets = {{zelvan::Reg::EFFECT, 4}, {zelvan::Reg::EFFOPEN, 2}};
  simtest::Probe plain(cfg);
  EXPECT_EQ(plain.dev.value(zelvan::Reg::EFFECT), 4u);
  EXPECT_EQ(plain.dev.value(zelvan::Reg::EFFOPEN), 2u);
  const auto ordered = plain.send("#");
  cfg.shuffledBurst = true;
  cfg.burstSeed = 3;
  simtest::Probe shuffled(cfg);
  const auto first = shuffled.send("#");
  const auto second = shuffled.send("#");
  // The same lines, in another order, and a new order each burst.
  EXPECT_NE(first, ordered);
  EXPECT_NE(first, second);
  auto sorted = [](std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  EXPECT_EQ(sorted(first), sorted(ordered));
  EXPECT_TRUE(simtest::has(first, "EFF4"));
  EXPECT_TRUE(simtest::has(first, "EFOP2"));
}
