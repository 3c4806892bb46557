// The model layout (visible_or_not_visible): which menus, memories, frames
// and captions exist for the model the device reports, applied once per
// model and again when forced.
#pragma once

#include <QList>
#include <array>
#include <cstdint>

#include "app/model_table.h"

class QAction;
class QWidget;
class TZelvan_main;

namespace zelvan::app {

class TModelLayout {
 public:
  explicit TModelLayout(TZelvan_main& shell) : shell_(shell) {}

  // Applies the layout of a DEV value unless it is the one applied last.
  void visible_or_not_visible(uint32_t dev);
  // Forced re-application of the current layout (save the last applied
  // model, clear it, apply the saved model). With
  // `skipSelectableMemoriesOnce` the features' refresh of the selectable
  // memories is skipped that once (a test-pattern change asks for that).
  void forceModelLayout(bool skipSelectableMemoriesOnce);

  uint32_t LastAppliedModel = 0;
  bool SkipSelectableMemoriesOnce = false;
  // Visible flags of the 15 positions of the sixteen frame combos (main
  // window's 8, then the matrix window's 8) after the last model layout.
  std::array<std::array<bool, kMemoryPositions>, 16> SavedFrameComboVisible{};

 private:
  // The transition and frame buttons of frame k (3..6) in every window.
  QList<QWidget*> frameButtons(int k) const;
  // The second SDI input's signal-type items.
  QList<QAction*> secondSdiItems() const;
  void applyModelRow(int modelIndex);
  void unlockFrames(int modelIndex);

  TZelvan_main& shell_;
};

}  // namespace zelvan::app
