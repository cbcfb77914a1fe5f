// Tests of the angle arithmetic and series helpers. Reference values come from the standard
// library (std::numbers, std::atan2, std::asin, std::floor, ...) and from worked examples in
// J. Meeus, Astronomical Algorithms, 2nd ed. (1998).
#include "astro/basic.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace himlavy {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(BasicTest, InverseTrigonometryEdgeCases) {
  // y = 0 with x < 0 gives exactly -pi (std::atan2 gives +pi); both zero give 0.
  EXPECT_EQ(Atan2(0.0, -1.0), -kPi);
  EXPECT_EQ(Atan2(0.0, 0.0), 0.0);
  for (double y : {1.0, -1.0, 0.3}) {
    for (double x : {0.0, 1.0, -1.0, -0.2}) {
      if (x != 0.0 || y != 0.0) {
        EXPECT_NEAR(Atan2(y, x), std::atan2(y, x), 2e-15) << y << " " << x;
      }
    }
  }
  EXPECT_TRUE(std::isnan(Atan2(std::numeric_limits<double>::quiet_NaN(), 1.0)));
  // Rounding excess beyond +-1 is read as +-1 rather than giving NaN.
  EXPECT_EQ(ArcSin(1.0 + 2e-16), kPiHalf);
  EXPECT_EQ(ArcSin(-1.0), -kPiHalf);
  EXPECT_EQ(ArcCos(-1.0 - 2e-16), kPi);
  EXPECT_EQ(ArcCos(1.0), 0.0);
  EXPECT_NEAR(ArcSin(0.8660254037844386), std::asin(0.8660254037844386), 1e-13);
}

TEST(BasicTest, AngleReductionsAndFloor) {
  const double twoPi = 2.0 * std::numbers::pi;
  const double pi = std::numbers::pi;
  const struct {
    double a, mod2Pi, modPi;
  } cases[] = {
      {-0.1, twoPi - 0.1, -0.1},
      {-7.0, 2 * twoPi - 7.0, -7.0 + twoPi},
      {100.0, 100.0 - 15 * twoPi, 100.0 - 16 * twoPi},
      {1.5 * pi, 1.5 * pi, -pi / 2},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(Mod2Pi(c.a), c.mod2Pi, 1e-13) << c.a;
    EXPECT_NEAR(ModPi(c.a), c.modPi, 1e-13) << c.a;
  }
  EXPECT_EQ(Mod2Pi(-kTwoPi), 0.0);
  // Tiny negative angles whose sum with 2pi rounds to 2pi still land inside [0, 2pi).
  EXPECT_LT(Mod2Pi(-1e-20), kTwoPi);
  EXPECT_GE(Mod2Pi(-1e-300), 0.0);
  // Exactly +-pi stay as they are.
  EXPECT_EQ(ModPi(kPi), kPi);
  EXPECT_EQ(ModPi(-kPi), -kPi);
  for (double x : {-2.5, -3.0, 2.7, -1e-300, -1e15 - 0.5, 1e300}) {
    EXPECT_EQ(FloorReal(x), std::floor(x)) << x;
  }
}

TEST(BasicTest, SinCosMultiples) {
  constexpr double kSentinel = 12345.0;
  // n = 1 fills only the first entries; longer tables, in plain arrays, against direct
  // evaluation, with the entry beyond n left untouched.
  std::array<double, 2> sinTab = {kSentinel, kSentinel};
  std::array<double, 2> cosTab = {kSentinel, kSentinel};
  SinCosMultiples(1, 0.3, sinTab, cosTab);
  EXPECT_DOUBLE_EQ(sinTab[0], std::sin(0.3));
  EXPECT_DOUBLE_EQ(cosTab[0], std::cos(0.3));
  EXPECT_EQ(sinTab[1], kSentinel);
  EXPECT_EQ(cosTab[1], kSentinel);
  for (double x : {-2.9, 0.7}) {
    double sines[13];
    double cosines[13];
    sines[12] = cosines[12] = kSentinel;
    SinCosMultiples(12, x, sines, cosines);
    for (int k = 1; k <= 12; ++k) {
      EXPECT_NEAR(sines[k - 1], std::sin(k * x), 1e-14) << "x=" << x << " k=" << k;
      EXPECT_NEAR(cosines[k - 1], std::cos(k * x), 1e-14) << "x=" << x << " k=" << k;
    }
    EXPECT_EQ(sines[12], kSentinel);
  }
}

