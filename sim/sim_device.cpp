#include "sim/sim_device.h"

#include "device/catalogue.h"
#include "sim/memory_unit.h"
#include "sim/signal_tables.h"
#include "sim/take_engine.h"
#include "sim/value_rules.h"

namespace zsim {

using namespace zelvan;

namespace {

bool isAddressType(RegType t) { return t == RegType::OCTET || t == RegType::PORT; }

}  // namespace

uint32_t expectedFirmware(uint32_t model) { return model == 27 || model == 29 || model == 31 ? 13 : 27; }
bool hasExtraFrames(uint32_t model) { return model == 36; }

SimDevice::SimDevice(const SimConfig& cfg)
    : m_cfg(cfg),
      m_burstRng(cfg.burstSeed),
      m_switchMain(m_sched),
      m_switchPreview(m_sched),
      m_refMain(m_sched),
      m_refPreview(m_sched),
      m_scanMain(m_sched),
      m_scanPreview(m_sched),
      m_centreMain(m_sched),
      m_centrePreview(m_sched),
      m_settingsStore(m_sched),
      m_lanStore(m_sched),
      m_demo(m_sched) {
  m_take = std::make_unique<TakeEngine>(*this);
  m_memory = std::make_unique<MemoryUnit>(*this);
  applyDefaults();
}

SimDevice::~SimDevice() = default;

// ------------------------------------------------------------------ reporting

void SimDevice::emitLine(int index, uint32_t value) {
  if (!m_sink) return;
  std::string line(registerInfo(index).name);
  line += std::to_string(value);
  m_sink(line);
}

void SimDevice::set(int index, uint32_t v) {
  m_regs.set(index, v);
  emitLine(index, v);
}

uint32_t SimDevice::addressedValue(int index) const {
  const RegType t = registerInfo(index).type;
  if (isPerChannel(t)) {
    const uint32_t pch = m_regs.get(Reg::PCHAN);
    return m_regs.channel(index, pch >= 1 && pch <= 8 ? static_cast<int>(pch) : 1);
  }
  const uint32_t set = m_regs.get(Reg::PADIP);
  if (t == RegType::OCTET) return m_regs.octet(set >= 1 && set <= 3 ? static_cast<int>(set) : 1, index - Reg::IPA_);
  if (t == RegType::PORT) return m_regs.port(set == 2 ? 2 : 1);
  return m_regs.get(index);
}

void SimDevice::report(int index) {
  if (index < 0 || index >= kRegisterCount) return;
  const RegType t = registerInfo(index).type;
  if (isPerChannel(t)) reportPerChannel(index);
  else if (isAddressType(t)) reportAddressRegister(index);
  else emitLine(index, m_regs.get(index));
}

void SimDevice::reportPerChannel(int index) {
  const uint32_t pch = m_regs.get(Reg::PCHAN);
  if ((pch >= 1 && pch <= 8) || m_regs.channelsEqual(index)) {
    emitLine(index, addressedValue(index));
    return;
  }
  // Addressed to all channels but they differ: one value per channel, each
  // after its channel selection, then the selection as it was.
  for (int c = 1; c <= kChannels; ++c) {
    emitLine(Reg::PCHAN, static_cast<uint32_t>(c));
    emitLine(index, m_regs.channel(index, c));
  }
  emitLine(Reg::PCHAN, pch);
}

void SimDevice::reportAddressRegister(int index) {
  const uint32_t set = m_regs.get(Reg::PADIP);
  const bool port = registerInfo(index).type == RegType::PORT;
  if (set != 0) {
    emitLine(index, addressedValue(index));
    return;
  }
  const int sets = port ? 2 : 3;
  auto valueOf = [&](int s) { return port ? m_regs.port(s) : m_regs.octet(s, index - Reg::IPA_); };
  bool equal = true;
  for (int s = 2; s <= sets; ++s) equal = equal && valueOf(s) == valueOf(1);
  if (equal) {
    emitLine(index, valueOf(1));
    return;
  }
  for (int s = 1; s <= sets; ++s) {
    emitLine(Reg::PADIP, static_cast<uint32_t>(s));
    emitLine(index, valueOf(s));
  }
  emitLine(Reg::PADIP, 0);
}

// ------------------------------------------------------------------ commands

void SimDevice::receive(std::string_view bytes) {
  std::vector<Command> cmds;
  m_parser.feed(bytes, cmds);
  for (const Command& c : cmds) execute(c);
}

void SimDevice::execute(const Command& c) {
  switch (c.kind) {
    case Command::Kind::FullState:
      reportFullState();
      return;
    case Command::Kind::Query:
      report(c.index);
      return;
    case Command::Kind::Value:
      executeValue(c);
      return;
  }
}

bool SimDevice::addressedWrite(int index, uint32_t v) {
  const RegType t = registerInfo(index).type;
  if (isPerChannel(t)) {
    const uint32_t pch = m_regs.get(Reg::PCHAN);
    if (pch == 0) {
      for (int c = 1; c <= kChannels; ++c) m_regs.setChannel(index, c, v);
    } else {
      m_regs.setChannel(index, static_cast<int>(pch), v);
    }
    return true;
  }
  const uint32_t set = m_regs.get(Reg::PADIP);
  if (t == RegType::OCTET) {
    for (int s = 1; s <= 3; ++s)
      if (set == 0 || set == static_cast<uint32_t>(s)) m_regs.setOctet(s, index - Reg::IPA_, v);
    return true;
  }
  if (t == RegType::PORT) {
    if (set == 3) return false;  // the gateway has no port
    if (set == 0 || set == 1) m_regs.setPort(1, v);
    if (set == 0 || set == 2) m_regs.setPort(2, v);
    return true;
  }
  m_regs.set(index, v);
  return true;
}

void SimDevice::storeAddressed(int index, uint32_t v) {
  addressedWrite(index, v);
  report(index);
}

void SimDevice::executeValue(const Command& c) {
  const int idx = c.index;
  if (idx < 0 || idx >= kRegisterCount) return;
  const RegisterInfo& info = registerInfo(idx);
  const bool viaAddress = isAddressType(info.type) || info.type == RegType::NTMK;
  // A refused command is answered with the register as it stands, so the
  // sender sees the device's truth and anything waiting for the report goes on.
  if (!info.writable && !viaAddress) {
    report(idx);
    return;
  }
  const auto wire = c.wireValue();
  const auto accepted = wire ? acceptValue(idx, *wire) : std::nullopt;
  if (!accepted) {
    report(idx);
    return;
  }
  const uint32_t v = *accepted;

  // The Preview capture size shares its command code with logo 2's size:
  // one command sets both, and both are reported.
  if (idx == Reg::LHSIZ1P || idx == Reg::LHSIZ2P || idx == Reg::LVSIZ1P || idx == Reg::LVSIZ2P) {
    const bool horizontal = idx == Reg::LHSIZ1P || idx == Reg::LHSIZ2P;
    storeAddressed(horizontal ? Reg::LHSIZ1P : Reg::LVSIZ1P, v);
    storeAddressed(horizontal ? Reg::LHSIZ2P : Reg::LVSIZ2P, v);
    return;
  }

  switch (idx) {
    case Reg::FRESET:
      if (v) factoryReset();
      else set(idx, 0);
      return;
    case Reg::ERAPOS:
      if (v) m_memory->eraseAll();
      else if (m_memory->erasingAll()) report(idx);
      else set(idx, 0);
      return;
    case Reg::ICHNM: requestInput(Output::Main, v); return;
    case Reg::ICHNP: requestInput(Output::Preview, v); return;
    case Reg::TAKE: m_take->requestTake(v != 0); return;
    case Reg::TBARPO: m_take->tbarPosition(v); return;
    case Reg::LMODEM: case Reg::LCURRENTM: case Reg::LSTOREM: case Reg::LABORTM:
    case Reg::LMODEP: case Reg::LCURRENTP: case Reg::LSTOREP: case Reg::LABORTP:
      m_memory->command(idx, v);
      return;
    case Reg::LQTY: m_memory->setQuality(v); return;
    case Reg::REFREQM: set(idx, v); requestReference(Output::Main, false); return;
    case Reg::REFREQP: set(idx, v); requestReference(Output::Preview, false); return;
    case Reg::SCANREQM: set(idx, v); requestReference(Output::Main, true); return;
    case Reg::SCANREQP: set(idx, v); requestReference(Output::Preview, true); return;
    case Reg::OFMTM: set(idx, v); formatChanged(Output::Main); return;
    case Reg::OFMTP: set(idx, v); formatChanged(Output::Preview); return;
    case Reg::TALLY1: case Reg::TALLY2: case Reg::TALLY3: set(idx, v); updateTally(true); return;
    case Reg::PRESETM: if (v) preset(Output::Main); else set(idx, 0); return;
    case Reg::PRESETP: if (v) preset(Output::Preview); else set(idx, 0); return;
    case Reg::AUTOCADM: if (v) autoCentre(Output::Main); else report(idx); return;
    case Reg::AUTOCADP: if (v) autoCentre(Output::Preview); else report(idx); return;
    case Reg::STORE: if (v) storeSettings(); else report(idx); return;
    case Reg::LANRESET: if (v) lanReset(); else set(idx, 0); return;
    case Reg::LANSTORE: if (v) lanStore(); else report(idx); return;
    case Reg::LPLOGO1M: case Reg::LPLOGO2M: case Reg::LDISPLAYM:
      storeAddressed(idx, v);
      m_memory->refreshKeyed(Output::Main, true);
      return;
    case Reg::LPLOGO1P: case Reg::LPLOGO2P: case Reg::LDISPLAYP:
      storeAddressed(idx, v);
      m_memory->refreshKeyed(Output::Preview, true);
      return;
    case Reg::DEMO: set(idx, v); setDemo(v != 0); return;
    case Reg::TAKEAUTO:
      set(idx, v);
      // Autotake back on: requests left waiting for a take go through now.
      for (Output o : {Output::Main, Output::Preview}) {
        if (!v || m_regs.get(outputRegisters(o).ichn) == m_regs.get(outputRegisters(o).ich)) continue;
        (o == Output::Main ? m_switchMain : m_switchPreview).cancel();
        completeRequest(o);
      }
      return;
    default:
      break;
  }
  Output o;
  const int param = ImageBank::paramOf(idx, &o);
  if (param >= 0) {
    setImage(o, param, v);
    return;
  }
  storeAddressed(idx, v);
}

// ------------------------------------------------------------------ inputs

void SimDevice::requestInput(Output o, uint32_t input) {
  const OutputRegisters& r = outputRegisters(o);
  set(r.ichn, input);
  (o == Output::Main ? m_switchMain : m_switchPreview).start(timing::kInputSettle, [this, o] { completeRequest(o); });
}

// An unused input, or one without signal while switching to such inputs is
// refused, is not taken.
bool SimDevice::refuseInput(uint32_t n) const {
  const int in = static_cast<int>(n);
  return n >= 1 && n <= 8 &&
         (m_regs.channel(Reg::PENA, in) == 0 || (m_regs.get(Reg::EIPSIGP) == 0 && !inputSignal(in).present));
}

bool SimDevice::requestsWaitForTake() const {
  return m_regs.get(Reg::MTRXMOD) != 0 && m_regs.get(Reg::TAKEAUTO) == 0;
}

void SimDevice::completeRequest(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  const uint32_t n = m_regs.get(r.ichn);
  if (refuseInput(n)) {
    // The request falls back to the input on air.
    set(r.ichn, m_regs.get(r.ich));
    return;
  }
  // In Matrix mode without autotake the request stays pending until a take.
  if (requestsWaitForTake()) return;
  switchTo(o, static_cast<int>(n));
}

void SimDevice::completeTake() {
  if (m_regs.get(Reg::MTRXMOD) == 0) {
    swapOutputs();
    return;
  }
  for (Output o : {Output::Main, Output::Preview}) {
    const OutputRegisters& r = outputRegisters(o);
    const uint32_t n = m_regs.get(r.ichn);
    if (n == m_regs.get(r.ich)) continue;
    (o == Output::Main ? m_switchMain : m_switchPreview).cancel();
    if (refuseInput(n)) set(r.ichn, m_regs.get(r.ich));
    else switchTo(o, static_cast<int>(n));
  }
}

void SimDevice::loadInputStatus(Output o, bool notify) {
  const OutputRegisters& r = outputRegisters(o);
  const InputSignal& s = inputSignal(static_cast<int>(m_regs.get(r.ich)));
  const bool p = s.present;
  const std::pair<int, uint32_t> values[] = {
      {r.ild, p ? s.lineDuration : 0},     {r.ilsd, p ? s.lineSyncDuration : 0},
      {r.ifd, p ? s.frameDuration : 0},    {r.ifsd, p ? s.frameSyncDuration : 0},
      {r.isync, p ? s.syncKind : 0},       {r.ipsig, p ? 1u : 0u},
      {r.ihpol, p && s.hPositive ? 1u : 0u}, {r.ivpol, p && s.vPositive ? 1u : 0u},
      {r.iint, p && s.interlaced ? 1u : 0u}, {r.ioor, p && s.outOfRange ? 1u : 0u},
      {r.ifam, p ? s.family : 0},
  };
  for (const auto& [index, v] : values) {
    if (notify) set(index, v);
    else store(index, v);
  }
}

void SimDevice::switchTo(Output o, int input) {
  const OutputRegisters& r = outputRegisters(o);
  m_regs.set(r.ich, static_cast<uint32_t>(input));
  loadInputStatus(o, true);
  emitLine(r.ich, static_cast<uint32_t>(input));
  reportImage(o);
  m_memory->refreshKeyed(o, true);
  if (o == Output::Main) updateTally(true);
}

void SimDevice::swapOutputs() {
  m_switchMain.cancel();
  m_switchPreview.cancel();
  const uint32_t main = m_regs.get(Reg::ICHM);
  const uint32_t preview = m_regs.get(Reg::ICHP);
  set(Reg::ICHNM, preview);
  set(Reg::ICHNP, main);
  switchTo(Output::Main, static_cast<int>(preview));
  switchTo(Output::Preview, static_cast<int>(main));
}

void SimDevice::updateTally(bool notify) {
  const uint32_t m = m_regs.get(Reg::ICHM);
  const int tally[3] = {Reg::TALLY1, Reg::TALLY2, Reg::TALLY3};
  const int on[3] = {Reg::TA1ON, Reg::TA2ON, Reg::TA3ON};
  for (int i = 0; i < 3; ++i) {
    const uint32_t v = m != 0 && m_regs.get(tally[i]) == m ? 1 : 0;
    if (m_regs.get(on[i]) == v) continue;
    if (notify) set(on[i], v);
    else store(on[i], v);
  }
}

// ------------------------------------------------------------------ picture

void SimDevice::reportImage(Output o) {
  const int input = static_cast<int>(m_regs.get(outputRegisters(o).ich));
  for (int p = 0; p < ImageBank::kParams; ++p) set(ImageBank::registerOf(o, p), m_images.value(input, p));
}

void SimDevice::setImage(Output o, int param, uint32_t v) {
  const int input = static_cast<int>(m_regs.get(outputRegisters(o).ich));
  m_images.set(input, param, v);
  set(ImageBank::registerOf(o, param), v);
  // The settings belong to the input: an input on both outputs changes on both.
  const Output other = otherOutput(o);
  if (static_cast<int>(m_regs.get(outputRegisters(other).ich)) == input) set(ImageBank::registerOf(other, param), v);
}

void SimDevice::preset(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  set(r.preset, 1);
  m_images.resetInput(static_cast<int>(m_regs.get(r.ich)));
  reportImage(o);
  const Output other = otherOutput(o);
  if (m_regs.get(outputRegisters(other).ich) == m_regs.get(r.ich)) reportImage(other);
  set(r.preset, 0);
}

void SimDevice::autoCentre(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  set(r.autocad, 1);
  (o == Output::Main ? m_centreMain : m_centrePreview).start(timing::kCentering, [this, o] {
    const OutputRegisters& rr = outputRegisters(o);
    const int input = static_cast<int>(m_regs.get(rr.ich));
    for (int p : {0, 1, 2, 3, 14, 15}) m_images.set(input, p, ImageBank::defaultValue(input, p));
    reportImage(o);
    const Output other = otherOutput(o);
    if (static_cast<int>(m_regs.get(outputRegisters(other).ich)) == input) reportImage(other);
    set(rr.autocad, 0);
  });
}

// ------------------------------------------------------------------ references and format

void SimDevice::requestReference(Output o, bool scan) {
  TaskSlot& slot = scan ? (o == Output::Main ? m_scanMain : m_scanPreview) : (o == Output::Main ? m_refMain : m_refPreview);
  slot.start(timing::kReferenceSettle, [this, o, scan] { updateReference(o, scan, true); });
}

void SimDevice::updateReference(Output o, bool scan, bool notify) {
  const OutputRegisters& r = outputRegisters(o);
  const uint32_t req = m_regs.get(scan ? r.scanreq : r.refreq);
  const int in = static_cast<int>(req);
  const InputSignal& s = inputSignal(in);
  // A requested input is used only while it is enabled and carries a valid
  // signal; otherwise the output runs on its internal rate.
  const bool usable = req >= 1 && req <= 8 && m_regs.channel(Reg::PENA, in) != 0 && s.present && !s.outOfRange;
  const uint32_t sta = usable ? req : 0;
  const uint32_t fam = usable ? s.family : 0;
  const uint32_t frq = usable ? frameRateCentiHz(s) : outputMode(m_regs.get(r.ofmt)).centiHz;
  const std::pair<int, uint32_t> values[] = {
      {scan ? r.scanfam : r.reffam, fam}, {scan ? r.scanfrq : r.reffrq, frq}, {scan ? r.scansta : r.refsta, sta}};
  for (const auto& [index, v] : values) {
    if (notify) set(index, v);
    else store(index, v);
  }
}

void SimDevice::formatChanged(Output o) {
  const OutputRegisters& r = outputRegisters(o);
  // An output on its internal rate follows the rate of its new format.
  const uint32_t rate = outputMode(m_regs.get(r.ofmt)).centiHz;
  if (m_regs.get(r.refsta) == 0 && m_regs.get(r.reffrq) != rate) set(r.reffrq, rate);
  if (m_regs.get(r.scansta) == 0 && m_regs.get(r.scanfrq) != rate) set(r.scanfrq, rate);
  m_memory->refreshKeyed(o, true);
}

// ------------------------------------------------------------------ device-wide commands

void SimDevice::storeSettings() {
  set(Reg::STORE, 1);
  m_settingsStore.start(timing::kSettingsStore, [this] { set(Reg::STORE, 0); });
}

void SimDevice::lanStore() {
  set(Reg::LANSTORE, 1);
  m_lanStore.start(timing::kLanStore, [this] { set(Reg::LANSTORE, 0); });
}

void SimDevice::setDemo(bool on) {
  m_demoPhase = 0;
  if (on) m_demo.start(timing::kDemoPeriod, [this] { demoStep(); });
  else m_demo.cancel();
}

// Demo mode: the next input with signal goes to Preview, then a take puts it on Main.
void SimDevice::demoStep() {
  if (m_demoPhase == 0) {
    const int main = static_cast<int>(m_regs.get(Reg::ICHM));
    const int preview = static_cast<int>(m_regs.get(Reg::ICHP));
    for (int k = 1; k <= 8; ++k) {
      const int cand = (preview + k - 1) % 8 + 1;
      if (cand != main && m_regs.channel(Reg::PENA, cand) != 0 && inputSignal(cand).present) {
        requestInput(Output::Preview, static_cast<uint32_t>(cand));
        break;
      }
    }
    m_demoPhase = 1;
    m_demo.start(timing::kInputSettle * 4, [this] { demoStep(); });
    return;
  }
  if (m_take->idle()) m_take->requestTake(true);
  m_demoPhase = 0;
  m_demo.start(timing::kDemoPeriod, [this] { demoStep(); });
}

}  // namespace zsim
