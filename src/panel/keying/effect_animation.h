// The opening and closing animations of the selected effect key, the
// animated preview, the two panels that slide over the Effects page
// (Background and Inlay, Effect Animation), the Double PiP panel with its
// second picture, background frame and inlay, and the PiP switch buttons.
#pragma once

#include <QObject>
#include <array>

#include "panel/keying/effects_context.h"

class QAbstractButton;
class QLabel;
class QRadioButton;
class QTimer;
class QWidget;

namespace zelvan::keying {

class TEffectAnimation : public QObject {
  Q_OBJECT

 public:
  // Builds the animation panel, the preview, the Background and Inlay panel
  // and the Double PiP panel into `area` (the Effects page's own container).
  TEffectAnimation(TEffectsContext& ctx, QWidget* area, QObject* parent = nullptr);
  ~TEffectAnimation() override;
  // Once the page exists: the Double PiP sliders take the page's parameter
  // behaviour and the size lock (TEffectsPage::bindParameter, addDoublePipSizes).
  void connectToPage();

  QWidget* panel_incrustation_et_choixframe() const { return inlayPanel_; }
  QWidget* Panel_Double_PIP() const { return doublePip_; }
  QWidget* Panel_Animation_Effect() const { return animationPanel_; }
  QLabel* Image_animation_effect() const { return preview_; }
  QTimer* Timer_Animation_EFFECTS() const { return previewTimer_; }
  QRadioButton* RadioButton_Open(int v) const;    // by value 0..15
  QRadioButton* RadioButton_Close(int v) const;   // by value 0..15 (not by the number in its name)
  QRadioButton* RadioButton_Frame(int k) const;   // k 1..6

  // ---- parts of the page refresh ----
  // Enabling, checking and the panel width for the selected key; a key
  // value that is not enabled is replaced (and sent) by the default.
  void refreshAnimationButtons();
  void RadioButton_OpenDefault();
  void RadioButton_CloseDefault();
  // The Double PiP sliders and edits, the frame buttons and the opening and
  // closing durations from the selected slot.
  void loadValues();
  // Both panels fold (the refresh asks for it).
  void requestFolds();
  void Affichage_et_reglage_position_doublePIP(bool dpip);

  // ---- preview ----
  // Describes key `key`'s effect in its hint and, unless hovering, sets
  // the preview to it.
  void Button_test(int key, bool hovering);
  // One preview frame (Timer_Animation_EFFECTS, 25 ms).
  void ANIMATION_EFFECT();
  // The preview runs only while the Effects page is active.
  void setPreviewActive(bool active);

  // ---- panel slides ----
  // One step of every requested slide; the slides run on their own timer,
  // the periodic tick calls this only as a fallback.
  void ObjectAnimation();
  bool animationRequested() const;

  // ---- PiP switch buttons ----
  // Enabled when the device's EFFECT is a keyed kind and TAKE is set.
  void activation_des_boutons_choix_pip_pop();

  // EFFON: the opening and closing groups with their durations locked.
  void setEffectRunning(bool running);

 private:
  TEffectsContext& ctx_;
  QWidget* inlayPanel_ = nullptr;
  QWidget* doublePip_ = nullptr;
  QWidget* animationPanel_ = nullptr;
  QLabel* preview_ = nullptr;
  QTimer* previewTimer_ = nullptr;
  std::array<QRadioButton*, 16> openings_{};
  std::array<QRadioButton*, 16> closings_{};
  std::array<QRadioButton*, 6> frames_{};
};

}  // namespace zelvan::keying
