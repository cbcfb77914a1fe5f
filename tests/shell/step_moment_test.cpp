// Stepping the moment by calendar amounts, as the increment window does.
#include <gtest/gtest.h>

#include <string>

#include "shell/obs_state.h"

namespace himlavy {
namespace {

// The six steps as the window's labels name them, in days.
TEST(StepMoment, TheSixSteps) {
  struct Case {
    const char* Label;
    double Days;
  };
  const Case cases[] = {{"År", 365.24219},   {"Mån", 30.4375},      {"Dag", 1.0},
                        {"Tim", 1.0 / 24.0}, {"Min", 1.0 / 1440.0}, {"Sek", 1.0 / 86400.0}};
  ASSERT_EQ(std::size(cases), kMomentSteps.size());
  for (std::size_t i = 0; i < kMomentSteps.size(); ++i) {
    EXPECT_EQ(kMomentSteps[i], cases[i].Days) << cases[i].Label;

    TObsState s;
    s.ClockJD = 2451545.0;
    s.TimeZone = 2.0;
    StepMoment(s, cases[i].Days);
    EXPECT_EQ(s.ClockJD, 2451545.0 + cases[i].Days) << cases[i].Label;
    // JD_UT and JD_TT follow the new clock reading (zone 2 h east, scale UTC).
    EXPECT_NEAR(s.JD_UT, 2451545.0 + cases[i].Days - 2.0 / 24.0, 1e-9) << cases[i].Label;
    EXPECT_GT(s.JD_TT, s.JD_UT) << cases[i].Label;
  }
}

// "År" up then "År" down returns ClockJD to the very same value, wherever the moment is.
TEST(StepMoment, UpThenDownReturnsExactly) {
  const double moments[] = {0.0, 100.25, 1507900.13, 2451545.0, 2460000.123456789, 5373484.5};
  for (const double jd : moments) {
    for (const double step : kMomentSteps) {
      TObsState s;
      s.ClockJD = jd;
      StepMoment(s, step);
      StepMoment(s, -step);
      EXPECT_EQ(s.ClockJD, jd) << "JD " << jd << " step " << step;
    }
  }
}

// Unlike the increment tick, a step is not clamped to 0..5373484.5.
TEST(StepMoment, NoClamping) {
  TObsState s;
  s.ClockJD = 0.5;
  s.TimeScale = 1;  // the clock reads TDT
  StepMoment(s, -1.0);
  EXPECT_EQ(s.ClockJD, -0.5);
  EXPECT_EQ(s.JD_TT, -0.5);
  EXPECT_LT(s.JD_UT, s.JD_TT);

  s.ClockJD = kMaxClockJD;
  StepMoment(s, 365.24219);
  EXPECT_EQ(s.ClockJD, 5373484.5 + 365.24219);
}

// Every window that shows the moment is told to recompute; the Earth map and the increment
// window itself are not.
TEST(StepMoment, RaisesTheFlagsOfTheMomentWindows) {
  TObsState s;
  s.ClockJD = 2451545.0;
  StepMoment(s, 1.0);
  const std::pair<const char*, int TObsState::*> raised[] = {
      {"RedrawChart", &TObsState::RedrawChart},
      {"RedrawJupMoons", &TObsState::RedrawJupMoons},
      {"RedrawSolarEcl", &TObsState::RedrawSolarEcl},
      {"RedrawLunarEcl", &TObsState::RedrawLunarEcl},
      {"RedrawSunPos", &TObsState::RedrawSunPos},
      {"RedrawDayNight", &TObsState::RedrawDayNight},
      {"RedrawMercury", &TObsState::RedrawMercury},
      {"RedrawVenus", &TObsState::RedrawVenus},
      {"RedrawMars", &TObsState::RedrawMars},
      {"RedrawJupiter", &TObsState::RedrawJupiter},
      {"RedrawSaturn", &TObsState::RedrawSaturn},
      {"RedrawMoon", &TObsState::RedrawMoon},
      {"RedrawCalendar", &TObsState::RedrawCalendar},
      {"RedrawAlmanac", &TObsState::RedrawAlmanac},
      {"RedrawHolidays", &TObsState::RedrawHolidays},
      {"RedrawEarthCentre", &TObsState::RedrawEarthCentre},
      {"RedrawJupCentre", &TObsState::RedrawJupCentre},
  };
  for (const auto& [name, flag] : raised) EXPECT_EQ(s.*flag, 1) << name;
  EXPECT_EQ(s.RedrawEarth, 0);
  EXPECT_EQ(s.RedrawIncrement, 0);

  // A flag already raised stays raised; nothing else is touched.
  s.RedrawEarth = 1;
  StepMoment(s, -1.0);
  EXPECT_EQ(s.RedrawEarth, 1);
  EXPECT_EQ(s.IncrementOn, 0);
  EXPECT_EQ(s.StepDays, 0.0);
}

}  // namespace
}  // namespace himlavy
