// Time scales and calendar arithmetic.
//
// Every moment in the program is a Julian day (JD) held as a double. These routines convert
// between calendar dates and Julian days, give weekdays, days of the year, Easter, delta T,
// sidereal time and the equation of time (J. Meeus, Astronomical Algorithms, 1st ed., 1991,
// chapters 7, 8, 9, 11 and 27), and a second group in modified Julian days for the eclipse and
// orbit computations (O. Montenbruck & T. Pfleger, Astronomy on the Personal Computer).
//
// Years are astronomical (year 0 is 1 BC). The Julian calendar is used before the Gregorian
// reform and the Gregorian after it; the exact switch is stated per routine. All routines are
// pure functions.
#pragma once

#include <array>
#include <string_view>

namespace himlavy {

inline constexpr double kJ2000 = 2451545.0;  // JD of 2000 January 1.5 TT
inline constexpr double kDaysPerCentury = 36525.0;
inline constexpr double kMjdOffset = 2400000.5;   // MJD = JD - kMjdOffset
inline constexpr double kMaxClockJD = 5373484.5;  // the latest moment the program accepts

// A calendar date; Day may carry a fraction of a day.
struct TCalDate {
  int Year = 0;
  int Month = 0;
  double Day = 0.0;
};

// A calendar date and clock time.
struct TCalDateTime {
  int Year = 0;
  int Month = 0;
  double Day = 0.0;
  int Hour = 0;
  int Minute = 0;
  double Second = 0.0;
};

// Month and day of a date within a known year (Easter).
struct TMonthDay {
  int Month = 0;
  int Day = 0;
};

// A date and hour as the Montenbruck & Pfleger routines pass them.
struct TMjdDate {
  int Day = 0;
  int Month = 0;
  int Year = 0;
  double Hour = 0.0;
};

// Swedish weekday names indexed by weekday number - 1 (1 = Monday).
inline constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Måndag", "Tisdag", "Onsdag", "Torsdag", "Fredag", "Lördag", "Söndag"};

// The delta T table: tenths of a second at two-year steps 1620, 1622, ..., 1990.
extern const std::array<int, 186> kDeltaTTable;

// JD of a calendar date (Meeus ch. 7). The Gregorian correction applies from 1582 October 15;
// the test uses the day field itself, so 1582-10-04.5 already counts as Gregorian.
double JulianDay(const TCalDate& date);
double JulianDay(int year, int month, double day);

// JD of a calendar date and clock time. The time of day does not enter the calendar test.
double JulianDayTime(const TCalDateTime& dt);

// Julian centuries from J2000.0: T = (JD - 2451545) / 36525.
double JulianCenturies(double jd);

// JD of January 0.0 of a year (Meeus ch. 7); Julian-calendar value for years before 1583.
double JDJanuary0(int year);

// Weekday number 1..7 (1 = Monday) of the civil day containing jd.
int WeekdayOf(double jd);

// The weekday name of a weekday number, any integer taken modulo 7 (1 = "Måndag").
std::string_view WeekdayName(int weekday);

// Day number within the year, 1..366 (Meeus ch. 7). Julian leap years before 1583; in 1582 the
// days after 4 October count without the ten days the Gregorian reform dropped (31 December
// is day 355).
int DayOfYear(const TCalDate& date);

// True for a leap year: Julian rule before 1583, Gregorian from 1583.
bool IsLeapYear(int year);

// Delta T = TT - UT in seconds at T Julian centuries from J2000.0: the table for 1620..2000
// (linearly extrapolated from its last interval up to 2000), and the polynomials of Meeus
// (1st ed., ch. 9) outside it.
double DeltaT(double t);

// Month and day of Easter Sunday: Gregorian from 1583, Julian before (Meeus ch. 8).
TMonthDay EasterSunday(int year);

// Calendar date with fractional day of a JD (Meeus ch. 7); Gregorian from JD 2299160.5.
TCalDate CalendarDate(double jd);

// Year, month, whole day, hour, minute and second of a JD. No rounding is applied: a moment
// a hair before a whole minute gives the lower minute and 59.99... seconds.
TCalDateTime CalendarDateTime(double jd);

// Year, month and whole day of a JD; the time fields are zero.
TCalDateTime CalendarDayOnly(double jd);

// Greenwich mean sidereal time in radians, 0 <= theta < 2 pi, for T in Julian centuries of UT
// (Meeus 1st ed., eq. 11.4).
double GreenwichSiderealTime(double t);

// Equation of time in radians, -pi..pi (Meeus 1st ed., ch. 27): the Sun's mean longitude minus
// its apparent right ascension alpha, with nutation in longitude dpsi and obliquity eps
// (all radians) at T Julian centuries TT.
double EquationOfTime(double dpsi, double eps, double alpha, double t);

// Calendar date and hour of a modified Julian day (Montenbruck & Pfleger, CALDAT).
TMjdDate MjdToCalendar(double mjd);

// Modified Julian day of a date and hour (Montenbruck & Pfleger, MJD); Julian calendar up to
// 1582 October 4.
double CalendarToMjd(int day, int month, int year, double hour);

// Local mean sidereal time in hours, 0 <= t < 24, at a UT modified Julian day for a longitude
// in degrees, positive WEST (Montenbruck & Pfleger, LMST).
double LocalSiderealTime(double mjd, double lambdaWest);

// x - INT(x), plus 1 when that is negative (Montenbruck & Pfleger, FRAC).
double FracPositive(double x);

}  // namespace himlavy
