#include "panel/signal/adjust_triple.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "device/zelvan_d.h"
#include "widgets/tconversion.h"

namespace zelvan::signal {

TAdjustTriple::TAdjustTriple(TSignalContext& ctx, int reg, bool converted, int acceptMin, int acceptMax,
                             QObject* parent)
    : QObject(parent), ctx_(ctx), reg_(reg), converted_(converted), acceptMin_(acceptMin), acceptMax_(acceptMax) {
  send = [this](uint32_t v) { ctx_.link->SendRegister(reg_, v); };
}

void TAdjustTriple::addView(QScrollBar* bar, QLineEdit* field) {
  if (bar) {
    setDragMark(bar, 0);
    onScroll(bar, this, [this](QScrollBar* b, TScrollCode code, int pos) { Scroll(b, code, pos); });
    bars_.push_back(bar);
  }
  if (field) {
    connect(field, &QLineEdit::returnPressed, this, [this, field] { KeyPress(field, QLatin1Char('\r')); });
    fields_.push_back(field);
  }
}

void TAdjustTriple::Scroll(QScrollBar* bar, TScrollCode code, int pos) {
  send(static_cast<uint32_t>(std::max(pos, 0)));
  if (bar) setDragMark(bar, code == scEndScroll ? 0 : 1);
}

void TAdjustTriple::KeyPress(QLineEdit* field, QChar key) {
  if (key != QLatin1Char('\r') || !field) return;
  const auto v = readInteger(field->text());
  if (!v) {
    showNotAnInteger(field, field->text());
    return;
  }
  if (*v < acceptMin_ || *v > acceptMax_) {
    // Out of range: the device is asked to report the valid value again.
    send(ctx_.link->registerValue(reg_));
    return;
  }
  const int32_t typed = static_cast<int32_t>(*v);
  const int32_t value = converted_ && ctx_.Conversion1 ? ctx_.Conversion1->PositionAffichage(typed) : typed;
  send(static_cast<uint32_t>(std::max(value, 0)));
}

QString TAdjustTriple::fieldText(uint32_t value) const {
  if (converted_ && ctx_.Conversion1)
    return ctx_.Conversion1->PositionDriver(static_cast<int32_t>(std::min<uint32_t>(value, 0x7FFFFFFF)));
  return QString::number(value);
}

void TAdjustTriple::Changed() {
  const uint32_t v = ctx_.link->registerValue(reg_);
  const QString text = fieldText(v);
  for (QLineEdit* f : fields_)
    if (f->text() != text) f->setText(text);
  for (QScrollBar* b : bars_)
    if (dragMark(b) != 1) showOnBar(b, v);
}

}  // namespace zelvan::signal
