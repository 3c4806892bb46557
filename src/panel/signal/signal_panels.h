// TSignalPanels: builds every signal-path panel of the main window (input
// row, Input tab, tally, status rows, Output tab, Image main / Image
// preview tabs, transitions and take, Audio tab) into the pages it is
// given, and tells the main window what to call when the device reports a
// register and on each tick of Timer1.
//
// What runs for each register the panels follow, in order (report(Reg::XXX)
// runs exactly this; the application's report router calls it at the
// signal panels' position of the register's handler):
//
//   ICHM        input row: Zelvan_d1ICHMchange (row, StringGrid1 row 1,
//               Main status or layout, not-available panels, Main sync
//               line, input labels, Main logo indicators)
//   ICHP        input row: Zelvan_d1ICHPchange
//   ICHNP       input row: Zelvan_d1ICHNPchange
//   PENA PLOAD PISTD PPROC PVISC LDISPLAYM LDISPLAYP ALEV
//               input table: store at PCHAN, Tableau_input
//   PEDGC       input table: Zelvan_d1PEDGC_Zelvan_change (wired to the
//               link's OnPEDGC_Zelvan_change, not OnPEDGCchange)
//   PRGBI       input table: store, Tableau_input, Main status, Preview
//               status, Main and Preview sync lines, not-available panels
//   ABAL        input table: store, Tableau_input; audio: next paced balance
//   TALLY1..3, TA1ON..3, EIPSIGP   tally panel
//   IPSIGM IOORM IFAMM ISYNCM IHPOLM IVPOLM   status M: signal_M
//   IINTM       status M: signal_M, freq_ligne_trame_M
//   ILDM IFDM   status M: freq_ligne_trame_M         (Preview twins: status P)
//   UNITy       status M: freq_ligne_trame_M, then status P: freq_ligne_trame_P
//   OFMTM/P     output: formatReported (a report always rebuilds the shortcut list)
//   REFREQM/P   output: select reference, Difference_entre_REFREQ_et_REFSTA,
//               Gestion_ComboBox_freq
//   REFSTAM/P   output: input_ref, not-available panels, format refresh,
//               logo format rows (host), Difference_entre_REFREQ_et_REFSTA
//   REFFAMM/P REFFRQM/P   output: input_ref
//   OSYNCM/P OPATM/P OSCREENM/P   output
//   HPOSM .. ZMVSZM and the Preview twins   image: the adjustment triple
//   IASPM/P OVERM/P PROCM/P STORE   image
//   TAKE        transition: PIP switch buttons enabled
//   TAKEEVA TBARAV TAKEAUTO LFADEM LFADEP IFRZM IFRZP   transition
//   BCFRED BCFGREEN BCFBLUE BCFREDP BCFGREENP BCFBLUEP  transition: fade samples
//   EFFON       transition: TBar_EFFONchange (the T-bar turns round at the
//               end of a transition); it runs first, the effect keys' EFFON
//               handling after it
//   ACHANM/P AMODEM/P AMASTM/P AMUTEM/P AAUXMM/P AMONOM/P   audio
//
// Timer1 (one-second tick) calls, at its steps:
//   step 2: tickFreeze()      step 5-7: tickInputs()
//   step 8: tickTake()        step 9:   tickPipSwitches()
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "device/catalogue.h"
#include "panel/signal/signal_blocks.h"
#include "panel/signal/signal_context.h"

class QMenu;
class QMenuBar;
class QTableWidget;
class QWidget;
class TConversion;
class TSignalHost;
class TZelvan_d;

