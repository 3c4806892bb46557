// What values the simulated device takes for each register: the accepted
// range of the register catalogue where it is restricted (values outside are
// refused), and the device's own limits elsewhere (8-bit settings, inputs,
// address octets, ...), some refused and some clamped.
#pragma once

#include <cstdint>
#include <optional>

namespace zsim {

enum class OutOfRange { Refuse, Clamp };

struct ValueRule {
  uint32_t min = 0;
  uint32_t max = UINT32_MAX;
  OutOfRange policy = OutOfRange::Refuse;
};

ValueRule valueRule(int index);

// The value register `index` takes from a command value, or nothing when the
// device refuses it. Flags take the command's lowest 8 bits: any of them set
// means true (so -1, as a snapshot writes true, is true).
std::optional<uint32_t> acceptValue(int index, uint32_t wireValue);

}  // namespace zsim
