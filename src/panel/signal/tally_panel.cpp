#include "panel/signal/tally_panel.h"

#include <QActionGroup>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "device/zelvan_d.h"
#include "panel/signal/input_table.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::signal {

TTallyPanel::TTallyPanel(TSignalContext& ctx, QWidget* outputPage, QMenu* controlsMenu, QBoxLayout* row)
    : QObject(outputPage), ctx_(ctx) {
  group_ = new QGroupBox(QStringLiteral("Tally"), outputPage);
  group_->setObjectName(QStringLiteral("GroupBox_Tally"));
  auto* grid = new QGridLayout(group_);
  tallyMenu_ = new QMenu(group_);
  tallyMenu_->setObjectName(QStringLiteral("PopupMenu_TALLY"));
  for (int n = 1; n <= 8; ++n) tallyMenu_->addAction(QStringLiteral("Input %1").arg(n));
  for (int k = 1; k <= 3; ++k) {
    auto* caption = new QLabel(QStringLiteral("Tally %1:").arg(k), group_);
    auto* list = new TSmallCombo(group_);
    list->setObjectName(QStringLiteral("choix_tally%1_entree_ichm").arg(k));
    list->setProperty("Tag", k);
    list->SetPopUpMenu(tallyMenu_);
    connect(list, &TSmallCombo::clicked, this, [this, k] { choix_tally_entree_ichmChange(k); });
    auto* on = new QLabel(QStringLiteral("OFF"), group_);
    on->setObjectName(QStringLiteral("StaticText_TA%1ON").arg(k));
    grid->addWidget(caption, k - 1, 0);
    grid->addWidget(list, k - 1, 1);
    grid->addWidget(on, k - 1, 2);
    lists_[static_cast<size_t>(k - 1)] = list;
    onTexts_[static_cast<size_t>(k - 1)] = on;
  }
  if (row && row->parentWidget() == outputPage) {
    // A slot of its own: the output group beside it moves to the Matrix
    // settings window and back, the tally group stays.
    auto* own = new QVBoxLayout;
    own->setContentsMargins(0, 0, 0, 0);
    row->addLayout(own, 2);
    own->addWidget(group_);
  } else {
    addToPage(outputPage, group_);
  }

  autolockMenu_ = controlsMenu ? controlsMenu->addMenu(QStringLiteral("No input signal autolock"))
                               : new QMenu(QStringLiteral("No input signal autolock"), group_);
  autolockMenu_->setObjectName(QStringLiteral("menuitem_EIPSIG"));
  auto* radio = new QActionGroup(autolockMenu_);
  itemOff_ = autolockMenu_->addAction(QStringLiteral("On"));
  itemOff_->setObjectName(QStringLiteral("menuitem_Off"));
  itemOff_->setProperty("Tag", 0);
  itemOn_ = autolockMenu_->addAction(QStringLiteral("Off"));
  itemOn_->setObjectName(QStringLiteral("menuitem_On"));
  itemOn_->setProperty("Tag", 1);
  for (QAction* a : {itemOff_, itemOn_}) {
    a->setCheckable(true);
    radio->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] { menuitem_EIPSIG_On_OffClick(a->property("Tag").toInt()); });
  }
}

void TTallyPanel::choix_tally_entree_ichmChange(int tag) {
  if (tag < 1 || tag > 3) return;
  const int pos = lists_[static_cast<size_t>(tag - 1)]->ItemIndex();
  if (pos < 0) return;
  const auto v = static_cast<uint32_t>(pos + 1);
  if (tag == 1) ctx_.link->setTALLY1(v);
  if (tag == 2) ctx_.link->setTALLY2(v);
  if (tag == 3) ctx_.link->setTALLY3(v);
}

void TTallyPanel::menuitem_EIPSIG_On_OffClick(int tag) {
  ctx_.link->setEIPSIGP(tag != 0);
  // The tick follows the device's answer, not the click.
  Zelvan_d1EIPSIGPchange();
}

void TTallyPanel::Zelvan_d1TALLYchange(int k) {
  if (k < 1 || k > 3) return;
  const uint32_t v = k == 1 ? ctx_.link->TALLY1() : k == 2 ? ctx_.link->TALLY2() : ctx_.link->TALLY3();
  // Inputs 1..8 only: 0 or a larger value selects nothing.
  lists_[static_cast<size_t>(k - 1)]->SetItemIndex(v >= 1 && v <= 8 ? static_cast<int>(v) - 1 : -1);
}

void TTallyPanel::Zelvan_d1TAONchange(int k) {
  if (k < 1 || k > 3) return;
  const bool on = k == 1 ? ctx_.link->TA1ON() : k == 2 ? ctx_.link->TA2ON() : ctx_.link->TA3ON();
  onTexts_[static_cast<size_t>(k - 1)]->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void TTallyPanel::Zelvan_d1EIPSIGPchange() {
  if (ctx_.link->EIPSIGP())
    itemOn_->setChecked(true);
  else
    itemOff_->setChecked(true);
}

}  // namespace zelvan::signal
