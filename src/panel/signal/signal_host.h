// What the signal panels need from outside the signal path.
//
// TSignalHost is the main window's side: the model table, the operator's
// memory names, the memory lists of the input strip and a few controls of
// the shell. Every member is pure: whoever builds the panels answers all of
// them.
//
// The peers are the features that sit beside the signal path (Matrix
// window, Matrix settings window, logo keying, effect keys, soft-edge
// window). Each is a typed interface the panels hold a pointer to in their
// context (TSignalPeers); a null pointer means the feature is not part of
// this build, and every call site says so with its own check.
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

  // Model index of a DEV value (position in 0, 27, 29, 31, 36, 37, 38, 39),
  // -1 when the value is not a known model.
  virtual int modelIndex(uint32_t dev) const = 0;
  // MemoryLabels: the operator's name of device memory 0..14.
  virtual QString memoryLabel(int memoryIndex) const = 0;
  // MemoryEmpty: whether device memory 1..14 is empty.
  virtual bool memoryEmpty(int memoryIndex) const = 0;
  // Text of the frame list (kind 0, FRAME_Combologo<n>), first logo list
  // (kind 1, LINDEX1_Combologo<n>) or second logo list (kind 2,
  // LINDEX2_Combologo<n>) of input 1..8, and setting its hint.
  virtual QString memoryListText(int kind, int input) const = 0;
  virtual void setMemoryListHint(int kind, int input, const QString& hint) = 0;
  // Pops up PopupMenu_Rename for input 1..8 at a screen position.
  virtual void popupRenameMenu(int input, const QPoint& globalPos) = 0;
  // The input labels refresh (rename) that follows a change of the Main input.
  virtual void refreshInputLabels() = 0;
  // Restarts the six-tick countdown of the no-signal warnings.
  virtual void restartNoSignalCountdown() = 0;
  // Applies the model layout again (save LastAppliedModel, clear it, set the
  // skip-once flag, apply the saved model).
  virtual void reapplyModelLayout() = 0;
  // Label_Wait_storing_setting shown or hidden.
  virtual void setStoringLabelVisible(bool visible) = 0;
  // Enables the one-second tick Timer1.
  virtual void enableTick() = 0;
};

namespace zelvan::signal {

// The Matrix window's controls the signal panels drive.
class TMatrixControls {
 public:
  virtual ~TMatrixControls() = default;
  // Input button `input` (0 = Black, 1..8) of row 1 (output 1, label_input0..8)
  // or row 2 (output 2, label_input_ichnp_0..8).
  virtual QAbstractButton* inputButton(int row, int input) const = 0;
  // Row-two display button of input 1..8 (BitBtn_Input_ichp_n).
  virtual QAbstractButton* displayButton(int input) const = 0;
  virtual QAbstractButton* takeButton() const = 0;
  // Freeze button of output 1 or 2.
  virtual QAbstractButton* freezeButton(int output) const = 0;
  // StringGrid2 (output 2 status grid, 3 x 16).
  virtual QTableWidget* statusGrid() const = 0;
  // The Matrix window rebuilds the hints of its output 2 buttons (hinthinthint).
  virtual void hintsChanged() = 0;
};

// Logo keying, as the input row, the output and the image panels call it.
class TKeyingPeer {
 public:
  virtual ~TKeyingPeer() = default;
  // Logo framing and logo indicators of an output after its input changed.
  virtual void refreshLogoIndicators(int output) = 0;
  // Logo tab of an output (new_logos_Main / new_logos_preview and the
  // Matrix settings window's logo tab) usable or not; when not usable the
  // notice BitBtn_Notwhenback_main / _preview is shown.
  virtual void setLogoTabAvailable(int output, bool available) = 0;
  // Logo format rows 11 and 12 of an output's status grid.
  virtual void refreshLogoFormatRows(int output) = 0;
  // Lets the logo framing windows of an output repaint after an aspect change.
  virtual void refreshLogoFraming(int output) = 0;
};

// The Matrix settings window, as the output, image and transition panels call it.
class TSettingsPeer {
 public:
  virtual ~TSettingsPeer() = default;
  // The seamless-mode cover of an output.
  virtual void setSettingsNotAvailable(int output, bool covered) = 0;
  // The fade colour of an output changed: the window's samples follow.
  virtual void fadeColourChanged(int output, const QColor& colour) = 0;
  // LFADEP reported: the output 2 transition buttons follow.
  virtual void output2TransitionReported(uint32_t code) = 0;
};

// Effect keys and effect memory.
class TEffectsPeer {
 public:
  virtual ~TEffectsPeer() = default;
  // Duration preset: store `tenths` in the selected effect key's slot and
  // move ScrollBar_duree there (the panel sends EFFDUR itself).
  virtual void storeEffectDuration(int tenths) = 0;
};

// The embedded soft-edge window.
class TSoftEdgePeer {
 public:
  virtual ~TSoftEdgePeer() = default;
  // Its "Covering pattern" button.
  virtual void setCoveringPatternPressed(bool pressed) = 0;
};

struct TSignalPeers {
  TMatrixControls* matrix = nullptr;
  TKeyingPeer* keying = nullptr;
  TSettingsPeer* settings = nullptr;
  TEffectsPeer* effects = nullptr;
  TSoftEdgePeer* softEdge = nullptr;
};

}  // namespace zelvan::signal
