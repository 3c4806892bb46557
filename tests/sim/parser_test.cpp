// Command splitting: commands arrive back to back without terminators and
// must be cut by the longest code at each point.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "device/catalogue.h"
#include "sim/command_parser.h"

using zsim::Command;
using zsim::CommandParser;
namespace Reg = zelvan::Reg;

namespace {

std::vector<Command> parse(std::string_view text) {
  CommandParser p;
  std::vector<Command> out;
  p.feed(text, out);
  return out;
}

uint32_t wire(const Command& c) { return c.wireValue().value_or(0xDEADBEEF); }

}  // namespace

TEST(CommandParser, SplitsBackToBackCommands) {
  const auto cmds = parse("1na10nw0nx");
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].index, Reg::PADIP);
  EXPECT_EQ(wire(cmds[0]), 1u);
  EXPECT_EQ(cmds[1].index, Reg::IPD_);
  EXPECT_EQ(wire(cmds[1]), 10u);
  EXPECT_EQ(cmds[2].index, Reg::IPC_);
  EXPECT_EQ(wire(cmds[2]), 0u);
  for (const auto& c : cmds) EXPECT_EQ(c.kind, Command::Kind::Value);
  EXPECT_EQ(cmds[1].text, "10nw");
}

TEST(CommandParser, QueriesIdentityAndFullState) {
  const auto cmds = parse("?H#\r\n");
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].kind, Command::Kind::Query);
  EXPECT_EQ(cmds[0].index, Reg::DEV);
  EXPECT_EQ(cmds[1].kind, Command::Kind::Query);
  EXPECT_EQ(cmds[1].index, Reg::HPOSM);
  EXPECT_EQ(cmds[2].kind, Command::Kind::FullState);
}

TEST(CommandParser, TakesTheLongestCodeAndIsCaseSensitive) {
  const auto cmds = parse("5cn5CN7lI7Li3Lo3lO");
  ASSERT_EQ(cmds.size(), 6u);
  EXPECT_EQ(cmds[0].index, Reg::ICHNP);
  EXPECT_EQ(cmds[1].index, Reg::ICHNM);
  EXPECT_EQ(cmds[2].index, Reg::LLINESIZ2P);
  EXPECT_EQ(cmds[3].index, Reg::LLINESIZ2M);
  EXPECT_EQ(cmds[4].index, Reg::LOFMT2M);
  EXPECT_EQ(cmds[5].index, Reg::LOFMT2P);  // "lO" is shared: the later register wins
}

TEST(CommandParser, SharedCodesAddressTheLastRegister) {
  EXPECT_EQ(CommandParser::registerForCode("lW"), Reg::LHSIZ2P);
  EXPECT_EQ(CommandParser::registerForCode("lS"), Reg::LVSIZ2P);
  EXPECT_EQ(CommandParser::registerForCode("lO"), Reg::LOFMT2P);
  EXPECT_EQ(CommandParser::registerForCode("zz"), -1);
}

// Every code of the catalogue, each behind a value, all in one stream: the
// split must find exactly one command per register, addressed like the
// snapshot replay pairs codes with registers.
TEST(CommandParser, EveryCatalogueCodeSplitsInAConcatenatedStream) {
  std::string stream;
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    stream.push_back(static_cast<char>('0' + i % 10));
    stream.append(zelvan::registerInfo(i).code);
  }
  const auto cmds = parse(stream);
  ASSERT_EQ(cmds.size(), static_cast<size_t>(zelvan::kRegisterCount));
  for (int i = 0; i < zelvan::kRegisterCount; ++i) {
    const auto code = zelvan::registerInfo(i).code;
    int last = -1;
    for (int j = 0; j < zelvan::kRegisterCount; ++j)
      if (zelvan::registerInfo(j).code == code) last = j;
    SCOPED_TRACE(std::string(code));
    EXPECT_EQ(cmds[static_cast<size_t>(i)].index, last);
    if (code != "#") {
      EXPECT_EQ(wire(cmds[static_cast<size_t>(i)]), static_cast<uint32_t>(i % 10));
    }
  }
}

