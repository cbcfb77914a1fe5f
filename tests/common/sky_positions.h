// Small helpers for tests that compare catalog records with published positions.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/obs_state.h"

namespace himlavy::testing {
// Bytes from a hex text ("13bf00...").
inline std::string Hex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return out;
}
// Angle between two positions (degrees in, arcseconds out), by the haversine formula.
inline double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
  constexpr double kRad = 3.141592653589793 / 180.0;
  const double h =
      std::pow(std::sin((dec2 - dec1) * kRad / 2), 2) +
      std::cos(dec1 * kRad) * std::cos(dec2 * kRad) * std::pow(std::sin((ra2 - ra1) * kRad / 2), 2);
  return 2 * std::asin(std::sqrt(h)) / kRad * 3600.0;
}
// Angle between a stored position (units of 0.00001 degree) and a published one (degrees), in
// arcseconds.
inline double StoredOffsetArcsec(std::int32_t ra, std::int32_t dec, double raDeg, double decDeg) {
  return SeparationArcsec(ra / 100000.0, dec / 100000.0, raDeg, decDeg);
}
// Degrees of a sexagesimal right ascension and declination.
inline double RaDeg(double h, double m, double s) {
  return (h + m / 60 + s / 3600) * 15;
}
inline double DecDeg(int sign, double d, double m, double s) {
  return sign * (d + m / 60 + s / 3600);
}
// Stockholm, 2025 March 20, 21:00 UT1 (TT - UT1 = 69.2 s), every correction of a star's place
// on: the moment of the reference places of tests/skychart/reference_places.py.
inline TObsState StockholmMoment() {
  constexpr double kJdUt = 2460755.375;
  return TObsState{.ClockJD = kJdUt,
                   .JD_UT = kJdUt,
                   .JD_TT = kJdUt + 69.2 / 86400.0,
                   .Latitude = 59.33,
                   .Longitude = 18.07,
                   .CorrAberration = 1,
                   .CorrNutation = 1,
                   .CorrPrecession = 1,
                   .CorrProperMotion = 1};
}
}  // namespace himlavy::testing
