// The blocks of the signal panels that the operating modes move between the
// main window and the Matrix, Matrix settings and soft-edge windows. Each is
// one widget that holds its own controls (and layout), and none shares a
// layout with a control that stays, so a block moves alone and comes back
// to its slot (see TBlockHome).
#pragma once

#include <array>
#include <vector>

class QFrame;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace zelvan::signal {

class TRadioGroup;

struct TSignalBlocks {
  // Input tab: "Used", "Signal Type", "Standard", "VCR", "H. sync load" and
  // GroupBox_Vertical_input_switching (Extend stays).
  std::array<QGroupBox*, 6> inputGroups{};
  // Main window input row: Panel_input_buttons (label_input0..8) and the
  // memory strip new_Panel1 (display buttons and memory lists).
  QWidget* inputButtons = nullptr;
  QFrame* strip = nullptr;
  // StringGrid1.
  QTableWidget* statusGrid = nullptr;
  // Output tab: GroupBox_Output, the sync and test-pattern groups of output
  // 1 and 2, the type-of-screen group (GroupBox_Tally stays).
  QGroupBox* outputGroup = nullptr;
  std::array<TRadioGroup*, 2> outputSync{};
  std::array<TRadioGroup*, 2> testPattern{};
  TRadioGroup* typeOfScreen = nullptr;
  // Image main / Image preview tabs: the adjustment page controls.
  std::array<QTabWidget*, 2> imagePages{};
  // Audio tab: Panel_audio.
  QWidget* audio = nullptr;
  // Transition tab: ListBox_Fade_output1; control area: TAKE and the two
  // freeze buttons (the T-bar stays).
  QGroupBox* transitionKinds = nullptr;
  QPushButton* take = nullptr;
  std::array<QPushButton*, 2> freeze{};

  // Every block above, in this order.
  std::vector<QWidget*> all() const;
};

}  // namespace zelvan::signal
