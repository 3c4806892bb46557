// Tstatus: the store progress window ("Please Wait .....") shown while the
// device stores a logo or a frame. The one-second tick advances its gauge;
// the logo feature sets the gauge maximum, shows it when a store starts and
// closes it when the store ends. A close before the gauge is full is turned
// into a quick run-out: the gauge fills in steps of 2 every millisecond and
// the window closes when it is full, unless the operator aborted.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QProgressBar;
class QPushButton;
class QTimer;
class TZelvan_d;

class Tstatus : public QWidget {
  Q_OBJECT

 public:
  // `link`: where Abort sends LABORTM / LABORTP (not owned, may be set later).
  explicit Tstatus(TZelvan_d* link = nullptr, QWidget* parent = nullptr);

  void setLink(TZelvan_d* link) { link_ = link; }
  // The window is placed 252 px right of and 413 px below this window's
  // top-left corner each time it is shown.
  void setAnchor(QWidget* w) { anchor_ = w; }
  // StoreAborted lives in the main window: read and set through these.
  std::function<bool()> isStoreAborted;
  std::function<void()> setStoreAborted;

  // Gauge (its progress may run past the maximum; the bar shows at most full).
  int64_t maxValue() const { return max_; }
  void setMaxValue(int64_t m);
  int64_t progress() const { return progress_; }
  void setProgress(int64_t p);
  void addProgress(int64_t n) { setProgress(progress_ + n); }
  // Progress in percent of the maximum (100 when the maximum is 0 or less).
  int64_t percent() const;

  // The Abort button: LABORTP 1 while LSTOREP is set, else LABORTM 1; then StoreAborted.
  void BitBtn1Click();
  // One step of the run-out timer.
  void runOutTick();
  bool runOutActive() const;
  // Run-out period in milliseconds (1 by default).
  void setRunOutInterval(int ms);

  QProgressBar* Gauge_store = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void updateBar();

  TZelvan_d* link_ = nullptr;
  QWidget* anchor_ = nullptr;
  QTimer* runOut_ = nullptr;
  int64_t max_ = 180;
  int64_t progress_ = 0;
  bool closingFromRunOut_ = false;
};
