// The sky chart's geometry. See chart_projection.h.
#include "skychart/chart_projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "astro/apparent.h"
#include "astro/reductions.h"
#include "base/basic.h"
#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"
#include "base/timescales.h"

namespace himlavy {
namespace {

constexpr double kRefractionFloor = -0.010471975511965978;  // -0.6 degrees

// The rectangular projection without the latitude limit (coordinate lines and the background
// reach +-75 exactly).
TChartPoint RectPoint(double lonPrime, double lat, const TChartView& v) {
  return TChartPoint{
      (lonPrime - v.CentreLon) * v.PixelScale + v.BaseScale * v.CentreLon + 12.0 + v.OffsetX,
      (75.0 - lat - v.CentreLat) * v.PixelScale + v.BaseScale * v.CentreLat + 140.0 + v.OffsetY};
}

// An angle in degrees reduced to [0, 360).
double Reduce360(double a) {
  double r = std::fmod(a, 360.0);
  if (r < 0.0) r += 360.0;
  if (r >= 360.0) r -= 360.0;
  return r;
}

// The longitude a chart longitude stands for (the inverse of ChartLonPrime), in [0, 360):
// systems 1, 2, 6 the longitude or right ascension, system 4 the azimuth from the south.
double LonFromPrime(double lonPrime, int coordSystem, int centreDir) {
  if (coordSystem == kHorizontal) {
    return Reduce360(centreDir == 1 ? lonPrime : lonPrime - 180.0);
  }
  return Reduce360(centreDir == 1 ? 540.0 - lonPrime : 360.0 - lonPrime);
}

// Whether a label's top-left corner lies more than 20 pixels inside the client rectangle.
bool LabelFits(int x, int y, const TChartView& v) {
  constexpr int kMargin = 20;
  return x > kMargin && x < v.ClientWidth - kMargin && y > kMargin && y < v.ClientHeight - kMargin;
}

// The number of grid values from `first` to `last` in steps of `step` (both ends included).
int GridCount(double first, double last, double step) {
  return static_cast<int>(std::lround((last - first) / step)) + 1;
}

// The coordinate lines of the rectangular systems 1, 2, 4 and 6.
void RectLines(const TChartView& v, TCoordLines& out) {
  const int band = GridBand(v.ChartZoom);
  if (band > 2) return;
  constexpr std::array<double, 3> kStep = {15.0, 2.5, 0.5};
  const double step = kStep[band];
  const bool horizontal = v.CoordSystem == kHorizontal;
  const double parallelFrom = horizontal ? (band == 0 ? -15.0 : 0.0) : -75.0;
  const double meridianBottom = horizontal ? 0.0 : -75.0;

  // An end of a line: rounded and clamped into the client rectangle.
  auto end = [&v](const TChartPoint& p) {
    TPixel q = RoundPixel(p);
    q.X = std::clamp(q.X, 0, v.ClientWidth);
    q.Y = std::clamp(q.Y, 0, v.ClientHeight);
    return q;
  };

  const int parallels = GridCount(parallelFrom, 75.0, step);
  for (int i = 0; i < parallels; ++i) {
    const double lat = parallelFrom + i * step;
    const TPixel a = end(RectPoint(0.0, lat, v));
    const TPixel b = end(RectPoint(360.0, lat, v));
    out.Segments.push_back({a.X - 1, a.Y - 1, b.X - 1, b.Y - 1});
    const int lx = std::max(a.X + 4, 24);
    const int ly = a.Y - 13;
    if (LabelFits(lx, ly, v)) {
      out.Labels.push_back({lx, ly, band == 0 ? FormatD(lat) : FormatDM(lat)});
    }
  }

  const int meridians = GridCount(0.0, 360.0, step);
  for (int i = 0; i < meridians; ++i) {
    const double lonPrime = i * step;
    const TPixel a = end(RectPoint(lonPrime, 75.0, v));
    const TPixel b = end(RectPoint(lonPrime, meridianBottom, v));
    out.Segments.push_back({a.X - 1, a.Y - 1, b.X - 1, b.Y - 1});
    const int lx = a.X + 2;
    const int ly = std::max(a.Y + 4, 56);
    if (!LabelFits(lx, ly, v)) continue;
    const double lon = LonFromPrime(lonPrime, v.CoordSystem, v.CentreDir);
    std::string text;
    if (v.CoordSystem == kEquatorial) {
      text = band == 0 ? FormatH(lon / 15.0) : FormatHM(lon / 15.0);
    } else {
      text = band == 0 ? FormatD(lon) : FormatDM(lon);
    }
    out.Labels.push_back({lx, ly, std::move(text)});
  }
}

// The coordinate lines of the polar systems 3 and 5 and of the whole-sky system 0.
void PolarLines(const TChartView& v, TCoordLines& out) {
  const bool whole = v.CoordSystem == kEclipticWhole;
  const double k = whole ? v.PixelScale / 2.0 : v.PixelScale;
  const double cx = (whole ? 354.0 : 480.0) + v.ChartZoom * v.OffsetX;
  const double cy = 348.0 + v.ChartZoom * v.OffsetY;
  const int band = GridBand(v.ChartZoom);
  constexpr std::array<double, 4> kSegment = {10.0, 5.0, 1.0, 1.0};
  const double segment = kSegment[band];

  auto point = [&](double rho, double a) {
    const double r = rho * k;
    const double rad = a * kDegToRad;
    return RoundPixel({cx + std::cos(rad) * r, cy - std::sin(rad) * r});
  };
  auto near = [&v](const TPixel& p) {
    constexpr int kWiden = 500;
    return p.X >= -kWiden && p.X <= v.ClientWidth + kWiden && p.Y >= -kWiden &&
           p.Y <= v.ClientHeight + kWiden;
  };
  auto add = [&](const TPixel& p, const TPixel& q) {
    if (near(p) && near(q)) out.Segments.push_back({p.X, p.Y, q.X, q.Y});
  };
  auto radial = [&](double a, double from, double length) {
    const int pieces = static_cast<int>(std::lround((90.0 - from) / length));
    for (int j = 0; j < pieces; ++j) {
      add(point(from + j * length, a), point(from + (j + 1) * length, a));
    }
  };
  auto circle = [&](double rho) {
    for (int j = 0; j < 72; ++j) add(point(rho, 5.0 * j), point(rho, 5.0 * (j + 1)));
  };

  // 1. Radial lines every 15 degrees.
  if (whole || v.ChartZoom <= kMaxChartZoom) {
    for (int i = 0; i < 24; ++i) radial(15.0 * i, 0.0, segment);
  }
  // 2. Circles 10 .. 90.
  for (int i = 1; i <= 9; ++i) circle(10.0 * i);
  // 3. Labels just outside rho = 90 on the 24 radial lines.
  for (int i = 0; i < 24; ++i) {
    const double a = 15.0 * i;
    const double d = 90.0 * k + 14.0;
    const TPixel anchor =
        RoundPixel({cx + std::cos(a * kDegToRad) * d, cy - std::sin(a * kDegToRad) * d});
    std::string text;
    if (v.CoordSystem == kEquatorialPolar) {
      const double ra = Reduce360(v.Hemisphere == 1 ? a - 90.0 : 90.0 - a);
      text = FormatH(ra / 15.0);
    } else if (v.CoordSystem == kHorizontalPolar) {
      text = FormatD(Reduce360(a - 90.0));
    } else {
      text = FormatD(v.Orientation == 1 ? Reduce360(a - 90.0) : a);
    }
    const int x = anchor.X - 3 * static_cast<int>(Utf8Length(text));
    const int y = anchor.Y - 6;
    if (LabelFits(x, y, v)) out.Labels.push_back({x, y, std::move(text)});
  }
  // 4. From zoom 8: radial lines every 5 degrees from 40, circles every 2 units.
  if (v.ChartZoom >= 8) {
    for (int i = 0; i < 72; ++i) radial(5.0 * i, 40.0, 1.0);
    for (int i = 1; i <= 45; ++i) circle(2.0 * i);
  }
  // 5. From zoom 64: radial lines every degree from 68, circles every half unit.
  if (v.ChartZoom >= 64) {
    for (int i = 0; i < 360; ++i) radial(1.0 * i, 68.0, 1.0);
    for (int i = 1; i <= 180; ++i) circle(0.5 * i);
  }
}

}  // namespace

int MaxChartZoom(int coordSystem) {
  return coordSystem == kEclipticWhole ? kMaxChartZoomWhole : kMaxChartZoom;
}

double BaseScaleFor(int coordSystem) {
  if (coordSystem == kEclipticWhole) return kBaseScaleWhole;
  if (IsPolarSystem(coordSystem)) return kBaseScalePolar;
  return kBaseScaleRect;
}

TChartState ChartStateFromObs(const TObsState& state) {
  TChartState chart;
  chart.ChartZoom = state.ChartScale;
  chart.OffsetX = state.ChartOffsetX;
  chart.OffsetY = state.ChartOffsetY;
  SetChartScales(chart, state.CoordSystem);
  return chart;
}

void SetChartScales(TChartState& chart, int coordSystem) {
  chart.ChartZoom = std::clamp(chart.ChartZoom, 1, MaxChartZoom(coordSystem));
  chart.BaseScale = BaseScaleFor(coordSystem);
  chart.PixelScale = chart.ChartZoom * chart.BaseScale;
  chart.CentreLon = 180.0 - chart.OffsetX / chart.BaseScale;
  chart.CentreLat = 75.0 - chart.OffsetY / chart.BaseScale;
}

TChartView MakeChartView(const TObsState& state, const TChartState& chart, int clientWidth,
                         int clientHeight) {
  TChartView v;
  v.CoordSystem = state.CoordSystem;
  v.CentreDir = state.CentreDir;
  v.Hemisphere = state.Hemisphere;
  v.Orientation = state.Orientation;
  v.ChartZoom = chart.ChartZoom;
  v.BaseScale = chart.BaseScale;
  v.PixelScale = chart.PixelScale;
  v.OffsetX = chart.OffsetX;
  v.OffsetY = chart.OffsetY;
  v.SideOffsetX = chart.SideOffsetX;
  v.CentreLon = chart.CentreLon;
  v.CentreLat = chart.CentreLat;
  v.ClientWidth = clientWidth;
  v.ClientHeight = clientHeight;
  return v;
}

bool ZoomIn(TChartState& chart, TObsState& state) {
  const int limit = MaxChartZoom(state.CoordSystem);
  if (chart.ChartZoom == limit) return false;
  chart.ChartZoom = std::min(chart.ChartZoom * 2, limit);
  state.ChartScale = chart.ChartZoom;
  chart.HistoryCount = 0;
  state.RedrawEarthCentre = 1;
  state.RedrawJupCentre = 1;
  return true;
}

bool ZoomOut(TChartState& chart, TObsState& state) {
  const bool offset = chart.OffsetX != 0.0 || chart.OffsetY != 0.0 || chart.SideOffsetX != 0.0;
  if (chart.ChartZoom <= 1) {
    if (!offset) return false;
    chart.OffsetX = 0.0;
    chart.OffsetY = 0.0;
    chart.SideOffsetX = 0.0;
  }
  chart.ChartZoom = std::max(chart.ChartZoom / 2, 1);
  state.ChartScale = chart.ChartZoom;
  chart.HistoryCount = 0;
  state.RedrawEarthCentre = 1;
  state.RedrawJupCentre = 1;
  return true;
}

bool Pan(TChartState& chart, int dx, int dy) {
  const double zoom = std::max(chart.ChartZoom, 1);
  chart.OffsetX += dx * 50.0 / zoom;
  chart.OffsetY += dy * 50.0 / zoom;
  chart.HistoryCount = 0;
  return true;
}

bool Recentre(TChartState& chart, int coordSystem, int x, int y) {
  const double zoom = std::max(chart.ChartZoom, 1);
  if (coordSystem == kEclipticWhole) {
    if (x >= 691) {
      chart.SideOffsetX -= (x - 860) / zoom;
    } else {
      chart.OffsetX -= (x - 354) / zoom;
    }
    chart.OffsetY -= (y - 348) / zoom;
  } else if (IsPolarSystem(coordSystem)) {
    chart.OffsetX -= (x - 480) / zoom;
    chart.OffsetY -= (y - 348) / zoom;
  } else {
    chart.OffsetX -= (x - 498) / zoom;
    chart.OffsetY -= (y - 342) / zoom;
  }
  chart.HistoryCount = 0;
  return true;
}

int NextHistoryCount(int count) {
  return std::min(count + 1, kMaxHistoryCount);
}

int LabelShift(std::string_view name) {
  return static_cast<int>(RoundHalfEvenToInt(2.5 * static_cast<double>(Utf8Length(name))));
}

bool IsInsideClient(const TPixel& p, const TChartView& view) {
  return p.X > 0 && p.X < view.ClientWidth && p.Y > 0 && p.Y < view.ClientHeight;
}

thread_local TSeamWatch* TSeamWatch::active_ = nullptr;

TSeamWatch::TSeamWatch() : outer_(active_), nearest_(std::numeric_limits<double>::infinity()) {
  active_ = this;
}

TSeamWatch::~TSeamWatch() {
  active_ = outer_;
}

double ChartLonPrime(double lon, int coordSystem, int centreDir) {
  double lonPrime;
  if (coordSystem == kHorizontal) {
    lonPrime = lon + 180.0;
    if (centreDir == 1) {
      lonPrime += 180.0;
      if (lonPrime >= 360.0) lonPrime -= 360.0;
    }
  } else if (centreDir == 1) {
    lonPrime = 540.0 - lon;
    if (lonPrime >= 360.0) lonPrime -= 360.0;
  } else {
    lonPrime = 360.0 - lon;
  }
  if (TSeamWatch::Watching()) {
    TSeamWatch::Note(std::min(std::fabs(lonPrime), std::fabs(360.0 - lonPrime)));
  }
  return lonPrime;
}

std::optional<TChartPoint> ProjectRectPrime(double lonPrime, double lat, const TChartView& view) {
  if (TSeamWatch::Watching()) TSeamWatch::Note(std::fabs(75.0 - std::fabs(lat)));
  if (lat >= 75.0 || lat <= -75.0) return std::nullopt;
  return RectPoint(lonPrime, lat, view);
}

std::optional<TChartPoint> ProjectRect(double lon, double lat, const TChartView& view) {
  return ProjectRectPrime(ChartLonPrime(lon, view.CoordSystem, view.CentreDir), lat, view);
}

std::optional<TChartPoint> ProjectPolar(double lon, double lat, const TChartView& view) {
  const double r = 90.0 - lat;
  const double sinLon = std::sin(lon * kDegToRad);
  const double cosLon = std::cos(lon * kDegToRad);
  const double cx = 480.0 + view.ChartZoom * view.OffsetX;
  const double cy = 348.0 + view.ChartZoom * view.OffsetY;
  if (view.CoordSystem == kHorizontalPolar) {
    return TChartPoint{cx - r * sinLon * view.PixelScale, cy - r * cosLon * view.PixelScale};
  }
  if (TSeamWatch::Watching()) TSeamWatch::Note(std::fabs(lat));
  if (lat <= 0.0) return std::nullopt;
  const double s = view.Hemisphere == 1 ? -1.0 : 1.0;
  return TChartPoint{cx + s * r * sinLon * view.PixelScale, cy - r * cosLon * view.PixelScale};
}

TWholeSkyPoint ProjectWholeSky(double x, double y, double z, const TChartView& view) {
  const double cx = 354.0 + view.ChartZoom * view.OffsetX;
  const double cy = 348.0 + view.ChartZoom * view.OffsetY;
  TWholeSkyPoint p;
  if (view.Orientation == 1) {
    p.X = cx - y * view.PixelScale;
    p.Y = cy - x * view.PixelScale;
  } else {
    p.X = cx + x * view.PixelScale;
    p.Y = cy - y * view.PixelScale;
  }
  p.SideX = 860.0 + view.ChartZoom * view.SideOffsetX + z * view.PixelScale;
  return p;
}

namespace {

// The rotation from the mean equator and equinox of T to galactic axes: each axis of date is
// precessed back to J2000.0 (its image is a column of the precession matrix), then turned by
// the J2000.0 galactic rotation.
std::array<double, 9> GalacticFromDate(double t) {
  std::array<double, 9> precession{};  // from axes of date to J2000.0 axes, row by row
  const double axes[3][2] = {{0.0, 0.0}, {kPi / 2.0, 0.0}, {0.0, kPi / 2.0}};
  for (int j = 0; j < 3; ++j) {
    double alpha = axes[j][0];
    double delta = axes[j][1];
    PrecessRaDec(alpha, delta, t, 0.0);
    precession[j] = std::cos(delta) * std::cos(alpha);
    precession[3 + j] = std::cos(delta) * std::sin(alpha);
    precession[6 + j] = std::sin(delta);
  }
  std::array<double, 9> m{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (int k = 0; k < 3; ++k)
        m[3 * i + j] += kJ2000ToGalactic[3 * i + k] * precession[3 * k + j];
    }
  }
  return m;
}

}  // namespace

