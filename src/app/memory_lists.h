// The input label buttons label_input1..8 and the memory lists of the
// input strip: FRAME_Combologo1..8, LINDEX1_Combologo1..8 and
// LINDEX2_Combologo1..8, with the store lists ComboBox_lstore_main and
// ComboBox_lstore_preview of the logo pages. The controls are taken over
// when a feature built them before the start-up sequence; otherwise they
// are created in their places (Panel_ichmp, the strip new_Panel1, the logo
// pages).
#pragma once

#include <QList>
#include <QString>
#include <array>

class QAbstractButton;
class QWidget;
class TSmallCombo;
class TZelvan_main;

namespace zelvan::app {

class TMemoryLists {
 public:
  explicit TMemoryLists(TZelvan_main& shell) : shell_(shell) {}

  // Finds or creates the label buttons (InputLabelList).
  void ensureInputLabels();
  // Finds or creates the memory lists and the two store lists.
  void ensureMemoryCombos();
  // Fills every list with the memory labels it offers, first item selected.
  void fillWithLabels();

  // The list `kind` (0 frame, 1 first logo, 2 second logo) of input 1..8.
  TSmallCombo* list(int kind, int input) const;
  QString listText(int kind, int input) const;
  void setListHint(int kind, int input, const QString& hint);
  // The main window's eight frame lists and the Matrix window's eight.
  QList<TSmallCombo*> allFrameCombos() const;

  QList<QAbstractButton*> InputLabelList;
  std::array<TSmallCombo*, 8> FRAME_Combologo{};
  std::array<TSmallCombo*, 8> LINDEX1_Combologo{};
  std::array<TSmallCombo*, 8> LINDEX2_Combologo{};
  QWidget* ComboBox_lstore_main = nullptr;
  QWidget* ComboBox_lstore_preview = nullptr;

 private:
  TZelvan_main& shell_;
};

}  // namespace zelvan::app
