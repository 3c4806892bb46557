// The input row of the main window (Panel_ichmp): the nine input buttons
// label_input0 ("Black") to label_input8, the logo display buttons
// BitBtn_Input_1..8 in the strip new_Panel1, and the two PIP switch buttons
// with their 5-second release timer. It shows which input the device has on
// Main, on Preview and pending, by colour, bold face, pressed state and the
// one-second blink, and sends the operator's input choice.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>

#include "panel/signal/signal_context.h"

class QAbstractButton;
class QFrame;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

namespace zelvan::signal {

class TInputRow : public QObject {
  Q_OBJECT

 public:
  // Creates the controls in Panel_ichmp; the PIP switch buttons go into
  // `switchArea` (Panel_ichmp when nullptr).
  TInputRow(TSignalContext& ctx, QWidget* Panel_ichmp, QWidget* switchArea);

  // ---- Controls ----
  QPushButton* inputButton(int n) const { return inputs_[static_cast<size_t>(n)]; }  // 0..8
  QPushButton* displayButton(int n) const { return displays_[static_cast<size_t>(n - 1)]; }  // 1..8
  // The memory strip (display buttons BitBtn_Input_1..8 and the memory
  // lists); it moves to the Matrix and soft-edge windows as a whole.
  QFrame* new_Panel1() const { return strip_; }
  // The row of the nine input buttons (Panel_input_buttons).
  QWidget* inputButtonRow() const { return buttonRow_; }
  QToolButton* SpeedButton_pippop_main() const { return pipMain_; }
  QToolButton* SpeedButton_pippop_preview() const { return pipPreview_; }
  QTimer* pipSwitchTimer() const { return pipTimer_; }
  // 5000 ms in production; tests shorten it.
  void setPipSwitchInterval(int ms);
  // The PiP switch timer starts its 5000 ms afresh (a switch button was clicked).
  void restartPipSwitchTimer();

  // ---- Operator handlers ----
  void label_Switcher_inputClick(int n);
  void label_input1MouseUp(int n, Qt::MouseButton button, const QPoint& globalPos);
  void label_input1MouseMove(int n);
  void BitBtn_InputClick(int n);
  void BitBtn_Input_output2_Click(int n);

  // ---- Report handlers ----
  void Zelvan_d1ICHMchange();   // Main input reported (also run after every input click)
  void Zelvan_d1ICHPchange();   // Preview input reported
  void Zelvan_d1ICHNPchange();  // pending Preview input reported

  // ---- Shared routines ----
  void label_input_0a8_font_Style_empty();
  void Label_input_0a8_font_Color_clWindowText();
  void CASE_Zelvan_d1_ICHM_of_0_8_Label_input_0_8_Font_Style__fsBold__Color_COLOR_BTN_MAIN();
  void hinthinthint_ichm();
  // The caption (operator label) of input button n (0..8).
  QString inputCaption(int n) const;
  // A PIP effect is on air: EFFECT is Title, Shadow Title, PiP, PiP Fade or
  // Double PiP and TAKE is set.
  bool pipOnAir() const;

  // ---- One-second tick ----
  // Matrix window blink (run only while MTRXMOD or EDSEB is set).
  void cligno_matrix_output1_et_output2();
  // Remembers ICHNM as the last pending Main input when it differs from ICHM.
  void remember_pending_main();
  // Pending / Preview blink of the main row.
  void cligno_inputs();
  // The three steps above in the tick's order.
  void tick();
  // Blink of the PIP switch buttons while a PIP effect is on air.
  void cligno_pippop();

  int lastPendingMain() const { return lastPendingMain_; }
  int lastPendingPreview() const { return lastPendingPreview_; }
  QString hintSuffix() const { return suffix_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void releasePipSwitches();
  QAbstractButton* matrixButton(int row, int n) const;
  void flipBoldPreview(QWidget* w);

  TSignalContext& ctx_;
  std::array<QPushButton*, 9> inputs_{};
  std::array<QPushButton*, 8> displays_{};
  QWidget* buttonRow_ = nullptr;
  QFrame* strip_ = nullptr;
  QToolButton* pipMain_ = nullptr;
  QToolButton* pipPreview_ = nullptr;
  QTimer* pipTimer_ = nullptr;
  int lastPendingMain_ = 0;
  int lastPendingPreview_ = 0;
  QString suffix_;
};

}  // namespace zelvan::signal
