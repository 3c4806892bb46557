// TReportRouter: the one handler of every device link event.
//
// The main window installs the router on its link once; from then on the
// router is the only code assigned to the link's On... events. Each feature
// adds its routines for an event at a named position, and the router runs
// them in position order (routines at the same position in the order they
// were added). A routine's place therefore never depends on which feature
// happened to be wired first, and no feature can drop another's routine by
// assigning an event.
//
// Events are numbered: a register's change event is its register index
// (Reg::ICHM ...); the link's other events follow (LinkEvent). OnRecString
// is not routed: it is the debug console's own handler of every received
// line, which the console installs and removes itself.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "device/catalogue.h"

class TZelvan_d;

namespace zelvan::app {

// The link's events that are not the change event of a register.
enum class LinkEvent : int {
  Connected = kRegisterCount,
  Ready,
  SentString,
  ConTypechange,
  IpLocalPortchange,
  IpRemotePortchange,
  IpRemoteAddresschange,
  VarNroLigneMiniConfigOfFile,
  RS232busy,
  LOCAL_IPchange,
  REMOTE_IPchange,
  GATEWAY_IPchange,
  LOCAL_PORTchange,
  REMOTE_PORTchange,
  NETMASKchange,
  PEDGC_Zelvan_change,
  PEDGC_Softedge_change,
  End
};
constexpr int kLinkEventCount = static_cast<int>(LinkEvent::End);
constexpr int eventId(LinkEvent e) { return static_cast<int>(e); }

// Where a routine runs within an event's handler; lower positions first.
// The gaps leave room for positions between two features.
enum class RoutePos : int {
  Shell = 100,      // the main window's own handling (identity, connection, menus)
  Signal = 300,     // signal path panels: inputs, status, output, image, transitions, audio
  Keying = 400,     // logo and frame memories, keying and framing
  Effects = 500,    // effect keys, effect memory, Effects page, animation
  Matrix = 600,     // Matrix window and Matrix settings window
  SoftEdge = 700,   // soft-edge editor and embedded soft-edge mode
  Tools = 800,      // About window, LAN dialogs, debug console
};

class TReportRouter {
 public:
  using Routine = std::function<void()>;

  TReportRouter();

  // Adds a routine for a register's change event (or a LinkEvent id).
  // `name` says what runs ("TInputRow::Zelvan_d1ICHMchange"); order tests
  // and the debug console read it.
  void add(int event, RoutePos pos, const QString& name, Routine run);
  void add(LinkEvent event, RoutePos pos, const QString& name, Routine run) {
    add(eventId(event), pos, name, std::move(run));
  }

  // Runs every routine of an event, in order. A routine added while
  // routines run is kept aside and takes its place once they are done.
  void run(int event);

  // Installs one handler on each of the link's events (every register's
  // change event, PEDGC through its two own events, and every LinkEvent).
  void install(TZelvan_d& link);
  // Clears every handler install() set (the link outlives its listeners).
  void uninstall(TZelvan_d& link);

  // The names of an event's routines in the order they run.
  QStringList routineNames(int event) const;
  QStringList routineNames(LinkEvent e) const { return routineNames(eventId(e)); }
  // The positions of an event's routines in the order they run.
  std::vector<RoutePos> routinePositions(int event) const;
  // Events with at least one routine, in event order.
  std::vector<int> routedEvents() const;
  // Name of an event: "ICHM", "Connected", "PEDGC_Zelvan_change".
  static QString eventName(int event);

 private:
  struct Entry {
    RoutePos pos;
    QString name;
    Routine run;
  };
  void insert(int event, Entry e);

  std::array<std::vector<Entry>, kLinkEventCount> table_;
  int running_ = 0;
  std::vector<std::pair<int, Entry>> pending_;
};

}  // namespace zelvan::app