TChartMoment ChartMoment(const TObsState& state) {
  TChartMoment m;
  m.T = JulianCenturies(state.JD_TT);
  m.Eps0 = MeanObliquity(m.T);
  m.ProperMotion = state.CorrProperMotion == 1;
  m.Precession = state.CorrPrecession == 1;
  m.Nutation = state.CorrNutation == 1;
  m.Aberration = state.CorrAberration == 1;
  m.Refraction = state.CorrRefraction == 1;
  if (m.Nutation) {
    const TNutation n = NutationIAU1980(m.T);
    m.DPsi = n.DPsi;
    m.DEps = n.DEps;
  }
  if (m.Precession) m.Galactic = GalacticFromDate(m.T);
  const double gmst = GreenwichSiderealTime(JulianCenturies(state.JD_UT));
  m.Theta = Mod2Pi(gmst + m.DPsi * std::cos(m.Eps0) + state.Longitude * kDegToRad);
  m.Phi = state.Latitude * kDegToRad;
  return m;
}

TChartCoords ChartCoordinates(double alpha, double delta, const TChartMoment& moment,
                              const TChartView& view) {
  TChartCoords c;
  switch (view.CoordSystem) {
    case kEcliptic: {
      const TEcliptic e = EquatorialToEcliptic(alpha, delta, moment.Eps0);
      c.Lon = e.Lambda * kRadToDeg;
      if (c.Lon < 0.0) c.Lon += 360.0;
      c.Lat = e.Beta * kRadToDeg;
      break;
    }
    case kHorizontal:
    case kHorizontalPolar: {
      const THorizontal h = EquatorialToHorizontal(alpha, delta, moment.Theta, moment.Phi);
      double alt = h.Alt;
      if (moment.Refraction && alt > kRefractionFloor) alt += Refraction(alt);
      c.Lon = h.Az * kRadToDeg;
      c.Lat = alt * kRadToDeg;
      break;
    }
    case kGalactic: {
      const TGalactic g = RotatedToGalactic(moment.Galactic, alpha, delta);
      c.Lon = Reduce360(g.L * kRadToDeg);
      c.Lat = g.B * kRadToDeg;
      break;
    }
    default:
      c.Lon = Mod2Pi(alpha) * kRadToDeg;
      c.Lat = delta * kRadToDeg;
      if (view.CoordSystem == kEquatorialPolar && view.Hemisphere == 1) c.Lat = -c.Lat;
      break;
  }
  return c;
}

