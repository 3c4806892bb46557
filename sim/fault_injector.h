// Faults the simulator can show on purpose, for reliability tests: dropped
// replies, garbage bytes in front of replies, and a spell of silence after
// a number of commands. Every random choice comes from one seeded generator,
// so a run with the same seed and the same traffic misbehaves the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace zsim {

struct FaultConfig {
  double dropProbability = 0.0;     // each reply line is lost with this probability
  double garbageProbability = 0.0;  // each reply line gets random bytes in front of it
  int64_t delayMs = 0;              // every reply leaves this much later (the hub applies it)
  uint64_t muteAfter = 0;           // after this many commands (0: never) ...
  int64_t muteForMs = 0;            // ... the device ignores everything for this long
  bool refuseTcp = false;           // TCP clients are closed as soon as they connect

  bool any() const {
    return dropProbability > 0 || garbageProbability > 0 || delayMs > 0 || muteAfter > 0 || refuseTcp;
  }
};

class FaultInjector {
 public:
  static constexpr int kMaxGarbageBytes = 8;

  // Durations of the configuration are device milliseconds; the time scale
  // (percent) applies to them as to every other timing of the device.
  FaultInjector(const FaultConfig& cfg, uint64_t seed, int timeScalePercent = 100);

  // Counts one received command at time `now`; false while the device is
  // mute (the command is then ignored). The silence starts with the first
  // command after the configured count, and happens once.
  bool admitCommand(int64_t now);
  bool muted(int64_t now) const { return m_muteUntil >= 0 && now < m_muteUntil; }
  int64_t muteEndsAt() const { return m_muteUntil; }

  // The bytes that go on the wire for one reply line (CR LF appended), or
  // nothing when the line is dropped.
  std::optional<std::string> shapeReply(const std::string& line);

  int64_t scaledDelayMs() const { return m_delayMs; }
  const FaultConfig& config() const { return m_cfg; }
  uint64_t commands() const { return m_commands; }
  uint64_t dropped() const { return m_dropped; }
  uint64_t garbled() const { return m_garbled; }

 private:
  double uniform();

  FaultConfig m_cfg;
  std::mt19937_64 m_rng;
  int64_t m_delayMs = 0;
  int64_t m_muteForMs = 0;
  uint64_t m_commands = 0;
  bool m_muteDone = false;
  int64_t m_muteUntil = -1;
  uint64_t m_dropped = 0;
  uint64_t m_garbled = 0;
};

}  // namespace zsim
