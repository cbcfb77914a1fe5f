// Angle and time texts, degree-and-minute numbers and texts, padding, and degree trigonometry.
//
// The texts are the compact forms shown on screen: no leading zeros and no blanks between the
// parts ("13h30m45s", "23°26'21.448\"", "59°20'"). Texts are UTF-8; the degree sign is two bytes.
//
// Notation used in the comments below, for an input x:
//   a = |x|;  D = INT(a);  Mf = FRAC(a) * 60;  M = INT(Mf);  Sf = FRAC(Mf) * 60
// where INT truncates toward zero and FRAC(v) = v - INT(v). nearest(v) is the nearest integer
// with ties to even (RoundHalfEven). Parts with decimals are written by FixedText, with a point.
// Every part is written on its own and the last part is rounded without carrying into the part
// before it, so 1.99999 h is "1h59m60s". Where a part has a maximum length, a longer number is
// cut to its first characters. A signed format puts one "-" in front when x < 0; the unsigned
// formats write |x|. Non-finite input gives parts such as "INF" or "NAN", never a failure.
#pragma once

#include <string>
#include <string_view>

namespace himlavy {

inline constexpr std::string_view kDegreeSign = "\xC2\xB0";  // U+00B0 in UTF-8
inline constexpr char kArcMinuteMark = '\'';
inline constexpr char kArcSecondMark = '"';
inline constexpr double kDegToRadFormat = 0.0174532925199433;  // the degree trigonometry's factor

// FormatHMS: hours as D "h" M "m" nearest(Sf) "s", each number at most 2 characters; no sign.
//   x        hours
//   returns  e.g. 13.5125 -> "13h30m45s"
std::string FormatHMS(double x);

// FormatHMSFine: hours as D "h" M "m" Sf "s", Sf with 4 decimals and at most 7 characters;
// no sign.
//   x        hours
//   returns  e.g. 13.5125 -> "13h30m45.0000s"
std::string FormatHMSFine(double x);

// FormatHM: hours as D "h" nearest(Mf) "m"; no sign.
//   x        hours
//   returns  e.g. 13.5125 -> "13h31m"; 13.9999 -> "13h60m"
std::string FormatHM(double x);

// FormatH: whole hours, truncated: D "h"; no sign.
//   x        hours
//   returns  e.g. 13.5125 -> "13h"
std::string FormatH(double x);

// FormatHMShort: a signed short time: M "m" nearest(Sf) "s" when D = 0, otherwise D "h" M "m".
//   x        hours
//   returns  e.g. 64 s -> "1m4s"; 1.5 -> "1h30m"; -64 s -> "-1m4s"
std::string FormatHMShort(double x);

// FormatArcMinSec: arcminutes. When D = 0: Mf (arcseconds) with 1 decimal and the arcsecond
// mark; otherwise D, the arcminute mark, Mf with 0 decimals and the arcsecond mark. D at most
// 2 characters, Mf at most 4; no sign.
//   x        arcminutes
//   returns  e.g. 0.5 -> "30.0\""; 1.5 -> "1'30\""
std::string FormatArcMinSec(double x);

// FormatDMSFine: signed degrees as D "°" M "'" Sf "\"", Sf with 3 decimals. D and M at most
// 3 characters, Sf at most 7.
//   x        degrees
//   returns  e.g. 23.4392911 -> "23°26'21.448\""
std::string FormatDMSFine(double x);

// FormatDMS: signed degrees as D "°" M "'" nearest(Sf) "\"", each number at most 3 characters.
//   x        degrees
//   returns  e.g. -12.345 -> "-12°20'42\""
std::string FormatDMS(double x);

// FormatArcSecFine: signed arcseconds of the fractional arcminute only:
// FRAC(FRAC(a) * 60) * 60 with 3 decimals (at most 7 characters) and the arcsecond mark.
//   x        degrees
//   returns  e.g. 0.0047 -> "16.920\""; -0.0047 -> "-16.920\""
std::string FormatArcSecFine(double x);

// FormatDM: signed degrees as D "°" M' "'", M' = M + 1 when nearest(Sf) >= 30, else M; each
// number at most 3 characters.
//   x        degrees
//   returns  e.g. 59.3293 -> "59°20'"; 10.9999 -> "10°60'"
std::string FormatDM(double x);

// FormatD: signed whole degrees D' "°", D' = D + 1 when nearest(Mf) >= 30, else D.
//   x        degrees
//   returns  e.g. 12.5 -> "13°"; 12.49 -> "12°"
std::string FormatD(double x);

// DegToDegMin: decimal degrees to the degrees-and-minutes number INT(x) + FRAC(x) * 0.6.
//   x        degrees
//   returns  degrees.minutes, e.g. 57.7 -> 57.42; the sign carries through both parts
double DegToDegMin(double x);

// DegMinToDeg: a degrees-and-minutes number to decimal degrees, INT(x) + FRAC(x) / 0.6.
//   x        degrees.minutes
//   returns  degrees, e.g. 57.42 -> 57.7; -57.42 -> -57.7
double DegMinToDeg(double x);

// ParseDegMin: degrees and minutes from a fixed-column text. Only the first 6 characters are
// used: characters 1-2 hold the degrees, characters 3-6 the minutes (which may have a decimal
// point). Characters are bytes; missing characters are absent, and a part that is not a
// number (after skipping blanks) counts as 0.
//   text     the text, e.g. "5930.5" or "12"
//   returns  degrees + minutes / 60
double ParseDegMin(std::string_view text);

// ParseSignedDegMin: like ParseDegMin with a sign column. Character 1 is the sign,
// characters 2-3 the degrees, characters 4-6 the minutes.
//   text     the text, e.g. "-2330"
//   returns  degrees + minutes / 60, negated when character 1 is "-"
double ParseSignedDegMin(std::string_view text);

// PadLeft: blanks in front of text to make it `width` characters long, when that needs 0 to 12
// blanks; otherwise the text is returned unchanged. Length counts UTF-8 characters, so the
// degree sign counts as one.
std::string PadLeft(std::string_view text, int width);

// PadRight: as PadLeft, appending the blanks.
std::string PadRight(std::string_view text, int width);

// SinDeg: sin(x * 0.0174532925199433), x in degrees.
double SinDeg(double x);

// CosDeg: cos(x * 0.0174532925199433), x in degrees.
double CosDeg(double x);

// ArcSinDeg: arcsine in degrees.
//   x        the sine
//   returns  90 with the sign of x when x^2 >= 1; x / 0.0174532925199433 when |x| <= 1e-7;
//            otherwise atan(x / sqrt(1 - x^2)) in degrees
double ArcSinDeg(double x);

// ArcTan2Deg: the angle of the point (x, y), in degrees, 0 < result <= 360.
//   y, x     the coordinates; one that is exactly 0 is taken as 0.00001, so the result is
//            never exactly on an axis ((0, 0) gives 45)
//   returns  atan(y / x) in degrees moved by 180 steps into the quadrant of (x, y)
// Source: J. Meeus, Astronomical Algorithms, ch. 1 (the correct quadrant of an arctangent).
double ArcTan2Deg(double y, double x);

// Normalize360: reduces an angle to [0, 360) by subtracting or adding 360000, 36000, 3600 and
// 360 degrees in turn.
//   x        degrees; replaced by the result
//   returns  the reduced angle, e.g. -1 -> 359, 720 -> 0
// An infinite x gives NaN.
double Normalize360(double& x);

// Pow10: 10 to the power x, computed as exp(2.302585093 * x).
double Pow10(double x);

}  // namespace himlavy