std::optional<TChartPoint> ProjectChartCoords(const TChartCoords& c, const TChartView& view) {
  if (IsRectSystem(view.CoordSystem)) return ProjectRect(c.Lon, c.Lat, view);
  if (IsPolarSystem(view.CoordSystem)) return ProjectPolar(c.Lon, c.Lat, view);
  return std::nullopt;
}

TCrossHair InverseRect(double x, double y, const TChartView& view) {
  const double lonPrime =
      std::clamp((x - 498.0 - view.ChartZoom * view.OffsetX) / view.PixelScale + 180.0, 0.0, 360.0);
  const double lat = -(y - 342.0 - view.ChartZoom * view.OffsetY) / view.PixelScale;
  TCrossHair c;
  if (view.CoordSystem != kHorizontal && view.CentreDir != 1) {
    c.Lon = 360.0 - lonPrime;  // 0..360: 24h at the left end, 0h at the right
  } else {
    c.Lon = LonFromPrime(lonPrime, view.CoordSystem, view.CentreDir);
  }
  c.Lat = std::clamp(lat, -75.0, 75.0);
  return c;
}

std::optional<TCrossHair> InversePolar(double x, double y, const TChartView& view) {
  const double dx = x - (480.0 + view.ChartZoom * view.OffsetX);
  const double dy = y - (348.0 + view.ChartZoom * view.OffsetY);
  const double r = std::sqrt(dx * dx + dy * dy) / view.PixelScale;
  TCrossHair c;
  if (view.CoordSystem == kHorizontalPolar) {
    if (r >= 165.0) return std::nullopt;
    c.Lon = Reduce360(Atan2(-dx, -dy) * kRadToDeg);
    c.Lat = 90.0 - r;
    return c;
  }
  if (r >= 90.0) return std::nullopt;
  const bool south = view.Hemisphere == 1;
  c.Lon = Reduce360(Atan2(south ? -dx : dx, -dy) * kRadToDeg);
  c.Lat = south ? -(90.0 - r) : 90.0 - r;
  return c;
}

