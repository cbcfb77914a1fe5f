// The strip of Jupiter's moons and the Jupiter-centred panels. Expected values: hand-worked
// layouts, and Meeus, Astronomical Algorithms 1991, ch. 43 (moons, 1992 Dec 16) and ch. 42
// (Jupiter's axis P = 24.80 deg the same day), worked through the window's formulas by hand.
#include "planets/jupiter_moons_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/jupiter_moons.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

TEST(JupiterMoonsStripTest, DepthOrderPointsMouseBoxAndMagnification) {
  // Europa 0.4 radii behind Jupiter (key 0, a tie with Jupiter), Ganymede Z = 2.5 (ties to
  // even: key -2), Callisto X = -160.5 / 16 (x ties to even: -160).
  const std::array<TVector3, 4> moons = {
      {{2.0, 0.5, -3.4}, {-0.3, 0.1, 0.4}, {0.5, 0.0, 2.5}, {-10.03125, 0.0, -1.5}}};
  const TJupiterMoonsStrip s = LayoutJupiterMoonsStrip(moons, false, 0.0, 0.0, false, true);
  for (const int i : {0, 1, 2, 3, 4}) EXPECT_EQ(s.Bodies[i].Key, (std::array{3, 0, -2, 2, 0})[i]);
  // Farthest first: Ganymede, Europa (behind, covered by Jupiter), Jupiter, Callisto, Io.
  EXPECT_EQ(s.DrawOrder, (std::array<int, 5>{2, 1, 4, 3, 0}));
  EXPECT_EQ(s.Bodies[0].Box, (std::array<int, 4>{520, 120, 524, 124}));
  EXPECT_EQ(std::tuple(s.Bodies[1].LabelX, s.Bodies[1].LabelY, s.Bodies[3].LabelX),
            std::tuple(485, 128, 330));
  EXPECT_EQ(s.Bodies[4].Box, (std::array<int, 4>{474, 115, 506, 145}));
  EXPECT_EQ(std::tuple(s.NorthX, s.NorthY, s.HasDirectionMark), std::tuple(487, 96, false));

  // The exchange sort is not stable: Europa and Callisto (both key 5) end up swapped.
  const std::array<TVector3, 4> ties = {{{0, 0, 0.3}, {0, 0, -5.0}, {0, 0, 1.0}, {0, 0, -4.6}}};
  EXPECT_EQ(LayoutJupiterMoonsStrip(ties, false, 0, 0, false, false).DrawOrder,
            (std::array<int, 5>{2, 0, 4, 3, 1}));

  // The mouse box: x - 5 <= px < x + 5, y - 5 <= py < y + 5; a later body wins.
  const std::tuple<int, int, const char*> mouse[] = {
      {490, 130, " Jupiter"}, {481, 128, " Europa "}, {485, 133, " Europa "}, {485, 134, ""},
      {480, 128, ""},         {527, 127, " Io"},      {528, 127, ""},         {518, 118, " Io"},
      {517, 118, ""},         {518, 117, ""}};
  for (const auto& [x, y, name] : mouse) EXPECT_EQ(StripNameAt(s, x, y), name) << x << "," << y;

  // Magnified, with P = 30 and q = 10 deg: the mark at -20 deg (67 sin 20 = 22.92,
  // 67 cos 20 = 62.96), "Z" with the parallactic angle, else "N".
  const TJupiterMoonsStrip big =
      LayoutJupiterMoonsStrip(moons, true, 30 * kDegToRad, 10 * kDegToRad, true, false);
  EXPECT_EQ(big.Bodies[0].Box, (std::array<int, 4>{646, 86, 654, 94}));
  EXPECT_EQ(big.Bodies[4].Box, (std::array<int, 4>{410, 55, 570, 205}));
  EXPECT_EQ(std::pair(big.NorthY, big.HasDirectionMark), std::pair(32, true));
  EXPECT_EQ(big.DirectionText + std::to_string(big.MarkX) + "," + std::to_string(big.MarkY),
            "Z510,61");
  EXPECT_EQ(LayoutJupiterMoonsStrip(moons, true, 0, 0, false, false).DirectionText, "N");
}

