// Tests of the angle and time texts, degree-and-minute conversions, padding and degree
// trigonometry.
#include "timecal/formatting.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace himlavy {
namespace {

struct TextCase {
  std::function<std::string(double)> format;
  const char* name;
  double x;
  std::string expected;
};

#define FMT(f) f, #f

void CheckTexts(const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) {
    EXPECT_EQ(c.format(c.x), c.expected) << c.name << "(" << c.x << ")";
  }
}

TEST(Formatting, WorkedExamples) {
  CheckTexts({
      {FMT(FormatHMS), 13.5125, "13h30m45s"},
      {FMT(FormatHMSFine), 13.5125, "13h30m45.0000s"},
      {FMT(FormatHM), 13.5125, "13h31m"},
      {FMT(FormatH), 13.5125, "13h"},
      {FMT(FormatHMShort), 64.0 / 3600.0, "1m4s"},
      {FMT(FormatHMShort), 1.5, "1h30m"},
      {FMT(FormatHMShort), -64.0 / 3600.0, "-1m4s"},
      {FMT(FormatArcMinSec), 0.5, "30.0\""},
      {FMT(FormatArcMinSec), 1.5, "1'30\""},
      {FMT(FormatDMSFine), 23.4392911, "23\u00B026'21.448\""},
      {FMT(FormatDMS), -12.345, "-12\u00B020'42\""},
      {FMT(FormatArcSecFine), 0.0047, "16.920\""},
      {FMT(FormatDM), 59.3293, "59\u00B020'"},
      {FMT(FormatD), 12.5, "13\u00B0"},
      {FMT(FormatD), 12.49, "12\u00B0"},
  });
}

TEST(Formatting, RoundingWithoutCarry) {
  CheckTexts({
      {FMT(FormatHMS), 1.99999, "1h59m60s"},
      {FMT(FormatDM), 10.9999, "10\u00B060'"},
      {FMT(FormatHM), 13.9999, "13h60m"},
      {FMT(FormatHMSFine), 1.99999999, "1h59m60.0000s"},
      {FMT(FormatHMShort), 0.99999, "59m60s"},
      {FMT(FormatH), 13.9999, "13h"},
  });
}

TEST(Formatting, SignsAndZero) {
  CheckTexts({
      // The unsigned formats write the absolute value.
      {FMT(FormatHMS), -1.5, "1h30m0s"},
      {FMT(FormatHMSFine), -13.5125, "13h30m45.0000s"},
      {FMT(FormatHM), -13.5125, "13h31m"},
      {FMT(FormatH), -2.7, "2h"},
      {FMT(FormatArcMinSec), -1.5, "1'30\""},
      {FMT(FormatArcMinSec), 0.0, "0.0\""},
      // The signed ones put one minus sign in front.
      {FMT(FormatDMS), -0.5, "-0\u00B030'0\""},
      {FMT(FormatDMSFine), -23.4392911, "-23\u00B026'21.448\""},
      {FMT(FormatArcSecFine), -0.0047, "-16.920\""},
      {FMT(FormatDM), 0.0, "0\u00B00'"},
      {FMT(FormatDM), -59.3293, "-59\u00B020'"},
      {FMT(FormatD), -12.5, "-13\u00B0"},
      {FMT(FormatHMShort), -1.5, "-1h30m"},
      {FMT(FormatHMShort), 0.0, "0m0s"},
      {FMT(FormatHMShort), 1.0, "1h0m"},
  });
}

TEST(Formatting, LongPartsAreCut) {
  CheckTexts({
      {FMT(FormatHMS), 123.5, "12h30m0s"},
      {FMT(FormatDMS), 1234.5, "123\u00B030'0\""},
      {FMT(FormatDMSFine), 1234.5, "123\u00B030'0.000\""},
      {FMT(FormatDM), -1234.5, "-123\u00B030'"},
      {FMT(FormatArcMinSec), 123.5, "12'30\""},
  });
}

