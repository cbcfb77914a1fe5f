// Tests of the angle and time texts, degree-and-minute conversions, padding and degree
// trigonometry.
#include "base/formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace himlavy {
namespace {

using TFormat = std::string (*)(double);

TEST(Formatting, Texts) {
  const std::tuple<TFormat, double, std::string> cases[] = {
      // The worked examples.
      {FormatHMS, 13.5125, "13h30m45s"},
      {FormatHMSFine, 13.5125, "13h30m45.0000s"},
      {FormatHM, 13.5125, "13h31m"},
      {FormatH, 13.5125, "13h"},
      {FormatHMShort, 64.0 / 3600.0, "1m4s"},
      {FormatArcMinSec, 0.5, "30.0\""},
      {FormatArcMinSec, 1.5, "1'30\""},
      {FormatDMSFine, 23.4392911, "23\u00B026'21.448\""},
      {FormatDMS, -12.345, "-12\u00B020'42\""},
      {FormatArcSecFine, 0.0047, "16.920\""},
      {FormatDM, 59.3293, "59\u00B020'"},
      {FormatD, 12.5, "13\u00B0"},
      // The short form switches to hours at exactly one hour.
      {FormatHMShort, 0.99999, "59m60s"},
      {FormatHMShort, 1.0, "1h0m"},
      {FormatDM, 0.0, "0\u00B00'"},
      // The last part is rounded without carrying into the part before it.
      {FormatHMS, 1.99999, "1h59m60s"},
      {FormatDM, 10.9999, "10\u00B060'"},
      // The unsigned formats write the absolute value; the signed ones put one minus in front.
      {FormatHMS, -1.5, "1h30m0s"},
      {FormatDMS, -0.5, "-0\u00B030'0\""},
      {FormatArcSecFine, -0.0047, "-16.920\""},
      {FormatHMShort, -64.0 / 3600.0, "-1m4s"},
      // Long parts are cut.
      {FormatHMS, 123.5, "12h30m0s"},
      // Last parts of exactly k + 0.5 go to even; a dropped 29.5 rounds to 30 and raises the last.
      {FormatHM, 1.5083333333333333, "1h30m"},        // Mf = 30.5
      {FormatDM, 0.008194444444444445, "0\u00B01'"},  // Sf = 29.5
      {FormatD, 0.49166666666666664, "1\u00B0"},      // Mf = 29.5
  };
  for (const auto& [format, x, expected] : cases) EXPECT_EQ(format(x), expected) << x;
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
  EXPECT_EQ(ParseSignedDegMin("+05 30"), 5.5);
  EXPECT_EQ(ParseSignedDegMin("-"), 0.0);
}

TEST(Padding, AddsUpToTwelveBlanks) {
  EXPECT_EQ(PadLeft("abc", 5), "  abc");
  EXPECT_EQ(PadLeft("abc", 2), "abc");
  EXPECT_EQ(PadLeft("abc", 15), std::string(12, ' ') + "abc");
  EXPECT_EQ(PadLeft("abc", 16), "abc");
  EXPECT_EQ(PadLeft("59\u00B0", 4), " 59\u00B0");  // the degree sign is one character
  EXPECT_EQ(PadRight("abc", 15), "abc" + std::string(12, ' '));
}

TEST(DegreeTrig, SinCosArcSinPow10) {
  EXPECT_NEAR(SinDeg(30.0), 0.5, 1e-15);
  EXPECT_NEAR(CosDeg(60.0), 0.5, 1e-15);
  EXPECT_EQ(ArcSinDeg(1.0000001), 90.0);
  EXPECT_EQ(ArcSinDeg(-1.0), -90.0);
  EXPECT_NEAR(ArcSinDeg(-0.5), -30.0, 1e-12);
  EXPECT_NEAR(ArcSinDeg(1e-8), 5.729577951308232e-7, 1e-20);
  EXPECT_NEAR(Pow10(0.5), std::sqrt(10.0), 1e-9);
}

TEST(DegreeTrig, ArcTan2InTheQuadrantOfThePoint) {
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
  for (const double x : {1e300, -1e300, -1e-300}) {
    double v = x;
    const double result = Normalize360(v);
    EXPECT_TRUE(result >= 0.0 && result < 360.0) << "x=" << x;
  }
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(Normalize360(inf)));
}

}  // namespace
}  // namespace himlavy
