// Main/Preview twins of the register catalogue, generated from twins.def.
//
// Code shared by both outputs names its registers through regs(output):
// regs(1).HPOS is Reg::HPOSM, regs(2).HPOS is Reg::HPOSP. twinOf() and
// outputOf() answer the same relation for a register index.
#pragma once

#include <array>
#include <cstdint>

#include "device/catalogue.h"

namespace zelvan {

// The registers of one output, one member per row of twins.def.
struct OutputRegs {
#define ZTWIN(field, main, preview) int field;
#include "device/twins.def"
#undef ZTWIN
};

inline constexpr OutputRegs kMainRegs{
#define ZTWIN(field, main, preview) Reg::main,
#include "device/twins.def"
#undef ZTWIN
};

inline constexpr OutputRegs kPreviewRegs{
#define ZTWIN(field, main, preview) Reg::preview,
#include "device/twins.def"
#undef ZTWIN
};

inline constexpr int kTwinCount = 0
#define ZTWIN(field, main, preview) +1
#include "device/twins.def"
#undef ZTWIN
    ;

// Output 1 is Main, every other value is Preview (output 2), the same rule
// as the panels' `output == 1 ? main : preview`.
constexpr const OutputRegs& regs(int output) { return output == 1 ? kMainRegs : kPreviewRegs; }

namespace detail {
struct TwinTable {
  std::array<int16_t, kRegisterCount> twin{};
  std::array<uint8_t, kRegisterCount> output{};
  bool valid = true;  // false: a row names one register twice, or a register sits in two rows
};

constexpr TwinTable makeTwinTable() {
  TwinTable t;
  t.twin.fill(-1);
  t.output.fill(0);
  auto add = [&t](int m, int p) {
    if (m == p || t.output[static_cast<size_t>(m)] != 0 || t.output[static_cast<size_t>(p)] != 0) {
      t.valid = false;
      return;
    }
    t.twin[static_cast<size_t>(m)] = static_cast<int16_t>(p);
    t.twin[static_cast<size_t>(p)] = static_cast<int16_t>(m);
    t.output[static_cast<size_t>(m)] = 1;
    t.output[static_cast<size_t>(p)] = 2;
  };
#define ZTWIN(field, main, preview) add(Reg::main, Reg::preview);
#include "device/twins.def"
#undef ZTWIN
  return t;
}

inline constexpr TwinTable kTwins = makeTwinTable();
static_assert(kTwins.valid, "twins.def: every row names two distinct registers, and no register is in two rows");
static_assert(sizeof(OutputRegs) == sizeof(int) * kTwinCount, "OutputRegs holds one int per twin");
}  // namespace detail

// The register of the other output, or -1 when the register has no twin.
constexpr int twinOf(int reg) {
  return reg < 0 || reg >= kRegisterCount ? -1 : detail::kTwins.twin[static_cast<size_t>(reg)];
}

// 1 for a Main register, 2 for a Preview register, 0 when it is not a twin.
constexpr int outputOf(int reg) {
  return reg < 0 || reg >= kRegisterCount ? 0 : detail::kTwins.output[static_cast<size_t>(reg)];
}

}  // namespace zelvan
