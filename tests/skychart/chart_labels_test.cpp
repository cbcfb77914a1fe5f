// Constellation figures, boundaries and names, and the star and deep-sky name labels.
//
// Expected pixels are worked out by hand from the chart's projection formulas: in the
// equatorial chart at zoom 1, x = 498 + (lon' - 180) 2.7 with lon' = 360 - RA (degrees) and
// y = 342.5 - dec 2.7; in the polar chart x = 480 + r sin(RA) 3.2, y = 348 - r cos(RA) 3.2 with
// r = 90 - dec. Unless a test says otherwise every correction is off, so the J2000.0 position
// is the chart's.
#include "skychart/chart_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/scratch_dir.h"

namespace himlavy {
namespace {

TChartView View(int system, int zoom = 1, int centreDir = 0, double offX = 0, double offY = 0) {
  TObsState s;
  s.CoordSystem = system;
  s.CentreDir = centreDir;
  TChartState chart;
  chart.ChartZoom = zoom;
  chart.OffsetX = offX;
  chart.OffsetY = offY;
  SetChartScales(chart, system);
  return MakeChartView(s, chart);
}

TConstellationPoint Pt(double raHours, double dec, char pen = 'd', char style = ' ',
                       std::string name = "") {
  return TConstellationPoint{raHours, dec, pen, style, std::move(name)};
}

std::vector<TConstellationStep> Lines(const std::vector<TConstellationPoint>& pts,
                                      const TChartView& view, const TChartMoment& m = {}) {
  return PlotConstellations(TConstellationFile::Boundaries, pts, TObsState{}, m, view).Steps;
}

TEST(ChartLabelsTest, LineStepsHidingPenAndStyle) {
  // Equatorial, zoom 1: the 0/360 seam, the +-75 limit (either end), "p", "s", "o".
  EXPECT_EQ(Lines({Pt(23.9, 11, 'p', 's'), Pt(0.1, 11, 'd', 's'), Pt(0.3, 11, 'd', 'o'),
                   Pt(0.3, 76), Pt(0.3, 71), Pt(0.3, 72, 'p'), Pt(0.3, -76)},
                  View(kEquatorial)),
            (std::vector<TConstellationStep>{{16, 313, true, false, true, false},
                                             {980, 313, false, true, true, false},
                                             {972, 313, false, false, false, true},
                                             {972, 137, false, true, false, false},
                                             {972, 151, false, true, false, false},
                                             {972, 148, true, false, false, false},
                                             {972, 548, false, true, false, false}}));
  // With 0h in the middle the chart's seam is at 12h: a step across 12h is hidden, across 0h not.
  const auto centred = Lines({Pt(11.9, 11, 'p'), Pt(12.1, 11), Pt(23.9, 11, 'p'), Pt(0.1, 11)},
                             View(kEquatorial, 1, 1));
  EXPECT_TRUE(centred[1].Hidden);
  EXPECT_FALSE(centred[3].Hidden);
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
}

TEST(ChartLabelsTest, PrecessionMovesFigures) {
  // Each case: J2000.0 place, T, and the mean place of date from an independent source; the
  // chart is centred (zoom 1024, 1.3" a pixel) on the expected place, pixel (498, 342.5).
  struct TCase {
    double Ra, Dec, T, RaDate, DecDate;  // hours, degrees, centuries, degrees, degrees
  } cases[] = {
      // 1900.0 (JD 2415020.0): ERFA pmat76 (IAU 1976) applied to 2h03.9m +42 20'.
      {2.065, 42.0 + 20.0 / 60.0, -1.0, 29.44104777404771, 41.852089896427344},
      // theta Persei to 2028 Nov 13.19 TD: Meeus (1991) example 20.b (2nd ed. 21.b).
      {41.054063 / 15.0, 49.227750, (2462088.69 - 2451545.0) / 36525.0, 41.547214, 49.348483},
  };
  for (const TCase& c : cases) {
    TChartMoment m;
    m.T = c.T;
    m.Precession = true;
    const auto view = View(kEquatorial, 1024, 0, -(180.0 - c.RaDate) * 2.7, c.DecDate * 2.7);
    const auto steps = PlotConstellations(TConstellationFile::Figures,
                                          std::vector<TConstellationPoint>{Pt(c.Ra, c.Dec, 'p')},
                                          TObsState{}, m, view)
                           .Steps;
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_NEAR(steps[0].X, 498, 1) << c.T;
    EXPECT_NEAR(steps[0].Y, 342.5, 1) << c.T;
  }
}

TEST(ChartLabelsTest, ConstellationNames) {
  const std::vector<TConstellationPoint> names = {
      Pt(12, 11, ' ', ' ', "Lyrae              "),  // -> "Lyrae ", round(6 x 3.3) = 20
      Pt(6, 11, ' ', ' ', "Piscis Austrinus XY"),   // no pair of blanks: all 19, 63
      Pt(6, 76, ' ', ' ', "Ursa Minor         "),   // beyond +75: hidden
  };
  TObsState on;
  on.ShowConstellations = 1;
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
}

TEST(ChartLabelsTest, NameLabelsHiddenNearTheHorizon) {
  // Horizontal chart, latitude 59, sidereal time 0: a star at RA 0h and dec -31 + h culminates
  // in the south at altitude h, x = 498, y = 342.5 - 2.7 h.
  TChartMoment m;
  m.Phi = 59.0 * 0.017453292519943295;
  const std::vector<TNameEntry> stars = {
      {0, -29, "Deneb"},  // altitude 2: hidden
      {0, -27, "Tåget"},  // altitude 4: 5 characters (6 bytes), round(12.5) = 12
      {0, -26, "Vega"},   // altitude 5: round(10) = 10
      {0, 45, "Zenit"},   // altitude 76: hidden
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
  TObsState on;
  on.ShowConstBounds = 1;
  const std::vector<TConstellationPoint> low = {Pt(0, -28.1, ' ', ' ', "Lo"),
                                                Pt(0, -27.5, ' ', ' ', "Hi")};
  const auto cons = PlotConstellations(TConstellationFile::Names, low, on, m, View(kHorizontal));
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
  ASSERT_NE(objects, nullptr);
  ASSERT_EQ(objects->size(), 1u);
  EXPECT_EQ(objects->front().Name, "M31 Andromedagalaxen");
}

}  // namespace
}  // namespace himlavy
