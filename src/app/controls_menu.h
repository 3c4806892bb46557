// The device-wide commands of the Controls menu: 2:2 pull-down (EPD), demo
// mode (DEMO), input sync loss (FRAMEALERT), erase all memories (ERAPOS)
// and default values (FRESET). One-shot writes: the device answers with the
// registers, and the radio items show what it reports.
#pragma once

class QWidget;
class TMainMenus;
class TZelvan_d;

namespace zelvan::app {

class TReportRouter;

class TControlsMenu {
 public:
  TControlsMenu(TMainMenus& menus, TZelvan_d& link, QWidget* dialogParent);
  void addRoutes(TReportRouter& router);

  // Auto checked when EPD is non-zero, Off otherwise.
  void Zelvan_d1EPDchange();
  // Yes or No to match DEMO.
  void Zelvan_d1DEMOchange();

 private:
  TMainMenus& menus_;
  TZelvan_d& link_;
  QWidget* parent_;
};

}  // namespace zelvan::app
