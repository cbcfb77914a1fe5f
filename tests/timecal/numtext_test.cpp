// Tests of the number texts: rounding, fixed, general and parameter-file forms, and reading.
#include "timecal/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace himlavy {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundHalfEven, TiesGoToEven) {
  struct Case {
    double x;
    double expected;
  };
  const std::vector<Case> cases = {
      {2.5, 2.0},
      {3.5, 4.0},
      {-2.5, -2.0},
      {-3.5, -4.0},
      {0.5, 0.0},
      {1.5, 2.0},
      {30.5, 30.0},
      {31.5, 32.0},
      {2.4999999999999996, 2.0},
      {2.5000000000000004, 3.0},
      {-0.4, 0.0},
      {7.0, 7.0},
      {1e300, 1e300},
      {4503599627370497.0, 4503599627370497.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.x), c.expected) << "x=" << c.x;
  }
}

TEST(RoundHalfEven, ToIntegerClampsAndMapsNaNToZero) {
  struct Case {
    double x;
    long long expected;
  };
  const std::vector<Case> cases = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {1234567.5, 1234568},
      {9223372036854774784.0, 9223372036854774784LL},  // largest double below 2^63
      {9223372036854775808.0, LLONG_MAX},
      {1e300, LLONG_MAX},
      {kInf, LLONG_MAX},
      {-9223372036854775808.0, LLONG_MIN},
      {-1e300, LLONG_MIN},
      {-kInf, LLONG_MIN},
      {kNaN, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundHalfEvenToInt(c.x), c.expected) << "x=" << c.x;
  }
}

