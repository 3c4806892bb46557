// The simulator's command line.
#include <gtest/gtest.h>

#include "device/catalogue.h"
#include "sim/sim_options.h"

using zsim::ParseOutcome;
using zsim::SimSettings;

namespace {
ParseOutcome parse(QStringList args, SimSettings& s, QString* msg = nullptr) {
  args.prepend(QStringLiteral("zelvan-sim"));
  QString m;
  const auto r = zsim::parseSimArguments(args, s, &m);
  if (msg) *msg = m;
  return r;
}
}  // namespace

TEST(SimOptions, DefaultsServeLoopbackOnTheDevicePort) {
  SimSettings s;
  ASSERT_EQ(parse({}, s), ParseOutcome::Run);
  EXPECT_EQ(s.tcpPort, 10500);
  EXPECT_EQ(s.udpPort, 10500);
  EXPECT_FALSE(s.serial);
  EXPECT_EQ(s.bind, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(s.device.model, 36u);
  EXPECT_EQ(s.device.options, 0x1FFFu);
  EXPECT_EQ(s.timeScalePercent, 100);
  EXPECT_FALSE(s.faults.any());
}

TEST(SimOptions, EveryOptionIsRead) {
  SimSettings s;
  ASSERT_EQ(parse({"--tcp", "0", "--udp", "off", "--serial", "--bind", "0.0.0.0", "--model", "27", "--opt", "0x80",
                   "--seed", "99", "--log", "/tmp/x.log", "--time-scale", "5", "--drop", "0.25", "--delay", "30",
                   "--garbage", "0.5", "--mute-after", "12", "--mute-for", "1.5", "--refuse", "--store-ms-per-64k",
                   "2400", "--flash-error", "3"},
                  s),
            ParseOutcome::Run);
  EXPECT_EQ(s.tcpPort, 0);
  EXPECT_EQ(s.udpPort, -1);
  EXPECT_TRUE(s.serial);
  EXPECT_EQ(s.bind, QHostAddress(QHostAddress::AnyIPv4));
  EXPECT_EQ(s.device.model, 27u);
  EXPECT_EQ(s.device.options, 0x80u);
  EXPECT_EQ(s.seed, 99u);
  EXPECT_EQ(s.logPath, QStringLiteral("/tmp/x.log"));
  EXPECT_EQ(s.timeScalePercent, 5);
  EXPECT_DOUBLE_EQ(s.faults.dropProbability, 0.25);
  EXPECT_EQ(s.faults.delayMs, 30);
  EXPECT_DOUBLE_EQ(s.faults.garbageProbability, 0.5);
  EXPECT_EQ(s.faults.muteAfter, 12u);
  EXPECT_EQ(s.faults.muteForMs, 1500);
  EXPECT_TRUE(s.faults.refuseTcp);
  EXPECT_EQ(s.device.storeMsPer64KiB, 2400);
  EXPECT_EQ(s.device.flashErrorStore, 3);
}

TEST(SimOptions, BadValuesAreRefusedWithAReason) {
  const QStringList bad[] = {
      {"--tcp", "70000"}, {"--udp", "x"},          {"--drop", "1.5"},       {"--garbage", "-0.1"},
      {"--time-scale", "0"}, {"--delay", "-3"},    {"--model", "DMR"},      {"--opt", "0xZZ"},
      {"--bind", "nowhere"}, {"--mute-for", "-1"}, {"--tcp", "off", "--udp", "off"}, {"--frobnicate"},
      {"stray"}, {"--store-ms-per-64k", "-1"}, {"--flash-error", "x"},
  };
  for (const auto& args : bad) {
    SimSettings s;
    QString msg;
    EXPECT_EQ(parse(args, s, &msg), ParseOutcome::Error) << args.join(' ').toStdString();
    EXPECT_FALSE(msg.isEmpty());
  }
}

TEST(SimOptions, HelpDocumentsTheFaultOptions) {
  SimSettings s;
  QString text;
  ASSERT_EQ(parse({"--help"}, s, &text), ParseOutcome::Help);
  for (const char* opt : {"--tcp", "--udp", "--serial", "--model", "--opt", "--seed", "--log", "--time-scale", "--drop",
                          "--delay", "--garbage", "--mute-after", "--mute-for", "--refuse", "--bind", "COM3=",
                          "--store-ms-per-64k", "--flash-error", "--set", "--burst-order"})
    EXPECT_TRUE(text.contains(QLatin1String(opt))) << opt;
}

TEST(SimOptions, PresetsAndBurstOrder) {
  SimSettings s;
  ASSERT_EQ(parse({"--set", "E=4", "--set", "eu=2", "--set", "E=6", "--burst-order", "shuffled", "--seed", "7"}, s),
            ParseOutcome::Run);
  ASSERT_EQ(s.device.presets.size(), 3u);
  EXPECT_EQ(s.device.presets[0], std::make_pair(int(zelvan::Reg::EFFECT), 4u));
  EXPECT_EQ(s.device.presets[1], std::make_pair(int(zelvan::Reg::EFFOPEN), 2u));
  EXPECT_EQ(s.device.presets[2], std::make_pair(int(zelvan::Reg::EFFECT), 6u));
  EXPECT_TRUE(s.device.shuffledBurst);
  EXPECT_EQ(s.device.burstSeed, 7u);
  SimSettings plain;
  ASSERT_EQ(parse({}, plain), ParseOutcome::Run);
  EXPECT_TRUE(plain.device.presets.empty());
  EXPECT_FALSE(plain.device.shuffledBurst);
  // An unknown code, a value outside the register's accepted range, no "=", no number, an unknown order.
  for (const QStringList& args : {QStringList{"--set", "zz=1"}, QStringList{"--set", "E=15"}, QStringList{"--set", "E"},
                                  QStringList{"--set", "E=x"}, QStringList{"--set", "=3"},
                                  QStringList{"--burst-order", "random"}}) {
    SimSettings bad;
    QString msg;
    EXPECT_EQ(parse(args, bad, &msg), ParseOutcome::Error) << args.join(' ').toStdString();
    EXPECT_FALSE(msg.isEmpty());
  }
}
