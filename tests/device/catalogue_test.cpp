#include <gtest/gtest.h>

#include <QByteArray>

#include <random>
#include <set>
#include <string>

#include "device/catalogue.h"
#include "device/numbers.h"
#include "device/zelvan_d.h"

using namespace zelvan;

TEST(Catalogue, TableShape) {
  const auto& cat = catalogue();
  ASSERT_EQ(cat.size(), 316u);
  std::set<std::string_view> names;
  int kind0 = 0, kind1 = 0;
  for (const auto& r : cat) {
    EXPECT_TRUE(r.name.size() >= 1 && r.name.size() <= 4) << r.name;
    EXPECT_TRUE(r.code.size() >= 1 && r.code.size() <= 2) << r.code;
    EXPECT_LE(r.min, r.max) << r.name;
    names.insert(r.name);
    kind0 += r.kind == 0;
    kind1 += r.kind == 1;
  }
  EXPECT_EQ(names.size(), 316u) << "reply names must be unique";
  EXPECT_EQ(kind0, 54);
  EXPECT_EQ(kind1, 15);
  EXPECT_EQ(registerInfo(Reg::HPOSM).name, "HP");
  EXPECT_EQ(registerInfo(Reg::HPOSM).code, "H");
  EXPECT_EQ(registerInfo(Reg::HPOSP).name, "hp");
  EXPECT_EQ(registerInfo(Reg::DEV).code, "?");
  EXPECT_FALSE(registerInfo(Reg::DEV).writable);
  EXPECT_TRUE(registerInfo(Reg::PCHAN).writable);
  EXPECT_EQ(registerInfo(Reg::UNITy).property, "UNITy");
  EXPECT_EQ(registerInfo(Reg::queryall).name, "#");
  // The four Preview codes that do not follow the Main pattern.
  EXPECT_EQ(registerInfo(Reg::LHSIZ2P).code, "lW");
  EXPECT_EQ(registerInfo(Reg::LVSIZ2P).code, "lS");
  EXPECT_EQ(registerInfo(Reg::LOFMT2P).code, "lO");
  EXPECT_EQ(registerInfo(Reg::LLINESIZ2P).code, "lI");
  EXPECT_EQ(registerInfo(Reg::IPA_).type, RegType::OCTET);
  EXPECT_EQ(registerInfo(Reg::PORT_).type, RegType::PORT);
  EXPECT_EQ(registerInfo(Reg::NTMK_).type, RegType::NTMK);
  EXPECT_EQ(registerInfo(Reg::PEDGC).type, RegType::BOOLX8);
  EXPECT_EQ(registerInfo(Reg::PVISC).kind, 0);
}

// The installed ranges decide what the link stores: a report at either bound
// is kept, one just outside is dropped and the mirror keeps its value.
TEST(Catalogue, AcceptedRangesBoundWhatTheLinkStores) {
  const auto& r = acceptedRanges();
  const struct {
    int reg;
    uint32_t min, max;
  } bounded[] = {{Reg::PCHAN, 0, 8},  {Reg::EFFECT, 0, 14}, {Reg::IFAMM, 0, 42},
                 {Reg::OFMTM, 0, 49}, {Reg::LSTATUSM, 0, 5}};
  TZelvan_d link;
  link.SetRanges(r);
  auto report = [&](int reg, uint64_t v) {
    const auto name = registerInfo(reg).name;
    link.ProcessReceived(QByteArray(name.data(), qsizetype(name.size())) + QByteArray::number(qulonglong(v)) + "\r\n");
  };
  for (const auto& b : bounded) {
    SCOPED_TRACE(std::string(registerInfo(b.reg).name));
    EXPECT_EQ(r[b.reg].min, b.min);
    EXPECT_EQ(r[b.reg].max, b.max);
    report(b.reg, b.max);
    EXPECT_EQ(link.registerValue(b.reg), b.max);
    report(b.reg, uint64_t{b.max} + 1);
    EXPECT_EQ(link.registerValue(b.reg), b.max) << "one above the range is dropped";
    report(b.reg, b.min);
    EXPECT_EQ(link.registerValue(b.reg), b.min);
  }
  // A full 32-bit register takes every value the wire can carry.
  EXPECT_EQ(r[Reg::HPOSM].max, 4294967295u);
  report(Reg::HPOSM, 4294967295u);
  EXPECT_EQ(link.HPOSM(), 4294967295u);
  report(Reg::HPOSM, 0);
  EXPECT_EQ(link.HPOSM(), 0u);
}

