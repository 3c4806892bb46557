// The effect tables: animation choices with the hint rule and the
// fallback, the preview frame index, caption wrap, duration texts, and the
// range checks of values read from a file.
#include "effects_test_support.h"

namespace effects_test {
namespace {

TEST(EffectTables, OpeningsFollowKindAndHint) {
  // Horizontal Wipe Left to Right rules out the slide; the slide rules out the wipe.
  EXPECT_TRUE(openingEnabled(6, 6, QStringLiteral("RadioButton_Open2")));
  EXPECT_FALSE(openingEnabled(6, 2, QStringLiteral("RadioButton_Open2")));
  EXPECT_TRUE(openingEnabled(6, 2, QStringLiteral("RadioButton_Open6")));
  EXPECT_FALSE(openingEnabled(6, 6, QStringLiteral("RadioButton_Open6")));
  // The slide's default (6) is its disabled wipe: the first enabled opening instead.
  EXPECT_EQ(fallbackOpening(6, QStringLiteral("RadioButton_Open6")), 2);
  EXPECT_EQ(fallbackOpening(9, QStringLiteral("RadioButton_Open9")), 15);
  EXPECT_EQ(fallbackOpening(6, QStringLiteral("RadioButton_Open2")), 6);
  EXPECT_EQ(fallbackOpening(4, QString()), 0);
  // PiP: "Wipe H. to Center" (8) closes but does not open; "from Center" (9) the other way round.
  EXPECT_TRUE(closingAllowed(4, 8));
  EXPECT_FALSE(closingAllowed(4, 9));
  EXPECT_FALSE(openingAllowed(4, 8));
  EXPECT_TRUE(openingAllowed(4, 9));
  EXPECT_TRUE(hasOpenClose(2));
  EXPECT_FALSE(hasOpenClose(6));
  // Out of range never reads a table.
  EXPECT_FALSE(openingAllowed(15, 0));
  EXPECT_FALSE(openingAllowed(-1, 0));
  EXPECT_FALSE(closingAllowed(4, 16));
  EXPECT_EQ(animationDefault(99), 0);
  EXPECT_FALSE(effectGroup(15, EffectGroup::Dur));
}

TEST(EffectTables, ClosingButtonsSwapWithinPairs) {
  EXPECT_EQ(closingButtonName(0), QStringLiteral("RadioButton_Close0"));
  EXPECT_EQ(closingButtonName(2), QStringLiteral("RadioButton_Close3"));
  EXPECT_EQ(closingButtonName(15), QStringLiteral("RadioButton_Close14"));
  EXPECT_EQ(closingCaption(2), QStringLiteral("Slide to Right"));
  EXPECT_EQ(closingCaption(9), QStringLiteral("Wipe H. from Center"));
  EXPECT_EQ(openingCaption(14), QStringLiteral("Wipe H && V to Center"));
  for (int v = 0; v < 16; ++v) EXPECT_EQ(closingValueOfButton(closingButtonNumber(v)), v);
}

TEST(EffectTables, PreviewFrames) {
  // Title opening "Slide from Left": 33..65; closing "Cut Out": 32 throughout.
  EXPECT_EQ(previewFrameIndex(2, false, 2, 0), 33);
  EXPECT_EQ(previewFrameIndex(2, false, 2, 32), 65);
  EXPECT_EQ(previewFrameIndex(2, true, 0, 0), 32);
  EXPECT_EQ(previewFrameIndex(2, true, 0, 32), 32);
  EXPECT_EQ(previewFrameIndex(1, true, 1, 32), 0);
  // PiP adds 399, except openings 0 and 1 whose base is 398.
  EXPECT_EQ(previewFrameIndex(4, false, 0, 5), 398);
  EXPECT_EQ(previewFrameIndex(4, false, 1, 5), 403);
  EXPECT_EQ(previewFrameIndex(4, false, 2, 0), 432);
  EXPECT_EQ(previewFrameIndex(5, true, 14, 0), 794);
  int highest = 0;
  for (int kind = 0; kind < kEffectKinds; ++kind)
    for (int v = 0; v < 16; ++v)
      for (int c = 0; c < kPreviewFramesPerPhase; ++c)
        for (bool closing : {false, true}) {
          const int i = previewFrameIndex(kind, closing, v, c);
          EXPECT_GE(i, 0);
          highest = std::max(highest, i);
        }
  EXPECT_LT(highest, kStripMinimumFrames);
  EXPECT_EQ(previewFrameIndex(4, false, 16, 0), -1);
  EXPECT_EQ(previewFrameIndex(4, false, 0, 33), -1);
}

TEST(EffectTables, CaptionWrapAndDurations) {
  EXPECT_EQ(wrapKeyCaption(QStringLiteral("Horizontal Wipe Left to Right")),
            QStringLiteral("Horizontal Wipe\r\n Left to Right"));
  EXPECT_EQ(wrapKeyCaption(QStringLiteral("Horizontal Slide Right to Left")),
            QStringLiteral("Horizontal Slide\r\n Right to Left"));
  EXPECT_EQ(wrapKeyCaption(QStringLiteral("Shadow Title")), QStringLiteral("Shadow Title"));
  // No blank at or after character 13: one line however long.
  EXPECT_EQ(wrapKeyCaption(QStringLiteral("Square from Center")), QStringLiteral("Square from Center"));
  EXPECT_EQ(durationText(15), QStringLiteral("1.5s"));
  EXPECT_EQ(durationText(20), QStringLiteral("2s"));
  EXPECT_EQ(durationText(250), QStringLiteral("25s"));
  EXPECT_EQ(durationFromText(QStringLiteral("2,5s")), 25);
  EXPECT_EQ(durationFromText(QStringLiteral(" 2.5 ")), 25);
  EXPECT_EQ(durationFromText(QStringLiteral("30")), 300);
  EXPECT_EQ(durationFromText(QStringLiteral("-1")), -10);
  EXPECT_FALSE(durationFromText(QStringLiteral("abc")).has_value());
  EXPECT_FALSE(durationFromText(QStringLiteral("")).has_value());
  EXPECT_FALSE(durationFromText(QStringLiteral("1e300")).has_value());
}

TEST(EffectTables, FileValuesAreRangeChecked) {
  EffectSlot s;
  s.kind = 15;
  s.EFFOPEN = 16;
  s.EFFCLOSE = -1;
  s.EFFOPT = 7;
  s.OLD_EFFOPT = 99;
  sanitizeSlot(s);
  EXPECT_EQ(s.kind, 0);
  EXPECT_EQ(s.EFFOPEN, 0);
  EXPECT_EQ(s.EFFCLOSE, 0);
  EXPECT_EQ(s.EFFOPT, 0);
  EXPECT_EQ(s.OLD_EFFOPT, 0);
  EXPECT_EQ(sanitizeButtonEffect(0), 1);
  EXPECT_EQ(sanitizeButtonEffect(8), 1);
  EXPECT_EQ(sanitizeButtonEffect(107), 1);
  EXPECT_EQ(sanitizeButtonEffect(7), 7);
  EXPECT_EQ(sanitizeButtonEffect(104), 104);
}

TEST(EffectTables, WireOrders) {
  EXPECT_EQ(keyDownOrder().front().reg, int(Reg::EFFECT));
  EXPECT_EQ(keyDownOrder().back().reg, int(Reg::EFFCLSDUR));
  EXPECT_EQ(presetOrder().front().reg, int(Reg::EFFDUR));
  EXPECT_EQ(presetOrder().back().reg, int(Reg::EFFADR));
  EXPECT_TRUE(isCurrentEffectRegister(Reg::EFFPR));
  EXPECT_FALSE(isCurrentEffectRegister(Reg::EFFADR));
  EXPECT_FALSE(isCurrentEffectRegister(Reg::EFFON));
}

}  // namespace
}  // namespace effects_test
