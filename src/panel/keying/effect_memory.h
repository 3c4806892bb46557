// The effect key memory: one slot per effect key (1..6 for the main
// window's keys, 7 for the device's current effect, 101..106 for the
// soft-edge window's keys), with the selected key `ButtonEffect`. The
// customization file keeps slots 1..6 and 101..106; the effect panel reads
// and writes the slots and sends them to the device.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace zelvan::keying {

struct EffectSlot {
  // The numeric fields in the order the customization file stores them.
  int32_t kind = 0;  // NumEffByNumKey: effect kind 0..14
  int32_t EFFDUR = 15;
  int32_t EFFPA = 128, EFFPB = 128, EFFPC = 128, EFFPD = 128;
  int32_t EFFPE = 128, EFFPF = 128, EFFPG = 128, EFFPH = 128;
  int32_t EFFPI = 0, EFFPJ = 0, EFFPS = 128, EFFOPT = 0;
  int32_t EFFPK = 128, EFFPL = 128, EFFPM = 128, EFFPN = 128;
  int32_t EFFPO = 128, EFFPP = 128, EFFPQ = 128, EFFPR = 128;
  int32_t EFFOPEN = 0, EFFOPNDUR = 10, EFFCLOSE = 0, EFFCLSDUR = 10, EFFADR = 0;
  // Hint of the chooser item last chosen (EFFECT_OPEN_DISABLED).
  QString openDisabled;
  // Saved values that undo a temporary setting.
  int32_t OLD_DUR = 15, OLD_EFFPC = 128, OLD_EFFPD = 128, OLD_EFFPM = 128, OLD_EFFPN = 128, OLD_EFFOPT = 0;

  bool operator==(const EffectSlot&) const = default;
};

// A numeric field of a slot with its settings-file key prefix and the value
// it takes when the file lacks it or holds no number.
struct EffectField {
  const char* key;
  int32_t EffectSlot::*member;
  int32_t fileDefault;
};

// The 27 numeric fields of a block, at offsets +1 .. +27 (the text flag
// EFFECT_OPEN_DISABLED follows at +28).
const std::array<EffectField, 27>& effectBlockFields();
// The six saved-value families (OLD_DUR_, OLD_EFFPC_, ...).
const std::array<EffectField, 6>& effectOldFields();

// The keys kept in the customization file, in file order.
constexpr std::array<int, 12> kStoredEffectKeys = {1, 2, 3, 4, 5, 6, 101, 102, 103, 104, 105, 106};

class EffectKeyMemory {
 public:
  static constexpr int kSlots = 106;
  static constexpr int kCurrentEffectSlot = 7;

  EffectKeyMemory() { initDefaults(); }

  // Slot n (1..106); any other n gives a scratch slot that is never stored.
  EffectSlot& slot(int n);
  const EffectSlot& slot(int n) const;

  int ButtonEffect() const { return buttonEffect_; }
  void setButtonEffect(int k) { buttonEffect_ = k; }

  // The start-up defaults of every key (selected key 1; key 1 Cut 2 s,
  // key 2 Fade 2 s, keys 3..5 Title, Shadow Title, PiP holding, key 6 Cut
  // holding; keys 101..103 PiP, 104..106 Double PiP, holding). Nothing is
  // sent: the effect panel sends when it takes the memory over.
  void initDefaults();

 private:
  std::array<EffectSlot, kSlots + 1> slots_{};  // index 0 unused
  EffectSlot scratch_;
  int buttonEffect_ = 1;
};

}  // namespace zelvan::keying
