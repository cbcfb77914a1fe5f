// The sky chart's projections, zoom and pan, coordinate lines, caption and colours.
//
// Expected pixels are worked out by hand from the chart's formulas: at zoom 1 in the
// rectangular systems x = 498 + (lon' - 180) 2.7 and y = 342.5 - lat 2.7, in the polar ones
// x = 480 + r sin(lon) 3.2 and y = 348 - r cos(lon) 3.2 with r = 90 - lat; directions in
// equatorial coordinates come from Meeus (1991): the mean obliquity of J2000.0 is
// 23 deg 26' 21.448" = 23.4392911 deg (chapter 21). The galactic system (Hipparcos, ESA 1997,
// vol. 1, 1.5.3) has its pole at alpha 192.85948, delta 27.12825 deg and its centre, l = 0 and
// b = 0, at alpha 266.40500, delta -28.93617 deg (J2000.0); Sgr A*, at 17h45m40.04s
// -29 deg 00' 28.1" (J2000.0), lies at l = 359.944, b = -0.046 deg (Reid and Brunthaler 2004).
#include "skychart/chart_projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "base/basic.h"
#include "base/timescales.h"
#include "common/data_folder.h"

namespace himlavy {
namespace {

constexpr double kObliquityJ2000 = 23.4392911;  // degrees, Meeus (1991) ch. 21

// A view for one system, zoom and offsets, built the way the chart builds it.
TChartView View(int system, int zoom, double offsetX = 0.0, double offsetY = 0.0, int centreDir = 0,
                int hemisphere = 0, int orientation = 0) {
  TObsState state;
  state.CoordSystem = system;
  state.ChartScale = zoom;
  state.ChartOffsetX = offsetX;
  state.ChartOffsetY = offsetY;
  state.CentreDir = centreDir;
  state.Hemisphere = hemisphere;
  state.Orientation = orientation;
  return MakeChartView(state, ChartStateFromObs(state));
}

TPixel Pixel(const std::optional<TChartPoint>& p) {
  EXPECT_TRUE(p.has_value());
  return p ? RoundPixel(*p) : TPixel{-1, -1};
}

// --- Scales, zoom, pan, recentring ---------------------------------------------------------------

TEST(ChartScales, ZoomFromStateWithinLimitsAndCentre) {
  const struct {
    int system, chartScale, zoom;
    double baseScale;
  } cases[] = {{0, 0, 1, 6.4}, {0, 524288, 262144, 6.4}, {2, 2048, 1024, 2.7}, {3, 8, 8, 3.2}};
  for (const auto& c : cases) {
    TObsState state;
    state.CoordSystem = c.system;
    state.ChartScale = c.chartScale;
    state.ChartOffsetX = 27.0;
    state.ChartOffsetY = -13.5;
    const TChartState chart = ChartStateFromObs(state);
    EXPECT_EQ(chart.ChartZoom, c.zoom) << c.system << " " << c.chartScale;
    EXPECT_DOUBLE_EQ(chart.PixelScale, c.zoom * c.baseScale);
    EXPECT_DOUBLE_EQ(chart.CentreLon, 180.0 - 27.0 / c.baseScale);
    EXPECT_DOUBLE_EQ(chart.CentreLat, 75.0 + 13.5 / c.baseScale);
  }
}

TEST(ChartZoom, LimitsOfPlusAndMinus) {
  TObsState state;
  state.CoordSystem = kEquatorial;
  TChartState chart;
  chart.ChartZoom = 1024;
  chart.HistoryCount = 5;
  EXPECT_FALSE(ZoomIn(chart, state));
  EXPECT_EQ(chart.HistoryCount, 5);
  EXPECT_EQ(state.RedrawEarthCentre, 0);
  state.CoordSystem = kEclipticWhole;
  int steps = 0;
  while (ZoomIn(chart, state)) ++steps;
  EXPECT_EQ(steps, 8);
  EXPECT_EQ(state.ChartScale, 262144);
  EXPECT_EQ(chart.HistoryCount, 0);
  EXPECT_EQ(state.RedrawJupCentre, 1);
  // "-" at zoom 1 after panning: the offsets go, the zoom stays; a second "-" does nothing.
  chart = TChartState{};
  chart.OffsetX = 30.0;
  state.RedrawJupCentre = 0;
  EXPECT_TRUE(ZoomOut(chart, state));
  EXPECT_EQ(chart.ChartZoom, 1);
  EXPECT_DOUBLE_EQ(chart.OffsetX, 0.0);
  EXPECT_EQ(state.RedrawJupCentre, 1);
  EXPECT_FALSE(ZoomOut(chart, state));
}

TEST(ChartPan, FiftyScreenPixelsAtAnyZoom) {
  const struct { int zoom, dx, dy; } cases[] = {{4, 1, 0}, {4, -1, 0}, {1, 0, 1}, {1024, 0, -1}};
  for (const auto& c : cases) {
    TChartState chart;
    chart.ChartZoom = c.zoom;
    chart.HistoryCount = 9;
    EXPECT_TRUE(Pan(chart, c.dx, c.dy));
    EXPECT_EQ(chart.HistoryCount, 0);
    const auto p = ProjectRect(100.0, 10.0, View(kEquatorial, c.zoom));
    const auto q =
        ProjectRect(100.0, 10.0, View(kEquatorial, c.zoom, chart.OffsetX, chart.OffsetY));
    EXPECT_NEAR(q->X - p->X, 50.0 * c.dx, 1e-9);
    EXPECT_NEAR(q->Y - p->Y, 50.0 * c.dy, 1e-9);
  }
}

TEST(ChartRecentre, ClickedPointGoesToTheMiddle) {
  const struct {
    int system, zoom, x, y;
    double offsetX, offsetY, sideOffsetX;
  } cases[] = {
      {kEquatorial, 1, 498, 342, 0.0, 0.0, 0.0},  // the middle: offsets unchanged
      {kEquatorialPolar, 2, 580, 448, -50.0, -50.0, 0.0},
      {kHorizontalPolar, 1, 380, 348, 100.0, 0.0, 0.0},
      {kEclipticWhole, 1, 454, 400, -100.0, -52.0, 0.0},  // the ecliptic-plane pane
      {kEclipticWhole, 1, 900, 400, 0.0, -52.0, -40.0},   // the side view
      {kEclipticWhole, 1, 691, 348, 0.0, 0.0, 169.0},     // 691 already counts as the side view
  };
  for (const auto& c : cases) {
    TChartState chart;
    chart.ChartZoom = c.zoom;
    chart.HistoryCount = 3;
    EXPECT_TRUE(Recentre(chart, c.system, c.x, c.y));
    EXPECT_EQ(std::tuple(chart.OffsetX, chart.OffsetY, chart.SideOffsetX, chart.HistoryCount),
              std::tuple(c.offsetX, c.offsetY, c.sideOffsetX, 0))
        << c.system << " " << c.x << "," << c.y;
  }
}

TEST(ChartHistory, CountStopsAt2000) {
  EXPECT_EQ(NextHistoryCount(1999), 2000);
  EXPECT_EQ(NextHistoryCount(2000), 2000);
}

// --- Projections and their inverses -------------------------------------------------------------

TEST(ProjectRect, KnownPointsAtZoomOne) {
  const struct {
    int system, centreDir;
    double lon, lat;
    TPixel pixel;
  } cases[] = {
      // Equatorial: 12h at the middle (498), 0h/24h at the ends 984 and 12 (972 pixels).
      {kEquatorial, 0, 180.0, 0.0, {498, 342}},  // 342.5 rounds to even
      {kEquatorial, 0, 0.0, 0.0, {984, 342}},
      {kEquatorial, 1, 0.0, 0.0, {498, 342}},      // with "N/0h", 0h in the middle
      {kEquatorial, 1, 180.0, 0.0, {12, 342}},     // 540 - 180 = 360 counts as 0
      {kEquatorial, 0, 180.0, -74.9, {498, 545}},  // 544.73
      {kEquatorial, 0, 135.0, 15.0, {620, 302}},   // 619.5 -> 620; 302
      // Horizon points (azimuth from the south, westward): west; north with "N/0h", east.
      {kHorizontal, 0, 90.0, 0.0, {741, 342}},
      {kHorizontal, 1, 180.0, 0.0, {498, 342}},
      {kHorizontal, 1, -90.0, 0.0, {741, 342}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pixel(ProjectRect(c.lon, c.lat, View(c.system, 1, 0.0, 0.0, c.centreDir))), c.pixel)
        << c.system << " " << c.centreDir << " " << c.lon << " " << c.lat;
  }
  const TChartView v = View(kEcliptic, 1);
  for (const double lat : {75.0, -75.0}) EXPECT_FALSE(ProjectRect(10.0, lat, v)) << lat;
  for (const double lat : {74.999, -74.999}) EXPECT_TRUE(ProjectRect(10.0, lat, v)) << lat;
}

TEST(ProjectPolar, PoleZenithAndHorizon) {
  const struct {
    int system, hemisphere, zoom;
    double offsetX, offsetY, lon, lat;
    TPixel pixel;
  } cases[] = {
      // The celestial pole at (480, 348) plus the offsets, whatever the right ascension.
      {kEquatorialPolar, 0, 4, 10.0, -5.0, 300.0, 90.0, {520, 328}},
      // 0h up, 6h to the right in the north; 6h to the left in the south.
      {kEquatorialPolar, 0, 1, 0.0, 0.0, 0.0, 60.0, {480, 252}},
      {kEquatorialPolar, 0, 1, 0.0, 0.0, 90.0, 60.0, {576, 348}},
      {kEquatorialPolar, 1, 1, 0.0, 0.0, 90.0, 60.0, {384, 348}},
      // The zenith in the middle; the horizon at r = 90 (288 pixels): south up, west left.
      {kHorizontalPolar, 0, 1, 0.0, 0.0, 45.0, 90.0, {480, 348}},
      {kHorizontalPolar, 0, 1, 0.0, 0.0, 0.0, 0.0, {480, 60}},
      {kHorizontalPolar, 0, 1, 0.0, 0.0, 90.0, 0.0, {192, 348}},
      {kHorizontalPolar, 0, 2, 0.0, 0.0, 0.0, -10.0, {480, -292}},  // below the horizon: kept
  };
  for (const auto& c : cases) {
    const TChartView v = View(c.system, c.zoom, c.offsetX, c.offsetY, 0, c.hemisphere);
    EXPECT_EQ(Pixel(ProjectPolar(c.lon, c.lat, v)), c.pixel)
        << c.system << " " << c.lon << " " << c.lat;
  }
  // The equator and everything south of it are not drawn on the polar equatorial chart.
  const TChartView v = View(kEquatorialPolar, 1);
  EXPECT_FALSE(ProjectPolar(10.0, 0.0, v));
  EXPECT_TRUE(ProjectPolar(10.0, 0.001, v));
}

TEST(ProjectWholeSky, EclipticPlaneAndSideView) {
  const TWholeSkyPoint p = ProjectWholeSky(1.0, 0.0, 2.0, View(kEclipticWhole, 1));
  EXPECT_DOUBLE_EQ(p.X, 360.4);
  EXPECT_DOUBLE_EQ(p.Y, 348.0);
  EXPECT_DOUBLE_EQ(p.SideX, 872.8);
  // "90 degrees": longitude 0 up and 90 to the left.
  const TWholeSkyPoint r =
      ProjectWholeSky(1.0, 0.0, 0.0, View(kEclipticWhole, 1, 0.0, 0.0, 0, 0, 1));
  EXPECT_DOUBLE_EQ(r.X, 354.0);
  EXPECT_DOUBLE_EQ(r.Y, 341.6);
  // 5 AU at zoom 1024 with both pane offsets.
  TChartView zoomed = View(kEclipticWhole, 1024, -1.0, 2.0);
  zoomed.SideOffsetX = 0.5;
  const TWholeSkyPoint t = ProjectWholeSky(5.0, 0.0, -0.01, zoomed);
  EXPECT_DOUBLE_EQ(t.X, 354.0 - 1024.0 + 5.0 * 6553.6);
  EXPECT_DOUBLE_EQ(t.Y, 348.0 + 2048.0);
  EXPECT_DOUBLE_EQ(t.SideX, 860.0 + 512.0 - 65.536);
}

TEST(ChartCoordinates, PolesAndTheGalacticCentre) {
  TChartMoment m;  // J2000.0: T = 0
  m.Eps0 = kObliquityJ2000 * kDegToRad;
  const struct {
    int system, centreDir, hemisphere;
    double alpha, delta;
    bool drawn;
    TPixel pixel;
  } cases[] = {
      // The north ecliptic pole, alpha 18h, delta 90 - eps.
      {kEquatorial, 0, 0, 270.0, 90.0 - kObliquityJ2000, true, {255, 163}},       // y 162.79
      {kEquatorialPolar, 0, 0, 270.0, 90.0 - kObliquityJ2000, true, {405, 348}},  // 404.99
      {kEcliptic, 0, 0, 270.0, 90.0 - kObliquityJ2000, false, {}},                // beta = 90
      // The north celestial pole: lambda 90, beta 90 - eps: lon' 270 (x 741), y 162.79.
      {kEcliptic, 0, 0, 0.0, 90.0, true, {741, 163}},
      {kEquatorialPolar, 0, 1, 0.0, -90.0, true, {480, 348}},  // the south pole, south chart
      {kEquatorialPolar, 0, 1, 0.0, 90.0, false, {}},          // the north pole, south chart
      {kEcliptic, 1, 0, 0.0, 0.0, true, {498, 342}},           // the vernal equinox, "N/0h"
      {kGalactic, 0, 0, 192.85948, 27.12825, false, {}},       // the north galactic pole
  };
  for (const auto& c : cases) {
    const TChartView v = View(c.system, 1, 0.0, 0.0, c.centreDir, c.hemisphere);
    const auto p =
        ProjectChartCoords(ChartCoordinates(c.alpha * kDegToRad, c.delta * kDegToRad, m, v), v);
    EXPECT_EQ(p.has_value(), c.drawn) << c.system << " " << c.alpha << " " << c.delta;
    if (c.drawn && p) {
      EXPECT_EQ(RoundPixel(*p), c.pixel) << c.system << " " << c.alpha << " " << c.delta;
    }
  }
  // The galactic centre, l = 0 and b = 0: with "N/0h" lon' 180, in the middle (an offset of 0.2
  // keeps y = 342.7 away from a rounding tie).
  const TChartView g = View(kGalactic, 1, 0.0, 0.2, 1);
  const TChartCoords gc = ChartCoordinates(266.40500 * kDegToRad, -28.93617 * kDegToRad, m, g);
  EXPECT_NEAR(std::remainder(gc.Lon, 360.0), 0.0, 2e-5);
  EXPECT_NEAR(gc.Lat, 0.0, 2e-5);
  EXPECT_EQ(Pixel(ProjectChartCoords(gc, g)), (TPixel{498, 343}));
  // Sgr A*, at J2000.0 and as a place of 2026 (precessed there); the chart turns a place of
  // date back to J2000.0 axes before it applies the galactic pole.
  TObsState s2026;
  s2026.JD_TT = s2026.JD_UT = 2461041.5;  // 2026 January 1
  s2026.CorrPrecession = 1;
  const double sgrAlpha = (17.0 + 45.0 / 60.0 + 40.04 / 3600.0) * 15.0 * kDegToRad;
  const double sgrDelta = -(29.0 + 0.0 / 60.0 + 28.1 / 3600.0) * kDegToRad;
  double alpha2026 = sgrAlpha;
  double delta2026 = sgrDelta;
  PrecessRaDec(alpha2026, delta2026, 0.0, JulianCenturies(s2026.JD_TT));
  for (const auto& [alpha, delta, moment] :
       {std::tuple{sgrAlpha, sgrDelta, m}, std::tuple{alpha2026, delta2026, ChartMoment(s2026)}}) {
    const TChartCoords sgr = ChartCoordinates(alpha, delta, moment, g);
    EXPECT_NEAR(sgr.Lon, 359.944, 0.001) << moment.T;
    EXPECT_NEAR(sgr.Lat, -0.046, 0.001) << moment.T;
  }
}

TEST(ChartCoordinates, HorizonAtTheEquatorAndRefraction) {
  // Site on the equator at local sidereal time 0: a star at alpha 0, delta 0 stands in the
  // zenith; at alpha 90 deg it rises due east; at alpha -90 deg it sets due west.
  TChartMoment m;
  const struct {
    int system;
    double alpha, delta;
    bool refraction;
    TPixel pixel;
  } cases[] = {
      {kHorizontalPolar, 0.0, 0.0, false, {480, 348}},
      {kHorizontal, -90.0, 0.0, false, {741, 342}},       // west
      {kHorizontalPolar, 0.0, -60.0, false, {480, 156}},  // transits in the south, altitude 30
      // Refraction at the horizon, 28.98' (Meeus 1991, ch. 15): 0.483 deg x 2.7 = 1.30 px up.
      {kHorizontal, 90.0, 0.0, true, {255, 341}},
  };
  for (const auto& c : cases) {
    m.Refraction = c.refraction;
    const TChartView v = View(c.system, 1);
    EXPECT_EQ(Pixel(ProjectChartCoords(
                  ChartCoordinates(c.alpha * kDegToRad, c.delta * kDegToRad, m, v), v)),
              c.pixel)
        << c.system << " " << c.alpha;
  }
  m.Refraction = true;
  const TChartView v = View(kHorizontal, 1);
  EXPECT_NEAR(ChartCoordinates(90.0 * kDegToRad, 0.0, m, v).Lat, 28.98 / 60.0, 0.01 / 60.0);
  EXPECT_NEAR(ChartCoordinates(91.0 * kDegToRad, 0.0, m, v).Lat, -1.0, 1e-9);  // below -0.6: none
  EXPECT_FALSE(ProjectChartCoords(ChartCoordinates(0.0, 0.0, m, v), v));  // the zenith: above 75
}

TEST(InverseProjection, RectangularReadoutIsClampedToTheMap) {
  const struct {
    double x, y, lon, lat;
  } cases[] = {{12, 477, 360.0, -50.0}, {0, 10, 360.0, 75.0}, {1010, 760, 0.0, -75.0}};
  for (const auto& c : cases) {
    const TCrossHair h = InverseRect(c.x, c.y, View(kEquatorial, 1));
    EXPECT_NEAR(h.Lon, c.lon, 1e-9) << c.x;
    EXPECT_NEAR(h.Lat, c.lat, 1e-9) << c.y;
  }
}

TEST(ChartVisibility, StrictlyInsideTheClientRectangle) {
  const TChartView v = View(kEquatorial, 1);
  for (const TPixel p : {TPixel{1, 1}, TPixel{1022, 766}}) EXPECT_TRUE(IsInsideClient(p, v));
  for (const TPixel p : {TPixel{0, 100}, TPixel{100, 0}, TPixel{1023, 100}, TPixel{100, 767}}) {
    EXPECT_FALSE(IsInsideClient(p, v)) << p.X << "," << p.Y;
  }
  EXPECT_EQ(RoundPixel({-2.5, 1e12}), (TPixel{-2, 1000000000}));
  EXPECT_EQ(RoundPixel({std::nan(""), 5.0}).X, -1000000000);
}

// --- Coordinate lines ----------------------------------------------------------------------------

bool HasLabel(const TCoordLines& lines, const std::string& text) {
  return std::any_of(lines.Labels.begin(), lines.Labels.end(),
                     [&](const TChartLabel& l) { return l.Text == text; });
}

TEST(CoordLines, RectangularCountsPerBand) {
  const struct {
    int system, zoom;
    std::size_t parallels, meridians;
  } cases[] = {{kEquatorial, 4, 11, 25},    {kEcliptic, 8, 61, 145}, {kGalactic, 32, 61, 145},
               {kEquatorial, 64, 301, 721}, {kHorizontal, 1, 7, 25}, {kHorizontal, 16, 31, 145},
               {kHorizontal, 128, 151, 721}};
  for (const auto& c : cases) {
    EXPECT_EQ(CoordLines(View(c.system, c.zoom), 0).Segments.size(), c.parallels + c.meridians)
        << c.system << " " << c.zoom;
  }
  TChartView huge = View(kEquatorial, 1024);
  huge.ChartZoom = 2048;
  EXPECT_TRUE(CoordLines(huge, 0).Segments.empty());
}

TEST(CoordLines, RectangularEndsAndLabels) {
  const TCoordLines lines = CoordLines(View(kEquatorial, 1), 0);
  // Latitude -75 at y = 545 from x = 12 to 984, lon' 0 from y 140 to 545, one pixel up and left.
  EXPECT_EQ(lines.Segments[0], (TSegment{11, 544, 983, 544}));
  EXPECT_EQ(lines.Segments[11], (TSegment{11, 139, 11, 544}));
  // Every parallel is labelled; the meridian at the left end (x = 12) is too near the edge.
  EXPECT_EQ(lines.Labels.size(), 11u + 24u);
  EXPECT_EQ(std::tuple(lines.Labels[0].Text, lines.Labels[0].X, lines.Labels[0].Y),
            std::tuple("-75°", 24, 545 - 13));
  EXPECT_EQ(lines.Labels[11].Text, "23h");  // lon' 15: right ascension 345 degrees
  EXPECT_EQ(CoordLines(View(kEquatorial, 1, 0.0, 0.0, 1), 0).Labels[11].Text, "11h");  // "N/0h"
  const TCoordLines horizon = CoordLines(View(kHorizontal, 1), 0);
  EXPECT_EQ(horizon.Labels[7].Text, "195°");  // lon' 15: azimuth -165 from the south
  EXPECT_EQ(horizon.Segments[7], (TSegment{11, 139, 11, 341}));  // meridians stop at 0
  // Zoom 4: the parallel -75 lies at y 1152.5 and its ends at x -1446 and 2442: clamped.
  EXPECT_EQ(CoordLines(View(kEquatorial, 4), 0).Segments[0], (TSegment{-1, 766, 1022, 766}));
  // Zoom 8 and 64: degrees and minutes, hours and minutes, more than 20 pixels inside.
  const TCoordLines fine = CoordLines(View(kEquatorial, 8), 0);
  EXPECT_TRUE(HasLabel(fine, "-2°30'"));
  EXPECT_TRUE(HasLabel(fine, "11h50m"));  // lon' 182.5
  for (const auto& l : fine.Labels)
    EXPECT_TRUE(l.X > 20 && l.X < 1003 && l.Y > 20 && l.Y < 747) << l.Text;
  EXPECT_TRUE(HasLabel(CoordLines(View(kEquatorial, 64), 0), "12h2m"));  // lon' 179.5
}

TEST(CoordLines, PolarAndWholeSkyGrids) {
  const TCoordLines lines = CoordLines(View(kEquatorialPolar, 1), 0);
  // 24 radial lines of 9 segments and 9 circles of 72 chords.
  ASSERT_EQ(lines.Segments.size(), 24u * 9u + 9u * 72u);
  EXPECT_EQ(lines.Segments[8], (TSegment{736, 348, 768, 348}));    // a = 0, rho 80 to 90
  EXPECT_EQ(lines.Segments[216], (TSegment{512, 348, 512, 345}));  // circle 10, a 0 to 5 deg
  ASSERT_EQ(lines.Labels.size(), 24u);
  EXPECT_EQ(lines.Labels[6].Text, "0h");  // a = 90: 0h up
  EXPECT_EQ(CoordLines(View(kEquatorialPolar, 1, 0.0, 0.0, 0, 1), 0).Labels[0].Text, "18h");
  EXPECT_EQ(CoordLines(View(kHorizontalPolar, 1), 0).Labels[12].Text, "90°");  // west left
  // Zoom 8: on the ray a = 0 the segments reach x = 1504 at rho 40 (inside 1023 + 500); the
  // next ones end at 1632 and 1529.6, beyond it, and are left out.
  int onRay = 0, farthest = 0;
  for (const auto& s : CoordLines(View(kEquatorialPolar, 8), 0).Segments) {
    if (s.Y1 != 348 || s.Y2 != 348 || s.X1 < 480 || s.X2 <= s.X1) continue;
    ++onRay;
    farthest = std::max(farthest, s.X2);
  }
  EXPECT_EQ(std::tuple(onRay, farthest), std::tuple(8, 1504));
  // System 0: 10 units = 5 AU = 32 pixels at zoom 1 about (354, 348), the left pane only.
  const TCoordLines whole = CoordLines(View(kEclipticWhole, 1), 0);
  EXPECT_EQ(whole.Segments[0], (TSegment{354, 348, 386, 348}));
  EXPECT_EQ(whole.Clip.Right, 689);
  EXPECT_EQ(whole.Labels[6].Text, "90°");
  EXPECT_EQ(CoordLines(View(kEclipticWhole, 1, 0.0, 0.0, 0, 0, 1), 0).Labels[6].Text, "0°");
  EXPECT_EQ(CoordLines(View(kEclipticWhole, 128), 0).Segments.at(0),
            (TSegment{354, 348, 764, 348}));
}

// --- Caption, sky colour, background -------------------------------------------------------------

TEST(ChartCaption, NameZoomAndSpacing) {
  const struct {
    int system, zoom;
    const char* text;
  } cases[] = {
      {2, 4, " Ekvatoriala koord. x4 (1h/15°)    "},
      {2, 8, " Ekvatoriala koord. x8 (10m/2,5°)    "},
      {2, 1024, " Ekvatoriala koord. x1024 (2m/0,5°)    "},
      {3, 1, " Ekvatoriala koord. x1 (1h/10°)    "},
      {3, 64, " Ekvatoriala koord. x64 (var/0.5°)    "},
      {0, 2, " Ekliptikala koord. x2 (15°/5a.e.) "},
      {0, 32, " Ekliptikala koord. x32 (var/1a.e.) "},
      {0, 1024, " Ekliptikala koord. x1024 (var/0,25a.e.) "},
      {0, 2048, " Ekliptikala koord. x2048                "},
      {1, 16, " Ekliptikala koord. x16 (2,5°/2,5°)    "},
      {4, 1, " Horisontala koord. x1 (15°/15°)    "},
      {5, 8, " Horisontala koord. x8 (var/2°)    "},
      {5, 512, " Horisontala koord. x512 (var/0,5°)    "},
      {6, 64, " Galaktiska koord. x64 (0,5°/0,5°)    "},
  };
  for (const auto& c : cases) EXPECT_EQ(ChartCaption(c.system, c.zoom), c.text);
}

TEST(SkyColour, ByTheRoundedAltitudeOfTheSun) {
  const struct {
    double h;
    TRgb colour;
  } cases[] = {{-18.6, {0, 0, 0}},     {-18.5, {0, 0, 70}},  // ties to even: -18
               {-12.0, {0, 0, 128}},   {-1.0, {0, 0, 210}},     {-0.5, {100, 100, 255}},
               {5.5, {150, 150, 255}}, {17.4, {190, 190, 255}}, {35.0, {220, 220, 255}},
               {35.5, {240, 240, 255}}};
  for (const auto& c : cases) EXPECT_EQ(SkyColour(c.h), c.colour) << c.h;
}

TEST(SkyColour, SunAltitudeFromThePlanetarySeries) {
  // Stockholm (59.33 N, 18.07 E) on 2025 March 20, 11:00 and 21:00 UT1. Reference: ERFA
  // (pyerfa 2.0) epv00 for the Sun's direction, atco13 for the observed altitude without
  // refraction (reference_places.py).
  TObsState state;
  state.Latitude = 59.33;
  state.Longitude = 18.07;
  state.CorrNutation = 1;
  state.CorrAberration = 1;
  const struct {
    double jdUt, altitude;
    TRgb colour;
  } cases[] = {{2460754.9583333333, 30.6946, {220, 220, 255}}, {2460755.375, -26.3776, {0, 0, 0}}};
  for (const auto& c : cases) {
    state.JD_UT = c.jdUt;
    state.JD_TT = c.jdUt + 69.2 / 86400.0;
    const auto h = SunAltitude(state, testing::DataFolder());
    ASSERT_TRUE(h.has_value());
    EXPECT_NEAR(*h, c.altitude, 0.01);
    EXPECT_EQ(SkyColour(*h), c.colour);
  }
  EXPECT_FALSE(SunAltitude(state, "/nonexistent-himlavy-folder").has_value());
}

TEST(ChartBackground, ShapesBySystemAndMode) {
  const TRgb sky{150, 150, 255};
  using S = TBackgroundShape;
  const struct {
    TChartView view;
    S shape;
    int left, top, right, bottom;
    TRgb colour;
  } cases[] = {
      {View(kEquatorial, 1), S::Rectangle, 12, 140, 984, 545, {0, 0, 0}},
      {View(kEclipticWhole, 1), S::Rectangle, 0, 0, 1023, 767, {0, 0, 0}},
      {View(kEquatorialPolar, 1), S::Disc, 193, 61, 769, 637, {0, 0, 0}},  // r 288 about (481, 349)
      {View(kHorizontal, 1), S::Rectangle, 12, 140, 984, 342, sky},        // down to 0
      {View(kHorizontalPolar, 1), S::Disc, 193, 61, 769, 637, sky},
      {View(kEquatorialPolar, 2, 10.0, -5.0),
       S::Disc,
       501 - 576,
       339 - 576,
       501 + 576,
       339 + 576,
       {0, 0, 0}},
  };
  for (const auto& c : cases) {
    const TChartBackground b = ChartBackground(c.view, 0, sky);
    EXPECT_EQ(std::tuple(b.Shape, b.Left, b.Top, b.Right, b.Bottom),
              std::tuple(c.shape, c.left, c.top, c.right, c.bottom))
        << c.view.CoordSystem;
    EXPECT_EQ(b.Colour, c.colour) << c.view.CoordSystem;
    EXPECT_EQ(ChartBackground(c.view, 1, sky).Shape, S::None);
  }
  EXPECT_EQ(BrushBackground(kHorizontalPolar, 0, sky), sky);
  EXPECT_EQ(BrushBackground(kEquatorial, 0, sky), (TRgb{0, 0, 0}));
  EXPECT_EQ(BrushBackground(kHorizontal, 1, sky), (TRgb{192, 192, 192}));
}

}  // namespace
}  // namespace himlavy
