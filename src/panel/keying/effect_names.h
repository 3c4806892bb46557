// TEffectNameTable (the main window's EffectNameTable): for each effect kind (0..14) and variant (the key's
// opening animation, 0..15) the effect chooser item whose caption names the
// effect. Slides and squares share their kind with a wipe and differ only by
// the opening animation, hence the variant column.
#pragma once

#include <QString>
#include <array>

class QAction;
class QObject;

namespace zelvan::keying {

class TEffectNameTable {
 public:
  static constexpr int kKinds = 15;
  static constexpr int kVariants = 16;

  // The main window's table, built from the chooser items found by object
  // name under `root` (menuitem_Cut ... menuitem_DoublePIP).
  void fillMain(QObject* root);
  // The soft-edge window's table: kind 4 -> its "PiP" item, kind 14 -> its
  // "Double PiP" item, every other cell empty.
  void fillSoftEdge(QObject* root);

  // The item for (kind, variant), nullptr when out of range or empty.
  QAction* item(int kind, int variant) const;
  // Its caption ("" when there is none).
  QString caption(int kind, int variant) const;
  QString objectName(int kind, int variant) const;

 private:
  std::array<std::array<QAction*, kVariants>, kKinds> cells_{};
};

}  // namespace zelvan::keying
