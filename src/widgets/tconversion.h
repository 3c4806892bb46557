// Linear mapping between a register's value ("driver" scale) and the number
// shown to the operator ("display" scale, Affichage). The main window keeps
// one instance, Conversion1, set to driver 0..255 and display -128..127 for
// the picture adjustments.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class TConversion : public QObject {
  Q_OBJECT

 public:
  explicit TConversion(QObject* parent = nullptr);

  int32_t ValMinDriver() const { return minDriver_; }
  int32_t ValMaxDriver() const { return maxDriver_; }
  int32_t ValMinAffichage() const { return minAffichage_; }
  int32_t ValMaxAffichage() const { return maxAffichage_; }
  void setValMinDriver(int32_t v) { minDriver_ = v; }
  void setValMaxDriver(int32_t v) { maxDriver_ = v; }
  void setValMinAffichage(int32_t v) { minAffichage_ = v; }
  void setValMaxAffichage(int32_t v) { maxAffichage_ = v; }

  // The display text for register value `value` ("0" when the driver range
  // is empty). The register value is taken as an offset from 0: the driver
  // ranges in use all start at 0.
  void PositionDriver(int32_t value, QString& text) const;
  QString PositionDriver(int32_t value) const;

  // The register value for displayed value `value`. A value outside the
  // display range (in whichever order its bounds are given) is first
  // replaced by the middle of the range. 0 when the display range is empty.
  int32_t PositionAffichage(int32_t value) const;

 private:
  int32_t minDriver_ = 0;
  int32_t maxDriver_ = 255;
  int32_t minAffichage_ = -128;
  int32_t maxAffichage_ = 127;
};
