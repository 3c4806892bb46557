#include "sim/value_rules.h"

#include <algorithm>

#include "device/catalogue.h"

namespace zsim {

using namespace zelvan;

namespace {

constexpr ValueRule refuse(uint32_t lo, uint32_t hi) { return {lo, hi, OutOfRange::Refuse}; }
constexpr ValueRule clamp(uint32_t lo, uint32_t hi) { return {lo, hi, OutOfRange::Clamp}; }

bool isEightBitSetting(int i) {
  switch (i) {
    case Reg::HPOSM: case Reg::VPOSM: case Reg::HSIZM: case Reg::VSIZM: case Reg::BRGTM:
    case Reg::CONTRM: case Reg::COLORM: case Reg::HUEM: case Reg::RLVM: case Reg::GLVM: case Reg::BLVM:
    case Reg::HPOSP: case Reg::VPOSP: case Reg::HSIZP: case Reg::VSIZP: case Reg::BRGTP:
    case Reg::CONTRP: case Reg::COLORP: case Reg::HUEP: case Reg::RLVP: case Reg::GLVP: case Reg::BLVP:
    case Reg::ZMHSZM: case Reg::ZMVSZM: case Reg::ZMHPM: case Reg::ZMVPM:
    case Reg::ZMHSZP: case Reg::ZMVSZP: case Reg::ZMHPP: case Reg::ZMVPP:
    case Reg::SCANHPOSM: case Reg::SCANHPOSP: case Reg::SCANVPOSM: case Reg::SCANVPOSP:
    case Reg::SCANHSIZM: case Reg::SCANHSIZP: case Reg::SCANVSIZM: case Reg::SCANVSIZP:
    case Reg::SCANTRACKM: case Reg::SCANTRACKP:
    case Reg::LHPOS1M: case Reg::LVPOS1M: case Reg::LHSIZ1M: case Reg::LVSIZ1M:
    case Reg::LHPOS2M: case Reg::LVPOS2M: case Reg::LHSIZ2M: case Reg::LVSIZ2M:
    case Reg::LHPOS1P: case Reg::LVPOS1P: case Reg::LHSIZ1P: case Reg::LVSIZ1P:
    case Reg::LHPOS2P: case Reg::LVPOS2P: case Reg::LHSIZ2P: case Reg::LVSIZ2P:
    case Reg::LHPCAPM: case Reg::LVPCAPM: case Reg::LHPCAPP: case Reg::LVPCAPP:
    case Reg::LLEVEL: case Reg::LLOGODUR: case Reg::LFRAMEDUR:
    case Reg::BCFRED: case Reg::BCFGREEN: case Reg::BCFBLUE:
    case Reg::BCFREDP: case Reg::BCFGREENP: case Reg::BCFBLUEP:
    case Reg::AMASTM: case Reg::AMASTP:
    case Reg::EFFDUR: case Reg::EFFPA: case Reg::EFFPB: case Reg::EFFPC: case Reg::EFFPD:
    case Reg::EFFPE: case Reg::EFFPF: case Reg::EFFPG: case Reg::EFFPH: case Reg::EFFPI:
    case Reg::EFFPJ: case Reg::EFFPS: case Reg::EFFPK: case Reg::EFFPL: case Reg::EFFPM:
    case Reg::EFFPN: case Reg::EFFPO: case Reg::EFFPP: case Reg::EFFPQ: case Reg::EFFPR:
    case Reg::EFFOPNDUR: case Reg::EFFCLSDUR:
    case Reg::EDGSIZ: case Reg::EDGSBLK: case Reg::EDGEBLK: case Reg::EDGSBLKP: case Reg::EDGEBLKP:
    case Reg::LUTDATA:
      return true;
    default:
      return false;
  }
}

}  // namespace

ValueRule valueRule(int i) {
  const RegisterInfo& info = registerInfo(i);
  // A restricted accepted range is the device's own range.
  if (info.min != 0 || info.max != UINT32_MAX) return refuse(info.min, info.max);
  if (isEightBitSetting(i)) return clamp(0, 255);
  switch (i) {
    case Reg::ICHNM: case Reg::ICHNP:
    case Reg::TALLY1: case Reg::TALLY2: case Reg::TALLY3:
      return refuse(0, 8);
    case Reg::PADIP:
      return refuse(0, 3);
    case Reg::IPA_: case Reg::IPB_: case Reg::IPC_: case Reg::IPD_:
      return refuse(0, 255);
    case Reg::PORT_:
      return refuse(0, 65535);
    case Reg::NTMK_:
      return refuse(0, 30);
    case Reg::LCURRENTM: case Reg::LCURRENTP:
      return refuse(0, 14);
    case Reg::ACHANM: case Reg::ACHANP:
      return refuse(1, 8);
    case Reg::PHASEM: case Reg::PHASEP:
      return clamp(0, 31);
    case Reg::DIVM: case Reg::DIVP:
      return clamp(512, 2800);
    case Reg::LBACKCOLOR: case Reg::SCANAFM: case Reg::SCANAFP:
      return clamp(0, 7);
    case Reg::LPTRANSM: case Reg::LPTRANSP:
      return clamp(0, 16);
    case Reg::ALEV: case Reg::ABAL:
      return clamp(0, 64);
    case Reg::EDGBLKR: case Reg::EDGBLKG: case Reg::EDGBLKB:
    case Reg::EDGBLKRP: case Reg::EDGBLKGP: case Reg::EDGBLKBP:
      return clamp(0, 31);
    case Reg::EDGTYPE:
      return refuse(0, 1);
    // Frame quality: 0 native, 1 optimized. Any other value would wipe the
    // memories for a layout the device does not have.
    case Reg::LQTY:
      return refuse(0, 1);
    // Transition kinds: 0 fade colour, 1 and 2 frames 1 and 2, 3 clean cut,
    // 4 to 7 frames 3 to 6.
    case Reg::LFADEM: case Reg::LFADEP:
      return refuse(0, 7);
    // T-bar travel: 0 at the start, 255 at the end of the transition.
    case Reg::TBARPO:
      return refuse(0, 255);
    default:
      return {};
  }
}

std::optional<uint32_t> acceptValue(int index, uint32_t wire) {
  if (index < 0 || index >= kRegisterCount) return std::nullopt;
  uint32_t v = wire;
  if (isBool(registerInfo(index).type)) v = (wire & 0xFFu) != 0 ? 1u : 0u;
  const ValueRule r = valueRule(index);
  if (v >= r.min && v <= r.max) return v;
  if (r.policy == OutOfRange::Refuse) return std::nullopt;
  return std::clamp(v, r.min, r.max);
}

}  // namespace zsim
