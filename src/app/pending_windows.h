// Placeholder windows of features that are built later: the Matrix window,
// the matrix settings window and the embedded soft-edge window. Each is a real window
// with its class name as object name, created hidden at start-up like the
// finished ones; each carries only the controls the application shell
// itself addresses by name (the frame combos the model layout hides, the
// transition radio buttons of frames 3 to 6, the soft-edge chooser items).
// The feature that builds a window replaces its class here.
#pragma once

#include <QWidget>
#include <array>

class QAbstractButton;
class TSmallCombo;

class QMenu;

// Base of the placeholders: a top-level window named after its class.
class TPendingWindow : public QWidget {
  Q_OBJECT
 public:
  TPendingWindow(const char* className, const QString& title, QWidget* parent = nullptr);
};

// Matrix mode's window: output 2 memory strip `new_Panel2` with the combos
// FRAME_Combologo_ichp_1..8, LINDEX1_Combologo_ichp_1..8 and
// LINDEX2_Combologo_ichp_1..8 (TSmallCombo, filled with the default labels).
class TMatrix_Zelvan_main : public TPendingWindow {
  Q_OBJECT
 public:
  explicit TMatrix_Zelvan_main(QWidget* parent = nullptr);
  // FRAME_Combologo_ichp_<n>, input 1..8.
  TSmallCombo* frameCombo(int n) const { return memoryCombo(0, n); }
  // The list `kind` (0 frame, 1 first logo, 2 second logo) of input 1..8.
  TSmallCombo* memoryCombo(int kind, int n) const {
    return kind >= 0 && kind <= 2 && n >= 1 && n <= 8 ? combos_[size_t(kind)][size_t(n - 1)] : nullptr;
  }

 private:
  std::array<std::array<TSmallCombo*, 8>, 3> combos_{};
};

// Matrix settings window: the output 2 transition radio buttons
// RadioButton_TranstionFrame1_P .. RadioButton_TranstionFrame6_P.
class TForm_Settings_Matrix : public TPendingWindow {
  Q_OBJECT
 public:
  explicit TForm_Settings_Matrix(QWidget* parent = nullptr);
  // RadioButton_TranstionFrame<k>_P, frame 1..6.
  QAbstractButton* transitionFrameButton(int k) const { return k >= 1 && k <= 6 ? frames_[size_t(k - 1)] : nullptr; }

 private:
  std::array<QAbstractButton*, 6> frames_{};
};

// Embedded soft-edge window: its own effect chooser `PopupMenu_effect` with
// menuitem_Effect (title), menuitem_PIP ("PiP", kind 4) and
// menuitem_DoublePIP ("Double PiP", kind 14).
class TForm_Embedded_Softedge : public TPendingWindow {
  Q_OBJECT
 public:
  explicit TForm_Embedded_Softedge(QWidget* parent = nullptr);
  QMenu* PopupMenu_effect = nullptr;
};
