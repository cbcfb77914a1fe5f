// Tests of the angle arithmetic and series helpers. Reference values come from the standard
// library (std::numbers, std::atan2, std::asin, std::floor, std::fmod, ...) and from worked
// examples in J. Meeus, Astronomical Algorithms, 2nd ed. (1998).
#include "astro/basic.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace himlavy {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(BasicTest, ConstantsAreFullDoublePrecision) {
  EXPECT_EQ(kPi, std::numbers::pi);
  EXPECT_EQ(kPiHalf, std::numbers::pi / 2.0);
  EXPECT_EQ(kTwoPi, 2.0 * std::numbers::pi);
}

TEST(BasicTest, Atan2EdgeCases) {
  struct Case {
    double y, x, expected;
  };
  const double pi = std::numbers::pi;
  const Case cases[] = {
      {0.0, 0.0, 0.0},        {0.0, -1.0, -pi},          {1.0, 0.0, pi / 2.0},
      {-1.0, 0.0, -pi / 2.0}, {1.0, -1.0, 3.0 * pi / 4}, {-1.0, -1.0, -3.0 * pi / 4},
      {0.0, 5.0, 0.0},        {-0.0, -2.0, -pi},         {1.0, 1.0, pi / 4.0},
      {-1.0, 1.0, -pi / 4.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Atan2(c.y, c.x), c.expected, 1e-15) << "y=" << c.y << " x=" << c.x;
  }
  // The y = 0, x < 0 branch gives exactly -pi, the bottom of the range.
  EXPECT_EQ(Atan2(0.0, -1.0), -kPi);
  EXPECT_TRUE(std::isnan(Atan2(std::numeric_limits<double>::quiet_NaN(), 1.0)));
}

TEST(BasicTest, Atan2AgreesWithStdAtan2OffTheNegativeXAxis) {
  // Points on circles of several radii, every 7.5 degrees, skipping the negative x axis
  // where the two conventions differ on purpose (+pi there for std::atan2).
  for (double radius : {1e-3, 1.0, 1e6}) {
    for (int k = -23; k <= 23; ++k) {
      const double angle = k * 7.5 * kDeg;
      const double y = radius * std::sin(angle);
      const double x = radius * std::cos(angle);
      EXPECT_NEAR(Atan2(y, x), std::atan2(y, x), 2e-15) << "angle " << k * 7.5;
    }
  }
}

TEST(BasicTest, ArcSinArcCos) {
  EXPECT_EQ(ArcSin(1.0), kPiHalf);
  EXPECT_EQ(ArcSin(-1.0), -kPiHalf);
  EXPECT_EQ(ArcCos(1.0), 0.0);
  EXPECT_EQ(ArcCos(-1.0), kPi);
  EXPECT_EQ(ArcSin(0.0), 0.0);
  const double xs[] = {-0.999999, -0.9, -0.7071067811865476, -0.5, -0.1,    1e-9,
                       0.2,       0.5,  0.8660254037844386,  0.99, 0.999999};
  for (double x : xs) {
    EXPECT_NEAR(ArcSin(x), std::asin(x), 1e-13) << x;
    EXPECT_NEAR(ArcCos(x), std::acos(x), 1e-13) << x;
  }
  // Rounding excess beyond +-1 is read as +-1 rather than giving NaN.
  EXPECT_EQ(ArcSin(1.0 + 2e-16), kPiHalf);
  EXPECT_EQ(ArcCos(-1.0 - 2e-16), kPi);
}

TEST(BasicTest, TangentAndLog10) {
  for (double x : {-1.2, -0.3, 0.0, 0.5, 1.0, 1.5, 3.0}) {
    EXPECT_NEAR(Tangent(x), std::tan(x), 1e-14 * (1.0 + std::fabs(std::tan(x)))) << x;
  }
  for (double x : {1e-5, 0.3, 1.0, 2.0, 10.0, 12345.678, 1e20}) {
    EXPECT_NEAR(Log10(x), std::log10(x), 1e-10 * (1.0 + std::fabs(std::log10(x)))) << x;
  }
  EXPECT_EQ(Log10(1.0), 0.0);
  // The divisor is ln 10 to nine decimals (2.302585093, larger than ln 10 by 6e-12), so
  // Log10 of 10^10 falls short of 10 by about 2.6e-11.
  EXPECT_NEAR(10.0 - Log10(1e10), 2.6e-11, 0.2e-11);
}

