// Placeholder until the panel is written.
#include "panel/keying/effects_page.h"

namespace zelvan::keying {

TEffectsPage::TEffectsPage(TEffectsContext& ctx, QWidget*, QObject* parent) : QObject(parent), ctx_(ctx) {}
TEffectsPage::~TEffectsPage() = default;
void TEffectsPage::Gestion_affichage_des_cadrages_et_plus_des_EFFETS() {}
void TEffectsPage::EffectsShow() {}
void TEffectsPage::setEffectRunning(bool) {}
void TEffectsPage::storeEffectDuration(int) {}
void TEffectsPage::Zelvan_d1EFFDURchange() {}
void TEffectsPage::Zelvan_d1EFFPIchange() {}
void TEffectsPage::Zelvan_d1EFFPJchange() {}
void TEffectsPage::Zelvan_d1EFFPSchange() {}
void TEffectsPage::Zelvan_d1EFFOPTchange() {}
void TEffectsPage::bindParameter(QScrollBar*, QLineEdit*, int32_t EffectSlot::*, int) {}
void TEffectsPage::addDoublePipSizes(QScrollBar*, QLineEdit*, QAbstractButton*, QScrollBar*, QLineEdit*, QAbstractButton*) {}
void TEffectsPage::restoreOpacityRow() {}
void TEffectsPage::arrangeForDoublePip(QWidget*, bool, bool) {}

}  // namespace zelvan::keying