TEST(Formatting, LastPartRoundsTiesToEven) {
  // Inputs whose seconds or minutes part comes out exactly as k + 0.5 in double arithmetic.
  CheckTexts({
      {FMT(FormatHMS), 0.0001388888888888889, "0h0m0s"},    // Sf = 0.5
      {FMT(FormatHMS), 0.0004166666666666667, "0h0m2s"},    // Sf = 1.5
      {FMT(FormatHMS), 0.012361111111111111, "0h0m44s"},    // Sf = 44.5
      {FMT(FormatHMS), 0.012638888888888889, "0h0m46s"},    // Sf = 45.5
      {FMT(FormatHMShort), 0.012361111111111111, "0m44s"},  // Sf = 44.5
      {FMT(FormatDMS), 0.012361111111111111, "0\u00B00'44\""},
      {FMT(FormatHM), 1.5083333333333333, "1h30m"},          // Mf = 30.5
      {FMT(FormatHM), 1.4916666666666667, "1h30m"},          // Mf = 29.5
      {FMT(FormatHM), 1.7416666666666667, "1h44m"},          // Mf = 44.5
      {FMT(FormatArcMinSec), 1.7416666666666667, "1'44\""},  // Mf = 44.5
      // The dropped part counts once rounded: 29.5 rounds to 30, so the last part goes up.
      {FMT(FormatDM), 0.008194444444444445, "0\u00B01'"},  // Sf = 29.5
      {FMT(FormatD), 0.49166666666666664, "1\u00B0"},      // Mf = 29.5
  });
}

TEST(Formatting, NonFiniteInputDoesNotFail) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double x : {inf, -inf, nan}) {
    EXPECT_FALSE(FormatHMS(x).empty());
    EXPECT_FALSE(FormatHMSFine(x).empty());
    EXPECT_FALSE(FormatHMShort(x).empty());
    EXPECT_FALSE(FormatArcMinSec(x).empty());
    EXPECT_FALSE(FormatDMSFine(x).empty());
    EXPECT_FALSE(FormatDM(x).empty());
    EXPECT_FALSE(FormatD(x).empty());
  }
}

TEST(DegMin, Conversions) {
  EXPECT_NEAR(DegToDegMin(57.7), 57.42, 1e-12);
  EXPECT_NEAR(DegToDegMin(-57.7), -57.42, 1e-12);
  EXPECT_NEAR(DegMinToDeg(57.42), 57.7, 1e-12);
  EXPECT_NEAR(DegMinToDeg(-57.42), -57.7, 1e-12);
  EXPECT_NEAR(DegMinToDeg(-0.30), -0.5, 1e-12);
  EXPECT_EQ(DegMinToDeg(12.0), 12.0);
}

TEST(DegMin, ParseFixedColumns) {
  struct Case {
    std::string text;
    double expected;
  };
  const std::vector<Case> unsignedCases = {
      {"5930.5", 59.0 + 30.5 / 60.0},
      {"1230.5XYZ", 12.0 + 30.5 / 60.0},  // only the first 6 characters
      {"12", 12.0},
      {"5", 5.0},
      {"", 0.0},
      {" 530", 5.5},
      {"05 7.5", 5.0 + 7.5 / 60.0},
      {"ab30", 0.5},  // a part that is not a number counts as 0
      {"12ab", 12.0},
      {"12 3 4", 12.0},
  };
  for (const Case& c : unsignedCases) {
    EXPECT_NEAR(ParseDegMin(c.text), c.expected, 1e-12) << "'" << c.text << "'";
  }
  const std::vector<Case> signedCases = {
      {"-2330", -23.5},   {"+2330", 23.5}, {" 2330", 23.5}, {"-05 30", -5.5},
      {"-2330.5", -23.5},  // "-2330." is all that is used
      {"-2", -2.0},       {"-", 0.0},      {"", 0.0},       {"-xx30", -0.5},
  };
  for (const Case& c : signedCases) {
    EXPECT_NEAR(ParseSignedDegMin(c.text), c.expected, 1e-12) << "'" << c.text << "'";
  }
}

TEST(Padding, AddsUpToTwelveBlanks) {
  EXPECT_EQ(PadLeft("abc", 5), "  abc");
  EXPECT_EQ(PadLeft("abc", 2), "abc");
  EXPECT_EQ(PadLeft("abc", 3), "abc");
  EXPECT_EQ(PadLeft("abc", 15), std::string(12, ' ') + "abc");
  EXPECT_EQ(PadLeft("abc", 16), "abc");
  EXPECT_EQ(PadLeft("abc", -5), "abc");
  EXPECT_EQ(PadLeft("abc", INT_MIN), "abc");
  EXPECT_EQ(PadLeft("", 4), "    ");
  EXPECT_EQ(PadLeft("59\u00B0", 4), " 59\u00B0");  // the degree sign is one character
  EXPECT_EQ(PadRight("abc", 5), "abc  ");
  EXPECT_EQ(PadRight("abc", 2), "abc");
  EXPECT_EQ(PadRight("abc", 15), "abc" + std::string(12, ' '));
  EXPECT_EQ(PadRight("abc", 16), "abc");
}

