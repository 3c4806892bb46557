#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "device/catalogue.h"
#include "device/twins.h"

using namespace zelvan;

namespace {
struct TwinRow {
  std::string_view field;
  int main;
  int preview;
};

constexpr TwinRow kRows[] = {
#define ZTWIN(field, main, preview) {#field, Reg::main, Reg::preview},
#include "device/twins.def"
#undef ZTWIN
};

bool isSpecial(const RegisterInfo& r) {
  return r.type == RegType::OCTET || r.type == RegType::PORT || r.type == RegType::NTMK;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Where the catalogue departs from "field + M / field + P" and "Preview name =
// Main name in lower case". Each entry must still depart, so a stale one fails.
const std::set<std::string_view> kUnmarkedMain = {"BCFRED", "BCFGREEN", "BCFBLUE"};
const std::set<std::string_view> kIrregularName = {"OFMT", "OSCREEN", "LPTRANS"};  // OFTM/oftp, SCRM/scrp, LPTM/LPTP
const std::set<std::string_view> kKindDiffers = {"SCANSTA"};  // Main saved in a snapshot, Preview not

// Registers whose names look like a pair but are not Main and Preview:
// Double PiP parameters and the soft edge's two pictures.
const std::set<std::string_view> kNotTwins = {"EFFPM", "EDGBLKR", "EDGBLKG", "EDGBLKB", "EDGSBLK", "EDGEBLK"};
}  // namespace

TEST(Twins, EveryPairAgreesInTheCatalogue) {
  ASSERT_EQ(std::size(kRows), static_cast<size_t>(kTwinCount));
  for (const auto& row : kRows) {
    SCOPED_TRACE(std::string(row.field));
    const RegisterInfo& m = registerInfo(row.main);
    const RegisterInfo& p = registerInfo(row.preview);
    EXPECT_NE(row.main, row.preview);
    EXPECT_EQ(m.type, p.type);
    EXPECT_EQ(m.min, p.min);
    EXPECT_EQ(m.max, p.max);
    EXPECT_EQ(m.writable, p.writable);
    if (kKindDiffers.count(row.field))
      EXPECT_NE(m.kind, p.kind);
    else
      EXPECT_EQ(m.kind, p.kind);

    const std::string field(row.field);
    EXPECT_EQ(p.property, field + "P");
    EXPECT_EQ(m.property, kUnmarkedMain.count(row.field) ? field : field + "M");
    if (kIrregularName.count(row.field))
      EXPECT_NE(p.name, lower(m.name));
    else
      EXPECT_EQ(p.name, lower(m.name)) << m.name;

    EXPECT_EQ(twinOf(row.main), row.preview);
    EXPECT_EQ(twinOf(row.preview), row.main);
    EXPECT_EQ(outputOf(row.main), 1);
    EXPECT_EQ(outputOf(row.preview), 2);
  }
}

TEST(Twins, OutputAccessorPicksTheOutputsRegister) {
  EXPECT_EQ(regs(1).HPOS, 136);
  EXPECT_EQ(regs(2).HPOS, 177);
  EXPECT_EQ(regs(1).BCFRED, 26);
  EXPECT_EQ(regs(2).BCFRED, 243);
  EXPECT_EQ(regs(1).LPTRANS, 296);
  EXPECT_EQ(regs(2).LPTRANS, 297);
  EXPECT_EQ(regs(2).LFADE, 104);
  static_assert(&regs(1) == &kMainRegs && &regs(2) == &kPreviewRegs);
  // Every member of one output is a register of that output.
  std::array<int, kTwinCount> mainFields, previewFields;
  std::memcpy(mainFields.data(), &kMainRegs, sizeof mainFields);
  std::memcpy(previewFields.data(), &kPreviewRegs, sizeof previewFields);
  for (int i = 0; i < kTwinCount; ++i) {
    EXPECT_EQ(outputOf(mainFields[size_t(i)]), 1) << i;
    EXPECT_EQ(twinOf(mainFields[size_t(i)]), previewFields[size_t(i)]) << i;
  }
}

TEST(Twins, TwinOfIsAnInvolution) {
  int main = 0, preview = 0;
  for (int i = 0; i < kRegisterCount; ++i) {
    SCOPED_TRACE(std::string(registerInfo(i).property));
    const int t = twinOf(i);
    if (t == -1) {
      EXPECT_EQ(outputOf(i), 0);
      continue;
    }
    ASSERT_GE(t, 0);
    ASSERT_LT(t, kRegisterCount);
    EXPECT_NE(t, i);
    EXPECT_EQ(twinOf(t), i);
    EXPECT_EQ(outputOf(i) + outputOf(t), 3) << "one Main, one Preview";
    main += outputOf(i) == 1;
    preview += outputOf(i) == 2;
  }
  EXPECT_EQ(main, kTwinCount);
  EXPECT_EQ(preview, kTwinCount);
  EXPECT_EQ(twinOf(-1), -1);
  EXPECT_EQ(twinOf(kRegisterCount), -1);
  EXPECT_EQ(outputOf(-1), 0);
  EXPECT_EQ(outputOf(kRegisterCount), 0);
  EXPECT_EQ(outputOf(Reg::STORE), 0);
  EXPECT_EQ(twinOf(Reg::MTRXMOD), -1);
}

// A register whose property is X + "M" (or X) with an X + "P" in the
// catalogue must be in twins.def, unless it is one of the known look-alikes.
TEST(Twins, TableCoversEveryMarkedPair) {
  std::map<std::string_view, int> byProperty;
  for (int i = 0; i < kRegisterCount; ++i)
    if (!isSpecial(registerInfo(i))) byProperty[registerInfo(i).property] = i;
  std::set<std::string_view> lookAlikesSeen;
  for (const auto& [prop, index] : byProperty) {
    std::string partner;
    if (prop.ends_with('M') && byProperty.count(std::string(prop.substr(0, prop.size() - 1)) + "P"))
      partner = std::string(prop.substr(0, prop.size() - 1)) + "P";
    else if (byProperty.count(std::string(prop) + "P"))
      partner = std::string(prop) + "P";
    if (partner.empty()) continue;
    SCOPED_TRACE(std::string(prop) + " / " + partner);
    if (kNotTwins.count(prop)) {
      lookAlikesSeen.insert(prop);
      EXPECT_EQ(outputOf(index), 0);
      continue;
    }
    EXPECT_EQ(twinOf(index), byProperty.at(partner)) << "missing from twins.def";
    EXPECT_EQ(outputOf(index), 1);
  }
  EXPECT_EQ(lookAlikesSeen, kNotTwins);
}
