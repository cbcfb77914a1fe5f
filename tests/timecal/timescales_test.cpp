// Calendar and time-scale routines against Meeus, Astronomical Algorithms (1st ed.), the worked
// examples of chapters 7, 8, 11 and 27, and Montenbruck & Pfleger's MJD conventions.
#include "timecal/timescales.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/basic.h"

namespace himlavy {
namespace {

TEST(JulianDay, MeeusExamplesBothWays) {
  struct Case {
    int year, month;
    double day, jd;
  };
  // Meeus ch. 7: examples 7.a, 7.b, 7.c and the table of test dates.
  const Case cases[] = {
      {1957, 10, 4.81, 2436116.31}, {333, 1, 27.5, 1842713.0},    {2000, 1, 1.5, 2451545.0},
      {1987, 6, 19.5, 2446966.0},   {1988, 1, 27.0, 2447187.5},   {1900, 1, 1.0, 2415020.5},
      {1600, 12, 31.0, 2305812.5},  {837, 4, 10.3, 2026871.8},    {-1000, 2, 29.0, 1355866.5},
      {-1001, 8, 17.9, 1355671.4},  {-584, 5, 28.63, 1507900.13}, {-4712, 1, 1.5, 0.0},
      {1582, 10, 15.0, 2299160.5},  {1582, 10, 4.0, 2299159.5},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(JulianDay(c.year, c.month, c.day), c.jd, 1e-6) << c.year << "-" << c.month;
    const TCalDate d = CalendarDate(c.jd);
    EXPECT_EQ(d.Year, c.year) << c.jd;
    EXPECT_EQ(d.Month, c.month) << c.jd;
    EXPECT_NEAR(d.Day, c.day, 1e-6) << c.jd;
  }
  // Dates inside the reform's gap carry the Gregorian correction, and a fractional 4th already
  // does; with a clock time the day field alone decides (1582-10-04 18:00 is still Julian).
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 10.0), 2299155.5);
  EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 4.5), 2299150.0);
  EXPECT_DOUBLE_EQ(JulianDayTime({1582, 10, 4.0, 18, 0, 0.0}), 2299160.25);
  EXPECT_NEAR(JulianDayTime({1987, 4, 10.0, 19, 21, 0.0}), 2446896.30625, 1e-9);
}

TEST(CalendarDate, DateTimeSplitsWithoutRounding) {
  const TCalDateTime t = CalendarDateTime(2451545.25);
  EXPECT_EQ(t.Day, 1.0);
  EXPECT_EQ(t.Hour, 18);
  EXPECT_EQ(t.Minute, 0);
  // A hair before 12:31 gives minute 30 and 59.99... seconds, never a carried 60.
  const TCalDateTime hair = CalendarDateTime(2451545.0 + 31.0 / 1440.0 - 1e-9);
  EXPECT_EQ(hair.Minute, 30);
  EXPECT_GT(hair.Second, 59.9);
  EXPECT_LT(hair.Second, 60.0);
  const TCalDateTime dayOnly = CalendarDayOnly(2451545.75);
  EXPECT_EQ(dayOnly.Day, 2.0);
  EXPECT_EQ(dayOnly.Hour, 0);
  EXPECT_EQ(dayOnly.Second, 0.0);
  // A damaged parameter file may give any moment; the conversions must stay defined.
  for (const double jd : {1e300, -1e300, 1e15, std::nan("")}) {
    (void)CalendarDateTime(jd);
    (void)WeekdayOf(jd);
  }
}

TEST(CalendarDate, WeekdayDayOfYearAndJanuaryZero) {
  EXPECT_EQ(WeekdayOf(2434923.5), 3);  // Meeus ex. 7.e: 1954 June 30 was a Wednesday
  EXPECT_EQ(kWeekdayNames[WeekdayOf(2451545.0) - 1], "Lördag");  // 2000 January 1
  EXPECT_EQ(WeekdayOf(2451545.4999), 6);                         // the civil day runs to midnight
  EXPECT_EQ(WeekdayOf(2451545.5), 7);
  EXPECT_EQ(WeekdayOf(2299160.5), 5);  // 1582 October 15 was a Friday

  EXPECT_EQ(DayOfYear({1978, 11, 14.0}), 318);  // Meeus ex. 7.f
  EXPECT_EQ(DayOfYear({1988, 4, 22.0}), 113);   // Meeus ex. 7.g
  EXPECT_EQ(DayOfYear({1900, 3, 1.0}), 60);     // 1900 is no Gregorian leap year
  EXPECT_EQ(DayOfYear({2000, 3, 1.0}), 61);
  EXPECT_EQ(DayOfYear({1500, 3, 1.0}), 61);  // Julian leap year

  EXPECT_DOUBLE_EQ(JDJanuary0(2000), 2451543.5);
  // Years 0 and before: the day before 1 January too (truncating 365.25 y would be a day late).
  for (const int year : {1583, 1000, 0, -1, -4, -100, -4711}) {
    EXPECT_DOUBLE_EQ(JDJanuary0(year), JulianDay(year, 1, 0.0)) << year;
  }
}

