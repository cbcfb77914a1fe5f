// Minor bodies on the chart and the history-plot tables.
//
// Reference: comet Encke, the worked example of positions from elements in Meeus, Astronomical
// Algorithms (1st ed. 1991, chapter 32; 2nd ed. chapter 33): a = 2.2091404 (q = a (1 - e) =
// 0.33088593), e = 0.8502196, i = 11.94524, Omega = 334.75006, omega = 186.23352 (J2000.0),
// perihelion 1990 Oct 28.54502 TD; on 1990 Oct 6.0 TD (light time included) the printed place
// is alpha = 158.558965 deg, delta = 19.158496 deg, J2000.0. Precessed to the mean equinox of
// date with ERFA's IAU 1976 matrix (pyerfa pmat76) it is 158.434037, 19.206354. An independent
// Python evaluation of the same elements against ERFA's Earth (epv00) gives delta = 0.824281 AU,
// r = 0.652575 AU at the light-time moment, the speed 42.1218 sqrt(1/r - 1/(2a)) = 48.138 km/s
// (Meeus's formula) and the period a^1.5 (2 pi / k) / 365.25 = 3.2835 years; the geometric
// heliocentric position at the moment, referred to the ecliptic of date (pmat76, obl80), is
// (0.2521286, 0.5864802, 0.1349487) AU.
#include "skychart/chart_minor.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "skychart/history_plots.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

constexpr double kJdTt = 2448170.5;  // 1990 Oct 6.0 TD

// A line with texts at 1-based columns.
std::string Line(std::initializer_list<std::pair<std::size_t, std::string_view>> fields) {
  std::string s;
  for (const auto& [column, text] : fields) {
    if (s.size() < column - 1 + text.size()) s.resize(column - 1 + text.size(), ' ');
    s.replace(column - 1, text.size(), text);
  }
  return s;
}

// A comet line with Encke's elements, another eccentricity and name, and flags after column 122.
std::string CometLine(std::string_view name, std::string_view ecc, std::string_view flags) {
  return Line({{1, name},
               {31, "1990"},
               {35, "10"},
               {37, "28.54502"},
               {45, "0.33088593"},
               {56, ecc},
               {66, "11.94524"},
               {75, " 334.75006"},
               {85, " 186.23352"},
               {96, "2000"},
               {101, "1980"},
               {106, "2000"},
               {111, "11.5"},
               {116, "10.0"},
               {123, flags}});
}

// A scratch data folder with the planetary series and the given element files.
struct TDataDir {
  ScratchDir Dir;
  TDataDir(std::initializer_list<std::pair<std::string_view, std::string>> files) {
    for (const char* name : {"PLANETS.DAT", "PLANETS2.NDX"}) {
      std::filesystem::copy_file(DataFolder() / name, Dir / name);
    }
    for (const auto& [name, text] : files) Dir.Write(name, text);
  }
};

TObsState MomentState(int coordSystem) {
  TObsState s;
  s.ClockJD = kJdTt;
  s.JD_TT = kJdTt;
  s.JD_UT = kJdTt - 57.0 / 86400.0;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CoordSystem = coordSystem;
  s.CorrLightTime = 1;
  return s;
}

TChartView View(const TObsState& s, int zoom, double offsetX, double offsetY,
                double sideOffsetX = 0.0) {
  TChartState chart;
  chart.ChartZoom = zoom;
  chart.OffsetX = offsetX;
  chart.OffsetY = offsetY;
  chart.SideOffsetX = sideOffsetX;
  SetChartScales(chart, s.CoordSystem);
  return MakeChartView(s, chart);
}

