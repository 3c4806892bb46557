// The configuration load progress window: a plain tool window, created
// hidden at start-up and reused for every load of a device state snapshot.
// While a load runs it holds the main window's progress bar
// RRLMDProgressFill; closing it abandons the rest of the file.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QProgressBar;

class TConfigProgress : public QWidget {
  Q_OBJECT

 public:
  explicit TConfigProgress(QWidget* parent = nullptr);

  // The progress handler (by the link's percentage): 0 shows the window at
  // the main window's top, 488 px right of its left edge, with `bar` moved
  // in; 100 closes it; anything else sets the bar.
  void showProgress(uint32_t percent, QWidget* mainWindow, QProgressBar* bar);

  // FinLoadconfig: run each time the window closes (at 100 % or by the operator).
  std::function<void()> FinLoadconfig;

 protected:
  void closeEvent(QCloseEvent* e) override;
};

// A progress bar drawn as a white-to-blue gradient on a lowered bevel with
// the percentage written in it.
QProgressBar* makeGradientProgressBar(QWidget* parent);
