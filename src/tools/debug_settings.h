// The debug console's settings file: the captions and commands of its 26
// programmable buttons as "desc1=" .. "desc26=" and "adon1=" .. "adon26="
// lines. The file is untrusted: it is read with bounds, and what cannot be
// used is replaced by the defaults.
#pragma once

#include <QString>
#include <array>

namespace zelvan::debugconsole {

constexpr int kCommandButtonCount = 26;

struct ButtonSettings {
  std::array<QString, kCommandButtonCount> captions;
  std::array<QString, kCommandButtonCount> commands;
  ButtonSettings();  // default captions "..@..> Click", empty commands
  static QString defaultCaption();
};

// Longest caption and command kept from the file; longer texts are cut.
constexpr int kMaxCaptionLength = 200;
constexpr int kMaxCommandLength = 4096;
// A bigger file is not a settings file of this console.
constexpr qint64 kMaxSettingsFileSize = 1024 * 1024;

enum class LoadResult { Loaded, Missing, Rejected };

// Reads the file into `settings`. Keys present in the file replace the
// values; missing keys keep theirs. Missing: no file (nothing changed).
// Rejected: unreadable, too large or binary (nothing changed, `why` says why).
LoadResult loadButtonSettings(const QString& path, ButtonSettings& settings, QString* why = nullptr);

// Writes the file whole through a temporary file and a rename.
bool saveButtonSettings(const QString& path, const ButtonSettings& settings, QString* why = nullptr);

// Drops the characters a one-line value cannot hold (control characters)
// and cuts it to `maxLength`.
QString cleanValue(const QString& value, int maxLength);

}  // namespace zelvan::debugconsole