TEST(FixedText, CorrectlyRoundedWithoutNegativeZero) {
  struct Case {
    double x;
    int decimals;
    char sep;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {2.675, 2, '.',
       "2.67"},            // the double is 2.67499999999999982236431605997495353221893310546875
      {2.5, 0, '.', "2"},  // exact ties go to the even digit
      {3.5, 0, '.', "4"},
      {0.125, 2, '.', "0.12"},
      {0.375, 2, '.', "0.38"},
      {-1.35, 1, '.', "-1.4"},  // the double is a little above -1.35 in magnitude
      {-1.25, 1, '.', "-1.2"},
      {-0.001, 2, '.', "0.00"},  // never "-0.00"
      {-0.4, 0, '.', "0"},
      {-0.0, 1, '.', "0.0"},
      {-0.006, 2, '.', "-0.01"},
      {45.0, 4, '.', "45.0000"},
      {123.456, 1, ',', "123,5"},
      {1e20, 0, '.', "100000000000000000000"},
      {0.1, 20, '.', "0.10000000000000000555"},
      {7.6, -1, '.', "8"},  // a negative count of decimals means none
      {kInf, 2, '.', "INF"},
      {-kInf, 2, '.', "-INF"},
      {kNaN, 2, '.', "NAN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FixedText(c.x, c.decimals, c.sep), c.expected) << "x=" << c.x;
  }
  EXPECT_EQ(FixedText(1.7976931348623157e308, 0).size(), 309u);
  EXPECT_EQ(FixedText(-1.7976931348623157e308, 2).size(), 313u);
}

TEST(GeneralText, ShortestFormAtTheGivenPrecision) {
  struct Case {
    double x;
    int significant;
    char sep;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {100.0, 15, '.', "100"},
      {0.1, 15, '.', "0.1"},
      {1e-6, 15, '.', "1E-6"},
      {1.5e-6, 15, '.', "1.5E-6"},
      {1e20, 15, '.', "1E20"},
      {123456789012345678.0, 15, '.', "1.23456789012346E17"},
      {-123456789012345678.0, 15, '.', "-1.23456789012346E17"},
      {0.0, 15, '.', "0"},
      {-0.0, 15, '.', "0"},
      {-12.5, 15, '.', "-12.5"},
      {1.5, 15, ',', "1,5"},
      {0.00001, 15, '.', "0.00001"},
      {0.000012345, 15, '.', "0.000012345"},
      {9.99e-6, 15, '.', "9.99E-6"},
      {9.999999999999999e-6, 15, '.', "0.00001"},  // rounds to 1E-5 at 15 digits
      {1e14, 15, '.', "100000000000000"},
      {999999999999999.0, 15, '.', "999999999999999"},
      {1e15, 15, '.', "1E15"},
      {999999999999999.9, 15, '.', "1E15"},  // 16 integer digits once rounded
      {1.0 / 3.0, 15, '.', "0.333333333333333"},
      {2.0 / 3.0, 15, '.', "0.666666666666667"},
      {0.1 + 0.2, 15, '.', "0.3"},
      {2451545.0, 13, '.', "2451545"},
      {2451545.25, 13, '.', "2451545.25"},
      {2460000.123456789, 13, '.', "2460000.123457"},
      {15.7, 2, '.', "16"},
      {9.96, 2, '.', "10"},
      {123.0, 2, '.', "1.2E2"},
      {kInf, 15, '.', "INF"},
      {kNaN, 15, '.', "NAN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeneralText(c.x, c.significant, c.sep), c.expected)
        << "x=" << c.x << " significant=" << c.significant;
  }
}

TEST(ParamRealText, FifteenDigitExponentForm) {
  struct Case {
    double x;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {123.4, " 1.23400000000000E+0002"},
      {1234.0, " 1.23400000000000E+0003"},
      {-0.5, "-5.00000000000000E-0001"},
      {0.0, " 0.00000000000000E+0000"},
      {-0.0, " 0.00000000000000E+0000"},
      {1e-300, " 1.00000000000000E-0300"},
      {6.02e23, " 6.02000000000000E+0023"},
      {59.3293, " 5.93293000000000E+0001"},
      {1.0 / 3.0, " 3.33333333333333E-0001"},
      {-2.0 / 3.0, "-6.66666666666667E-0001"},
      {1.7976931348623157e308, " 1.79769313486232E+0308"},
      {4.9406564584124654e-324, " 4.94065645841247E-0324"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParamRealText(c.x), c.expected) << "x=" << c.x;
  }
}

TEST(ParamRealText, ReadsBackExactlyForFifteenDigitValues) {
  // Values with at most 15 significant digits come back as the same double.
  const std::vector<double> values = {1234.0,
                                      -0.5,
                                      0.0,
                                      1e-300,
                                      6.02e23,
                                      59.3293,
                                      123.4,
                                      -18.0633,
                                      2451545.0,
                                      2451545.12345678,
                                      0.000123456789012345,
                                      -987654321098765.0,
                                      1e300,
                                      5e-324};
  for (const double x : values) {
    const std::string text = ParamRealText(x);
    ASSERT_EQ(text.size(), 23u) << text;
    const std::optional<double> back = ParseReal(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, x) << text;
  }
  // Otherwise the nearest double to the 15-digit text.
  EXPECT_EQ(*ParseReal(ParamRealText(1.0 / 3.0)), 0.333333333333333);
}

TEST(ParseReal, AcceptsWholeNumberTexts) {
  struct Case {
    std::string text;
    bool allowComma;
    double expected;
  };
  const std::vector<Case> cases = {
      {"1.5", false, 1.5},
      {"  -2.25  ", false, -2.25},
      {"+3", false, 3.0},
      {"1e3", false, 1000.0},
      {"1.23400000000000E+0002", false, 123.4},
      {"-5.00000000000000E-0001", false, -0.5},
      {".5", false, 0.5},
      {"5.", false, 5.0},
      {"\t7\r\n", false, 7.0},
      {"-0", false, 0.0},
      {"4.9e-324", false, 4.9406564584124654e-324},
      {"1,5", true, 1.5},
      {"1.5", true, 1.5},
      {" -0,25 ", true, -0.25},
      {"1,5E2", true, 150.0},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = ParseReal(c.text, c.allowComma);
    ASSERT_TRUE(value.has_value()) << "'" << c.text << "'";
    EXPECT_EQ(*value, c.expected) << "'" << c.text << "'";
  }
}

TEST(ParseReal, RefusesAnythingElse) {
  struct Case {
    std::string text;
    bool allowComma;
  };
  const std::vector<Case> cases = {
      {"", false},       {"   ", false},    {"abc", false},  {"1.5x", false}, {"1e999", false},
      {"-1e999", false}, {"1e-999", false}, {"inf", false},  {"-inf", false}, {"infinity", false},
      {"nan", false},    {"NaN", false},    {"0x10", false}, {"1,5", false},  {"+-1", false},
      {"++1", false},    {"+", false},      {"-", false},    {".", false},    {"1 2", false},
      {"1.2.3", false},  {"e5", false},     {"1e", false},   {"1,5,0", true}, {"1.5,0", true},
      {",", true},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(ParseReal(c.text, c.allowComma).has_value()) << "'" << c.text << "'";
  }
}

TEST(ParseReal, HugeTextsNeitherHangNorCrash) {
  const std::string digits(10'000'000, '1');
  EXPECT_FALSE(ParseReal(digits).has_value());  // 1.1E9999999 is out of range
  EXPECT_FALSE(ParseReal(digits + "x").has_value());
  const std::optional<double> small = ParseReal("0." + std::string(10'000'000, '3'), true);
  ASSERT_TRUE(small.has_value());
  EXPECT_EQ(*small, 1.0 / 3.0);
  EXPECT_FALSE(ParseReal(std::string(10'000'000, ' ')).has_value());
}

TEST(ParseInteger, DecimalWithOptionalSign) {
  struct Case {
    std::string text;
    std::optional<long long> expected;
  };
  const std::vector<Case> cases = {
      {"42", 42},
      {" -17 ", -17},
      {"+8", 8},
      {"0", 0},
      {"\t12\r", 12},
      {"9223372036854775807", LLONG_MAX},
      {"-9223372036854775808", LLONG_MIN},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"1.0", std::nullopt},
      {"1e3", std::nullopt},
      {"12a", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
      {"0x1F", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.expected) << "'" << c.text << "'";
  }
}

}  // namespace
}  // namespace himlavy
