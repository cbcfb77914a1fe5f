// Tests of the number texts: rounding, fixed, general and parameter-file forms, and reading.
#include "base/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>
#include <string>

namespace himlavy {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundHalfEven, TiesGoToEvenAndIntegersClamp) {
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  EXPECT_EQ(RoundHalfEvenToInt(9223372036854775808.0), LLONG_MAX);
  EXPECT_EQ(RoundHalfEvenToInt(-kInf), LLONG_MIN);
  EXPECT_EQ(RoundHalfEvenToInt(kNaN), 0);
}

TEST(FixedText, CorrectlyRoundedWithoutNegativeZero) {
  // The double 2.675 is 2.67499999999999982236431605997495353221893310546875.
  EXPECT_EQ(FixedText(2.675, 2), "2.67");
  EXPECT_EQ(FixedText(2.5, 0), "2");        // exact ties go to the even digit
  EXPECT_EQ(FixedText(-0.001, 2), "0.00");  // never "-0.00"
  EXPECT_EQ(FixedText(-0.006, 2), "-0.01");
  EXPECT_EQ(FixedText(123.456, 1, ','), "123,5");
  EXPECT_EQ(FixedText(7.6, -1), "8");  // a negative count of decimals means none
  EXPECT_EQ(FixedText(-kInf, 2), "-INF");
  EXPECT_EQ(FixedText(kNaN, 2), "NAN");
  EXPECT_EQ(FixedText(-1.7976931348623157e308, 2).size(), 313u);
}

TEST(GeneralText, ShortestFormAtTheGivenPrecision) {
  EXPECT_EQ(GeneralText(100.0), "100");
  EXPECT_EQ(GeneralText(1.5e-6), "1.5E-6");
  EXPECT_EQ(GeneralText(-0.0), "0");
  EXPECT_EQ(GeneralText(1.5, 15, ','), "1,5");
  EXPECT_EQ(GeneralText(9.999999999999999e-6), "0.00001");  // rounds to 1E-5 at 15 digits
  EXPECT_EQ(GeneralText(999999999999999.9), "1E15");        // 16 integer digits once rounded
  EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
  EXPECT_EQ(GeneralText(9.96, 2), "10");
  EXPECT_EQ(GeneralText(123.0, 2), "1.2E2");
  EXPECT_EQ(GeneralText(kInf), "INF");
}

TEST(ParamRealText, FifteenDigitExponentFormThatReadsBack) {
  EXPECT_EQ(ParamRealText(123.4), " 1.23400000000000E+0002");
  EXPECT_EQ(ParamRealText(-0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(ParamRealText(-2.0 / 3.0), "-6.66666666666667E-0001");
  EXPECT_EQ(ParamRealText(1.7976931348623157e308), " 1.79769313486232E+0308");
  // Values with at most 15 significant digits come back as the same double.
  for (const double x : {2451545.12345678, -987654321098765.0, 1e300, 5e-324}) {
    EXPECT_EQ(ParseReal(ParamRealText(x)), x);
  }
}

TEST(ParseReal, AcceptsWholeNumberTextsOnly) {
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
}

TEST(ParseInteger, DecimalWithOptionalSign) {
  EXPECT_EQ(ParseInteger(" -17 "), -17);
  EXPECT_EQ(ParseInteger("+8"), 8);
  EXPECT_EQ(ParseInteger("-9223372036854775808"), LLONG_MIN);
  for (const char* text : {"  ", "9223372036854775808", "1.0", "1e3", "+-1", "0x1F"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << "'" << text << "'";
  }
}

}  // namespace
}  // namespace himlavy