int GridBand(int zoom) {
  if (zoom <= 4) return 0;
  if (zoom <= 32) return 1;
  if (zoom <= 1024) return 2;
  return 3;
}

TCoordLines CoordLines(const TChartView& view, int displayMode) {
  TCoordLines out;
  out.LabelColour = displayMode == 1 ? kChartBlack : kChartGrey;
  out.Clip = {0, kChartTop, view.ClientWidth, view.ClientHeight};
  if (IsRectSystem(view.CoordSystem)) {
    RectLines(view, out);
  } else {
    if (view.CoordSystem == kEclipticWhole) out.Clip.Right = kWholeSkyLeftPane.Right;
    PolarLines(view, out);
  }
  return out;
}

std::string ChartCaption(int coordSystem, int zoom) {
  static constexpr std::array<std::string_view, 7> kNames = {
      " Ekliptikala koord. x", " Ekliptikala koord. x", " Ekvatoriala koord. x",
      " Ekvatoriala koord. x", " Horisontala koord. x", " Horisontala koord. x",
      " Galaktiska koord. x"};
  static constexpr std::array<std::array<std::string_view, 4>, 7> kSpacing = {{
      {" (15°/5a.e.) ", " (var/1a.e.) ", " (var/0,25a.e.) ", "                "},
      {" (15°/15°)    ", " (2,5°/2,5°)    ", " (0,5°/0,5°)    ", " (0,5°/0,5°)    "},
      {" (1h/15°)    ", " (10m/2,5°)    ", " (2m/0,5°)    ", " (2m/0,5°)    "},
      {" (1h/10°)    ", " (var/2°)    ", " (var/0.5°)    ", " (var/0.5°)    "},
      {" (15°/15°)    ", " (2,5°/2,5°)    ", " (0,5°/0,5°)    ", " (0,5°/0,5°)    "},
      {" (15°/10°)    ", " (var/2°)    ", " (var/0,5°)    ", " (var/0,5°)    "},
      {" (15°/15°)    ", " (2,5°/2,5°)    ", " (0,5°/0,5°)    ", " (0,5°/0,5°)    "},
  }};
  const int system = std::clamp(coordSystem, 0, 6);
  std::string text(kNames[system]);
  text += std::to_string(zoom);
  text += kSpacing[system][GridBand(zoom)];
  return text;
}

