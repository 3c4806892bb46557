// What the logo and frame keying needs from outside itself.
//
// TKeyingHost is the main window's side: the model table, the operator's
// memory names and the MemoryEmpty table, the memory lists of both
// outputs, the texts elsewhere that name a frame, the logo pages and status
// grids, the store progress window and its flags, and the logo timing file.
// Every member is pure: whoever builds the keying panels answers all of
// them (the application's keying feature, or a test harness).
//
// Outputs are numbered 1 (Main) and 2 (Preview, output 2 in Matrix mode).
#pragma once

#include <QList>
#include <QString>
#include <cstdint>

class QAbstractButton;
class QAction;
class QTableWidget;
class QWidget;
class TSmallCombo;

namespace zelvan::keying {

class TLogoFramingWindow;

// The store progress window, as the store cycle drives it.
class TStoreProgress {
 public:
  virtual ~TStoreProgress() = default;
  virtual void setMaximum(int64_t max) = 0;
  virtual void setPosition(int64_t position) = 0;
  virtual void showProgress() = 0;
  // Asks the window to close: it first runs its gauge to the end unless
  // the operator aborted.
  virtual void closeProgress() = 0;
  virtual bool isShowing() const = 0;
};

// The framing windows of an output: which 1 (logo 1), 2 (logo 2) or 0
// (the capture window used while recording a logo).
enum class Framing { Capture = 0, Logo1 = 1, Logo2 = 2 };

class TKeyingHost {
 public:
  virtual ~TKeyingHost() = default;

  // ---- model and memories ----
  // Model index of a DEV value, -1 when the value is not a known model.
  virtual int modelIndex(uint32_t dev) const = 0;
  // ComboToMemoryIndex: the device memory at list position 0..14 of the
  // model's row (row 0 lists the frames 1, 2, 11..14 at positions 1..6);
  // modelIndex -1 reads the row of a model without frames 3 to 6.
  virtual int memoryAt(int modelIndex, int position) const = 0;
  // Whether the model offers frames 3 to 6 (false for -1).
  virtual bool modelHasExtraFrames(int modelIndex) const = 0;
  // MemoryLabels: the operator's name of device memory 0..14.
  virtual QString memoryLabel(int memoryIndex) const = 0;
  // MemoryEmpty, index 1..14: read by every memory list of the application,
  // written only by the LEMPTY report.
  virtual bool memoryEmpty(int memoryIndex) const = 0;
  virtual void setMemoryEmpty(int memoryIndex, bool empty) = 0;

  // ---- controls of other windows ----
  // Memory list `kind` (0 frame, 1 first logo, 2 second logo) of input
  // 1..8: FRAME_/LINDEX1_/LINDEX2_Combologo<n> of the main window for
  // output 1, the Matrix window's ..._Combologo_ichp_<n> for output 2.
  virtual TSmallCombo* memoryCombo(int output, int kind, int input) const = 0;
  // The transition radio buttons of frame k (1..6) of both outputs
  // (RadioButton_TranstionFrame<k>_M and _P) that exist.
  virtual QList<QAbstractButton*> transitionFrameButtons(int k) const = 0;
  // The effect background button of frame k (RadioButton_Frame<k>), or
  // nullptr while the effects page does not exist.
  virtual QAbstractButton* effectFrameButton(int k) const = 0;
  // The Input Sync-Loss menu item whose tag is `tag` (FRAMEALERT 0..15).
  virtual QAction* syncLossItem(int tag) const = 0;
  // The input buttons' hints are rebuilt (they name the keyed memories).
  virtual void refreshInputHints() = 0;
  // The model layout is applied again (forced, refreshing the memories).
  virtual void forceModelLayout() = 0;

  // ---- where the keying controls live ----
  // The logo page of an output: new_logos_Main / new_logos_preview.
  virtual QWidget* logoPage(int output) const = 0;
  // The strip of per-input controls: new_Panel1 of the main window
  // (output 1), new_Panel2 of the Matrix window (output 2).
  virtual QWidget* inputStrip(int output) const = 0;
  // StringGrid1 (output 1) and the Matrix window's StringGrid2 (output 2).
  virtual QTableWidget* statusGrid(int output) const = 0;
  // The main window (1) and the Matrix window (2): StaticText1's parents,
  // and the window the framing windows centre over (1).
  virtual QWidget* window(int output) const = 0;
  // A framing window of an output; nullptr when absent.
  virtual TLogoFramingWindow* framingWindow(int output, Framing which) const = 0;

  // ---- the store cycle ----
  virtual TStoreProgress* storeProgress() = 0;
  // StoreAborted, set by the progress window's Abort button.
  virtual bool storeAborted() const = 0;
  virtual void setStoreAborted(bool aborted) = 0;
  // StatusBlink, toggled by the one-second tick before the blinkers run.
  virtual bool statusBlink() const = 0;

  // ---- the logo timing file (Tempo, TempsDoublerEDSEBLMODE2) ----
  // Store estimate in seconds for a picture of pixels x lines; a missing
  // file is written anew with Tempo 240. `embeddedRecordFrame`: embedded
  // soft-edge mode is on and the output records a frame.
  virtual int64_t storeEstimate(uint32_t pixels, uint32_t lines, bool embeddedRecordFrame) = 0;
  // The progress maximum for an estimate (doubled measurement rules).
  virtual int64_t progressMaximum(int64_t estimate, bool embeddedRecordFrame, bool embeddedOn) = 0;
  // Saves a learned Tempo (only ever called with a positive value).
  virtual void saveTempo(int64_t tempo, bool embeddedRecordFrame) = 0;
};

}  // namespace zelvan::keying
