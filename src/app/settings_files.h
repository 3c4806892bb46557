// Plain key=value text files: reading by key, writing whole files safely,
// the logo timing file "Zelvan_LOGO.ini" and the option file "Option.ini".
//
// The files are untrusted: a file larger than kMaxSettingsFileSize is not
// read at all (it is treated like a missing file), any bytes are accepted
// (read as 8-bit text), and lines may end in CR LF, LF or CR.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace zelvan::app {

constexpr qint64 kMaxSettingsFileSize = 1024 * 1024;

// The lines of a settings file, looked up by key: the key is the text before
// the first "=", compared without regard to letter case; the first line
// carrying a key wins; a missing key reads as the empty string.
class IniLines {
 public:
  IniLines() = default;
  explicit IniLines(QStringList lines) : lines_(std::move(lines)) {}

  static IniLines fromBytes(const QByteArray& bytes);
  // The file's lines, or nothing when it is missing, unreadable or too large.
  static std::optional<IniLines> readFile(const QString& path);

  const QStringList& lines() const { return lines_; }
  bool has(const QString& key) const { return indexOf(key) >= 0; }
  QString value(const QString& key) const;
  // Replaces the value of the first line with the key, or appends a line.
  void set(const QString& key, const QString& value);

 private:
  int indexOf(const QString& key) const;
  QStringList lines_;
};

// A whole number in the 32-bit signed range ("12", " -3", "$1F"), or nothing.
std::optional<int32_t> parseSettingsInt(const QString& text);

// Writes the lines as 8-bit text, each followed by CR LF, through a
// temporary file renamed over the target: a failed write (full disk, no
// permission, crash) leaves the previous file untouched. False on failure.
bool writeLinesAtomically(const QString& path, const QStringList& lines);
// The same for raw bytes. Every byte is checked to have reached the
// temporary file before it replaces the target: a short write (disk full,
// file size limit) cancels the replacement.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);
QByteArray linesToBytes(const QStringList& lines);

// ---- "Zelvan_LOGO.ini" ----
namespace logo_settings {
inline const QString kFileName = QStringLiteral("Zelvan_LOGO.ini");
constexpr int64_t kDefaultTempo = 240;

// Valid when Tempo is a whole number above 0. Otherwise the file in
// `repairDir` is rewritten as the single line "Tempo=240" and the result is false.
bool verify(const IniLines& lines, const QString& repairDir);

// Store-time estimate in seconds for a memory of pixels x lines:
// ((pixels x lines x 3) >> 16) x tempo div 100 + 1, without overflow for
// sizes up to 2^32 - 1; a negative result or one above 2^31 - 1 counts as 240.
int64_t storeEstimate(uint32_t pixels, uint32_t lines, int64_t tempo);

// The progress bar's maximum for an estimate: x4 in embedded soft-edge mode
// with LMODEM 2 when the learned flag is "False" or missing; div 4 when the flag is
// "True" and the soft-edge mode is off; the estimate otherwise.
int64_t progressMaximum(int64_t estimate, bool embeddedWithLmode2, bool embeddedOn, const QString& doublerFlag);

// The logo file in `dir`. When it cannot be read, Tempo 240 and
// TempsDoublerEDSEBLMODE2 for `embeddedWithLmode2` are written there first
// (a failure to write is ignored) and those lines are returned.
IniLines readOrCreate(const QString& dir, bool embeddedWithLmode2);

// The store estimate in seconds from a logo file's Tempo; a missing,
// non-numeric or non-positive Tempo gives 240.
int64_t estimateSeconds(const IniLines& file, uint32_t pixels, uint32_t lines);

// TempsDoublerEDSEBLMODE2 of the logo file in `dir`; empty when the file
// or the key is missing.
QString doublerFlag(const QString& dir);

// The progress maximum for a store, read from the logo file by bare name in
// `workingDir` (created first as readOrCreate does).
int64_t estimateFromFile(const QString& workingDir, uint32_t pixels, uint32_t lines, bool embeddedWithLmode2,
                         bool embeddedOn);

// Tempo learned from a store that took `elapsedTicks` ticks, or nothing
// when the sizes are 0: ((elapsed - 1) x 100 x 65536) div (pixels x lines x 3).
std::optional<int64_t> learnedTempo(int64_t elapsedTicks, uint32_t pixels, uint32_t lines);

// Reads the logo file from `readDir` (by bare name), replaces or adds Tempo
// and TempsDoublerEDSEBLMODE2, keeps every other line and writes the result
// into `writeDir`.
bool saveLearned(const QString& readDir, const QString& writeDir, int64_t tempo, bool embeddedWithLmode2);
}  // namespace logo_settings

// ---- "Option.ini" ----
namespace option_file {
inline const QString kFileName = QStringLiteral("Option.ini");
// True when the file exists in `dir` and its EmbeddedOnly value is "1".
bool embeddedOnly(const QString& dir);
}  // namespace option_file

}  // namespace zelvan::app
