// The device's defaults, the factory reset, the LAN reset and the
// full-state burst answered to "#".
#include "device/catalogue.h"
#include "sim/memory_unit.h"
#include "sim/signal_tables.h"
#include "sim/sim_device.h"
#include "sim/take_engine.h"

#include <algorithm>
#include <vector>

namespace zsim {

using namespace zelvan;

namespace {

struct LanSettings {
  uint32_t octets[3][4];
  uint32_t ports[2];
  uint32_t hostBits;
  uint32_t enable, tcp, dhcp;
};

// Own address 192.168.0.10:10500, remote 192.168.0.1:10500, gateway
// 192.168.0.1, 255.255.255.0, TCP on.
constexpr LanSettings kLanDefaults = {
    {{192, 168, 0, 10}, {192, 168, 0, 1}, {192, 168, 0, 1}}, {10500, 10500}, 8, 1, 1, 0};

void applyLan(RegisterFile& regs, const LanSettings& lan) {
  for (int s = 1; s <= 3; ++s)
    for (int o = 0; o < 4; ++o) regs.setOctet(s, o, lan.octets[s - 1][o]);
  regs.setPort(1, lan.ports[0]);
  regs.setPort(2, lan.ports[1]);
  regs.set(Reg::NTMK_, lan.hostBits);
  regs.set(Reg::LANENABLE, lan.enable);
  regs.set(Reg::TCPIP, lan.tcp);
  regs.set(Reg::DHCPENABLE, lan.dhcp);
}

LanSettings currentLan(const RegisterFile& regs) {
  LanSettings lan{};
  for (int s = 1; s <= 3; ++s)
    for (int o = 0; o < 4; ++o) lan.octets[s - 1][o] = regs.octet(s, o);
  lan.ports[0] = regs.port(1);
  lan.ports[1] = regs.port(2);
  lan.hostBits = regs.get(Reg::NTMK_);
  lan.enable = regs.get(Reg::LANENABLE);
  lan.tcp = regs.get(Reg::TCPIP);
  lan.dhcp = regs.get(Reg::DHCPENABLE);
  return lan;
}

// Every register that has a default other than 0.
void applyRegisterDefaults(RegisterFile& r, const SimConfig& cfg) {
  r.set(Reg::DEV, cfg.model);
  r.set(Reg::UNITy, kTimeUnit);
  r.set(Reg::VERI, 0x0102);
  r.set(Reg::VERK, 0x00A1);
  r.set(Reg::VERF, 0x0310);
  r.set(Reg::VERP, 0x0207);
  r.set(Reg::VERE, 0x0105);
  r.set(Reg::VERV, expectedFirmware(cfg.model));
  r.set(Reg::VERUPD, 215);
  r.set(Reg::VERA, 0x0042);
  r.set(Reg::VERC, 0x0C01);
  r.set(Reg::OPT, cfg.options);
  r.set(Reg::MUXOUT, 5);

  // Inputs: all used, signal types matching what is connected, mid audio.
  for (int c = 1; c <= kChannels; ++c) {
    r.setChannel(Reg::PENA, c, 1);
    r.setChannel(Reg::PRGBI, c, inputSignal(c).signalType);
    r.setChannel(Reg::ALEV, c, 32);
    r.setChannel(Reg::ABAL, c, 32);
  }
  // Input 1 keys logo 1 and input 2 frame 1 on Main.
  r.setChannel(Reg::LPLOGO1M, 1, 3);
  r.setChannel(Reg::LDISPLAYM, 1, 1);
  r.setChannel(Reg::LPLOGO1M, 2, 1);
  r.setChannel(Reg::LDISPLAYM, 2, 1);
  r.set(Reg::EPD, 1);
  r.set(Reg::EIPSIGP, 1);
  r.set(Reg::TALLY1, 1);
  r.set(Reg::TALLY2, 2);
  r.set(Reg::TALLY3, 3);

  // Effect: a 2 s fade, mid positions and sizes, full masks.
  r.set(Reg::EFFECT, 1);
  r.set(Reg::EFFDUR, 20);
  for (int i : {Reg::EFFPA, Reg::EFFPB, Reg::EFFPC, Reg::EFFPD, Reg::EFFPE, Reg::EFFPF, Reg::EFFPS, Reg::EFFPK,
                Reg::EFFPL, Reg::EFFPM, Reg::EFFPN, Reg::EFFPO, Reg::EFFPP})
    r.set(i, 128);
  for (int i : {Reg::EFFPG, Reg::EFFPH, Reg::EFFPQ, Reg::EFFPR}) r.set(i, 255);
  r.set(Reg::EFFOPEN, 1);
  r.set(Reg::EFFOPNDUR, 10);
  r.set(Reg::EFFCLOSE, 1);
  r.set(Reg::EFFCLSDUR, 10);
  r.set(Reg::EFFRDY, 1);
  r.set(Reg::TAKEEVA, 1);
  r.set(Reg::TBARAV, 1);
  r.set(Reg::TAKEAUTO, 1);

  // Logos: placement, capture window, fades.
  for (int i : {Reg::LHPOS1M, Reg::LVPOS1M, Reg::LVPOS2M, Reg::LHPOS1P, Reg::LVPOS1P, Reg::LVPOS2P}) r.set(i, 32);
  for (int i : {Reg::LHPOS2M, Reg::LHPOS2P}) r.set(i, 200);
  for (int i : {Reg::LHSIZ1M, Reg::LHSIZ2M, Reg::LHSIZ1P, Reg::LHSIZ2P}) r.set(i, 64);
  for (int i : {Reg::LVSIZ1M, Reg::LVSIZ2M, Reg::LVSIZ1P, Reg::LVSIZ2P}) r.set(i, 48);
  for (int i : {Reg::LHPCAPM, Reg::LVPCAPM, Reg::LHPCAPP, Reg::LVPCAPP}) r.set(i, 128);
  r.set(Reg::LLEVEL, 16);
  r.set(Reg::LFRAMEDUR, 20);
  r.set(Reg::LLOGODUR, 60);

  // Inputs on air: 1 on Main, 2 on Preview; both outputs 1024x768 at 60 Hz.
  r.set(Reg::ICHM, 1);
  r.set(Reg::ICHNM, 1);
  r.set(Reg::ICHP, 2);
  r.set(Reg::ICHNP, 2);
  r.set(Reg::OFMTM, 5);
  r.set(Reg::OFMTP, 5);

  // Optional video output, soft edge, audio.
  r.set(Reg::SCANAFM, 3);
  r.set(Reg::SCANAFP, 3);
  r.set(Reg::SCANOVM, 1);
  r.set(Reg::SCANOVP, 1);
  const uint32_t sums[8] = {0x1A2B, 0x3C4D, 0x5E6F, 0x7081, 0x1A2C, 0x3C4E, 0x5E70, 0x7082};
  const int sumRegs[8] = {Reg::SCANVKM, Reg::SCANVSM, Reg::SCANVVM, Reg::SCANVFM,
                          Reg::SCANVKP, Reg::SCANVSP, Reg::SCANVVP, Reg::SCANVFP};
  for (int i = 0; i < 8; ++i) r.set(sumRegs[i], sums[i]);
  for (int i : {Reg::SCANHPOSM, Reg::SCANHPOSP, Reg::SCANVPOSM, Reg::SCANVPOSP, Reg::SCANHSIZM, Reg::SCANHSIZP,
                Reg::SCANVSIZM, Reg::SCANVSIZP, Reg::SCANTRACKM, Reg::SCANTRACKP})
    r.set(i, 128);
  r.set(Reg::EDGSIZ, 32);
  r.set(Reg::ACHANM, 1);
  r.set(Reg::ACHANP, 2);
  r.set(Reg::AMODEM, 1);
  r.set(Reg::AMODEP, 1);
  r.set(Reg::AMASTM, 191);
  r.set(Reg::AMASTP, 191);
}

}  // namespace

void SimDevice::applyDefaults() {
  m_regs = RegisterFile();
  applyRegisterDefaults(m_regs, m_cfg);
  for (const auto& [index, value] : m_cfg.presets) m_regs.set(index, value);
  applyLan(m_regs, kLanDefaults);
  m_images.resetAll();
  // Everything derived from the state above, without reports.
  for (Output o : {Output::Main, Output::Preview}) {
    loadInputStatus(o, false);
    const int input = static_cast<int>(m_regs.get(outputRegisters(o).ich));
    for (int p = 0; p < ImageBank::kParams; ++p) store(ImageBank::registerOf(o, p), m_images.value(input, p));
    updateReference(o, false, false);
    updateReference(o, true, false);
    m_memory->refreshKeyed(o, false);
  }
  updateTally(false);
  m_regs.set(Reg::LEMPTY, m_memory->emptyMask());
}

void SimDevice::factoryReset() {
  set(Reg::FRESET, 1);
  m_take->reset();
  m_memory->abortSilently();
  for (TaskSlot* s : {&m_switchMain, &m_switchPreview, &m_refMain, &m_refPreview, &m_scanMain, &m_scanPreview,
                      &m_centreMain, &m_centrePreview, &m_settingsStore, &m_lanStore, &m_demo})
    s->cancel();
  m_demoPhase = 0;
  // The network settings and the memories (with their quality) survive.
  const LanSettings lan = currentLan(m_regs);
  const uint32_t quality = m_regs.get(Reg::LQTY);
  const uint32_t padip = m_regs.get(Reg::PADIP);
  applyDefaults();
  applyLan(m_regs, lan);
  m_regs.set(Reg::PADIP, padip);
  m_regs.set(Reg::LQTY, quality);
  m_regs.set(Reg::LEMPTY, m_memory->emptyMask());
  for (Output o : {Output::Main, Output::Preview}) m_memory->refreshKeyed(o, false);
  m_regs.set(Reg::FRESET, 1);
  reportFullState();
  set(Reg::FRESET, 0);
}

void SimDevice::lanReset() {
  set(Reg::LANRESET, 1);
  applyLan(m_regs, kLanDefaults);
  const uint32_t padip = m_regs.get(Reg::PADIP);
  for (int s = 1; s <= 3; ++s) {
    emitLine(Reg::PADIP, static_cast<uint32_t>(s));
    for (int o = 0; o < 4; ++o) emitLine(Reg::IPA_ + o, m_regs.octet(s, o));
    if (s <= 2) emitLine(Reg::PORT_, m_regs.port(s));
  }
  emitLine(Reg::PADIP, padip);
  for (int i : {Reg::NTMK_, Reg::DHCPENABLE, Reg::TCPIP, Reg::LANENABLE}) report(i);
  set(Reg::LANRESET, 0);
}

void SimDevice::reportFullState() {
  // Single registers in index order (or shuffled, when asked to); the
  // addressing registers, the per-channel registers and the address sets
  // follow in their blocks.
  std::vector<int> singles;
  singles.reserve(kRegisterCount);
  for (int i = 0; i < kRegisterCount; ++i) {
    const RegType t = registerInfo(i).type;
    if (isPerChannel(t) || t == RegType::OCTET || t == RegType::PORT || t == RegType::NTMK) continue;
    if (i == Reg::PCHAN || i == Reg::PADIP) continue;
    singles.push_back(i);
  }
  if (m_cfg.shuffledBurst) std::shuffle(singles.begin(), singles.end(), m_burstRng);
  for (int i : singles) emitLine(i, m_regs.get(i));
  for (int c = 1; c <= kChannels; ++c) {
    emitLine(Reg::PCHAN, static_cast<uint32_t>(c));
    for (int i = 0; i < kRegisterCount; ++i)
      if (isPerChannel(registerInfo(i).type)) emitLine(i, m_regs.channel(i, c));
  }
  for (int s = 1; s <= 3; ++s) {
    emitLine(Reg::PADIP, static_cast<uint32_t>(s));
    for (int o = 0; o < 4; ++o) emitLine(Reg::IPA_ + o, m_regs.octet(s, o));
    if (s <= 2) emitLine(Reg::PORT_, m_regs.port(s));
  }
  emitLine(Reg::NTMK_, m_regs.get(Reg::NTMK_));
  emitLine(Reg::PADIP, m_regs.get(Reg::PADIP));
  emitLine(Reg::PCHAN, m_regs.get(Reg::PCHAN));
}

}  // namespace zsim
