// Arbitrary bytes in arbitrary chunk splits through ProcessReceived, with
// the accepted ranges installed and handlers that read back what was stored.
#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

#include "device/catalogue.h"
#include "device/zelvan_d.h"

namespace {
TZelvan_d* makeLink() {
  static int argc = 1;
  static char arg0[] = "fuzz_protocol";
  static char* argv[] = {arg0, nullptr};
  static QCoreApplication app(argc, argv);
  static TZelvan_d link;
  link.SetRanges(zelvan::acceptedRanges());
  link.OnLOCAL_IPchange = [](QObject*, int) { (void)link.LOCAL_IP().size(); };
  link.OnNETMASKchange = [](QObject*, int) { (void)link.NETMASK().size(); };
  link.OnPENAchange = [](QObject*, int) { (void)link.PENA(); };
  link.OnRecString = [](QObject*, int) { (void)link.receivedString().size(); };
  return &link;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TZelvan_d* link = makeLink();
  if (size == 0) return 0;
  // The first byte seeds the chunk sizes: 1 to 64 bytes each.
  uint32_t seed = data[0];
  size_t off = 1;
  while (off < size) {
    seed = seed * 1103515245u + 12345u;
    const size_t chunk = std::min<size_t>(size - off, 1 + (seed >> 16) % 64);
    link->ProcessReceived(reinterpret_cast<const char*>(data + off), static_cast<qsizetype>(chunk));
    off += chunk;
    // Every complete line is consumed at once; what is left never exceeds 10 bytes.
    if (link->receiveBufferSize() > 10) std::abort();
  }
  return 0;
}
