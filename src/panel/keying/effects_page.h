// The Effects page's parameter controls for the selected effect key: the
// refresh that shows only the groups the key's kind uses and loads their
// values, the handlers of every slider, edit and button (duration with
// Holding and the presets, positions, sizes with 1:1 and the size lock,
// mask, intensity, the paced border trios, border, Smooth, inlay), and the
// display of the device's reports of the effect registers. It also lends
// its parameter behaviour to the Double PiP controls of the animation panel.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "panel/keying/effects_context.h"

class QAbstractButton;
class QLineEdit;
class QScrollBar;
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

 private:
  TEffectsContext& ctx_;
  TTamponVar* bufferI_ = nullptr;
  TTamponVar* bufferJ_ = nullptr;
  TTamponVar* bufferS_ = nullptr;
  zelvan::signal::TRadioGroup* inlay_ = nullptr;
};

}  // namespace zelvan::keying
