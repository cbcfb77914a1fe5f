#include "skychart/chart_bodies.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "astro/apparent.h"
#include "astro/jupiter_moons.h"
#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"
#include "planets/ephemeris_report.h"
#include "planets/physical.h"
#include "timecal/calendar_report.h"

namespace himlavy {

namespace {

constexpr double kJupiterRadiusKm = 71492.0;
// Constant of aberration over the distance: the Sun's apparent longitude (Meeus ch. 24).
constexpr double kSunAberration = 20.4898 * kArcSecToRad;
// Standard altitude of a planet's centre at rising and setting: -34' (Meeus ch. 14).
constexpr double kPlanetStandardAltitude = -0.009890780871051866;
// Seconds to days.
constexpr double kSecondsPerDay = 86400.0;

constexpr int kMaxLabelChars = 19;

constexpr std::array<TRgb, kBodyCount> kFills = {{{255, 255, 0},
                                                  {255, 135, 67},
                                                  {230, 230, 255},
                                                  {50, 130, 160},
                                                  {236, 65, 51},
                                                  {243, 181, 65},
                                                  {217, 185, 75},
                                                  {67, 205, 55},
                                                  {27, 155, 175},
                                                  {174, 152, 0},
                                                  {255, 255, 255},
                                                  {255, 255, 255},
                                                  {255, 255, 255},
                                                  {255, 255, 255},
                                                  {255, 255, 255}}};

// K of WholeSkyBodyRadius: 1 / (equatorial radius in AU times 6.4 pixels per AU).
constexpr double RadiusK(double radiusKm) {
  return kKmPerAu / (6.4 * radiusKm);
}
constexpr std::array<double, kBodyCount> kWholeSkyK = {RadiusK(696000.0),
                                                       RadiusK(2439.7),
                                                       RadiusK(6051.8),
                                                       RadiusK(kEarthRadiusKm),
                                                       6860.0,
                                                       326.0,
                                                       388.0,
                                                       916.0,
                                                       958.0,
                                                       20693.0,
                                                       RadiusK(1737.4),
                                                       RadiusK(1821.6),
                                                       RadiusK(1560.8),
                                                       RadiusK(2631.2),
                                                       RadiusK(2410.3)};

// A UTF-8 text cut to at most `size` characters.
std::string Cut(const std::string& s, std::size_t size) {
  return Utf8Left(s, size);
}

// Degrees with `decimals` decimals and the degree sign.
std::string Deg(double radians, int decimals) {
  return FixedText(radians * kRadToDeg, decimals) + std::string(kDegreeSign);
}

// Degrees in [0, 360) with `decimals` decimals.
std::string Deg360(double radians, int decimals) {
  return Deg(Mod2Pi(radians), decimals);
}

// Arc seconds with one decimal and the arcsecond mark.
std::string ArcSec(double arcsec) {
  return FixedText(arcsec, 1) + "\"";
}

// A diameter in arc seconds as minutes and seconds (only seconds below one minute).
std::string Diameter(double arcsec) {
  return FormatArcMinSec(arcsec / 60.0);
}

std::string Magnitude(double v) {
  return FixedText(v, 1);
}

// Right ascension and declination (drawn place).
std::string RaDecLine(double alpha, double delta) {
  return "R.A.=" + FormatHM(Mod2Pi(alpha) * 12.0 / kPi) + " Dekl=" + FormatDM(delta * kRadToDeg);
}

// Azimuth from the south towards the west, 0..360, and altitude.
std::string AzAltLine(const TApparentPlace& p) {
  return "Az =" + FormatDM(Mod2Pi(p.Azimuth - kPi) * kRadToDeg) +
         " Alt=" + FormatDM(p.Altitude * kRadToDeg);
}

// The moments of the rising and setting computation: the local midnights of the day before,
// the day of the clock and the day after.
struct TDayMoments {
  double Tm = 0.0;      // Julian centuries UT of the local midnight that starts the date
  double DeltaT = 0.0;  // seconds
  std::array<TMomentTerms, 3> M{};
};

TDayMoments DayMoments(const TObsState& state, const TSite& site, const TCorrections& c) {
  TDayMoments d;
  const TCalDateTime date = CalendarDayOnly(state.ClockJD);
  const double jd0 = JulianDay(date.Year, date.Month, date.Day);
  const double jdMidnightUT = jd0 - state.TimeZone / 24.0;
  d.Tm = JulianCenturies(jdMidnightUT);
  d.DeltaT = DeltaT(JulianCenturies(jd0));
  // Meeus's interpolation takes the positions at the day's start counted in dynamical time.
  for (int i = 0; i < 3; ++i) {
    const double jdTT = jdMidnightUT + (i - 1);
    d.M[static_cast<std::size_t>(i)] = MomentTerms(jdTT, jdTT - d.DeltaT / kSecondsPerDay, site, c);
  }
  return d;
}

// Line 5: rising, transit and setting in the state's zone, or the always-up / always-down text.
std::string RiseSetLine(TBody body, const TDayMoments& d, const TCorrections& c,
                        const TObsState& state) {
  std::array<TEquatorial, 3> pos{};
  double distanceKm = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    const TApparentPlace p = ApparentPlace(body, d.M[i], c);
    pos[i] = {p.Alpha, p.Delta};
    if (i == 1) distanceKm = p.DistanceKm;
  }
  double h0 = kPlanetStandardAltitude;
  if (body == TBody::Sun) h0 = kSunAltitudes[0];
  if (body == TBody::Moon) h0 = MoonStandardAltitude(ArcSin(kEarthRadiusKm / distanceKm));
  // Meeus's method divides by cos(phi): keep the site off the poles.
  const double phi = std::clamp(state.Latitude, -89.99, 89.99) * kDegToRad;
  const TRiseSetHours t = RiseSetHours(pos, d.Tm, d.DeltaT, h0, -state.Longitude * kDegToRad, phi);
  if (t.Status == TRiseSetStatus::AlwaysAbove) return "Alltid över\r\n     horisonten";
  if (t.Status == TRiseSetStatus::AlwaysBelow) return "Alltid under\r\n     horisonten";
  const double transit = t.Transit - 24.0 * std::floor(t.Transit / 24.0);
  return "Upp  =" + FormatHM(t.Rise) + "\r\nI mer.=" + FormatHM(transit) +
         "\r\nNed  =" + FormatHM(t.Set);
}

// The physical data of the Sun or a planet (the right-hand table).
std::string PhysicalText(TBody body, const TApparentPlace& p, const TApparentPlace& sun,
                         const TMomentTerms& m) {
  double polar = 0.0;
  const double s = PlanetSemidiameter(body, p.DistanceAU, polar);
  const std::string diameter = "Diameter=" + Diameter(2.0 * s);
  if (body == TBody::Sun) {
    const double lambda = p.Geo.Lon - kSunAberration / p.Geo.R;
    const auto sp = SunPhysical(m.DPsi, m.Eps, lambda, m.T);
    return "PV,axel=" + Deg(sp[0], 1) + " B0=" + Deg(sp[1], 1) + "\r\nL0=" + Deg360(sp[2], 1) +
           "\r\n" + diameter;
  }
  const std::string magnitude = "Magnitud=" + Magnitude(ApparentMagnitude(p, m));
  const double k = IlluminatedFraction(p.Geo.R, p.Earth.R, p.Helio.R);
  switch (body) {
    case TBody::Mercury:
    case TBody::Venus: {
      // The bright limb: the dark limb's position angle less 180 degrees (Meeus ch. 46).
      const double chi = BrightLimbAngle(sun.Delta, sun.Alpha, p.Delta, p.Alpha)[1] - kPi;
      return "PV,bel=" + Deg360(chi, 1) + " Belyst del=" + FixedText(k, 3) +
             "\r\nMörk del=" + ArcSec((1.0 - k) * 2.0 * s) + "\r\n" + magnitude + " " + diameter;
    }
    case TBody::Mars: {
      const auto mp = MarsPhysical(p.Helio, p.Earth, p.Geo, m.DEps, m.DPsi, m.Eps0, m.T);
      return "PV,axel=" + Deg360(mp[3], 1) + " Om =" + Deg360(mp[2], 1) +
             "\r\nDE=" + Deg(mp[1], 1) + " DS=" + Deg(mp[0], 1) +
             "\r\nPV,bel=" + Deg360(mp[4] - kPi, 1) + " Mörk del=" + ArcSec(mp[5]) +
             "\r\nBelyst del=" + FixedText(k, 3) + "\r\n" + magnitude + " " + diameter;
    }
    case TBody::Jupiter: {
      const auto jp = JupiterPhysical(p.Helio, p.Earth, p.Geo, m.DEps, m.DPsi, m.Eps0, m.T);
      return "PV,axel=" + Deg360(jp[5], 1) + " DE=" + Deg(jp[1], 1) + " DS=" + Deg(jp[0], 1) +
             "\r\nOm1=" + Deg360(jp[2] + jp[4], 1) + " Om2=" + Deg360(jp[3] + jp[4], 1) + "\r\n" +
             magnitude + "\r\n" + diameter + " Poldiam.=" + Diameter(2.0 * polar);
    }
    case TBody::Saturn: {
      const auto sr = SaturnRing(p.Helio, p.Geo, p.Earth.Lon, m.DEps, m.DPsi, m.Eps0, m.T);
      return "PV,axel=" + Deg360(sr[2], 1) + " B =" + Deg(sr[0], 1) + " Bd=" + Deg(sr[1], 1) +
             "\r\nC=" + Deg(sr[3], 1) + " a-axel=" + ArcSec(sr[4]) + " b-axel=" + ArcSec(sr[5]) +
             "\r\n" + magnitude + "\r\n" + diameter +
             " Poldiam.=" + Diameter(2.0 * SaturnPolarSemidiameter(s, sr[0]));
    }
    default:
      return magnitude + " " + diameter;
  }
}

// The heliocentric ecliptic rectangular position of a planet of date at T, AU.
TVector3 HelioVector(TBody planet, double t) {
  TSpherical h = HeliocentricPlanet(SeriesOf(planet), t);
  if (planet == TBody::Pluto) {
    // Pluto's series are referred to J2000.0: the general precession in longitude to the date
    // (Meeus (1991) ch. 20).
    h.Lon += (5029.0966 * t + 1.11113 * t * t) * kArcSecToRad;
  }
  return PolarToCartesian(h);
}

}  // namespace

