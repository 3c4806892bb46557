// Splits the byte stream a device receives into commands. Commands arrive
// back to back without terminators: an optional value (decimal digits with
// an optional leading "-") immediately followed by a register code of one
// or two characters; the code alone is a query. The simulator parses this
// itself from the register catalogue's codes, independently of the link.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zsim {

struct Command {
  enum class Kind { Value, Query, FullState };
  Kind kind = Kind::Query;
  int index = -1;          // register addressed: the last one in index order with the code
  bool negative = false;   // a "-" preceded the digits
  uint64_t magnitude = 0;  // digits read (saturated)
  bool overflow = false;   // more digits than any register value can have
  std::string text;        // the command as received, for the transcript

  // The value as the device's 32-bit registers take it: negative numbers
  // are two's complement (-1 is 4294967295). Nothing when it does not fit.
  std::optional<uint32_t> wireValue() const;
};

class CommandParser {
 public:
  // At most this many significant digits are kept; a longer run marks the
  // value as overflowed (leading zeros do not count).
  static constexpr int kMaxDigits = 20;

  // Appends bytes and appends every command they complete to `out`, in order.
  // The parser keeps at most one pending value and one code character between
  // calls, so its memory is bounded whatever arrives.
  void feed(std::string_view bytes, std::vector<Command>& out);
  void reset();

  // Bytes skipped as garbage (unknown characters, broken codes, signs without digits).
  uint64_t skipped() const { return m_skipped; }
  // Whether a value or the first character of a two-character code is waiting.
  bool hasPending() const { return m_hasValue || m_prefix != 0; }

  // The register a code addresses (last in index order), or -1.
  static int registerForCode(std::string_view code);

 private:
  void emitCommand(std::string_view code, std::vector<Command>& out);
  // Forgets a value being read; dropValue also counts it as skipped.
  void dropValue();
  void clearValue();

  bool m_hasValue = false;
  bool m_hasDigits = false;
  bool m_negative = false;
  int m_digits = 0;  // significant digits read
  uint64_t m_magnitude = 0;
  bool m_overflow = false;
  char m_prefix = 0;
  uint64_t m_skipped = 0;
};

}  // namespace zsim
