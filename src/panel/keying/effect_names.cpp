#include "panel/keying/effect_names.h"

#include <QAction>
#include <QObject>

namespace zelvan::keying {
namespace {
QAction* findItem(QObject* root, const char* name) {
  return root ? root->findChild<QAction*>(QLatin1String(name)) : nullptr;
}
}  // namespace

void TEffectNameTable::fillMain(QObject* root) {
  static const char* const kKindItems[kKinds] = {
      "menuitem_Cut",
      "menuitem_Fading",
      "menuitem_title",
      "menuitem_ShadowTitle",
      "menuitem_PIP",
      "menuitem_PIPFade",
      "menuitem_HorizontalWipeLefttoRight",
      "menuitem_HorizontalWipeRighttoLeft",
      "menuitem_HorizontalWipetoCenter",
      "menuitem_HorizontalWipefromCenter",
      "menuitem_VerticalWipeUp",
      "menuitem_VerticalWipeDown",
      "menuitem_VerticalWipetoCenter",
      "menuitem_VerticalWipefromCenter",
      "menuitem_DoublePIP",
  };
  for (int k = 0; k < kKinds; ++k) cells_[size_t(k)].fill(findItem(root, kKindItems[k]));
  struct Override {
    int kind, variant;
    const char* item;
  };
  static constexpr Override kOverrides[] = {
      {6, 2, "menuitem_HorizontalSlideLeftToRight"}, {7, 3, "menuitem_HorizontalSlideRightToLeft"},
      {8, 14, "menuitem_SquareToCenter"},            {9, 15, "menuitem_SquareFromCenter"},
      {10, 4, "menuitem_VerticalSlideUp"},           {11, 5, "menuitem_VerticalSlideDown"},
      {12, 14, "menuitem_SquareToCenter"},           {13, 15, "menuitem_SquareFromCenter"},
  };
  for (const auto& o : kOverrides) cells_[size_t(o.kind)][size_t(o.variant)] = findItem(root, o.item);
}

void TEffectNameTable::fillSoftEdge(QObject* root) {
  for (auto& row : cells_) row.fill(nullptr);
  cells_[4].fill(findItem(root, "menuitem_PIP"));
  cells_[14].fill(findItem(root, "menuitem_DoublePIP"));
}

QAction* TEffectNameTable::item(int kind, int variant) const {
  if (kind < 0 || kind >= kKinds || variant < 0 || variant >= kVariants) return nullptr;
  return cells_[size_t(kind)][size_t(variant)];
}

QString TEffectNameTable::caption(int kind, int variant) const {
  const QAction* a = item(kind, variant);
  return a ? a->text() : QString();
}

QString TEffectNameTable::objectName(int kind, int variant) const {
  const QAction* a = item(kind, variant);
  return a ? a->objectName() : QString();
}

}  // namespace zelvan::keying