TRgb SkyColour(double sunAltitude) {
  const double h = RoundHalfEven(sunAltitude);
  if (h <= -19.0) return {0, 0, 0};
  if (h <= -13.0) return {0, 0, 70};
  if (h <= -7.0) return {0, 0, 128};
  if (h <= -1.0) return {0, 0, 210};
  if (h <= 5.0) return {100, 100, 255};
  if (h <= 11.0) return {150, 150, 255};
  if (h <= 17.0) return {190, 190, 255};
  if (h <= 35.0) return {220, 220, 255};
  return {240, 240, 255};
}

TCorrections StateCorrections(const TObsState& state) {
  TCorrections c;
  c.LightTime = state.CorrLightTime == 1;
  c.Nutation = state.CorrNutation == 1;
  c.Aberration = state.CorrAberration == 1;
  c.Parallax = state.CorrParallax == 1;
  c.Refraction = state.CorrRefraction == 1;
  return c;
}

TSite StateSite(const TObsState& state) {
  return TSite{state.Latitude, state.Longitude, state.Height};
}

std::optional<double> SunAltitude(const TObsState& state, const std::filesystem::path& dataDir) {
  const auto places = ApparentPlaces({TBody::Sun}, state.JD_TT, state.JD_UT, StateSite(state),
                                     StateCorrections(state), dataDir);
  if (!places || places->empty()) return std::nullopt;
  return places->front().Altitude * kRadToDeg;
}

