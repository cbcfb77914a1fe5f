// Calendar and time scales: Meeus AA1 chapters 7, 8, 11, 27; Montenbruck & Pfleger's MJD.
#include "base/timescales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "base/basic.h"
#include "base/obs_state.h"

namespace himlavy {
namespace {
TEST(JulianDay, MeeusExamplesBothWays) {
  // Meeus ch. 7: examples 7.a, 7.b, 7.c and the table of test dates; the reform's two days.
  const std::tuple<int, int, double, double> cases[] = {
      {1957, 10, 4.81, 2436116.31}, {333, 1, 27.5, 1842713.0}, {2000, 1, 1.5, 2451545.0},
      {-1000, 2, 29.0, 1355866.5},  {-4712, 1, 1.5, 0.0},      {1582, 10, 15.0, 2299160.5},
      {1582, 10, 4.0, 2299159.5}};
  for (const auto& [year, month, day, jd] : cases) {
    EXPECT_NEAR(JulianDay(year, month, day), jd, 1e-6) << year << "-" << month;
    const TCalDate d = CalendarDate(jd);
    EXPECT_EQ(std::tuple(d.Year, d.Month), std::tuple(year, month)) << jd;
    EXPECT_NEAR(d.Day, day, 1e-6) << jd;
  }
  // Dates inside the reform's gap carry the Gregorian correction, and a fractional 4th already
  // does; with a clock time the day field alone decides (1582-10-04 18:00 is still Julian).
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 10.0), 2299155.5);
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 4.5), 2299150.0);
  EXPECT_DOUBLE_EQ(JulianDayTime({1582, 10, 4.0, 18, 0, 0.0}), 2299160.25);
}
TEST(CalendarDate, DateTimeSplitsWithoutRoundingWeekdayDayOfYearAndJanuaryZero) {
  const TCalDateTime t = CalendarDateTime(2451545.25);
  EXPECT_EQ(std::tuple(t.Day, t.Hour, t.Minute), std::tuple(1.0, 18, 0));
  const TCalDateTime hair = CalendarDateTime(2451545.0 + 31.0 / 1440.0 - 1e-9);
  EXPECT_EQ(hair.Minute, 30);
  EXPECT_GT(hair.Second, 59.9);
  EXPECT_LT(hair.Second, 60.0);
  const TCalDateTime dayOnly = CalendarDayOnly(2451545.75);
  EXPECT_EQ(std::tuple(dayOnly.Day, dayOnly.Hour), std::tuple(2.0, 0));
  // A damaged parameter file may give any moment; the conversions must stay defined.
  for (const double jd : {1e300, -1e300, std::nan("")}) {
    (void)CalendarDateTime(jd);
    (void)WeekdayOf(jd);
  }
  // Weekdays, days of the year and the day before 1 January.
  EXPECT_EQ(WeekdayOf(2434923.5), 3);  // Meeus ex. 7.e: 1954 June 30 was a Wednesday
  EXPECT_EQ(kWeekdayNames[WeekdayOf(2451544.5) - 1], "Lördag");  // 2000 January 1
  // The civil day runs to midnight.
  EXPECT_EQ(std::tuple(WeekdayOf(2451545.4999), WeekdayOf(2451545.5)), std::tuple(6, 7));
  // Meeus ex. 7.f; 1900 is no Gregorian leap year, 1500 a Julian one; 1582: 4 October (Julian)
  // was followed by 15 October (Gregorian), and the year had 355 days.
  const std::tuple<int, int, double, int> days[] = {{1978, 11, 14.0, 318}, {1900, 3, 1.0, 60},
                                                    {1500, 3, 1.0, 61},    {1582, 10, 4.0, 277},
                                                    {1582, 10, 15.0, 278}, {1582, 12, 31.0, 355}};
  for (const auto& [year, month, day, n] : days)
    EXPECT_EQ(DayOfYear({year, month, day}), n) << year;
  EXPECT_DOUBLE_EQ(JDJanuary0(2000), 2451543.5);
  // Years 0 and before: the day before 1 January too (truncating 365.25 y would be a day late).
  for (const int year : {0, -1, -4, -100})
    EXPECT_DOUBLE_EQ(JDJanuary0(year), JulianDay(year, 1, 0.0)) << year;
}
TEST(Easter, GregorianAndJulian) {
  // Meeus ch. 8 and the published dates of Easter Sunday; 179 and 1500 by the Julian computus.
  const std::tuple<int, int, int> cases[] = {{1991, 3, 31}, {2000, 4, 23}, {1818, 3, 22},
                                             {2038, 4, 25}, {1583, 4, 10}, {179, 4, 12},
                                             {1500, 4, 19}};
  for (const auto& [year, month, day] : cases) {
    const TMonthDay easter = EasterSunday(year);
    EXPECT_EQ(std::tuple(easter.Month, easter.Day), std::tuple(month, day)) << year;
  }
}
TEST(DeltaT, TableEndsAndPolynomials) {
  // Meeus 1st ed. ch. 9: the table (1620: 124 s; 1990: 58.0 s; the published -10.1 s of 1878),
  // its last interval carried to 2000, and the polynomials after 2000 and before 1620.
  const auto at = [](double year) { return DeltaT((year - 2000.0) / 100.0); };
  EXPECT_NEAR(at(1620.0), 124.0, 1e-6);
  EXPECT_NEAR(at(1990.0), 58.0, 1e-6);
  EXPECT_NEAR(at(2000.0), 63.5, 1e-6);
  EXPECT_NEAR(at(2000.01), 102.3, 0.02);
  EXPECT_NEAR(at(1879.0), (-10.1 - 5.2) / 2.0, 1e-9);
  EXPECT_NEAR(at(947.0), 2715.6 + 573.36 * -10.53 + 46.5 * 10.53 * 10.53, 1e-6);
}
TEST(SiderealTime, MeeusExamples) {
  const double ex11b = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
  // Meeus ex. 11.b: 1987 April 10, 19h21m UT, 8h34m57.0896s; Montenbruck & Pfleger's local
  // sidereal time agrees (longitude positive west). Greenwich sidereal time: the apparent local
  // sidereal time of pipeline_reference_test.cpp.
  EXPECT_NEAR(LocalSiderealTime(46895.80625, -15.0 * 20.0), ex11b - 4.0, 2e-6);
}
TEST(EquationOfTime, MeeusExample) {
  // Meeus 1st ed. ex. 27.a: 1992 October 13.0 TD, alpha = 198.378178 deg, dpsi = 15.908",
  // eps = 23.440229 deg: E = 3.427351 deg (13m42.6s).
  const double deg = kPi / 180.0;
  const double t = JulianCenturies(2448908.5);
  const double e = EquationOfTime(15.908 / 3600.0 * deg, 23.440229 * deg, 198.378178 * deg, t);
  EXPECT_NEAR(e / deg, 3.427351, 2e-5);
}
TEST(ModifiedJulianDay, MontenbruckPfleger) {
  EXPECT_DOUBLE_EQ(CalendarToMjd(1, 1, 2000, 12.0), 51544.5);
  EXPECT_DOUBLE_EQ(CalendarToMjd(17, 11, 1858, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(CalendarToMjd(15, 10, 1582, 0.0), 2299160.5 - kMjdOffset);
  const TMjdDate d = MjdToCalendar(51544.75);
  EXPECT_EQ(std::tuple(d.Year, d.Day), std::tuple(2000, 1));
  EXPECT_NEAR(d.Hour, 18.0, 1e-6);
  const TMjdDate julian = MjdToCalendar(2299159.5 - kMjdOffset);
  EXPECT_EQ(std::tuple(julian.Month, julian.Day), std::tuple(10, 4));
  EXPECT_DOUBLE_EQ(FracPositive(-2.25), 0.75);
}
// The observation state: deriving the moment, the increment tick, the redraw flags.
TEST(DeriveTimes, ClockReadInZoneAndScale) {
  TObsState s{.ClockJD = 2451545.0, .TimeZone = 1.0, .TimeScale = 1};  // TDT; delta T 63.5 s
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
  TObsState s{.ClockJD = 1000.0, .StepDays = -36524.219};  // "100 år" backwards
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
// Increment steps: unclamped, exact up and down, every flag but the map's and its own raised.
TEST(StepMoment, UnclampedExactAndRaisesTheMomentFlags) {
  for (const double jd : {0.0, 1507900.13, 5373484.5}) {
    for (const double step : kMomentSteps) {
      TObsState s{.ClockJD = jd};
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