TEST(JupiterMoonsStripTest, MeeusDecember1992) {
  // 1992 Dec 16 0h UT (JDE 2448972.50068), light time on: X, Y of Io ... Callisto
  // -3.4515, 0.2138; 7.4435, 0.2756; 1.1996, 0.5902; 7.0754, 1.0293, all in front of Jupiter
  // (Z -4.82, -5.75, -14.94, -25.23: keys 5, 6, 15, 25); P = 24.80 deg, parallactic angle off.
  TObsState state{.JD_UT = 2448972.50068 - 59.0 / 86400.0, .JD_TT = 2448972.50068};
  state.CorrLightTime = state.CorrNutation = state.CorrAberration = 1;
  const auto s = JupiterMoonsStrip(state, testing::DataFolder(), true);
  ASSERT_TRUE(s.has_value());
  const int expected[4][2] = {{214, 113}, {1085, 108}, {586, 83}, {1056, 48}};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(std::pair(s->Bodies[i].LabelX, s->Bodies[i].LabelY),
              std::pair(expected[i][0], expected[i][1]));
  EXPECT_EQ(s->DrawOrder, (std::array<int, 5>{4, 0, 1, 2, 3}));
  // 67 sin 24.80 = 28.10, 67 cos 24.80 = 60.82.
  EXPECT_EQ(std::make_pair(s->MarkX, s->MarkY), std::make_pair(515, 63));
  EXPECT_FALSE(JupiterMoonsStrip(state, testing::ScratchDir().Path(), false).has_value());
}

TEST(JupiterCentreTest, MoonsFromMeeusLongitudesHidingAndTheMoonFrame) {
  // Meeus's L, B, R of 1992 Dec 16 at the light-retarded moment; ChartScale 1024, so
  // k = 6553.6 pixels per AU and r = R 71398 / 149597870 AU.
  TObsState state{.JD_TT = 2451545.0 + 36525.0 * -0.07043208796820367, .ChartScale = 1024};
  state.ShowSunPlanets = state.ShowMoons = 1;
  const int expected[2][4][3] = {
      {{117, 108, 300}, {113, 74, 300}, {145, 87, 300}, {173, 63, 300}},  // Orientation 0
      {{108, 83, 300}, {74, 87, 300}, {87, 55, 300}, {63, 27, 300}}};     // Orientation 1
  for (int o = 0; o < 2; ++o) {
    state.Orientation = o;
    const TJupiterCentreView v = JupiterCentreView(state, testing::DataFolder());
    ASSERT_EQ(v.Moons.size(), 4u);
    EXPECT_EQ(v.JupiterRadius, 3);
    for (int i = 0; i < 4; ++i) {
      const TCentreBody& m = v.Moons[static_cast<std::size_t>(i)];
      EXPECT_EQ((std::array<int, 5>{m.LeftX, m.LeftY, m.RightX, m.RightY, m.Radius}),
                (std::array<int, 5>{expected[o][i][0], expected[o][i][1], expected[o][i][2],
                                    expected[o][i][1], 2}));
    }
    // Io's points: (117, 108) or (108, 83) on the left, (300, 108) or (300, 83) on the right.
    EXPECT_EQ(CentreNameAt(v, 120, 108) + CentreNameAt(v, 114, 108), o == 0 ? "Io" : "");
    EXPECT_EQ(CentreNameAt(v, 111, 83) + CentreNameAt(v, 302, 81), o == 1 ? "IoIo" : "");
  }
  // ChartScale, DisplayMode: the radii of Jupiter, Io, Ganymede (at least 2, 3 in atlas mode),
  // latitude circles (above 2048).
  const int scales[][6] = {{262144, 0, 804, 20, 30, 1},
                           {2048, 0, 6, 2, 2, 0},
                           {2049, 0, 6, 2, 2, 1},
                           {0, 1, 3, 3, 3, 0}};
  for (const auto& c : scales) {
    state.ChartScale = c[0];
    state.DisplayMode = c[1];
    const TJupiterCentreView v = JupiterCentreView(state, testing::DataFolder());
    EXPECT_EQ((std::array<int, 4>{v.JupiterRadius, v.Moons[0].Radius, v.Moons[2].Radius,
                                  v.LatitudeCircles}),
              (std::array<int, 4>{c[2], c[3], c[4], c[5]}))
        << c[0];
  }
  state.ShowSunPlanets = 0;
  EXPECT_TRUE(JupiterCentreView(state, testing::DataFolder()).Moons.empty());

  // PlaceInPanels at k = 100 pixels per AU, Jupiter 3 pixels (at L = 0: u = r, v = 0): which
  // panels hide the body (1 the pole-on, 2 the edge-on).
  const double hiding[][4] = {{0, 0, 0.5, 2},      {180, 0, 0.5, 0},   {0, -10, 0.02, 3},
                              {180, -10, 0.02, 1}, {0, -10, 0.031, 2}, {180, -90, 0.03, 1}};
  for (const auto& c : hiding) {
    TCentreBody b;
    PlaceInPanels(b, c[0] * kDegToRad, c[1] * kDegToRad, c[2], 100.0, 0, 3);
    EXPECT_EQ(b.HiddenLeft + 2 * b.HiddenRight, static_cast<int>(c[3]))
        << c[0] << " " << c[1] << " " << c[2];
  }
  // A vector of the ecliptic of date comes back as the theory's L, B, R: Meeus's Europa,
  // Ganymede and Callisto (L, B degrees) at the light-retarded moment of 1992 Dec 16.
  const double t = -0.07043208796820367;
  const double book[3][3] = {{63.4350375, 0.1577336, 9.4067930},
                             {15.7439105, -0.2253345, 15.0044738},
                             {26.7853279, -0.1480386, 26.2202345}};
  for (int i = kEuropa; i <= kCallisto; ++i) {
    const TSpherical p = JovicentricInMoonFrame(SatelliteEcliptic(i, t), t);
    EXPECT_LT(std::hypot(p.Lon / kDegToRad - book[i - 2][0], p.Lat / kDegToRad - book[i - 2][1],
                         p.R - book[i - 2][2]),
              1e-6)
        << i;
  }
}

