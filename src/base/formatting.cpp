// Angle and time texts, degree-and-minute numbers and texts, padding, and degree trigonometry.
#include "base/formatting.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "base/basic.h"
#include "base/numtext.h"
#include "base/textfile.h"

namespace himlavy {

namespace {

constexpr double kLn10Format = 2.302585093;  // ln 10 as Pow10 uses it

// The sexagesimal parts of |x|: whole units, fractional minutes, whole minutes, fractional
// seconds.
struct Parts {
  double D = 0.0;
  double Mf = 0.0;
  double M = 0.0;
  double Sf = 0.0;
};

Parts Split(double x) {
  Parts p;
  const double a = std::fabs(x);
  p.D = std::trunc(a);
  p.Mf = (a - p.D) * 60.0;
  p.M = std::trunc(p.Mf);
  p.Sf = (p.Mf - p.M) * 60.0;
  return p;
}

// v with a fixed number of decimals, cut to at most maxLength characters.
std::string Decimals(double v, int decimals, std::size_t maxLength = std::string::npos) {
  std::string text = FixedText(v, decimals);
  if (text.size() > maxLength) text.resize(maxLength);
  return text;
}

// An integral value without leading zeros, cut to at most maxLength characters.
std::string Whole(double v, std::size_t maxLength = std::string::npos) {
  return Decimals(v, 0, maxLength);
}

// nearest(v), cut to at most maxLength characters.
std::string Nearest(double v, std::size_t maxLength = std::string::npos) {
  return Whole(RoundHalfEven(v), maxLength);
}

std::string SignOf(double x) {
  return x < 0 ? "-" : "";
}

// A part of a fixed-column text read as a number; absent or not a number gives 0.
double ColumnValue(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos >= text.size()) return 0.0;
  return ParseReal(text.substr(pos, count)).value_or(0.0);
}

// The number of blanks PadLeft and PadRight add, or 0.
std::size_t PadCount(std::string_view text, int width) {
  const long long missing =
      static_cast<long long>(width) - static_cast<long long>(Utf8Length(text));
  return (missing >= 0 && missing <= 12) ? static_cast<std::size_t>(missing) : 0;
}

}  // namespace

std::string FormatHMS(double x) {
  const Parts p = Split(x);
  return Whole(p.D, 2) + "h" + Whole(p.M, 2) + "m" + Nearest(p.Sf, 2) + "s";
}

std::string FormatHMSFine(double x) {
  const Parts p = Split(x);
  return Whole(p.D) + "h" + Whole(p.M) + "m" + Decimals(p.Sf, 4, 7) + "s";
}

std::string FormatHM(double x) {
  const Parts p = Split(x);
  return Whole(p.D) + "h" + Nearest(p.Mf) + "m";
}

std::string FormatH(double x) {
  return Whole(Split(x).D) + "h";
}

std::string FormatHMShort(double x) {
  const Parts p = Split(x);
  if (p.D == 0) return SignOf(x) + Whole(p.M) + "m" + Nearest(p.Sf) + "s";
  return SignOf(x) + Whole(p.D) + "h" + Whole(p.M) + "m";
}

std::string FormatArcMinSec(double x) {
  const Parts p = Split(x);  // D in arcminutes, Mf in arcseconds
  if (p.D == 0) return Decimals(p.Mf, 1, 4) + kArcSecondMark;
  return Whole(p.D, 2) + kArcMinuteMark + Decimals(p.Mf, 0, 4) + kArcSecondMark;
}

std::string FormatDMSFine(double x) {
  const Parts p = Split(x);
  return SignOf(x) + Whole(p.D, 3) + std::string(kDegreeSign) + Whole(p.M, 3) + kArcMinuteMark +
         Decimals(p.Sf, 3, 7) + kArcSecondMark;
}

std::string FormatDMS(double x) {
  const Parts p = Split(x);
  return SignOf(x) + Whole(p.D, 3) + std::string(kDegreeSign) + Whole(p.M, 3) + kArcMinuteMark +
         Nearest(p.Sf, 3) + kArcSecondMark;
}

