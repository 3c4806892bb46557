// TZelvan_main: the main window and the shell of the application. It owns
// the device link Zelvan_d1, the report router that is the link's only
// event handler, the other windows (handed over by the program entry) and
// the features, and it keeps the frame of the main window: page control,
// status grid, connection indication and notices, menus.
//
// Where the rest lives:
//   tzelvan_main.cpp          construction of the window and its controls
//   tzelvan_main_startup.cpp  DEMARRAGE_SOFT, open, identity/connection/ready,
//                             operating-mode menu, page control, shutdown
//   model_layout.*            the model layout (visible_or_not_visible)
//   main_tick.*               the one-second tick Timer1 and its steps
//   main_files.*              customization files, Files menu, snapshots
//   memory_lists.*            the input label buttons and memory lists
//   shell_state.h             labels, file names, effect memories
//   report_router.*, feature.h  the seams features plug into
//   signal_feature.*, tools_feature.*  the features built so far
//
// A feature is a TFeature (feature.h): it builds its controls into pages()
// and windows(), adds its routines to router() at its named position, adds
// its tick steps, and hears the shell's moments. Features reach each other
// with feature<T>().
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

#include "app/feature.h"
#include "app/report_router.h"
#include "app/shell_state.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;
class QTabWidget;
class QTableWidget;
class TAbout_Graphic_install;
class TConfigProgress;
class TConversion;
class TForm_Embedded_Softedge;
class TForm_Settings_Matrix;
class TForm_debug;
class TIPConfigDlg;
class TMainMenus;
class TMatrix_Zelvan_main;
class TRs232LanDlg;
class TSerialPortMenu;
class TZelvan_d;
class Tstatus;

namespace zelvan::app {
class TConnectionIndication;
class TControlsMenu;
class TMainFiles;
class TMainTick;
class TMemoryLists;
class TModelLayout;
class TUpdateNotice;
}  // namespace zelvan::app

class TZelvan_main : public QMainWindow {
  Q_OBJECT

 public:
  // The other windows, created after the main window (program entry order).
  struct Windows {
    TAbout_Graphic_install* about = nullptr;
    TMatrix_Zelvan_main* matrix = nullptr;
    TForm_Settings_Matrix* settings = nullptr;
    Tstatus* status = nullptr;
    TRs232LanDlg* lanDialog = nullptr;
    TIPConfigDlg* ipConfigDialog = nullptr;
    QWidget* cadreMemoMain = nullptr;
    QWidget* cadreMemoPreview = nullptr;
    QWidget* cadre1M = nullptr;
    QWidget* cadre1P = nullptr;
    QWidget* cadre2M = nullptr;
    QWidget* cadre2P = nullptr;
    TForm_debug* debug = nullptr;
    TForm_Embedded_Softedge* softEdge = nullptr;
  };

  explicit TZelvan_main(QWidget* parent = nullptr);
  ~TZelvan_main() override;

  // Hands the other windows over; called once by the program entry before
  // DEMARRAGE_SOFT (a main window without them works, skipping their parts).
  void attachWindows(const Windows& w);
  const Windows& windows() const { return wins_; }

  // ---- the link, the router and the features ----
  TZelvan_d* link() const { return Zelvan_d1_; }
  zelvan::app::TReportRouter& router() { return router_; }
  zelvan::app::TTickSchedule& tickSchedule();
  // Builds a feature into the window, adds its routes and tick steps.
  void addFeature(std::unique_ptr<zelvan::app::TFeature> feature);
  const std::vector<std::unique_ptr<zelvan::app::TFeature>>& features() const { return features_; }
  template <class T>
  T* feature() const {
    for (const auto& f : features_)
      if (auto* t = dynamic_cast<T*>(f.get())) return t;
    return nullptr;
  }
  // Tells every feature about a moment of the shell.
  template <class Fn>
  void forEachFeature(Fn&& fn) const {
    for (const auto& f : features_) fn(*f);
  }

  // ---- the shell's parts ----
  zelvan::app::TShellState& state() { return state_; }
  const zelvan::app::TShellState& state() const { return state_; }
  zelvan::app::TModelLayout& modelLayout() { return *model_; }
  zelvan::app::TMainTick& tick() { return *tick_; }
  zelvan::app::TMainFiles& files() { return *files_; }
  zelvan::app::TMemoryLists& memoryLists() const { return *lists_; }
  TMainMenus* menus() const { return Menus_; }
  TSerialPortMenu* serialPorts() const { return SerialPorts_; }
  TConversion* conversion() const { return Conversion1_; }
  TConfigProgress* configProgress() const { return ConfigProgress_; }

