#include "sim/fault_injector.h"

namespace zsim {

FaultInjector::FaultInjector(const FaultConfig& cfg, uint64_t seed, int timeScalePercent)
    : m_cfg(cfg), m_rng(seed) {
  const int scale = timeScalePercent < 1 ? 1 : timeScalePercent;
  m_delayMs = cfg.delayMs > 0 ? cfg.delayMs * scale / 100 : 0;
  m_muteForMs = cfg.muteForMs > 0 ? cfg.muteForMs * scale / 100 : 0;
}

double FaultInjector::uniform() {
  // 53 random bits: the same sequence on every platform for the same seed.
  return static_cast<double>(m_rng() >> 11) * (1.0 / 9007199254740992.0);
}

bool FaultInjector::admitCommand(int64_t now) {
  if (muted(now)) return false;
  ++m_commands;
  if (m_cfg.muteAfter > 0 && !m_muteDone && m_commands > m_cfg.muteAfter) {
    m_muteDone = true;
    if (m_muteForMs > 0) {
      m_muteUntil = now + m_muteForMs;
      return false;
    }
  }
  return true;
}

std::optional<std::string> FaultInjector::shapeReply(const std::string& line) {
  if (m_cfg.dropProbability > 0 && uniform() < m_cfg.dropProbability) {
    ++m_dropped;
    return std::nullopt;
  }
  std::string out;
  if (m_cfg.garbageProbability > 0 && uniform() < m_cfg.garbageProbability) {
    ++m_garbled;
    const int n = 1 + static_cast<int>(m_rng() % kMaxGarbageBytes);
    for (int i = 0; i < n; ++i) {
      // Any byte but CR, LF and zero: the garbage sticks to the line and spoils it.
      char b;
      do {
        b = static_cast<char>(1 + m_rng() % 255);
      } while (b == '\r' || b == '\n');
      out.push_back(b);
    }
  }
  out.append(line);
  out.append("\r\n");
  return out;
}

}  // namespace zsim