std::string FormatArcSecFine(double x) {
  const Parts p = Split(x);
  return SignOf(x) + Decimals(p.Sf, 3, 7) + kArcSecondMark;
}

std::string FormatDM(double x) {
  const Parts p = Split(x);
  const double m = RoundHalfEven(p.Sf) >= 30.0 ? p.M + 1.0 : p.M;
  return SignOf(x) + Whole(p.D, 3) + std::string(kDegreeSign) + Whole(m, 3) + kArcMinuteMark;
}

std::string FormatD(double x) {
  const Parts p = Split(x);
  const double d = RoundHalfEven(p.Mf) >= 30.0 ? p.D + 1.0 : p.D;
  return SignOf(x) + Whole(d) + std::string(kDegreeSign);
}

double DegToDegMin(double x) {
  const double whole = std::trunc(x);
  return whole + (x - whole) * 0.6;
}

double DegMinToDeg(double x) {
  const double whole = std::trunc(x);
  return whole + (x - whole) / 0.6;
}

double ParseDegMin(std::string_view text) {
  text = text.substr(0, 6);
  const double degrees = ColumnValue(text, 0, 2);
  const double minutes = ColumnValue(text, 2, 4);
  return degrees + minutes / 60.0;
}

double ParseSignedDegMin(std::string_view text) {
  text = text.substr(0, 6);
  const double degrees = ColumnValue(text, 1, 2);
  const double minutes = ColumnValue(text, 3, 3);
  const double value = degrees + minutes / 60.0;
  return (!text.empty() && text.front() == '-') ? -value : value;
}

std::string PadLeft(std::string_view text, int width) {
  std::string result(PadCount(text, width), ' ');
  result.append(text);
  return result;
}

std::string PadRight(std::string_view text, int width) {
  std::string result(text);
  result.append(PadCount(text, width), ' ');
  return result;
}

double SinDeg(double x) {
  return std::sin(x * kDegToRadFormat);
}

double CosDeg(double x) {
  return std::cos(x * kDegToRadFormat);
}

double ArcSinDeg(double x) {
  if (x * x >= 1.0) return x > 0 ? 90.0 : -90.0;
  if (std::fabs(x) <= 1e-7) return x / kDegToRadFormat;
  return std::atan(x / std::sqrt(1.0 - x * x)) * kRadToDeg;
}

double ArcTan2Deg(double y, double x) {
  if (y == 0) y = 0.00001;
  if (x == 0) x = 0.00001;
  double q = std::atan(y / x) * kRadToDeg;
  double upper = 360.0;  // y < 0, x > 0 (and NaN input)
  if (y > 0 && x > 0) {
    upper = 90.0;
  } else if (y > 0 && x < 0) {
    upper = 180.0;
  } else if (y < 0 && x < 0) {
    upper = 270.0;
  }
  while (q > upper) q -= 180.0;
  while (q < upper - 90.0) q += 180.0;
  return q;
}

double Normalize360(double& x) {
  // Repeated subtraction of 360000 is exact wherever it would finish, and fmod gives the same
  // value without a loop that would never end for huge x.
  if (x >= 360000.0) x = std::fmod(x, 360000.0);
  while (x >= 36000.0) x -= 36000.0;
  while (x >= 3600.0) x -= 3600.0;
  while (x >= 360.0) x -= 360.0;
  if (x < -360000.0) {
    x = std::fmod(x, 360000.0);
    if (x == 0) x = 0.0;  // a whole multiple ends at +0, as the repeated addition does
  }
  while (x < -36000.0) x += 36000.0;
  while (x < -3600.0) x += 3600.0;
  while (x < 0.0) x += 360.0;
  // A tiny negative angle plus 360 rounds to 360 itself; keep the result below 360.
  if (x >= 360.0) x = 0.0;
  return x;
}

double Pow10(double x) {
  return std::exp(kLn10Format * x);
}

}  // namespace himlavy