TEST(BasicTest, Mod2Pi) {
  struct Case {
    double a, expected;
  };
  const double twoPi = 2.0 * std::numbers::pi;
  const Case cases[] = {
      {-0.1, twoPi - 0.1},
      {twoPi, 0.0},
      {-twoPi, 0.0},
      {0.0, 0.0},
      {1.0, 1.0},
      {7.0, 7.0 - twoPi},
      {-7.0, 2 * twoPi - 7.0},
      {100.0, 100.0 - 15 * twoPi},
      {-100.0, 16 * twoPi - 100.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Mod2Pi(c.a), c.expected, 1e-13) << c.a;
  }
  EXPECT_EQ(Mod2Pi(kTwoPi), 0.0);
  EXPECT_EQ(Mod2Pi(-kTwoPi), 0.0);
  // Against an independent reduction, and always inside [0, 2pi), even for tiny negative
  // angles whose sum with 2pi rounds to 2pi.
  for (double a : {-1e-20, -1e-300, -3e-16, 5e-17, 12.5, -12.5, 1e6, -1e6}) {
    const double r = Mod2Pi(a);
    EXPECT_GE(r, 0.0) << a;
    EXPECT_LT(r, kTwoPi) << a;
    const double reference = std::fmod(std::fmod(a, twoPi) + twoPi, twoPi);
    const double difference = std::remainder(r - reference, twoPi);
    EXPECT_NEAR(difference, 0.0, 1e-9) << a;
  }
}

TEST(BasicTest, ModPi) {
  struct Case {
    double a, expected;
  };
  const double pi = std::numbers::pi;
  const Case cases[] = {
      {1.5 * pi, -pi / 2},
      {-1.5 * pi, pi / 2},
      {pi, pi},
      {-pi, -pi},
      {0.5, 0.5},
      {-3.0, -3.0},
      {7.0, 7.0 - 2 * pi},
      {-7.0, -7.0 + 2 * pi},
      {4 * pi + 1.0, 1.0},
      {-4 * pi - 1.0, -1.0},
      {100.0, 100.0 - 16 * pi * 2},
      {0.0, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ModPi(c.a), c.expected, 1e-13) << c.a;
  }
  // Exactly +-pi stay as they are.
  EXPECT_EQ(ModPi(kPi), kPi);
  EXPECT_EQ(ModPi(-kPi), -kPi);
}

TEST(BasicTest, FloorReal) {
  const double xs[] = {-2.5,    -3.0,       2.7,         0.0, -0.1, 0.999,
                       -1e-300, 1e15 + 0.5, -1e15 - 0.5, 4.0, -4.0, 1e300};
  for (double x : xs) {
    EXPECT_EQ(FloorReal(x), std::floor(x)) << x;
  }
  EXPECT_EQ(FloorReal(-2.5), -3.0);
  EXPECT_EQ(FloorReal(-3.0), -3.0);
  EXPECT_EQ(FloorReal(2.7), 2.0);
}

TEST(BasicTest, SinCosMultiples) {
  constexpr double kSentinel = 12345.0;
  // n = 1 fills only the first entries.
  std::array<double, 4> sinTab;
  std::array<double, 4> cosTab;
  sinTab.fill(kSentinel);
  cosTab.fill(kSentinel);
  SinCosMultiples(1, 0.3, sinTab, cosTab);
  EXPECT_DOUBLE_EQ(sinTab[0], std::sin(0.3));
  EXPECT_DOUBLE_EQ(cosTab[0], std::cos(0.3));
  for (std::size_t k = 1; k < sinTab.size(); ++k) {
    EXPECT_EQ(sinTab[k], kSentinel);
    EXPECT_EQ(cosTab[k], kSentinel);
  }
  // n = 0 writes nothing.
  sinTab.fill(kSentinel);
  cosTab.fill(kSentinel);
  SinCosMultiples(0, 0.3, sinTab, cosTab);
  EXPECT_EQ(sinTab[0], kSentinel);
  EXPECT_EQ(cosTab[0], kSentinel);

  // Longer tables against direct evaluation, in plain arrays as the series code keeps them;
  // the last entry of the larger array stays untouched.
  for (double x : {-2.9, -0.4, 0.0, 0.7, 1.9, 3.1}) {
    double sines[13];
    double cosines[13];
    sines[12] = kSentinel;
    cosines[12] = kSentinel;
    SinCosMultiples(12, x, sines, cosines);
    for (int k = 1; k <= 12; ++k) {
      EXPECT_NEAR(sines[k - 1], std::sin(k * x), 1e-14) << "x=" << x << " k=" << k;
      EXPECT_NEAR(cosines[k - 1], std::cos(k * x), 1e-14) << "x=" << x << " k=" << k;
    }
    EXPECT_EQ(sines[12], kSentinel);
    EXPECT_EQ(cosines[12], kSentinel);
  }
}

