#include "sim/command_parser.h"

#include <array>
#include <string>
#include <unordered_map>

#include "device/catalogue.h"

namespace zsim {

namespace {

// Code look-ups built from the catalogue: the register of each code (the
// last in index order wins, since "lW", "lS" and "lO" are shared), and
// which characters begin a two-character code.
struct CodeTable {
  std::unordered_map<std::string, int> byCode;
  std::array<bool, 256> single{};
  std::array<bool, 256> twoFirst{};
  CodeTable() {
    for (int i = 0; i < zelvan::kRegisterCount; ++i) {
      const auto code = zelvan::registerInfo(i).code;
      byCode[std::string(code)] = i;
      const auto c0 = static_cast<unsigned char>(code[0]);
      if (code.size() == 1) single[c0] = true;
      else twoFirst[c0] = true;
    }
  }
};

const CodeTable& codes() {
  static const CodeTable t;
  return t;
}

bool isBlank(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

}  // namespace

std::optional<uint32_t> Command::wireValue() const {
  if (overflow) return std::nullopt;
  if (negative) {
    if (magnitude > 2147483648ull) return std::nullopt;
    return static_cast<uint32_t>(0x100000000ull - magnitude);
  }
  if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(magnitude);
}

int CommandParser::registerForCode(std::string_view code) {
  const auto& t = codes();
  const auto it = t.byCode.find(std::string(code));
  return it == t.byCode.end() ? -1 : it->second;
}

void CommandParser::reset() {
  clearValue();
  m_prefix = 0;
}

void CommandParser::dropValue() {
  if (m_hasValue) ++m_skipped;
  clearValue();
}

void CommandParser::clearValue() {
  m_hasValue = false;
  m_hasDigits = false;
  m_negative = false;
  m_digits = 0;
  m_magnitude = 0;
  m_overflow = false;
}

void CommandParser::emitCommand(std::string_view code, std::vector<Command>& out) {
  Command c;
  c.index = registerForCode(code);
  if (code == "#") {
    // The full-state request; a value in front of it means nothing.
    c.kind = Command::Kind::FullState;
    c.text.push_back('#');
    dropValue();
    out.push_back(std::move(c));
    return;
  }
  if (m_hasValue && !m_hasDigits) {
    // A lone "-" before a code is no value: the command is dropped.
    dropValue();
    return;
  }
  std::string text;
  if (m_hasValue) {
    c.kind = Command::Kind::Value;
    c.negative = m_negative;
    c.magnitude = m_magnitude;
    c.overflow = m_overflow;
    if (m_negative) text.push_back('-');
    if (m_overflow) text.append("(overflow)");
    else text.append(std::to_string(m_magnitude));
  } else {
    c.kind = Command::Kind::Query;
  }
  text.append(code.data(), code.size());
  c.text = std::move(text);
  m_hasValue = false;
  m_hasDigits = false;
  m_negative = false;
  m_digits = 0;
  m_magnitude = 0;
  m_overflow = false;
  out.push_back(std::move(c));
}

void CommandParser::feed(std::string_view bytes, std::vector<Command>& out) {
  const auto& t = codes();
  for (const char ch : bytes) {
    if (m_prefix != 0) {
      const char two[2] = {m_prefix, ch};
      const std::string_view code(two, 2);
      m_prefix = 0;
      if (t.byCode.count(std::string(code)) != 0) {
        emitCommand(code, out);
        continue;
      }
      // The first character began no code after all: it is garbage, and
      // the value in front of it is lost with it. The current byte is
      // looked at afresh below.
      ++m_skipped;
      dropValue();
    }
    if (isBlank(ch)) continue;
    if (ch >= '0' && ch <= '9') {
      m_hasValue = true;
      m_hasDigits = true;
      const uint64_t d = static_cast<uint64_t>(ch - '0');
      // Leading zeros carry nothing; only significant digits count towards the limit.
      if (m_overflow || (m_magnitude == 0 && d == 0)) continue;
      if (++m_digits > kMaxDigits || m_magnitude > (UINT64_MAX - d) / 10) m_overflow = true;
      else m_magnitude = m_magnitude * 10 + d;
      continue;
    }
    if (ch == '-') {
      // A sign starts a new value; whatever was pending is dropped.
      dropValue();
      m_hasValue = true;
      m_negative = true;
      continue;
    }
    const auto u = static_cast<unsigned char>(ch);
    if (t.single[u]) {
      emitCommand(std::string_view(&ch, 1), out);
    } else if (t.twoFirst[u]) {
      m_prefix = ch;
    } else {
      ++m_skipped;
      dropValue();
    }
  }
}

}  // namespace zsim
