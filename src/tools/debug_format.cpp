#include "tools/debug_format.h"

namespace zelvan::debugconsole {

namespace {
// Longest reply text copied into a log line whose value cannot be shown.
constexpr int kMaxShownLine = 80;
}  // namespace

QString hexAtLeast4(uint64_t value) {
  return QString::number(static_cast<qulonglong>(value), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString bitString(const QString& hexDigits) {
  QString out;
  out.reserve(hexDigits.size() * 5);
  for (const QChar c : hexDigits) {
    bool ok = false;
    const int nibble = QString(c).toInt(&ok, 16);
    if (!ok) continue;
    for (int bit = 3; bit >= 0; --bit) out += (nibble >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    out += QLatin1Char('.');
  }
  if (!out.isEmpty()) out[out.size() - 1] = QLatin1Char('b');
  return out;
}

DigitSplit splitDigits(const QString& text) {
  DigitSplit s;
  for (const QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      s.digits += c;
    else
      s.name += c;
  }
  return s;
}

std::optional<uint64_t> digitsValue(const QString& digits) {
  if (digits.isEmpty()) return std::nullopt;
  uint64_t v = 0;
  for (const QChar c : digits) {
    const auto d = static_cast<uint64_t>(c.unicode() - '0');
    if (d > 9) return std::nullopt;
    if (v > (UINT64_MAX - d) / 10) return std::nullopt;
    v = v * 10 + d;
  }
  return v;
}

QString formatLogLine(const QString& received, uint64_t value) {
  const QString hex = hexAtLeast4(value);
  QString line = received;
  line += received.size() <= 8 ? QLatin1Char('\t') : QLatin1Char(' ');
  line += QLatin1Char('\t');
  line += hex;
  line += QLatin1String("h   ");
  line += bitString(hex);
  return line;
}

QString formatOversizedLogLine(const QString& received) {
  QString shown =
      received.size() > kMaxShownLine ? received.left(kMaxShownLine) + QLatin1String("...") : received;
  return shown + QLatin1String(" \t(valeur trop grande pour etre convertie)");
}

QString backspacePending(const QString& pending) {
  QString s = pending;
  if (!s.isEmpty()) s.chop(1);
  while (!s.isEmpty() && s.back() == QLatin1Char(' ')) s.chop(1);
  return s;
}

}  // namespace zelvan::debugconsole