TEST(Catalogue, CodeLookupTakesTheLastRegister) {
  EXPECT_EQ(lastRegisterWithCode("lW"), Reg::LHSIZ2P);
  EXPECT_EQ(lastRegisterWithCode("lS"), Reg::LVSIZ2P);
  EXPECT_EQ(lastRegisterWithCode("lO"), Reg::LOFMT2P);
  EXPECT_EQ(lastRegisterWithCode("MM"), Reg::MTRXMOD);
  EXPECT_EQ(lastRegisterWithCode("PC"), Reg::PCHAN);
  EXPECT_EQ(lastRegisterWithCode(""), -1);
  EXPECT_EQ(lastRegisterWithCode("zz"), -1);
}

TEST(NumberSyntax, AcceptsAndRejects) {
  EXPECT_EQ(parseNumber("42"), 42);
  EXPECT_EQ(parseNumber("  42"), 42);
  EXPECT_EQ(parseNumber("+7"), 7);
  EXPECT_EQ(parseNumber("-7"), -7);
  EXPECT_EQ(parseNumber("$A"), 10);
  EXPECT_EQ(parseNumber("$ff"), 255);
  EXPECT_EQ(parseNumber("x10"), 16);
  EXPECT_EQ(parseNumber("X10"), 16);
  EXPECT_EQ(parseNumber("0x1F"), 31);
  EXPECT_EQ(parseNumber("0X1f"), 31);
  EXPECT_EQ(parseNumber("-$10"), -16);
  EXPECT_EQ(parseNumber("4294967295"), 4294967295ll);
  EXPECT_EQ(parseNumber("4294967296"), 4294967296ll);
  EXPECT_FALSE(parseNumber(""));
  EXPECT_FALSE(parseNumber(" "));
  EXPECT_FALSE(parseNumber("42 "));
  EXPECT_FALSE(parseNumber("4 2"));
  EXPECT_FALSE(parseNumber("$"));
  EXPECT_FALSE(parseNumber("0x"));
  EXPECT_FALSE(parseNumber("-"));
  EXPECT_FALSE(parseNumber("12a"));
  EXPECT_FALSE(parseNumber("N3"));
  EXPECT_FALSE(parseNumber("\t3"));
  // Thousands of digits neither overflow nor wrap into range.
  const auto huge = parseNumber(std::string(5000, '9'));
  ASSERT_TRUE(huge);
  EXPECT_GT(*huge, 4294967295ll);
}

TEST(NumberSyntax, DottedAndNetmask) {
  EXPECT_EQ(parseDotted("192.168.0.10"), 0xC0A8000Au);
  EXPECT_EQ(parseDotted("0.0.0.0"), 0u);
  EXPECT_EQ(parseDotted("$FF.x10.0.1"), 0xFF100001u);
  EXPECT_FALSE(parseDotted("1.2.3"));
  EXPECT_FALSE(parseDotted("1.2.3.4.5"));
  EXPECT_FALSE(parseDotted("1.2.3.256"));
  EXPECT_FALSE(parseDotted("1.-2.3.4"));
  EXPECT_FALSE(parseDotted("1..3.4"));
  EXPECT_FALSE(parseDotted("a.b.c.d"));
  EXPECT_EQ(netmaskHostBits(0xFFFFFF00u), 8);
  EXPECT_EQ(netmaskHostBits(0xFFFF0000u), 16);
  EXPECT_EQ(netmaskHostBits(0xFFFFFFFFu), 0);
  EXPECT_EQ(netmaskHostBits(0xFF00FF00u), 24);
  EXPECT_EQ(netmaskHostBits(0u), 32);
  EXPECT_EQ(netmaskFromHostBits(8), 0xFFFFFF00u);
  EXPECT_EQ(netmaskFromHostBits(0), 0xFFFFFFFFu);
  EXPECT_EQ(netmaskFromHostBits(31), 0x80000000u);
  EXPECT_EQ(netmaskFromHostBits(32), 0u);
  EXPECT_EQ(netmaskFromHostBits(4294967295u), 0u);
}