TEST(ChartMinorTest, CometEnckeOnTheEquatorialChart) {
  TDataDir data({{"KOMET.DTA", CometLine("2P/Encke  1990", "0.8502196", "j t") + "\r\n" +
                                   CometLine("C/Hyperbel", "1.0500000", "j") + "\r\n" +
                                   CometLine("C/Parabel", "1.0000000", "j") + "\r\n"}});
  const TObsState s = MomentState(kEquatorial);
  const TChartMoment moment = ChartMoment(s);
  const TChartView view = View(s, 16, -58.0, 52.0);
  const auto bodies = ChartMinorGroup(4, s, moment, view, data.Dir.Path());
  ASSERT_TRUE(bodies.has_value());
  ASSERT_GE(bodies->size(), 1u);
  const TChartMinorBody& b = bodies->front();

  const double d = 0.017453292519943295;
  const auto ref =
      ProjectChartCoords(ChartCoordinates(158.434037 * d, 19.206354 * d, moment, view), view);
  ASSERT_TRUE(ref.has_value());
  EXPECT_LE(std::abs(b.X - ref->X), 1.0);
  EXPECT_LE(std::abs(b.Y - ref->Y), 1.0);
  EXPECT_EQ(b.SideX, kNoSideX);

  EXPECT_EQ(b.Name, "2P/Encke");
  EXPECT_EQ(std::tuple(b.LabelX, b.LabelY), std::tuple(b.X - 20, b.Y - 15));
  EXPECT_TRUE(b.Track);  // 't' in column 125
  // Magnitude 11.5 + 5 log 0.8243 + 10 log 0.6526.
  EXPECT_EQ(b.Lines,
            (std::array<std::string, 5>{"delta=0.8243 a.e.", "Magnitud=9.2", "Hastighet=48.14 km/s",
                                        "Omloppstid=3.28 år", "r=0.6526 a.e."}));

  // Open orbits (e = 1 is read as 1.0000001) have no period.
  ASSERT_EQ(bodies->size(), 3u);
  for (std::size_t i : {1u, 2u}) {
    EXPECT_EQ((*bodies)[i].Lines[3], "Parabel- eller hyperbelbana") << i;
    EXPECT_FALSE((*bodies)[i].Track) << i;
  }
}

