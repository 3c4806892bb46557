// What the signal panels need from the main window and from the windows
// that later features add (Matrix window, Matrix settings window, logo
// panels, effect keys). The main window implements TSignalHost; every hook
// has a harmless default so the panels work before those features exist.
//
// Outputs are numbered 1 (Main, output 1) and 2 (Preview, output 2).
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <cstdint>

class QAbstractButton;
class QTableWidget;

class TSignalHost {
 public:
  virtual ~TSignalHost() = default;

  // ---- Model table and memories (main window) ----
  // Model index of a DEV value (position in 0, 27, 29, 31, 36, 37, 38, 39),
  // -1 when the value is not a known model.
  virtual int modelIndex(uint32_t dev) const;
  // MemoryLabels: the operator's name of device memory 0..14.
  virtual QString memoryLabel(int memoryIndex) const;
  // MemoryEmpty: whether device memory 1..14 is empty.
  virtual bool memoryEmpty(int memoryIndex) const { return (void)memoryIndex, false; }

  // ---- Matrix window controls (nullptr while that window does not exist) ----
  // Input button `input` (0 = Black, 1..8) of row 1 (output 1, label_input0..8)
  // or row 2 (output 2, label_input_ichnp_0..8).
  virtual QAbstractButton* matrixInputButton(int row, int input) const { return (void)row, (void)input, nullptr; }
  // Row-two display button of input 1..8 (BitBtn_Input_ichp_n).
  virtual QAbstractButton* matrixDisplayButton(int input) const { return (void)input, nullptr; }
  virtual QAbstractButton* matrixTakeButton() const { return nullptr; }
  // Freeze button of output 1 or 2.
  virtual QAbstractButton* matrixFreezeButton(int output) const { return (void)output, nullptr; }
  // StringGrid2 (output 2 status grid, 3 x 16). When nullptr the panels keep
  // a grid of their own (TSignalPanels::StringGrid2()).
  virtual QTableWidget* matrixStatusGrid() const { return nullptr; }
  // The Matrix window rebuilds the hints of its output 2 buttons (hinthinthint).
  virtual void matrixHintsChanged() {}

  // ---- Memory lists of the input strip (logo keying) ----
  // Text of the frame list (kind 0, FRAME_Combologo<n>), first logo list
  // (kind 1, LINDEX1_Combologo<n>) or second logo list (kind 2,
  // LINDEX2_Combologo<n>) of input 1..8, and setting its hint.
  virtual QString memoryListText(int kind, int input) const { return (void)kind, (void)input, QString(); }
  virtual void setMemoryListHint(int kind, int input, const QString& hint) { (void)kind, (void)input, (void)hint; }

  // ---- Main window and later features ----
  // Pops up PopupMenu_Rename for input 1..8 at a screen position.
  virtual void popupRenameMenu(int input, const QPoint& globalPos) { (void)input, (void)globalPos; }
  // The input labels refresh (rename) that follows a change of the Main input.
  virtual void refreshInputLabels() {}
  // Logo framing and logo indicators of an output after its input changed.
  virtual void refreshLogoIndicators(int output) { (void)output; }
  // Logo tab of an output (new_logos_Main / new_logos_preview and the
  // Matrix settings window's logo tab) usable or not; when not usable the
  // notice BitBtn_Notwhenback_main / _preview is shown.
  virtual void setLogoTabAvailable(int output, bool available) { (void)output, (void)available; }
  // The Matrix settings window's seamless-mode cover of an output.
  virtual void setSettingsNotAvailable(int output, bool covered) { (void)output, (void)covered; }
  // Logo format rows 11 and 12 of an output's status grid.
  virtual void refreshLogoFormatRows(int output) { (void)output; }
  // Restarts the six-tick countdown of the no-signal warnings.
  virtual void restartNoSignalCountdown() {}
  // Applies the model layout again (save LastAppliedModel, clear it, set the
  // skip-once flag, apply the saved model).
  virtual void reapplyModelLayout() {}
  // The embedded soft-edge window's "Covering pattern" button.
  virtual void setCoveringPatternPressed(bool pressed) { (void)pressed; }
  // Lets the logo framing windows of an output repaint after an aspect change.
  virtual void refreshLogoFraming(int output) { (void)output; }
  // Label_Wait_storing_setting shown or hidden.
  virtual void setStoringLabelVisible(bool visible) { (void)visible; }
  // Enables the one-second tick Timer1.
  virtual void enableTick() {}
  // The fade colour of an output changed: the settings window's samples follow.
  virtual void fadeColourChanged(int output, const QColor& colour) { (void)output, (void)colour; }
  // LFADEP reported: the settings window's output 2 transition buttons follow.
  virtual void output2TransitionReported(uint32_t code) { (void)code; }
  // Duration preset: store `tenths` in the selected effect key's slot and
  // move ScrollBar_duree there (the panel sends EFFDUR itself).
  virtual void storeEffectDuration(int tenths) { (void)tenths; }
};
