// Tests of the angle arithmetic and series helpers against exact values and the worked examples
// of J. Meeus, Astronomical Algorithms, 2nd ed. (1998).
#include "base/basic.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace himlavy {
namespace {

TEST(BasicTest, InverseTrigonometryEdgeCases) {
  const struct {
    double y, x, expected;
  } cases[] = {{0, 0, 0},         {0, -1, -kPi},       {1, 0, kPiHalf},
               {-1, 0, -kPiHalf}, {1, -1, 0.75 * kPi}, {-1, -1, -0.75 * kPi}};
  for (const auto& c : cases) EXPECT_NEAR(Atan2(c.y, c.x), c.expected, 1e-15) << c.y << " " << c.x;
  EXPECT_EQ(Atan2(0.0, -1.0), -kPi);
  EXPECT_TRUE(std::isnan(Atan2(std::numeric_limits<double>::quiet_NaN(), 1.0)));
  // Rounding excess beyond +-1 is read as +-1 rather than giving NaN.
  EXPECT_EQ(ArcSin(1.0 + 2e-16), kPiHalf);
  EXPECT_EQ(ArcSin(-1.0), -kPiHalf);
  EXPECT_EQ(ArcCos(-1.0 - 2e-16), kPi);
  EXPECT_EQ(ArcCos(1.0), 0.0);
}

TEST(BasicTest, AngleReductionsAndFloor) {
  const struct {
    double a, mod2Pi, modPi;
  } cases[] = {{-0.1, kTwoPi - 0.1, -0.1},
               {100.0, 100.0 - 15 * kTwoPi, 100.0 - 16 * kTwoPi},
               {1.5 * kPi, 1.5 * kPi, -kPiHalf},
               {-1.5 * kPi, kPiHalf, kPiHalf}};
  for (const auto& c : cases) {
    EXPECT_NEAR(Mod2Pi(c.a), c.mod2Pi, 1e-13) << c.a;
    EXPECT_NEAR(ModPi(c.a), c.modPi, 1e-13) << c.a;
  }
  EXPECT_EQ(Mod2Pi(kTwoPi), 0.0);
  EXPECT_EQ(Mod2Pi(-kTwoPi), 0.0);
  // A tiny negative angle whose sum with 2pi rounds to 2pi still lands inside [0, 2pi).
  EXPECT_LT(Mod2Pi(-1e-20), kTwoPi);
  EXPECT_EQ(ModPi(kPi), kPi);
  EXPECT_EQ(ModPi(-kPi), -kPi);
  for (double x : {-2.5, -3.0, 2.7, -1e-300, -1e15 - 0.5})
    EXPECT_EQ(FloorReal(x), std::floor(x)) << x;
}

TEST(BasicTest, SinCosMultiples) {
  constexpr double kSentinel = 12345.0;
  std::array<double, 2> sinTab = {kSentinel, kSentinel};
  std::array<double, 2> cosTab = {kSentinel, kSentinel};
  SinCosMultiples(1, 0.3, sinTab, cosTab);
  EXPECT_DOUBLE_EQ(sinTab[0], std::sin(0.3));
  EXPECT_DOUBLE_EQ(cosTab[0], std::cos(0.3));
  EXPECT_EQ(sinTab[1], kSentinel);
  EXPECT_EQ(cosTab[1], kSentinel);
  double sines[12];
  double cosines[12];
  SinCosMultiples(12, -2.9, sines, cosines);
  for (int k = 1; k <= 12; ++k) {
    EXPECT_NEAR(sines[k - 1], std::sin(k * -2.9), 1e-14) << k;
    EXPECT_NEAR(cosines[k - 1], std::cos(k * -2.9), 1e-14) << k;
  }
}

TEST(BasicTest, PolarCartesianAndRotations) {
  const TSpherical west = CartesianToPolar(TVector3{0.0, -1.0, 0.0});
  EXPECT_NEAR(west.Lon, 1.5 * kPi, 1e-15);
  EXPECT_EQ(west.Lat, 0.0);
  EXPECT_EQ(west.R, 1.0);
  const TSpherical pole = CartesianToPolar(TVector3{0.0, 0.0, 2.0});
  EXPECT_EQ(pole.Lat, kPiHalf);
  EXPECT_EQ(pole.R, 2.0);
  EXPECT_LT(CartesianToPolar(TVector3{1.0, -1e-17, 0.0}).Lon, kTwoPi);
  const TVector3 u = RotateAboutZ(TVector3{1.0, 2.0, 3.0}, 0.0, 1.0);
  EXPECT_EQ(u.X, -2.0);
  EXPECT_EQ(u.Y, 1.0);
  EXPECT_EQ(u.Z, 3.0);
  // Meeus, Example 13.a: Pollux, ecliptic lambda = 113.215630 deg, beta = 6.684170 deg with
  // eps = 23.4392911 deg, gives alpha = 116.328942 deg, delta = 28.026183 deg.
  const double eps = 23.4392911 * kDegToRad;
  const TVector3 ecliptic =
      PolarToCartesian(TSpherical{113.215630 * kDegToRad, 6.684170 * kDegToRad, 1.0});
  const TSpherical equatorial =
      CartesianToPolar(RotateAboutX(ecliptic, std::cos(eps), std::sin(eps)));
  EXPECT_NEAR(equatorial.Lon / kDegToRad, 116.328942, 1e-6);
  EXPECT_NEAR(equatorial.Lat / kDegToRad, 28.026183, 1e-6);
}

TEST(BasicTest, InterpolationAndPolynomialsFollowMeeusExamples) {
  EXPECT_EQ(Interpolate3(1, 2, 4, 0), 2);
  EXPECT_EQ(Interpolate3(1, 2, 4, 1), 4);
  EXPECT_EQ(Interpolate3(1, 2, 4, -1), 1);
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
  const double lMoon =
      Poly4({218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0, -1.0 / 65194000.0},
            -0.077221081451);
  EXPECT_NEAR(lMoon - 360.0 * std::floor(lMoon / 360.0), 134.290182, 5e-7);
}

}  // namespace
}  // namespace himlavy
