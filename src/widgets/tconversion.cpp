#include "widgets/tconversion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The conversions keep three significant digits of their result before
// rounding it to a whole number (a value of 12.46 reads as 12.5 and
// becomes 13). Past three integer digits that would cut whole units off
// the result, so larger magnitudes are rounded directly.
double threeSignificantDigits(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= 1000.0) return x;
  return QString::number(x, 'g', 3).toDouble();
}

// Nearest whole number, halves away from zero, kept inside int32.
int32_t roundHalfAway(double x) {
  if (std::isnan(x)) return 0;
  const double r = std::round(x);
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}

}  // namespace

TConversion::TConversion(QObject* parent) : QObject(parent) {}

void TConversion::PositionDriver(int32_t value, QString& text) const {
  if (minDriver_ == maxDriver_) {
    text = QStringLiteral("0");
    return;
  }
  // Differences are taken in floating point: int32 bounds far apart would
  // overflow in integer arithmetic.
  const double spanAffichage = double(maxAffichage_) - double(minAffichage_);
  const double spanDriver = double(maxDriver_) - double(minDriver_);
  const double x = double(value) * spanAffichage / spanDriver + double(minAffichage_);
  text = QString::number(roundHalfAway(threeSignificantDigits(x)));
}

QString TConversion::PositionDriver(int32_t value) const {
  QString text;
  PositionDriver(value, text);
  return text;
}

int32_t TConversion::PositionAffichage(int32_t value) const {
  const double spanAffichage = double(maxAffichage_) - double(minAffichage_);
  // A display range given high to low is still a range: test against its
  // lower and upper bound whatever their order.
  const int32_t lo = std::min(minAffichage_, maxAffichage_);
  const int32_t hi = std::max(minAffichage_, maxAffichage_);
  double a = value;
  if (value < lo || value > hi) a = roundHalfAway(spanAffichage / 2.0 + double(minAffichage_));
  if (minAffichage_ == maxAffichage_) return 0;
  const double spanDriver = double(maxDriver_) - double(minDriver_);
  const double x = (a - double(minAffichage_)) * spanDriver / spanAffichage;
  return roundHalfAway(threeSignificantDigits(x));
}
