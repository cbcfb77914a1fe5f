// Tests of the number texts: rounding, fixed, general and parameter-file forms, and reading.
#include "base/numtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "base/basic.h"
#include "base/formatting.h"
#include "common/fixture_rows.h"

namespace himlavy {
namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
TEST(RoundHalfEven, TiesGoToEvenAndIntegersClamp) {
  EXPECT_EQ(std::tuple(RoundHalfEven(2.5), RoundHalfEven(-3.5)), std::tuple(2.0, -4.0));
  // The largest double below 0.5, the last tie below 2^52, a whole number beyond it, -0.
  EXPECT_EQ(std::tuple(RoundHalfEven(0.49999999999999994), RoundHalfEven(4503599627370495.5),
                       RoundHalfEven(-1e300)),
            std::tuple(0.0, 4503599627370496.0, -1e300));
  EXPECT_TRUE(std::signbit(RoundHalfEven(-0.3)));
  EXPECT_EQ(std::tuple(RoundHalfEvenToInt(9223372036854775808.0), RoundHalfEvenToInt(-kInf),
                       RoundHalfEvenToInt(kNaN)),
            std::tuple(LLONG_MAX, LLONG_MIN, 0));
}
TEST(FixedText, CorrectlyRoundedWithoutNegativeZero) {
  // The double 2.675 is 2.67499999999999982236431605997495353221893310546875; exact ties go
  // to the even digit; never "-0.00"; a negative count of decimals means none.
  const std::tuple<double, int, char, const char*> cases[] = {
      {2.675, 2, '.', "2.67"},   {2.5, 0, '.', "2"},         {-0.001, 2, '.', "0.00"},
      {-0.006, 2, '.', "-0.01"}, {123.456, 1, ',', "123,5"}, {7.6, -1, '.', "8"},
      {-kInf, 2, '.', "-INF"},   {kNaN, 2, '.', "NAN"}};
  for (const auto& [x, decimals, point, text] : cases)
    EXPECT_EQ(FixedText(x, decimals, point), text) << x;
  EXPECT_EQ(FixedText(-1.7976931348623157e308, 2).size(), 313u);
}
TEST(GeneralText, ShortestFormAtTheGivenPrecision) {
  EXPECT_EQ(std::tuple(GeneralText(100.0), GeneralText(1.5e-6)), std::tuple("100", "1.5E-6"));
  EXPECT_EQ(std::tuple(GeneralText(-0.0), GeneralText(1.5, 15, ',')), std::tuple("0", "1,5"));
  EXPECT_EQ(GeneralText(9.999999999999999e-6), "0.00001");  // rounds to 1E-5 at 15 digits
  EXPECT_EQ(GeneralText(999999999999999.9), "1E15");        // 16 integer digits once rounded
  EXPECT_EQ(std::tuple(GeneralText(0.1 + 0.2), GeneralText(9.96, 2)), std::tuple("0.3", "10"));
  EXPECT_EQ(std::tuple(GeneralText(123.0, 2), GeneralText(kInf)), std::tuple("1.2E2", "INF"));
}
TEST(ParamRealText, FifteenDigitExponentFormThatReadsBack) {
  EXPECT_EQ(ParamRealText(123.4), " 1.23400000000000E+0002");
  EXPECT_EQ(ParamRealText(-0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(ParamRealText(-2.0 / 3.0), "-6.66666666666667E-0001");
  EXPECT_EQ(ParamRealText(1.7976931348623157e308), " 1.79769313486232E+0308");
  // Values with at most 15 significant digits come back as the same double.
  for (const double x : {2451545.12345678, -987654321098765.0, 1e300, 5e-324})
    EXPECT_EQ(ParseReal(ParamRealText(x)), x);
}
TEST(ParseReal, AcceptsWholeNumberTextsOnlyAsParseIntegerDoes) {
  EXPECT_EQ(ParseReal("  -2.25  "), -2.25);
  EXPECT_EQ(ParseReal("-5.00000000000000E-0001"), -0.5);
  EXPECT_EQ(ParseReal("\t7\r\n"), 7.0);
  EXPECT_EQ(ParseReal("4.9e-324"), 4.9406564584124654e-324);
  EXPECT_EQ(ParseReal("1,5E2", true), 150.0);
  for (const char* text :
       {"", "1.5x", "1e999", "inf", "nan", "0x10", "1,5", "+-1", ".", "1 2", "1e"}) {
    EXPECT_FALSE(ParseReal(text).has_value()) << "'" << text << "'";
  }
  EXPECT_FALSE(ParseReal("1,5,0", true).has_value());
  // Huge texts neither hang nor crash.
  EXPECT_FALSE(ParseReal(std::string(10'000'000, '1')).has_value());  // out of range
  EXPECT_EQ(ParseReal("0." + std::string(10'000'000, '3'), true), 1.0 / 3.0);
  EXPECT_FALSE(ParseReal(std::string(10'000'000, ' ')).has_value());
  // ParseInteger: decimal with an optional sign.
  EXPECT_EQ(std::tuple(ParseInteger(" -17 "), ParseInteger("+8")), std::tuple(-17, 8));
  EXPECT_EQ(ParseInteger("-9223372036854775808"), LLONG_MIN);
  for (const char* text : {"  ", "9223372036854775808", "1.0", "1e3", "+-1", "0x1F"})
    EXPECT_EQ(ParseInteger(text), std::nullopt) << "'" << text << "'";
}
// Angle arithmetic and series helpers: exact values and Meeus, Astronomical Algorithms 1998.
TEST(BasicTest, InverseTrigonometryEdgeCases) {
  const std::tuple<double, double, double> cases[] = {{0, 0, 0},           {0, -1, -kPi},
                                                      {1, 0, kPiHalf},     {-1, 0, -kPiHalf},
                                                      {1, -1, 0.75 * kPi}, {-1, -1, -0.75 * kPi}};
  for (const auto& [y, x, expected] : cases)
    EXPECT_NEAR(Atan2(y, x), expected, 1e-15) << y << " " << x;
  EXPECT_EQ(Atan2(0.0, -1.0), -kPi);
  EXPECT_TRUE(std::isnan(Atan2(std::numeric_limits<double>::quiet_NaN(), 1.0)));
  // Rounding excess beyond +-1 is read as +-1 rather than giving NaN.
  EXPECT_EQ(std::tuple(ArcSin(1.0 + 2e-16), ArcSin(-1.0)), std::tuple(kPiHalf, -kPiHalf));
  EXPECT_EQ(std::tuple(ArcCos(-1.0 - 2e-16), ArcCos(1.0)), std::tuple(kPi, 0.0));
}
TEST(BasicTest, AngleReductionsAndFloor) {
  const std::tuple<double, double, double> cases[] = {
      {-0.1, kTwoPi - 0.1, -0.1},
      {100.0, 100.0 - 15 * kTwoPi, 100.0 - 16 * kTwoPi},
      {1.5 * kPi, 1.5 * kPi, -kPiHalf},
      {-1.5 * kPi, kPiHalf, kPiHalf}};
  for (const auto& [a, mod2Pi, modPi] : cases) {
    EXPECT_NEAR(Mod2Pi(a), mod2Pi, 1e-13) << a;
    EXPECT_NEAR(ModPi(a), modPi, 1e-13) << a;
  }
  EXPECT_EQ(std::tuple(Mod2Pi(kTwoPi), Mod2Pi(-kTwoPi)), std::tuple(0.0, 0.0));
  // A tiny negative angle whose sum with 2pi rounds to 2pi still lands inside [0, 2pi).
  EXPECT_LT(Mod2Pi(-1e-20), kTwoPi);
  EXPECT_EQ(std::tuple(ModPi(kPi), ModPi(-kPi)), std::tuple(kPi, -kPi));
  for (double x : {-2.5, -3.0, 2.7, -1e-300, -1e15 - 0.5})
    EXPECT_EQ(FloorReal(x), std::floor(x)) << x;
}
TEST(BasicTest, SinCosMultiples) {
  constexpr double kSentinel = 12345.0;
  std::array<double, 2> sinTab = {kSentinel, kSentinel}, cosTab = sinTab;
  SinCosMultiples(1, 0.3, sinTab, cosTab);
  EXPECT_DOUBLE_EQ(sinTab[0], std::sin(0.3));
  EXPECT_DOUBLE_EQ(cosTab[0], std::cos(0.3));
  EXPECT_EQ(std::tuple(sinTab[1], cosTab[1]), std::tuple(kSentinel, kSentinel));
}
TEST(BasicTest, PolarCartesianAndRotations) {
  const TSpherical west = CartesianToPolar(TVector3{0.0, -1.0, 0.0});
  EXPECT_NEAR(west.Lon, 1.5 * kPi, 1e-15);
  EXPECT_EQ(std::tuple(west.Lat, west.R), std::tuple(0.0, 1.0));
  const TSpherical pole = CartesianToPolar(TVector3{0.0, 0.0, 2.0});
  EXPECT_EQ(std::tuple(pole.Lat, pole.R), std::tuple(kPiHalf, 2.0));
  EXPECT_LT(CartesianToPolar(TVector3{1.0, -1e-17, 0.0}).Lon, kTwoPi);
  const TVector3 u = RotateAboutZ(TVector3{1.0, 2.0, 3.0}, 0.0, 1.0);
  EXPECT_EQ(std::tuple(u.X, u.Y, u.Z), std::tuple(-2.0, 1.0, 3.0));
}
// Poly2, Poly3 and Poly4 are covered by the mean obliquity, the Moon's place, the phases and
// the equinoxes in the astro tests.
TEST(BasicTest, InterpolationAndPolynomialsFollowMeeusExamples) {
  EXPECT_EQ(std::tuple(Interpolate3(1, 2, 4, 0), Interpolate3(1, 2, 4, 1)), std::tuple(2, 4));
  EXPECT_EQ(Interpolate3(1, 2, 4, -1), 1);
  // Example 3.a: the distance of Mars on 1992 November 7, 8, 9 at 0h TD; at November 8,
  // 4h21m (n = 0.18125) it is 0.876125 AU.
  EXPECT_NEAR(Interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 5e-7);
}
// Angle and time texts, degree-and-minute conversions, padding and degree trigonometry.
using TFormat = std::string (*)(double);
TEST(Formatting, Texts) {
  // The worked examples and the edge cases: base/format_texts.tsv.
  const TFormat formats[] = {FormatHMS,        FormatHMSFine,   FormatHM,      FormatH,
                             FormatHMShort,    FormatArcMinSec, FormatDMSFine, FormatDMS,
                             FormatArcSecFine, FormatDM,        FormatD};
  const std::string_view names[] = {"FormatHMS",     "FormatHMSFine", "FormatHM",
                                    "FormatH",       "FormatHMShort", "FormatArcMinSec",
                                    "FormatDMSFine", "FormatDMS",     "FormatArcSecFine",
                                    "FormatDM",      "FormatD"};
  const auto rows = testing::FixtureRows("base/format_texts.tsv");
  EXPECT_EQ(rows.size(), 25u);
  for (const auto& row : rows) {
    const auto name = std::ranges::find(names, row.at(0));
    ASSERT_TRUE(name != std::end(names) && row.size() == 3u) << row[0];
    const std::size_t slash = row[1].find('/');
    const double x = slash == std::string::npos
                         ? std::stod(row[1])
                         : std::stod(row[1].substr(0, slash)) / std::stod(row[1].substr(slash + 1));
    EXPECT_EQ(formats[name - std::begin(names)](x), row[2]) << row[0] << " " << row[1];
  }
  // Non-finite input gives a text, never a failure.
  for (const double x : {-std::numeric_limits<double>::infinity(), std::nan("")}) {
    for (const TFormat format : {FormatHMS, FormatHMSFine, FormatHMShort, FormatArcMinSec,
                                 FormatDMSFine, FormatDM, FormatD}) {
      EXPECT_FALSE(format(x).empty());
    }
  }
}
TEST(DegMin, ConversionsAndFixedColumns) {
  EXPECT_NEAR(DegToDegMin(57.7), 57.42, 1e-12);
  EXPECT_NEAR(DegMinToDeg(-57.42), -57.7, 1e-12);
  EXPECT_NEAR(ParseDegMin("1230.5XYZ"), 12.0 + 30.5 / 60.0, 1e-12);  // 6 characters only
  EXPECT_NEAR(ParseDegMin("05 7.5"), 5.0 + 7.5 / 60.0, 1e-12);
  EXPECT_EQ(ParseDegMin("ab30"), 0.5);             // a part that is not a number counts as 0
  EXPECT_EQ(ParseSignedDegMin("-2330.5"), -23.5);  // "-2330." is all that is used
  EXPECT_EQ(std::tuple(ParseSignedDegMin("+05 30"), ParseSignedDegMin("-")), std::tuple(5.5, 0.0));
}
TEST(Padding, AddsUpToTwelveBlanks) {
  EXPECT_EQ(std::tuple(PadLeft("abc", 5), PadLeft("abc", 2)), std::tuple("  abc", "abc"));
  EXPECT_EQ(PadLeft("abc", 15), std::string(12, ' ') + "abc");
  EXPECT_EQ(PadLeft("abc", 16), "abc");
  EXPECT_EQ(PadLeft("59\u00B0", 4), " 59\u00B0");  // the degree sign is one character
  EXPECT_EQ(PadRight("abc", 15), "abc" + std::string(12, ' '));
}
TEST(DegreeTrig, SinCosArcSinPow10AndArcTan2) {
  EXPECT_NEAR(SinDeg(30.0), 0.5, 1e-15);
  EXPECT_NEAR(CosDeg(60.0), 0.5, 1e-15);
  EXPECT_EQ(std::tuple(ArcSinDeg(1.0000001), ArcSinDeg(-1.0)), std::tuple(90.0, -90.0));
  EXPECT_NEAR(ArcSinDeg(-0.5), -30.0, 1e-12);
  EXPECT_NEAR(ArcSinDeg(1e-8), 5.729577951308232e-7, 1e-20);
  EXPECT_NEAR(Pow10(0.5), std::sqrt(10.0), 1e-9);
  // ArcTan2Deg in the quadrant of the point.
  constexpr double kTiny = 0.0005729577951117247;  // atan(1e-5) in degrees
  const std::tuple<double, double, double> cases[] = {
      {1.0, 1.0, 45.0}, {1.0, -1.0, 135.0}, {-1.0, -1.0, 225.0},        {-1.0, 1.0, 315.0},
      {0.0, 0.0, 45.0}, {0.0, 1.0, kTiny},  {0.0, -1.0, 180.0 - kTiny}, {-1.0, 0.0, 270.0 + kTiny}};
  for (const auto& [y, x, expected] : cases)
    EXPECT_NEAR(ArcTan2Deg(y, x), expected, 1e-11) << y << " " << x;
  EXPECT_LT(ArcTan2Deg(0.0, -1.0), 180.0);
}
TEST(DegreeTrig, Normalize360) {
  const std::pair<double, double> cases[] = {
      {-1.0, 359.0}, {720.0, 0.0}, {359.9999, 359.9999}, {1000010.5, 290.5}, {-359999.75, 0.25}};
  for (const auto& [x, expected] : cases) {
    double v = x;
    EXPECT_EQ(Normalize360(v), expected) << x;
    EXPECT_EQ(v, expected) << "the argument takes the result, x=" << x;
  }
  // Huge and tiny angles still end up in [0, 360) without looping for ever.
  for (double x : {1e300, -1e300, -1e-300}) {
    const double result = Normalize360(x);
    EXPECT_TRUE(result >= 0.0 && result < 360.0) << "x=" << x;
  }
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(Normalize360(inf)));
}
}  // namespace
}  // namespace himlavy
