// TZelvan_main: the main window. It owns the device link Zelvan_d1 and
// handles its identity, connection, readiness, version and snapshot events;
// it runs the start-up sequence DEMARRAGE_SOFT, applies the model layout,
// reads and writes the customization file, drives the one-second tick
// Timer1 and the configuration load progress, and saves on close.
//
// The code is split by concern:
//   tzelvan_main.cpp          construction of the window, link and controls
//   tzelvan_main_startup.cpp  start-up, model layout, identity/connection/ready,
//                             version displays, page control, shutdown
//   tzelvan_main_files.cpp    customization file, Files menu, configuration files
//   tzelvan_main_tick.cpp     the one-second tick
//   main_menus.*              the menu bar and effect chooser (TMainMenus)
//   model_table.*, settings_files.*, customization_file.*, effect_*, recent_files.*
//
// Extending it: the tab pages are reached with page("Input") etc.; controls
// of other features are found by object name in any of the application's
// windows with findControl<T>("BitBtn_Take") (they may move between windows
// in Matrix and soft-edge modes); the places where later features plug in
// are the std::function members of `hooks` (main_hooks.h). Register event
// handlers are public methods named after the component and the event
// (Zelvan_d1DEVchange ...) so a feature can add its calls to them.
//
// Controls that the start-up sequence needs from other features
// (label_input1..8, the memory combos FRAME_Combologo1..8,
// LINDEX1_Combologo1..8, LINDEX2_Combologo1..8, ComboBox_lstore_main and
// ComboBox_lstore_preview) are taken by name if a feature created them before
// DEMARRAGE_SOFT runs; otherwise the main window creates them in their
// places (Panel_ichmp, new_Panel1, the logo pages).
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "app/customization_file.h"
#include "app/effect_memory.h"
#include "app/effect_names.h"
#include "app/main_hooks.h"
#include "app/model_table.h"
#include "app/settings_files.h"
#include "panel/signal/signal_host.h"

class QAbstractButton;
class QAction;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;
class QTabWidget;
class QTableWidget;
class QTimer;
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
class TSmallCombo;
class TZelvan_d;
class Tstatus;
namespace zelvan::signal {
class TSignalPanels;
}

class TZelvan_main : public QMainWindow, public TSignalHost {
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

  // ---- the device link, the signal-path panels and the hooks of later features ----
  TZelvan_d* Zelvan_d1 = nullptr;
  // Input row, Input tab, tally, status rows, Output, Image, transitions
  // and Audio. Their report routines run from the link's change events.
  zelvan::signal::TSignalPanels* Signal = nullptr;
  TMainHooks hooks;

  // ---- state (names as the system uses them) ----
  QString CustomizationFileName;
  QString LogoSettingsFileName;
  QList<QAbstractButton*> InputLabelList;
  std::array<QString, zelvan::app::kMemoryLabelCount> MemoryLabels;
  std::array<QString, zelvan::app::kAudioCount> AudioLabels;  // shown by Label_Audio_1..8
  std::array<QString, 2> OutputLabels;
  std::array<QString, 3> TitlePrefixes;  // Mixer, Matrix, soft-edge window
  uint32_t LastAppliedModel = 0;
  bool StoreAborted = false;
  bool PointerOverConnectionLabel = false;
  // Set by a test-pattern change: the next model layout skips the refresh
  // of the selectable memories once.
  bool SkipSelectableMemoriesOnce = false;
  zelvan::app::EffectKeyMemory EffectMemory;
  zelvan::app::TEffectNameTable EffectNameTable;
  zelvan::app::TEffectNameTable SoftEdgeEffectNameTable;
  // Page indices of Input, Output, Image_Main, Image_Preview,
  // new_logos_Main, new_logos_preview and Effects.
  std::array<int, 7> MainPageIndex{};
  // Visible flags of the 15 positions of the sixteen frame combos (main
  // window's 8, then the matrix window's 8) after the last model layout.
  std::array<std::array<bool, zelvan::app::kMemoryPositions>, 16> SavedFrameComboVisible{};
  // The path last chosen in the Open dialog.
  QString LastOpenedCustomization;
  // The application's own pictures of the effect animation strip.
  QList<QPixmap> ImageList_animation_effects;
  // The Effects page's size lock keeps its button here while it is down
  // (non-owning; emptied at start-up).
  QList<QPointer<QObject>> SizeLockObjects;

  // Tick state.
  bool StatusBlink = false;
  int64_t StoreElapsedSeconds = 0;
  int NoSignalCountdown = 0;
  int8_t UpdateNoticeCountdown = 40;
  int AboutPictureCursor = 5;

  // ---- controls ----
  TMainMenus* Menus = nullptr;
  TSerialPortMenu* SerialPorts = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  QLabel* connection = nullptr;
  QLabel* Image_connected = nullptr;
  QLabel* Image_not_connected = nullptr;
  QPushButton* BitBtn_initial_please = nullptr;
  QFrame* Panel_updater = nullptr;
  QLabel* Label_updater = nullptr;
  QPushButton* Button_ok_updater = nullptr;
  QLabel* Label_Wait_storing_setting = nullptr;
  QProgressBar* RRLMDProgressFill = nullptr;
  QFrame* Panel_ichmp = nullptr;
  QFrame* new_Panel1 = nullptr;
  QFrame* Panel_controls = nullptr;
  std::array<TSmallCombo*, 8> FRAME_Combologo{};
  std::array<TSmallCombo*, 8> LINDEX1_Combologo{};
  std::array<TSmallCombo*, 8> LINDEX2_Combologo{};
  QWidget* ComboBox_lstore_main = nullptr;
  QWidget* ComboBox_lstore_preview = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer_pippop = nullptr;  // PIP switch timer, 5000 ms (the input row's)
  TConversion* Conversion1 = nullptr;
  TConfigProgress* ConfigProgress = nullptr;
  QShortcut* HotKey = nullptr;

