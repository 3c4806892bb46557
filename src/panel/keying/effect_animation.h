// The opening and closing animations of the selected effect key, the
// animated preview, the two panels that slide over the Effects page
// (Background and Inlay, Effect Animation), the Double PiP panel with its
// second picture, background frame and inlay, and the PiP switch buttons.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

#include "panel/keying/effects_context.h"

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;
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

  // ---- more controls ----
  QGroupBox* GroupBox_Effect_Opening() const { return openingGroup_; }
  QGroupBox* GroupBox_Effect_Closing() const { return closingGroup_; }
  QGroupBox* GroupBox_Frame() const { return frameGroup_; }
  QScrollBar* ScrollBar_Opening_Duration() const { return openDur_.bar; }
  QScrollBar* ScrollBar_Closing_Duration() const { return closeDur_.bar; }
  QLineEdit* Edit_Opening_Duration() const { return openDur_.edit; }
  QLineEdit* Edit_Closing_Duration() const { return closeDur_.edit; }
  QLabel* Label_Opening_Duration() const { return openDur_.label; }
  QLabel* Label_Closing_Duration() const { return closeDur_.label; }
  QPushButton* BitBtn_DOWN_panel_incrustation_et_choixframe() const { return inlayDown_; }
  QPushButton* BitBtn_UP_panel_incrustation_et_choixframe() const { return inlayUp_; }
  QPushButton* BitBtn_DOWN_panel_Effect_Animation() const { return animDown_; }
  QPushButton* BitBtn_Up_panel_Effect_Animation() const { return animUp_; }
  // The Double PiP sliders and edits by register (EFFPK ... EFFPR; EFFPM
  // and EFFPN are ScrollBar__Horizontale_size_EFFP / ScrollBar__Vertical_Size_EFFP).
  QScrollBar* doublePipBar(int reg) const;
  QLineEdit* doublePipEdit(int reg) const;
  QToolButton* SpeedButton_Horizontale_size_EFFP() const { return oneToOneH_; }
  QToolButton* SpeedButton_Vertical_Size_EFFP() const { return oneToOneV_; }
  // The timer of the panel slides (one step per timeout).
  QTimer* slideTimer() const { return slideTimer_; }

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
  // The description Button_test puts in the key's hint (after "Push TAKE
  // to Validate "): the effect's name and, for the kinds with an opening
  // and a closing, " : <opening> -> <closing>".
  QString effectDescription(int key) const;
  // One preview frame (Timer_Animation_EFFECTS, 25 ms).
  void ANIMATION_EFFECT();
  // The preview runs only while the Effects page is active.
  void setPreviewActive(bool active);
  // What the preview plays and where it is.
  struct PreviewState {
    int kind = 0;
    int opening = 0;
    int closing = 0;
    int c = 0;                 // next frame of the phase, 0..32
    bool closingPhase = false;
    int shownIndex = -1;       // strip index of the frame on show (-1: none yet or blank)
    int framesShown = 0;       // ANIMATION_EFFECT runs so far
  };
  PreviewState previewState() const { return previewState_; }

  // ---- panel slides ----
  // One step of every requested slide; the slides run on their own timer,
  // the periodic tick calls this only as a fallback.
  void ObjectAnimation();
  bool animationRequested() const;
  // The panel buttons' actions.
  void BitBtn_DOWN_panel_incrustation_et_choixframeClick();
  void BitBtn_UP_panel_incrustation_et_choixframeClick();
  void BitBtn_DOWN_panel_Effect_AnimationClick();
  void BitBtn_Up_panel_Effect_AnimationClick();

  // ---- PiP switch buttons ----
  // Enabled when the device's EFFECT is a keyed kind and TAKE is set.
  void activation_des_boutons_choix_pip_pop();

  // EFFON: the opening and closing groups with their durations locked.
  void setEffectRunning(bool running);

 private:
  struct DurationRow {
    QLabel* label = nullptr;
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
  };
  struct DoublePipRow {
    int reg = 0;
    int32_t EffectSlot::*field = nullptr;
    QLabel* label = nullptr;
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
  };

  void buildAnimationPanel(QWidget* area);
  void buildDoublePipPanel(QWidget* area);
  void buildInlayPanel();
  DurationRow buildDuration(QWidget* parent, const char* name, const QString& caption, int reg,
                            int32_t EffectSlot::*field);
  void openingClicked(int v);
  void closingClicked(int v);
  void framePressed(int tag);
  void showDurations();
  void applyAnimationWidth(int width);
  void placeFoldedAnimationButton();
  void startSlides();
  void stepCloseInlay();
  void stepOpenInlay();
  void stepOpenAnimation();
  void stepCloseAnimation();
  void finishCloseInlay();
  void finishOpenInlay();
  void finishCloseAnimation();
  void finishOpenAnimation();
  void placeInlayGroups(int frameTop, int inlayTop);
  void pipSwitchClicked();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TEffectsContext& ctx_;
  QWidget* inlayPanel_ = nullptr;
  QWidget* doublePip_ = nullptr;
  QWidget* animationPanel_ = nullptr;
  QLabel* preview_ = nullptr;
  QTimer* previewTimer_ = nullptr;
  std::array<QRadioButton*, 16> openings_{};
  std::array<QRadioButton*, 16> closings_{};
  std::array<QRadioButton*, 6> frames_{};

  QGroupBox* openingGroup_ = nullptr;
  QGroupBox* closingGroup_ = nullptr;
  QButtonGroup* openingButtons_ = nullptr;
  QButtonGroup* closingButtons_ = nullptr;
  DurationRow openDur_;
  DurationRow closeDur_;
  QPushButton* animDown_ = nullptr;
  QPushButton* animUp_ = nullptr;

  QGroupBox* frameGroup_ = nullptr;
  QButtonGroup* frameButtons_ = nullptr;
  QPushButton* inlayDown_ = nullptr;
  QPushButton* inlayUp_ = nullptr;

  std::array<DoublePipRow, 8> dpipRows_{};  // EFFPK, EFFPL, EFFPM, EFFPN, EFFPO, EFFPP, EFFPQ, EFFPR
  QGroupBox* maskGroup_ = nullptr;
  QToolButton* oneToOneH_ = nullptr;
  QToolButton* oneToOneV_ = nullptr;

  // Slides: the four requests, whether the animation panel is unfolded
  // (or unfolding), and whether the Double PiP layout is in force.
  QTimer* slideTimer_ = nullptr;
  bool closeInlayRequested_ = false;
  bool openInlayRequested_ = false;
  bool openAnimationRequested_ = false;
  bool closeAnimationRequested_ = false;
  bool animationOpen_ = false;
  bool dpipLayout_ = false;

  // Preview: what Button_test set last and the closing flag it keeps.
  PreviewState previewState_;
  bool closingFlag_ = false;
};

}  // namespace zelvan::keying
