// Transitions and take: the TAKE button, the T-bar, automatic take, the
// transition kind of each output (clean cut, fade through the fade colour,
// fade through one of six stored frames) with the fade colour dialog, the
// effect duration presets and the freeze of each output.
#pragma once

#include <QColor>
#include <QObject>
#include <array>

#include "panel/signal/signal_context.h"

class QAction;
class QActionGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

namespace zelvan::signal {

class TTransitionPanel : public QObject {
  Q_OBJECT

 public:
  // Transition kind codes in table order: clean cut, fade colour, frames 1..6.
  static constexpr std::array<int, 8> kKindCodes = {3, 0, 1, 2, 4, 5, 6, 7};

  // `controlArea` receives TAKE, the T-bar and the freeze buttons; the
  // Transition and Effects pages their controls; the menus go into
  // `controlsMenu` ("Transition", "Autotake") and `menuBar` ("Transition
  // output 2", hidden in Mixer mode); menus of their own when nullptr.
  TTransitionPanel(TSignalContext& ctx, QWidget* controlArea, QWidget* transitionPage, QWidget* effectsPage,
                   QMenu* controlsMenu, QMenuBar* menuBar);

  // ---- Controls ----
  QPushButton* BitBtn_Take() const { return take_; }
  QFrame* PanelTBAR() const { return tbarPanel_; }
  QLabel* Label203() const { return tbarLabel_; }
  QSlider* TBar() const { return tbar_; }
  QPushButton* BitBtn_Freeze_main() const { return freezeMain_; }
  QPushButton* BitBtn_Freeze_preview() const { return freezePreview_; }
  QGroupBox* ListBox_Fade_output1() const { return fadeGroup_; }
  // Radio button of a kind code (RadioButton_TranstionCleanCut_M ...).
  QRadioButton* transitionRadio(int code) const;
  QLabel* LMDGraphicLabel_Transition() const { return fadeSample_; }
  QPushButton* presetButton(int seconds) const;  // Button_1s, Button_3s, Button_5s
  QMenu* Transition_main_ou_output1() const { return menu1_; }
  QMenu* Transition_output2() const { return menu2_; }
  QMenu* Autotake() const { return autotakeMenu_; }
  // Menu item of a kind code for output 1 or 2.
  QAction* transitionItem(int output, int code) const;
  QAction* Autotake_On1() const { return autoOn_; }
  QAction* Autotake_Off1() const { return autoOff_; }
  bool tbarDirection() const { return tbarDown_; }
  // Button_1s, Button_3s, Button_5s (i = 0, 1, 2) of the Effects page.
  QPushButton* durationPresetButton(int i) const { return i >= 0 && i < 3 ? presets_[size_t(i)] : nullptr; }

  // ---- Operator handlers ----
  void BitBtn_TakeClick();
  void TBarChange(int position);
  void Autotake_On1Click();
  void Autotake_Off1Click();
  void FramefadeClick(int tag);               // output 1 clean cut and fade frame items
  void FadeFrame_output2Click(int tag);       // output 2 clean cut and fade frame items
  void LogofadeClick();                       // output 1 "Fade Color ..."
  void Logofade_output2Click();               // output 2 "Fade Color ..."
  void transitionRadioMouseDown(int code);    // RadioButton_Transtion..._MMouseDown
  void LMDGraphicLabel_TransitionClick();
  void Palette_RGB_Main();
  void Palette_RGB_Preview();
  void Transition_main_ou_output1Click();
  void Transition_output2Click();
  void Button_1sClick() { durationPreset(10); }
  void Button_3sClick() { durationPreset(30); }
  void Button_5sClick() { durationPreset(50); }
  void BitBtn_Freeze_mainClick();
  void BitBtn_Freeze_previewClick();

  // ---- Report handlers ----
  void Zelvan_d1TAKEchange();
  void Zelvan_d1TAKEEVAchange();
  void Zelvan_d1TBARAVchange();
  void Zelvan_d1TAKEAUTOchange();
  void Zelvan_d1LFADEMchange();
  void Zelvan_d1LFADEPchange();
  void Zelvan_d1BCFchange();  // any of the six fade colour registers
  void Zelvan_d1IFRZMchange();
  void Zelvan_d1IFRZPchange();
  // EFFON reported: the T-bar turns round at the end of a transition.
  void TBar_EFFONchange();

  // ---- One-second tick ----
  void clignotantfreeze_M();
  void clignotantfreeze_P();
  // TAKE blink while an effect runs (EFFON).
  void cligno_take();

  QColor fadeColour(int output) const;

 private:
  void durationPreset(int tenths);
  void fadeDialog(int output);
  void refreshMenuFrames(int output);
  void showKind(int output);
  void freezeReported(int output);
  void freezeBlink(int output);
  QMenu* buildTransitionMenu(int output, QMenu* menu);

  TSignalContext& ctx_;
  QPushButton* take_ = nullptr;
  QFrame* tbarPanel_ = nullptr;
  QLabel* tbarLabel_ = nullptr;
  QSlider* tbar_ = nullptr;
  QPushButton* freezeMain_ = nullptr;
  QPushButton* freezePreview_ = nullptr;
  QGroupBox* fadeGroup_ = nullptr;
  std::array<QRadioButton*, 8> radios_{};
  QLabel* fadeSample_ = nullptr;
  std::array<QPushButton*, 3> presets_{};
  QMenu* menu1_ = nullptr;
  QMenu* menu2_ = nullptr;
  std::array<QAction*, 8> items1_{};
  std::array<QAction*, 8> items2_{};
  QMenu* autotakeMenu_ = nullptr;
  QAction* autoOn_ = nullptr;
  QAction* autoOff_ = nullptr;
  bool tbarDown_ = false;
  std::array<int, 2> shownKind_ = {-1, -1};  // last transition kind reported per output
};

}  // namespace zelvan::signal
