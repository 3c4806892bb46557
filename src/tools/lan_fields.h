// Entry fields shared by the two LAN dialogs (the link setup and the
// device's LAN setup): creation, the enabled look and port parsing.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class QLineEdit;
class QWidget;

namespace zelvan::lanfields {

// A line edit named `name` with the initial text `text` (at most 64 characters).
QLineEdit* makeField(QWidget* parent, const char* name, const char* text);

// Enabled fields show the window colour, disabled ones a muted colour.
void setFieldEnabled(QLineEdit* e, bool enabled);

// A port: the number syntax of the device's replies, 0 to 65535 (a larger
// value is no port and would leave the device unreachable).
std::optional<int32_t> parsePort(const QString& text);

}  // namespace zelvan::lanfields
