// The application's windows: created once, in a fixed order, hidden until
// shown, and destroyed in the reverse order when the application ends (the
// windows that point at the main window's device link go first).
#pragma once

#include <memory>
#include <vector>

#include "app/tzelvan_main.h"

class QWidget;

class TZelvanApplication {
 public:
  // Creates the fifteen windows; start() runs the start-up sequence.
  TZelvanApplication();
  ~TZelvanApplication();
  TZelvanApplication(const TZelvanApplication&) = delete;
  TZelvanApplication& operator=(const TZelvanApplication&) = delete;

  // The main window's start-up sequence (DEMARRAGE_SOFT), then the main window is shown.
  void start(bool showMainWindow = true);

  TZelvan_main* main() const { return main_; }
  const TZelvan_main::Windows& windows() const { return main_->windows(); }
  // Every window in creation order.
  const std::vector<QWidget*>& all() const { return order_; }

 private:
  TZelvan_main* main_ = nullptr;
  std::vector<QWidget*> order_;
};
