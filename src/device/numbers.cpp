#include "device/numbers.h"

#include <bit>

namespace zelvan {

namespace {
int digitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::optional<int64_t> parseNumber(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    negative = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return std::nullopt;
  const int64_t base = hex ? 16 : 10;
  constexpr int64_t kCap = int64_t{1} << 40;  // well past 32 bits, far from overflow
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    const int d = digitValue(s[i], hex);
    if (d < 0) return std::nullopt;
    if (v < kCap) v = v * base + d;
  }
  return negative ? -v : v;
}

std::optional<uint32_t> parseDotted(std::string_view s) {
  uint32_t result = 0;
  for (int part = 0; part < 4; ++part) {
    std::string_view text;
    if (part < 3) {
      const size_t dot = s.find('.');
      if (dot == std::string_view::npos) return std::nullopt;
      text = s.substr(0, dot);
      s.remove_prefix(dot + 1);
    } else {
      text = s;
    }
    const auto v = parseNumber(text);
    if (!v || *v < 0 || *v > 255) return std::nullopt;
    result = (result << 8) | static_cast<uint32_t>(*v);
  }
  return result;
}

int netmaskHostBits(uint32_t mask) { return std::bit_width(~mask); }

uint32_t netmaskFromHostBits(uint32_t n) {
  if (n >= 32) return 0;
  return 0xFFFFFFFFu - ((uint32_t{1} << n) - 1u);
}

}  // namespace zelvan
