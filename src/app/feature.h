// TFeature: how a feature plugs into the main window.
//
// A feature (signal path panels, maintenance tools, and later logos and
// frames, effects, Matrix windows, soft-edge) is one object that the main
// window creates and initialises in a fixed order:
//   build()        create its controls in the shell's pages and windows
//   addRoutes()    add its routines to the report router (report_router.h)
//   addTickSteps() add its steps to the one-second tick (TTickSchedule)
// and then tells about the shell's moments: start-up, labels, the model
// layout, the operating mode, the page control and shutdown. Every feature
// hears every moment; one that has nothing to do keeps the empty default.
// Features reach each other through typed accessors of the main window
// (TZelvan_main::feature<T>()), never by looking controls up by name.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;
class TZelvan_main;

namespace zelvan::app {

class TReportRouter;

// The steps of the one-second tick, in the order they run.
enum class TickStep : int {
  NoDevice = 1,          // no device identified: busy link, About picture cycle, label blink
  Freeze = 2,            // freeze buttons blink
  StoreProgress = 3,     // store progress, once per storing output
  LogoStatus = 4,        // logo status blinkers
  Inputs = 5,            // Matrix rows, last pending Main input, input buttons (5 to 7)
  Take = 8,              // TAKE blinks while an effect runs
  PipSwitches = 9,       // PIP switch buttons during a PIP take
  NoSignal = 10,         // no-signal texts count down
  UpdateNotice = 11,     // the update notice counts down
  EffectAnimation = 12,  // effect animation requests
  EmbeddedTake = 13,     // embedded soft-edge TAKE frame
  TransparencySlider = 14,  // the Main logo transparency slider follows the pointer
};

class TTickSchedule {
 public:
  void add(TickStep step, const QString& name, std::function<void()> run);
  void run() const;
  // Step names in the order they run.
  QStringList names() const;

 private:
  struct Step {
    TickStep step;
    QString name;
    std::function<void()> run;
  };
  std::vector<Step> steps_;
};

// The operating mode the device reports (MTRXMOD, EDSEB).
enum class OperatingMode { Mixer, Matrix, EmbeddedSoftEdge };

class TFeature {
 public:
  virtual ~TFeature() = default;
  virtual QString featureName() const = 0;

  // ---- initialisation, in this order ----
  virtual void build(TZelvan_main& shell) = 0;
  virtual void addRoutes(TReportRouter& router) = 0;
  virtual void addTickSteps(TTickSchedule& tick) { (void)tick; }

  // ---- moments of the shell ----
  // DEMARRAGE_SOFT, after the customization file and the memory lists.
  virtual void startUp() {}
  // The input, audio and output labels changed (carried to their places).
  virtual void labelsChanged() {}
  // Memory label 1..14 changed.
  virtual void memoryLabelChanged(int index) { (void)index; }
  // The effect memories were loaded or reset.
  virtual void effectMemoriesTakenOver() {}
  // The model layout was applied; `refreshMemories` is false the one time a
  // test-pattern change asked to skip the refresh of selectable memories.
  virtual void modelLayoutApplied(int modelIndex, bool refreshMemories) { (void)modelIndex, (void)refreshMemories; }
  // After the model layout: the embedded soft-edge mode handler runs.
  virtual void modelLayoutDone() {}
  // The operating mode the device reports changed.
  virtual void modeChanged(OperatingMode mode) { (void)mode; }
  // The main page control changed page.
  virtual void pageChanged(QWidget* activePage) { (void)activePage; }
  // The main window closes (before the customization is saved).
  virtual void shuttingDown() {}
};

}  // namespace zelvan::app
