// The customization file ("Zelvan_USR.ini" or an operator's ".usr" file):
// connection choice, operator labels and the effect key memories, 448 lines
// in a fixed order. This file knows the format only; the main window
// decides what to apply and where the values come from.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "panel/keying/effect_memory.h"
#include "app/settings_files.h"

namespace zelvan::app {

// The effect key memory and its file fields are the effect panels'; the
// customization file stores them.
using zelvan::keying::EffectField;
using zelvan::keying::EffectKeyMemory;
using zelvan::keying::EffectSlot;
using zelvan::keying::effectBlockFields;
using zelvan::keying::effectOldFields;
using zelvan::keying::kStoredEffectKeys;

inline const QString kDefaultCustomizationFile = QStringLiteral("Zelvan_USR.ini");
inline const QString kCustomizationVersion = QStringLiteral("V0005");

constexpr int kInputCount = 8;
constexpr int kMemoryLabelCount = 15;
constexpr int kAudioCount = 8;

// Everything a customization file holds.
struct CustomizationState {
  QString port = QStringLiteral("COM1");  // "COM1".."COM16"
  int ipEnable = 0;                       // 0 RS-232, 1 UDP, 2 TCP
  QString remoteIp;
  int remotePort = 0;
  int localPort = 0;
  std::array<QString, kInputCount> inputNames;
  std::array<QString, kMemoryLabelCount> memoryLabels;
  EffectKeyMemory effects;  // ButtonEffect and slots 1..6, 101..106
  std::array<QString, kAudioCount> audioNames;
  std::array<QString, 2> outputNames;
};

// Default operator labels.
QString defaultInputName(int n);   // n 1..8: "Input 1"
QString defaultMemoryLabel(int i); // i 0..14: "None", "Frame 1", ...
QString defaultAudioName(int n);   // "Audio 1"
QString defaultOutputName(int n);  // "Output 1"

// The key numbers of the effect block of the stored key at position
// `block` (0..11): base 23, 52, ..., 342.
int effectBlockBase(int block);

// The file's lines in order, CR LF to be added when writing.
QStringList customizationLines(const CustomizationState& state);

// Whether a loaded file may be applied: version V0005, Port COM1..COM16,
// non-empty input and memory labels, and lines for the four link keys.
bool verifyCustomization(const IniLines& lines);

// Reads ButtonEffect (0 when missing or no number), the twelve key blocks
// and the saved-value families into `memory`, each missing or non-numeric
// field taking its default. Slot 7 and the other slots are left alone.
void readEffectMemory(const IniLines& lines, EffectKeyMemory& memory);

}  // namespace zelvan::app
