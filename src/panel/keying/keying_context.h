// State shared by the keying panels: the device link, the host, the
// per-input mirrors the per-channel reports fill, and the panels
// themselves so that one can run another's routine where a report or an
// operator action asks for it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "panel/keying/keying_host.h"

class TZelvan_d;

namespace zelvan::keying {

class TLogoMemories;
class TLogoMemoryShared;
class TLogoPlacement;
class TLogoCommonControls;

// Per-output mirrors of the per-channel keying registers, index 0..8
// (entry 0 keeps what was reported while PCHAN was 0, which the device
// applies to every input, so inputs 1..8 take it too).
struct TInputKeying {
  std::array<uint32_t, 9> slot1{};         // LPLOGO1: frame or first logo
  std::array<uint32_t, 9> slot2{};         // LPLOGO2: second logo
  std::array<uint32_t, 9> transparency{};  // LPTRANS
};

struct TKeyingContext {
  TZelvan_d* link = nullptr;
  TKeyingHost* host = nullptr;
  // InputLogoSlots / InputLogoTransparency, [output - 1].
  std::array<TInputKeying, 2> inputs{};

  // The panels, [output - 1]; set once they are built.
  std::array<TLogoMemories*, 2> memories{};
  TLogoMemoryShared* memoryShared = nullptr;
  std::array<TLogoPlacement*, 2> placement{};
  TLogoCommonControls* common = nullptr;

  // Reruns the whole LMODEM (output 1) / LMODEP (output 2) change handler:
  // the tab part, then the page layout.
  std::function<void(int output)> rerunModeHandler;
  // Combologo_enabled (true: enabled when the rule allows) or
  // Combologo_disabled of an output.
  std::function<void(int output, bool enable)> setCombosEnabled;

  TInputKeying& mirror(int output) { return inputs[output == 1 ? 0 : 1]; }
  const TInputKeying& mirror(int output) const { return inputs[output == 1 ? 0 : 1]; }
  TLogoMemories& memoriesOf(int output) const { return *memories[output == 1 ? 0 : 1]; }
  TLogoPlacement& placementOf(int output) const { return *placement[output == 1 ? 0 : 1]; }
  // The reported processing channel 0..8; -1 above 8.
  int pchan() const;
};

// Device memory kinds by index (0 none / all, 1, 2 and 11..14 frames, 3..10 logos).
constexpr bool isFrameMemory(uint32_t m) { return m == 1 || m == 2 || (m >= 11 && m <= 14); }
constexpr bool isLogoMemory(uint32_t m) { return m >= 3 && m <= 10; }
// Frame number 1..6 of a frame memory, 0 otherwise; and back.
constexpr int frameNumber(uint32_t m) { return m == 1 || m == 2 ? int(m) : (m >= 11 && m <= 14 ? int(m) - 8 : 0); }
constexpr int frameMemory(int k) { return k == 1 || k == 2 ? k : (k >= 3 && k <= 6 ? k + 8 : 0); }

}  // namespace zelvan::keying