TEST(DegreeTrig, SinCosArcSin) {
  EXPECT_NEAR(SinDeg(30.0), 0.5, 1e-15);
  EXPECT_NEAR(CosDeg(60.0), 0.5, 1e-15);
  EXPECT_NEAR(SinDeg(90.0), 1.0, 1e-15);
  EXPECT_NEAR(CosDeg(180.0), -1.0, 1e-15);
  EXPECT_NEAR(SinDeg(-45.0), -std::sqrt(0.5), 1e-15);

  EXPECT_EQ(ArcSinDeg(1.0000001), 90.0);
  EXPECT_EQ(ArcSinDeg(-1.0), -90.0);
  EXPECT_EQ(ArcSinDeg(1.0), 90.0);
  EXPECT_EQ(ArcSinDeg(-2.0), -90.0);
  EXPECT_EQ(ArcSinDeg(0.0), 0.0);
  EXPECT_NEAR(ArcSinDeg(0.5), 30.0, 1e-12);
  EXPECT_NEAR(ArcSinDeg(-0.5), -30.0, 1e-12);
  EXPECT_NEAR(ArcSinDeg(std::sqrt(0.5)), 45.0, 1e-12);
  EXPECT_NEAR(ArcSinDeg(1e-8), 5.729577951308232e-7, 1e-20);
  EXPECT_NEAR(ArcSinDeg(2e-7), 1.1459155902616465e-5, 1e-18);
}

TEST(DegreeTrig, ArcTan2InTheQuadrantOfThePoint) {
  struct Case {
    double y;
    double x;
    double expected;
  };
  const std::vector<Case> cases = {
      {1.0, 1.0, 45.0},
      {1.0, -1.0, 135.0},
      {-1.0, -1.0, 225.0},
      {-1.0, 1.0, 315.0},
      {0.0, 0.0, 45.0},
      {0.0, -1.0, 180.0 - 0.0005729577951117247},  // atan(1e-5) in degrees
      {0.0, 1.0, 0.0005729577951117247},
      {1.0, 0.0, 90.0 - 0.0005729577951117247},
      {-1.0, 0.0, 270.0 + 0.0005729577951117247},
      {std::sqrt(3.0), 1.0, 60.0},
      {-1.0, std::sqrt(3.0), 330.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ArcTan2Deg(c.y, c.x), c.expected, 1e-11) << "y=" << c.y << " x=" << c.x;
  }
  const double west = ArcTan2Deg(0.0, -1.0);
  EXPECT_LT(west, 180.0);
  EXPECT_GT(west, 179.99);
}

TEST(DegreeTrig, Normalize360) {
  struct Case {
    double x;
    double expected;
  };
  const std::vector<Case> cases = {
      {-1.0, 359.0},    {720.0, 0.0},       {359.9999, 359.9999}, {360.0, 0.0},
      {0.0, 0.0},       {-360.0, 0.0},      {1000010.5, 290.5},   {-1000010.5, 69.5},
      {-720000.0, 0.0}, {-359999.75, 0.25}, {3599.5, 359.5},      {-3600.25, 359.75},
  };
  for (const Case& c : cases) {
    double v = c.x;
    const double result = Normalize360(v);
    EXPECT_EQ(result, c.expected) << "x=" << c.x;
    EXPECT_EQ(v, result) << "the argument takes the result, x=" << c.x;
  }
  // Huge and tiny angles still end up in [0, 360) without looping for ever.
  for (const double x : {1e300, -1e300, 1e20, -1.234e18, -1e-20, -1e-300}) {
    double v = x;
    const double result = Normalize360(v);
    EXPECT_GE(result, 0.0) << "x=" << x;
    EXPECT_LT(result, 360.0) << "x=" << x;
  }
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(Normalize360(inf)));
}

TEST(DegreeTrig, Pow10) {
  EXPECT_EQ(Pow10(0.0), 1.0);
  EXPECT_NEAR(Pow10(1.0), 10.0, 1e-8);
  EXPECT_NEAR(Pow10(2.0), 100.0, 1e-7);
  EXPECT_NEAR(Pow10(-3.0), 0.001, 1e-12);
  EXPECT_NEAR(Pow10(0.5), std::sqrt(10.0), 1e-9);
}

}  // namespace
}  // namespace himlavy
