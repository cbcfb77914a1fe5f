#include "base/timescales.h"

#include <cmath>

#include "base/basic.h"

namespace himlavy {

namespace {

// INT of the descriptions: truncation toward zero, as a double.
double Int(double x) {
  return std::trunc(x);
}

// FRAC(x) = x - INT(x); negative for negative x.
double Frac(double x) {
  return x - std::trunc(x);
}

// A whole double as an int. Moments far outside the program's range (from a damaged file or an
// absurd time zone) must not overflow the conversion, so the value is clamped (NaN gives 0).
int ToInt(double x) {
  if (!(x == x)) return 0;
  if (x > 2147483647.0) return 2147483647;
  if (x < -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(x);
}

}  // namespace

// Tenths of a second, 1620..1990 in two-year steps. The entry for 1878 is -101 as published.
const std::array<int, 186> kDeltaTTable = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650,   // 1620
    620,  580,  550,  530, 500, 480, 460, 440, 420, 400,   // 1640
    370,  350,  330,  310, 280, 260, 240, 220, 200, 180,   // 1660
    160,  140,  130,  120, 110, 100, 90,  90,  90,  90,    // 1680
    90,   90,   90,   90,  100, 100, 100, 100, 100, 110,   // 1700
    110,  110,  110,  110, 110, 110, 110, 120, 120, 120,   // 1720
    120,  120,  130,  130, 130, 130, 140, 140, 140, 150,   // 1740
    150,  150,  150,  160, 160, 160, 160, 160, 170, 170,   // 1760
    170,  170,  170,  170, 170, 170, 160, 160, 150, 140,   // 1780
    137,  131,  127,  125, 125, 125, 125, 125, 125, 123,   // 1800
    120,  114,  106,  96,  86,  75,  66,  60,  57,  56,    // 1820
    57,   59,   62,   65,  68,  71,  73,  75,  77,  78,    // 1840
    79,   75,   64,   54,  29,  16,  -10, -27, -36, -101,  // 1860
    -52,  -55,  -56,  -58, -59, -62, -64, -61, -47, -27,   // 1880
    0,    26,   54,   77,  105, 134, 160, 182, 202, 212,   // 1900
    224,  235,  239,  243, 240, 239, 239, 237, 240, 243,   // 1920
    253,  262,  273,  282, 291, 300, 307, 314, 322, 331,   // 1940
    340,  350,  365,  383, 402, 422, 445, 465, 485, 505,   // 1960
    522,  538,  549,  558, 569, 580,                       // 1980
};

double JulianDay(int year, int month, double day) {
  return JulianDay(TCalDate{year, month, day});
}

namespace {

// Meeus eq. 7.1 with the Gregorian correction decided by the caller.
double JulianDayFromParts(int year, int month, double dayWithFraction, bool gregorian) {
  int y = year;
  int m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  int b = 0;
  if (gregorian) {
    const int a = y / 100;
    b = 2 - a + a / 4;
  }
  return Int(365.25 * (static_cast<double>(y) + 4716.0)) + Int(30.6001 * (m + 1)) +
         dayWithFraction + b - 1524.5;
}

bool IsGregorianDate(int year, int month, double day) {
  return year > 1582 || (year == 1582 && month > 10) || (year == 1582 && month == 10 && day > 4);
}

}  // namespace

double JulianDay(const TCalDate& date) {
  return JulianDayFromParts(date.Year, date.Month, date.Day,
                            IsGregorianDate(date.Year, date.Month, date.Day));
}

double JulianDayTime(const TCalDateTime& dt) {
  const double d = dt.Day + dt.Hour / 24.0 + dt.Minute / 1440.0 + dt.Second / 86400.0;
  return JulianDayFromParts(dt.Year, dt.Month, d, IsGregorianDate(dt.Year, dt.Month, dt.Day));
}

double JulianCenturies(double jd) {
  return (jd - kJ2000) / kDaysPerCentury;
}

double JDJanuary0(int year) {
  const int y = year - 1;
  const int a = year >= 1583 ? y / 100 : 2;
  // Meeus truncates 365.25 y, which is right for the positive years he means; for year 0 and
  // earlier the floor keeps 0 January on the day before 1 January.
  return std::floor(365.25 * y) - a + a / 4 + 1721424.5;
}

int WeekdayOf(double jd) {
  const double z = FloorReal(jd + 0.5);
  const double w = z - Int(z / 7.0) * 7.0;
  return ToInt(w) + 1;
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year < 1583 || year % 100 != 0 || year % 400 == 0);
}

int DayOfYear(const TCalDate& date) {
  const int k = IsLeapYear(date.Year) ? 1 : 2;
  const int n = (275 * date.Month) / 9 - k * ((date.Month + 9) / 12) + ToInt(Int(date.Day)) - 30;
  // 1582 lost the ten days 5-14 October to the Gregorian reform: the days after it count from
  // the same 1 January. The test of the day field is JulianDay's, so that the day number
  // always equals JulianDay(date) - JDJanuary0(year).
  const bool afterReform =
      date.Year == 1582 && (date.Month > 10 || (date.Month == 10 && date.Day > 4.0));
  return afterReform ? n - 10 : n;
}

