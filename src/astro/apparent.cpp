#include "astro/apparent.h"

#include <cmath>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

constexpr double kSolarParallax = 8.794 * kArcSecToRad;  // horizontal parallax at 1 AU
constexpr double kRefractionFloor = -0.6 * kDegToRad;

// Geocentric ecliptic place of a planet with the light-time option: the body at T and, with
// the option, once more at T - tau, against the Earth's heliocentric place at T (given, as
// the caller has it already; of the frame of the planet's series).
TSpherical PlanetGeocentric(TSeriesPlanet planet, const TSpherical& earthPos, double t,
                            bool lightTime, TSpherical& helio) {
  helio = HeliocentricPlanet(planet, t);
  TSpherical geo = GeocentricFromHeliocentric(helio, earthPos);
  if (lightTime) {
    helio = HeliocentricPlanet(planet, t - kLightTimePerAu * geo.R);
    geo = GeocentricFromHeliocentric(helio, earthPos);
  }
  return geo;
}

}  // namespace

std::optional<std::vector<TApparentPlace>> ApparentPlaces(const std::vector<TBody>& bodies,
                                                          double jdTT, double jdUT,
                                                          const TSite& site, const TCorrections& c,
                                                          const std::filesystem::path& dataDir) {
  bool needPlanets = false;
  bool needEarthJ2000 = false;
  for (const TBody body : bodies) {
    needPlanets = needPlanets || body != TBody::Moon;
    needEarthJ2000 = needEarthJ2000 || body == TBody::Pluto;
  }
  std::vector<TApparentPlace> places;
  const TMomentTerms m = MomentTerms(jdTT, jdUT, site, c);
  TPlanetDataSession planetData(dataDir);
  bool ok = planetData.Load(TSeriesPlanet::Earth);
  if (ok && needEarthJ2000) ok = planetData.Load(TSeriesPlanet::EarthJ2000);
  std::array<bool, kBodyCountWithEarth> loaded{};
  for (const TBody body : bodies) {
    const bool fromFiles = IsPlanetBody(body) && body != TBody::Pluto;
    if (ok && fromFiles && !loaded[BodyIndex(body)]) {
      ok = planetData.Load(SeriesOf(body));
      loaded[BodyIndex(body)] = true;
    }
  }
  if (ok || !needPlanets) {
    for (const TBody body : bodies) places.push_back(ApparentPlace(body, m, c));
  }
  if (!ok && needPlanets) return std::nullopt;
  return places;
}

std::optional<TBody> BodyFromKey(std::string_view key) {
  for (std::size_t i = 0; i < kBodyKeys.size(); ++i) {
    const auto body = static_cast<TBody>(i);
    if (kBodyKeys[i] == key && body != TBody::Earth) return body;
  }
  return std::nullopt;
}

TMomentTerms MomentTerms(double jdTT, double jdUT, const TSite& site, const TCorrections& c) {
  TMomentTerms m;
  m.T = JulianCenturies(jdTT);
  m.Eps0 = MeanObliquity(m.T);
  if (c.Nutation) {
    const TNutation n = NutationIAU1980(m.T);
    m.DPsi = n.DPsi;
    m.DEps = n.DEps;
  }
  m.Eps = m.Eps0 + m.DEps;
  const double gmst = GreenwichSiderealTime(JulianCenturies(jdUT));
  m.Theta = Mod2Pi(gmst + m.DPsi * std::cos(m.Eps) + site.Longitude * kDegToRad);
  const TObserverGeocentric obs = ObserverGeocentric(site.Height, site.Latitude * kDegToRad);
  m.RhoSinPhi = obs.RhoSinPhi;
  m.RhoCosPhi = obs.RhoCosPhi;
  m.Phi = site.Latitude * kDegToRad;
  return m;
}

