// State shared by the signal panels: the device link, the host, the input
// settings table the per-channel reports fill, the value conversion of the
// picture adjustments, the two status grids, and the panels themselves so
// that one panel can run another's routine where a report asks for it.
#pragma once

#include <QIcon>
#include <QStyle>
#include <array>
#include <map>
#include <cstdint>

#include "panel/signal/signal_host.h"

class QTableWidget;
class TConversion;
class QAbstractButton;
class TZelvan_d;

namespace zelvan::signal {

class TInputRow;
class TInputTable;
class TTallyPanel;
class TSignalStatus;
class TOutputPanel;
class TImagePanel;
class TTransitionPanel;
class TAudioPanel;

// The main window's own copy of the per-channel values, index 0..8 (entry 0
// holds a value the device reported for all inputs, PCHAN 0).
struct TInputSettings {
  std::array<bool, 9> used{};
  std::array<bool, 9> syncLoad{};
  std::array<int64_t, 9> signalType{};
  std::array<int64_t, 9> standard{};
  std::array<bool, 9> vcr{};
  std::array<bool, 9> synchronized{};
  std::array<bool, 9> extend{};
  std::array<bool, 9> displayMain{};
  std::array<bool, 9> displayPreview{};
  std::array<int64_t, 9> audioLevel{};
  std::array<int64_t, 9> audioBalance{};
};

struct TSignalContext {
  TZelvan_d* link = nullptr;
  TSignalHost* host = nullptr;
  // The features beside the signal path; null while one is absent.
  TSignalPeers peers;
  TConversion* Conversion1 = nullptr;
  TInputSettings table;
  QTableWidget* StringGrid1 = nullptr;
  QTableWidget* ownGrid2 = nullptr;  // used while the host has no StringGrid2

  TInputRow* inputRow = nullptr;
  TInputTable* inputTable = nullptr;
  TTallyPanel* tally = nullptr;
  TSignalStatus* statusM = nullptr;
  TSignalStatus* statusP = nullptr;
  TOutputPanel* outputPanel = nullptr;
  TImagePanel* imageM = nullptr;
  TImagePanel* imageP = nullptr;
  TTransitionPanel* transition = nullptr;
  TAudioPanel* audio = nullptr;

  // A Matrix window input button (row 1 or 2, input 0..8) or its TAKE
  // button; nullptr without a Matrix window.
  QAbstractButton* matrixInput(int row, int input) const {
    return peers.matrix ? peers.matrix->inputButton(row, input) : nullptr;
  }
  QAbstractButton* matrixTake() const { return peers.matrix ? peers.matrix->takeButton() : nullptr; }
  // Its row-two display button of input 1..8, and the freeze button of output 1 or 2.
  QAbstractButton* matrixDisplay(int input) const { return peers.matrix ? peers.matrix->displayButton(input) : nullptr; }
  QAbstractButton* matrixFreeze(int output) const { return peers.matrix ? peers.matrix->freezeButton(output) : nullptr; }

  // The status grid of an output (1: StringGrid1, 2: StringGrid2).
  QTableWidget* grid(int output) const;
  // The reported processing channel 0..8; -1 for a value above 8 (which
  // the register ranges refuse).
  int pchan() const;

  // Status of an output after its input or signal type changed: the full
  // status (signal_M / signal_P) when a signal is present and in range,
  // else only the picture-control layout.
  void refreshStatus(int output) const;
  // The not-available panels of both outputs (afichoupalmenimag).
  void afichoupalmenimag() const;
  // The sync line of an output (affichage_sync_M / affichage_sync_P).
  void affichage_sync(int output) const;

  // A picture of the application style. The style decodes it from an image
  // file on every request, far too slow for report handlers: each one is
  // fetched once and kept here.
  const QIcon& stylePicture(QStyle::StandardPixmap which);
  std::map<int, QIcon> stylePictures;
};

}  // namespace zelvan::signal