TEST(BasicTest, PolarAndCartesian) {
  const double pi = std::numbers::pi;
  {
    const TSpherical p = CartesianToPolar(TVector3{0.0, -1.0, 0.0});
    EXPECT_NEAR(p.Lon, 1.5 * pi, 1e-15);
    EXPECT_EQ(p.Lat, 0.0);
    EXPECT_EQ(p.R, 1.0);
  }
  {
    const TSpherical p = CartesianToPolar(TVector3{0.0, 0.0, 2.0});
    EXPECT_EQ(p.Lat, kPiHalf);
    EXPECT_EQ(p.R, 2.0);
    EXPECT_EQ(p.Lon, 0.0);
  }
  {
    const TSpherical p = CartesianToPolar(TVector3{0.0, 0.0, -0.5});
    EXPECT_EQ(p.Lat, -kPiHalf);
    EXPECT_EQ(p.R, 0.5);
  }
  {
    // Lon stays below 2pi when Y is a tiny negative fraction of X.
    const TSpherical p = CartesianToPolar(TVector3{1.0, -1e-17, 0.0});
    EXPECT_GE(p.Lon, 0.0);
    EXPECT_LT(p.Lon, kTwoPi);
  }
  {
    // Lon 30 deg, Lat 45 deg, R 2: X = sqrt(6)/2, Y = sqrt(2)/2, Z = sqrt(2).
    const TVector3 v = PolarToCartesian(TSpherical{30 * kDeg, 45 * kDeg, 2.0});
    EXPECT_NEAR(v.X, std::sqrt(6.0) / 2.0, 1e-15);
    EXPECT_NEAR(v.Y, std::sqrt(2.0) / 2.0, 1e-15);
    EXPECT_NEAR(v.Z, std::sqrt(2.0), 1e-15);
  }
  // Round trips in every octant and near a pole. Lat comes from ArcSin(Z / R), which loses
  // digits close to +-pi/2 (about 1e-12 rad at 1.5707), hence the tolerances.
  const TSpherical points[] = {
      {0.1, 0.2, 1.0}, {2.0, -0.7, 3.5},   {3.5, 1.2, 0.01},  {5.9, -1.5, 1e8},
      {4.0, 0.0, 2.0}, {1.0, 1.5707, 1.0}, {6.28, -0.3, 7.0},
  };
  for (const TSpherical& p : points) {
    const TSpherical back = CartesianToPolar(PolarToCartesian(p));
    EXPECT_NEAR(back.Lon, p.Lon, 1e-11) << p.Lon << " " << p.Lat;
    EXPECT_NEAR(back.Lat, p.Lat, 1e-11) << p.Lon << " " << p.Lat;
    EXPECT_NEAR(back.R, p.R, 1e-15 * p.R) << p.Lon << " " << p.Lat;
  }
}

TEST(BasicTest, Rotations) {
  // A quarter turn: about x, (1, 2, 3) -> (1, -3, 2); about z, (1, 2, 3) -> (-2, 1, 3).
  const TVector3 v{1.0, 2.0, 3.0};
  const TVector3 wx = RotateAboutX(v, 0.0, 1.0);
  EXPECT_EQ(wx.X, 1.0);
  EXPECT_EQ(wx.Y, -3.0);
  EXPECT_EQ(wx.Z, 2.0);
  const TVector3 wz = RotateAboutZ(v, 0.0, 1.0);
  EXPECT_EQ(wz.X, -2.0);
  EXPECT_EQ(wz.Y, 1.0);
  EXPECT_EQ(wz.Z, 3.0);

  // The result may be written over the input.
  TVector3 u{1.0, 2.0, 3.0};
  u = RotateAboutX(u, 0.0, 1.0);
  EXPECT_EQ(u.Y, -3.0);
  EXPECT_EQ(u.Z, 2.0);
  u = TVector3{1.0, 2.0, 3.0};
  u = RotateAboutZ(u, 0.0, 1.0);
  EXPECT_EQ(u.X, -2.0);
  EXPECT_EQ(u.Y, 1.0);

  // Meeus, Example 13.a: Pollux, ecliptic lambda = 113.215630 deg, beta = 6.684170 deg with
  // eps = 23.4392911 deg, gives alpha = 116.328942 deg, delta = 28.026183 deg.
  const double eps = 23.4392911 * kDeg;
  const TVector3 ecliptic = PolarToCartesian(TSpherical{113.215630 * kDeg, 6.684170 * kDeg, 1.0});
  const TSpherical equatorial =
      CartesianToPolar(RotateAboutX(ecliptic, std::cos(eps), std::sin(eps)));
  EXPECT_NEAR(equatorial.Lon / kDeg, 116.328942, 1e-6);
  EXPECT_NEAR(equatorial.Lat / kDeg, 28.026183, 1e-6);
  EXPECT_NEAR(equatorial.R, 1.0, 1e-15);
  // And back again with the opposite angle.
  const TSpherical back =
      CartesianToPolar(RotateAboutX(PolarToCartesian(equatorial), std::cos(eps), -std::sin(eps)));
  EXPECT_NEAR(back.Lon / kDeg, 113.215630, 1e-9);
  EXPECT_NEAR(back.Lat / kDeg, 6.684170, 1e-9);

  // About z by 30 deg adds 30 deg to the longitude.
  const TSpherical turned = CartesianToPolar(RotateAboutZ(
      PolarToCartesian(TSpherical{0.4, 0.3, 2.0}), std::cos(30 * kDeg), std::sin(30 * kDeg)));
  EXPECT_NEAR(turned.Lon, 0.4 + 30 * kDeg, 1e-14);
  EXPECT_NEAR(turned.Lat, 0.3, 1e-14);
}

