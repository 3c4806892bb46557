#include "sim/signal_tables.h"

#include <array>
#include <cmath>

namespace zsim {

namespace {

// Eight sources chosen so every status text has something to show: computer
// formats with H and V sync, a DVI input, interlaced HDTV and SDTV, one input
// without signal and a progressive HDTV source. Durations follow from the
// line and frame rates with UNIT = 27000 (line kHz = 270000 / ILD).
const std::array<InputSignal, 9> kInputs = {{
    {},  // 0: Black
    // 1: XGA 1024x768 60 Hz, 48.36 kHz, 806 lines, H- V-; computer H&V
    {true, false, 17, 5583, 656, 806, 6, 0, false, false, false, 8},
    // 2: VGA 640x480 59.94 Hz, 31.47 kHz, 525 lines, H- V-; computer H&V
    {true, false, 13, 8580, 1030, 525, 2, 0, false, false, false, 8},
    // 3: SXGA 1280x1024 60 Hz, 63.98 kHz, 1066 lines, H+ V+; DVI
    {true, false, 20, 4220, 450, 1066, 3, 0, true, true, false, 9},
    // 4: 1080i 59.94 Hz, 33.72 kHz, 562.5 lines per field, sync on green; HDTV YUV
    {true, false, 26, 8008, 594, 562, 5, 2, true, true, true, 10},
    // 5: PAL YUV 50 Hz interlaced, 15.625 kHz, 312.5 lines per field; SDTV YUV
    {true, false, 7, 17280, 1270, 312, 3, 3, false, false, true, 2},
    // 6: NTSC composite 59.94 Hz interlaced, 15.73 kHz; SDTV composite
    {true, false, 2, 17158, 1270, 262, 3, 3, false, false, true, 0},
    // 7: nothing connected; SDTV Y/C
    {false, false, 0, 0, 0, 0, 0, 0, false, false, false, 1},
    // 8: 1080p 50 Hz, 56.25 kHz, 1125 lines, H+ V+; HDTV SDI
    {true, false, 35, 4800, 594, 1125, 5, 0, true, true, false, 11},
}};

const InputSignal kNoSignal{};

struct Row {
  int format;
  int rate;
};

// Code -> (format, rate), the device's output format table.
constexpr std::array<Row, kFormatCodes> kCodes = {{
    {1, 3},  {1, 5},  {1, 6},  {1, 7},  {3, 3},  {3, 5},  {3, 6},  {3, 7},  {6, 3},  {6, 5},
    {6, 6},  {6, 7},  {8, 3},  {8, 5},  {8, 6},  {8, 7},  {7, 7},  {5, 7},  {0, 5},  {2, 3},
    {2, 5},  {7, 3},  {7, 5},  {7, 6},  {5, 3},  {5, 5},  {5, 6},  {0, 3},  {0, 6},  {0, 7},
    {4, 3},  {4, 5},  {4, 6},  {4, 7},  {10, 3}, {10, 5}, {9, 3},  {9, 4},  {11, 3}, {11, 4},
    {12, 3}, {12, 4}, {14, 0}, {14, 1}, {14, 2}, {13, 0}, {13, 1}, {15, 3}, {15, 4}, {13, 2},
}};

struct Size {
  uint32_t w;
  uint32_t h;
};
constexpr std::array<Size, 16> kFormatSize = {{
    {848, 480},   {800, 600},   {1280, 720},  {1024, 768},  {1280, 768},  {1365, 768},
    {1280, 1024}, {1365, 1024}, {1400, 1050}, {1920, 1080}, {1600, 1200}, {1280, 720},
    {1920, 1080}, {1920, 1080}, {1920, 1080}, {1920, 1080},
}};

constexpr std::array<uint32_t, 8> kRateCentiHz = {2398, 2500, 2997, 5000, 5994, 6000, 7200, 7500};

}  // namespace

const InputSignal& inputSignal(int input) {
  if (input < 1 || input > 8) return kNoSignal;
  return kInputs[static_cast<size_t>(input)];
}

uint32_t frameRateCentiHz(const InputSignal& s) {
  if (!s.present || s.lineDuration == 0 || s.frameDuration == 0) return 0;
  // The same arithmetic the status display uses, so both agree.
  const double lines = s.frameDuration + (s.interlaced ? 0.525 : 0.0);
  const double hz = (kTimeUnit * 10.0 / s.lineDuration) * 1000.0 / lines;
  return static_cast<uint32_t>(std::lround(hz * 100.0));
}

OutputMode outputMode(uint32_t code) {
  const Row r = kCodes[code < kFormatCodes ? code : 5];
  const Size sz = kFormatSize[static_cast<size_t>(r.format)];
  return {r.format, r.rate, sz.w, sz.h, kRateCentiHz[static_cast<size_t>(r.rate)]};
}

}  // namespace zsim
