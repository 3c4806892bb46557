#include "tools/lan_fields.h"

#include <QLineEdit>
#include <QPalette>
#include <QStyle>

#include "device/numbers.h"

namespace zelvan::lanfields {

QLineEdit* makeField(QWidget* parent, const char* name, const char* text) {
  auto* e = new QLineEdit(QString::fromLatin1(text), parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setMaxLength(64);
  return e;
}

void setFieldEnabled(QLineEdit* e, bool enabled) {
  e->setEnabled(enabled);
  QPalette pal = e->palette();
  const QColor c = enabled ? e->style()->standardPalette().color(QPalette::Active, QPalette::Base)
                           : e->style()->standardPalette().color(QPalette::Disabled, QPalette::Window);
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) pal.setColor(group, QPalette::Base, c);
  e->setPalette(pal);
}

std::optional<int32_t> parsePort(const QString& text) {
  const auto v = zelvan::parseNumber(text.toStdString());
  if (!v || *v < 0 || *v > 65535) return std::nullopt;
  return static_cast<int32_t>(*v);
}

}  // namespace zelvan::lanfields
