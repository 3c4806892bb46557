// The main window's menu bar and the effect chooser pop-up: every menu and
// item with its object name, caption, tag (the action's data) and hint.
// TMainMenus only builds them and keeps pointers; the main window connects
// the handlers. Items whose handlers belong to later features (the rename
// commands of the Customize menu, the transition colour items) exist with
// their names so those features can connect to them.
#pragma once

#include "panel/keying/effect_chooser.h"

#include <QObject>
#include <QString>
#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

class TMainMenus : public QObject {
  Q_OBJECT

 public:
  // Builds everything into `bar`; menus are parented to `owner` (the main
  // window) so that they can be found by object name from it.
  TMainMenus(QMenuBar* bar, QWidget* owner);

  // Files ("&Files")
  QMenu* File1 = nullptr;
  QAction* Customize_title = nullptr;  // disabled "Customize"
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Saveas1 = nullptr;
  QAction* N_recent_end = nullptr;     // fixed separator after the recent items
  QAction* Configuration_title = nullptr;  // disabled "Configuration"
  QAction* Loadconfig1 = nullptr;
  QAction* Saveconfig1 = nullptr;
  QAction* N_softedge_curves = nullptr;  // the soft-edge curve commands go before this separator
  QAction* Exit1 = nullptr;

  // Mode
  QMenu* Mode1 = nullptr;
  QActionGroup* ModeGroup = nullptr;
  QAction* Mixer1 = nullptr;
  QAction* Matrix1 = nullptr;
  QAction* EmbeddedSE = nullptr;
  QAction* Setting1 = nullptr;  // top-level "Settings", Matrix mode only

  // Fills the pointers of the menus that the signal-path panels build
  // (Controls > "Transition", "Transition output 2", "No input signal
  // autolock", "Autotake"), found by object name under `owner`.
  void adoptSignalMenus(QObject* owner);

  // Transition (output 1, Controls > "Transition") and Transition output 2;
  // built by the signal-path panels.
  QMenu* Transition1 = nullptr;
  QAction* CleanCut_Output1 = nullptr;
  QAction* Logofade_Output1 = nullptr;
  std::array<QAction*, 6> FadeFrame_Output1{};  // FadeFrame1_Output1 .. FadeFrame6_Output1
  QMenu* Transition_output2 = nullptr;
  QAction* CleanCut_Output2 = nullptr;
  QAction* Logofade_output2 = nullptr;
  std::array<QAction*, 6> FadeFrame_output2{};  // FadeFrame1_output2 .. FadeFrame6_output2

  // Controls
  QMenu* Controls1 = nullptr;
  QAction* PullDown_Auto = nullptr;  // "2:2 &Pull-down": Auto (tag 1)
  QAction* PullDown_Off = nullptr;   // Off (tag 0)
  QAction* Demo_Yes = nullptr;       // "Demo mode": Yes (tag 1)
  QAction* Demo_No = nullptr;        // No (tag 0)
  QAction* menuitem_Off = nullptr;   // "No input signal autolock": "On" (tag 0)
  QAction* menuitem_On = nullptr;    // "Off" (tag 1)
  QAction* Autotake_On1 = nullptr;
  QAction* Autotake_Off1 = nullptr;
  QMenu* Input_Sync_Loss = nullptr;  // "Input Sync-Loss", tag = FRAMEALERT value
  QAction* Frame_Alert_None = nullptr;
  std::array<QAction*, 6> Frame_Alert_Frame{};  // Frame_Alert_Frame1 .. 6
  QAction* Switch_voie_Black = nullptr;
  std::array<QAction*, 8> Switch_voie{};        // Switch_voie_1 .. 8
  QAction* ControlsSeparator = nullptr;
  QAction* EraseAllMemories = nullptr;
  QAction* DefaultValues = nullptr;

  // Customize
  QMenu* Customize1 = nullptr;
  std::array<QAction*, 8> Input{};  // Input1 .. Input8
  std::array<QAction*, 6> Frame{};  // Frame1 .. Frame6
  std::array<QAction*, 8> Logo{};   // Logo1 .. Logo8
  std::array<QAction*, 8> Audio{};  // Audio1 .. Audio8
  QAction* N_audio_before = nullptr;
  QAction* DefaultAudio1 = nullptr;
  QAction* N_audio_after = nullptr;
  QAction* Output11 = nullptr;
  QAction* Output21 = nullptr;
  QAction* Defaultinput1 = nullptr;
  QAction* Default_frame = nullptr;
  QAction* Default_logo = nullptr;
  QAction* Defaultoutput = nullptr;
  QAction* Default_ALL = nullptr;

  // Connection ("&RS232/LAN Setup", filled by the serial-port menu) and the
  // device LAN item.
  QMenu* Serialport1 = nullptr;
  QAction* OkrimLANStatus1 = nullptr;

  // Help
  QMenu* Help1 = nullptr;
  QAction* AboutOkrimLOGO = nullptr;

  // Effect chooser pop-up PopupMenu_effect (the action data is the effect kind).
  zelvan::keying::TEffectChooser Effects;

 private:
  QAction* item(QMenu* menu, const char* name, const QString& caption, int tag = -1);
  void buildFiles(QMenuBar* bar, QWidget* owner);
  void buildMode(QMenuBar* bar, QWidget* owner);
  void buildControls(QMenuBar* bar, QWidget* owner);
  void buildCustomize(QMenuBar* bar, QWidget* owner);
  void buildEffects(QWidget* owner);
};
