// Shared pieces of the simulator tests: a device with a recording reply
// sink, a decoder of reply lines that knows nothing of the link, and
// event-loop pumping for the end-to-end tests.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "device/catalogue.h"
#include "sim/sim_device.h"

namespace simtest {

// A device whose reports are kept as lines.
struct Probe {
  explicit Probe(const zsim::SimConfig& cfg = {}) : dev(cfg) {
    dev.setReplySink([this](const std::string& l) { lines.push_back(l); });
  }
  // Sends command text and returns the lines it produced at once.
  std::vector<std::string> send(std::string_view text) {
    lines.clear();
    dev.receive(text);
    return lines;
  }
  // Advances the device clock and returns the lines produced meanwhile.
  std::vector<std::string> advance(int64_t ms) {
    lines.clear();
    dev.scheduler().advance(ms);
    return lines;
  }
  zsim::SimDevice dev;
  std::vector<std::string> lines;
};

bool has(const std::vector<std::string>& lines, std::string_view line);
// Position of the first occurrence, or -1.
int position(const std::vector<std::string>& lines, std::string_view line);
// Values reported for a reply name, in order.
std::vector<uint32_t> valuesOf(const std::vector<std::string>& lines, std::string_view name);

// A reply line split into its register name and value. Register names never
// end in a digit, so the value is the trailing run of digits.
struct Reply {
  std::string name;
  uint32_t value = 0;
  bool ok = false;
};
Reply decode(std::string_view line);
// The register a reply name belongs to, or -1.
int registerOfName(std::string_view name);

// The device state rebuilt from reply lines with the device's addressing
// rules (PCH selects the channel, ADIP the address set, 0 meaning all).
struct Mirror {
  uint32_t single[zelvan::kRegisterCount] = {};
  uint32_t channels[zelvan::kRegisterCount][8] = {};
  uint32_t octets[3][4] = {};
  uint32_t ports[2] = {};
  bool seen[zelvan::kRegisterCount] = {};
  void apply(const std::vector<std::string>& lines);
};

bool pumpUntil(const std::function<bool()>& cond, int timeoutMs = 3000);
void pumpFor(int ms);

}  // namespace simtest
