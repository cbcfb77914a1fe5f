// Number texts: rounding, fixed and general number forms, the real form of the parameter file,
// and reading numbers back from text.
//
// This is the one place where the program turns numbers into text and text into numbers. Every
// routine is locale-independent: the decimal separator is a point unless a routine takes it as an
// argument. Non-finite values are written "INF", "-INF" and "NAN"; they are never read back.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace himlavy {

// RoundHalfEven: the nearest integer to x, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
//   x       any double
//   returns the integral double (NaN and infinities come back unchanged)
// Rounds as std::nearbyint in the default rounding mode (to nearest), which the program never
// leaves.
inline double RoundHalfEven(double x) {
  // Adding and taking away 2^52 leaves no fraction, rounded to the nearest with ties to even
  // (the default rounding of IEEE arithmetic); larger magnitudes are whole already. The same
  // result as std::nearbyint without its library call, which saves and restores the
  // floating-point environment.
  constexpr double kTwo52 = 4503599627370496.0;
  const double magnitude = std::fabs(x);
  if (!(magnitude < kTwo52)) return x;  // whole, infinite or NaN
  return std::copysign((magnitude + kTwo52) - kTwo52, x);
}

// RoundHalfEvenToInt: RoundHalfEven(x) as an integer.
//   x       any double
//   returns the rounded value, clamped to [LLONG_MIN, LLONG_MAX]; NaN gives 0
long long RoundHalfEvenToInt(double x);

// FixedText: x as a fixed number with `decimals` decimals, no exponent.
//   x         any double
//   decimals  number of decimals, clamped to [0, 340]; 0 writes no separator
//   sep       decimal separator
//   returns   the correctly rounded decimal text (std::to_chars, fixed): an exact tie goes to
//             the even last digit, and a binary value just below a tie rounds down (2.675 with
//             2 decimals is "2.67"). A minus sign precedes a negative value, except that a
//             value that rounds to zero is written without it: never "-0" or "-0.00".
std::string FixedText(double x, int decimals, char sep = '.');

// GeneralText: x in the general number form with at most `significant` significant digits.
//   x            any double
//   significant  number of significant digits, clamped to [1, 17]
//   sep          decimal separator
//   returns      x rounded to `significant` significant digits (correctly rounded), trailing
//                zeros dropped. Fixed notation when the rounded value has no more integer
//                digits than `significant` and its magnitude is at least 0.00001 (or x is 0):
//                "100", "0.1", "-12.5", "0.00001". Otherwise exponent notation: mantissa, "E",
//                a minus sign only for a negative exponent, the exponent without padding:
//                "1E-6", "1.5E-6", "1.23456789012346E17". Zero is "0" (never "-0").
std::string GeneralText(double x, int significant = 15, char sep = '.');

// ParamRealText: x as a real of the parameter file "parametr.dta".
//   x        any double
//   returns  15 significant digits in exponent form: a blank (or a minus sign for a negative
//            value), one digit, a point, 14 digits, "E", the exponent's sign and four exponent
//            digits: " 1.23400000000000E+0002", "-5.00000000000000E-0001", and
//            " 0.00000000000000E+0000" for zero (of either sign). Non-finite values give
//            " INF", "-INF" or " NAN", which ParseReal refuses.
std::string ParamRealText(double x);

// ParseReal: reads a number from a text file line or a dialog field.
//   text        the text; blanks (space, tab, CR, LF) before and after are skipped
//   allowComma  when true a comma is accepted as decimal separator as well as a point
//   returns     the value, or std::nullopt unless the whole text is one number: an optional
//               sign, digits with at most one decimal separator (".5" and "5." are numbers),
//               an optional exponent ("E+0002", "e-3"). Empty texts, trailing characters,
//               "inf"/"nan", hexadecimal forms, and values whose magnitude is too large or too
//               small (non-zero, underflowing to zero) for a double give std::nullopt.
//               The conversion is correctly rounded, so any 15-significant-digit text reads back
//               to the double nearest to it.
std::optional<double> ParseReal(std::string_view text, bool allowComma = false);

// The text without its leading and trailing blanks (spaces, tabs, CR and LF).
std::string_view TrimBlanks(std::string_view text);

// ParseInteger: reads a decimal integer.
//   text     the text; blanks before and after are skipped; an optional "+" or "-" sign
//   returns  the value, or std::nullopt for anything else (empty, a decimal point, an exponent,
//            trailing characters, a value outside the long long range)
std::optional<long long> ParseInteger(std::string_view text);

}  // namespace himlavy