namespace {
void expectSameMatch(const std::string& line) {
  const LineMatch a = matchReplyLine(line);
  const LineMatch b = matchReplyLineLinear(line);
  ASSERT_EQ(a.index, b.index) << "line '" << line << "'";
  ASSERT_EQ(a.valueValid, b.valueValid) << line;
  ASSERT_EQ(a.value, b.value) << line;
}
}  // namespace

TEST(ReplyMatching, DocumentedCases) {
  EXPECT_EQ(matchReplyLine("CH3").index, Reg::ICHM);
  EXPECT_EQ(matchReplyLine("CHN3").index, Reg::ICHNM);
  EXPECT_EQ(matchReplyLine("chn3").index, Reg::ICHNP);
  EXPECT_EQ(matchReplyLine("EFOP7").index, Reg::EFFOPEN);
  EXPECT_EQ(matchReplyLine("EFO7").index, Reg::EFFOPT);
  EXPECT_EQ(matchReplyLine("TBAV1").index, Reg::TBARAV);
  EXPECT_EQ(matchReplyLine("SHPO4").index, Reg::SCANHPOSM);
  EXPECT_EQ(matchReplyLine("SH4").index, Reg::SCANHPHM);
  EXPECT_EQ(matchReplyLine("LHCP5").index, Reg::LHPCAPM);
  EXPECT_EQ(matchReplyLine("L5").index, Reg::LUTDATA);
  EXPECT_EQ(matchReplyLine("LQTY5").index, Reg::LQTY);
  const LineMatch blank = matchReplyLine("CH 3");
  EXPECT_EQ(blank.index, Reg::ICHM);
  EXPECT_EQ(blank.value, 3u);
  EXPECT_EQ(matchReplyLine("CH3 ").index, -1);
  EXPECT_EQ(matchReplyLine("CH$A").value, 10u);
  EXPECT_EQ(matchReplyLine("CHx10").value, 16u);
  const LineMatch take = matchReplyLine("TAKE");
  EXPECT_EQ(take.index, Reg::TAKE);
  EXPECT_EQ(take.value, 0u);
  EXPECT_EQ(matchReplyLine("").index, -1);
  EXPECT_EQ(matchReplyLine("BG4294967295").index, -1);
  EXPECT_EQ(matchReplyLine("ZZZ1").index, -1);
  const LineMatch neg = matchReplyLine("HP-1");
  EXPECT_EQ(neg.index, Reg::HPOSM);
  EXPECT_FALSE(neg.valueValid);
  EXPECT_FALSE(matchReplyLine("HP4294967296").valueValid);
  EXPECT_TRUE(matchReplyLine("HP4294967295").valueValid);
}

// The indexed matcher must give exactly what the plain scan in index order
// gives: every name alone and with every kind of rest, every pair of names
// (which covers every name that is a prefix of another), and random lines.
TEST(ReplyMatching, IndexedMatchesLinearRule) {
  const auto& cat = catalogue();
  const char* rests[] = {"", "0", "12", " 12", "12 ", "$1F", "x1f", "0x", "-3", "+3", "N3", "P", "4294967296", "q"};
  for (const auto& a : cat) {
    for (const char* rest : rests) expectSameMatch(std::string(a.name) + rest);
    for (const auto& b : cat) {
      expectSameMatch(std::string(a.name) + std::string(b.name));
      expectSameMatch(std::string(a.name) + std::string(b.name) + "7");
    }
  }
  std::mt19937 rng(12345);
  const std::string alphabet = "LlHhPpCcSsEeTtAaBbNn_#$x0123456789 -+";
  for (int i = 0; i < 100000; ++i) {
    std::string line;
    const int len = static_cast<int>(rng() % 9);
    for (int k = 0; k < len; ++k) line += alphabet[rng() % alphabet.size()];
    expectSameMatch(line);
  }
}
