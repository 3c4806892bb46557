// The Input tab: for each of the eight inputs whether it is used, its
// signal type, colour standard, VCR mode, horizontal sync load, synchronized
// switching and extend. Also keeps the input settings table (the
// per-channel reports stored under PCHAN) and redraws one column of it
// (Tableau_input), including the display buttons and the audio level and
// balance bars that read the same table.
#pragma once

#include <QChar>
#include <QObject>
#include <array>

#include "panel/signal/signal_context.h"

class QCheckBox;
class QGroupBox;
class QMenu;
class QWidget;
class TSmallCombo;

namespace zelvan::signal {

class TRadioGroup;

class TInputTable : public QObject {
  Q_OBJECT

 public:
  TInputTable(TSignalContext& ctx, QWidget* inputPage);

  // ---- Controls (n = 1..8) ----
  QCheckBox* Label_input_(int n) const { return used_[idx(n)]; }
  TSmallCombo* ComboBox_signaltype(int n) const { return types_[idx(n)]; }
  TSmallCombo* ComboBox_standard(int n) const { return standards_[idx(n)]; }
  QCheckBox* CheckBox_PProc_pchan_(int n) const { return vcr_[idx(n)]; }
  TRadioGroup* LMDRadioButton_HiZ(int n) const { return hiz_[idx(n)]; }
  QCheckBox* CheckBox_Input(int n) const { return sync_[idx(n)]; }
  QCheckBox* Valid_RGB_YUV_(int n) const { return extend_[idx(n)]; }
  QMenu* PopupMenu_SIGNAL_TYPE() const { return signalTypeMenu_; }
  QMenu* PopupMenu_STANDARD() const { return standardMenu_; }
  // The column groups in their order on the tab. Each holds its own eight
  // controls; all but Extend move to the Matrix settings window and back
  // (Extend sits in a slot of its own at the end of their row).
  enum Column { Used, SignalType, Standard, VCR, HSyncLoad, Synchronized, Extend, ColumnCount };
  QGroupBox* group(Column c) const { return groups_[static_cast<size_t>(c)]; }
  const std::array<QGroupBox*, ColumnCount>& groups() const { return groups_; }

  // ---- Operator handlers (input n) ----
  void Label_Switcher_input_MouseUp(int n);
  void ComboBox_Switcher_signaltypeClick(int n);
  void ComboBox_Switcher_standard_Click(int n);
  void CheckBox_Switcher_PProc_pchan_MouseUp(int n);
  void LMDRadioButton_Switcher_HiZChange(int n);
  void CheckBox_Input_PVISC_MouseUp(int n);
  void Valid_RGB_YUVClick(int n);

  // ---- Report handlers: store at entry PCHAN, then refresh the column ----
  void Zelvan_d1PENAchange();
  void Zelvan_d1PLOADchange();
  void Zelvan_d1PRGBIchange();  // also refreshes both status panels
  void Zelvan_d1PISTDchange();
  void Zelvan_d1PPROCchange();
  void Zelvan_d1PVISCchange();
  void Zelvan_d1PEDGC_Zelvan_change();
  void Zelvan_d1LDISPLAYMchange();
  void Zelvan_d1LDISPLAYPchange();
  void Zelvan_d1ALEVchange();
  void Zelvan_d1ABALchange();  // the paced balance send follows (audio panel)

  // Refreshes one column of the table from entry PCHAN ("-", ".", "/", "0",
  // "1", "3", ";", "=", ">", "?").
  void Tableau_input(QChar column);

 private:
  static size_t idx(int n) { return static_cast<size_t>(n < 1 ? 0 : (n > 8 ? 7 : n - 1)); }
  void refreshOne(QChar column, int n, int entry, int pchan);
  void sendChannel(int n);

  TSignalContext& ctx_;
  std::array<QCheckBox*, 8> used_{};
  std::array<TSmallCombo*, 8> types_{};
  std::array<TSmallCombo*, 8> standards_{};
  std::array<QCheckBox*, 8> vcr_{};
  std::array<TRadioGroup*, 8> hiz_{};
  std::array<QCheckBox*, 8> sync_{};
  std::array<QCheckBox*, 8> extend_{};
  std::array<QGroupBox*, ColumnCount> groups_{};
  QMenu* signalTypeMenu_ = nullptr;
  QMenu* standardMenu_ = nullptr;
};

// Adds a widget to a page's layout (a vertical one is created when the page
// has none).
void addToPage(QWidget* page, QWidget* w);

}  // namespace zelvan::signal
