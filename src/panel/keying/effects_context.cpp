#include "panel/keying/effects_context.h"

#include "device/zelvan_d.h"

namespace zelvan::keying {

void TEffectsContext::send(int reg, int64_t value) const {
  if (!link) return;
  link->SendRegister(reg, static_cast<uint32_t>(value));
}

bool TEffectsContext::model36() const { return link && link->DEV() == 36; }
bool TEffectsContext::embeddedSoftEdge() const { return link && link->EDSEB(); }

}  // namespace zelvan::keying
