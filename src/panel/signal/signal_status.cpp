#include "panel/signal/signal_status.h"

#include <QTableWidget>

#include "device/zelvan_d.h"
#include "panel/signal/image_panel.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"

namespace zelvan::signal {

TSignalStatus::TSignalStatus(TSignalContext& ctx, int output, QObject* parent)
    : QObject(parent), ctx_(ctx), output_(output), regs_(zelvan::regs(output)) {}

uint32_t TSignalStatus::value(int index) const { return ctx_.link->registerValue(index); }

uint32_t TSignalStatus::input() const { return value(regs_.ICH); }

int64_t TSignalStatus::signalType() const {
  const uint32_t in = input();
  return in <= 8 ? ctx_.table.signalType[in] : ctx_.table.signalType[0];
}

bool TSignalStatus::signalValid() const { return value(regs_.IPSIG) != 0 && value(regs_.IOOR) != 1; }

void TSignalStatus::signal() {
  QTableWidget* g = ctx_.grid(output_);
  setCell(g, 2, 0, familyLongName(value(regs_.IFAM)));
  if (value(regs_.IPSIG) == 0 || value(regs_.IOOR) != 0) {
    setCell(g, 3, 1, QString());
    setCell(g, 3, 2, QString());
    setCell(g, 4, 1, QString());
    setCell(g, 5, 1, QString());
    setCell(g, 5, 2, QString());
    syncText_.clear();
    freqShown_ = false;
  } else {
    setCell(g, 3, 2, QStringLiteral("i"));
    freqShown_ = true;
    setCell(g, 3, 1, lineText_);
    setCell(g, 4, 1, frameText_);
    setCell(g, 5, 2, hPol_ + QLatin1Char(' ') + vPol_);
    const uint32_t sync = value(regs_.ISYNC);
    if (sync == 0) {
      syncText_ = QStringLiteral("H & V");
      setCell(g, 5, 1, syncText_);
      hPol_ = value(regs_.IHPOL) ? QStringLiteral("H+") : QStringLiteral("H-");
      vPol_ = value(regs_.IVPOL) ? QStringLiteral("V+") : QStringLiteral("V-");
      setCell(g, 5, 2, hPol_ + QLatin1Char(' ') + vPol_);
    } else {
      syncText_ = sync == 1   ? QStringLiteral("TTL Composite")
                  : sync == 2 ? QStringLiteral("SOG")
                  : sync == 3 ? QStringLiteral("Analog Composite")
                              : QStringLiteral("! error sync..");
      setCell(g, 5, 1, syncText_);
      setCell(g, 5, 2, QStringLiteral(" "));
    }
    setCell(g, 3, 2, value(regs_.IINT) ? QStringLiteral("i") : QString());
  }
  if (TImagePanel* image = output_ == 1 ? ctx_.imageM : ctx_.imageP) image->layoutBySignal();
  affichage_sync();
}

void TSignalStatus::freq_ligne_trame() {
  QTableWidget* g = ctx_.grid(output_);
  // 64-bit arithmetic: UNITy x 10 does not always fit in 32 bits.
  const uint64_t unit10 = static_cast<uint64_t>(ctx_.link->UNITy()) * 10u;
  const uint32_t ld = value(regs_.ILD);
  const uint32_t fd = value(regs_.IFD);
  if (ld != 0) {
    lineText_ = QString::number(unit10 / ld) + QStringLiteral("KHz");
    if (freqShown_) setCell(g, 3, 1, lineText_);
    if (fd != 0) {
      const bool interlaced = value(regs_.IINT) != 0;
      const double d = interlaced ? fd + 0.525 : static_cast<double>(fd);
      const double f = (static_cast<double>(unit10) / ld) * 1000.0 / d;
      const int precision = interlaced ? 4 : (f >= 100.0 ? 3 : 2);
      frameText_ = formatGeneral(f, precision) + QStringLiteral("Hz");
      if (freqShown_) setCell(g, 4, 1, frameText_);
    }
  }
  affichage_sync();
}

void TSignalStatus::affichage_sync() {
  QTableWidget* g = ctx_.grid(output_);
  const int64_t t = signalType();
  setCell(g, 1, 0, signalTypeName(t));
  if (t > 6) {
    setCell(g, 5, 1, syncText_);
    setCell(g, 5, 2, hPol_ + QLatin1Char(' ') + vPol_);
  } else {
    setCell(g, 5, 1, QString());
    setCell(g, 5, 2, QString());
  }
  const uint64_t unit10 = static_cast<uint64_t>(ctx_.link->UNITy()) * 10u;
  const uint32_t ld = value(regs_.ILD);
  const uint32_t fd = value(regs_.IFD);
  if (ld != 0 && fd != 0 && t == 2 && ((unit10 / ld) * 1000u) / fd == 50)
    setCell(g, 2, 0, QString());
  else
    setCell(g, 2, 0, familyLongName(value(regs_.IFAM)));
}

}  // namespace zelvan::signal
