#include "panel/keying/effect_chooser.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace zelvan::keying {

namespace {
QAction* item(QMenu* menu, const char* name, const QString& caption, int kind = -1) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QLatin1String(name));
  if (kind >= 0) a->setData(kind);
  return a;
}

QMenu* subMenu(QMenu* parent, const char* name, const QString& caption) {
  QMenu* m = parent->addMenu(caption);
  m->setObjectName(QLatin1String(name));
  return m;
}
}  // namespace

void TEffectChooser::build(QWidget* owner) {
  PopupMenu_effect = new QMenu(owner);
  PopupMenu_effect->setObjectName(QStringLiteral("PopupMenu_effect"));
  EffectGroup = new QActionGroup(owner);
  EffectGroup->setObjectName(QStringLiteral("EffectGroup"));
  menuitem_Effect = item(PopupMenu_effect, "menuitem_Effect", QStringLiteral("Key effect n°...."));
  menuitem_Effect->setEnabled(false);
  PopupMenu_effect->addSeparator();

  auto effect = [this](QMenu* menu, const char* name, const QString& caption, int kind, const char* hint) {
    QAction* a = item(menu, name, caption, kind);
    a->setCheckable(true);
    if (hint) {
      a->setToolTip(QLatin1String(hint));
      a->setStatusTip(QLatin1String(hint));
    }
    EffectGroup->addAction(a);
    return a;
  };
  menuitem_Cut = effect(PopupMenu_effect, "menuitem_Cut", QStringLiteral("Cut"), 0, nullptr);
  menuitem_Fading = effect(PopupMenu_effect, "menuitem_Fading", QStringLiteral("Fade"), 1, nullptr);
  menuitem_title = effect(PopupMenu_effect, "menuitem_title", QStringLiteral("Title"), 2, nullptr);
  menuitem_ShadowTitle = effect(PopupMenu_effect, "menuitem_ShadowTitle", QStringLiteral("Shadow Title"), 3, nullptr);

  QMenu* hwipe = subMenu(PopupMenu_effect, "menuitem_HorizontalWipe", QStringLiteral("Horizontal Wipe"));
  effect(hwipe, "menuitem_HorizontalWipeLefttoRight", QStringLiteral("Horizontal Wipe Left to Right"), 6,
         "RadioButton_Open2");
  effect(hwipe, "menuitem_HorizontalWipeRighttoLeft", QStringLiteral("Horizontal Wipe Right to Left"), 7,
         "RadioButton_Open3");
  effect(hwipe, "menuitem_HorizontalWipetoCenter", QStringLiteral("Horizontal Wipe to Center"), 8,
         "RadioButton_Open14");
  effect(hwipe, "menuitem_HorizontalWipefromCenter", QStringLiteral("Horizontal Wipe from Center"), 9,
         "RadioButton_Open15");
  QMenu* vwipe = subMenu(PopupMenu_effect, "menuitem_VerticalWipe", QStringLiteral("Vertical Wipe"));
  effect(vwipe, "menuitem_VerticalWipeUp", QStringLiteral("Vertical Wipe Up"), 10, "RadioButton_Open4");
  effect(vwipe, "menuitem_VerticalWipeDown", QStringLiteral("Vertical Wipe Down"), 11, "RadioButton_Open5");
  effect(vwipe, "menuitem_VerticalWipetoCenter", QStringLiteral("Vertical Wipe to Center"), 12, "RadioButton_Open14");
  effect(vwipe, "menuitem_VerticalWipefromCenter", QStringLiteral("Vertical Wipe from Center"), 13,
         "RadioButton_Open15");
  QMenu* square = subMenu(PopupMenu_effect, "menuitem_SquareWipe", QStringLiteral("Square Wipe"));
  effect(square, "menuitem_SquareToCenter", QStringLiteral("Square to Center"), 8, "RadioButton_Open8");
  effect(square, "menuitem_SquareFromCenter", QStringLiteral("Square from Center"), 9, "RadioButton_Open9");
  QMenu* slide = subMenu(PopupMenu_effect, "menuitem_Slide", QStringLiteral("Slide"));
  effect(slide, "menuitem_HorizontalSlideLeftToRight", QStringLiteral("Horizontal Slide Left to Right"), 6,
         "RadioButton_Open6");
  effect(slide, "menuitem_HorizontalSlideRightToLeft", QStringLiteral("Horizontal Slide Right to Left"), 7,
         "RadioButton_Open7");
  effect(slide, "menuitem_VerticalSlideUp", QStringLiteral("Vertical Slide Up"), 10, "RadioButton_Open10");
  effect(slide, "menuitem_VerticalSlideDown", QStringLiteral("Vertical Slide Down"), 11, "RadioButton_Open11");

  menuitem_PIP = effect(PopupMenu_effect, "menuitem_PIP", QStringLiteral("PiP"), 4, nullptr);
  menuitem_DoublePIP = effect(PopupMenu_effect, "menuitem_DoublePIP", QStringLiteral("Double PiP"), 14, nullptr);
  menuitem_PIPFade = effect(PopupMenu_effect, "menuitem_PIPFade", QStringLiteral("PiP Fade"), 5, nullptr);
  menuitem_PIPFade->setVisible(false);
  menuitem_PIPFade->setEnabled(false);
}

}  // namespace zelvan::keying
