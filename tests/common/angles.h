// Angle units and time arguments for tests of the astronomical routines.
#pragma once

#include <cmath>

#include "base/basic.h"
#include "base/timescales.h"

namespace himlavy::testing {
constexpr double kArcSec = kDegToRad / 3600.0;
constexpr double kArcMin = kDegToRad / 60.0;
inline double Dms(double d, double m, double s) {
  return (d + m / 60.0 + s / 3600.0) * kDegToRad;
}
inline double Hms(double h, double m, double s) {
  return (h + m / 60.0 + s / 3600.0) * 15.0 * kDegToRad;
}
inline double Degrees(double radians) {
  return radians / kDegToRad;
}
// The Julian day of a calendar date and a time of day in hours.
inline double At(int year, int month, int day, double hours = 0.0) {
  return JulianDay(year, month, day) + hours / 24.0;
}
// Julian centuries from J2000.0.
inline double Centuries(double jd) {
  return (jd - 2451545.0) / 36525.0;
}
// The difference a - b of two angles in radians, reduced to (-pi, pi].
inline double AngleDiff(double a, double b) {
  return std::remainder(a - b, 2.0 * kPi);
}
}  // namespace himlavy::testing
