// Text helpers of the debug console: the hexadecimal and bit-string views of
// a value, the split of a reply line into its digits and its name part, the
// log line, and the Backspace rule of the pending command.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace zelvan::debugconsole {

// The value in upper-case hexadecimal with at least four digits (161 -> "00A1").
QString hexAtLeast4(uint64_t value);

// Each hexadecimal digit becomes its four bits followed by "."; the last "."
// becomes "b". "0003" -> "0000.0000.0000.0011b". Characters that are not
// hexadecimal digits are skipped; no digit at all gives an empty string.
QString bitString(const QString& hexDigits);

// The bit string of a value shown with at least four hexadecimal digits.
inline QString bitStringOf(uint64_t value) {
  return bitString(hexAtLeast4(value));
}

// A text cut into its decimal digits ("0" to "9", wherever they stand) and
// its other characters, each in their original order.
struct DigitSplit {
  QString digits;
  QString name;
};
DigitSplit splitDigits(const QString& text);

// The number the digits form; nothing when there is no digit or the number
// does not fit in 64 bits (leading zeros do not count).
std::optional<uint64_t> digitsValue(const QString& digits);

// The line the console logs for a reply line and its value: the line, a TAB
// for lines of 8 characters or fewer and a blank otherwise, a TAB, the value
// in hexadecimal, "h   " and the bit string.
QString formatLogLine(const QString& received, uint64_t value);

// The log line of a reply whose digits form no 64-bit number: the line
// (shortened when very long) and a plain notice instead of the views.
QString formatOversizedLogLine(const QString& received);

// Backspace on the pending command: removes the last character together
// with any blanks it leaves at the end.
QString backspacePending(const QString& pending);

}  // namespace zelvan::debugconsole