namespace zelvan::signal {

// Where the panels go. Every page may be nullptr: the panel then lives in
// a hidden holder widget (handy for tests and for features not placed yet).
struct TSignalPages {
  QWidget* Panel_ichmp = nullptr;      // the main window's input row
  QWidget* controlArea = nullptr;      // TAKE, T-bar, freeze, PIP switch buttons
  QWidget* Input = nullptr;            // tab Input
  QWidget* Output = nullptr;           // tab Output
  QWidget* Image_Main = nullptr;       // tab Image main
  QWidget* Image_Preview = nullptr;    // tab Image preview
  QWidget* TabSheet_audio = nullptr;   // tab Audio
  QWidget* TabSheet_transition = nullptr;  // tab Transition
  QWidget* Effects = nullptr;          // tab Effects (duration presets)
  QWidget* output2Settings = nullptr;  // the Matrix settings window's OUTPUT tab
  QTableWidget* StringGrid1 = nullptr; // 3 x 16
  TSignalPeers peers;                  // the features beside the signal path
  QMenu* controlsMenu = nullptr;       // Controls menu
  QMenuBar* menuBar = nullptr;         // for "Transition output 2"
  TConversion* Conversion1 = nullptr;  // created (0..255 -> -128..127) when nullptr
};

class TSignalPanels : public QObject {
  Q_OBJECT

 public:
  TSignalPanels(TZelvan_d& link, TSignalHost& host, const TSignalPages& pages, QObject* parent = nullptr);
  ~TSignalPanels() override;

  TSignalContext& context() { return ctx_; }
  TInputRow* inputRow() const { return ctx_.inputRow; }
  TInputTable* inputTable() const { return ctx_.inputTable; }
  TTallyPanel* tally() const { return ctx_.tally; }
  TSignalStatus* status(int output) const { return output == 1 ? ctx_.statusM : ctx_.statusP; }
  TOutputPanel* output() const { return ctx_.outputPanel; }
  TImagePanel* image(int output) const { return output == 1 ? ctx_.imageM : ctx_.imageP; }
  TTransitionPanel* transition() const { return ctx_.transition; }
  TAudioPanel* audio() const { return ctx_.audio; }
  TConversion* Conversion1() const { return ctx_.Conversion1; }
  // StringGrid2 as the panels see it (the host's, or their own).
  QTableWidget* StringGrid2() const { return ctx_.grid(2); }
  // The blocks the operating modes move between windows, by name and as one
  // list (every block once).
  TSignalBlocks blocks() const;
  std::vector<QWidget*> movableBlocks() const;

  // ---- Reports ----
  // Runs every signal-panel routine for a reported register, in order.
  void report(int regIndex);
  // Registers the panels react to.
  std::vector<int> handledRegisters() const;
  // Each handled register's handler name and the routines it runs, one line
  // each ("Zelvan_d1ICHMchange: ..."), for whoever wires the main window.
  QStringList describeRoutes() const;
  // The routines report(reg) runs, joined ("TSignalStatus::signal_M, ...").
  QString routineName(int regIndex) const;
  // The link event a register's routines hang on: its change event, except
  // PEDGC whose panel routine follows the link's OnPEDGC_Zelvan_change.
  static bool usesOwnPedgcEvent(int regIndex) { return regIndex == Reg::PEDGC; }

  // ---- Timer1 steps ----
  void tickFreeze();        // clignotantfreeze_M / _P while IFRZM / IFRZP
  void tickInputs();        // matrix blink, last pending Main input, input blink
  void tickTake();          // TAKE button blink while EFFON
  void tickPipSwitches();   // PIP switch buttons while a PIP effect is on air
  // All of the above in the tick's order.
  void tick();

 private:
  struct Route {
    int reg;
    QString handler;
    QStringList calls;
    std::vector<std::function<void()>> run;
  };
  void buildRoutes();
  void add(int reg, const QString& handler, std::initializer_list<std::pair<QString, std::function<void()>>> calls);

  TSignalContext ctx_;
  std::vector<Route> routes_;
  std::vector<int> routeOf_;  // register index -> position in routes_, -1 when none
  std::unique_ptr<QWidget> holder_;
  std::unique_ptr<QTableWidget> ownGrid2_;
};

}  // namespace zelvan::signal
