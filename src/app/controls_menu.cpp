#include "app/controls_menu.h"

#include <QAction>
#include <QMenu>
#include <functional>

#include "app/main_menus.h"
#include "app/report_router.h"
#include "device/zelvan_d.h"
#include "widgets/uidialogs.h"

namespace zelvan::app {

TControlsMenu::TControlsMenu(TMainMenus& menus, TZelvan_d& link, QWidget* dialogParent)
    : menus_(menus), link_(link), parent_(dialogParent) {
  TMainMenus* m = &menus_;
  auto send = [m](QAction* a, std::function<void(int)> write) {
    QObject::connect(a, &QAction::triggered, m, [a, write] { write(a->data().toInt()); });
  };
  // The radio check stays on the last reported value until the device
  // answers (the menu follows the device, not the click).
  for (QAction* a : {m->PullDown_Auto, m->PullDown_Off})
    send(a, [this](int t) {
      link_.setEPD(t != 0);
      Zelvan_d1EPDchange();
    });
  for (QAction* a : {m->Demo_Yes, m->Demo_No})
    send(a, [this](int t) {
      link_.setDEMO(t != 0);
      Zelvan_d1DEMOchange();
    });
  // The sync-loss check follows the FRAMEALERT report only: the click's own
  // check goes back to the device's value at once.
  for (QAction* a : m->Input_Sync_Loss->actions())
    send(a, [this, m](int t) {
      link_.setFRAMEALERT(uint32_t(t));
      const int current = int(link_.FRAMEALERT());
      for (QAction* item : m->Input_Sync_Loss->actions()) item->setChecked(item->data().toInt() == current);
    });
  QObject::connect(m->EraseAllMemories, &QAction::triggered, m, [this] {
    if (zelvan::ui::dialogs().confirm(parent_, QStringLiteral("Confirmation"),
                                      QStringLiteral("Are you sure you want erase all memories ?")))
      link_.setERAPOS(true);
  });
  QObject::connect(m->DefaultValues, &QAction::triggered, m, [this] {
    if (zelvan::ui::dialogs().confirm(parent_, QStringLiteral("Confirmation"),
                                      QStringLiteral("Are you sure you want default value ?")))
      link_.setFRESET(true);
  });
}

void TControlsMenu::addRoutes(TReportRouter& router) {
  router.add(Reg::EPD, RoutePos::Shell, QStringLiteral("TControlsMenu::Zelvan_d1EPDchange"), [this] { Zelvan_d1EPDchange(); });
  router.add(Reg::DEMO, RoutePos::Shell, QStringLiteral("TControlsMenu::Zelvan_d1DEMOchange"), [this] { Zelvan_d1DEMOchange(); });
}

void TControlsMenu::Zelvan_d1EPDchange() {
  (link_.EPD() ? menus_.PullDown_Auto : menus_.PullDown_Off)->setChecked(true);
}

void TControlsMenu::Zelvan_d1DEMOchange() { (link_.DEMO() ? menus_.Demo_Yes : menus_.Demo_No)->setChecked(true); }

}  // namespace zelvan::app
