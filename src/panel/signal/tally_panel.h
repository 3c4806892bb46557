// Tally outputs on the Output tab (which input's presence on Main activates
// tally output 1, 2, 3, and whether each is active) and the Controls menu's
// "No input signal autolock".
#pragma once

#include <QObject>
#include <array>

#include "panel/signal/signal_context.h"

class QAction;
class QBoxLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QWidget;
class TSmallCombo;

namespace zelvan::signal {

class TTallyPanel : public QObject {
  Q_OBJECT

 public:
  // Creates the tally group on the Output page, in `row` (beside the output
  // format group) or at the end of the page's layout when nullptr, and the
  // autolock submenu in `controlsMenu` (a menu of its own when nullptr).
  TTallyPanel(TSignalContext& ctx, QWidget* outputPage, QMenu* controlsMenu, QBoxLayout* row = nullptr);

  TSmallCombo* choix_tally_entree_ichm(int k) const { return lists_[static_cast<size_t>(k - 1)]; }  // 1..3
  QLabel* StaticText_TAON(int k) const { return onTexts_[static_cast<size_t>(k - 1)]; }           // 1..3
  QMenu* PopupMenu_TALLY() const { return tallyMenu_; }
  QGroupBox* GroupBox_Tally() const { return group_; }
  QMenu* autolockMenu() const { return autolockMenu_; }
  QAction* menuitem_Off() const { return itemOff_; }  // captioned "On", tag 0
  QAction* menuitem_On() const { return itemOn_; }    // captioned "Off", tag 1

  // ---- Operator handlers ----
  void choix_tally_entree_ichmChange(int tag);
  void menuitem_EIPSIG_On_OffClick(int tag);

  // ---- Report handlers ----
  void Zelvan_d1TALLYchange(int k);  // TALLY1..TALLY3
  void Zelvan_d1TAONchange(int k);   // TA1ON..TA3ON
  void Zelvan_d1EIPSIGPchange();

 private:
  TSignalContext& ctx_;
  std::array<TSmallCombo*, 3> lists_{};
  std::array<QLabel*, 3> onTexts_{};
  QMenu* tallyMenu_ = nullptr;
  QGroupBox* group_ = nullptr;
  QMenu* autolockMenu_ = nullptr;
  QAction* itemOff_ = nullptr;
  QAction* itemOn_ = nullptr;
};

}  // namespace zelvan::signal
