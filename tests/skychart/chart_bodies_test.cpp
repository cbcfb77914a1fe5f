// The Sun, Moon, planets and Jupiter's moons on the sky chart.
//
// References: J. Meeus, Astronomical Algorithms. The Sun on 1992 October 13.0 TD: apparent
// alpha 13h13m31.4s, delta -7 deg 47'06" (1st ed. example 24.a, 2nd ed. 25.a) and the Earth's
// heliocentric L = 19.907372 deg, R = 0.99760775 AU (2nd ed. example 25.b). Expected pixels are
// worked out with the chart's formulas: x = 498 + (360 - alpha - 180) PixelScale, y = 342.5 - delta
// PixelScale in the equatorial chart; x = 354 + x_AU PixelScale, y = 348 - y_AU PixelScale in
// system 0.
#include "skychart/chart_bodies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "base/basic.h"
#include "base/textfile.h"
#include "common/data_folder.h"

namespace himlavy {
namespace {

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
  s.State.ShowSunPlanets = 1;
  s.State.ShowMoons = 1;
  s.State.LabelPlanets = 1;
  s.State.CorrLightTime = 1;
  s.State.CorrNutation = 1;
  s.State.CorrAberration = 1;
  DeriveTimes(s.State);
  s.View = MakeChartView(s.State, ChartStateFromObs(s.State));
  s.Moment = ChartMoment(s.State);
  return s;
}

std::vector<TChartBody> Bodies(const TScene& s) {
  return ChartMajorBodies(s.State, s.Moment, s.View, testing::DataFolder());
}

const TChartBody* Find(const std::vector<TChartBody>& bodies, int index) {
  for (const auto& b : bodies) {
    if (b.Index == index) return &b;
  }
  return nullptr;
}

std::size_t Chars(const std::string& s) {
  return Utf8Length(s);
}

constexpr double kSunDate = 2448908.5;  // 1992 Oct 13.0 TD

TEST(ChartBodiesSize, HalfSizesFromSemidiameter) {
  // Jupiter at zoom 1 gets the minimum 2; at zoom 1024 a 20" disc has a
  // half-height of round(2.7 * 1024 * 20 / 3600) = round(15.36) = 15.
  const TScene z1 = Scene(kSunDate, kEquatorial, 1);
  const TScene z1024 = Scene(kSunDate, kEquatorial, 1024);
  const TScene polar = Scene(kSunDate, kEquatorialPolar, 1024);
  struct Case {
    double S, decDeg;
    const TChartView* View;
    int Minimum, HalfWidth, HalfHeight;
  } cases[] = {
      {20.0, 0.0, &z1024.View, 2, 15, 15},
      {20.0, 60.0, &z1024.View, 2, 31, 15},  // 15.36 / cos 60 = 30.72
      {20.0, 60.0, &polar.View, 3, 18, 18},  // 3.2 * 1024 * 20 / 3600 = 18.2, w = h
  };
  for (const auto& c : cases) {
    const TBodyHalfSize h = BodyHalfSize(c.S, c.decDeg * kDegToRad, *c.View, c.Minimum);
    EXPECT_EQ(h.HalfWidth, c.HalfWidth) << c.S << " " << c.decDeg;
    EXPECT_EQ(h.HalfHeight, c.HalfHeight) << c.S << " " << c.decDeg;
  }
  const auto normal = Bodies(z1);
  const auto atlas = Bodies(Scene(kSunDate, kEquatorial, 1, false, 1));
  ASSERT_NE(Find(normal, kChartJupiter), nullptr);
  EXPECT_EQ(Find(normal, kChartJupiter)->HalfHeight, 2);
  EXPECT_EQ(Find(atlas, kChartJupiter)->HalfHeight, 3);
  EXPECT_EQ(Find(normal, kChartSun)->HalfHeight, 4);  // 16' at 2.7 px/deg: below the minimum
  EXPECT_EQ(Find(atlas, kChartSun)->HalfHeight, 5);
}

TEST(ChartBodiesColour, OutlinesByModeAndZoom) {
  const TScene z1 = Scene(kSunDate, kEquatorial, 1);
  const TScene z8 = Scene(kSunDate, kEquatorial, 8);
  const TScene whole = Scene(kSunDate, kEclipticWhole, 8);
  const TRgb yellow{255, 255, 0};
  const TRgb mars{236, 65, 51};
  const TRgb white{255, 255, 255};
  struct Case {
    int Body, Mode;
    const TChartView* View;
    TRgb Fill, Outline;
  } cases[] = {
      {kChartSun, 0, &z8.View, yellow, kChartGrey}, {kChartSun, 0, &whole.View, yellow, yellow},
      {kChartSun, 1, &z1.View, yellow, kChartGrey}, {4, 1, &z1.View, mars, kChartBlack},
      {kChartMoon, 0, &z1.View, white, white},      {kChartMoon, 0, &z8.View, white, kChartGrey},
  };
  for (const auto& c : cases) {
    const TBodyColours got = BodyColours(c.Body, c.Mode, *c.View);
    EXPECT_EQ(got.Fill, c.Fill) << c.Body;
    EXPECT_EQ(got.Outline, c.Outline) << c.Body << " mode " << c.Mode;
  }
}

TEST(ChartBodiesPlace, SunInEquatorialChart) {
  const TScene s = Scene(kSunDate, kEquatorial, 8);
  const auto bodies = Bodies(s);
  const TChartBody* sun = Find(bodies, kChartSun);
  ASSERT_NE(sun, nullptr);
  const double ra = 15.0 * (13.0 + 13.0 / 60.0 + 31.4 / 3600.0);
  const double dec = -(7.0 + 47.0 / 60.0 + 6.0 / 3600.0);
  EXPECT_NEAR(sun->X, 498.0 + (360.0 - ra - 180.0) * 21.6, 1.0);  // 100.97
  EXPECT_NEAR(sun->Y, 342.5 - dec * 21.6, 1.0);                   // 510.66
  EXPECT_TRUE(sun->Visible);
  EXPECT_EQ(sun->Label, "Solen");
  EXPECT_EQ(sun->LabelX, sun->X - 12);  // round(2.5 * 5) = 12, ties to even
  EXPECT_EQ(sun->LabelY, sun->Y - 15);
  EXPECT_EQ(sun->SideX, -100);

  // At zoom 1024 the Sun lies far left of the window: not visible, no readout.
  const auto zoomed = Bodies(Scene(kSunDate, kEquatorial, 1024));
  const TChartBody* far = Find(zoomed, kChartSun);
  ASSERT_NE(far, nullptr);
  EXPECT_FALSE(far->Visible);
  EXPECT_TRUE(far->Line1.empty());
}

TEST(ChartBodiesSet, MoonEarthAndMoonsByChoice) {
  const struct {
    int System, ShowMoons;
    bool Earth, Moon, Io;
  } cases[] = {{kEquatorial, 1, false, true, false},
               {kEclipticWhole, 1, true, true, true},
               {kEclipticWhole, 0, true, false, false}};
  for (const auto& c : cases) {
    TScene s = Scene(kSunDate, c.System, 1);
    s.State.ShowMoons = c.ShowMoons;
    const auto bodies = Bodies(s);
    EXPECT_EQ(std::tuple(Find(bodies, kChartEarth) != nullptr, Find(bodies, kChartMoon) != nullptr,
                         Find(bodies, kChartIo) != nullptr),
              std::tuple(c.Earth, c.Moon, c.Io))
        << c.System << c.ShowMoons;
  }
  TScene off = Scene(kSunDate, kEquatorial, 1);
  off.State.ShowSunPlanets = 0;
  EXPECT_TRUE(Bodies(off).empty());
  EXPECT_TRUE(ChartMajorBodies(Scene(kSunDate, kEquatorial, 1).State, {}, {},
                               testing::DataFolder() / "missing")
                  .empty());
}

TEST(ChartBodiesWholeSky, RadiiAndPositions) {
  EXPECT_EQ(WholeSkyBodyRadius(kChartJupiter, 1), 3);
  EXPECT_EQ(WholeSkyBodyRadius(kChartJupiter, 4096), 13);  // round(4096 / 326) = round(12.56)
  EXPECT_EQ(WholeSkyBodyRadius(kChartPluto, 262144), 13);  // round(262144 / 20693) = 12.67

  const auto bodies = Bodies(Scene(kSunDate, kEclipticWhole, 32));
  const TChartBody* sun = Find(bodies, kChartSun);
  const TChartBody* earth = Find(bodies, kChartEarth);
  ASSERT_NE(sun, nullptr);
  ASSERT_NE(earth, nullptr);
  EXPECT_EQ(sun->X, 354);
  EXPECT_EQ(sun->Y, 348);
  EXPECT_EQ(sun->SideX, 860);
  const double scale = 6.4 * 32;
  const double l = 19.907372 * kDegToRad;
  EXPECT_NEAR(earth->X, 354 + 0.99760775 * std::cos(l) * scale, 1.0);
  EXPECT_NEAR(earth->Y, 348 - 0.99760775 * std::sin(l) * scale, 1.0);
  EXPECT_EQ(earth->SideX, 860);
  EXPECT_TRUE(earth->Visible && earth->SideVisible);
  EXPECT_EQ(Find(Bodies(Scene(kSunDate, kEclipticWhole, 1)), kChartJupiter)->HalfHeight, 3);
  const TChartBody* io = Find(bodies, kChartIo);
  ASSERT_NE(io, nullptr);
  EXPECT_EQ(io->LabelColour, kMoonsLabelColour);
}

TEST(ChartBodiesReadout, FieldsFitAndCarryTheirLabels) {
  const auto bodies = Bodies(Scene(2447240.5, kEquatorial, 1, true));  // 1988 March 20, Boston

  struct Case {
    int Body;
    std::vector<std::string> Labels;  // in the order of the fields
  } cases[] = {
      {kChartSun, {"Delta=", "lambda=", "R.A.=", "Az =", "PV,axel=", "B0=", "L0=", "Diameter="}},
      {4, {"a.e.", "lambda=", "R.A.=", "Alt=", "Om =", "DS=", "Belyst del=", "Diameter="}},
      {kChartJupiter, {"L=", "beta=", "Dekl=", "Az =", "DE=", "Om2=", "Magnitud=", "Poldiam.="}},
      {6, {"B=", "lambda=", "R.A.=", "Az =", "Bd=", "C=", "b-axel=", "Poldiam.="}},
      {kChartMoon,
       {"delta=", "R.A.=", "Az =", "Delta=", "PV,bel=", "Geo-diam =", "Topo-diam=", "Belyst del=",
        "PV,axel=", "l=", "ld=", "ldd=", "bdd="}},
  };
  for (const auto& c : cases) {
    const TChartBody* b = Find(bodies, c.Body);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->Visible) << b->Name;
    const std::pair<const std::string*, std::size_t> fields[] = {{&b->Line1, 50}, {&b->Line2, 25},
                                                                 {&b->Line3, 25}, {&b->Line4, 30},
                                                                 {&b->Line5, 60}, {&b->Right, 130}};
    for (const auto& [text, most] : fields) EXPECT_LE(Chars(*text), most) << *text;
    const std::string all = b->Line1 + "|" + b->Line2 + "|" + b->Line3 + "|" + b->Line4 + "|" +
                            b->Line5 + "|" + b->Right;
    std::size_t at = 0;
    for (const auto& label : c.Labels) {
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

}  // namespace
}  // namespace himlavy
