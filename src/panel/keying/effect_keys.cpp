// Placeholder until the panel is written.
#include "panel/keying/effect_keys.h"

namespace zelvan::keying {

TEffectKeys::TEffectKeys(TEffectsContext& ctx, QWidget*, QObject* parent) : QObject(parent), ctx_(ctx) {}
TEffectKeys::~TEffectKeys() = default;
QToolButton* TEffectKeys::SpeedButton_Effet(int) const { return nullptr; }
QPushButton* TEffectKeys::BitBtn_effect(int) const { return nullptr; }
void TEffectKeys::init_effet(bool, int) {}
void TEffectKeys::continuer_les_parametrages_des_effets() {}
void TEffectKeys::Numero_et_nom_de_leffet_avec_ce_qui_vas_bien() {}
void TEffectKeys::SpeedButton_Effet_choisie_Click(int) {}
void TEffectKeys::pressKey(int) {}
void TEffectKeys::setKeyCaption(int, const QString&) {}
void TEffectKeys::openChooser(int, const QPoint&) {}
void TEffectKeys::chooseEffect(QAction*) {}
void TEffectKeys::openDurationMenu(int, const QPoint&) {}
void TEffectKeys::N_xxClick(int) {}
void TEffectKeys::BitBtn_reset_effetClick() {}
void TEffectKeys::releaseAllKeys() {}
void TEffectKeys::currentEffectReported() {}
void TEffectKeys::Gestion_mise_en_memoire_des_options_de_leffect_current() {}
void TEffectKeys::Zelvan_d1EFFPRchange() {}
void TEffectKeys::Actu_down_buttons_effet_par_rapport_leffet_current_de_la_machine() {}
void TEffectKeys::Zelvan_d1EFFONchange() {}
void TEffectKeys::Zelvan_d1Ready() {}

}  // namespace zelvan::keying