TEST(Easter, GregorianAndJulian) {
  struct Case {
    int year, month, day;
  };
  // Meeus ch. 8 and the published dates of Easter Sunday.
  const Case cases[] = {{1991, 3, 31}, {1992, 4, 19}, {1954, 4, 18}, {2000, 4, 23},
                        {1818, 3, 22}, {2285, 3, 22}, {2038, 4, 25}, {1583, 4, 10},
                        {2024, 3, 31}, {179, 4, 12},  {711, 4, 12},  {1500, 4, 19}};
  for (const auto& c : cases) {
    const TMonthDay easter = EasterSunday(c.year);
    EXPECT_EQ(easter.Month, c.month) << c.year;
    EXPECT_EQ(easter.Day, c.day) << c.year;
  }
}

TEST(DeltaT, TableEndsAndPolynomials) {
  // Meeus 1st ed. ch. 9: the table (1990: 58.0 s; the published -10.1 s of 1878), its last
  // interval carried to 2000, and the polynomials after 2000 and before 1620.
  const auto at = [](double year) { return DeltaT((year - 2000.0) / 100.0); };
  EXPECT_NEAR(at(1990.0), 58.0, 1e-6);
  EXPECT_NEAR(at(2000.0), 63.5, 1e-6);
  EXPECT_NEAR(at(1879.0), (-10.1 - 5.2) / 2.0, 1e-9);
  EXPECT_NEAR(at(2100.0), 102.3 + 123.5 + 32.5, 1e-9);
  EXPECT_NEAR(at(1619.99), 50.6 + 67.5 * -3.8001 + 22.5 * 3.8001 * 3.8001, 1e-6);
  EXPECT_NEAR(at(947.0), 2715.6 + 573.36 * -10.53 + 46.5 * 10.53 * 10.53, 1e-6);
}

TEST(SiderealTime, MeeusExamples) {
  const auto hours = [](double rad) { return rad * 12.0 / kPi; };
  const double ex11b = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
  // Meeus ex. 11.a: 1987 April 10, 0h UT: 13h10m46.3668s; ex. 11.b: at 19h21m UT, 8h34m57.0896s.
  EXPECT_NEAR(hours(GreenwichSiderealTime(JulianCenturies(2446895.5))),
              13.0 + 10.0 / 60.0 + 46.3668 / 3600.0, 1e-7);
  EXPECT_NEAR(hours(GreenwichSiderealTime(JulianCenturies(2446896.30625))), ex11b, 1e-7);
  // Montenbruck & Pfleger's local sidereal time agrees (longitude positive west).
  EXPECT_NEAR(LocalSiderealTime(46895.80625, 0.0), ex11b, 2e-6);
  EXPECT_NEAR(LocalSiderealTime(46895.80625, -15.0 * 20.0), ex11b - 4.0, 2e-6);
}

TEST(EquationOfTime, MeeusExample) {
  // Meeus 1st ed. ex. 27.a: 1992 October 13.0 TD, alpha = 198.378178 deg, dpsi = 15.908",
  // eps = 23.440229 deg: E = 3.427351 deg (13m42.6s).
  const double deg = kPi / 180.0;
  const double t = JulianCenturies(2448908.5);
  const double e = EquationOfTime(15.908 / 3600.0 * deg, 23.440229 * deg, 198.378178 * deg, t);
  EXPECT_NEAR(e / deg, 3.427351, 2e-5);
  // Far from the mean the value is reduced into -pi..pi.
  const double wrapped = EquationOfTime(0.0, 0.0, 198.378178 * deg + 2.0 * kPi, t);
  EXPECT_NEAR(wrapped / deg, 3.427351 - 15.908 / 3600.0 * std::cos(23.440229 * deg), 2e-5);
}

TEST(ModifiedJulianDay, MontenbruckPfleger) {
  EXPECT_DOUBLE_EQ(CalendarToMjd(1, 1, 2000, 12.0), 51544.5);
  EXPECT_DOUBLE_EQ(CalendarToMjd(17, 11, 1858, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(CalendarToMjd(4, 10, 1582, 0.0), 2299159.5 - kMjdOffset);
  EXPECT_DOUBLE_EQ(CalendarToMjd(15, 10, 1582, 0.0), 2299160.5 - kMjdOffset);
  EXPECT_DOUBLE_EQ(CalendarToMjd(27, 1, 333, 12.0), 1842713.0 - kMjdOffset);

  const TMjdDate d = MjdToCalendar(51544.75);
  EXPECT_EQ(d.Year, 2000);
  EXPECT_EQ(d.Day, 1);
  EXPECT_NEAR(d.Hour, 18.0, 1e-6);
  const TMjdDate julian = MjdToCalendar(2299159.5 - kMjdOffset);
  EXPECT_EQ(julian.Month, 10);
  EXPECT_EQ(julian.Day, 4);
  EXPECT_DOUBLE_EQ(FracPositive(-2.25), 0.75);
}

}  // namespace
}  // namespace himlavy
