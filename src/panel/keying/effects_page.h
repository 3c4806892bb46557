// The Effects page's parameter controls for the selected effect key: the
// refresh that shows only the groups the key's kind uses and loads their
// values, the handlers of every slider, edit and button (duration with
// Holding and the presets, positions, sizes with 1:1 and the size lock,
// mask, intensity, the paced border trios, border, Smooth, inlay), and the
// display of the device's reports of the effect registers. It also lends
// its parameter behaviour to the Double PiP controls of the animation panel.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "panel/keying/effects_context.h"

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;
class QWidget;
class TTamponVar;

namespace zelvan::signal {
class TRadioGroup;
}

namespace zelvan::keying {

class TEffectsPage : public QObject {
  Q_OBJECT

 public:
  // Builds the parameter controls into `area` (the Effects page's own
  // container); the Inlay radio goes into the animation's Background and
  // Inlay panel (ctx.animation is built before the page).
  TEffectsPage(TEffectsContext& ctx, QWidget* area, QObject* parent = nullptr);
  ~TEffectsPage() override;

  // ---- the refresh and the page's moments ----
  void Gestion_affichage_des_cadrages_et_plus_des_EFFETS();
  // Every edit of the page back to its height of 15 pixels.
  void EffectsShow();
  // EFFON: the duration controls (Holding, slider, edit, presets) locked
  // while an effect runs; unlocked they stay disabled while Holding is down.
  void setEffectRunning(bool running);
  // A duration preset: stored in the selected key, shown on ScrollBar_duree
  // (the preset sends EFFDUR itself).
  void storeEffectDuration(int tenths);

  // ---- reports ----
  void Zelvan_d1EFFDURchange();
  void Zelvan_d1EFFPIchange();
  void Zelvan_d1EFFPJchange();
  void Zelvan_d1EFFPSchange();
  void Zelvan_d1EFFOPTchange();

  // ---- lent to the Double PiP controls ----
  // A slider and its edit behave as a parameter of the page: every scroll
  // event stores the position in `field` of the selected slot and sends
  // `reg`; a value shown from code writes the edit; Enter in the edit moves
  // the slider and runs its scroll action as an end of scroll.
  void bindParameter(QScrollBar* bar, QLineEdit* edit, int32_t EffectSlot::*field, int reg);
  // The Double PiP size pair with its 1:1 buttons and saved values
  // (EFFPM/OLD_EFFPM, EFFPN/OLD_EFFPN): 1:1 and the size lock treat them
  // like the main pair, each pair coupled within itself.
  void addDoublePipSizes(QScrollBar* h, QLineEdit* editH, QAbstractButton* oneToOneH, QScrollBar* v, QLineEdit* editV,
                         QAbstractButton* oneToOneV);
  // The EFFPJ trio back on the page at row 314 (x 147, 232, 436), showing
  // the selected key's value (255 minus it for a Double PiP kind).
  void restoreOpacityRow();
  // Double PiP layout: the duration, size, position and mask controls and
  // the size lock into `panel` (two columns, main picture values at x 528,
  // edits at x 656) and, with `withOpacity`, the EFFPJ trio at row 175
  // (slider at x 528, width 121), enabled; `dpip` false puts them all back.
  void arrangeForDoublePip(QWidget* panel, bool dpip, bool withOpacity);

  TTamponVar* TamponVar_EFFPI() const { return bufferI_; }
  TTamponVar* TamponVar_EFFPJ() const { return bufferJ_; }
  TTamponVar* TamponVar_EFFPS() const { return bufferS_; }
  zelvan::signal::TRadioGroup* LMDRadioGroup_EFFOPT() const { return inlay_; }

  // ---- controls ----
  QScrollBar* ScrollBar_duree() const { return durationBar_; }
  QLineEdit* Edit_duree() const { return durationEdit_; }
  QToolButton* SpeedButton_holding() const { return holding_; }
  QToolButton* SpeedButton_size() const { return sizeLock_; }
  QToolButton* SpeedButton_1pour1_Horizontal() const { return oneToOneH_; }
  QToolButton* SpeedButton_1pour1_Vertical() const { return oneToOneV_; }
  zelvan::signal::TRadioGroup* LMD_RadioGroup_Option_effect_courant() const { return border_; }
  QCheckBox* CheckBox_EdgeSmooth() const { return smooth_; }

  // ---- operator actions (also run by the tests' clicks) ----
  void SpeedButton_holdingClick();
  void SpeedButton_sizeClick();
  void CheckBox_EdgeSmoothClick();
  void LMD_RadioGroup_Option_effect_courantClick(int item);
  void LMDRadioGroup_EFFOPTClick(int item);

