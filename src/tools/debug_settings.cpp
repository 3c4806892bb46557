#include "tools/debug_settings.h"

#include <QFile>
#include "device/atomicfile.h"
#include <QStringDecoder>

namespace zelvan::debugconsole {

ButtonSettings::ButtonSettings() {
  captions.fill(defaultCaption());
}

QString ButtonSettings::defaultCaption() {
  return QStringLiteral("..@..> Click");
}

QString cleanValue(const QString& value, int maxLength) {
  QString out;
  out.reserve(std::min<qsizetype>(value.size(), maxLength));
  for (const QChar c : value) {
    if (out.size() >= maxLength) break;
    if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
      continue;
    out += c;
  }
  return out;
}

namespace {

// The file's text: UTF-8 when it is valid UTF-8, otherwise Latin-1 (files
// written by older Windows tools).
QString decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  return text;
}

// "desc12" -> 12 for prefix "desc"; 0 when the key is not prefix + 1..26.
int keyNumber(const QString& key, QLatin1String prefix) {
  if (!key.startsWith(prefix)) return 0;
  const QString digits = key.mid(prefix.size());
  if (digits.isEmpty() || digits.size() > 2) return 0;
  for (const QChar c : digits)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
  const int n = digits.toInt();
  return n >= 1 && n <= kCommandButtonCount ? n : 0;
}

}  // namespace

LoadResult loadButtonSettings(const QString& path, ButtonSettings& settings, QString* why) {
  QFile f(path);
  if (!f.exists()) return LoadResult::Missing;
  auto reject = [&](const QString& reason) {
    if (why) *why = reason;
    return LoadResult::Rejected;
  };
  if (!f.open(QIODevice::ReadOnly))
    return reject(QStringLiteral("fichier illisible (%1)").arg(f.errorString()));
  if (f.size() > kMaxSettingsFileSize) return reject(QStringLiteral("fichier trop grand"));
  const QByteArray bytes = f.read(kMaxSettingsFileSize + 1);
  if (bytes.size() > kMaxSettingsFileSize) return reject(QStringLiteral("fichier trop grand"));
  if (f.error() != QFileDevice::NoError)
    return reject(QStringLiteral("erreur de lecture (%1)").arg(f.errorString()));
  if (bytes.contains('\0')) return reject(QStringLiteral("ce n'est pas un fichier texte"));

  ButtonSettings read = settings;
  std::array<bool, kCommandButtonCount> seenCaption{};
  std::array<bool, kCommandButtonCount> seenCommand{};
  const QString text = decode(bytes);
  for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) continue;
    const QString key = line.left(eq).trimmed().toString();
    const QString value = line.mid(eq + 1).toString();
    // The first line of a key wins, as a key look-up finds it.
    if (const int n = keyNumber(key, QLatin1String("desc")); n > 0) {
      if (!seenCaption[size_t(n - 1)]) read.captions[size_t(n - 1)] = cleanValue(value, kMaxCaptionLength);
      seenCaption[size_t(n - 1)] = true;
    } else if (const int m = keyNumber(key, QLatin1String("adon")); m > 0) {
      if (!seenCommand[size_t(m - 1)]) read.commands[size_t(m - 1)] = cleanValue(value, kMaxCommandLength);
      seenCommand[size_t(m - 1)] = true;
    }
  }
  settings = read;
  return LoadResult::Loaded;
}

bool saveButtonSettings(const QString& path, const ButtonSettings& settings, QString* why) {
  QByteArray out;
  for (int i = 0; i < kCommandButtonCount; ++i) {
    const auto n = QByteArray::number(i + 1);
    out += "desc" + n + '=' + cleanValue(settings.captions[size_t(i)], kMaxCaptionLength).toUtf8() + "\r\n";
    out += "adon" + n + '=' + cleanValue(settings.commands[size_t(i)], kMaxCommandLength).toUtf8() + "\r\n";
  }
  return zelvan::writeFileAtomically(path, out, why);
}

}  // namespace zelvan::debugconsole
