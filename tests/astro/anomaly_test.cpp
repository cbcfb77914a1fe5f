// Tests of the true-anomaly solvers against J. Meeus, Astronomical Algorithms, 2nd ed. (1998),
// chapters 30, 34 and 35, and against a bisection on Kepler's equation in long double.
#include "astro/anomaly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "base/basic.h"

namespace himlavy {
namespace {

using Real = long double;
constexpr Real kPiL = std::numbers::pi_v<Real>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The eccentric anomaly solving E - e sin E = m for m in [-pi, pi], by bisection.
Real EccentricAnomalyReference(Real e, Real m) {
  Real lo = -kPiL, hi = kPiL;
  for (int i = 0; i < 200; ++i) {
    const Real mid = (lo + hi) / 2;
    (mid - e * std::sin(mid) < m ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// True from eccentric anomaly by sin v and cos v separately (Meeus, 2nd ed., chapter 30).
double TrueFromEccentric(Real e, Real ecc) {
  return static_cast<double>(std::atan2(std::sqrt(1 - e * e) * std::sin(ecc), std::cos(ecc) - e));
}

TEST(KeplerTrueAnomalyTest, MeeusExamplesAndCircularOrbit) {
  // Example 30.a (1st ed. 29.a): e = 0.1, M = 5 deg gives E = 5.554589254 deg. Chapter 30,
  // p. 205: e = 0.99, M = 0.2 rad gives E = 1.066997365282 rad (Mikkola's start).
  const struct {
    double e, m;
    Real ecc;
  } cases[] = {{0.1, 5.0 * kDegToRad, 5.554589254L * kPiL / 180},
               {0.99, 0.2, 1.066997365282L},
               {0.99, -0.2, -1.066997365282L}};
  for (const auto& c : cases)
    EXPECT_NEAR(KeplerTrueAnomaly(c.e, c.m), TrueFromEccentric(c.e, c.ecc), 1e-10) << c.m;
  for (double m : {-3.0, 7.5, 3 * kPi})
    EXPECT_NEAR(KeplerTrueAnomaly(0.0, m), ModPi(m), 1e-15) << m;
}

TEST(KeplerTrueAnomalyTest, SolvesKeplersEquationAroundTheStartSwitch) {
  // Mikkola's cubic start is taken for e > 0.97 and |M| < 0.6; anomalies outside [-pi, pi].
  for (double e : {0.5, 0.97, 0.970001, 0.99, 0.999999}) {
    for (double m : {-kPi, -2.0, -0.3, 0.01, 0.599999, 0.600001, 1.5, kPi, 4.0, -35.0, 1000.0}) {
      const Real reduced = std::remainder(static_cast<Real>(m), 2 * kPiL);
      const Real v = KeplerTrueAnomaly(e, m);
      const Real le = e;
      const Real ecc = 2 * std::atan(std::sqrt((1 - le) / (1 + le)) * std::tan(v / 2));
      EXPECT_NEAR(static_cast<double>(ecc),
                  static_cast<double>(EccentricAnomalyReference(le, reduced)), 1e-9)
          << "e=" << e << " M=" << m;
      EXPECT_LE(std::fabs(v), kPiL);
    }
  }
}

TEST(ParabolicTrueAnomalyTest, MeeusExamplesAndExtremes) {
  // Example 34.a (1998 Aug 5.0 less T = 1998 Apr 14.4358) and chapter 35, table p. 247.
  const struct {
    double q, days, vDeg;
  } cases[] = {{1.487469, 112.5642, 66.78862}, {0.921326, 138.4783, 102.74426}};
  for (const auto& c : cases) {
    const double v = ParabolicTrueAnomaly(c.q, c.days / 36525.0);
    EXPECT_NEAR(v / kDegToRad, c.vDeg, 1e-5) << c.q;
    EXPECT_EQ(ParabolicTrueAnomaly(c.q, -c.days / 36525.0), -v) << c.q;
  }
  EXPECT_EQ(ParabolicTrueAnomaly(0.7, 0.0), 0.0);
  // W = 1.3e33 (a step of 1e-6 in s = 1e11 cannot be resolved and Newton would cycle), 1.3e48
  // and 1.3e163 (s^2 overflows in the first step): the round cap ends it with v at +-pi.
  for (double q : {1e-20, 1e-30, 1e-107}) {
    EXPECT_NEAR(ParabolicTrueAnomaly(q, 1.0), kPi, 1e-9) << q;
    EXPECT_NEAR(ParabolicTrueAnomaly(q, -1.0), -kPi, 1e-9) << q;
  }
}

TEST(TrueAnomalyTest, NotANumberEndsTheIteration) {
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(0.99, kNaN)));
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(0.5, std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(ParabolicTrueAnomaly(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(ParabolicTrueAnomaly(1.0, kNaN)));
}

TEST(NearParabolicTrueAnomalyTest, MeeusTable) {
  // Meeus, chapter 35, the table of examples on p. 247 (v printed in 0..360 deg).
  const struct {
    double q, e, days, vDeg;
  } cases[] = {{0.921326, 1.0, 138.4783, 102.74426},         {0.1, 0.987, 254.9, 164.50029},
               {0.123456, 0.99997, -30.47, 221.91190 - 360}, {3.363943, 1.05731, 1237.1, 109.40598},
               {0.5871018, 0.9672746, 20.0, 52.85331},       {0.5871018, 0.9672746, 0.0, 0.0}};
  for (const auto& c : cases) {
    EXPECT_NEAR(NearParabolicTrueAnomaly(c.e, c.q, c.days / 36525.0) / kDegToRad, c.vDeg, 1e-5)
        << c.q;
  }
  // With e = 1 the parabolic solver's v, to the tolerance 1e-4 in tan(v / 2).
  const double dt = 138.4783 / 36525.0;
  EXPECT_NEAR(std::tan(NearParabolicTrueAnomaly(1.0, 0.921326, dt) / 2),
              std::tan(ParabolicTrueAnomaly(0.921326, dt) / 2), 1e-4);
}

}  // namespace
}  // namespace himlavy