TEST(CommandParser, NegativeValuesAreTwosComplementAndBounded) {
  const auto cmds = parse("-1PE-2147483648H-2147483649H4294967295H4294967296H-H--5H");
  ASSERT_EQ(cmds.size(), 6u);  // "-H" is no command
  EXPECT_EQ(cmds[0].index, Reg::PENA);
  EXPECT_EQ(wire(cmds[0]), 4294967295u);
  EXPECT_EQ(wire(cmds[1]), 2147483648u);
  EXPECT_FALSE(cmds[2].wireValue().has_value());
  EXPECT_EQ(wire(cmds[3]), 4294967295u);
  EXPECT_FALSE(cmds[4].wireValue().has_value());
  EXPECT_EQ(wire(cmds[5]), 4294967291u);  // "--5": the second sign starts afresh
  EXPECT_EQ(cmds[5].text, "-5H");
}

TEST(CommandParser, SkipsBlanksAndLineEnds) {
  const auto cmds = parse("\r\n5 H\r\n\t 7PC\r\n");
  ASSERT_EQ(cmds.size(), 2u);
  EXPECT_EQ(wire(cmds[0]), 5u);
  EXPECT_EQ(cmds[0].index, Reg::HPOSM);
  EXPECT_EQ(cmds[1].index, Reg::PCHAN);
}

TEST(CommandParser, GarbageIsSkippedAndBreaksOnlyTheValueInFront) {
  CommandParser p;
  std::vector<Command> out;
  p.feed("%&5H", out);       // unknown bytes, then a good command
  p.feed("12%H", out);       // garbage between value and code: a bare query remains
  p.feed("xx5V", out);       // "x" begins two-letter codes, "xx" is none
  p.feed("L!3V", out);       // a started code broken by an unknown byte
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].kind, Command::Kind::Value);
  EXPECT_EQ(wire(out[0]), 5u);
  EXPECT_EQ(out[1].kind, Command::Kind::Query);
  EXPECT_EQ(out[1].index, Reg::HPOSM);
  EXPECT_EQ(out[2].index, Reg::VPOSM);
  EXPECT_EQ(wire(out[2]), 5u);
  EXPECT_EQ(wire(out[3]), 3u);
  EXPECT_GE(p.skipped(), 6u);
}

TEST(CommandParser, CommandsSplitAcrossChunksAreJoined) {
  CommandParser p;
  std::vector<Command> out;
  for (const char* chunk : {"1", "n", "a", "12", "34", "H-", "7", "P", "E", "l"}) p.feed(chunk, out);
  EXPECT_TRUE(p.hasPending());  // "l" waits for its second character
  p.feed("W", out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].index, Reg::PADIP);
  EXPECT_EQ(wire(out[1]), 1234u);
  EXPECT_EQ(wire(out[2]), static_cast<uint32_t>(-7));
  EXPECT_EQ(out[3].kind, Command::Kind::Query);
  EXPECT_EQ(out[3].index, Reg::LHSIZ2P);
  EXPECT_FALSE(p.hasPending());
}

TEST(CommandParser, LongDigitRunsOverflowWithoutGrowingAndLeadingZerosAreFree) {
  CommandParser p;
  std::vector<Command> out;
  const std::string digits(1 << 20, '9');
  p.feed(digits, out);
  p.feed(digits, out);
  p.feed("H00000000000000000000000000000042V", out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_TRUE(out[0].overflow);
  EXPECT_FALSE(out[0].wireValue().has_value());
  EXPECT_LT(out[0].text.size(), 32u);  // the transcript text stays short too
  EXPECT_EQ(wire(out[1]), 42u);
}

TEST(CommandParser, RandomBytesNeverStallTheStream) {
  std::mt19937 rng(7);
  std::string junk(200000, '\0');
  for (char& c : junk) c = static_cast<char>(rng() & 0xFF);
  CommandParser p;
  std::vector<Command> out;
  p.feed(junk, out);
  out.clear();
  // One unknown byte clears whatever the junk left pending.
  p.feed("%5H", out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].index, Reg::HPOSM);
  EXPECT_EQ(wire(out[0]), 5u);
}