TBodyHalfSize BodyHalfSize(double semidiameter, double dec, const TChartView& view, int minimum) {
  const double h = semidiameter / 3600.0 * view.PixelScale;
  const double w = IsRectSystem(view.CoordSystem) ? h / std::cos(dec) : h;
  TBodyHalfSize size;
  size.HalfHeight = std::max(minimum, static_cast<int>(RoundHalfEvenToInt(h)));
  size.HalfWidth = std::max(minimum, static_cast<int>(RoundHalfEvenToInt(w)));
  return size;
}

int BodyMinimumHalfSize(int body, int displayMode) {
  if (body == kChartMoon) return 4;
  const int atlas = displayMode == 1 ? 1 : 0;
  return (body == kChartSun ? 4 : 2) + atlas;
}

TBodyColours BodyColours(int body, int displayMode, const TChartView& view) {
  TBodyColours c;
  c.Fill = kFills[static_cast<std::size_t>(std::clamp(body, 0, kBodyCount - 1))];
  c.Outline = displayMode == 1 ? kChartBlack : c.Fill;
  if (body == kChartSun &&
      (displayMode == 1 || (view.ChartZoom >= 8 && view.CoordSystem != kEclipticWhole))) {
    c.Outline = kChartGrey;
  }
  if (body == kChartMoon && displayMode != 1 && view.ChartZoom >= 8) c.Outline = kChartGrey;
  return c;
}