  // A tab page by object name ("Input", "Effects", "TabSheet_audio" ...).
  QWidget* page(const QString& name) const;

  // A control by object name in the main window or any attached window.
  template <class T>
  T* findControl(const QString& name) const {
    for (QObject* root : searchRoots())
      if (T* c = root->findChild<T*>(name)) return c;
    return nullptr;
  }
  // Same for menu items (QAction).
  QAction* findAction(const QString& name) const;

  // ---- start-up and shutdown ----
  void DEMARRAGE_SOFT();
  void open();
  void visible_or_not_visible(uint32_t dev);
  // Forced re-application of the current model layout (save the last
  // applied model, clear it, apply the saved model). With
  // `skipSelectableMemoriesOnce` the logo panels' refresh of the selectable
  // memories is skipped that once (a test-pattern change asks for that).
  void forceModelLayout(bool skipSelectableMemoriesOnce);
  void Zelvan_d1DEVchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1Connected(QObject* Sender, int nroOkrim);
  void Zelvan_d1Ready(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERVchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERUPDchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERKchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERIchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VEREchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERFchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERPchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERAchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1VERCchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1MUXOUTchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1OPTchange(QObject* Sender, int nroOkrim);
  // Controls menu: the Pull-down and Demo radio items show the device's values.
  void Zelvan_d1EPDchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1DEMOchange(QObject* Sender, int nroOkrim);
  // The device LAN dialog follows the device's LAN registers, shown or not.
  void Zelvan_d1LOCAL_IPchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1REMOTE_IPchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1GATEWAY_IPchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1LOCAL_PORTchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1REMOTE_PORTchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1NETMASKchange(QObject* Sender, int nroOkrim);
  void Zelvan_d1TCPIPchange(QObject* Sender, int nroOkrim);
  void AboutOkrimLOGOClick();
  void Exit1Click();
  // The Ctrl+Insert key: shows the debug console while the pointer is over
  // the connection label.
  void dbg();
  // Window titles: prefix + two blanks + connection part + " - " + file.
  void setWindowTitles(const QString& connectionPart);
  QString connectionPart() const;

  // ---- operating mode and controls menus ----
  void Mixer1Click();
  void Matrix1Click();
  void EmbeddedSEClick();
  void Setting1Click();
  void PageControl1Changing();
  void PageControl1Change();

  // ---- settings files ----
  bool Verif_fichier_ini(const zelvan::app::IniLines& list, const QString& fileName);
  void LoadButtonName(const zelvan::app::IniLines& list);
  void save();
  zelvan::app::CustomizationState currentCustomization() const;
  // Default labels for the selected groups (Default_Rename without the refresh hooks).
  void resetLabels(bool inputs, bool frames, bool outputs, bool audio, bool logos);
  void New1Click();
  void Open1Click();
  void Save1Click();
  void Saveas1Click();
  void RecentCustomizationClick(const QString& path);
  void Historique_registre();
  QList<QAction*> recentItems() const { return recentItems_; }

  // ---- configuration (device state snapshot) files ----
  void Loadconfig1Click();
  void Saveconfig1Click();
  void Zelvan_d1VarNroLigneMiniConfigOfFile(QObject* Sender, int nroOkrim);
  void FinLoadconfig();

  // ---- one-second tick ----
  void Timer1Timer();
  void Button_ok_updaterClick();
  // Where the pointer is, in screen coordinates (tests replace it).
  std::function<QPoint()> cursorPosition;

 // ---- what the signal-path panels ask of the main window ----
  int modelIndex(uint32_t dev) const override;
  QString memoryLabel(int memoryIndex) const override;
  QString memoryListText(int kind, int input) const override;
  void setMemoryListHint(int kind, int input, const QString& hint) override;
  void refreshInputLabels() override;
  void restartNoSignalCountdown() override;
  void reapplyModelLayout() override { forceModelLayout(true); }
  void setStoringLabelVisible(bool visible) override;
  void enableTick() override;

 Q_SIGNALS:
  // The main window closed: the application ends.
  void mainWindowClosed();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildStatusGrid();
  void buildSignalPanels();
  void wireLinkEvents();
  void wireMenus();
  void ensureInputLabels();
  void ensureMemoryCombos();
  QList<QObject*> searchRoots() const;
  QList<TSmallCombo*> allFrameCombos() const;
  void setConnectionLabel(bool connected);
  void setConnectedPictures(bool connected);
  void applyModelRow(int modelIndex);
  void unlockFrames(int modelIndex);
  void showUpdateNotice(const QString& text);
  void addRecent(const QString& path);
  void loadAnimationStrip();
  void ensureSerialPorts();
  void FormClose();

  Windows wins_;
  QList<QAction*> recentItems_;
  QAction* recentSeparator_ = nullptr;
  int previousPage_ = -1;
  bool closed_ = false;
};
