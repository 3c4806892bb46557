// The simulated device's register state: one value per register, eight per
// processing channel for the per-channel registers, and the three network
// address sets with the two ports.
#pragma once

#include <array>
#include <cstdint>

#include "device/catalogue.h"

namespace zsim {

class RegisterFile {
 public:
  // Single registers (for a per-channel register: channel 1).
  uint32_t get(int index) const { return m_values[idx(index)][0]; }
  void set(int index, uint32_t v) { m_values[idx(index)].fill(v); }

  // Per-channel registers, channel 1..8.
  uint32_t channel(int index, int ch) const { return m_values[idx(index)][slot(ch)]; }
  void setChannel(int index, int ch, uint32_t v) { m_values[idx(index)][slot(ch)] = v; }
  bool channelsEqual(int index) const;

  // Address sets 1..3 (own, remote, gateway), octets 0..3 (A..D, A first in the dotted form).
  uint32_t octet(int set, int octet) const { return m_octets[setSlot(set)][octet & 3]; }
  void setOctet(int set, int octet, uint32_t v) { m_octets[setSlot(set)][octet & 3] = v; }
  // Ports: 1 own, 2 remote.
  uint32_t port(int which) const { return m_ports[which == 2 ? 1 : 0]; }
  void setPort(int which, uint32_t v) { m_ports[which == 2 ? 1 : 0] = v; }

 private:
  static size_t idx(int index) { return static_cast<size_t>(index); }
  static size_t slot(int ch) { return static_cast<size_t>(ch >= 1 && ch <= 8 ? ch - 1 : 0); }
  static size_t setSlot(int set) { return static_cast<size_t>(set >= 1 && set <= 3 ? set - 1 : 0); }

  std::array<std::array<uint32_t, zelvan::kChannels>, zelvan::kRegisterCount> m_values{};
  uint32_t m_octets[3][4]{};
  uint32_t m_ports[2]{};
};

}  // namespace zsim
