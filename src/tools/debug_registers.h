// The register list of the debug console: one text line per register the
// operator can pick, made of the command code, the reply name and a short
// description, in the device's catalogue order.
#pragma once

#include <QString>
#include <vector>

namespace zelvan::debugconsole {

struct RegisterLine {
  QString code;  // first word: what a command ends with
  QString name;  // second word: what a reply line starts with
  QString text;  // the whole line as listed
};

// Builds a line: the code padded to 11 columns, the name to 9, then the description.
RegisterLine makeRegisterLine(const QString& code, const QString& name, const QString& description);

// The 313 lines of the list. It opens with the "send everything" line "#",
// then follows the catalogue order with a few differences of its own: no
// line for "TCP", "EDGM", "EDCH", "EFPS" and "$", the extra input line
// "PS PSOG" after the per-input processing line, and the names EDGB for the
// code "eB" and EFPN for "eu".
const std::vector<RegisterLine>& registerLines();

}  // namespace zelvan::debugconsole
