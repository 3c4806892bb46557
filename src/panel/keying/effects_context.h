// State shared by the effect panels: the device link, the host, and the
// three panels (effect keys, Effects page controls, animation and Double
// PiP), so that one can run another's routine where a report or an operator
// action asks for it.
#pragma once

#include <cstdint>

#include "panel/keying/effect_memory.h"
#include "panel/keying/effect_tables.h"
#include "panel/keying/effects_host.h"

class TZelvan_d;

namespace zelvan::keying {

class TEffectKeys;
class TEffectsPage;
class TEffectAnimation;

struct TEffectsContext {
  TZelvan_d* link = nullptr;
  TEffectsHost* host = nullptr;
  // The panels; set once they are built (animation first, then the page,
  // then the keys).
  TEffectKeys* keys = nullptr;
  TEffectsPage* page = nullptr;
  TEffectAnimation* animation = nullptr;

  EffectKeyMemory& memory() const { return host->effectMemory(); }
  // The slot of the selected key (ButtonEffect) and its kind.
  EffectSlot& selected() const { return memory().slot(memory().ButtonEffect()); }
  int selectedKind() const { return selected().kind; }
  // The selected kind uses the Double PiP controls.
  bool selectedIsDoublePip() const { return effectGroup(selected().kind, EffectGroup::DPiP); }
  // Sends a register (the device's answer fires its change event).
  void send(int reg, int64_t value) const;
  // DEV = 36: the model with shadow colour, smoothing and the DPiP opacity.
  bool model36() const;
  // EDSEB: embedded soft-edge mode.
  bool embeddedSoftEdge() const;
};

}  // namespace zelvan::keying