double DeltaT(double t) {
  const double y = 100.0 * t + 2000.0;
  if (y > 2000.0) return 102.3 + 123.5 * t + 32.5 * t * t;
  if (y >= 1620.0) {
    int i = ToInt(Int((y - 1620.0) / 2.0));
    if (i > 184) i = 184;
    const double f = y / 2.0 - i - 810.0;
    return (kDeltaTTable[i] + (kDeltaTTable[i + 1] - kDeltaTTable[i]) * f) / 10.0;
  }
  if (y >= 948.0) return 50.6 + 67.5 * t + 22.5 * t * t;
  return 2715.6 + 573.36 * t + 46.5 * t * t;
}

TMonthDay EasterSunday(int year) {
  int n = 0;
  if (year >= 1583) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    n = h + l - 7 * m + 114;
  } else {
    const int a = year % 4;
    const int b = year % 7;
    const int c = year % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    n = d + e + 114;
  }
  return TMonthDay{n / 31, n % 31 + 1};
}

TCalDate CalendarDate(double jd) {
  const double z = Int(jd + 0.5);
  const double f = jd + 0.5 - z;
  double a = z;
  if (z >= 2299161.0) {
    const double alpha = Int((z - 1867216.25) / 36524.25);
    a = z + 1.0 + alpha - Int(alpha / 4.0);
  }
  const double b = a + 1524.0;
  const double p = Int((b - 122.1) / 365.25);
  const double d = Int(365.25 * p);
  const double e = Int((b - d) / 30.6001);
  TCalDate date;
  date.Day = b - d - Int(30.6001 * e) + f;
  date.Month = ToInt(e < 14.0 ? e - 1.0 : e - 13.0);
  date.Year = ToInt(date.Month > 2 ? p - 4716.0 : p - 4715.0);
  return date;
}

namespace {

// The year, month and whole day of a date; the time fields are zero.
TCalDateTime WholeDay(const TCalDate& date) {
  TCalDateTime dt;
  dt.Year = date.Year;
  dt.Month = date.Month;
  dt.Day = Int(date.Day);
  return dt;
}

}  // namespace

TCalDateTime CalendarDateTime(double jd) {
  const TCalDate date = CalendarDate(jd);
  TCalDateTime dt = WholeDay(date);
  const double h = Frac(date.Day) * 24.0;
  dt.Hour = ToInt(Int(h));
  const double m = Frac(h) * 60.0;
  dt.Minute = ToInt(Int(m));
  dt.Second = Frac(m) * 60.0;
  return dt;
}

TCalDateTime CalendarDayOnly(double jd) {
  return WholeDay(CalendarDate(jd));
}

double GreenwichSiderealTime(double t) {
  const double theta =
      280.46061837 + 13185000.770053742 * t + 0.000387933 * t * t - t * t * t / 38710000.0;
  return Mod2Pi(theta * kDegToRad);
}

double EquationOfTime(double dpsi, double eps, double alpha, double t) {
  const double tau = t / 10.0;
  const double l0Deg =
      280.4664567 +
      tau * (360007.6982779 +
             tau * (0.03032028 + tau * (2.0027638140634075e-05 -
                                        tau * (6.536374926465782e-05 + tau / 1988000.0))));
  const double e = l0Deg * kDegToRad - 9.980316261679174e-05 - alpha + dpsi * std::cos(eps);
  return ModPi(e);
}

TMjdDate MjdToCalendar(double mjd) {
  const double jd0 = Int(mjd + kMjdOffset + 0.5);
  double p = 0.0;
  if (jd0 >= 2299161.0) {
    const double b = Int((jd0 - 1867216.25) / 36524.25);
    p = jd0 + (b - Int(b / 4.0)) + 1525.0;
  } else {
    p = jd0 + 1524.0;
  }
  const double d = Int((p - 122.1) / 365.25);
  const double e = 365.0 * d + Int(d / 4.0);
  const double f = Int((p - e) / 30.6001);
  TMjdDate out;
  out.Day = ToInt(Int(p - e + 0.5) - Int(30.6001 * f));
  out.Month = ToInt(f - 1.0 - 12.0 * Int(f / 14.0));
  out.Year = ToInt(d - 4715.0 - Int((7.0 + out.Month) / 10.0));
  out.Hour = 24.0 * (mjd + kMjdOffset + 0.5 - jd0);
  return out;
}

double CalendarToMjd(int day, int month, int year, double hour) {
  const double a = 10000.0 * year + 100.0 * month + day;
  if (month <= 2) {
    month += 12;
    year -= 1;
  }
  double b = 0.0;
  if (a <= 15821004.1) {
    b = -2.0 + Int((year + 4716) / 4.0) - 1179.0;
  } else {
    b = Int(year / 400.0) - Int(year / 100.0) + Int(year / 4.0);
  }
  return 365.0 * year - 679004.0 + b + Int(30.6001 * (month + 1)) + day + hour / 24.0;
}

double LocalSiderealTime(double mjd, double lambdaWest) {
  const double mjd0 = Int(mjd);
  const double ut = (mjd - mjd0) * 24.0;
  const double t0 = (mjd0 - 51544.5) / 36525.0;
  const double gmst = 6.697374558 + 1.0027379093 * ut +
                      (8640184.812866 + (0.093104 - 0.0000062 * t0) * t0) * t0 / 3600.0;
  return 24.0 * FracPositive((gmst - lambdaWest / 15.0) / 24.0);
}

double FracPositive(double x) {
  double f = x - Int(x);
  if (f < 0.0) f += 1.0;
  return f;
}

std::string_view WeekdayName(int weekday) {
  const int index = ((weekday - 1) % 7 + 7) % 7;
  return kWeekdayNames[static_cast<std::size_t>(index)];
}

}  // namespace himlavy
