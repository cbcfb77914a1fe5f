// Sun, Moon, planets and Jupiter's moons on the chart. The Sun 1992 October 13.0 TD (Meeus AA1
// 24.a/AA2 25.a): 13h13m31.4s -7°47'06", Earth L = 19.907372, R = 0.99760775 (AA2 25.b); pixels
// by the chart's formulas (equatorial x = 498 + (180 - alpha) s, y = 342.5 - delta s; system 0
// x = 354 + x_AU s, y = 348 - y_AU s).
#include "skychart/chart_bodies.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "base/basic.h"
#include "base/textfile.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "skychart/chart_labels.h"
#include "skychart/chart_minor.h"
#include "skychart/history_plots.h"

namespace himlavy {
namespace {
using namespace testing;
struct TScene {
  TObsState State;
  TChartView View;
  TChartMoment Moment;
};
// A scene for a clock reading in TT (or UT with ut = true) at zone 0.
TScene Scene(double clockJD, int system, int zoom, bool ut = false, int displayMode = 0) {
  TScene s;
  s.State.ClockJD = clockJD;
  s.State.TimeScale = ut ? kTimeScaleUtc : kTimeScaleTdt;
  s.State.Latitude = 42.3333;
  s.State.Longitude = -71.0833;
  s.State.CoordSystem = system;
  s.State.ChartScale = zoom;
  s.State.DisplayMode = displayMode;
  s.State.ShowSunPlanets = s.State.ShowMoons = s.State.LabelPlanets = 1;
  s.State.CorrLightTime = s.State.CorrNutation = s.State.CorrAberration = 1;
  DeriveTimes(s.State);
  s.View = MakeChartView(s.State, ChartStateFromObs(s.State));
  s.Moment = ChartMoment(s.State);
  return s;
}
std::vector<TChartBody> Bodies(const TScene& s) {
  return ChartMajorBodies(s.State, s.Moment, s.View, testing::DataFolder());
}
const TChartBody* Find(const std::vector<TChartBody>& bodies, int index) {
  for (const auto& b : bodies)
    if (b.Index == index) return &b;
  return nullptr;
}
constexpr double kSunDate = 2448908.5;  // 1992 Oct 13.0 TD
TEST(ChartBodiesSize, HalfSizesFromSemidiameterAndColours) {
  // Jupiter at zoom 1 gets the minimum 2; at zoom 1024 a 20" disc has a
  // half-height of round(2.7 * 1024 * 20 / 3600) = round(15.36) = 15.
  const TScene z1 = Scene(kSunDate, kEquatorial, 1), z1024 = Scene(kSunDate, kEquatorial, 1024),
               polar = Scene(kSunDate, kEquatorialPolar, 1024);
  std::tuple<double, double, const TChartView*, int, int, int> cases[] = {
      {20.0, 0.0, &z1024.View, 2, 15, 15},
      {20.0, 60.0, &z1024.View, 2, 31, 15},  // 15.36 / cos 60 = 30.72
      {20.0, 60.0, &polar.View, 3, 18, 18}   // 3.2 * 1024 * 20 / 3600 = 18.2, w = h
  };
  for (const auto& [s, decDeg, view, minimum, halfWidth, halfHeight] : cases) {
    const TBodyHalfSize h = BodyHalfSize(s, decDeg * kDegToRad, *view, minimum);
    EXPECT_EQ(std::tuple(h.HalfWidth, h.HalfHeight), std::tuple(halfWidth, halfHeight)) << decDeg;
  }
  // Jupiter, then the Sun (16' at 2.7 px/deg: below the minimum), normal and atlas.
  const auto normal = Bodies(z1);
  const auto atlas = Bodies(Scene(kSunDate, kEquatorial, 1, false, 1));
  ASSERT_NE(Find(normal, kChartJupiter), nullptr);
  EXPECT_EQ(
      std::tuple(Find(normal, kChartJupiter)->HalfHeight, Find(atlas, kChartJupiter)->HalfHeight,
                 Find(normal, kChartSun)->HalfHeight, Find(atlas, kChartSun)->HalfHeight),
      std::tuple(2, 3, 4, 5));
  // Colours: outlines by mode and zoom.
  const TScene z8 = Scene(kSunDate, kEquatorial, 8), whole = Scene(kSunDate, kEclipticWhole, 8);
  const TRgb yellow{255, 255, 0}, mars{236, 65, 51}, white{255, 255, 255};
  const std::tuple<int, int, const TChartView*, TRgb, TRgb> colours[] = {
      {kChartSun, 0, &z8.View, yellow, kChartGrey}, {kChartSun, 0, &whole.View, yellow, yellow},
      {kChartSun, 1, &z1.View, yellow, kChartGrey}, {4, 1, &z1.View, mars, kChartBlack},
      {kChartMoon, 0, &z1.View, white, white},      {kChartMoon, 0, &z8.View, white, kChartGrey}};
  for (const auto& [body, mode, view, fill, outline] : colours) {
    const TBodyColours got = BodyColours(body, mode, *view);
    EXPECT_EQ(std::tuple(got.Fill, got.Outline), std::tuple(fill, outline)) << body << mode;
  }
}
TEST(ChartBodiesPlace, SunInEquatorialChart) {
  const auto bodies = Bodies(Scene(kSunDate, kEquatorial, 8));
  const TChartBody* sun = Find(bodies, kChartSun);
  ASSERT_NE(sun, nullptr);
  const double ra = 15.0 * (13.0 + 13.0 / 60.0 + 31.4 / 3600.0);
  const double dec = -(7.0 + 47.0 / 60.0 + 6.0 / 3600.0);
  EXPECT_NEAR(sun->X, 498.0 + (360.0 - ra - 180.0) * 21.6, 1.0);  // 100.97
  EXPECT_NEAR(sun->Y, 342.5 - dec * 21.6, 1.0);                   // 510.66
  // Label 12 pixels to the left: round(2.5 * 5) = 12, ties to even.
  EXPECT_EQ(std::tuple(sun->Visible, sun->Label, sun->LabelX, sun->LabelY, sun->SideX),
            std::tuple(true, "Solen", sun->X - 12, sun->Y - 15, -100));
  // At zoom 1024 the Sun lies far left of the window: not visible, no readout.
  const auto zoomed = Bodies(Scene(kSunDate, kEquatorial, 1024));
  const TChartBody* far = Find(zoomed, kChartSun);
  ASSERT_TRUE(far);
  EXPECT_EQ(std::tuple(far->Visible, far->Line1), std::tuple(false, ""));
}
TEST(ChartBodiesSet, MoonEarthAndMoonsByChoice) {
  const std::tuple<int, int, bool, bool, bool> cases[] = {{kEquatorial, 1, false, true, false},
                                                          {kEclipticWhole, 1, true, true, true},
                                                          {kEclipticWhole, 0, true, false, false}};
  for (const auto& [System, ShowMoons, Earth, Moon, Io] : cases) {
    TScene s = Scene(kSunDate, System, 1);
    s.State.ShowMoons = ShowMoons;
    const auto bodies = Bodies(s);
    EXPECT_EQ(std::tuple(Find(bodies, kChartEarth) != nullptr, Find(bodies, kChartMoon) != nullptr,
                         Find(bodies, kChartIo) != nullptr),
              std::tuple(Earth, Moon, Io))
        << System << ShowMoons;
  }
  TScene off = Scene(kSunDate, kEquatorial, 1);
  EXPECT_TRUE(ChartMajorBodies(off.State, {}, {}, DataFolder() / "missing").empty());
  off.State.ShowSunPlanets = 0;
  EXPECT_TRUE(Bodies(off).empty());
}
TEST(ChartBodiesWholeSky, RadiiAndPositions) {
  EXPECT_EQ(WholeSkyBodyRadius(kChartJupiter, 4096), 13);  // round(4096 / 326) = round(12.56)
  EXPECT_EQ(WholeSkyBodyRadius(kChartPluto, 262144), 13);  // round(262144 / 20693) = 12.67
  const auto bodies = Bodies(Scene(kSunDate, kEclipticWhole, 32));
  const TChartBody *sun = Find(bodies, kChartSun), *earth = Find(bodies, kChartEarth);
  ASSERT_TRUE(sun && earth);
  EXPECT_EQ(std::tuple(sun->X, sun->Y, sun->SideX), std::tuple(354, 348, 860));
  const double scale = 6.4 * 32, l = 19.907372 * kDegToRad;
  EXPECT_NEAR(earth->X, 354 + 0.99760775 * std::cos(l) * scale, 1.0);
  EXPECT_NEAR(earth->Y, 348 - 0.99760775 * std::sin(l) * scale, 1.0);
  EXPECT_EQ(std::tuple(earth->SideX, earth->Visible, earth->SideVisible),
            std::tuple(860, true, true));
  EXPECT_EQ(Find(Bodies(Scene(kSunDate, kEclipticWhole, 1)), kChartJupiter)->HalfHeight, 3);
  ASSERT_TRUE(Find(bodies, kChartIo));
  EXPECT_EQ(Find(bodies, kChartIo)->LabelColour, kMoonsLabelColour);
}
TEST(ChartBodiesReadout, FieldsFitAndCarryTheirLabels) {
  const auto bodies = Bodies(Scene(2447240.5, kEquatorial, 1, true));  // 1988 March 20, Boston
  // labels: in the order of the fields
  std::tuple<int, std::vector<std::string>> cases[] = {
      {kChartSun, {"Delta=", "lambda=", "R.A.=", "Az =", "PV,axel=", "B0=", "L0=", "Diameter="}},
      {4, {"a.e.", "lambda=", "R.A.=", "Alt=", "Om =", "DS=", "Belyst del=", "Diameter="}},
      {kChartJupiter, {"L=", "beta=", "Dekl=", "Az =", "DE=", "Om2=", "Magnitud=", "Poldiam.="}},
      {6, {"B=", "lambda=", "R.A.=", "Az =", "Bd=", "C=", "b-axel=", "Poldiam.="}},
      {kChartMoon,
       {"delta=", "R.A.=", "Az =", "Delta=", "PV,bel=", "Geo-diam =", "Topo-diam=", "Belyst del=",
        "PV,axel=", "l=", "ld=", "ldd=", "bdd="}}};
  for (const auto& [body, labels] : cases) {
    const TChartBody* b = Find(bodies, body);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->Visible) << b->Name;
    const std::string* fields[] = {&b->Line1, &b->Line2, &b->Line3,
                                   &b->Line4, &b->Line5, &b->Right};
    const std::size_t most[] = {50, 25, 25, 30, 60, 130};  // characters
    for (int k = 0; k < 6; ++k) EXPECT_LE(Utf8Length(*fields[k]), most[k]) << *fields[k];
    const std::string all = b->Line1 + "|" + b->Line2 + "|" + b->Line3 + "|" + b->Line4 + "|" +
                            b->Line5 + "|" + b->Right;
    std::size_t at = 0;
    for (const auto& label : labels) {
      const auto found = all.find(label, at);
      EXPECT_NE(found, std::string::npos) << b->Name << ": " << label << " in " << all;
      if (found != std::string::npos) at = found + label.size();
    }
    EXPECT_TRUE(b->Line5.find("Upp  =") != std::string::npos ||
                b->Line5 == "Alltid över\r\n     horisonten" ||
                b->Line5 == "Alltid under\r\n     horisonten")
        << b->Line5;
  }
}
// Constellation figures, boundaries and names, and name labels; pixels by hand from the
// projection (zoom 1: x = 498 + (180 - RA) 2.7, y = 342.5 - 2.7 dec; polar x = 480 + 3.2 r sin RA,
// y = 348 - 3.2 r cos RA, r = 90 - dec), every correction off unless said.
TChartView View(int system, int zoom = 1, int centreDir = 0, double offX = 0, double offY = 0,
                double sideX = 0) {
  TObsState s{.CoordSystem = system, .CentreDir = centreDir};
  TChartState chart{.ChartZoom = zoom, .OffsetX = offX, .OffsetY = offY, .SideOffsetX = sideX};
  SetChartScales(chart, system);
  return MakeChartView(s, chart);
}
TConstellationPoint Pt(double raHours, double dec, char pen = 'd', char style = ' ',
                       std::string name = "") {
  return TConstellationPoint{raHours, dec, pen, style, std::move(name)};
}
std::vector<TConstellationStep> Lines(const std::vector<TConstellationPoint>& pts,
                                      const TChartView& view, const TChartMoment& m = {},
                                      TConstellationFile file = TConstellationFile::Boundaries) {
  return PlotConstellations(file, pts, TObsState{}, m, view).Steps;
}
TEST(ChartLabelsTest, LineStepsHidingPenStyleAndPrecession) {
  // Equatorial, zoom 1: the 0/360 seam, the +-75 limit (either end), "p", "s", "o".
  const std::vector<TConstellationStep> steps = {
      {16, 313, true, false, true, false},   {980, 313, false, true, true, false},
      {972, 313, false, false, false, true}, {972, 137, false, true, false, false},
      {972, 151, false, true, false, false}, {972, 148, true, false, false, false},
      {972, 548, false, true, false, false}};
  EXPECT_EQ(Lines({Pt(23.9, 11, 'p', 's'), Pt(0.1, 11, 'd', 's'), Pt(0.3, 11, 'd', 'o'),
                   Pt(0.3, 76), Pt(0.3, 71), Pt(0.3, 72, 'p'), Pt(0.3, -76)},
                  View(kEquatorial)),
            steps);
  // With 0h in the middle the chart's seam is at 12h: a step across 12h is hidden, across 0h not.
  const auto centred = Lines({Pt(11.9, 11, 'p'), Pt(12.1, 11), Pt(23.9, 11, 'p'), Pt(0.1, 11)},
                             View(kEquatorial, 1, 1));
  EXPECT_EQ(std::pair(centred[1].Hidden, centred[3].Hidden), std::pair(true, false));
  // Zoom 16: x = 930, 1362 (outside the client, within 500 pixels of it), 1794 (beyond).
  const auto far =
      Lines({Pt(170 / 15.0, 1, 'p'), Pt(160 / 15.0, 1), Pt(150 / 15.0, 1)}, View(kEquatorial, 16));
  EXPECT_EQ(far[1], (TConstellationStep{1362, 299, false, false, false, false}));
  EXPECT_EQ(far[2], (TConstellationStep{1794, 299, false, true, false, false}));
  // Polar equatorial: dec 4 shown, dec 2 hidden, dec -10 hidden but the pen moves to r = 100.
  EXPECT_EQ(Lines({Pt(0, 4, 'p'), Pt(0, 2), Pt(0, -10), Pt(0, 10)}, View(kEquatorialPolar)),
            (std::vector<TConstellationStep>{{480, 73, true, false, false, false},
                                             {480, 66, false, true, false, false},
                                             {480, 28, false, true, false, false},
                                             {480, 92, false, false, false, false}}));
  // Precession. Each case: J2000.0 place (hours, degrees), T, and the mean place of date (degrees)
  // from an independent source; the chart is centred (zoom 1024, 1.3" a pixel) on the expected
  // place, pixel (498, 342.5).
  const std::tuple<double, double, double, double, double> cases[] = {
      // 1900.0 (JD 2415020.0): ERFA pmat76 (IAU 1976) applied to 2h03.9m +42 20'.
      {2.065, 42.0 + 20.0 / 60.0, -1.0, 29.44104777404771, 41.852089896427344},
      // theta Persei to 2028 Nov 13.19 TD: Meeus (1991) example 20.b (2nd ed. 21.b).
      {41.054063 / 15.0, 49.227750, (2462088.69 - 2451545.0) / 36525.0, 41.547214, 49.348483}};
  for (const auto& [ra, dec, t, raDate, decDate] : cases) {
    const auto view = View(kEquatorial, 1024, 0, -(180.0 - raDate) * 2.7, decDate * 2.7);
    const auto steps =
        Lines({Pt(ra, dec, 'p')}, view, {.T = t, .Precession = true}, TConstellationFile::Figures);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_NEAR(steps[0].X, 498, 1) << t;
    EXPECT_NEAR(steps[0].Y, 342.5, 1) << t;
  }
}
TEST(ChartLabelsTest, ConstellationNamesAndNameLabelsNearTheHorizon) {
  const std::vector<TConstellationPoint> names = {
      Pt(12, 11, ' ', ' ', "Lyrae              "),  // -> "Lyrae ", round(6 x 3.3) = 20
      Pt(6, 11, ' ', ' ', "Piscis Austrinus XY"),   // no pair of blanks: all 19, 63
      Pt(6, 76, ' ', ' ', "Ursa Minor         ")    // beyond +75: hidden
  };
  const TObsState on{.ShowConstellations = 1};
  const auto plot =
      PlotConstellations(TConstellationFile::Names, names, on, TChartMoment{}, View(kEquatorial));
  EXPECT_EQ(plot.Colour, (TRgb{128, 128, 128}));
  ASSERT_EQ(plot.Labels.size(), 2u);
  EXPECT_EQ(std::tuple(plot.Labels[0].Text, plot.Labels[0].X, plot.Labels[0].Y),
            std::tuple("Lyrae ", 498 - 20, 313 - 7));
  EXPECT_EQ(std::tuple(plot.Labels[1].Text, plot.Labels[1].X),
            std::tuple("Piscis Austrinus XY", 741 - 63));
  // Neither figures nor boundaries shown: no names.
  EXPECT_TRUE(PlotConstellations(TConstellationFile::Names, names, TObsState{}, TChartMoment{},
                                 View(kEquatorial))
                  .Labels.empty());
  // Horizontal chart, latitude 59, sidereal time 0: a star at RA 0h and dec -31 + h culminates
  // in the south at altitude h, x = 498, y = 342.5 - 2.7 h.
  TChartMoment m{.Phi = 59.0 * 0.017453292519943295};
  const std::vector<TNameEntry> stars = {
      {0, -29, "Deneb"},  // altitude 2: hidden
      {0, -27, "Tåget"},  // altitude 4: 5 characters (6 bytes), round(12.5) = 12
      {0, -26, "Vega"},   // altitude 5: round(10) = 10
      {0, 45, "Zenit"}    // altitude 76: hidden
  };
  const auto labels = PlaceNames(stars, m, View(kHorizontal));
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].Name, "Tåget");
  EXPECT_EQ((std::vector<int>{labels[0].X, labels[0].Y, labels[0].TextX, labels[0].TextY}),
            (std::vector<int>{498, 332, 486, 317}));
  EXPECT_EQ((std::vector<int>{labels[1].TextX, labels[1].TextY}), (std::vector<int>{488, 314}));
  // Polar equatorial: declination 2.5 hidden, 3.5 shown.
  const std::vector<TNameEntry> polar = {{0, 2.5, "A"}, {0, 3.5, "B"}};
  const auto p = PlaceNames(polar, TChartMoment{}, View(kEquatorialPolar));
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].Name, "B");
  // With refraction, true altitude 2.9 is 3.13 apparent (Saemundsson; Bennett 3.14): the star
  // name shows, the constellation name (judged without refraction) does not; 3.5 shows both.
  m.Refraction = true;
  EXPECT_EQ(PlaceNames(std::vector<TNameEntry>{{0, -28.1, "X"}}, m, View(kHorizontal)).size(), 1u);
  const TObsState bounds{.ShowConstBounds = 1};
  const std::vector<TConstellationPoint> low = {Pt(0, -28.1, ' ', ' ', "Lo"),
                                                Pt(0, -27.5, ' ', ' ', "Hi")};
  const auto cons =
      PlotConstellations(TConstellationFile::Names, low, bounds, m, View(kHorizontal));
  ASSERT_EQ(cons.Labels.size(), 1u);
  EXPECT_EQ(cons.Labels[0].Text, "Hi");
}
TEST(ChartLabelsTest, CachedFiles) {
  testing::ScratchDir dir;
  dir.Write("KONST.DTA", "0203.9+4220 p\r\n0109.7+3537 d\r\n");
  const auto first = LoadConstellationFile(dir.Path(), TConstellationFile::Figures);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->size(), 2u);
  EXPECT_EQ(LoadConstellationFile(dir.Path(), TConstellationFile::Figures), first);
  dir.Write("KONST.DTA", "0203.9+4220 p\r\n0109.7+3537 d\r\n0039.3+3052 d\r\n");
  EXPECT_EQ(LoadConstellationFile(dir.Path(), TConstellationFile::Figures)->size(), 3u);
  EXPECT_EQ(LoadConstellationFile(dir.Path(), TConstellationFile::Boundaries), nullptr);
  EXPECT_EQ(LoadNameFile(dir.Path(), true), nullptr);
  dir.Write("objnamn.dta", "0042.7 +4116 M31 Andromedagalaxen\r\n");
  const auto objects = LoadNameFile(dir.Path(), false);
  ASSERT_EQ(objects ? objects->size() : 0u, 1u);
  EXPECT_EQ(objects->front().Name, "M31 Andromedagalaxen");
}
// Minor bodies on the chart and the history plots. Comet Encke, Meeus AA1 ch. 32 (AA2 33.a):
// on 1990 Oct 6.0 TD alpha 158.558965, delta 19.158496 (J2000.0); of date (pyerfa pmat76)
// 158.434037, 19.206354. Python against ERFA's Earth (epv00): Delta 0.824281, r 0.652575 AU,
// speed 48.138 km/s, period 3.2835 y, heliocentric ecliptic of date (0.2521286, 0.5864802,
// 0.1349487) AU.
constexpr double kJdTt = 2448170.5;  // 1990 Oct 6.0 TD
// A comet line with Encke's elements (perihelion 1990 10 28.54502, q 0.33088593, e, i 11.94524,
// node 334.75006, argument of perihelion 186.23352, equinox 2000, H 11.5, G 10.0), another
// eccentricity and name (columns 1-30), and flags from column 123.
std::string CometLine(std::string name, std::string_view ecc, std::string_view flags) {
  name.resize(30, ' ');
  return name + "19901028.545020.33088593 " + std::string(ecc) +
         " 11.94524  334.75006 186.23352 2000 1980 2000 11.5 10.0   " + std::string(flags);
}
struct TDataDir {
  ScratchDir Dir;
  TDataDir(std::initializer_list<std::pair<std::string_view, std::string>> files) {
    for (const char* name : {"PLANETS.DAT", "PLANETS2.NDX"})
      std::filesystem::copy_file(DataFolder() / name, Dir / name);
    for (const auto& [name, text] : files) Dir.Write(name, text);
  }
};
TObsState MomentState(int coordSystem) {
  TObsState s{.ClockJD = kJdTt, .JD_UT = kJdTt - 57.0 / 86400.0, .JD_TT = kJdTt};
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CoordSystem = coordSystem;
  s.CorrLightTime = 1;
  return s;
}
TEST(ChartMinorTest, CometEnckeOnTheEquatorialChart) {
  TDataDir data({{"KOMET.DTA", CometLine("2P/Encke  1990", "0.8502196", "j t") + "\r\n" +
                                   CometLine("C/Hyperbel", "1.0500000", "j") + "\r\n" +
                                   CometLine("C/Parabel", "1.0000000", "j") + "\r\n"}});
  const TObsState s = MomentState(kEquatorial);
  const TChartMoment moment = ChartMoment(s);
  const TChartView view = View(kEquatorial, 16, 0, -58.0, 52.0);
  const auto bodies = ChartMinorGroup(4, s, moment, view, data.Dir.Path());
  ASSERT_EQ(bodies ? bodies->size() : 0u, 3u);  // Encke and the two open orbits
  const TChartMinorBody& b = bodies->front();
  const auto ref = ProjectChartCoords(
      ChartCoordinates(158.434037 * kDegToRad, 19.206354 * kDegToRad, moment, view), view);
  ASSERT_TRUE(ref.has_value());
  EXPECT_LE(std::abs(b.X - ref->X), 1.0);
  EXPECT_LE(std::abs(b.Y - ref->Y), 1.0);
  // Track: 't' in column 125.
  EXPECT_EQ(std::tuple(b.SideX, b.Name, b.LabelX, b.LabelY, b.Track),
            std::tuple(kNoSideX, "2P/Encke", b.X - 20, b.Y - 15, true));
  // Magnitude 11.5 + 5 log 0.8243 + 10 log 0.6526.
  EXPECT_EQ(MinorReadoutLines(b.Readout),
            (std::array<std::string, 5>{"delta=0.8243 a.e.", "Magnitud=9.2", "Hastighet=48.14 km/s",
                                        "Omloppstid=3.28 år", "r=0.6526 a.e."}));
  // Open orbits (e = 1 is read as 1.0000001) have no period.
  for (std::size_t i : {1u, 2u}) {
    EXPECT_EQ(MinorReadoutLines((*bodies)[i].Readout)[3], "Parabel- eller hyperbelbana") << i;
    EXPECT_FALSE((*bodies)[i].Track) << i;
  }
}
TEST(ChartMinorTest, CometEnckeInTheWholeSkyView) {
  TDataDir data({{"komet.dta", CometLine("2P/Encke", "0.8502196", "j") + "\n"}});
  const TObsState s = MomentState(kEclipticWhole);
  const TChartView view = View(kEclipticWhole, 1024, 0, -1.6, 3.75, -0.86);
  const auto bodies = ChartMinorGroup(4, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_EQ(bodies ? bodies->size() : 0u, 1u);
  const TWholeSkyPoint ref = ProjectWholeSky(0.2521286, 0.5864802, 0.1349487, view);
  for (const auto& [got, want] :
       {std::pair{(*bodies)[0].X, ref.X}, {(*bodies)[0].Y, ref.Y}, {(*bodies)[0].SideX, ref.SideX}})
    EXPECT_LE(std::abs(got - want), 1.0);
}
TEST(ChartMinorTest, AsteroidTrackAndProbeReadout) {
  const std::string ceres =
      "1 Ceres                       20220809.00000 2.7666190 0.0786358  10.5868   80.26644  "
      "73.53163 2000 334.32717 1972 2072 3.33 0.12  j";
  // A geostationary-sized circular orbit about the Earth: a = 0.000282 AU = 42186 km.
  const std::string probe =
      "Testsond  X         19901006.00000 .00028200 0.0000000   0.0000    0.00000   0.00000 2000   "
      "0.00000 19901001.000 19901010.000 Jor  j";
  TDataDir data({{"asteroid.dta", ceres + "\n" + ceres + " t\n"}, {"rymdsond.dta", probe + "\n"}});
  TObsState s = MomentState(kEquatorial);
  s.DisplayMode = 1;
  const TChartView view = View(kEquatorial);
  const auto asteroids = ChartMinorGroup(1, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_EQ(asteroids ? asteroids->size() : 0u, 2u);
  // Track: 't' in column 134.
  EXPECT_EQ(std::tuple((*asteroids)[0].Track, (*asteroids)[1].Track, (*asteroids)[0].Name,
                       (*asteroids)[0].Outline),
            std::tuple(false, true, "1 Ceres", kChartBlack));
  const auto probes = ChartMinorGroup(5, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_EQ(probes ? probes->size() : 0u, 1u);
  EXPECT_EQ((*probes)[0].Name, "Testsond");
  // sqrt(GM / a) and 2 pi sqrt(a^3 / GM) with GM = 398600.4 km^3/s^2: 3.074 km/s, 0.99806 d.
  EXPECT_EQ(MinorReadoutLines((*probes)[0].Readout),
            (std::array<std::string, 5>{"Centrum=Jorden  delta=0.00028200 a.e.", "",
                                        "Hastighet=3.07 km/s", "Omloppstid=0.00273 år",
                                        "r=0.000282 a.e."}));
}
TEST(ChartMinorTest, GroupSymbols) {
  const TRgb blue{0, 0, 255}, cyan{0, 255, 255}, green{0, 255, 0};
  // Group, mode, symbol, fill, outline.
  const std::tuple<int, int, TStarSymbol, TRgb, TRgb> cases[] = {
      {3, 1, {false, 97, 47, 103, 53}, blue, kChartBlack},
      {4, 0, {false, 98, 48, 102, 52}, cyan, cyan},
      {5, 0, {false, 99, 49, 102, 52}, green, green},
      {5, 1, {false, 98, 48, 102, 52}, green, kChartBlack}};
  for (const auto& [group, mode, symbol, fill, outline] : cases) {
    const TChartMinorBody b = MinorGroupSymbol(group, mode, 100, 50);
    EXPECT_EQ(std::tuple(b.Symbol, b.Fill, b.Outline), std::tuple(symbol, fill, outline))
        << group << mode;
  }
}
TEST(ChartMinorTest, MissingFileGivesNothing) {
  ScratchDir empty;
  const TObsState s = MomentState(kEquatorial);
  const TChartView view = View(kEquatorial);
  for (int group : {1, 4, 5, 0, 6})
    EXPECT_FALSE(ChartMinorGroup(group, s, ChartMoment(s), view, empty.Path())) << group;
}
TEST(HistoryPlotsTest, StoreClearAndLimits) {
  THistoryPlots plots;
  EXPECT_EQ(plots.PlanetPlots(5, 2000)[1234].X, -10);
  for (int tick = 1; tick <= 2001; ++tick) plots.StorePlanet(5, tick, tick, 2 * tick, -100);
  const auto jupiter = plots.PlanetPlots(5, 5000);
  ASSERT_EQ(jupiter.size(), 2001u);
  EXPECT_EQ(jupiter[1999].X, 1999);
  EXPECT_EQ(jupiter[2000].X, 2001);  // the 2001st tick overwrote plot 2000
  EXPECT_EQ(std::tuple(jupiter[2000].Y, plots.PlanetPlots(5, 3).size()), std::tuple(4002, 4u));
  plots.StoreTrack(100, 7, 11, 12, 13);
  plots.StoreTrack(101, 7, 21, 22, 23);  // the 101st track is not stored
  EXPECT_EQ(plots.TrackPlots(100, 7)[7].SideX, 13);
  EXPECT_TRUE(plots.TrackPlots(101, 7).empty());
  plots.Clear();
  EXPECT_EQ(plots.TrackPlots(100, 7)[7].X, -10);
  EXPECT_EQ(HistoryMark(false, 0, 5, 6).Colour, (TRgb{255, 0, 255}));
  EXPECT_EQ(HistoryMark(true, 1, 5, 6).Symbol, (TStarSymbol{false, 3, 4, 7, 8}));
  EXPECT_EQ(HistoryMark(true, 1, 5, 6).Colour, (TRgb{0, 0, 255}));
}
}  // namespace
}  // namespace himlavy
