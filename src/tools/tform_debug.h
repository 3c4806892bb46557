// TForm_debug: the debug console ("DEBUG"). A maintenance window that talks
// to the device directly through the device link:
//  - raw command entry: keys build a pending command (shown in Label1),
//    Enter sends it with SendRaw; register codes are picked from the
//    register list "_" or the watch list;
//  - a log (Memo_recu) of the reply lines the link matched, each with its
//    value in hexadecimal and as a bit string, filtered by the watch list
//    CheckListBox_bloque_reception_rs (at most five watched names) and the
//    DEV exclusion;
//  - a value panel (Panel1) that composes a value bit by bit;
//  - 26 programmable command buttons BitBtn_ADBG_1 .. BitBtn_ADBG_26 kept in
//    the settings file "debug " + application title + ".ini";
//  - a script transfer that streams a text file at an adjustable pace;
//  - the Force Connect menu that switches the link's ForceConn.
//
// Wiring by the main window (everything else is internal):
//  - construct it once at start-up with the link; the constructor reads the
//    settings file from the working directory and installs its own handler
//    on the link's OnRecString. A main window that prefers to assign the
//    event itself uses Zelvan_d1RecString:
//      link->OnRecString = [form](QObject* s, int n) { form->Zelvan_d1RecString(s, n); };
//  - show it on the Ctrl+Insert key: form->show(); form->raise(); form->activateWindow();
//  - at shutdown, when it is showing, call FormClose() (writes the settings file);
//    closing the window by its close box does the same.
//
// Object names for tests: the named controls above plus the value panel's
// Label_variable, Label_valeur_dec, Edit_valeur_dec, Label_valeur_hex,
// Edit_valeur_hex, Label_valeur_bin, Edit1 .. Edit16, BitBtn_ok ("Ok"),
// BitBtn_annuler ("Annuler"), BitBtn_envoie ("Envoie"),
// BitBtn_desactiver_reception ("Desactiver reception"); BitBtn_clear,
// ABC_Sorted, SpeedButton_Disable_all, BitBtn_Operation_logique,
// ScrollBar_duration with Label_duration (its value) and Label_delai;
// menu actions ForceConnect1 ("Force Connect", its menu Menu_ForceConnect),
// On1, Off1, Transfert1 ("Transfert", menu Menu_Transfert),
// Envoyerunfichiertexte1, Stop1; the script timer Timer_transfert.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "tools/debug_registers.h"
#include "tools/debug_script.h"
#include "tools/debug_settings.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;
class TZelvan_d;

namespace zelvan::debugconsole {
class LogView;
}

