#include "panel/keying/effect_memory.h"

namespace zelvan::keying {

const std::array<EffectField, 27>& effectBlockFields() {
  static const std::array<EffectField, 27> fields = {{
      {"NumEffByNumKey", &EffectSlot::kind, 0},
      {"EFFDUR", &EffectSlot::EFFDUR, 15},
      {"EFFPA", &EffectSlot::EFFPA, 128},
      {"EFFPB", &EffectSlot::EFFPB, 128},
      {"EFFPC", &EffectSlot::EFFPC, 128},
      {"EFFPD", &EffectSlot::EFFPD, 128},
      {"EFFPE", &EffectSlot::EFFPE, 128},
      {"EFFPF", &EffectSlot::EFFPF, 128},
      {"EFFPG", &EffectSlot::EFFPG, 128},
      {"EFFPH", &EffectSlot::EFFPH, 128},
      {"EFFPI", &EffectSlot::EFFPI, 0},
      {"EFFPJ", &EffectSlot::EFFPJ, 0},
      {"EFFPS", &EffectSlot::EFFPS, 128},
      {"EFFOPT", &EffectSlot::EFFOPT, 0},
      {"EFFPK", &EffectSlot::EFFPK, 128},
      {"EFFPL", &EffectSlot::EFFPL, 128},
      {"EFFPM", &EffectSlot::EFFPM, 128},
      {"EFFPN", &EffectSlot::EFFPN, 128},
      {"EFFPO", &EffectSlot::EFFPO, 128},
      {"EFFPP", &EffectSlot::EFFPP, 128},
      {"EFFPQ", &EffectSlot::EFFPQ, 128},
      {"EFFPR", &EffectSlot::EFFPR, 128},
      {"EFFOPEN", &EffectSlot::EFFOPEN, 0},
      {"EFFOPNDUR", &EffectSlot::EFFOPNDUR, 10},
      {"EFFCLOSE", &EffectSlot::EFFCLOSE, 0},
      {"EFFCLSDUR", &EffectSlot::EFFCLSDUR, 10},
      {"EFFADR", &EffectSlot::EFFADR, 0},
  }};
  return fields;
}

const std::array<EffectField, 6>& effectOldFields() {
  static const std::array<EffectField, 6> fields = {{
      {"OLD_DUR_", &EffectSlot::OLD_DUR, 15},
      {"OLD_EFFPC_", &EffectSlot::OLD_EFFPC, 128},
      {"OLD_EFFPD_", &EffectSlot::OLD_EFFPD, 128},
      {"OLD_EFFPM_", &EffectSlot::OLD_EFFPM, 128},
      {"OLD_EFFPN_", &EffectSlot::OLD_EFFPN, 128},
      {"OLD_EFFOPT_", &EffectSlot::OLD_EFFOPT, 0},
  }};
  return fields;
}

EffectSlot& EffectKeyMemory::slot(int n) {
  if (n < 1 || n > kSlots) {
    scratch_ = EffectSlot{};
    return scratch_;
  }
  return slots_[static_cast<size_t>(n)];
}

const EffectSlot& EffectKeyMemory::slot(int n) const {
  static const EffectSlot empty{};
  if (n < 1 || n > kSlots) return empty;
  return slots_[static_cast<size_t>(n)];
}

void EffectKeyMemory::initDefaults() {
  buttonEffect_ = 1;
  struct KindDur {
    int key, kind, dur;
  };
  static constexpr KindDur kDefaults[] = {{1, 0, 20},    {2, 1, 20},    {3, 2, 255},   {4, 3, 255},
                                          {5, 4, 255},   {6, 0, 255},   {101, 4, 255}, {102, 4, 255},
                                          {103, 4, 255}, {104, 14, 255}, {105, 14, 255}, {106, 14, 255}};
  for (const auto& d : kDefaults) {
    EffectSlot& s = slots_[static_cast<size_t>(d.key)];
    s.kind = d.kind;
    s.EFFDUR = d.dur;
    s.OLD_DUR = 15;
    s.OLD_EFFPC = s.OLD_EFFPD = s.OLD_EFFPM = s.OLD_EFFPN = 128;
    s.OLD_EFFOPT = 0;
    s.EFFPA = s.EFFPB = s.EFFPC = s.EFFPD = s.EFFPE = s.EFFPF = 128;
    s.EFFPG = s.EFFPH = 255;
    s.EFFPI = 0;
    s.EFFPJ = 0;
    s.EFFPS = 128;
    s.EFFOPT = 0;
    s.EFFPK = s.EFFPL = s.EFFPM = s.EFFPN = s.EFFPO = s.EFFPP = 128;
    s.EFFPQ = s.EFFPR = 255;
    s.EFFOPEN = 0;
    s.EFFOPNDUR = 10;
    s.EFFCLOSE = 0;
    s.EFFCLSDUR = 10;
    s.EFFADR = 0;
  }
}

}  // namespace zelvan::keying
