// The device's logo and frame memories: fourteen stores (frames 1 and 2,
// logos 1 to 8, frames 3 to 6 on the models that have them), the memory
// sequencer of each output (mode, current memory, store with a duration
// proportional to the stored size, status, abort, erase), the erase of all
// memories, the frame quality, and what each output keys from them.
#pragma once

#include <array>
#include <cstdint>

#include "sim/output_registers.h"
#include "sim/scheduler.h"

namespace zsim {

class SimDevice;

class MemoryUnit {
 public:
  static constexpr int kMemories = 14;  // device memory index 1..14

  struct Memory {
    bool empty = true;
    uint32_t format = 5;  // output format code in force when it was recorded
    uint32_t width = 0;
    uint32_t height = 0;
    bool logo = false;
  };

  // Sequencer modes and status values.
  enum Mode : uint32_t { Use = 0, RecordLogo = 1, RecordFrame = 2, Erase = 3 };
  enum Status : uint32_t { Idle = 0, Recalling = 1, Recording = 2, FormatMismatch = 3, Erasing = 4, FlashError = 5 };

  // Store time: a base plus this much per 65536 bytes of picture (3 bytes a pixel).
  // The per-64 KiB time is the device setting storeMsPer64KiB (this by default).
  static constexpr int64_t kStoreBaseMs = 400;
  static constexpr int64_t kStorePer64KiBMs = 150;
  // A memory newly put on air shows the recalling status this long.
  static constexpr int64_t kRecallMs = 300;
  static constexpr int64_t kEraseMs = 1500;
  static constexpr int64_t kEraseAllMs = 2500;

  explicit MemoryUnit(SimDevice& dev);

  // Factory content: frames 1 and 2 and logos 1 and 2 recorded, the rest empty.
  void resetContent();
  // Stops every activity without a report.
  void abortSilently();

  const Memory& memory(int index) const { return m_mem[slot(index)]; }
  // Bit n-1 set: memory n is empty (memories the model lacks count as empty).
  uint32_t emptyMask() const;
  // Whether memory n exists on this model with the current frame quality.
  bool exists(int index) const;
  bool busy(Output o) const { return m_seq[static_cast<size_t>(o)].running; }
  bool erasingAll() const { return m_eraseAllSlot.active(); }
  static int64_t storeDurationMs(uint32_t width, uint32_t height, int64_t per64KiBMs = kStorePer64KiBMs);

  // Commands of a sequencer register (LMODE, LCURRENT, LSTORE, LABORT of either output).
  void command(int index, uint32_t v);
  // LQTY: a changed quality erases every memory.
  void setQuality(uint32_t q);
  // ERAPOS.
  void eraseAll();
  // Recomputes what the output keys from the memories of its on-air input
  // (record format, type and size of logo 1 and 2) and the format-mismatch
  // status; reports what changed when notify is set.
  void refreshKeyed(Output o, bool notify);

 private:
  struct Sequencer {
    bool running = false;
    uint32_t mode = Use;
    int memory = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    bool flashError = false;  // this store ends with a flash error
  };

  // The memory each slot of the on-air input keys, to see a newly recalled one.
  struct OnAir {
    int input = 0;
    int one = 0;
    int two = 0;
  };

  static size_t slot(int index) { return static_cast<size_t>(index >= 1 && index <= kMemories ? index - 1 : 0); }
  void startStore(Output o);
  void finishStore(Output o);
  void abort(Output o);
  void reportEmpty();
  uint32_t keyedStatus(Output o) const;

  SimDevice& m_dev;
  std::array<Memory, kMemories> m_mem{};
  std::array<Sequencer, 2> m_seq{};
  TaskSlot m_slotMain;
  TaskSlot m_slotPreview;
  TaskSlot m_eraseAllSlot;
  std::array<TaskSlot, 2> m_recall;
  std::array<bool, 2> m_recalling{};
  std::array<bool, 2> m_flashError{};
  std::array<OnAir, 2> m_onAir{};
  int m_stores = 0;  // record stores started since power-up
};

}  // namespace zsim
