#include "astro/anomaly.h"

#include <cmath>

#include "base/basic.h"
#include "base/timescales.h"

namespace himlavy {

namespace {

// 3k / sqrt(2), the factor of Barker's equation for t in days and q in AU.
constexpr double kBarkerFactor = 0.03649116245;

constexpr int kKeplerMaxRounds = 100;
constexpr double kKeplerTolerance = 1e-6;  // radians of E

constexpr int kBarkerMaxRounds = 200;
constexpr double kBarkerTolerance = 1e-6;  // in s = tan(v/2)

constexpr int kLandgrafMaxRounds = 50;
constexpr int kLandgrafMaxTerms = 50;
constexpr double kLandgrafTermLimit = 1e-8;  // stop the series when |g| falls below this
constexpr double kLandgrafTolerance = 1e-4;  // in S = tan(v/2)

// The root s = tan(v/2) of Barker's equation s^3 + 3s = W for perihelion distance q (AU)
// and time since perihelion dt (centuries); see ParabolicTrueAnomaly.
double BarkerRoot(double q, double dt) {
  const double w = kBarkerFactor * (dt * kDaysPerCentury) / (q * std::sqrt(q));
  double s = w / 3.0;
  for (int round = 0; round < kBarkerMaxRounds; ++round) {
    const double delta = (w - (s * s + 3.0) * s) / (3.0 * s * s + 3.0);
    if (!std::isfinite(delta)) break;  // NaN input, or s^2 overflowing for absurd W
    s += delta;
    if (!(std::fabs(delta) >= kBarkerTolerance)) break;
  }
  return s;
}

// Mikkola's cubic approximation to the eccentric anomaly, for e > 0.97 and |M| < 0.6
// (S. Mikkola, Celestial Mechanics 40 (1987) 329; Meeus, 2nd ed., chapter 30).
double MikkolaStart(double e, double m) {
  const double alpha = (1.0 - e) / (4.0 * e + 0.5);
  const double beta = m / (8.0 * e + 1.0);
  // The sign of beta, with +1 for beta = 0 so that z is never 0 (s is then 0 and E = M).
  const double sign = (beta < 0.0) ? -1.0 : 1.0;
  const double z =
      sign *
      std::exp(std::log(std::fabs(beta) + std::sqrt(alpha * alpha * alpha + beta * beta)) / 3.0);
  double s = z - alpha / z;
  const double s2 = s * s;
  s = s * (1.0 - 0.078 * s2 * s2 / (1.0 + e));
  return m + e * s * (3.0 - 4.0 * s * s);
}

}  // namespace

double KeplerTrueAnomaly(double ecc, double meanAnomaly) {
  const double e = ecc;
  const double m = ModPi(meanAnomaly);
  double eccAnomaly = m;
  if (e > 0.97 && std::fabs(m) < 0.6) eccAnomaly = MikkolaStart(e, m);
  for (int round = 0; round < kKeplerMaxRounds; ++round) {
    const double delta =
        (m + e * std::sin(eccAnomaly) - eccAnomaly) / (1.0 - e * std::cos(eccAnomaly));
    eccAnomaly += delta;
    if (!(std::fabs(delta) >= kKeplerTolerance)) break;  // NaN ends the loop too
  }
  return 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(eccAnomaly / 2.0));
}

double ParabolicTrueAnomaly(double q, double dt) {
  return 2.0 * std::atan(BarkerRoot(q, dt));
}

double NearParabolicTrueAnomaly(double ecc, double q, double dt) {
  const double e = ecc;
  // The parabolic solution's tan(v/2), taken straight from Barker's equation.
  double s = BarkerRoot(q, dt);
  const double gamma = (1.0 - e) / (1.0 + e);
  const double q2 = kGaussK * std::sqrt((1.0 + e) / q) / (2.0 * q) * (dt * kDaysPerCentury);
  for (int round = 0; round < kLandgrafMaxRounds; ++round) {
    const double s0 = s;
    const double s0Squared = s0 * s0;
    // a = Q2 - (1 - 2G) S^3/3 + G (2 - 3G) S^5/5 - ... and d = da/dS at S0; the solution
    // is the S where a(S) = S, and each round is one Newton step on a(S) - S = 0.
    double a = q2;
    double d = 0.0;
    double g = -s0Squared;
    int j = 1;
    do {
      const double c = (j - (j + 1) * gamma) * g;
      a += c * s0 / (2 * j + 1);
      d += c;
      g = -g * gamma * s0Squared;
      ++j;
    } while (j <= kLandgrafMaxTerms && std::fabs(g) >= kLandgrafTermLimit);
    const double deltaS = (a - s0) / (d - 1.0);
    s = s0 - deltaS;
    if (std::fabs(deltaS) < kLandgrafTolerance) break;
  }
  return 2.0 * std::atan(s);
}

}  // namespace himlavy