  // ---- controls of the frame ----
  QTabWidget* PageControl1() const { return PageControl1_; }
  QTableWidget* StringGrid1() const { return StringGrid1_; }
  zelvan::app::TConnectionIndication& connectionIndication() const { return *indication_; }
  zelvan::app::TUpdateNotice& updateNotice() const { return *notice_; }
  QLabel* connection() const;
  QLabel* Image_connected() const;
  QLabel* Image_not_connected() const;
  QPushButton* BitBtn_initial_please() const;
  QFrame* Panel_updater() const;
  QLabel* Label_updater() const;
  QPushButton* Button_ok_updater() const;
  QLabel* Label_Wait_storing_setting() const { return Label_Wait_storing_setting_; }
  QProgressBar* RRLMDProgressFill() const { return RRLMDProgressFill_; }
  QFrame* Panel_ichmp() const { return Panel_ichmp_; }
  QFrame* Panel_controls() const { return Panel_controls_; }
  QShortcut* HotKey() const { return HotKey_; }

  // A tab page by object name ("Input", "Effects", "TabSheet_audio" ...).
  QWidget* page(const QString& name) const;

  // A control by object name in the main window or any attached window
  // (for tests and tools; features use typed accessors).
  template <class T>
  T* findControl(const QString& name) const {
    for (QObject* root : searchRoots())
      if (T* c = root->findChild<T*>(name)) return c;
    return nullptr;
  }
  QAction* findAction(const QString& name) const;

  // ---- start-up and shutdown ----
  void DEMARRAGE_SOFT();
  void open();
  // The model layout (model_layout.h) for a DEV value, and its forced re-application.
  void visible_or_not_visible(uint32_t dev);
  void reapplyModelLayout();
  void AboutOkrimLOGOClick();
  void Exit1Click();
  // The Ctrl+Insert key: shows the debug console while the pointer is over
  // the connection label.
  void dbg();
  // Window titles: prefix + two blanks + connection part + " - " + file.
  void setWindowTitles(const QString& connectionPart);
  QString connectionPart() const;

  // ---- operating mode menu, page control ----
  void Mixer1Click();
  void Matrix1Click();
  void EmbeddedSEClick();
  void Setting1Click();
  void PageControl1Changing();
  void PageControl1Change();

  // ---- what other parts of the shell ask ----
  void Timer1Timer();
  void enableTick();
  // The input labels, audio and output labels changed: every feature follows.
  void labelsChanged();
  void memoryLabelsChanged();
  void effectMemoriesTakenOver();
  void ensureSerialPorts();

 Q_SIGNALS:
  // The main window closed: the application ends.
  void mainWindowClosed();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void buildControls();
  void wireMenus();
  void addShellRoutes();
  QList<QObject*> searchRoots() const;
  void FormClose();
  // Report routines of the shell.
  void Zelvan_d1DEVchange();
  void Zelvan_d1Connected();
  void Zelvan_d1Ready();
  void Zelvan_d1VERVchange();

  TZelvan_d* Zelvan_d1_ = nullptr;
  zelvan::app::TReportRouter router_;
  zelvan::app::TShellState state_;
  std::vector<std::unique_ptr<zelvan::app::TFeature>> features_;
  std::unique_ptr<zelvan::app::TModelLayout> model_;
  std::unique_ptr<zelvan::app::TMainTick> tick_;
  std::unique_ptr<zelvan::app::TMainFiles> files_;
  std::unique_ptr<zelvan::app::TMemoryLists> lists_;
  std::unique_ptr<zelvan::app::TControlsMenu> controls_;
  Windows wins_;

  TMainMenus* Menus_ = nullptr;
  TSerialPortMenu* SerialPorts_ = nullptr;
  TConversion* Conversion1_ = nullptr;
  TConfigProgress* ConfigProgress_ = nullptr;
  QTabWidget* PageControl1_ = nullptr;
  QTableWidget* StringGrid1_ = nullptr;
  zelvan::app::TConnectionIndication* indication_ = nullptr;
  zelvan::app::TUpdateNotice* notice_ = nullptr;
  QLabel* Label_Wait_storing_setting_ = nullptr;
  QProgressBar* RRLMDProgressFill_ = nullptr;
  QFrame* Panel_ichmp_ = nullptr;
  QFrame* Panel_controls_ = nullptr;
  QShortcut* HotKey_ = nullptr;
  int previousPage_ = -1;
  bool closed_ = false;
};