TChartBackground ChartBackground(const TChartView& view, int displayMode, TRgb sky) {
  TChartBackground b;
  if (displayMode == 1) return b;
  auto box = [&b](const TChartPoint& p, const TChartPoint& q) {
    const TPixel a = RoundPixel(p);
    const TPixel c = RoundPixel(q);
    b.Left = a.X;
    b.Top = a.Y;
    b.Right = c.X;
    b.Bottom = c.Y;
  };
  switch (view.CoordSystem) {
    case kEclipticWhole:
      b.Shape = TBackgroundShape::Rectangle;
      b.Right = view.ClientWidth;
      b.Bottom = view.ClientHeight;
      break;
    case kHorizontal:
      b.Shape = TBackgroundShape::Rectangle;
      b.Colour = sky;
      box(RectPoint(0.0, 75.0, view), RectPoint(360.0, 0.0, view));
      break;
    case kEquatorialPolar:
    case kHorizontalPolar: {
      b.Shape = TBackgroundShape::Disc;
      if (view.CoordSystem == kHorizontalPolar) b.Colour = sky;
      const double cx = 481.0 + view.ChartZoom * view.OffsetX;
      const double cy = 349.0 + view.ChartZoom * view.OffsetY;
      const double r = 90.0 * view.PixelScale;
      box({cx - r, cy - r}, {cx + r, cy + r});
      break;
    }
    default:
      b.Shape = TBackgroundShape::Rectangle;
      box(RectPoint(0.0, 75.0, view), RectPoint(360.0, -75.0, view));
      break;
  }
  return b;
}

TRgb BrushBackground(int coordSystem, int displayMode, TRgb sky) {
  if (displayMode == 1) return kChartSilver;
  if (coordSystem == kHorizontal || coordSystem == kHorizontalPolar) return sky;
  return kChartBlack;
}

}  // namespace himlavy
