#include "panel/signal/signal_host.h"

#include <array>

#include "panel/signal/signal_tables.h"

int TSignalHost::modelIndex(uint32_t dev) const { return zelvan::signal::modelIndexOfDev(dev); }

QString TSignalHost::memoryLabel(int memoryIndex) const {
  static const std::array<const char*, 15> kDefaults = {"None",   "Frame 1", "Frame 2", "Logo 1", "Logo 2",
                                                        "Logo 3", "Logo 4",  "Logo 5",  "Logo 6", "Logo 7",
                                                        "Logo 8", "Frame 3", "Frame 4", "Frame 5", "Frame 6"};
  if (memoryIndex < 0 || memoryIndex >= 15) return {};
  return QString::fromLatin1(kDefaults[static_cast<size_t>(memoryIndex)]);
}