TEST(ChartMinorTest, CometEnckeInTheWholeSkyView) {
  TDataDir data({{"komet.dta", CometLine("2P/Encke", "0.8502196", "j") + "\n"}});
  const TObsState s = MomentState(kEclipticWhole);
  const TChartView view = View(s, 1024, -1.6, 3.75, -0.86);
  const auto bodies = ChartMinorGroup(4, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_TRUE(bodies.has_value());
  ASSERT_EQ(bodies->size(), 1u);
  const TWholeSkyPoint ref = ProjectWholeSky(0.2521286, 0.5864802, 0.1349487, view);
  EXPECT_LE(std::abs((*bodies)[0].X - ref.X), 1.0);
  EXPECT_LE(std::abs((*bodies)[0].Y - ref.Y), 1.0);
  EXPECT_LE(std::abs((*bodies)[0].SideX - ref.SideX), 1.0);
}

TEST(ChartMinorTest, AsteroidTrackAndProbeReadout) {
  const std::string ceres =
      "1 Ceres                       20220809.00000 2.7666190 0.0786358  10.5868   80.26644  "
      "73.53163 2000 334.32717 1972 2072 3.33 0.12  j";
  // A geostationary-sized circular orbit about the Earth: a = 0.000282 AU = 42186 km.
  const std::string probe = Line({{1, "Testsond  X"},
                                  {21, "19901006.00000"},
                                  {35, " .00028200"},
                                  {46, "0.0000000"},
                                  {56, "  0.0000"},
                                  {65, "   0.00000"},
                                  {75, "   0.00000"},
                                  {86, "2000"},
                                  {90, "   0.00000"},
                                  {101, "19901001.000"},
                                  {114, "19901010.000"},
                                  {127, "Jor"},
                                  {132, "j"}});
  TDataDir data({{"asteroid.dta", ceres + "\n" + ceres + " t\n"}, {"rymdsond.dta", probe + "\n"}});
  TObsState s = MomentState(kEquatorial);
  s.DisplayMode = 1;
  const TChartView view = View(s, 1, 0.0, 0.0);

  const auto asteroids = ChartMinorGroup(1, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_TRUE(asteroids.has_value());
  ASSERT_EQ(asteroids->size(), 2u);
  EXPECT_FALSE((*asteroids)[0].Track);
  EXPECT_TRUE((*asteroids)[1].Track);  // 't' in column 134
  EXPECT_EQ((*asteroids)[0].Name, "1 Ceres");
  EXPECT_EQ((*asteroids)[0].Outline, kChartBlack);

  const auto probes = ChartMinorGroup(5, s, ChartMoment(s), view, data.Dir.Path());
  ASSERT_TRUE(probes.has_value());
  ASSERT_EQ(probes->size(), 1u);
  const TChartMinorBody& p = (*probes)[0];
  EXPECT_EQ(p.Name, "Testsond");
  // sqrt(GM / a) and 2 pi sqrt(a^3 / GM) with GM = 398600.4 km^3/s^2: 3.074 km/s, 0.99806 d.
  EXPECT_EQ(p.Lines, (std::array<std::string, 5>{"Centrum=Jorden  delta=0.00028200 a.e.", "",
                                                 "Hastighet=3.07 km/s", "Omloppstid=0.00273 år",
                                                 "r=0.000282 a.e."}));
}

TEST(ChartMinorTest, GroupSymbols) {
  struct TCase {
    int Group, Mode;
    TStarSymbol Symbol;
    TRgb Fill, Outline;
  };
  const TRgb blue{0, 0, 255}, cyan{0, 255, 255}, green{0, 255, 0};
  const TCase cases[] = {
      {3, 1, {false, 97, 47, 103, 53}, blue, kChartBlack},
      {4, 0, {false, 98, 48, 102, 52}, cyan, cyan},
      {5, 0, {false, 99, 49, 102, 52}, green, green},
      {5, 1, {false, 98, 48, 102, 52}, green, kChartBlack},
  };
  for (const TCase& c : cases) {
    const TChartMinorBody b = MinorGroupSymbol(c.Group, c.Mode, 100, 50);
    EXPECT_EQ(std::tuple(b.Symbol, b.Fill, b.Outline), std::tuple(c.Symbol, c.Fill, c.Outline))
        << c.Group << " " << c.Mode;
  }
}

TEST(ChartMinorTest, MissingFileGivesNothing) {
  ScratchDir empty;
  const TObsState s = MomentState(kEquatorial);
  const TChartView view = View(s, 1, 0.0, 0.0);
  for (int group : {1, 4, 5, 0, 6}) {
    EXPECT_FALSE(ChartMinorGroup(group, s, ChartMoment(s), view, empty.Path())) << group;
  }
}

TEST(HistoryPlotsTest, StoreClearAndLimits) {
  THistoryPlots plots;
  EXPECT_EQ(plots.PlanetPlots(5, 2000)[1234].X, -10);
  for (int tick = 1; tick <= 2001; ++tick) plots.StorePlanet(5, tick, tick, 2 * tick, -100);
  const auto jupiter = plots.PlanetPlots(5, 5000);
  ASSERT_EQ(jupiter.size(), 2001u);
  EXPECT_EQ(jupiter[1999].X, 1999);
  EXPECT_EQ(jupiter[2000].X, 2001);  // the 2001st tick overwrote plot 2000
  EXPECT_EQ(jupiter[2000].Y, 4002);
  EXPECT_EQ(plots.PlanetPlots(5, 3).size(), 4u);

  plots.StoreTrack(100, 7, 11, 12, 13);
  plots.StoreTrack(101, 7, 21, 22, 23);  // the 101st track is not stored
  EXPECT_EQ(plots.TrackPlots(100, 7)[7].SideX, 13);
  EXPECT_TRUE(plots.TrackPlots(101, 7).empty());

  plots.Clear();
  EXPECT_EQ(plots.PlanetPlots(5, 2000)[2000].Y, -10);
  EXPECT_EQ(plots.TrackPlots(100, 7)[7].X, -10);

  EXPECT_EQ(HistoryMark(false, 0, 5, 6).Colour, (TRgb{255, 0, 255}));
  EXPECT_EQ(HistoryMark(true, 1, 5, 6).Symbol, (TStarSymbol{false, 3, 4, 7, 8}));
  EXPECT_EQ(HistoryMark(true, 1, 5, 6).Colour, (TRgb{0, 0, 255}));
}

}  // namespace
}  // namespace himlavy
