// The adjustment triple: a scroll bar, an edit field beside it and a device
// register. The bar sends at every scroll notification and keeps a
// dragging mark; the field sends on Enter (re-sending the last reported
// value when the typed one is outside the accepted range); a report updates
// every field of the register and every bar that is not being dragged.
// One triple may carry several views (the Brightness and Black level rows
// share BRGTM; the logo tabs carry second copies of position and size).
#pragma once

#include <QChar>
#include <QObject>
#include <functional>
#include <vector>

#include "panel/signal/signal_common.h"
#include "panel/signal/signal_context.h"

class QLineEdit;
class QScrollBar;

namespace zelvan::signal {

class TAdjustTriple : public QObject {
  Q_OBJECT

 public:
  // `converted`: the field shows and reads the display scale of
  // Conversion1; otherwise the register value as a decimal number.
  // The field accepts acceptMin..acceptMax.
  TAdjustTriple(TSignalContext& ctx, int reg, bool converted, int acceptMin, int acceptMax, QObject* parent);

  int reg() const { return reg_; }
  bool converted() const { return converted_; }

  // Adds a bar and/or a field (either may be nullptr) and connects them.
  void addView(QScrollBar* bar, QLineEdit* field);
  const std::vector<QScrollBar*>& bars() const { return bars_; }
  const std::vector<QLineEdit*>& fields() const { return fields_; }

  // ScrollBar_xxxScroll: bar moved.
  void Scroll(QScrollBar* bar, TScrollCode code, int pos);
  // Edit_xxxKeyPress: only Enter ('\r') acts.
  void KeyPress(QLineEdit* field, QChar key);
  // Zelvan_d1xxxchange: register reported.
  void Changed();

  // The field text of a register value.
  QString fieldText(uint32_t value) const;

  // Sends the register (the link's setter by default).
  std::function<void(uint32_t)> send;

 private:
  TSignalContext& ctx_;
  int reg_;
  bool converted_;
  int acceptMin_;
  int acceptMax_;
  std::vector<QScrollBar*> bars_;
  std::vector<QLineEdit*> fields_;
};

}  // namespace zelvan::signal
