#include "sim/memory_unit.h"

#include "device/catalogue.h"
#include "sim/signal_tables.h"
#include "sim/sim_device.h"

namespace zsim {

using namespace zelvan;

namespace {

bool isFrameMemory(int m) { return m == 1 || m == 2 || (m >= 11 && m <= 14); }
bool isLogoMemory(int m) { return m >= 3 && m <= 10; }

// Which output a sequencer register belongs to; false when it is none.
bool sequencerOutput(int index, Output* o) {
  for (Output out : {Output::Main, Output::Preview}) {
    const OutputRegisters& r = outputRegisters(out);
    if (index == r.lmode || index == r.lcurrent || index == r.lstore || index == r.labort) {
      *o = out;
      return true;
    }
  }
  return false;
}

}  // namespace

MemoryUnit::MemoryUnit(SimDevice& dev)
    : m_dev(dev),
      m_slotMain(dev.scheduler()),
      m_slotPreview(dev.scheduler()),
      m_eraseAllSlot(dev.scheduler()),
      m_recall{TaskSlot(dev.scheduler()), TaskSlot(dev.scheduler())} {
  resetContent();
}

void MemoryUnit::resetContent() {
  m_mem = {};
  m_mem[slot(1)] = {false, 5, 1024, 768, false};
  m_mem[slot(2)] = {false, 5, 1024, 768, false};
  m_mem[slot(3)] = {false, 5, 256, 144, true};
  m_mem[slot(4)] = {false, 5, 256, 144, true};
}

void MemoryUnit::abortSilently() {
  m_slotMain.cancel();
  m_slotPreview.cancel();
  m_eraseAllSlot.cancel();
  for (auto& s : m_seq) s.running = false;
}

int64_t MemoryUnit::storeDurationMs(uint32_t width, uint32_t height, int64_t per64KiBMs) {
  const uint64_t bytes = static_cast<uint64_t>(width) * height * 3;
  return kStoreBaseMs + static_cast<int64_t>(bytes >> 16) * per64KiBMs;
}

bool MemoryUnit::exists(int index) const {
  if (index >= 1 && index <= 10) return true;
  if (index < 11 || index > kMemories || !hasExtraFrames(m_dev.config().model)) return false;
  // Native quality holds four frames, optimized six.
  return index <= 12 || m_dev.value(Reg::LQTY) == 1;
}

uint32_t MemoryUnit::emptyMask() const {
  uint32_t mask = 0;
  for (int n = 1; n <= kMemories; ++n)
    if (!exists(n) || m_mem[slot(n)].empty) mask |= 1u << (n - 1);
  return mask;
}

void MemoryUnit::reportEmpty() { m_dev.set(Reg::LEMPTY, emptyMask()); }

void MemoryUnit::command(int index, uint32_t v) {
  Output o;
  if (!sequencerOutput(index, &o)) return;
  const OutputRegisters& r = outputRegisters(o);
  Sequencer& seq = m_seq[static_cast<size_t>(o)];
  if (index == r.lmode || (index == r.lstore && v != 0)) m_flashError[static_cast<size_t>(o)] = false;
  if (index == r.labort) {
    if (v != 0) abort(o);
    else m_dev.set(r.labort, 0);
    return;
  }
  if (index == r.lstore) {
    if (v != 0 && !seq.running) startStore(o);
    else if (v == 0 && !seq.running) m_dev.set(r.lstore, 0);
    else m_dev.report(r.lstore);  // a running action ends by itself or by abort
    return;
  }
  // Mode and current memory cannot change under a running action.
  if (seq.running) {
    m_dev.report(index);
    return;
  }
  m_dev.set(index, v);
  if (index == r.lmode) refreshKeyed(o, true);
}

void MemoryUnit::startStore(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  Sequencer& seq = m_seq[static_cast<size_t>(o)];
  const uint32_t mode = m_dev.value(r.lmode);
  const int mem = static_cast<int>(m_dev.value(r.lcurrent));
  bool valid = false;
  if (mode == RecordLogo) valid = isLogoMemory(mem);
  else if (mode == RecordFrame) valid = isFrameMemory(mem) && exists(mem);
  else if (mode == Erase) valid = mem == 0 || (mem >= 1 && mem <= kMemories && exists(mem));
  if (!valid || erasingAll()) {
    m_dev.set(r.lstore, 0);
    return;
  }
  seq.running = true;
  seq.mode = mode;
  seq.memory = mem;
  int64_t ms = 0;
  if (mode == Erase) {
    m_dev.set(r.lstatus, Erasing);
    ms = mem == 0 ? kEraseAllMs : kEraseMs;
  } else {
    if (mode == RecordLogo) {
      // The capture window's size setting, 4 pixels and 3 lines a step.
      const uint32_t hs = m_dev.value(r.lhsiz1), vs = m_dev.value(r.lvsiz1);
      seq.width = (hs ? hs : 1) * 4;
      seq.height = (vs ? vs : 1) * 3;
    } else {
      const OutputMode om = outputMode(m_dev.value(r.ofmt));
      seq.width = om.width;
      seq.height = om.height;
    }
    m_dev.set(r.lpix1, seq.width);
    m_dev.set(r.llin1, seq.height);
    m_dev.set(r.lstatus, Recording);
    ms = storeDurationMs(seq.width, seq.height, m_dev.config().storeMsPer64KiB);
    ++m_stores;
    seq.flashError = m_dev.config().flashErrorStore == m_stores;
  }
  m_dev.set(r.lstore, 1);
  (o == Output::Main ? m_slotMain : m_slotPreview).start(ms, [this, o] { finishStore(o); });
}

void MemoryUnit::finishStore(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  Sequencer& seq = m_seq[static_cast<size_t>(o)];
  seq.running = false;
  if (seq.mode == Erase) {
    if (seq.memory == 0) {
      for (auto& m : m_mem) m.empty = true;
    } else {
      m_mem[slot(seq.memory)].empty = true;
    }
  } else if (seq.flashError) {
    // The flash write failed: the memory stays empty and the status says so.
    m_mem[slot(seq.memory)].empty = true;
    m_flashError[static_cast<size_t>(o)] = true;
  } else {
    const bool logo = seq.mode == RecordLogo;
    m_mem[slot(seq.memory)] = {false, m_dev.value(r.ofmt), seq.width, seq.height, logo};
    m_dev.set(r.lsty1, logo ? 1 : 0);
  }
  reportEmpty();
  refreshKeyed(o, true);  // status back from recording or erasing, keyed formats
  m_dev.set(r.lstore, 0);
  if (seq.mode == Erase) {
    // An erase returns the sequencer to use mode.
    m_dev.set(r.lmode, Use);
    refreshKeyed(o, true);
  }
  refreshKeyed(otherOutput(o), true);
}

void MemoryUnit::abort(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  Sequencer& seq = m_seq[static_cast<size_t>(o)];
  if (!seq.running) {
    m_dev.set(r.labort, 0);
    return;
  }
  (o == Output::Main ? m_slotMain : m_slotPreview).cancel();
  seq.running = false;
  m_dev.set(r.labort, 1);
  m_dev.set(r.lstatus, keyedStatus(o));
  m_dev.set(r.lstore, 0);
  m_dev.set(r.labort, 0);
}

void MemoryUnit::eraseAll() {
  if (erasingAll()) {
    m_dev.report(Reg::ERAPOS);
    return;
  }
  m_dev.set(Reg::ERAPOS, 1);
  for (Output o : {Output::Main, Output::Preview}) {
    if (!busy(o)) continue;
    (o == Output::Main ? m_slotMain : m_slotPreview).cancel();
    m_seq[static_cast<size_t>(o)].running = false;
    m_dev.set(outputRegisters(o).lstore, 0);
  }
  m_dev.set(Reg::LSTATUSM, Erasing);
  m_eraseAllSlot.start(kEraseAllMs, [this] {
    for (auto& m : m_mem) m.empty = true;
    reportEmpty();
    refreshKeyed(Output::Main, true);  // also ends the erasing status
    refreshKeyed(Output::Preview, true);
    m_dev.set(Reg::ERAPOS, 0);
  });
}

void MemoryUnit::setQuality(uint32_t q) {
  if (q == m_dev.value(Reg::LQTY)) {
    m_dev.set(Reg::LQTY, q);
    return;
  }
  // Changing the frame layout of the memory loses every frame and logo.
  for (Output o : {Output::Main, Output::Preview}) {
    if (!busy(o)) continue;
    (o == Output::Main ? m_slotMain : m_slotPreview).cancel();
    m_seq[static_cast<size_t>(o)].running = false;
    m_dev.set(outputRegisters(o).lstore, 0);
  }
  for (auto& m : m_mem) m.empty = true;
  m_dev.set(Reg::LQTY, q);
  reportEmpty();
  refreshKeyed(Output::Main, true);
  refreshKeyed(Output::Preview, true);
}

uint32_t MemoryUnit::keyedStatus(Output o) const {
  const OutputRegisters& r = outputRegisters(o);
  const Sequencer& seq = m_seq[static_cast<size_t>(o)];
  if (seq.running) return seq.mode == Erase ? Erasing : Recording;
  if (m_flashError[static_cast<size_t>(o)]) return FlashError;
  if (m_dev.value(r.lmode) != Use) return Idle;
  if (m_recalling[static_cast<size_t>(o)]) return Recalling;
  const int input = static_cast<int>(m_dev.value(r.ich));
  if (input < 1 || input > 8) return Idle;
  const uint32_t fmt = m_dev.value(r.ofmt);
  for (int reg : {r.lplogo1, r.lplogo2}) {
    const int m = static_cast<int>(m_dev.channelValue(reg, input));
    if (m >= 1 && m <= kMemories && exists(m) && !m_mem[slot(m)].empty && m_mem[slot(m)].format != fmt)
      return FormatMismatch;
  }
  return Idle;
}

void MemoryUnit::refreshKeyed(Output o, bool notify) {
  const OutputRegisters& r = outputRegisters(o);
  const int input = static_cast<int>(m_dev.value(r.ich));
  const uint32_t fmt = m_dev.value(r.ofmt);
  auto keyed = [&](int reg) -> const Memory* {
    if (input < 1 || input > 8) return nullptr;
    const int m = static_cast<int>(m_dev.channelValue(reg, input));
    if (m < 1 || m > kMemories || !exists(m) || m_mem[slot(m)].empty) return nullptr;
    return &m_mem[slot(m)];
  };
  const Memory* one = keyed(r.lplogo1);
  const Memory* two = keyed(r.lplogo2);
  auto update = [&](int index, uint32_t v) {
    if (m_dev.value(index) == v) return;
    if (notify) m_dev.set(index, v);
    else m_dev.store(index, v);
  };
  update(r.lofmt1, one ? one->format : fmt);
  if (one) update(r.lsty1, one->logo ? 1 : 0);
  update(r.lofmt2, two ? two->format : fmt);
  update(r.lsty2, two && two->logo ? 1 : 0);
  update(r.lpix2, two ? two->width : 0);
  update(r.llin2, two ? two->height : 0);
  // A memory that goes on air (a new assignment of the on-air input, or a
  // new on-air input keying one) is recalled from flash for a moment.
  const size_t oi = static_cast<size_t>(o);
  const OnAir now{input, one ? static_cast<int>(m_dev.channelValue(r.lplogo1, input)) : 0,
                  two ? static_cast<int>(m_dev.channelValue(r.lplogo2, input)) : 0};
  const OnAir before = m_onAir[oi];
  m_onAir[oi] = now;
  const bool recalled = (now.one != 0 && (now.one != before.one || now.input != before.input)) ||
                        (now.two != 0 && (now.two != before.two || now.input != before.input));
  if (recalled && notify && !busy(o) && m_dev.value(r.lmode) == Use) {
    m_recalling[oi] = true;
    m_recall[oi].start(kRecallMs, [this, o] {
      m_recalling[static_cast<size_t>(o)] = false;
      refreshKeyed(o, true);
    });
  }
  if (!busy(o) && !(o == Output::Main && erasingAll())) update(r.lstatus, keyedStatus(o));
}

}  // namespace zsim
