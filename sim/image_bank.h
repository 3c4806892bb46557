// Picture settings the device keeps per input (position, size, levels,
// clock, phase, aspect, zoom, ...). The Main and Preview picture registers
// show and change the settings of the input on that output.
#pragma once

#include <array>
#include <cstdint>

#include "sim/output_registers.h"

namespace zsim {

class ImageBank {
 public:
  static constexpr int kParams = 20;
  static constexpr int kInputs = 9;  // 0 (Black) to 8

  ImageBank() { resetAll(); }
  void resetAll();
  void resetInput(int input);

  uint32_t value(int input, int param) const { return m_values[slot(input)][static_cast<size_t>(param)]; }
  void set(int input, int param, uint32_t v) { m_values[slot(input)][static_cast<size_t>(param)] = v; }

  // The parameter a picture register stands for (and its output), or -1.
  static int paramOf(int index, Output* output);
  // The register of a parameter on an output.
  static int registerOf(Output o, int param);
  static uint32_t defaultValue(int input, int param);

 private:
  static size_t slot(int input) { return static_cast<size_t>(input >= 0 && input < kInputs ? input : 0); }
  std::array<std::array<uint32_t, kParams>, kInputs> m_values{};
};

}  // namespace zsim
