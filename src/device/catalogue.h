// Register catalogue: the 316 registers of the device, generated from
// registers.def, and the look-ups the link, the snapshot file and the
// simulator use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelvan {

constexpr int kRegisterCount = 316;
constexpr int kChannels = 8;

enum class RegType : uint8_t { U32, BOOL, U32X8, BOOLX8, OCTET, PORT, NTMK };

struct RegisterInfo {
  std::string_view name;  // reply-line name, 1 to 4 characters
  std::string_view code;  // command code, 1 or 2 characters
  int kind;               // snapshot kind: 0 once, 1 per channel, 2 not saved
  RegType type;
  uint32_t min;           // accepted range installed at start-up (inclusive)
  uint32_t max;
  bool writable;          // property setter sends the command
  std::string_view property;
};

inline constexpr bool isPerChannel(RegType t) { return t == RegType::U32X8 || t == RegType::BOOLX8; }
inline constexpr bool isBool(RegType t) { return t == RegType::BOOL || t == RegType::BOOLX8; }

// Register indices by property name (Reg::HPOSM == 136); the six rows
// without a property are Reg::IPA_ .. Reg::NTMK_.
namespace Reg {
enum : int {
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev) prop = i,
#define ZSPECIAL(i, n, c, k, lo, hi, id) id = i,
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
};
}  // namespace Reg

const std::array<RegisterInfo, kRegisterCount>& catalogue();
inline const RegisterInfo& registerInfo(int index) { return catalogue()[static_cast<size_t>(index)]; }

struct RangePair {
  uint32_t min;
  uint32_t max;
};
using RangeTable = std::array<RangePair, kRegisterCount>;

// The fixed accepted ranges of the catalogue, in index order.
const RangeTable& acceptedRanges();

// Reply-line matching: the register a reply line reports and its value,
// following the device's rule to the letter: registers are tried in index
// order, a register matches when the line starts with its name and the rest
// is either empty (value 0) or a valid number, and the first match wins.
// Lines are looked up through a name index instead of a scan of 316 names.
struct LineMatch {
  int index = -1;          // -1: no register matches
  bool valueValid = true;  // false: the number lies outside 0 .. 4294967295
  uint32_t value = 0;
};
LineMatch matchReplyLine(std::string_view line);

// The same rule as a plain scan in index order; kept as the reference the
// indexed matcher is checked against.
LineMatch matchReplyLineLinear(std::string_view line);

// The last register in index order whose code equals the text, or -1.
int lastRegisterWithCode(std::string_view code);

}  // namespace zelvan
