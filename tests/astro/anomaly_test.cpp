// Tests of the true-anomaly solvers. Reference values come from J. Meeus, Astronomical
// Algorithms, 2nd ed. (1998), and from independent solutions computed here in long double:
// bisection on Kepler's equation (elliptic and hyperbolic) and Cardano's closed form of
// Barker's equation.
#include "astro/anomaly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "astro/basic.h"

namespace himlavy {
namespace {

using Real = long double;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr Real kK = 0.01720209895L;  // Gaussian gravitational constant
constexpr Real kDaysPerCentury = 36525.0L;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Bisection on f(x) = 0 for an increasing f over [lo, hi], to the last bit of long double.
template <typename F>
Real Bisect(F f, Real lo, Real hi) {
  for (int i = 0; i < 200; ++i) {
    const Real mid = (lo + hi) / 2;
    if (mid == lo || mid == hi) break;
    (f(mid) < 0 ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// The eccentric anomaly solving E - e sin E = m for m in [-pi, pi].
Real EccentricAnomalyReference(Real e, Real m) {
  const Real pi = std::numbers::pi_v<Real>;
  return Bisect([&](Real x) { return x - e * std::sin(x) - m; }, -pi, pi);
}

// True from eccentric anomaly by sin v and cos v separately (Meeus, 2nd ed., chapter 30):
// sqrt(1 - e^2) sin E and cos E - e, both over 1 - e cos E.
Real TrueFromEccentric(Real e, Real ecc) {
  return std::atan2(std::sqrt(1 - e * e) * std::sin(ecc), std::cos(ecc) - e);
}

// The mean anomaly reduced to [-pi, pi] independently of ModPi.
Real ReduceAngle(double m) {
  return std::remainder(static_cast<Real>(m), 2 * std::numbers::pi_v<Real>);
}

// tan(v/2) on a parabola from Cardano's solution of s^3 + 3s = W, W = 3k t / (sqrt 2 q^1.5),
// t in days: s = cbrt(W/2 + sqrt(W^2/4 + 1)) - cbrt(-W/2 + sqrt(W^2/4 + 1)), evaluated for
// |W| and given the sign of W so that no difference of nearly equal numbers is taken.
Real ParabolicSReference(Real q, Real days) {
  const Real w = 3 * kK / std::sqrt(Real{2}) * days / (q * std::sqrt(q));
  const Real half = std::fabs(w) / 2;
  const Real y = std::cbrt(half + std::hypot(half, Real{1}));
  const Real s = y - 1 / y;
  return w < 0 ? -s : s;
}

// True anomaly on an ellipse or hyperbola from q, e and days since perihelion, by bisection
// on Kepler's equation (Meeus, 2nd ed., chapters 30 and 35).
Real ConicTrueAnomalyReference(Real q, Real e, Real days) {
  if (e < 1) {
    const Real a = q / (1 - e);
    const Real m = std::remainder(kK * days / (a * std::sqrt(a)), 2 * std::numbers::pi_v<Real>);
    return TrueFromEccentric(e, EccentricAnomalyReference(e, m));
  }
  // Hyperbola: e sinh H - H = M, with M = k t / a^1.5 and a = q / (e - 1); since
  // e sinh H - H >= (e - 1) sinh H for H >= 0, |H| <= asinh(|M| / (e - 1)).
  const Real a = q / (e - 1);
  const Real m = kK * days / (a * std::sqrt(a));
  const Real bound = std::asinh(std::fabs(m) / (e - 1)) + 1;
  const Real h = Bisect([&](Real x) { return e * std::sinh(x) - x - m; }, -bound, bound);
  return 2 * std::atan(std::sqrt((e + 1) / (e - 1)) * std::tanh(h / 2));
}

// --- Kepler's equation ------------------------------------------------------------------

TEST(KeplerTrueAnomalyTest, CircularOrbitGivesTheReducedMeanAnomaly) {
  for (double m : {0.0, 0.25, -1.0, 3.0, -3.0, 4.0, 7.5, -20.0, 100.0, kPi, -kPi, 3 * kPi}) {
    EXPECT_NEAR(KeplerTrueAnomaly(0.0, m), ModPi(m), 1e-15) << m;
  }
}

TEST(KeplerTrueAnomalyTest, MeeusExamples) {
  // Example 30.a/30.b (1st ed. 29.a): e = 0.1, M = 5 deg gives E = 5.554589254 deg.
  {
    const Real e = 0.1L;
    const Real v = TrueFromEccentric(e, 5.554589254L * std::numbers::pi_v<Real> / 180);
    EXPECT_NEAR(KeplerTrueAnomaly(0.1, 5.0 * kDeg), static_cast<double>(v), 1e-10);
  }
  // Chapter 30, p. 205: e = 0.99, M = 0.2 rad gives E = 1.066997365282 rad (Mikkola's start
  // is taken: e > 0.97 and |M| < 0.6).
  {
    const Real e = 0.99L;
    const Real v = TrueFromEccentric(e, 1.066997365282L);
    EXPECT_NEAR(KeplerTrueAnomaly(0.99, 0.2), static_cast<double>(v), 1e-10);
    EXPECT_NEAR(KeplerTrueAnomaly(0.99, -0.2), -static_cast<double>(v), 1e-10);
  }
}

TEST(KeplerTrueAnomalyTest, SolvesKeplersEquationForAllEccentricities) {
  std::vector<double> anomalies;
  for (int i = -120; i <= 120; ++i) anomalies.push_back(kPi * i / 120.0);
  for (double m : {1e-12, 1e-6, 0.01, 0.3, 0.599999, 0.6, 0.600001, 3.14159}) {
    anomalies.push_back(m);
    anomalies.push_back(-m);
  }
  // Outside [-pi, pi]: the mean anomaly is reduced first.
  for (double m : {4.0, -4.0, 10.0, -35.0, 1000.0}) anomalies.push_back(m);

  for (double e : {0.0, 0.1, 0.5, 0.9, 0.97, 0.970001, 0.99, 0.999, 0.999999}) {
    for (double m : anomalies) {
      const Real reduced = ReduceAngle(m);
      const Real eRef = EccentricAnomalyReference(e, reduced);
      const Real vRef = TrueFromEccentric(e, eRef);
      const double v = KeplerTrueAnomaly(e, m);
      // The eccentric anomaly that our v stands for, and Kepler's equation with it.
      const Real le = e;
      const Real ecc = 2 * std::atan(std::sqrt((1 - le) / (1 + le)) * std::tan(Real{v} / 2));
      EXPECT_NEAR(static_cast<double>(ecc), static_cast<double>(eRef), 1e-9)
          << "e=" << e << " M=" << m;
      EXPECT_NEAR(static_cast<double>(ecc - le * std::sin(ecc)), static_cast<double>(reduced), 1e-6)
          << "e=" << e << " M=" << m;
      // v itself, within what 1e-9 in E allows (dv/dE = sqrt(1 - e^2) / (1 - e cos E)).
      const Real slope = std::sqrt(1 - le * le) / (1 - le * std::cos(eRef));
      if (std::fabs(vRef) < 3.14159) {  // v = -pi and +pi are the same direction
        EXPECT_NEAR(v, static_cast<double>(vRef), static_cast<double>(1e-9 * slope) + 1e-12)
            << "e=" << e << " M=" << m;
      }
      EXPECT_GE(v, -kPi);
      EXPECT_LE(v, kPi);
    }
  }
}

TEST(KeplerTrueAnomalyTest, HighEccentricitySmallMeanAnomaly) {
  // e = 0.99, M = 0.01 starts from Mikkola's cubic and must still meet Kepler's equation.
  const Real eRef = EccentricAnomalyReference(0.99L, 0.01L);
  const double v = KeplerTrueAnomaly(0.99, 0.01);
  EXPECT_NEAR(v, static_cast<double>(TrueFromEccentric(0.99L, eRef)), 1e-9);
  const Real ecc = 2 * std::atan(std::sqrt(0.01L / 1.99L) * std::tan(Real{v} / 2));
  EXPECT_NEAR(static_cast<double>(ecc - 0.99L * std::sin(ecc)), 0.01, 1e-6);
}

TEST(KeplerTrueAnomalyTest, NotANumberEndsTheIteration) {
  // Reaching the checks at all shows that the Newton loop ended.
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(0.5, kNaN)));
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(0.99, kNaN)));
  EXPECT_TRUE(std::isnan(KeplerTrueAnomaly(0.5, std::numeric_limits<double>::infinity())));
}

// --- Barker's equation ------------------------------------------------------------------

TEST(ParabolicTrueAnomalyTest, MeeusExamples) {
  struct Case {
    double q, days, printedDeg;
  };
  const Case cases[] = {
      {1.487469, 112.5642, 66.78862},   // Example 34.a: 1998 Aug 5.0 less T = 1998 Apr 14.4358
      {0.921326, 138.4783, 102.74426},  // chapter 35, table p. 247, e = 1
  };
  for (const Case& c : cases) {
    const Real reference = 2 * std::atan(ParabolicSReference(c.q, c.days));
    // The printed value agrees with the closed form to its last digit...
    EXPECT_NEAR(static_cast<double>(reference) / kDeg, c.printedDeg, 5e-6) << c.q;
    // ...and the Newton solution with the closed form to far better.
    EXPECT_NEAR(ParabolicTrueAnomaly(c.q, c.days / 36525.0), static_cast<double>(reference), 1e-10)
        << c.q;
  }
}

TEST(ParabolicTrueAnomalyTest, AgreesWithClosedFormAndIsOdd) {
  struct Case {
    double q, days;
  };
  const Case cases[] = {
      {1.0, 0.01},   {1.0, 1.0},     {0.5, 10.0},    {0.005, 3.0},  {0.3, 365.25},
      {2.0, 1000.0}, {5.0, 36525.0}, {0.05, 5000.0}, {1e-4, 7.3e6}, {1e-12, 36525.0},
  };
  for (const Case& c : cases) {
    const double dt = c.days / 36525.0;
    const double v = ParabolicTrueAnomaly(c.q, dt);
    const double reference = static_cast<double>(2 * std::atan(ParabolicSReference(c.q, c.days)));
    EXPECT_NEAR(v, reference, 1e-10) << "q=" << c.q << " days=" << c.days;
    EXPECT_GT(v, 0.0);
    // Before perihelion the anomaly is negative, the mirror image.
    EXPECT_EQ(ParabolicTrueAnomaly(c.q, -dt), -v) << "q=" << c.q << " days=" << c.days;
  }
  EXPECT_EQ(ParabolicTrueAnomaly(0.7, 0.0), 0.0);
  EXPECT_EQ(ParabolicTrueAnomaly(3.0, 0.0), 0.0);
}

TEST(ParabolicTrueAnomalyTest, AbsurdArgumentsStillEnd) {
  // W = 1.3e34: the root s = 2.4e11 is so large that a step of 1e-6 cannot be resolved and
  // Newton would cycle for ever; the round cap ends it with s at the root.
  {
    const double v = ParabolicTrueAnomaly(1e-20, 10.0);
    const double reference =
        static_cast<double>(2 * std::atan(ParabolicSReference(1e-20L, 365250.0L)));
    EXPECT_NEAR(v, reference, 1e-9);
  }
  // W = 1.3e48: the cap ends the descent from s = W/3 near the root s = 1.1e16; v is pi to
  // double precision.
  EXPECT_NEAR(ParabolicTrueAnomaly(1e-30, 1.0), kPi, 1e-9);
  EXPECT_NEAR(ParabolicTrueAnomaly(1e-30, -1.0), -kPi, 1e-9);
  // W = 1.3e163: s^2 overflows in the first step, which is then not taken; still pi.
  EXPECT_NEAR(ParabolicTrueAnomaly(1e-107, 1.0), kPi, 1e-9);
  EXPECT_NEAR(ParabolicTrueAnomaly(1e-107, -1.0), -kPi, 1e-9);
  EXPECT_TRUE(std::isnan(ParabolicTrueAnomaly(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(ParabolicTrueAnomaly(1.0, kNaN)));
}

// --- Near-parabolic orbits ----------------------------------------------------------------

TEST(NearParabolicTrueAnomalyTest, MeeusTable) {
  // Meeus, chapter 35, the table of examples on p. 247 (v printed in 0..360 deg). Each
  // printed value is also checked against the long-double solution of the conic's own
  // equation, which the result must match far more closely.
  struct Case {
    double q, e, days, printedDeg;
  };
  const Case cases[] = {
      {0.921326, 1.0, 138.4783, 102.74426},         {0.1, 0.987, 254.9, 164.50029},
      {0.123456, 0.99997, -30.47, 221.91190 - 360}, {3.363943, 1.05731, 1237.1, 109.40598},
      {0.5871018, 0.9672746, 20.0, 52.85331},       {0.5871018, 0.9672746, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    const Real reference = c.e == 1.0 ? 2 * std::atan(ParabolicSReference(c.q, c.days))
                                      : ConicTrueAnomalyReference(c.q, c.e, c.days);
    EXPECT_NEAR(static_cast<double>(reference) / kDeg, c.printedDeg, 5e-6) << "q=" << c.q;
    const double v = NearParabolicTrueAnomaly(c.e, c.q, c.days / 36525.0);
    EXPECT_NEAR(v, static_cast<double>(reference), 1e-8) << "q=" << c.q;
    EXPECT_NEAR(v / kDeg, c.printedDeg, 1e-5) << "q=" << c.q;
  }
}

TEST(NearParabolicTrueAnomalyTest, MatchesTheParabolaAtAndNearEccentricityOne) {
  struct Case {
    double q, days;
  };
  const Case cases[] = {
      {0.5, 10.0},   {0.5, -10.0}, {1.0, 100.0},   {0.3, 365.0},
      {2.0, 1000.0}, {0.05, 50.0}, {1.0, -3000.0},
  };
  for (const Case& c : cases) {
    const double dt = c.days / 36525.0;
    const double parabolic = ParabolicTrueAnomaly(c.q, dt);
    // e = 1: the same orbit, to the 1e-4 tolerance of the iteration in tan(v/2).
    const double atOne = NearParabolicTrueAnomaly(1.0, c.q, dt);
    EXPECT_NEAR(std::tan(atOne / 2), std::tan(parabolic / 2), 1e-4) << c.q << " " << c.days;
    EXPECT_NEAR(atOne, static_cast<double>(2 * std::atan(ParabolicSReference(c.q, c.days))), 1e-8)
        << c.q << " " << c.days;
    // e = 1.000001 and 0.999999: within 1e-4 of the parabola in tan(v/2), and on their own
    // hyperbola and ellipse to 1e-8 rad.
    for (double e : {1.000001, 0.999999}) {
      const double v = NearParabolicTrueAnomaly(e, c.q, dt);
      EXPECT_NEAR(std::tan(v / 2), std::tan(parabolic / 2), 1e-4) << e << " " << c.days;
      EXPECT_NEAR(v, static_cast<double>(ConicTrueAnomalyReference(c.q, e, c.days)), 1e-8)
          << e << " " << c.q << " " << c.days;
      EXPECT_EQ(std::signbit(v), c.days < 0) << e << " " << c.days;
    }
  }
  EXPECT_EQ(NearParabolicTrueAnomaly(1.000001, 0.8, 0.0), 0.0);
}

TEST(NearParabolicTrueAnomalyTest, HyperbolicOrbits) {
  struct Case {
    double q, e, days;
  };
  const Case cases[] = {
      {1.0, 1.001, 200.0}, {1.0, 1.001, -200.0},  {0.2, 1.01, 30.0},
      {2.5, 1.02, 800.0},  {0.8, 1.0001, 5000.0},
  };
  for (const Case& c : cases) {
    const double v = NearParabolicTrueAnomaly(c.e, c.q, c.days / 36525.0);
    EXPECT_NEAR(v, static_cast<double>(ConicTrueAnomalyReference(c.q, c.e, c.days)), 1e-7)
        << "q=" << c.q << " e=" << c.e << " days=" << c.days;
  }
}

}  // namespace
}  // namespace himlavy
