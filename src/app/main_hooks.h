// Hooks of the main window: the places where the start-up sequence, the
// model layout and the one-second tick call into features that live in
// their own panels (input row, logos, effects, soft-edge, matrix window...).
// Each feature fills the hooks it implements when it is wired into the main
// window; an empty hook is skipped, so the shell runs on its own.
#pragma once

#include <functional>

struct TMainHooks {
  // ---- start-up, files and labels ----
  // Effect memories were (re)loaded or reset: rebuild the key captions and
  // re-apply the selected key (continuer_les_parametrages_des_effets).
  std::function<void()> effectMemoriesTakenOver;
  // Carry the input, audio and output labels to their places (rename).
  std::function<void()> refreshInputLabels;
  // Carry memory label `index` (1..14) to its places (logorename).
  std::function<void(int index)> refreshMemoryLabel;
  // Rebuild the input buttons' hints (hinthinthint_ichm).
  std::function<void()> refreshInputHints;

  // ---- model layout (visible_or_not_visible) ----
  // The logo panels refresh which memories may be selected.
  std::function<void()> refreshSelectableMemories;
  // One run of the embedded soft-edge mode handler.
  std::function<void()> embeddedSoftEdgeHandler;

  // ---- page control ----
  // Both logo tab controls went back to their first tab: run their change handlers.
  std::function<void()> logoTabsReset;
  // The effect preview animation runs exactly while the Effects page is active.
  std::function<void(bool effectsPageActive)> effectAnimationTimer;

  // ---- shutdown ----
  // The debug console's own close handling, when it is showing.
  std::function<void()> closeDebugConsole;

  // ---- one-second tick (in the order the tick calls them) ----
  // (Freeze, input and PIP switch blinks and TAKE are the signal-path
  // panels' own steps; the main window calls them directly.)
  std::function<void()> blinkLogoStatusMain;      // clignotantLSTATUS_M
  std::function<void()> blinkLogoStatusPreview;   // clignotantLSTATUS_P
  // Any of the four effect-animation request flags is set.
  std::function<bool()> effectAnimationRequested;
  std::function<void()> effectAnimationStep;      // ObjectAnimation
  // The soft-edge window frames its inputs in blue while `blink` is true.
  std::function<void(bool blink)> blinkEmbeddedTake;
};
