// The observation state: deriving the moment, the increment tick, the redraw flags.
#include "base/obs_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace himlavy {
namespace {

TEST(DeriveTimes, ClockReadInZoneAndScale) {
  TObsState s;
  s.ClockJD = 2451545.0;  // y = 2000.0: delta T = 63.5 s
  s.TimeZone = 1.0;
  s.TimeScale = kTimeScaleTdt;
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_TT, 2451544.958333333, 1e-9);
  EXPECT_NEAR(s.JD_UT, s.JD_TT - 63.5 / 86400.0, 1e-9);
  s.TimeScale = kTimeScaleUtc;
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_UT, 2451544.958333333, 1e-9);
  EXPECT_NEAR(s.JD_TT, s.JD_UT + 63.5 / 86400.0, 1e-9);
  // Delta T at the clock reading, not at the UT moment across 2000.0 (102.3 s there).
  s.TimeZone = -12.0;
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_UT, 2451545.5, 1e-9);
  EXPECT_NEAR((s.JD_TT - s.JD_UT) * 86400.0, 63.5, 1e-4);
}

TEST(IncrementTick, StopsRunsAndClampsToTheRange) {
  TObsState s;
  s.ClockJD = 1000.0;
  s.StepDays = -36524.219;  // "100 år" backwards
  IncrementTick(s);
  EXPECT_EQ(s.ClockJD, 1000.0) << "stopped";
  s.IncrementOn = 1;
  IncrementTick(s);
  EXPECT_EQ(s.ClockJD, 0.0);
  EXPECT_NEAR(s.JD_UT, 0.0, 1e-12);
  s.ClockJD = 5373484.5 - 10.0;
  s.StepDays = 36524.219;
  IncrementTick(s);
  EXPECT_EQ(s.ClockJD, 5373484.5);
  EXPECT_GT(s.JD_TT, s.JD_UT) << "derived again after clamping";
  for (const auto flag : kRedrawFlags) EXPECT_EQ(s.*flag, 0) << "a tick raises no flag";

  s.RealTime = 1;
  IncrementTick(s, [] { return TCalDateTime{2000, 1, 1.0, 12, 0, 0.0}; });
  EXPECT_DOUBLE_EQ(s.ClockJD, 2451545.0);
  EXPECT_EQ(s.StepDays, 36524.219);
}

TEST(RedrawFlags, RaiseAllSetsNineteenDistinctFlags) {
  TObsState s;
  std::set<const int*> fields;
  for (const auto flag : kRedrawFlags) fields.insert(&(s.*flag));
  EXPECT_EQ(fields.size(), 19u);
  RaiseAllRedrawFlags(s);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(s.*flag, 1);
}

TEST(ComputerClock, ReadsLocalTimeToTheSecond) {
  TObsState s;
  SetMomentFromComputerClock(s);
  EXPECT_GT(s.ClockJD, 2460000.5);
  const double seconds = (s.ClockJD - std::floor(s.ClockJD)) * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3) << "milliseconds are dropped";
  EXPECT_NEAR(s.JD_UT, s.ClockJD, 1e-9);
}

// The increment window's steps: no clamping, up then down exact, every flag but the Earth
// map's and the increment window's own raised.
TEST(StepMoment, UnclampedExactAndRaisesTheMomentFlags) {
  for (const double jd : {0.0, 1507900.13, 5373484.5}) {
    for (const double step : kMomentSteps) {
      TObsState s;
      s.ClockJD = jd;
      StepMoment(s, -step);
      EXPECT_EQ(s.ClockJD, jd - step);
      StepMoment(s, step);
      EXPECT_EQ(s.ClockJD, jd) << "JD " << jd << " step " << step;
      EXPECT_NEAR(s.JD_UT, jd, 1e-9);
      for (const auto flag : kRedrawFlags) {
        EXPECT_EQ(s.*flag,
                  flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawIncrement ? 1 : 0);
      }
    }
  }
}

}  // namespace
}  // namespace himlavy