TEST(JupiterCentreTest, OnlyProbesAboutJupiter) {
  // A circular orbit of 0.01 AU about Jupiter (k = 6.4 ChartScale pixels per AU), one about
  // the Earth, one not shown, one out of its time, a long name cut at its double blank.
  const std::string tail = " 0.0100000 0.0000000   10.000   20.00000  30.00000 2000  40.00000 ";
  const auto line = [&](const char* name, const char* centre, const char* flags,
                        const char* stop = "20300101.000") {
    return std::string(name) + "20200101.00000" + tail + "20100101.000 " + stop + " " + centre +
           "  " + flags + "\n";
  };
  testing::ScratchDir dir;
  dir.Write("rymdsond.dta", "; comment line\n" + line("Galileo Orbiter 1   ", "Jup", "j t") +
                                line("Nearby Earth        ", "Jor", "j") +
                                line("Hidden Probe        ", "Jup", "n") +
                                line("Late Probe          ", "Jup", "j", "20150101.000") +
                                line("Juno  extended      ", "Jup", "j"));
  // 2020 May 31.
  TObsState state{.ClockJD = 2459000.5, .JD_TT = 2459000.5, .ChartScale = 1024};
  state.ShowSunPlanets = state.ShowProbes = 1;
  TJupiterCentreView v = JupiterCentreView(state, dir.Path());
  ASSERT_EQ(v.Probes.size(), 2u);
  EXPECT_EQ(v.Probes[0].Name + "|" + v.Probes[1].Name, "Galileo Orbiter 1|Juno");
  EXPECT_TRUE(v.Probes[0].Labelled && !v.Probes[1].Labelled);
  EXPECT_TRUE(v.Moons.empty());  // ShowMoons off
  // The radius is kept: 65.536 pixels, within the rounding of the three pixel offsets.
  const TCentreBody p = v.Probes[0];
  EXPECT_NEAR(std::hypot(p.LeftX - 100, p.LeftY - 100, p.RightX - 300), 65.536, 1.5);
  // Both orbits are the same: the later probe wins.
  EXPECT_EQ(CentreNameAt(v, p.LeftX + 2, p.LeftY - 2), "Juno");
  EXPECT_EQ(CentreNameAt(v, p.LeftX - 3, p.LeftY), "");
  // Only the first 200 probes count for the mouse.
  v.Probes.assign(201, p);
  v.Probes.back().Name = "last";
  EXPECT_EQ(CentreNameAt(v, p.LeftX, p.LeftY), "Galileo Orbiter 1");

  state.ShowProbes = 0;
  EXPECT_TRUE(JupiterCentreView(state, dir.Path()).Probes.empty());
  state.ShowProbes = 1;
  EXPECT_TRUE(JupiterCentreView(state, testing::ScratchDir().Path()).ProbeFileMissing);
}

}  // namespace
}  // namespace himlavy
