// The number syntax of reply values and dotted address parts.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvan {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". At least one digit and nothing
// after the digits. Values beyond the 64-bit range saturate (they are out
// of every register's range anyway). Returns nothing when the text is no number.
std::optional<int64_t> parseNumber(std::string_view text);

// "a.b.c.d" with each part a number 0..255; the fourth part is everything
// after the third dot, so a fifth group makes it invalid.
std::optional<uint32_t> parseDotted(std::string_view text);

// Number of host bits of a netmask: the bit length of its inverse.
int netmaskHostBits(uint32_t mask);

// Dotted netmask of n host bits; n of 32 or more gives 0.0.0.0.
uint32_t netmaskFromHostBits(uint32_t n);

}  // namespace zelvan