 private:
  // A slider with its edit that stores and sends one register.
  struct Parameter {
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    int32_t EffectSlot::*field = nullptr;
    int reg = -1;
  };
  // A size slider: a parameter with its 1:1 button, the saved value the
  // 1:1 button restores, and its partner of the size lock.
  struct SizeControl {
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    QAbstractButton* oneToOne = nullptr;
    int32_t EffectSlot::*field = nullptr;
    int32_t EffectSlot::*saved = nullptr;
    int reg = -1;
    int partner = -1;  // index in sizes_
  };
  // EFFPI, EFFPJ, EFFPS: label, slider, edit and the pacing buffer.
  struct Paced {
    QLabel* label = nullptr;
    QScrollBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    TTamponVar* buffer = nullptr;
    int32_t EffectSlot::*field = nullptr;
    int reg = -1;
    bool opacity = false;  // EFFPJ: shown as 255 minus the value for Double PiP
  };
  enum PacedIndex { PacedI, PacedJ, PacedS };
  // A control moved into the Double PiP panel, with its two places.
  struct Placement {
    QPointer<QWidget> widget;
    QRect page;
    QRect doublePip;
  };

  void build(QWidget* area);
  void buildDuration(QWidget* area);
  void buildPositionsAndSizes(QWidget* area);
  void buildMask(QWidget* area);
  void buildOptions(QWidget* area);
  void buildInlay(QWidget* area);
  QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& r);
  QScrollBar* makeBar(QWidget* parent, const char* name, int minimum, int maximum, const QRect& r);
  QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& r);
  void place(QWidget* w, const QRect& page, const QRect& doublePip);

  // Parameters.
  int addParameter(QScrollBar* bar, QLineEdit* edit, int32_t EffectSlot::*field, int reg);
  void parameterScrolled(int index, int64_t value);
  void parameterEntered(int index);
  // Sizes.
  int addSize(QScrollBar* bar, QLineEdit* edit, QAbstractButton* oneToOne, int32_t EffectSlot::*field,
              int32_t EffectSlot::*saved, int reg);
  void sizeScrolled(int index, int64_t value);
  void sizeEntered(int index);
  void oneToOneClicked(int index, bool down);
  void oneToOnePressed(int index);
  void oneToOneReleased(int index);
  bool sizeLockCouples(const QScrollBar* bar) const;
  QWidget* layoutHost(const QWidget* w) const;
  // Duration.
  void durationScrolled(int pos);
  void durationEntered();
  void showDuration(int64_t tenths);
  void showHolding(bool holding);
  void setDurationControlsEnabled(bool enabled);
  // Paced trios.
  void pacedScrolled(PacedIndex p, int code, int pos);
  void pacedEntered(PacedIndex p);
  void pacedReported(PacedIndex p);
  int64_t pacedDisplay(PacedIndex p, int64_t value) const;
  void showPaced(PacedIndex p, int64_t wireValue);
  void setPacedEnabled(PacedIndex p, const QString& caption, bool enabled);
  // EFFOPT on the Border radio, the option trios and Smooth.
  void showOption(int64_t option);
  // An edit's integer: nothing (after the error box) for no number, a
  // negative one or one an int32 field cannot hold.
  std::optional<int64_t> readParameterText(QLineEdit* edit) const;
  bool optionGroupShown() const;
  void storeAndSend(int32_t EffectSlot::*field, int reg, int64_t value);

  TEffectsContext& ctx_;
  QWidget* area_ = nullptr;
  QWidget* ownArea_ = nullptr;     // only when built without a container
  QPointer<QWidget> dpipPanel_;    // where the Double PiP layout put the controls
  TTamponVar* bufferI_ = nullptr;
  TTamponVar* bufferJ_ = nullptr;
  TTamponVar* bufferS_ = nullptr;
  zelvan::signal::TRadioGroup* inlay_ = nullptr;

  // Duration.
  QLabel* durationLabel_ = nullptr;
  QLabel* durationMin_ = nullptr;
  QLabel* durationMax_ = nullptr;
  QScrollBar* durationBar_ = nullptr;
  QLineEdit* durationEdit_ = nullptr;
  QToolButton* holding_ = nullptr;
  // Positions and sizes.
  QFrame* bevelPosition_ = nullptr;
  QLabel* hPosLabel_ = nullptr;
  QLabel* vPosLabel_ = nullptr;
  QFrame* bevelSize_ = nullptr;
  QLabel* hSizeLabel_ = nullptr;
  QLabel* vSizeLabel_ = nullptr;
  QToolButton* oneToOneH_ = nullptr;
  QToolButton* oneToOneV_ = nullptr;
  QFrame* lineH_ = nullptr;
  QFrame* lineV_ = nullptr;
  QToolButton* sizeLock_ = nullptr;
  // Mask and intensity.
  QWidget* mask_ = nullptr;
  std::vector<QWidget*> maskRows_[4];  // label, slider, edit of H pos, V pos, H size, V size
  QLabel* intensityLabel_ = nullptr;
  // Options.
  zelvan::signal::TRadioGroup* border_ = nullptr;
  QFrame* drawEdge_ = nullptr;
  QFrame* bevelOption_ = nullptr;
  QCheckBox* smooth_ = nullptr;
  Paced paced_[3];

  std::vector<Parameter> params_;
  int hPos_ = -1, vPos_ = -1, intensity_ = -1;
  int maskParams_[4] = {-1, -1, -1, -1};
  std::vector<SizeControl> sizes_;
  std::vector<Placement> moved_;
  std::vector<QLineEdit*> edits_;
  bool running_ = false;
};

}  // namespace zelvan::keying
