// What the effect keys, the Effects page and the effect animation need from
// outside themselves: the effect key memory and the effect name table of the
// main window, the effect chooser menu, the Effects page, the controls of
// other panels they lock or drive (the input panel, the duration presets,
// the PiP switch buttons), the soft-edge window's effect keys and the
// animation pictures. Every member is pure: whoever builds the effect
// panels answers all of them (the application's effects feature, or a test
// harness).
#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace zelvan::keying {

class EffectKeyMemory;
class TEffectNameTable;
class TAnimationStrip;

class TEffectsHost {
 public:
  virtual ~TEffectsHost() = default;

  // ---- data of the main window ----
  virtual EffectKeyMemory& effectMemory() = 0;
  // EffectNameTable: the chooser item naming (kind, EFFOPEN).
  virtual const TEffectNameTable& effectNames() const = 0;
  // The pictures of the preview (possibly empty).
  virtual const TAnimationStrip& animationStrip() const = 0;

  // ---- the effect chooser ----
  // PopupMenu_effect: its title item menuitem_Effect and its radio items
  // (data = kind, tool tip = the hint naming the opening it rules out).
  virtual QMenu* effectMenu() const = 0;
  virtual QAction* effectMenuTitle() const = 0;
  virtual QActionGroup* effectMenuGroup() const = 0;

  // ---- pages ----
  // The tab sheet Effects, where the effect controls are built.
  virtual QWidget* effectsPage() const = 0;
  // Opens the Effects page and runs the page-change action.
  virtual void showEffectsPage() = 0;
  // Whether the Effects page is the active page.
  virtual bool effectsPageActive() const = 0;

  // ---- controls of other panels ----
  // Panel_ichmp: the main input selection panel.
  virtual QWidget* inputPanel() const = 0;
  // Button_1s, Button_3s, Button_5s (i = 0, 1, 2) of the transition panel.
  virtual QAbstractButton* durationPreset(int i) const = 0;
  // SpeedButton_pippop_main (output 1) and SpeedButton_pippop_preview (2).
  virtual QAbstractButton* pipSwitch(int output) const = 0;
  // Restarts the 5000 ms PiP switch timer (stop, then start).
  virtual void restartPipSwitchTimer() = 0;

  // ---- the soft-edge window's effect keys (1..6 = slots 101..106) ----
  // nullptr until that window carries them.
  virtual QAbstractButton* softEdgeKey(int n) const = 0;
  virtual QAbstractButton* softEdgeChooser(int n) const = 0;
  // Its key click action, run for the selected soft-edge key when the
  // memories are taken over.
  virtual void softEdgeKeyClick(int n) = 0;
};

}  // namespace zelvan::keying
