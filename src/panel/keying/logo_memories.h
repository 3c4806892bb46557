// Logo and frame memories of one output: the mode tabs, Erase and STORE,
// the store and erase list with its confirmations, the store cycle with
// the progress window and the learning of the store timing, the blinking
// sequencer status, and the enabling of the output's assignment combos.
// TLogoMemoryShared holds what both outputs share: the empty-memory bit
// field and the rewrite of every memory list, the frame quality and its
// menu, the sync-loss frame menu and the status text StaticText1.
//
// Everything follows the device: tabs, Erase, STORE, the lists and the
// texts change only when the device reports the registers.
#pragma once

#include <QObject>
#include <QPoint>
#include <cstdint>

#include "panel/keying/keying_context.h"

class QAbstractButton;
class QComboBox;
class QEvent;
class QLabel;
class QMenu;
class QAction;
class QTabBar;
class QWidget;

namespace zelvan::app {
class TReportRouter;
}

namespace zelvan::keying {

class TLogoMemories : public QObject {
  Q_OBJECT
 public:
  // output 1 (Main, controls ..._M, ComboBox_lstore_main) or 2 (Preview,
  // ..._P, ComboBox_lstore_preview).
  TLogoMemories(TKeyingContext& ctx, int output, QObject* parent = nullptr);

  // Builds the mode bar of the logo page inside `bar` (Panel2 / Panel2_P,
  // the page's top strip): TabControl_logo_M, SpeedButton_erase_mode_M,
  // new_SpeedButton_store_M and the hidden store list on the page.
  void build(QWidget* page, QWidget* bar);
  // LSTORE, LSTATUS, LPIXELSIZ1 / LLINESIZ1 and the tab part of LMODE.
  void addRoutes(zelvan::app::TReportRouter& router);

  // ---- operator ----
  void TabControl_logo_MChange(int tab);
  void TabControl_logo_MouseMove(const QPoint& pos);
  void SpeedButton_erase_mode_MClick();
  void new_SpeedButton_store_MClick();
  void ComboBox_lstore_mainClick(int entry);
  void ComboBox_lstore_mainCloseUp();

  // ---- device ----
  // The tab part of the LMODE change handler (the page layout follows it).
  void modeTabs();
  void Zelvan_d1LSTOREMchange();
  void Zelvan_d1LSTATUSMchange();
  void Zelvan_d1LPIXELM_LLINEM_SIZ();

  // ---- offered to the other keying panels and the shell ----
  // clignotantLSTATUS_M / _P: redraws the status text (every tick).
  void clignotantLSTATUS();
  // Combologo_enabled_M / _P and the disabling twins.
  void Combologo_enabled();
  void Combologo_disabled();
  // calcul_temps_M / _P: the store estimate in seconds.
  int64_t calcul_temps();
  // One second of the tick while this output stores.
  void storeTick();

  QTabBar* tabControl() const { return tabs_; }
  QAbstractButton* eraseButton() const { return erase_; }
  QAbstractButton* storeButton() const { return store_; }
  QComboBox* storeList() const { return list_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  uint32_t value(int reg) const;
  uint32_t mode() const;
  bool storing() const;
  void selectTab(int tab);
  void setEraseDown(bool down);
  void closeLogoFramingWindows();
  // The store list: entries with the device memory each stands for.
  void fillStoreList(uint32_t mode);
  void addEntry(const QString& text, int memory);
  void placeStoreList(uint32_t mode);
  QString memoryText(int memory) const;
  // The memory entry `entry` of the list stands for (-1: none that the
  // current mode may act on).
  int entryMemory(int entry, uint32_t mode) const;
  void startAction(int memory);
  void setStoreCaption(bool storing);
  void learnTiming();
  // The output's assignment combo rule, run again after a change of the
  // other output's mode or status (the Main rule reads LMODEP).
  void refreshComboRule();
  void setCombos(bool enabled);
  void setStatusTexts(const QString& mainText, const QString& matrixText, const QString& c0, const QString& c1,
                      const QString& c2);

  TKeyingContext& ctx_;
  const int output_;
  QWidget* page_ = nullptr;
  QWidget* bar_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QAbstractButton* erase_ = nullptr;
  QAbstractButton* store_ = nullptr;
  QComboBox* list_ = nullptr;
  // The mode the store list was filled for (-1: not filled by STORE).
  int64_t listMode_ = -1;
  // This output's store runs (from its LSTORE reports) and the seconds it
  // has run; each output counts its own so overlapping stores learn right.
  bool storing_ = false;
  int64_t elapsed_ = 0;
};

class TLogoMemoryShared : public QObject {
  Q_OBJECT
 public:
  explicit TLogoMemoryShared(TKeyingContext& ctx, QObject* parent = nullptr);

  // PopupMenu_Frame_Quality and the two StaticText1 (main window, Matrix window).
  void build();
  // LEMPTY, LQTY, FRAMEALERT.
  void addRoutes(zelvan::app::TReportRouter& router);

  // LEMPTY_de_champs_de_bits(n): memory n (1..14) is empty in the last LEMPTY.
  bool LEMPTY_de_champs_de_bits(int n) const;
  // The memory texts of every list after LEMPTY or a label change.
  void rewriteMemoryTexts();

  void Zelvan_d1LEMPTYchange();
  void Zelvan_d1LQTYchange();
  void Zelvan_d1FRAMEALERTchange();
  // The frame quality item with tag 0 or 1 was chosen.
  void MenuItem_LQTYClick(int tag);
  void popupFrameQuality(const QPoint& globalPos);

  QLabel* StaticText1(int output) const;
  QMenu* PopupMenu_Frame_Quality() const { return quality_; }

 private:
  // Checks the quality item of the reported LQTY (none before a report).
  void showQuality();

  TKeyingContext& ctx_;
  QMenu* quality_ = nullptr;
  QAction* native_ = nullptr;
  QAction* optimized_ = nullptr;
  QLabel* statusMain_ = nullptr;
  QLabel* statusMatrix_ = nullptr;
  bool qualityReported_ = false;
};

}  // namespace zelvan::keying
