#include "device/catalogue.h"

#include <algorithm>
#include <unordered_map>

#include "device/numbers.h"

namespace zelvan {

namespace {
constexpr RegType U32 = RegType::U32;
constexpr RegType BOOL = RegType::BOOL;
constexpr RegType U32X8 = RegType::U32X8;
constexpr RegType BOOLX8 = RegType::BOOLX8;

constexpr RegType specialType(std::string_view id) {
  return id == "PORT_" ? RegType::PORT : id == "NTMK_" ? RegType::NTMK : RegType::OCTET;
}

constexpr std::array<RegisterInfo, kRegisterCount> kCatalogue = {{
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev) {n, c, k, t, lo, hi, std::string_view(#w) == "RW", #prop},
#define ZSPECIAL(i, n, c, k, lo, hi, id) {n, c, k, specialType(#id), lo, hi, false, #id},
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
}};

// Index order is the matching order: check the table is dense and ordered.
constexpr bool indicesDense() {
  int expected = 0;
#define ZREG(i, n, c, k, t, lo, hi, w, prop, ev) \
  if (i != expected++) return false;
#define ZSPECIAL(i, n, c, k, lo, hi, id) \
  if (i != expected++) return false;
#include "device/registers.def"
#undef ZREG
#undef ZSPECIAL
  return expected == kRegisterCount;
}
static_assert(indicesDense(), "registers.def must list every index once, in order");

RangeTable makeRanges() {
  RangeTable t{};
  for (int i = 0; i < kRegisterCount; ++i) t[static_cast<size_t>(i)] = {kCatalogue[i].min, kCatalogue[i].max};
  return t;
}

// Names are 1 to 4 characters and unique; a line can only match a register
// whose name is one of its first four prefixes. Key: the prefix bytes packed
// into 32 bits plus its length in the top byte of a 64-bit key.
uint64_t prefixKey(std::string_view s, size_t len) {
  uint64_t k = len;
  for (size_t i = 0; i < len; ++i) k = (k << 8) | static_cast<unsigned char>(s[i]);
  return k;
}

struct NameIndex {
  std::unordered_map<uint64_t, int> byPrefix;
  std::unordered_map<std::string_view, int> lastByCode;
  NameIndex() {
    byPrefix.reserve(kRegisterCount * 2);
    for (int i = 0; i < kRegisterCount; ++i) {
      const auto name = kCatalogue[i].name;
      byPrefix.emplace(prefixKey(name, name.size()), i);
      lastByCode[kCatalogue[i].code] = i;  // later rows overwrite earlier ones
    }
  }
};

const NameIndex& nameIndex() {
  static const NameIndex idx;
  return idx;
}

// Applies the per-register rule to a line already known to start with the name.
bool tryRegister(std::string_view line, int index, LineMatch& out) {
  const auto rest = line.substr(kCatalogue[index].name.size());
  if (rest.empty()) {
    out = {index, true, 0};
    return true;
  }
  const auto v = parseNumber(rest);
  if (!v) return false;
  out.index = index;
  out.valueValid = *v >= 0 && *v <= 0xFFFFFFFFll;
  out.value = out.valueValid ? static_cast<uint32_t>(*v) : 0;
  return true;
}
}  // namespace

const std::array<RegisterInfo, kRegisterCount>& catalogue() { return kCatalogue; }

const RangeTable& acceptedRanges() {
  static const RangeTable t = makeRanges();
  return t;
}

LineMatch matchReplyLine(std::string_view line) {
  const auto& idx = nameIndex();
  int candidates[4];
  int n = 0;
  const size_t maxLen = std::min<size_t>(4, line.size());
  for (size_t len = 1; len <= maxLen; ++len) {
    const auto it = idx.byPrefix.find(prefixKey(line, len));
    if (it == idx.byPrefix.end()) continue;
    // Keep the candidates in index order: matching order is index order.
    int j = n++;
    for (; j > 0 && candidates[j - 1] > it->second; --j) candidates[j] = candidates[j - 1];
    candidates[j] = it->second;
  }
  LineMatch m;
  for (int i = 0; i < n; ++i)
    if (tryRegister(line, candidates[i], m)) return m;
  return {};
}

LineMatch matchReplyLineLinear(std::string_view line) {
  LineMatch m;
  for (int i = 0; i < kRegisterCount; ++i)
    if (line.starts_with(kCatalogue[i].name) && tryRegister(line, i, m)) return m;
  return {};
}

int lastRegisterWithCode(std::string_view code) {
  const auto& idx = nameIndex();
  const auto it = idx.lastByCode.find(code);
  return it == idx.lastByCode.end() ? -1 : it->second;
}

}  // namespace zelvan
