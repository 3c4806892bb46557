// Input rows (0 to 5) of a status grid: what the device measured of the
// signal of the input on one output. Main writes StringGrid1, Preview the
// Matrix window's StringGrid2; the two are twins that differ only in the
// registers they read.
#pragma once

#include <QObject>
#include <QString>

#include "device/twins.h"
#include "panel/signal/signal_context.h"

namespace zelvan::signal {

class TSignalStatus : public QObject {
  Q_OBJECT

 public:
  TSignalStatus(TSignalContext& ctx, int output, QObject* parent);

  int output() const { return output_; }

  // signal_M / signal_P: presence, range, sync kind, polarities, interlace.
  void signal();
  // freq_ligne_trame_M / _P: line and frame frequency texts.
  void freq_ligne_trame();
  // affichage_sync_M / _P: signal type row, sync row and family row.
  void affichage_sync();

  // Report handlers (the Main names; the Preview ones run the twin).
  void Zelvan_d1IPSIGchange() { signal(); }
  void Zelvan_d1IOORchange() { signal(); }
  void Zelvan_d1IFAMchange() { signal(); }
  void Zelvan_d1ISYNCchange() { signal(); }
  void Zelvan_d1IHPOLchange() { signal(); }
  void Zelvan_d1IVPOLchange() { signal(); }
  void Zelvan_d1IINTchange() {
    signal();
    freq_ligne_trame();
  }
  void Zelvan_d1ILDchange() { freq_ligne_trame(); }
  void Zelvan_d1IFDchange() { freq_ligne_trame(); }

  // Whether a signal is present and in range (IPSIG set, IOOR not 1).
  bool signalValid() const;

  // The texts kept between updates.
  QString lineText() const { return lineText_; }
  QString frameText() const { return frameText_; }
  QString syncText() const { return syncText_; }
  QString hPolText() const { return hPol_; }
  QString vPolText() const { return vPol_; }
  bool frequenciesShown() const { return freqShown_; }

  // The input on this output (ICHM or ICHP) and its signal type code.
  uint32_t input() const;
  int64_t signalType() const;

 private:
  // The reported value of a register.
  uint32_t value(int index) const;

  TSignalContext& ctx_;
  int output_;
  const OutputRegs& regs_;  // this output's registers
  QString lineText_ = QStringLiteral("68 Khz");
  QString frameText_ = QStringLiteral("85 hz");
  QString syncText_ = QStringLiteral("H&V");
  QString hPol_ = QStringLiteral("H+");
  QString vPol_ = QStringLiteral("V+");
  bool freqShown_ = false;
};

}  // namespace zelvan::signal
