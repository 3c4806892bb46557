// Placeholder until the panel is written.
#include "panel/keying/effect_animation.h"

namespace zelvan::keying {

TEffectAnimation::TEffectAnimation(TEffectsContext& ctx, QWidget*, QObject* parent) : QObject(parent), ctx_(ctx) {}
TEffectAnimation::~TEffectAnimation() = default;
void TEffectAnimation::connectToPage() {}
QRadioButton* TEffectAnimation::RadioButton_Open(int) const { return nullptr; }
QRadioButton* TEffectAnimation::RadioButton_Close(int) const { return nullptr; }
QRadioButton* TEffectAnimation::RadioButton_Frame(int) const { return nullptr; }
void TEffectAnimation::refreshAnimationButtons() {}
void TEffectAnimation::RadioButton_OpenDefault() {}
void TEffectAnimation::RadioButton_CloseDefault() {}
void TEffectAnimation::loadValues() {}
void TEffectAnimation::requestFolds() {}
void TEffectAnimation::Affichage_et_reglage_position_doublePIP(bool) {}
void TEffectAnimation::Button_test(int, bool) {}
void TEffectAnimation::ANIMATION_EFFECT() {}
void TEffectAnimation::setPreviewActive(bool) {}
void TEffectAnimation::ObjectAnimation() {}
bool TEffectAnimation::animationRequested() const { return false; }
void TEffectAnimation::activation_des_boutons_choix_pip_pop() {}
void TEffectAnimation::setEffectRunning(bool) {}

}  // namespace zelvan::keying
