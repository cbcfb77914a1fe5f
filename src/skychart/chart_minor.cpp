#include "skychart/chart_minor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/file_cache.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "catalogs/element_files.h"
#include "planets/physical.h"
#include "skychart/zone_selection.h"

namespace himlavy {

namespace {

// The Sun's horizontal parallax at 1 AU.
constexpr double kSolarParallax = 8.794 * kArcSecToRad;
// AU per day in km/s.
constexpr double kAuPerDayKmS = 149597870.0 / 86400.0;
constexpr double kJulianYear = 365.25;

constexpr TRgb kAsteroidColour = kChartBlue;
constexpr TRgb kCometColour = kChartCyan;
constexpr TRgb kProbeColour = kChartLime;

// A probe's central body: its planet's series (none for the Sun) and its Swedish name.
struct TCentreInfo {
  std::string_view Text;
  std::optional<TSeriesPlanet> Planet;
  std::string_view Name;
};

constexpr std::array<TCentreInfo, 9> kCentres = {{
    {"Sol", std::nullopt, "Solen"},
    {"Mer", TSeriesPlanet::Mercury, "Merkurius"},
    {"Ven", TSeriesPlanet::Venus, "Venus"},
    {"Jor", TSeriesPlanet::Earth, "Jorden"},
    {"Mar", TSeriesPlanet::Mars, "Mars"},
    {"Jup", TSeriesPlanet::Jupiter, "Jupiter"},
    {"Sat", TSeriesPlanet::Saturn, "Saturnus"},
    {"Ura", TSeriesPlanet::Uranus, "Uranus"},
    {"Nep", TSeriesPlanet::Neptune, "Neptunus"},
}};

// The planets a probe can circle, Mercury to Neptune with the Earth of date.
constexpr std::array<TSeriesPlanet, 8> kCentrePlanets = {
    TSeriesPlanet::Mercury, TSeriesPlanet::Venus,  TSeriesPlanet::Earth,  TSeriesPlanet::Mars,
    TSeriesPlanet::Jupiter, TSeriesPlanet::Saturn, TSeriesPlanet::Uranus, TSeriesPlanet::Neptune};

const TCentreInfo& CentreOf(std::string_view text) {
  for (const TCentreInfo& c : kCentres) {
    if (c.Text == text) return c;
  }
  return kCentres[0];
}

TElementFileKind KindOf(int group) {
  if (group == 4) return TElementFileKind::Comet;
  if (group == 5) return TElementFileKind::Probe;
  return TElementFileKind::Asteroid;
}

}  // namespace

// One line of an element file that gives a body, with what does not change between drawings.
struct TCachedMinorBody {
  std::string Line;     // the raw line
  TElementLineUse Use;  // at which moments it is used (ElementLineUsed)
  TMinorBody Body;
  TOrbitPlane Plane;  // of the J2000.0 equator
  const TCentreInfo* Centre = &kCentres[0];
  std::string Name;        // the identification name, UTF-8
  std::string PeriodLine;  // "Omloppstid=..." or the open-orbit text
  double InverseA = 0.0;   // 1/a = (1 - e)/q, per AU
  int Shift = 0;           // LabelShift of the name
};

namespace {

// Fixed text of x with at most maxDecimals decimals, fewer where that keeps it within
// maxChars characters.
std::string FitFixed(double x, int maxDecimals, std::size_t maxChars) {
  // Characters before the decimals: the sign, the integer digits and the point.
  int lead = x < 0.0 ? 3 : 2;
  for (double p = 10.0; p <= std::fabs(x) && lead < 400; p *= 10.0) ++lead;
  int decimals = std::clamp(static_cast<int>(maxChars) - lead, 0, maxDecimals);
  std::string s = FixedText(x, decimals);
  while (--decimals >= 0 && s.size() > maxChars) s = FixedText(x, decimals);
  return s;
}

// A distance in AU: four decimals, eight below 0.01 AU (satellites), fitted to maxChars.
std::string DistanceText(double d, std::size_t maxChars) {
  return FitFixed(d, d < 0.01 ? 8 : 4, maxChars);
}

// The name of a line: columns 1..width up to the first two consecutive blanks.
std::string NameOfLine(std::string_view line, std::size_t width) {
  std::string_view name = line.substr(0, std::min(line.size(), width));
  const std::size_t gap = name.find("  ");
  if (gap != std::string_view::npos) name = name.substr(0, gap);
  const std::size_t last = name.find_last_not_of(' ');
  name = last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
  return Cp1252ToUtf8(name);
}

std::string PeriodLineOf(const TElements& el) {
  if (el.Ecc >= 1.0 || el.DailyMotion <= 0.0) return "Parabel- eller hyperbelbana";
  const double years = kTwoPi / el.DailyMotion / kJulianYear;
  // "Omloppstid=" and " år" leave 16 characters for the number.
  return "Omloppstid=" + FitFixed(years, years < 1.0 ? 5 : 2, 16) + " år";
}

// The bodies of a group's file with what every drawing needs of them.
std::optional<std::vector<TCachedMinorBody>> ReadGroupBodies(const std::filesystem::path& path,
                                                             TElementFileKind kind) {
  const std::optional<std::vector<std::string>> lines =
      ReadRawLines(path, kElementLineChars, kMaxElementLines);
  if (!lines) return std::nullopt;
  std::vector<TCachedMinorBody> bodies;
  const double eps2000 = MeanObliquity(0.0);
  const std::size_t nameChars = kind == TElementFileKind::Probe ? kProbeNameChars : kMinorNameChars;
  for (const std::string& line : *lines) {
    std::optional<TMinorBody> body = ElementLineToBody(line, kind);
    if (!body) continue;
    TCachedMinorBody c;
    c.Line = line;
    c.Use = ElementLineUseOf(line, kind);
    c.Plane = OrbitPlaneConstants(body->Elements, eps2000);
    c.Centre = &CentreOf(body->Centre);
    c.Name = NameOfLine(line, nameChars);
    c.PeriodLine = PeriodLineOf(body->Elements);
    c.Shift = LabelShift(c.Name);
    c.InverseA = (1.0 - body->Elements.Ecc) / body->Elements.PeriDist;
    c.Body = std::move(*body);
    bodies.push_back(std::move(c));
  }
  return bodies;
}

// The group's bodies, kept until the file changes; nullptr when the file cannot be opened.
std::shared_ptr<const std::vector<TCachedMinorBody>> GroupBodies(
    int group, const std::filesystem::path& dataDir) {
  static TFileCache<std::vector<TCachedMinorBody>> cache;
  const TElementFileKind kind = KindOf(group);
  return cache.Get(ResolveDataPath(dataDir, MinorGroupFileName(group)),
                   [kind](const std::filesystem::path& p) { return ReadGroupBodies(p, kind); });
}

// Rigorous precession from J2000.0 to the mean equator and equinox of date as a matrix: its
// columns are the precessed unit vectors of the J2000.0 axes.
struct TPrecession {
  std::array<TVector3, 3> Column;
  TVector3 Apply(const TVector3& v) const {
    return {Column[0].X * v.X + Column[1].X * v.Y + Column[2].X * v.Z,
            Column[0].Y * v.X + Column[1].Y * v.Y + Column[2].Y * v.Z,
            Column[0].Z * v.X + Column[1].Z * v.Y + Column[2].Z * v.Z};
  }
};

TPrecession PrecessionToDate(double t) {
  constexpr std::array<std::array<double, 2>, 3> kAxes = {
      {{0.0, 0.0}, {kPiHalf, 0.0}, {0.0, kPiHalf}}};
  TPrecession p;
  for (std::size_t i = 0; i < 3; ++i) {
    double alpha = kAxes[i][0];
    double delta = kAxes[i][1];
    PrecessRaDec(alpha, delta, 0.0, t);
    p.Column[i] = PolarToCartesian(TSpherical{alpha, delta, 1.0});
  }
  return p;
}

// A central planet for one drawing: its heliocentric vector, equatorial of date, at the moment
// and at the light-time moment, and ecliptic of date at the moment.
struct TCentrePlace {
  bool Usable = false;
  TVector3 Equatorial;  // at T
  TVector3 LightTimed;  // at T - tau of the planet (Equatorial when light time is off)
  TVector3 Ecliptic;    // at T
};

// Everything a drawing shares.
struct TDrawing {
  double T = 0.0;
  double CosEps0 = 1.0;
  double SinEps0 = 0.0;
  TPrecession Precession;
  TVector3 Sun;                         // the Sun's geocentric vector, equatorial of date, AU
  std::array<TCentrePlace, 9> Centres;  // by series (SeriesIndex); 0 unused
};

TVector3 PlanetEquatorial(TSeriesPlanet planet, double t, const TDrawing& d) {
  return RotateAboutX(PolarToCartesian(HeliocentricPlanet(planet, t)), d.CosEps0, d.SinEps0);
}

// Loads the Earth of date and the central planets the used bodies need and computes their
// places; false when the Earth cannot be loaded. The term buffer is left open.
bool PrepareDrawing(TDrawing& d, const std::array<bool, 9>& needed, const TChartMoment& moment,
                    bool lightTime, const std::filesystem::path& dataDir) {
  d.T = moment.T;
  d.CosEps0 = std::cos(moment.Eps0);
  d.SinEps0 = std::sin(moment.Eps0);
  d.Precession = PrecessionToDate(moment.T);
  TPlanetDataSession planetData(dataDir);
  if (!planetData.Load(TSeriesPlanet::Earth)) return false;
  d.Sun = SunRectangular(TSeriesPlanet::Earth, moment.Eps0, moment.T);
  for (const TSeriesPlanet planet : kCentrePlanets) {
    if (!needed[SeriesIndex(planet)]) continue;
    if (planet != TSeriesPlanet::Earth && !planetData.Load(planet)) continue;
    TCentrePlace& c = d.Centres[SeriesIndex(planet)];
    c.Usable = true;
    c.Equatorial = PlanetEquatorial(planet, d.T, d);
    c.LightTimed = c.Equatorial;
    c.Ecliptic = PolarToCartesian(HeliocentricPlanet(planet, d.T));
    if (lightTime && planet != TSeriesPlanet::Earth) {
      const double delta = Norm(Add(c.Equatorial, d.Sun));
      c.LightTimed = PlanetEquatorial(planet, d.T - kLightTimePerAu * delta, d);
    }
  }
  return true;
}

bool Finite(const TVector3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

// The readout lines of a body at distance r from its centre and delta from the Earth, with
// the phase angle (asteroids) from its heliocentric and geocentric vectors.
std::array<std::string, 5> ComposeLines(const TCachedMinorBody& c, TElementFileKind kind, double r,
                                        double delta, const TVector3& helio, const TVector3& geo) {
  std::array<std::string, 5> lines;
  std::string& first = lines[0];
  first.reserve(kMinorLineChars[0]);
  if (kind == TElementFileKind::Probe) {
    first += "Centrum=";
    first += c.Centre->Name;
    first += "  ";
  }
  first += "delta=";
  first += DistanceText(delta, 12);
  first += " a.e.";

  const TMinorBody& b = c.Body;
  if (b.Mag1 && b.Mag2 && kind != TElementFileKind::Probe) {
    double mag = 0.0;
    if (kind == TElementFileKind::Comet) {
      mag = CometMagnitude(*b.Mag2, *b.Mag1, r, delta);
    } else {
      const double rh = Norm(helio);
      const double dot = helio.X * geo.X + helio.Y * geo.Y + helio.Z * geo.Z;
      const double phase = std::acos(std::clamp(dot / (rh * delta), -1.0, 1.0));
      mag = AsteroidMagnitudeHG(*b.Mag2, *b.Mag1, phase, rh, delta);
    }
    if (std::isfinite(mag)) {
      lines[1] = "Magnitud=";
      lines[1] += FitFixed(mag, 1, 6);
    }
  }

  const double speed = b.GaussK * std::sqrt(std::max(0.0, 2.0 / r - c.InverseA)) * kAuPerDayKmS;
  std::string& second = lines[2];
  second.reserve(kMinorLineChars[2]);
  second += "Hastighet=";
  second += FitFixed(speed, 2, 5);
  second += " km/s";
  lines[3] = c.PeriodLine;
  std::string& last = lines[4];
  last.reserve(kMinorLineChars[4]);
  last += "r=";
  last += DistanceText(r, 8);
  last += " a.e.";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // A line of no more bytes than its size has no more characters either.
    if (lines[i].size() > kMinorLineChars[i] && Utf8Length(lines[i]) > kMinorLineChars[i]) {
      lines[i] = Utf8Left(lines[i], kMinorLineChars[i]);
    }
  }
  return lines;
}
}  // namespace

std::string_view MinorGroupFileName(int group) {
  switch (group) {
    case 1:
      return kAsteroidFile1;
    case 2:
      return kAsteroidFile2;
    case 3:
      return kAsteroidFile3;
    case 4:
      return kCometFile;
    case 5:
      return kProbeFile;
    default:
      return {};
  }
}

std::array<std::string, 5> MinorReadoutLines(const TMinorReadout& readout) {
  if (readout.Body == nullptr) return {};
  return ComposeLines(*readout.Body, KindOf(readout.Group), readout.R, readout.Delta, readout.Helio,
                      readout.Geo);
}

TChartMinorBody MinorGroupSymbol(int group, int displayMode, int x, int y) {
  TChartMinorBody b;
  b.X = x;
  b.Y = y;
  const bool atlas = displayMode == 1;
  if (group == 5) {
    b.Fill = kProbeColour;
    b.Symbol = atlas ? TStarSymbol{false, x - 2, y - 2, x + 2, y + 2}
                     : TStarSymbol{false, x - 1, y - 1, x + 2, y + 2};
  } else {
    b.Fill = group == 4 ? kCometColour : kAsteroidColour;
    const int h = atlas ? 3 : 2;
    b.Symbol = TStarSymbol{false, x - h, y - h, x + h, y + h};
  }
  b.Outline = atlas ? kChartBlack : b.Fill;
  return b;
}

namespace {

// The place of a body at a moment, whatever the view.
struct TMinorPlace {
  bool Usable = false;
  TVector3 Ecliptic;      // geometric, heliocentric, ecliptic of date, at the moment (system 0)
  TVector3 Helio;         // from the Sun, at the light-time moment
  TVector3 Geo;           // from the Earth
  double R = 0.0;         // from its centre, AU
  double Distance = 0.0;  // from the Earth, AU
  double Alpha = 0.0;     // apparent right ascension [0, 2 pi) and declination, radians
  double Delta = 0.0;
};

// What the places of a group depend on besides the element lines.
struct TMinorMoment {
  double T = 0.0, Eps0 = 0.0, DPsi = 0.0, DEps = 0.0, Theta = 0.0, Phi = 0.0;
  double Height = 0.0, ClockJD = 0.0;
  bool Nutation = false, Aberration = false, Parallax = false, LightTime = false;
  bool operator==(const TMinorMoment&) const = default;
};

// The places of the used bodies of a group, computed as Meeus (1991, ch. 32) describes and
// kept for the next drawing at the same moment (a pan or a zoom then only projects them).
std::vector<TMinorPlace> MinorPlaces(
    int group, const std::shared_ptr<const std::vector<TCachedMinorBody>>& bodies,
    const std::vector<const TCachedMinorBody*>& used, const std::array<bool, 9>& needed,
    const TObsState& state, const TChartMoment& moment, const std::filesystem::path& dataDir) {
  const TMinorMoment key{moment.T,
                         moment.Eps0,
                         moment.DPsi,
                         moment.DEps,
                         moment.Theta,
                         moment.Phi,
                         state.Height,
                         state.ClockJD,
                         moment.Nutation,
                         moment.Aberration,
                         state.CorrParallax == 1,
                         state.CorrLightTime == 1};
  struct TKept {
    std::shared_ptr<const std::vector<TCachedMinorBody>> Bodies;
    TMinorMoment Key;
    std::vector<TMinorPlace> Places;
  };
  static std::mutex keptMutex;
  static std::array<TKept, kMinorGroups + 1> kept;
  {
    const std::lock_guard lock(keptMutex);
    const TKept& k = kept[static_cast<std::size_t>(group)];
    if (ChartShortcuts() && k.Bodies == bodies && k.Key == key && k.Places.size() == used.size()) {
      return k.Places;
    }
  }
  std::vector<TMinorPlace> places(used.size());
  TDrawing d;
  if (PrepareDrawing(d, needed, moment, key.LightTime, dataDir)) {
    const double eps = moment.Eps0 + moment.DEps;
    const TObserverGeocentric observer = ObserverGeocentric(state.Height, moment.Phi);
    const TVector3 noCentre{};
    for (std::size_t i = 0; i < used.size(); ++i) {
      const TCachedMinorBody* c = used[i];
      const std::optional<TSeriesPlanet> planet = c->Centre->Planet;
      const TCentrePlace* centre = planet ? &d.Centres[SeriesIndex(*planet)] : nullptr;
      if (centre != nullptr && !centre->Usable) continue;
      const TVector3& centreNow = centre != nullptr ? centre->Equatorial : noCentre;
      const TVector3& centreThen = centre != nullptr ? centre->LightTimed : noCentre;

      // The body from its centre at T, and geocentric; once more at the light-time moment.
      const TVector3 own0 =
          d.Precession.Apply(PositionFromElements(c->Body.Elements, c->Plane, d.T));
      TVector3 own = own0;
      TVector3 helio = Add(own0, centreNow);
      TVector3 geo = Add(helio, d.Sun);
      if (key.LightTime) {
        const double tau = kLightTimePerAu * Norm(geo);
        own = d.Precession.Apply(PositionFromElements(c->Body.Elements, c->Plane, d.T - tau));
        helio = Add(own, centreThen);
        geo = Add(helio, d.Sun);
      }
      if (!Finite(own) || !Finite(geo)) continue;
      TMinorPlace& p = places[i];
      p.Distance = Norm(geo);
      p.R = Norm(own);
      if (p.Distance <= 0.0 || p.R <= 0.0) continue;
      p.Helio = helio;
      p.Geo = geo;
      // Geometric, heliocentric, ecliptic of date, at the moment.
      p.Ecliptic = RotateAboutX(own0, d.CosEps0, -d.SinEps0);
      if (centre != nullptr) p.Ecliptic = Add(p.Ecliptic, centre->Ecliptic);
      const TSpherical place = CartesianToPolar(geo);
      double alpha = place.Lon;
      double dec = place.Lat;
      if (moment.Nutation) NutationRaDec(alpha, dec, moment.Eps0, moment.DEps, moment.DPsi);
      if (moment.Aberration && planet != TSeriesPlanet::Earth) {
        AberrationRaDec(TAberrationTerms::WithETerms, alpha, dec, eps, moment.T);
      }
      if (key.Parallax) {
        double scale = 1.0;
        ParallaxRaDec(alpha, dec, scale, observer.RhoSinPhi, observer.RhoCosPhi, moment.Theta,
                      std::sin(kSolarParallax) / p.Distance);
      }
      p.Alpha = Mod2Pi(alpha);
      p.Delta = dec;
      p.Usable = true;
    }
  }
  const std::lock_guard lock(keptMutex);
  kept[static_cast<std::size_t>(group)] = TKept{bodies, key, places};
  return places;
}

}  // namespace

std::optional<std::vector<TChartMinorBody>> ChartMinorGroup(int group, const TObsState& state,
                                                            const TChartMoment& moment,
                                                            const TChartView& view,
                                                            const std::filesystem::path& dataDir) {
  if (group < 1 || group > kMinorGroups) return std::nullopt;
  const auto bodies = GroupBodies(group, dataDir);
  if (bodies == nullptr) return std::nullopt;
  std::vector<TChartMinorBody> result;

  // The lines used at this moment, and the central planets they need.
  std::vector<const TCachedMinorBody*> used;
  used.reserve(bodies->size());
  std::array<bool, 9> needed{};
  for (const TCachedMinorBody& c : *bodies) {
    if (!c.Use.At(state.ClockJD)) continue;
    used.push_back(&c);
    if (c.Centre->Planet) needed[SeriesIndex(*c.Centre->Planet)] = true;
  }
  if (used.empty()) return result;

  const bool wholeSky = view.CoordSystem == kEclipticWhole;
  const std::vector<TMinorPlace> places =
      MinorPlaces(group, bodies, used, needed, state, moment, dataDir);
  result.reserve(used.size());

  for (std::size_t i = 0; i < used.size(); ++i) {
    const TCachedMinorBody* c = used[i];
    const TMinorPlace& place = places[i];
    if (!place.Usable) continue;
    TPixel pixel;
    int sideX = kNoSideX;
    if (wholeSky) {
      const TVector3& ecl = place.Ecliptic;
      const TWholeSkyPoint p = ProjectWholeSky(ecl.X, ecl.Y, ecl.Z, view);
      pixel = RoundPixel(TChartPoint{p.X, p.Y});
      sideX = RoundPixel(TChartPoint{p.SideX, p.Y}).X;
      if (!IsInsidePane(pixel, kWholeSkyLeftPane) &&
          !IsInsidePane({sideX, pixel.Y}, kWholeSkyRightPane)) {
        continue;
      }
    } else {
      const TChartCoords coords = ChartCoordinates(place.Alpha, place.Delta, moment, view);
      const std::optional<TChartPoint> p = ProjectChartCoords(coords, view);
      if (!p) continue;
      pixel = RoundPixel(*p);
      if (!IsInsideClient(pixel, view)) continue;
    }
    const double r = place.R, delta = place.Distance;
    const TVector3 &helio = place.Helio, &geo = place.Geo;

    TChartMinorBody& out =
        result.emplace_back(MinorGroupSymbol(group, state.DisplayMode, pixel.X, pixel.Y));
    out.SideX = sideX;
    out.Track = c->Body.Track;
    out.Name = c->Name;
    out.LabelX = pixel.X - c->Shift;
    out.LabelY = pixel.Y - kLabelRise;
    out.Readout = TMinorReadout{
        std::shared_ptr<const TCachedMinorBody>(bodies, c), group, r, delta, helio, geo};
  }
  return result;
}

}  // namespace himlavy
