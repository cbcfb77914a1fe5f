// The observation state: deriving the moment, the increment tick, the redraw flags.
#include "shell/obs_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace himlavy {
namespace {

TEST(DeriveTimes, ClockReadInZoneAndScale) {
  TObsState s;
  s.ClockJD = 2451545.0;  // y = 2000.0: delta T = 63.5 s
  s.TimeZone = 1.0;
  s.TimeScale = 1;  // the clock reads TDT
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_TT, 2451544.958333333, 1e-9);
  EXPECT_NEAR(s.JD_UT, s.JD_TT - 63.5 / 86400.0, 1e-9);

  s.TimeScale = 0;  // the clock reads UTC
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_UT, 2451544.958333333, 1e-9);
  EXPECT_NEAR(s.JD_TT, s.JD_UT + 63.5 / 86400.0, 1e-9);

  // West of Greenwich (zone -5.5) the UT moment is later than the clock reading.
  s.TimeZone = -5.5;
  DeriveTimes(s);
  EXPECT_NEAR(s.JD_UT, 2451545.0 + 5.5 / 24.0, 1e-9);

  // Delta T is taken at the clock reading: a zone that moves the UT moment across 2000.0
  // still uses the table's 63.5 s, not the 102.3 s of the next century.
  s.TimeZone = -12.0;
  DeriveTimes(s);
  EXPECT_NEAR((s.JD_TT - s.JD_UT) * 86400.0, 63.5, 1e-4);
}

TEST(IncrementTick, StepsAndClampsToTheRange) {
  TObsState s;
  s.ClockJD = 1000.0;
  s.StepDays = 36524.219;  // "100 år"
  DeriveTimes(s);

  IncrementTick(s);  // stopped: nothing moves
  EXPECT_EQ(s.ClockJD, 1000.0);

  s.IncrementOn = 1;
  s.StepDays = -36524.219;
  IncrementTick(s);
  EXPECT_EQ(s.ClockJD, 0.0);
  EXPECT_NEAR(s.JD_UT, 0.0, 1e-12);

  s.ClockJD = kMaxClockJD - 10.0;
  s.StepDays = 36524.219;
  IncrementTick(s);
  EXPECT_EQ(s.ClockJD, 5373484.5);
  EXPECT_GT(s.JD_TT, s.JD_UT);  // derived again after clamping

  s.ClockJD = 2451545.0;
  s.StepDays = 0.25;
  IncrementTick(s);
  EXPECT_DOUBLE_EQ(s.ClockJD, 2451545.25);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(s.*flag, 0) << "a tick raises no flag";
}

TEST(IncrementTick, RealTimeReadsTheClock) {
  TObsState s;
  s.IncrementOn = 1;
  s.RealTime = 1;
  s.StepDays = 5.0;
  s.ClockJD = 100.0;
  IncrementTick(s, [] { return TCalDateTime{2000, 1, 1.0, 12, 0, 0.0}; });
  EXPECT_DOUBLE_EQ(s.ClockJD, 2451545.0);
  EXPECT_EQ(s.StepDays, 5.0);
}

TEST(RedrawFlags, RaiseAllSetsNineteenDistinctFlags) {
  // Each entry names its own field: raising one raises no other.
  for (const auto raised : kRedrawFlags) {
    TObsState s;
    s.*raised = 1;
    int count = 0;
    for (const auto flag : kRedrawFlags) count += s.*flag;
    EXPECT_EQ(count, 1);
  }
  TObsState s;
  RaiseAllRedrawFlags(s);
  for (const auto flag : kRedrawFlags) EXPECT_EQ(s.*flag, 1);
}

TEST(StepChoices, RealTimeKeepsTheStepAndOthersMakeItPositive) {
  TObsState s;
  s.StepDays = -7.0;
  ApplyStepChoice(s, kStepChoices[0]);  // " Nu!"
  EXPECT_EQ(s.RealTime, 1);
  EXPECT_EQ(s.StepDays, -7.0);
  EXPECT_EQ(s.StepLabel, " Nu!  ");

  ApplyStepChoice(s, kStepChoices[10]);  // " 1 medelsoldygn"
  EXPECT_EQ(s.RealTime, 0);
  EXPECT_EQ(s.StepDays, 1.00273790935);
  EXPECT_EQ(s.StepLabel, "24h4m");
}

TEST(ComputerClock, ReadsLocalTimeToTheSecond) {
  TObsState s;
  SetMomentFromComputerClock(s);
  EXPECT_GT(s.ClockJD, 2460000.5);  // after 2023
  const double seconds = (s.ClockJD - std::floor(s.ClockJD)) * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3) << "milliseconds are dropped";
  EXPECT_NEAR(s.JD_UT, s.ClockJD, 1e-9);  // zone 0, UTC
}

// Stepping the moment as the increment window does: no clamping to 0..5373484.5, the moment
// derived again, and every window that shows the moment told to recompute, except the Earth
// map and the increment window itself.
TEST(StepMoment, StepsWithoutClampingAndRaisesTheMomentFlags) {
  TObsState s;
  s.ClockJD = 2451545.0;
  s.TimeZone = 2.0;
  StepMoment(s, 1.0 / 24.0);  // "Tim"
  EXPECT_EQ(s.ClockJD, 2451545.0 + 1.0 / 24.0);
  EXPECT_NEAR(s.JD_UT, 2451545.0 - 1.0 / 24.0, 1e-9);
  for (const auto flag : kRedrawFlags) {
    const bool moment = flag != &TObsState::RedrawEarth && flag != &TObsState::RedrawIncrement;
    EXPECT_EQ(s.*flag, moment ? 1 : 0);
  }

  s.ClockJD = 0.5;
  s.TimeZone = 0.0;
  s.TimeScale = 1;  // the clock reads TDT
  StepMoment(s, -1.0);
  EXPECT_EQ(s.ClockJD, -0.5);
  EXPECT_EQ(s.JD_TT, -0.5);
  EXPECT_LT(s.JD_UT, s.JD_TT);
  s.ClockJD = kMaxClockJD;
  StepMoment(s, 365.24219);
  EXPECT_EQ(s.ClockJD, 5373484.5 + 365.24219);
}

// A step up then down returns ClockJD to the very same value, wherever the moment is.
TEST(StepMoment, UpThenDownReturnsExactly) {
  for (const double jd : {0.0, 1507900.13, 2460000.123456789, 5373484.5}) {
    for (const double step : kMomentSteps) {
      TObsState s;
      s.ClockJD = jd;
      StepMoment(s, step);
      StepMoment(s, -step);
      EXPECT_EQ(s.ClockJD, jd) << "JD " << jd << " step " << step;
    }
  }
}

}  // namespace
}  // namespace himlavy