class TForm_debug : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCommandButtons = zelvan::debugconsole::kCommandButtonCount;
  // Watching more names than this turns the filter off.
  static constexpr int kMaxWatched = 5;
  // The application title the settings file is named after.
  static QString applicationTitle() { return QStringLiteral("Zelvan remote control"); }
  // "debug Zelvan remote control.ini"
  static QString settingsFileName() {
    return QStringLiteral("debug ") + applicationTitle() + QStringLiteral(".ini");
  }
  // Lines kept in the log and in Memo_env; older lines are dropped.
  static constexpr int kMaxLogLines = 5000;

  explicit TForm_debug(TZelvan_d* link, QWidget* parent = nullptr);
  ~TForm_debug() override;

  // ---- Link event ----
  // Handler of the link's OnRecString: logs receivedString by the filter rules.
  void Zelvan_d1RecString(QObject* Sender, int nroOkrim);
  // Moves the lines logged while the window was hidden into Memo_recu
  // (showing the window does it).
  void flushLog();

  // ---- Shutdown ----
  // The window's own close handling: writes the settings file. A running
  // script goes on (only its end or Stop ends it).
  void FormClose();

  // ---- Command entry ----
  QString pendingCommand() const { return m_pending; }
  // A typed key: Enter sends, Backspace trims, any other text is appended.
  // Returns false for keys that are not command entry (arrows, shortcuts).
  bool commandKey(int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier);
  // Picking a line of the register list (row in the list's current order).
  void RegisterListClick(int row);
  // Double click in the window: picks the register list's current line.
  void FormDblClick();
  // Double click on a watch-list item.
  void WatchListDblClick(int row);
  void ABC_SortedClick();
  void BitBtn_clearClick();
  // Right click on "&Clear": shakes the memos and the watch list, then clears.
  void BitBtn_clearRightClick();
  bool shaking() const;
  // Period of one shake step in ms (default 15); tests use 1.
  void setShakeStepMs(int ms);

  // ---- Command buttons (n = 1 .. 26) ----
  void BitBtn_ADBGClick(int n);
  void BitBtn_ADBGRightClick(int n);
  QString commandCaption(int n) const;
  QString commandText(int n) const;
  void setCommandButton(int n, const QString& caption, const QString& command);

  // ---- Settings file ----
  QString settingsFilePath() const { return m_settingsPath; }
  // Points the console at another settings file (read it with LoadSettings).
  void setSettingsFilePath(const QString& path) { m_settingsPath = path; }
  // Reads the settings file; a missing file leaves the defaults, an unusable
  // one leaves them too and says so in the log. True when the file was read.
  bool LoadSettings();
  // Writes the settings file; a failure is shown in a message box.
  bool SaveSettings();

  // ---- Force Connect ----
  // Opening the menu: checks On or Off from the link's ForceConn.
  void ForceConnect1Click();
  void On1Click();
  void Off1Click();

  // ---- Script transfer ----
  void Envoyerunfichiertexte1Click();
  // Starts a script from a file (what the open dialog's choice does).
  bool startScript(const QString& path);
  void Stop1Click();
  // One tick of the script timer.
  void Timer_transfertTimer();
  bool scriptRunning() const;
  bool scriptLoaded() const { return m_scriptLoaded; }
  bool scriptLineMode() const { return m_scriptLineMode; }
  // The pace by the rules: scroll bar value + 30 ms in line mode, + 10 ms
  // in character mode.
  int scriptDelay() const;
  // The timer's actual period: scriptDelay() scaled by the pace scale.
  int scriptInterval() const;
  // Scales the script pace by percent/100 (at least 1 ms); 100 is the real pace.
  void setPaceScale(int percent);
  void ScrollBar_durationChange(int value);

  // ---- Watching ----
  void SpeedButton_Disable_allClick();
  // Ticking or unticking a watch-list item as the operator does.
  void setWatchItemChecked(int row, bool checked);
  bool watchItemChecked(int row) const;
  int watchItemCount() const;
  int watchRowOfName(const QString& name) const;
  // The filter: the watched names while it is active (count of five or less).
  QStringList filterNames() const { return m_filter; }
  int filterCount() const { return m_filterCount; }
  bool filterActive() const { return m_filterCount <= kMaxWatched; }
  QString devExclusion() const { return m_devExclusion; }

  // ---- Value panel ----
  void BitBtn_Operation_logiqueClick();
  void BitBox_Click(int box);  // box 1 .. 16, most significant bit first
  void Edit_valeur_decEnter();
  void Edit_valeur_hexEnter();
  void BitBtn_okClick();
  void BitBtn_annulerClick();
  void BitBtn_envoieClick();
  void BitBtn_desactiver_receptionClick();
  uint32_t panelValue() const { return m_panelValue; }
  QString panelRegisterName() const { return m_panelName; }

  // The register list in its current order (sorted or not).
  const std::vector<zelvan::debugconsole::RegisterLine>& registerList() const { return m_lines; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildUi();
  void buildPanel();
  void fillRegisterList();
  void rebuildWatchList();
  void setPending(const QString& text, bool addToMemo);
  void appendPicked(const QString& code);
  void sendRaw(const QByteArray& text);
  void logLine(const QString& line);
  void updateWatchedName(int row);
  void recomputeFilter();
  void applyCommandButton(int n);
  void stopScript();
  void shakeStep();
  void setPanelValue(uint32_t v);
  void fillPanelFromSelection();
  void showLogHint(bool on);
  bool isDevRow(int row) const;

  QPointer<TZelvan_d> m_link;

  // Command entry.
  QString m_pending;
  QMenuBar* m_menuBar = nullptr;
  QMenu* m_menuForce = nullptr;
  QAction* m_actOn = nullptr;
  QAction* m_actOff = nullptr;
  QAction* m_actSendFile = nullptr;
  QAction* m_actStop = nullptr;
  QLabel* m_label1 = nullptr;
  QComboBox* m_registers = nullptr;
  QPushButton* m_sorted = nullptr;
  QPlainTextEdit* m_memoEnv = nullptr;
  zelvan::debugconsole::LogView* m_memoRecu = nullptr;
  // Lines logged while the window was hidden, oldest first.
  std::deque<QString> m_hiddenLog;
  QPushButton* m_clear = nullptr;
  std::vector<zelvan::debugconsole::RegisterLine> m_lines;

  // Watching.
  QListWidget* m_watch = nullptr;
  QPushButton* m_disableAll = nullptr;
  QStringList m_watched;  // per watch-list row: its name, or empty when unticked
  QStringList m_filter;
  int m_filterCount = kMaxWatched + 1;
  QString m_devExclusion;
  bool m_updatingWatch = false;

  // Command buttons.
  std::array<QPushButton*, kCommandButtons> m_buttons{};
  zelvan::debugconsole::ButtonSettings m_settings;
  QString m_settingsPath;

  // Script transfer.
  QScrollBar* m_duration = nullptr;
  QLabel* m_durationValue = nullptr;
  QTimer* m_scriptTimer = nullptr;
  zelvan::debugconsole::ScriptReader m_script;
  bool m_scriptLoaded = false;
  bool m_scriptLineMode = true;
  int m_paceScale = 100;

  // Value panel.
  QFrame* m_panel = nullptr;
  QPushButton* m_operation = nullptr;
  QLabel* m_panelVariable = nullptr;
  QLabel* m_panelDec = nullptr;
  QLineEdit* m_editDec = nullptr;
  QLabel* m_panelHex = nullptr;
  QLineEdit* m_editHex = nullptr;
  QLabel* m_panelBin = nullptr;
  std::array<QLineEdit*, 16> m_bits{};
  QPushButton* m_desactiver = nullptr;
  uint32_t m_panelValue = 0;
  QString m_panelName;
  bool m_panelDragging = false;
  QPoint m_panelDragOffset;
  bool m_logHint = false;

  // Clear's shake.
  QTimer* m_shakeTimer = nullptr;
  int m_shakeLeft = 0;
  std::vector<std::pair<QWidget*, QPoint>> m_shakeHome;

  bool m_firstShow = true;
};
