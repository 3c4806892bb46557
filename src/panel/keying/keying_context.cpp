#include "panel/keying/keying_context.h"

#include "device/zelvan_d.h"

namespace zelvan::keying {

int TKeyingContext::pchan() const {
  const uint32_t ch = link->PCHAN();
  return ch <= 8 ? static_cast<int>(ch) : -1;
}

}  // namespace zelvan::keying
