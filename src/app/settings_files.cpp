#include "app/settings_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "device/atomicfile.h"
#include "device/numbers.h"

namespace zelvan::app {

IniLines IniLines::fromBytes(const QByteArray& bytes) {
  QStringList lines;
  const qsizetype n = bytes.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.append(QString::fromLatin1(bytes.constData() + start, n - start));
  return IniLines(std::move(lines));
}

std::optional<IniLines> IniLines::readFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  // Never read more than the limit, whatever size the file claims.
  const QByteArray bytes = f.read(kMaxSettingsFileSize + 1);
  if (bytes.size() > kMaxSettingsFileSize) return std::nullopt;
  return fromBytes(bytes);
}

int IniLines::indexOf(const QString& key) const {
  for (int i = 0; i < lines_.size(); ++i) {
    const QString& line = lines_[i];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    if (QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString IniLines::value(const QString& key) const {
  const int i = indexOf(key);
  if (i < 0) return {};
  const QString& line = lines_[i];
  return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

void IniLines::set(const QString& key, const QString& value) {
  const int i = indexOf(key);
  const QString line = key + QLatin1Char('=') + value;
  if (i < 0)
    lines_.append(line);
  else
    lines_[i] = line;
}

std::optional<int32_t> parseSettingsInt(const QString& text) {
  if (text.size() > 64) return std::nullopt;
  const auto v = zelvan::parseNumber(text.toLatin1().toStdString());
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(*v);
}

QByteArray linesToBytes(const QStringList& lines) {
  QByteArray out;
  qsizetype total = 0;
  for (const QString& l : lines) total += l.size() + 2;
  out.reserve(total);
  for (const QString& l : lines) {
    out.append(l.toLatin1());
    out.append("\r\n", 2);
  }
  return out;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
  return zelvan::writeFileAtomically(path, bytes);
}

bool writeLinesAtomically(const QString& path, const QStringList& lines) {
  return writeFileAtomically(path, linesToBytes(lines));
}

namespace logo_settings {

bool verify(const IniLines& lines, const QString& repairDir) {
  const auto tempo = parseSettingsInt(lines.value(QStringLiteral("Tempo")));
  if (tempo && *tempo > 0) return true;
  writeLinesAtomically(QDir(repairDir).filePath(kFileName), {QStringLiteral("Tempo=240")});
  return false;
}

int64_t storeEstimate(uint32_t pixels, uint32_t lines, int64_t tempo) {
  // 128 bits: the device reports sizes up to 2^32 - 1.
  const __int128 steps = static_cast<__int128>(static_cast<unsigned __int128>(pixels) * lines * 3u >> 16);
  const __int128 v = steps * tempo / 100 + 1;
  return v < 0 || v > INT32_MAX ? kDefaultTempo : static_cast<int64_t>(v);
}

int64_t progressMaximum(int64_t estimate, bool embeddedWithLmode2, bool embeddedOn, const QString& doublerFlag) {
  // The flag counts only as written by the learning step: "True", or
  // "False" / missing (empty). Anything else leaves the estimate alone.
  const bool flagTrue = doublerFlag.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
  const bool flagFalse =
      doublerFlag.isEmpty() || doublerFlag.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0;
  if (embeddedWithLmode2 && flagFalse) return estimate * 4;
  if (flagTrue && !embeddedOn) return estimate / 4;
  return estimate;
}

static QString boolText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

IniLines readOrCreate(const QString& dir, bool embeddedWithLmode2) {
  const QString path = QDir(dir).filePath(kFileName);
  if (auto file = IniLines::readFile(path)) return *file;
  IniLines fresh;
  fresh.set(QStringLiteral("Tempo"), QString::number(kDefaultTempo));
  fresh.set(QStringLiteral("TempsDoublerEDSEBLMODE2"), boolText(embeddedWithLmode2));
  writeLinesAtomically(path, fresh.lines());
  return fresh;
}

int64_t estimateSeconds(const IniLines& file, uint32_t pixels, uint32_t lines) {
  const auto tempo = parseSettingsInt(file.value(QStringLiteral("Tempo")));
  if (!tempo || *tempo <= 0) return kDefaultTempo;
  return storeEstimate(pixels, lines, *tempo);
}

QString doublerFlag(const QString& dir) {
  const auto file = IniLines::readFile(QDir(dir).filePath(kFileName));
  return file ? file->value(QStringLiteral("TempsDoublerEDSEBLMODE2")) : QString();
}

int64_t estimateFromFile(const QString& workingDir, uint32_t pixels, uint32_t lines, bool embeddedWithLmode2,
                         bool embeddedOn) {
  const IniLines file = readOrCreate(workingDir, embeddedWithLmode2);
  return progressMaximum(estimateSeconds(file, pixels, lines), embeddedWithLmode2, embeddedOn,
                         file.value(QStringLiteral("TempsDoublerEDSEBLMODE2")));
}

std::optional<int64_t> learnedTempo(int64_t elapsedTicks, uint32_t pixels, uint32_t lines) {
  if (pixels == 0 || lines == 0) return std::nullopt;
  const int64_t size = static_cast<int64_t>(pixels) * static_cast<int64_t>(lines) * 3;
  return (elapsedTicks - 1) * 100 * 65536 / size;
}

bool saveLearned(const QString& readDir, const QString& writeDir, int64_t tempo, bool embeddedWithLmode2) {
  IniLines file = IniLines::readFile(QDir(readDir).filePath(kFileName)).value_or(IniLines{});
  file.set(QStringLiteral("Tempo"), QString::number(tempo));
  file.set(QStringLiteral("TempsDoublerEDSEBLMODE2"), boolText(embeddedWithLmode2));
  return writeLinesAtomically(QDir(writeDir).filePath(kFileName), file.lines());
}

}  // namespace logo_settings

namespace option_file {
bool embeddedOnly(const QString& dir) {
  const auto file = IniLines::readFile(QDir(dir).filePath(kFileName));
  return file && file->value(QStringLiteral("EmbeddedOnly")) == QLatin1String("1");
}
}  // namespace option_file

}  // namespace zelvan::app
