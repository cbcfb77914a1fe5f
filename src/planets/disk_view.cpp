#include "planets/disk_view.h"

#include <cmath>
#include <limits>

#include "astro/constants.h"
#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/timescales.h"
#include "planets/physical.h"

namespace himlavy {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// sin of the solar parallax 8.794" at 1 AU.
constexpr double kSinParallaxAu = 4.263451511677259e-05;
// No refraction is applied below this true altitude (-0.6 deg).
constexpr double kLowestRefracted = -0.010471975511965978;
constexpr double kEarthRadiusKm = 6378.14;

// The moment, the site and the corrections every view shares.
struct TViewSetting {
  double T = 0.0;  // centuries TT; moved back by the light time for the planets
  double Eps0 = 0.0;
  TNutation Nut;
  double Theta = 0.0;  // apparent local sidereal time
  TObserverGeocentric Observer;
  double Phi = 0.0;
  const TObsState* State = nullptr;
};

TViewSetting Setting(const TObsState& s) {
  TViewSetting v;
  v.State = &s;
  v.T = JulianCenturies(s.JD_TT);
  v.Eps0 = MeanObliquity(v.T);
  if (s.CorrNutation == 1) v.Nut = NutationIAU1980(v.T);
  v.Phi = s.Latitude * kDegToRad;
  v.Theta = GreenwichSiderealTime(JulianCenturies(s.JD_UT)) + v.Nut.DPsi * std::cos(v.Eps0) +
            s.Longitude * kDegToRad;
  v.Observer = ObserverGeocentric(s.Height, v.Phi);
  return v;
}

// The apparent equatorial place of an ecliptic position of date: nutation, then aberration and
// parallax (first order, sin pi = 8.794" / distance) as the switches say.
TEquatorial ApparentRaDec(const TViewSetting& v, const TSpherical& geo) {
  TEquatorial eq = EclipticToEquatorial(geo.Lon + v.Nut.DPsi, geo.Lat, v.Eps0 + v.Nut.DEps);
  if (v.State->CorrAberration == 1) {
    AberrationRaDec(TAberrationTerms::WithETerms, eq.Alpha, eq.Delta, v.Eps0 + v.Nut.DEps, v.T);
  }
  if (v.State->CorrParallax == 1) {
    ParallaxRaDecApprox(eq.Alpha, eq.Delta, v.Observer.RhoSinPhi, v.Observer.RhoCosPhi, v.Theta,
                        kSinParallaxAu / geo.R);
  }
  return eq;
}

// Parallactic angle and (refracted) altitude of the apparent place.
void Orientation(const TViewSetting& v, const TEquatorial& eq, TDiskView& view) {
  view.ParallacticOn = v.State->CorrParallactic == 1;
  view.Parallactic =
      view.ParallacticOn ? ParallacticAngle(eq.Alpha, eq.Delta, v.Phi, v.Theta) : 0.0;
  double h = EquatorialToHorizontal(eq.Alpha, eq.Delta, v.Theta, v.Phi).Alt;
  if (h > kLowestRefracted && v.State->CorrRefraction == 1) h += Refraction(h);
  view.Altitude = h;
}

std::string DegMin(double radians) {
  return FormatDM(radians * kRadToDeg);
}

// Diameter lines: the minutes-and-seconds text of an apparent diameter in arc seconds.
std::string ArcText(double arcsec) {
  return FormatArcMinSec(arcsec / 60.0);
}

std::string ParallacticText(const TDiskView& view) {
  return " Parallaktisk vinkel=" +
         (view.ParallacticOn ? DegMin(view.Parallactic) : std::string("Ej vald"));
}

void PhaseLines(TDiskView& view, bool axisComputed) {
  view.Lines = {(axisComputed ? " Positionsvinkel, axel=" + DegMin(view.AxisAngle)
                              : " Positionsvinkel, axel=(ej beräkn)" + DegMin(0.0)),
                ParallacticText(view),
                " Belyst del=" + FixedText(view.IlluminatedFraction, 2),
                " Positionsvinkel, belyst del=" + DegMin(view.BrightLimbAngle),
                " Diameter=" + ArcText(view.Diameter),
                " Höjd över horisonten=" + DegMin(view.Altitude)};
}

std::optional<TDiskView> PlanetView(TBody body, const TViewSetting& setting,
                                    const std::filesystem::path& dataDir) {
  const auto series = static_cast<TSeriesPlanet>(static_cast<int>(body));
  TViewSetting v = setting;
  TPlanetDataSession planetData(dataDir);
  if (!planetData.Load(TSeriesPlanet::Earth) || !planetData.Load(series)) return std::nullopt;

  TDiskView view;
  view.Body = body;
  const TSpherical earth = HeliocentricPlanet(TSeriesPlanet::Earth, v.T);
  TEquatorial sun;
  const bool phase = body == TBody::Mercury || body == TBody::Venus;
  if (phase) sun = ApparentRaDec(v, GeocentricFromHeliocentric(TSpherical{0, 0, 0}, earth));

  TSpherical helio = HeliocentricPlanet(series, v.T);
  TSpherical geo = GeocentricFromHeliocentric(helio, earth);
  if (v.State->CorrLightTime == 1) {
    v.T -= kLightTimePerAu * geo.R;
    helio = HeliocentricPlanet(series, v.T);
    geo = GeocentricFromHeliocentric(helio, earth);
  }
  view.PhysicalT = v.T;
  const TEquatorial eq = ApparentRaDec(v, geo);
  Orientation(v, eq, view);

  double polar = 0.0;
  const double s = PlanetSemidiameter(body, geo.R, polar);
  view.Diameter = 2.0 * s;
  view.PolarDiameter = 2.0 * s;
  view.RingA = view.RingB = view.RingTilt = kNaN;
  view.IlluminatedFraction = IlluminatedFraction(geo.R, earth.R, helio.R);
  const double dEps = v.Nut.DEps;
  const double dPsi = v.Nut.DPsi;

  switch (body) {
    case TBody::Mercury:
    case TBody::Venus:
      view.AxisAngle = kNaN;
      view.BrightLimbAngle = BrightLimbAngle(sun.Delta, sun.Alpha, eq.Delta, eq.Alpha)[1] - kPi;
      PhaseLines(view, false);
      break;
    case TBody::Mars: {
      const auto mars = MarsPhysical(helio, earth, geo, dEps, dPsi, v.Eps0, v.T);
      view.AxisAngle = mars[3];
      view.BrightLimbAngle = mars[4] - kPi;
      PhaseLines(view, true);
      break;
    }
    default: {  // Jupiter and Saturn: flattened globes, no phase
      view.BrightLimbAngle = kNaN;
      view.PolarDiameter = 2.0 * polar;
      if (body == TBody::Jupiter) {
        view.AxisAngle = JupiterPhysical(helio, earth, geo, dEps, dPsi, v.Eps0, v.T)[5];
      } else {
        const auto ring = SaturnRing(helio, geo, earth.Lon, dEps, dPsi, v.Eps0, v.T);
        view.RingTilt = ring[0];
        view.AxisAngle = ring[2];
        view.RingA = ring[4];
        view.RingB = ring[5];
        view.PolarDiameter = 2.0 * SaturnPolarSemidiameter(s, ring[0]);
      }
      view.Lines = {" Positionsvinkel, axel=" + DegMin(view.AxisAngle), ParallacticText(view),
                    " Ekvatordiameter=" + ArcText(view.Diameter),
                    " Poldiameter=" + ArcText(view.PolarDiameter)};
      if (body == TBody::Saturn) {
        view.Lines.push_back(" Ringar, a-axel=" + ArcText(view.RingA));
        view.Lines.push_back(" Ringar, b-axel=" + ArcText(view.RingB));
      }
      view.Lines.push_back(" Höjd över horisonten=" + DegMin(view.Altitude));
    }
  }
  return view;
}

std::optional<TDiskView> MoonView(const TViewSetting& v, const std::filesystem::path& dataDir) {
  TPlanetDataSession planetData(dataDir);
  if (!planetData.Load(TSeriesPlanet::Earth)) return std::nullopt;
  const TSpherical sun = GeocentricSun(TSeriesPlanet::Earth, v.T);
  const TSpherical moon = MoonPosition(v.T);

  TDiskView view;
  view.Body = TBody::Moon;
  view.PhysicalT = v.T;
  double s = MoonSemidiameter(moon.R);
  TEquatorial eq = EclipticToEquatorial(moon.Lon + v.Nut.DPsi, moon.Lat, v.Eps0 + v.Nut.DEps);
  if (v.State->CorrParallax == 1) {
    ParallaxRaDec(eq.Alpha, eq.Delta, s, v.Observer.RhoSinPhi, v.Observer.RhoCosPhi, v.Theta,
                  kEarthRadiusKm / moon.R);
  }
  Orientation(v, eq, view);
  const auto phys = MoonPhysical(moon, sun, v.Eps0, v.Nut.DPsi, v.Nut.DEps, v.T);
  view.AxisAngle = phys[6];
  view.IlluminatedFraction = phys[8];
  view.BrightLimbAngle = phys[9];
  view.Diameter = view.PolarDiameter = 2.0 * s;
  view.RingA = view.RingB = view.RingTilt = kNaN;
  PhaseLines(view, true);
  return view;
}

}  // namespace