TEST(BasicTest, PolarCartesianAndRotations) {
  // Lon stays below 2pi when Y is a tiny negative fraction of X; a pole has Lat = -pi/2.
  EXPECT_LT(CartesianToPolar(TVector3{1.0, -1e-17, 0.0}).Lon, kTwoPi);
  EXPECT_EQ(CartesianToPolar(TVector3{0.0, 0.0, -0.5}).Lat, -kPiHalf);
  // Round trips; Lat from ArcSin(Z / R) loses digits close to +-pi/2.
  for (const TSpherical& p : {TSpherical{5.9, -1.5, 1e8}, TSpherical{1.0, 1.5707, 1.0}}) {
    const TSpherical back = CartesianToPolar(PolarToCartesian(p));
    EXPECT_NEAR(back.Lon, p.Lon, 1e-11) << p.Lon;
    EXPECT_NEAR(back.Lat, p.Lat, 1e-11) << p.Lon;
    EXPECT_NEAR(back.R, p.R, 1e-15 * p.R) << p.Lon;
  }
  // A quarter turn about z, written over its input: (1, 2, 3) -> (-2, 1, 3).
  TVector3 u{1.0, 2.0, 3.0};
  u = RotateAboutZ(u, 0.0, 1.0);
  EXPECT_EQ(u.X, -2.0);
  EXPECT_EQ(u.Y, 1.0);
  EXPECT_EQ(u.Z, 3.0);
  // Meeus, Example 13.a: Pollux, ecliptic lambda = 113.215630 deg, beta = 6.684170 deg with
  // eps = 23.4392911 deg, gives alpha = 116.328942 deg, delta = 28.026183 deg.
  const double eps = 23.4392911 * kDeg;
  const TVector3 ecliptic = PolarToCartesian(TSpherical{113.215630 * kDeg, 6.684170 * kDeg, 1.0});
  const TSpherical equatorial =
      CartesianToPolar(RotateAboutX(ecliptic, std::cos(eps), std::sin(eps)));
  EXPECT_NEAR(equatorial.Lon / kDeg, 116.328942, 1e-6);
  EXPECT_NEAR(equatorial.Lat / kDeg, 28.026183, 1e-6);
}

TEST(BasicTest, InterpolationAndPolynomialsFollowMeeusExamples) {
  // Example 3.a: the distance of Mars on 1992 November 7, 8, 9 at 0h TD; at November 8,
  // 4h21m (n = 0.18125) it is 0.876125 AU.
  EXPECT_NEAR(Interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 5e-7);
  // Example 25.a: the Sun's mean longitude at T = -0.072183436 is -2318.19280 deg.
  EXPECT_NEAR(Poly2({280.46646, 36000.76983, 0.0003032}, -0.072183436), -2318.19280, 5e-6);
  // Example 22.a: the mean obliquity at T = -0.127296372348 is 23 deg 26' 27.407".
  EXPECT_NEAR(Poly3({84381.448, -46.8150, -0.00059, 0.001813}, -0.127296372348),
              23 * 3600 + 26 * 60 + 27.407, 5e-4);
  // Example 47.a: the Moon's mean longitude at T = -0.077221081451 is 134.290182 deg after
  // reduction to 0..360 deg.
  const double lMoon = Poly4(
      {218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0, -1.0 / 65194000.0},
      -0.077221081451);
  EXPECT_NEAR(lMoon - 360.0 * std::floor(lMoon / 360.0), 134.290182, 5e-7);
}

}  // namespace
}  // namespace himlavy
