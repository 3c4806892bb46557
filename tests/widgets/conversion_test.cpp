#include <gtest/gtest.h>

#include <memory>

#include "widgets/tconversion.h"

namespace {

std::unique_ptr<TConversion> make(int32_t minD, int32_t maxD, int32_t minA, int32_t maxA) {
  auto c = std::make_unique<TConversion>();
  c->setValMinDriver(minD);
  c->setValMaxDriver(maxD);
  c->setValMinAffichage(minA);
  c->setValMaxAffichage(maxA);
  return c;
}

}  // namespace

TEST(Conversion, StartUpRangesMapBothWays) {
  auto c = std::make_unique<TConversion>();  // defaults: driver 0..255, display -128..127
  EXPECT_EQ(c->PositionDriver(0), "-128");
  EXPECT_EQ(c->PositionDriver(128), "0");
  EXPECT_EQ(c->PositionDriver(255), "127");
  QString text;
  c->PositionDriver(200, text);
  EXPECT_EQ(text, "72");

  EXPECT_EQ(c->PositionAffichage(-128), 0);
  EXPECT_EQ(c->PositionAffichage(127), 255);
  EXPECT_EQ(c->PositionAffichage(0), 128);
  // Every register value survives the round trip through the display.
  for (int d = 0; d <= 255; ++d) EXPECT_EQ(c->PositionAffichage(c->PositionDriver(d).toInt()), d) << d;
}

TEST(Conversion, OutOfRangeDisplayTakesTheMiddle) {
  auto c = std::make_unique<TConversion>();  // defaults: driver 0..255, display -128..127
  // The middle is -0.5, rounded away from zero to -1, which converts to 127.
  EXPECT_EQ(c->PositionAffichage(200), 127);
  EXPECT_EQ(c->PositionAffichage(-129), 127);
  EXPECT_EQ(c->PositionAffichage(128), 127);

  auto d = make(0, 100, 0, 10);  // middle 5 -> 50
  EXPECT_EQ(d->PositionAffichage(11), 50);
  EXPECT_EQ(d->PositionAffichage(-1), 50);
  EXPECT_EQ(d->PositionAffichage(10), 100);
}

TEST(Conversion, EmptyRanges) {
  auto c = make(7, 7, -10, 10);
  EXPECT_EQ(c->PositionDriver(3), "0");
  auto d = make(0, 255, 5, 5);
  EXPECT_EQ(d->PositionAffichage(5), 0);
  EXPECT_EQ(d->PositionAffichage(100), 0);
}

TEST(Conversion, RoundsHalvesAwayFromZeroAfterThreeDigits) {
  auto c = make(0, 4, -1, 0);  // step of a quarter
  EXPECT_EQ(c->PositionDriver(1), "-1");  // -0.75
  EXPECT_EQ(c->PositionDriver(2), "-1");  // -0.5 goes away from zero
  EXPECT_EQ(c->PositionDriver(3), "0");   // -0.25
  auto up = make(0, 4, 0, 1);
  EXPECT_EQ(up->PositionDriver(2), "1");  // 0.5
  EXPECT_EQ(up->PositionDriver(1), "0");  // 0.25

  // 42 x 100 / 255 = 16.47: kept as 16.5 at three digits, then 17.
  auto pct = make(0, 255, 0, 100);
  EXPECT_EQ(pct->PositionDriver(42), "17");
  EXPECT_EQ(pct->PositionDriver(41), "16");  // 16.08
  // 50 x 255 / 100 = 127.5 -> 128
  EXPECT_EQ(pct->PositionAffichage(50), 128);
}

TEST(Conversion, LargeMagnitudesKeepTheirUnits) {
  // Three significant digits would turn 1234 into 1230.
  auto c = make(0, 1, 0, 1234);
  EXPECT_EQ(c->PositionDriver(1), "1234");
  auto d = make(0, 5000, 0, 1);
  EXPECT_EQ(d->PositionAffichage(1), 5000);
  // Extreme bounds do not overflow.
  auto e = make(0, 1, INT32_MIN, INT32_MAX);
  EXPECT_EQ(e->PositionDriver(1), QString::number(INT32_MAX));
}

TEST(Conversion, ReversedDisplayRange) {
  auto c = make(0, 255, 127, -128);
  EXPECT_EQ(c->PositionDriver(0), "127");
  EXPECT_EQ(c->PositionDriver(255), "-128");
  EXPECT_EQ(c->PositionAffichage(127), 0);
  EXPECT_EQ(c->PositionAffichage(-128), 255);
  // Values inside a range given high to low are converted, not replaced
  // by the middle.
  EXPECT_EQ(c->PositionAffichage(0), 127);
  EXPECT_EQ(c->PositionAffichage(-100), 227);
  // Outside it: the middle, -0.5 -> -1, converts to 128.
  EXPECT_EQ(c->PositionAffichage(300), 128);
}

TEST(Conversion, ReversedDriverRange) {
  auto c = make(255, 0, -128, 127);
  // The register value is not offset by ValMinDriver; with the driver span
  // negative the mapping runs the other way.
  EXPECT_EQ(c->PositionDriver(0), "-128");
  EXPECT_EQ(c->PositionDriver(-255), "127");
  EXPECT_EQ(c->PositionAffichage(127), -255);
}
