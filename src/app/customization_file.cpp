#include "app/customization_file.h"

#include "device/comports.h"
#include "panel/keying/effect_tables.h"

namespace zelvan::app {
namespace {
constexpr int kFirstBlockBase = kInputCount + kMemoryLabelCount;  // 23
constexpr int kBlockStride = 29;                                   // 28 keys, one number skipped
}  // namespace

QString defaultInputName(int n) { return QStringLiteral("Input %1").arg(n); }

QString defaultMemoryLabel(int i) {
  if (i <= 0 || i >= kMemoryLabelCount) return QStringLiteral("None");
  if (i == 1 || i == 2) return QStringLiteral("Frame %1").arg(i);
  if (i <= 10) return QStringLiteral("Logo %1").arg(i - 2);
  return QStringLiteral("Frame %1").arg(i - 8);
}

QString defaultAudioName(int n) { return QStringLiteral("Audio %1").arg(n); }
QString defaultOutputName(int n) { return QStringLiteral("Output %1").arg(n); }

int effectBlockBase(int block) { return kFirstBlockBase + block * kBlockStride; }

QStringList customizationLines(const CustomizationState& s) {
  QStringList out;
  out.reserve(448);
  auto add = [&out](const QString& key, const QString& value) { out.append(key + QLatin1Char('=') + value); };
  add(QStringLiteral("VERSION_INI_FILE"), kCustomizationVersion);
  add(QStringLiteral("Port"), s.port);
  add(QStringLiteral("IP_ENABLE"), QString::number(s.ipEnable));
  add(QStringLiteral("REMOTE_IP"), s.remoteIp);
  add(QStringLiteral("REMOTE_PORT_ENTRY"), QString::number(s.remotePort));
  add(QStringLiteral("LOCAL_PORT_ENTRY"), QString::number(s.localPort));
  for (int i = 0; i < kInputCount; ++i) add(QStringLiteral("CallNameInput%1").arg(i + 1), s.inputNames[size_t(i)]);
  for (int i = 0; i < kMemoryLabelCount; ++i)
    add(QStringLiteral("FrAndLo%1").arg(kInputCount + 1 + i), s.memoryLabels[size_t(i)]);
  add(QStringLiteral("ButtonEffect"), QString::number(s.effects.ButtonEffect()));
  for (size_t b = 0; b < kStoredEffectKeys.size(); ++b) {
    const EffectSlot& slot = s.effects.slot(kStoredEffectKeys[b]);
    const int base = effectBlockBase(int(b));
    int offset = 1;
    for (const EffectField& f : effectBlockFields())
      add(QLatin1String(f.key) + QString::number(base + offset++), QString::number(slot.*f.member));
    add(QStringLiteral("EFFECT_OPEN_DISABLED%1").arg(base + offset), slot.openDisabled);
  }
  for (int group = 0; group < 2; ++group) {
    for (const EffectField& f : effectOldFields()) {
      for (int k = 1; k <= 6; ++k) {
        const int key = group == 0 ? k : 100 + k;
        add(QLatin1String(f.key) + QString::number(key), QString::number(s.effects.slot(key).*f.member));
      }
    }
  }
  for (int i = 0; i < kAudioCount; ++i) add(QStringLiteral("AUDIO%1").arg(i + 1), s.audioNames[size_t(i)]);
  add(QStringLiteral("OUTPUT1"), s.outputNames[0]);
  add(QStringLiteral("OUTPUT2"), s.outputNames[1]);
  return out;
}

bool verifyCustomization(const IniLines& lines) {
  if (lines.value(QStringLiteral("VERSION_INI_FILE")) != kCustomizationVersion) return false;
  const QString port = lines.value(QStringLiteral("Port"));
  bool portOk = false;
  for (int n = 1; n <= zelvan::kComPortCount && !portOk; ++n) portOk = port == QStringLiteral("COM%1").arg(n);
  if (!portOk) return false;
  for (int i = 1; i <= kInputCount; ++i)
    if (lines.value(QStringLiteral("CallNameInput%1").arg(i)).isEmpty()) return false;
  for (int i = 0; i < kMemoryLabelCount; ++i)
    if (lines.value(QStringLiteral("FrAndLo%1").arg(kInputCount + 1 + i)).isEmpty()) return false;
  for (const char* key : {"REMOTE_IP", "REMOTE_PORT_ENTRY", "LOCAL_PORT_ENTRY", "IP_ENABLE"})
    if (!lines.has(QLatin1String(key))) return false;
  return true;
}

void readEffectMemory(const IniLines& lines, EffectKeyMemory& memory) {
  auto number = [&lines](const QString& key, int32_t fallback) {
    const auto v = parseSettingsInt(lines.value(key));
    return v ? *v : fallback;
  };
  // Kinds, animations and options index the effect tables: a value out of
  // range is read as a missing one, and a selected key that does not exist
  // selects key 1.
  memory.setButtonEffect(zelvan::keying::sanitizeButtonEffect(number(QStringLiteral("ButtonEffect"), 0)));
  for (size_t b = 0; b < kStoredEffectKeys.size(); ++b) {
    EffectSlot& slot = memory.slot(kStoredEffectKeys[b]);
    const int base = effectBlockBase(int(b));
    int offset = 1;
    for (const EffectField& f : effectBlockFields())
      slot.*f.member = number(QLatin1String(f.key) + QString::number(base + offset++), f.fileDefault);
    slot.openDisabled = lines.value(QStringLiteral("EFFECT_OPEN_DISABLED%1").arg(base + offset));
  }
  for (int key : kStoredEffectKeys) {
    EffectSlot& slot = memory.slot(key);
    for (const EffectField& f : effectOldFields())
      slot.*f.member = number(QLatin1String(f.key) + QString::number(key), f.fileDefault);
    zelvan::keying::sanitizeSlot(slot);
  }
}

}  // namespace zelvan::app