bool HasDiskView(TBody body) {
  return (body >= TBody::Mercury && body <= TBody::Saturn && body != TBody::Earth) ||
         body == TBody::Moon;
}

std::optional<TDiskView> DiskView(TBody body, const TObsState& state,
                                  const std::filesystem::path& dataDir) {
  if (!HasDiskView(body)) return std::nullopt;
  const TViewSetting setting = Setting(state);
  return body == TBody::Moon ? MoonView(setting, dataDir) : PlanetView(body, setting, dataDir);
}

std::string DiskOrientationLabel(const TDiskView& view) {
  return view.ParallacticOn ? "Zenit" : "Norr";
}

std::vector<TDiskPoint> TerminatorPoints(double k, double radius, int count) {
  std::vector<TDiskPoint> points;
  const double c = 2.0 * k - 1.0;
  if (c == 0.0) return points;
  for (int j = 0; j < count; ++j) {
    const double theta = kTwoPi * j / count;
    const TDiskPoint p{radius * std::sin(theta), c * radius * std::cos(theta)};
    if ((c > 0.0 && p.Y < 0.0) || (c < 0.0 && p.Y > 0.0)) points.push_back(p);
  }
  return points;
}

std::vector<TDiskPoint> SaturnRingPoints(const TDiskView& view, double pixelsPerArcsec) {
  struct Ring {
    int Count;
    double Size, Hiding;
  };
  static constexpr Ring kRings[] = {{180, 1.0, 2.25}, {180, 0.85, 2.2}, {90, 0.65, 1.9}};
  std::vector<TDiskPoint> points;
  const double tilt = view.RingTilt;
  if (!(view.RingB > 0.03) || tilt == 0.0) return points;
  // The axes are full diameters; half of them times the scale gives the pixel semi-axes. The
  // hiding limit is given for 6 pixels per arc second and scales with the drawing.
  const double a = view.RingA * pixelsPerArcsec / 2.0;
  const double b = view.RingB * pixelsPerArcsec / 2.0;
  for (const Ring& ring : kRings) {
    const double limit =
        ring.Size * ring.Hiding * view.RingA * std::sin(tilt) * pixelsPerArcsec / 6.0;
    for (int j = 0; j < ring.Count; ++j) {
      const double theta = kTwoPi * j / ring.Count;
      const TDiskPoint p{ring.Size * a * std::sin(theta), ring.Size * b * std::cos(theta)};
      if ((tilt > 0.0 && p.Y < limit) || (tilt < 0.0 && p.Y > limit)) points.push_back(p);
    }
  }
  return points;
}

}  // namespace himlavy
