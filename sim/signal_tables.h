// Fixed tables of the simulated device: the signal each of its eight inputs
// carries, and the output format-rate codes.
#pragma once

#include <cstdint>

namespace zsim {

// Device time unit reported in UNIT: a line duration of d units is a line
// frequency of UNIT x 10 / d kHz.
constexpr uint32_t kTimeUnit = 27000;

// What the device measures on one input.
struct InputSignal {
  bool present = false;     // signal present
  bool outOfRange = false;  // present but outside the decodable range
  uint32_t family = 0;      // family table index (0 no signal, 17 XGA, ...)
  uint32_t lineDuration = 0;       // ILD: device time units per line
  uint32_t lineSyncDuration = 0;   // ILSD: units of the horizontal sync pulse
  uint32_t frameDuration = 0;      // IFD: lines per frame (per field when interlaced)
  uint32_t frameSyncDuration = 0;  // IFSD: lines of the vertical sync pulse
  uint32_t syncKind = 0;    // 0 H and V, 1 TTL composite, 2 sync on green, 3 analog composite
  bool hPositive = false;
  bool vPositive = false;
  bool interlaced = false;
  uint32_t signalType = 0;  // PRGBI code the input is set to at start
};

// Input 1..8; 0 (Black) and anything else give "no signal".
const InputSignal& inputSignal(int input);

// Frame (field) rate of a signal in hundredths of a hertz, 0 without signal.
uint32_t frameRateCentiHz(const InputSignal& s);

// Output format-rate codes 0..49.
constexpr int kFormatCodes = 50;
struct OutputMode {
  int format;          // 0..15, format list index
  int rate;            // 0..7, rate list index
  uint32_t width;      // active pixels
  uint32_t height;     // active lines
  uint32_t centiHz;    // frame rate in hundredths of a hertz
};
// Codes above 49 give the mode of code 5 (1024x768, 60 Hz).
OutputMode outputMode(uint32_t code);

}  // namespace zsim
