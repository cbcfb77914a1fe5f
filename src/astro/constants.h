// The physical constants the astronomical library and the views share (IAU 1976 system, as
// Meeus, Astronomical Algorithms, uses it).
#pragma once

namespace himlavy {

// Light time for one astronomical unit, in Julian centuries (0.0057755183 days).
inline constexpr double kLightTimePerAu = 0.0057755183 / 36525.0;

// Kilometres in one astronomical unit.
inline constexpr double kKmPerAu = 149597870.0;

// The Earth's equatorial radius, in kilometres and in metres.
inline constexpr double kEarthRadiusKm = 6378.14;
inline constexpr double kEarthRadiusM = 6378140.0;

}  // namespace himlavy