int WholeSkyBodyRadius(int body, int chartZoom) {
  const double k = kWholeSkyK[static_cast<std::size_t>(std::clamp(body, 0, kBodyCount - 1))];
  // The moons are smaller dots (1) so that they do not hide their planet at small zooms.
  const int minimum = body >= 10 ? 1 : 3;
  return std::max(minimum, static_cast<int>(RoundHalfEvenToInt(chartZoom / k)));
}

std::vector<TChartBody> ChartMajorBodies(const TObsState& state, const TChartMoment& moment,
                                         const TChartView& view,
                                         const std::filesystem::path& dataDir) {
  std::vector<TChartBody> bodies;
  if (state.ShowSunPlanets != 1) return bodies;
  const bool whole = view.CoordSystem == kEclipticWhole;
  const bool moons = state.ShowMoons == 1;

  const TCorrections c = StateCorrections(state);
  const TSite site = StateSite(state);
  const TMomentTerms m = MomentTerms(state.JD_TT, state.JD_UT, site, c);

  // Every series the drawing needs, each once: together they fill the term buffer exactly.
  TPlanetDataSession planetData(dataDir);
  if (!planetData.Load(TSeriesPlanet::Earth) || !planetData.Load(TSeriesPlanet::EarthJ2000)) {
    return bodies;
  }
  for (const TSeriesPlanet planet : kPlanetsFromFiles) {
    if (!planetData.Load(planet)) return bodies;
  }

  // The geocentric places for rising and setting: no parallax, no refraction.
  TCorrections cGeo = c;
  cGeo.Parallax = false;
  cGeo.Refraction = false;
  std::optional<TDayMoments> day;

  const TApparentPlace sun = ApparentPlace(TBody::Sun, m, c);
  std::optional<TApparentPlace> jupiter;
  const TVector3 earthHelio = PolarToCartesian(sun.Earth);
  TVector3 jupiterHelio{};

  std::vector<int> order = {0, 1, 2};
  if (whole) order.push_back(kChartEarth);
  for (int b = 4; b <= 9; ++b) order.push_back(b);
  if (moons) order.push_back(kChartMoon);
  if (whole && moons) {
    for (int b = kChartIo; b <= kChartCallisto; ++b) order.push_back(b);
  }
  bodies.reserve(order.size());

  for (const int index : order) {
    TChartBody b;
    b.Index = index;
    b.Name = std::string(kBodyNames[static_cast<std::size_t>(index)].substr(1));
    const TBodyColours colours = BodyColours(index, state.DisplayMode, view);
    b.Fill = colours.Fill;
    b.Outline = colours.Outline;
    const bool isPlace = index != kChartEarth && index < kChartIo;
    TApparentPlace place;
    if (isPlace) place = index == kChartSun ? sun : ApparentPlace(ChartIndexBody(index), m, c);
    if (index == kChartJupiter) jupiter = place;

    if (whole) {
      TVector3 v{};
      if (index == kChartMoon) {
        v = Add(earthHelio, PolarToCartesian(place.Geo));
      } else if (index >= kChartIo) {
        const double au = kJupiterRadiusKm / kKmPerAu;
        v = Add(jupiterHelio, Scale(SatelliteEcliptic(index - kChartIo + 1, m.T), au));
      } else if (index != kChartSun) {
        v = HelioVector(ChartIndexBody(index), m.T);
        if (index == kChartJupiter) jupiterHelio = v;
      }
      const TWholeSkyPoint w = ProjectWholeSky(v.X, v.Y, v.Z, view);
      const TPixel left = RoundPixel({w.X, w.Y});
      const TPixel side = RoundPixel({w.SideX, w.Y});
      b.X = left.X;
      b.Y = left.Y;
      b.SideX = side.X;
      b.Visible = IsInsidePane(left, kWholeSkyLeftPane);
      b.SideVisible = IsInsidePane(side, kWholeSkyRightPane);
      b.HalfWidth = b.HalfHeight = WholeSkyBodyRadius(index, view.ChartZoom);
    } else {
      const TChartCoords cc = ChartCoordinates(place.TopoAlpha, place.TopoDelta, moment, view);
      if (const auto pt = ProjectChartCoords(cc, view)) {
        const TPixel px = RoundPixel(*pt);
        b.X = px.X;
        b.Y = px.Y;
        b.Visible = IsInsideClient(px, view);
      }
      double polar = 0.0;
      const double s = index == kChartMoon
                           ? MoonSemidiameter(place.DistanceKm)
                           : PlanetSemidiameter(ChartIndexBody(index), place.DistanceAU, polar);
      const TBodyHalfSize hs =
          BodyHalfSize(s, place.TopoDelta, view, BodyMinimumHalfSize(index, state.DisplayMode));
      b.HalfWidth = hs.HalfWidth;
      b.HalfHeight = hs.HalfHeight;
    }

    if (state.LabelPlanets == 1) {
      b.Label = Cut(b.Name, kMaxLabelChars);
      b.LabelColour = index >= kChartIo ? kMoonsLabelColour : kBodyLabelColour;
      const int shift = LabelShift(b.Label);
      b.LabelX = b.X - shift;
      b.LabelY = b.Y - kLabelRise;
      b.SideLabelX = whole ? b.SideX - shift : -100;
    }

    if (!b.Visible && !b.SideVisible) {
      bodies.push_back(std::move(b));
      continue;
    }

    // The readout.
    if (index == kChartEarth) {
      const TSpherical e = sun.Earth;
      b.Line1 =
          "L=" + Deg360(e.Lon, 1) + " B=" + Deg(e.Lat, 1) + " R=" + FixedText(e.R, 5) + " a.e.";
    } else if (index >= kChartIo) {
      if (jupiter) {
        // Geocentric: Jupiter's geocentric place plus the satellite's offset at the moment the
        // light left Jupiter.
        const double tJ = m.T - kLightTimePerAu * jupiter->Geo.R;
        const TVector3 offset =
            Scale(SatelliteEcliptic(index - kChartIo + 1, tJ), kJupiterRadiusKm / kKmPerAu);
        const TSpherical g = CartesianToPolar(Add(PolarToCartesian(jupiter->Geo), offset));
        b.Line1 = "lambda=" + Deg360(g.Lon, 2) + " beta=" + Deg(g.Lat, 2) +
                  " delta=" + FixedText(g.R * kKmPerAu, 0) + " km";
      }
    } else {
      if (!day) day = DayMoments(state, site, cGeo);
      b.Line5 = RiseSetLine(ChartIndexBody(index), *day, cGeo, state);
      if (index == kChartMoon) {
        // The topocentric distance and semidiameter (Meeus ch. 39: S' = S / r).
        const double s = MoonSemidiameter(place.DistanceKm);
        double a = place.Alpha;
        double d = place.Delta;
        double topoS = s;
        ParallaxRaDec(a, d, topoS, m.RhoSinPhi, m.RhoCosPhi, m.Theta,
                      kEarthRadiusKm / place.DistanceKm);
        const double distance = c.Parallax ? place.DistanceKm * s / topoS : place.DistanceKm;
        const auto mp = MoonPhysical({place.Geo.Lon, place.Geo.Lat, place.DistanceKm}, sun.Geo,
                                     m.Eps0, m.DPsi, m.DEps, m.T);
        b.Line1 = "lambda=" + Deg360(place.Geo.Lon, 2) + " beta=" + Deg(place.Geo.Lat, 2) +
                  " delta=" + FixedText(place.DistanceKm, 0) + " km";
        b.Line2 = RaDecLine(place.TopoAlpha, place.TopoDelta);
        b.Line3 = AzAltLine(place);
        b.Line4 = "Delta=" + FixedText(distance, 0) + " km PV,bel=" + Deg360(mp[9], 1);
        b.Right = "Geo-diam =" + Diameter(2.0 * s) + " Topo-diam=" + Diameter(2.0 * topoS) +
                  "\r\nBelyst del=" + FixedText(mp[8], 3) + " PV,axel=" + Deg(mp[6], 1) +
                  "\r\nl=" + Deg(mp[0], 2) + " b=" + Deg(mp[1], 2) + " ld=" + Deg(mp[2], 2) +
                  " bd=" + Deg(mp[3], 2) + "\r\nldd=" + Deg(mp[4], 2) + " bdd=" + Deg(mp[5], 2);
      } else {
        if (index == kChartSun) {
          b.Line1 = "Delta=" + FixedText(place.DistanceAU, 5) + " a.e.";
        } else {
          b.Line1 = "L=" + Deg360(place.Helio.Lon, 1) + " B=" + Deg(place.Helio.Lat, 1) +
                    " R=" + FixedText(place.Helio.R, 3) +
                    " a.e. Delta=" + FixedText(place.DistanceAU, 3) + " a.e.";
        }
        b.Line2 = "lambda=" + Deg360(place.Geo.Lon, 1) + " beta=" + Deg(place.Geo.Lat, 1);
        b.Line3 = RaDecLine(place.TopoAlpha, place.TopoDelta);
        b.Line4 = AzAltLine(place);
        b.Right = PhysicalText(ChartIndexBody(index), place, sun, m);
      }
    }
    b.Line1 = Cut(b.Line1, kBodyLine1Chars);
    b.Line2 = Cut(b.Line2, kBodyLine2Chars);
    b.Line3 = Cut(b.Line3, kBodyLine3Chars);
    b.Line4 = Cut(b.Line4, kBodyLine4Chars);
    b.Line5 = Cut(b.Line5, kBodyLine5Chars);
    b.Right = Cut(b.Right, kBodyRightChars);
    bodies.push_back(std::move(b));
  }
  return bodies;
}

}  // namespace himlavy
