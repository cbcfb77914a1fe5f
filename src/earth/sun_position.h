// Where the Sun stands over the Earth: the sub-solar point, the point of the surface that has
// the Sun in its zenith at the moment.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/obs_state.h"

namespace himlavy {

struct TSubSolarPoint {
  double Latitude = 0.0;        // degrees, the Sun's declination
  double Longitude = 0.0;       // degrees, east positive, -180 < longitude <= 180
  double RightAscension = 0.0;  // the Sun's right ascension, radians
  double DayFraction = 0.0;     // the fraction of the day of JD_UT
};

// SubSolarLongitude: the longitude (degrees, east positive) where the Sun culminates at the
// fraction `dayFraction` of the day of UT when the equation of time is `equationHours` hours
// (apparent minus mean solar time): 180 - 15 (24 f + E), not reduced.
double SubSolarLongitude(double dayFraction, double equationHours);

// SubSolarPoint: the sub-solar point at the moment of `state` (JD_UT and JD_TT), with the Sun
// of VSOP87 (Meeus ch. 24) corrected for nutation (CorrNutation) and aberration
// (CorrAberration), and the equation of time of Meeus ch. 27. nullopt when the planet series
// of `dataDir` cannot be read.
std::optional<TSubSolarPoint> SubSolarPoint(const TObsState& state,
                                            const std::filesystem::path& dataDir);

// The texts of the Sun-position window: the heading and the sub-solar point's latitude and
// longitude, as the Earth map writes the site's.
std::vector<std::string> SunPositionLines(const TSubSolarPoint& point);

}  // namespace himlavy
