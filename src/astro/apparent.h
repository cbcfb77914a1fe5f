// The apparent place of the Sun, the Moon and the planets for a moment and a site.
//
// One pipeline for every body: geometric heliocentric positions of the body and of the Earth
// (with the light-time option, the body once more at the time the light left it) ->
// geocentric ecliptic coordinates -> nutation in longitude and the equator of date with the
// true obliquity -> annual aberration (not for the Moon, whose series already give its
// apparent direction but for nutation) -> topocentric parallax -> horizontal coordinates with
// the apparent local sidereal time -> refraction above -0.6 degrees of altitude. Each step
// is taken only when its switch is on. Pluto's series are referred to J2000.0; its place is
// formed against the Earth of J2000.0 and precessed to the date.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "base/basic.h"

namespace himlavy {

// Lower-case English names by body number (TBody: "sun", "mercury", ..., "pluto", "moon");
// the Earth's entry is "earth".
inline constexpr std::array<std::string_view, kBodyCountWithEarth> kBodyKeys = {
    "sun",    "mercury", "venus",   "earth", "mars", "jupiter",
    "saturn", "uranus",  "neptune", "pluto", "moon"};

// The lower-case English name of a body.
constexpr std::string_view BodyKey(TBody body) {
  return kBodyKeys[BodyIndex(body)];
}

// The body of a lower-case name, or nullopt (the Earth is refused).
std::optional<TBody> BodyFromKey(std::string_view key);

// Which corrections the pipeline applies.
struct TCorrections {
  bool LightTime = true;
  bool Nutation = true;
  bool Aberration = true;
  bool Parallax = false;
  bool Refraction = false;
};

// The observing site: degrees (north and east positive) and metres.
struct TSite {
  double Latitude = 0.0;
  double Longitude = 0.0;
  double Height = 0.0;
};

struct TApparentPlace {
  TBody Body = TBody::Sun;
  TSpherical Helio;    // heliocentric L, B (radians), R (AU) at the light-time moment;
                       // zero for the Sun and the Moon
  TSpherical Geo;      // geocentric ecliptic lambda, beta of date (geometric, light time
                       // applied, before nutation); Delta in AU
  double Alpha = 0.0;  // apparent geocentric right ascension of date, radians [0, 2 pi)
  double Delta = 0.0;  // apparent geocentric declination, radians
  double DistanceAU = 0.0;
  double DistanceKm = 0.0;
  double TopoAlpha = 0.0;  // after topocentric parallax (equal to Alpha when it is off)
  double TopoDelta = 0.0;
  double Azimuth = 0.0;   // from the north through the east, radians [0, 2 pi)
  double Altitude = 0.0;  // radians; refraction added when on and above -0.6 degrees
  TSpherical Earth;       // the Earth's heliocentric L, B, R of date at the moment; zero for
                          // the Moon
};

// Quantities of the moment that every body shares.
struct TMomentTerms {
  double T = 0.0;     // Julian centuries TT from J2000.0
  double Eps0 = 0.0;  // mean obliquity
  double DPsi = 0.0;  // nutation (zero when the switch is off)
  double DEps = 0.0;
  double Eps = 0.0;    // true obliquity (mean when nutation is off)
  double Theta = 0.0;  // apparent (mean when nutation is off) local sidereal time, radians
  double RhoSinPhi = 0.0;
  double RhoCosPhi = 0.0;
  double Phi = 0.0;  // geographic latitude, radians
};

TMomentTerms MomentTerms(double jdTT, double jdUT, const TSite& site, const TCorrections& c);

// The apparent place of one body. The planetary series must be loaded (PlanetDataOpen and
// PlanetDataLoad of the Earth and of the planet); the Sun needs the Earth of date
// (TSeriesPlanet::Earth), Pluto also the Earth of J2000.0 (TSeriesPlanet::EarthJ2000), the
// Moon nothing.
TApparentPlace ApparentPlace(TBody body, const TMomentTerms& m, const TCorrections& c);

// The apparent places of several bodies: opens the series in `dataDir`, loads what the bodies
// need, computes and closes. Returns nullopt when a series file is missing or damaged.
std::optional<std::vector<TApparentPlace>> ApparentPlaces(const std::vector<TBody>& bodies,
                                                          double jdTT, double jdUT,
                                                          const TSite& site, const TCorrections& c,
                                                          const std::filesystem::path& dataDir);

}  // namespace himlavy
