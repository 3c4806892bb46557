// The effect chooser pop-up PopupMenu_effect: a disabled title item, then
// one radio item per effect (data = the effect kind; the wipe, slide and
// square items carry in their hint the opening button they rule out),
// grouped in the submenus Horizontal Wipe, Vertical Wipe, Square Wipe and
// Slide; PiP Fade is hidden and disabled.
#pragma once

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace zelvan::keying {

struct TEffectChooser {
  QMenu* PopupMenu_effect = nullptr;
  QActionGroup* EffectGroup = nullptr;
  QAction* menuitem_Effect = nullptr;
  QAction* menuitem_Cut = nullptr;
  QAction* menuitem_Fading = nullptr;
  QAction* menuitem_title = nullptr;
  QAction* menuitem_ShadowTitle = nullptr;
  QAction* menuitem_PIP = nullptr;
  QAction* menuitem_PIPFade = nullptr;
  QAction* menuitem_DoublePIP = nullptr;

  // Builds the menu and its group, both owned by `owner`.
  void build(QWidget* owner);
};

}  // namespace zelvan::keying
