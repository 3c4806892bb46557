// The constant tables of the effects: which control groups of the Effects
// page each effect kind uses, which opening and closing animations it
// offers, the captions of the animation buttons, the preview's frame index,
// the register order a key sends in, and the small text rules of the key
// captions and the duration edit. Everything here is pure and checks its
// arguments: a value out of range never indexes a table.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "panel/keying/effect_memory.h"

namespace zelvan::keying {

constexpr int kEffectKinds = 15;       // EFFECT 0..14
constexpr int kAnimationValues = 16;   // EFFOPEN / EFFCLOSE 0..15
constexpr int kEffectOptions = 7;      // EFFOPT 0..6
constexpr int kKindDoublePip = 14;

constexpr bool validKind(int64_t k) { return k >= 0 && k < kEffectKinds; }
constexpr bool validAnimation(int64_t v) { return v >= 0 && v < kAnimationValues; }
constexpr bool validOption(int64_t v) { return v >= 0 && v < kEffectOptions; }

// Kinds whose second picture stays on air after a take (Title, Shadow
// Title, PiP, PiP Fade, Double PiP): the input panel stays usable while
// they run and the PiP switch buttons apply.
constexpr bool isKeyedKind(int64_t k) { return k == 2 || k == 3 || k == 4 || k == 5 || k == kKindDoublePip; }
constexpr bool isPipKind(int64_t k) { return k == 4 || k == 5; }

// The control groups of the Effects page (columns of the control table).
enum class EffectGroup : int {
  Preset1s, Preset3s, Preset5s, Dur, HSize, VSize, HPos, VPos,
  MskHS, MskVS, MskHP, MskVP, Int, Hold, Opt, DPiP, TOpt,
  Count
};
// Whether kind k shows group g (false for a kind out of range).
bool effectGroup(int64_t kind, EffectGroup g);

// ---- Opening and closing animations ----
// Opening value v is RadioButton_Open<v>; closing value v is
// RadioButton_Close<closingButtonNumber(v)> (0 and 1 keep their number,
// the others swap within their pair).
constexpr int closingButtonNumber(int v) { return v < 2 ? v : (v ^ 1); }
constexpr int closingValueOfButton(int n) { return n < 2 ? n : (n ^ 1); }
QString openingButtonName(int v);
QString closingButtonName(int v);
// Captions as the buttons carry them ("Wipe H && V to Center": a doubled
// ampersand shows as one); empty out of range.
QString openingCaption(int v);
QString closingCaption(int v);
// Whether kind k offers opening / closing value v (false out of range).
bool openingAllowed(int64_t kind, int v);
bool closingAllowed(int64_t kind, int v);
// Whether kind k has both an opening and a closing animation with durations.
bool hasOpenClose(int64_t kind);
// The kind's default opening and closing value (0 for a kind out of range).
int animationDefault(int64_t kind);
// The openings 2..11, 14 and 15 can be ruled out by the hint of the chooser
// item a key was given ("RadioButton_Open6" on Horizontal Slide Left to Right).
bool openingRuledOutByHint(int v, const QString& hint);
// Opening v is enabled for a key of kind k with that hint.
bool openingEnabled(int64_t kind, int v, const QString& hint);
// The opening to use when the key's own one is not enabled: the kind's
// default when that is enabled, else the first enabled opening (a slide
// whose default is the wipe it rules out keeps being a slide); -1 when the
// kind enables none.
int fallbackOpening(int64_t kind, const QString& hint);

// ---- Preview ----
constexpr int kPreviewFramesPerPhase = 33;  // c = 0..32
constexpr int kStripMinimumFrames = 795;
// Index into the picture strip of frame c (0..32) of a phase: the opening
// phase by the opening value, the closing phase by the closing value; PiP
// and PiP Fade use the block 399 higher (base 398 for openings 0 and 1).
// -1 for a kind or value out of range.
int previewFrameIndex(int64_t kind, bool closingPhase, int value, int c);

// ---- Wire order ----
struct EffectRegister {
  int reg;                        // register index (Reg::EFFDUR ...)
  int32_t EffectSlot::*member;    // the slot's field
};
// What a key sends when it goes down, in order (EFFECT first; no EFFADR).
const std::array<EffectRegister, 26>& keyDownOrder();
// The registers set to 0 when a key is released, in order.
const std::array<int, 10>& keyReleaseZeros();
// What Preset sends after the duration, in order (EFFADR last).
const std::array<EffectRegister, 26>& presetOrder();
// The registers whose reports are copied into slot 7 (every register of
// keyDownOrder()).
bool isCurrentEffectRegister(int reg);

// ---- Texts ----
// A key caption over 15 characters breaks before the first blank at or
// after character 13 (1-based): "Horizontal Wipe\r\nLeft to Right".
QString wrapKeyCaption(const QString& caption);
// The caption as a button shows it ("\r\n" becomes a line break).
QString displayCaption(const QString& caption);
// The duration edit's text: tenths / 10 in general format with three
// significant digits and "s" (15 -> "1.5s", 20 -> "2s").
QString durationText(int64_t tenths);
// The duration edit read back: "." and "," are the decimal comma, every
// "s" a blank, blanks around ignored; the seconds times ten, rounded.
// nullopt when the text is no number.
std::optional<int64_t> durationFromText(const QString& text);

// ---- Values from a file ----
// A slot read from a customization file: a kind, opening, closing or
// option out of range takes the value a missing line gives.
void sanitizeSlot(EffectSlot& slot);
// ButtonEffect from a file: 1..7 and 101..106 are keys, anything else is key 1.
int sanitizeButtonEffect(int64_t value);

}  // namespace zelvan::keying
