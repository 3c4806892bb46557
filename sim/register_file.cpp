#include "sim/register_file.h"

#include <algorithm>

namespace zsim {

bool RegisterFile::channelsEqual(int index) const {
  const auto& v = m_values[idx(index)];
  return std::all_of(v.begin(), v.end(), [&](uint32_t x) { return x == v[0]; });
}

}  // namespace zsim
