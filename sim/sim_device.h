// SimDevice: the simulated Zelvan switcher without any I/O. It takes parsed
// commands, applies them to its registers with the device's own logic
// (input switching, take and T-bar, references, logo and frame memories,
// LAN settings, defaults, ...) and hands every report line to a sink.
// Time runs on its Scheduler, so the behaviour is deterministic: tests
// advance the clock by hand, the program from a real timer.
#pragma once

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_parser.h"
#include "sim/image_bank.h"
#include "sim/output_registers.h"
#include "sim/register_file.h"
#include "sim/scheduler.h"

namespace zsim {

class MemoryUnit;
class TakeEngine;

struct SimConfig {
  uint32_t model = 36;       // identity answered to "?"
  uint32_t options = 0x1FFF; // installed-option word (every option)
  int64_t storeMsPer64KiB = 150;  // store speed: milliseconds per 65536 bytes of picture
  int flashErrorStore = 0;        // the n-th store (1..) ends with a flash error; 0: none
  // Registers set at start (and after a factory reset) over the defaults:
  // register index and value, applied in order.
  std::vector<std::pair<int, uint32_t>> presets = {};
  // The full-state burst gives its single registers in a shuffled order
  // (seeded, a new order each burst) instead of index order.
  bool shuffledBurst = false;
  uint64_t burstSeed = 1;
};

// Timings of the device, in milliseconds before the time scale applies.
namespace timing {
constexpr int64_t kInputSettle = 250;     // an input request until the output shows it
constexpr int64_t kReferenceSettle = 200; // a reference request until it is locked
constexpr int64_t kCentering = 600;       // automatic centering
constexpr int64_t kSettingsStore = 800;   // STORE of the settings
constexpr int64_t kLanStore = 500;
constexpr int64_t kDemoPeriod = 5000;     // demo mode: one preview change and take per period
}  // namespace timing

class SimDevice {
 public:
  using ReplySink = std::function<void(const std::string& line)>;

  explicit SimDevice(const SimConfig& cfg = {});
  ~SimDevice();
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  // Receives every report line, without its CR LF.
  void setReplySink(ReplySink sink) { m_sink = std::move(sink); }
  Scheduler& scheduler() { return m_sched; }
  const SimConfig& config() const { return m_cfg; }

  // Executes one parsed command.
  void execute(const Command& c);
  // Parses bytes with the device's own parser and executes the commands.
  void receive(std::string_view bytes);

  // ---- State as the device holds it ----
  uint32_t value(int index) const { return m_regs.get(index); }
  uint32_t channelValue(int index, int ch) const { return m_regs.channel(index, ch); }
  const RegisterFile& registers() const { return m_regs; }
  const ImageBank& images() const { return m_images; }
  const MemoryUnit& memories() const { return *m_memory; }
  const TakeEngine& take() const { return *m_take; }
  // The value a query of the register reports right now (per-channel: channel
  // PCHAN, 1 when PCHAN is 0; octets and ports: address set PADIP).
  uint32_t addressedValue(int index) const;

  // ---- Services of the device's parts (take engine, memory unit) ----
  void store(int index, uint32_t v) { m_regs.set(index, v); }
  // Stores and reports a single register.
  void set(int index, uint32_t v);
  // Reports a register as a query would.
  void report(int index);
  // Emits one reply line: the register's name and the value.
  void emitLine(int index, uint32_t value);
  // Puts an input on an output at once and reports everything that follows.
  void switchTo(Output o, int input);
  // The end of a take: in Mixer mode Main and Preview exchange their
  // inputs; in Matrix mode each output takes its pending request.
  void completeTake();
  // Exchanges the inputs of Main and Preview.
  void swapOutputs();
  // Whether input requests wait for a take: Matrix mode with autotake off.
  bool requestsWaitForTake() const;
  // Every register as reply lines, in one burst (answer to "#").
  void reportFullState();

 private:
  void executeValue(const Command& c);
  void storeAddressed(int index, uint32_t v);
  bool addressedWrite(int index, uint32_t v);  // false: refused for the current address
  void reportPerChannel(int index);
  void reportAddressRegister(int index);

  void requestInput(Output o, uint32_t input);
  void completeRequest(Output o);
  bool refuseInput(uint32_t input) const;
  void loadInputStatus(Output o, bool notify);
  void reportImage(Output o);
  void setImage(Output o, int param, uint32_t v);
  void preset(Output o);
  void autoCentre(Output o);
  void updateTally(bool notify);
  void requestReference(Output o, bool scan);
  void updateReference(Output o, bool scan, bool notify);
  void formatChanged(Output o);
  void storeSettings();
  void lanReset();
  void lanStore();
  void factoryReset();
  void setDemo(bool on);
  void demoStep();
  void applyDefaults();

  SimConfig m_cfg;
  std::mt19937_64 m_burstRng;
  Scheduler m_sched;  // declared before every TaskSlot user
  RegisterFile m_regs;
  ImageBank m_images;
  ReplySink m_sink;
  CommandParser m_parser;  // for receive()
  std::unique_ptr<TakeEngine> m_take;
  std::unique_ptr<MemoryUnit> m_memory;
  TaskSlot m_switchMain;
  TaskSlot m_switchPreview;
  TaskSlot m_refMain, m_refPreview, m_scanMain, m_scanPreview;
  TaskSlot m_centreMain, m_centrePreview;
  TaskSlot m_settingsStore, m_lanStore;
  TaskSlot m_demo;
  int m_demoPhase = 0;
};

// Defaults of the device (what FRESET restores) and fixed identity values.
uint32_t expectedFirmware(uint32_t model);
bool hasExtraFrames(uint32_t model);

}  // namespace zsim