TEST(BasicTest, Interpolate3) {
  EXPECT_EQ(Interpolate3(1.0, 2.0, 4.0, 0.0), 2.0);
  EXPECT_EQ(Interpolate3(1.0, 2.0, 4.0, 1.0), 4.0);
  EXPECT_EQ(Interpolate3(1.0, 2.0, 4.0, -1.0), 1.0);
  // Meeus, Example 3.a: the distance of Mars on 1992 November 7, 8, 9 at 0h TD; at
  // November 8, 4h21m (n = 0.18125) it is 0.876125 AU.
  EXPECT_NEAR(Interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 5e-7);
  // A quadratic through the three points is reproduced anywhere.
  for (double n : {-1.5, -0.25, 0.4, 2.0}) {
    const double x = n;  // y = 3 - 2x + 0.5x^2 tabulated at x = -1, 0, 1
    EXPECT_NEAR(Interpolate3(5.5, 3.0, 1.5, n), 3.0 - 2.0 * x + 0.5 * x * x, 1e-14) << n;
  }
}

TEST(BasicTest, Polynomials) {
  // Meeus, Example 25.a: the Sun's mean longitude L0 = 280.46646 + 36000.76983 T
  // + 0.0003032 T^2 at T = -0.072183436 is -2318.19280 deg.
  constexpr TPoly2 kSunMeanLongitude = {280.46646, 36000.76983, 0.0003032};
  EXPECT_NEAR(Poly2(kSunMeanLongitude, -0.072183436), -2318.19280, 5e-6);
  // Meeus, Example 22.a: the mean obliquity 84381.448" - 46.8150" T - 0.00059" T^2
  // + 0.001813" T^3 at T = -0.127296372348 is 23 deg 26' 27.407".
  constexpr TPoly3 kMeanObliquity = {84381.448, -46.8150, -0.00059, 0.001813};
  EXPECT_NEAR(Poly3(kMeanObliquity, -0.127296372348), 23 * 3600 + 26 * 60 + 27.407, 5e-4);
  // Meeus, Example 47.a: the Moon's mean longitude L' = 218.3164477 + 481267.88123421 T
  // - 0.0015786 T^2 + T^3/538841 - T^4/65194000 at T = -0.077221081451 is 134.290182 deg
  // after reduction to 0..360 deg.
  constexpr TPoly4 kMoonMeanLongitude = {218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0,
                                         -1.0 / 65194000.0};
  const double lMoon = Poly4(kMoonMeanLongitude, -0.077221081451);
  EXPECT_NEAR(lMoon - 360.0 * std::floor(lMoon / 360.0), 134.290182, 5e-7);
  // Each coefficient lands on the right power.
  EXPECT_EQ(Poly2(TPoly2{1, 2, 3}, 2.0), 1 + 2 * 2 + 3 * 4);
  EXPECT_EQ(Poly3(TPoly3{1, 2, 3, 4}, 2.0), 1 + 2 * 2 + 3 * 4 + 4 * 8);
  EXPECT_EQ(Poly4(TPoly4{1, 2, 3, 4, 5}, 2.0), 1 + 2 * 2 + 3 * 4 + 4 * 8 + 5 * 16);
  EXPECT_EQ(Poly4(TPoly4{1, 2, 3, 4, 5}, 0.0), 1.0);
}

}  // namespace
}  // namespace himlavy