TApparentPlace ApparentPlace(TBody body, const TMomentTerms& m, const TCorrections& c) {
  TApparentPlace p;
  p.Body = body;
  // The Earth of date, once: the Sun's place, the planets' geocentric places and the phase
  // angle all use it; the Moon's theory is geocentric and needs none.
  if (body != TBody::Moon) p.Earth = HeliocentricPlanet(TSeriesPlanet::Earth, m.T);
  double sinParallax = 0.0;

  if (body == TBody::Moon) {
    const TSpherical moon = MoonPosition(m.T);
    p.Geo = {moon.Lon, moon.Lat, moon.R / kKmPerAu};
    p.DistanceKm = moon.R;
    const TEquatorial eq = EclipticToEquatorial(moon.Lon + m.DPsi, moon.Lat, m.Eps);
    p.Alpha = eq.Alpha;
    p.Delta = eq.Delta;
    sinParallax = kEarthRadiusKm / moon.R;
  } else if (body == TBody::Pluto) {
    // The series are referred to J2000.0: the place is formed against the Earth of J2000.0,
    // turned to the equator of J2000.0 and precessed to the date.
    const TSpherical earthJ2000 = HeliocentricPlanet(TSeriesPlanet::EarthJ2000, m.T);
    p.Geo = PlanetGeocentric(TSeriesPlanet::Pluto, earthJ2000, m.T, c.LightTime, p.Helio);
    const TEquatorial eq = EclipticToEquatorial(p.Geo.Lon, p.Geo.Lat, MeanObliquity(0.0));
    double alpha = eq.Alpha;
    double delta = eq.Delta;
    PrecessRaDec(alpha, delta, 0.0, m.T);
    if (c.Nutation) NutationRaDec(alpha, delta, m.Eps0, m.DEps, m.DPsi);
    if (c.Aberration) AberrationRaDec(TAberrationTerms::WithETerms, alpha, delta, m.Eps, m.T);
    p.Alpha = Mod2Pi(alpha);
    p.Delta = delta;
    // The ecliptic place of date, for the physical quantities.
    const TEcliptic ecl = EquatorialToEcliptic(p.Alpha, p.Delta, m.Eps);
    p.Geo.Lon = Mod2Pi(ecl.Lambda - m.DPsi);
    p.Geo.Lat = ecl.Beta;
    sinParallax = std::sin(kSolarParallax) / p.Geo.R;
  } else {
    if (body == TBody::Sun) {
      // GeocentricSun(TSeriesPlanet::Earth, T), from the Earth at hand.
      p.Geo = TSpherical{Mod2Pi(p.Earth.Lon + kPi), -p.Earth.Lat, p.Earth.R};
    } else {
      p.Geo = PlanetGeocentric(SeriesOf(body), p.Earth, m.T, c.LightTime, p.Helio);
    }
    const TEquatorial eq = EclipticToEquatorial(p.Geo.Lon + m.DPsi, p.Geo.Lat, m.Eps);
    double alpha = eq.Alpha;
    double delta = eq.Delta;
    if (c.Aberration) AberrationRaDec(TAberrationTerms::WithETerms, alpha, delta, m.Eps, m.T);
    p.Alpha = Mod2Pi(alpha);
    p.Delta = delta;
    sinParallax = std::sin(kSolarParallax) / p.Geo.R;
  }
  p.DistanceAU = p.Geo.R;
  if (body != TBody::Moon) p.DistanceKm = p.Geo.R * kKmPerAu;

  p.TopoAlpha = p.Alpha;
  p.TopoDelta = p.Delta;
  if (c.Parallax) {
    double scale = 1.0;
    ParallaxRaDec(p.TopoAlpha, p.TopoDelta, scale, m.RhoSinPhi, m.RhoCosPhi, m.Theta, sinParallax);
    p.TopoAlpha = Mod2Pi(p.TopoAlpha);
  }
  const THorizontal h = EquatorialToHorizontal(p.TopoAlpha, p.TopoDelta, m.Theta, m.Phi);
  p.Azimuth = Mod2Pi(h.Az + kPi);  // from the south -> from the north
  p.Altitude = h.Alt;
  if (c.Refraction && p.Altitude > kRefractionFloor) p.Altitude += Refraction(p.Altitude);
  return p;
}

}  // namespace himlavy
