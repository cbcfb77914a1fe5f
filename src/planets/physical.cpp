// Physical ephemerides of the Sun, the Moon and the planets (J. Meeus, Astronomical
// Algorithms, 1st ed., 1991). See physical.h for the conventions.
#include "planets/physical.h"

#include <array>
#include <cmath>
#include <limits>

#include "astro/positions.h"
#include "astro/reductions.h"
#include "base/basic.h"

namespace himlavy {
namespace {

// One periodic term of the Moon's physical librations: Coef (degrees) times E^EPower times
// the sine (Sine true) or cosine of the combination of the arguments.
struct TLibrationTerm {
  double Coef;
  bool Sine;
  int M;
  int MPrime;
  int F;
  int D;
  int Omega;
  int K1;
  int K2;
  int EPower;
};

#include "planets/moon_libration_table.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The constant of aberration as the physical-ephemeris procedures use it, 0.005693 degree.
constexpr double kAberrationDeg = 0.005693;

// Inclination of the mean lunar equator to the ecliptic, 1.54242 degrees.
constexpr double kMoonEquatorIncl = 1.54242 * kDegToRad;

// Magnitude at r = Delta = 1 AU (V0) and equatorial semidiameter at 1 AU (arc seconds), by
// body number (TBody), the Sun (0) to Pluto (9). The Sun has no V0.
constexpr std::array<double, 10> kMagnitudeV0 = {kNaN,  -0.42, -4.40, 0.0,   -1.52,
                                                 -9.40, -8.88, -7.19, -6.87, -1.00};
constexpr std::array<double, 10> kSemidiameter = {959.63, 3.36,  8.34,  0.0,   4.68,
                                                  98.44,  82.73, 35.02, 33.50, 2.07};
constexpr double kJupiterPolarSemidiameter = 92.06;
constexpr double kSaturnPolarSemidiameter = 73.82;

// The position angle of the direction (Alpha0, Delta0) seen from a body's centre at
// (Alpha, Delta), counted from the north towards the east; radians in [-pi, pi].
double PositionAngle(double alpha0, double delta0, double alpha, double delta) {
  return Atan2(std::cos(delta0) * std::sin(alpha0 - alpha),
               std::sin(delta0) * std::cos(delta) -
                   std::cos(delta0) * std::sin(delta) * std::cos(alpha0 - alpha));
}

// The cosine of the phase angle from the three sides of the triangle Sun-Earth-planet,
// clamped to [-1, 1] against rounding.
double PhaseCosine(double delta, double sunEarth, double r) {
  const double c = (r * r + delta * delta - sunEarth * sunEarth) / (2.0 * r * delta);
  if (c > 1.0) return 1.0;
  if (c < -1.0) return -1.0;
  return c;
}

// Geocentric equatorial coordinates from a geocentric ecliptic position (lambda, beta,
// Delta) through the rectangular coordinates, as Meeus's Mars and Jupiter procedures do:
// u = y cos eps - z sin eps, v = y sin eps + z cos eps, alpha = atan2(u, x),
// delta = atan(v / sqrt(x^2 + u^2)).
TEquatorial RectangularEquatorial(const TSpherical& geo, double eps) {
  const TVector3 p = RotateAboutX(PolarToCartesian(geo), std::cos(eps), std::sin(eps));
  return TEquatorial{Atan2(p.Y, p.X), std::atan(p.Z / std::sqrt(p.X * p.X + p.Y * p.Y))};
}

// The angle xi between the body's pole (Alpha0, Delta0) and the direction of the Earth, as
// Meeus's Mars and Jupiter procedures define it.
double PoleAngleXi(double alpha0, double delta0, double alpha, double delta) {
  return Atan2(std::sin(delta0) * std::cos(delta) * std::cos(alpha0 - alpha) -
                   std::sin(delta) * std::cos(delta0),
               std::cos(delta) * std::sin(alpha0 - alpha));
}

// The planetocentric declination of a direction (Alpha, Delta) for a pole (Alpha0, Delta0).
double PlanetocentricDeclination(double alpha0, double delta0, double alpha, double delta) {
  return -ArcSin(std::sin(delta0) * std::sin(delta) +
                 std::cos(delta0) * std::cos(delta) * std::cos(alpha0 - alpha));
}

// Aberration of a geocentric ecliptic position with the constant 0.005693 degree, L0 the
// Earth's heliocentric longitude: lambda first, then beta with the corrected lambda.
void EclipticAberration(double& lambda, double& beta, double l0) {
  const double k = kAberrationDeg * kDegToRad;
  lambda += k * std::cos(l0 - lambda) / std::cos(beta);
  beta += k * std::sin(l0 - lambda) * std::sin(beta);
}

// The sum of one series of libration terms, degrees.
template <std::size_t N>
double LibrationSum(const std::array<TLibrationTerm, N>& terms, double e, double f, double m,
                    double mPrime, double d, double omega, double k1, double k2) {
  double sum = 0.0;
  for (const TLibrationTerm& t : terms) {
    const double arg =
        t.M * m + t.MPrime * mPrime + t.F * f + t.D * d + t.Omega * omega + t.K1 * k1 + t.K2 * k2;
    double value = t.Coef * (t.Sine ? std::sin(arg) : std::cos(arg));
    for (int p = 0; p < t.EPower; ++p) value *= e;
    sum += value;
  }
  return sum;
}

// t^c for t >= 0 as exp(c ln t), with 0^c = 0.
double PowerOf(double t, double c) {
  return t > 0.0 ? std::exp(c * std::log(t)) : 0.0;
}

}  // namespace

std::array<double, 6> JupiterPhysical(const TSpherical& planet, const TSpherical& earth,
                                      const TSpherical& geo, double dEps, double dPsi, double eps0,
                                      double t) {
  const double jd = 2451545.0 + 36525.0 * t;
  const double d = jd - 2433282.5;
  const double t1 = d / 36525.0;
  double alpha0 = (268.00 + 0.1061 * t1) * kDegToRad;
  double delta0 = (64.50 - 0.0164 * t1) * kDegToRad;
  const double w1 = Mod2Pi((17.710 + 877.90003539 * d) * kDegToRad);
  const double w2 = Mod2Pi((16.838 + 870.27003539 * d) * kDegToRad);

  // The Sun seen from Jupiter is opposite to (l, b); the minus sign of DS carries that.
  const TEquatorial sun = EclipticToEquatorial(planet.Lon, planet.Lat, eps0);
  const double ds = PlanetocentricDeclination(alpha0, delta0, sun.Alpha, sun.Delta);

  const TEquatorial seen = RectangularEquatorial(geo, eps0);
  double alpha = seen.Alpha;
  double delta = seen.Delta;
  const double xi = PoleAngleXi(alpha0, delta0, alpha, delta);
  const double de = PlanetocentricDeclination(alpha0, delta0, alpha, delta);
  const double omega1 = Mod2Pi(w1 - xi - 5.07033 * kDegToRad * geo.R);
  const double omega2 = Mod2Pi(w2 - xi - 5.02626 * kDegToRad * geo.R);

  double phase = 1.0 - IlluminatedFraction(geo.R, earth.R, planet.R);
  if (std::sin(planet.Lon - earth.Lon) < 0.0) phase = -phase;

  // Aberration in right ascension and declination, with the true obliquity.
  const double eps = eps0 + dEps;
  const double k = kAberrationDeg * kDegToRad;
  const double cosL0 = std::cos(earth.Lon);
  const double sinL0 = std::sin(earth.Lon);
  alpha +=
      k * (std::cos(alpha) * cosL0 * std::cos(eps) + std::sin(alpha) * sinL0) / std::cos(delta);
  delta += k * (cosL0 * std::cos(eps) *
                    (std::tan(eps) * std::cos(delta) - std::sin(alpha) * std::sin(delta)) +
                std::cos(alpha) * std::sin(delta) * sinL0);

  NutationRaDec(alpha0, delta0, eps, dEps, dPsi);
  NutationRaDec(alpha, delta, eps, dEps, dPsi);
  const double p = Mod2Pi(PositionAngle(alpha0, delta0, alpha, delta));
  return {ds, de, omega1, omega2, phase, p};
}

std::array<double, 7> MarsPhysical(const TSpherical& planet, const TSpherical& earth,
                                   const TSpherical& geo, double dEps, double dPsi, double eps0,
                                   double t) {
  // The pole in ecliptic coordinates.
  double lambda0 = (352.9065 + 1.17330 * t) * kDegToRad;
  const double beta0 = (63.2818 - 0.00394 * t) * kDegToRad;
  double lambda = geo.Lon;
  double beta = geo.Lat;

  const double de = -ArcSin(std::sin(beta0) * std::sin(beta) +
                            std::cos(beta0) * std::cos(beta) * std::cos(lambda0 - lambda));

  const double n = (49.5581 + 0.7721 * t) * kDegToRad;
  const double lPrime = planet.Lon - 0.00697 * kDegToRad / planet.R;
  const double bPrime = planet.Lat - 0.000225 * kDegToRad * std::cos(lPrime - n) / planet.R;
  const double ds = -ArcSin(std::sin(beta0) * std::sin(bPrime) +
                            std::cos(beta0) * std::cos(bPrime) * std::cos(lambda0 - lPrime));

  // Rotation at the time the light left Mars.
  const double jdRetarded = 2451545.0 + 36525.0 * (t - kLightTimePerAu * geo.R);
  const double w = (11.504 + 350.89200025 * (jdRetarded - 2433282.5)) * kDegToRad;

  const TEquatorial pole = EclipticToEquatorial(lambda0, beta0, eps0);
  const TEquatorial seen = RectangularEquatorial(geo, eps0);
  const double xi = PoleAngleXi(pole.Alpha, pole.Delta, seen.Alpha, seen.Delta);
  const double omega = Mod2Pi(w - xi);

  EclipticAberration(lambda, beta, earth.Lon);
  lambda0 += dPsi;
  lambda += dPsi;
  const double eps = eps0 + dEps;
  const TEquatorial apparent = EclipticToEquatorial(lambda, beta, eps);
  const TEquatorial apparentPole = EclipticToEquatorial(lambda0, beta0, eps);
  const double p =
      Mod2Pi(PositionAngle(apparentPole.Alpha, apparentPole.Delta, apparent.Alpha, apparent.Delta));

  // The Sun seen from the Earth: opposite to the Earth's heliocentric direction. Q is the
  // Sun's position angle plus pi, kept in (0, 2 pi] (the bottom of the Atan2 range, -pi,
  // would give 0, the same direction as 2 pi).
  const TEquatorial sun = EclipticToEquatorial(earth.Lon + kPi, -earth.Lat, eps);
  double q = PositionAngle(sun.Alpha, sun.Delta, apparent.Alpha, apparent.Delta) + kPi;
  if (q <= 0.0) q = kTwoPi;

  const double diameter = 9.36 / geo.R;
  const double defect = (1.0 - IlluminatedFraction(geo.R, earth.R, planet.R)) * diameter;
  return {ds, de, omega, p, q, defect, diameter};
}

std::array<double, 6> SaturnRing(const TSpherical& planet, const TSpherical& geo, double l0,
                                 double dEps, double dPsi, double eps0, double t) {
  const double incl = Poly2({28.075216, -0.012998, 0.000004}, t) * kDegToRad;
  const double node = Poly2({169.508470, 1.394681, 0.000412}, t) * kDegToRad;
  const double sinI = std::sin(incl);
  const double cosI = std::cos(incl);
  double lambda = geo.Lon;
  double beta = geo.Lat;

  const double b = ArcSin(sinI * std::cos(beta) * std::sin(lambda - node) - cosI * std::sin(beta));
  const double majorAxis = 375.35 / geo.R;
  const double minorAxis = majorAxis * std::fabs(std::sin(b));

  const double n = (113.6655 + 0.8771 * t) * kDegToRad;
  const double lPrime = planet.Lon - 0.01759 * kDegToRad / planet.R;
  const double bPrime = planet.Lat - 0.000764 * kDegToRad * std::cos(lPrime - n) / planet.R;
  const double bSun =
      ArcSin(sinI * std::cos(bPrime) * std::sin(lPrime - node) - cosI * std::sin(bPrime));

  const double u1 =
      Atan2(sinI * std::sin(bPrime) + cosI * std::cos(bPrime) * std::sin(lPrime - node),
            std::cos(bPrime) * std::cos(lPrime - node));
  const double u2 = Atan2(sinI * std::sin(beta) + cosI * std::cos(beta) * std::sin(lambda - node),
                          std::cos(beta) * std::cos(lambda - node));
  const double du = std::fabs(u1 - u2);

  // The pole of the ring plane, then the apparent positions.
  double lambda0 = node - kPiHalf;
  const double beta0 = kPiHalf - incl;
  EclipticAberration(lambda, beta, l0);
  lambda0 += dPsi;
  lambda += dPsi;
  const double eps = eps0 + dEps;
  const TEquatorial pole = EclipticToEquatorial(lambda0, beta0, eps);
  const TEquatorial apparent = EclipticToEquatorial(lambda, beta, eps);
  const double p = Mod2Pi(PositionAngle(pole.Alpha, pole.Delta, apparent.Alpha, apparent.Delta));
  return {b, bSun, p, du, majorAxis, minorAxis};
}

TPhysicalLibration MoonPhysicalLibration(double e, double f, double m, double mPrime, double d,
                                         double omega, double t) {
  const double k1 = (119.75 + 131.849 * t) * kDegToRad;
  const double k2 = (72.56 + 20.186 * t) * kDegToRad;
  return TPhysicalLibration{
      LibrationSum(kRhoTerms, e, f, m, mPrime, d, omega, k1, k2) * kDegToRad,
      LibrationSum(kSigmaTerms, e, f, m, mPrime, d, omega, k1, k2) * kDegToRad,
      LibrationSum(kTauTerms, e, f, m, mPrime, d, omega, k1, k2) * kDegToRad};
}

std::array<double, 10> MoonPhysical(const TSpherical& moon, const TSpherical& sun, double eps0,
                                    double dPsi, double dEps, double t) {
  const TMoonArguments args = MoonArguments(t);
  const double sinI = std::sin(kMoonEquatorIncl);
  const double cosI = std::cos(kMoonEquatorIncl);
  double lambda = moon.Lon;
  const double beta = moon.Lat;

  // Optical librations.
  const double w = lambda - args.Node;
  const double a = Atan2(std::sin(w) * std::cos(beta) * cosI - std::sin(beta) * sinI,
                         std::cos(w) * std::cos(beta));
  const double lOptical = ModPi(a - args.F);
  const double bOptical = ArcSin(-std::sin(w) * std::cos(beta) * sinI - std::sin(beta) * cosI);

  // Physical librations.
  const TPhysicalLibration lib =
      MoonPhysicalLibration(args.E, args.F, args.M, args.MPrime, args.D, args.Node, t);
  const double lPhysical =
      -lib.Tau + (lib.Rho * std::cos(a) + lib.Sigma * std::sin(a)) * std::tan(bOptical);
  const double bPhysical = lib.Sigma * std::cos(a) - lib.Rho * std::sin(a);
  const double lTotal = lOptical + lPhysical;
  const double bTotal = bOptical + bPhysical;

  // The apparent place and the position angle of the axis.
  const double eps = eps0 + dEps;
  lambda += dPsi;
  const TEquatorial moonEq = EclipticToEquatorial(lambda, beta, eps);
  const double v = args.Node + dPsi + lib.Sigma / sinI;
  const double x = std::sin(kMoonEquatorIncl + lib.Rho) * std::sin(v);
  const double y = std::sin(kMoonEquatorIncl + lib.Rho) * std::cos(v) * std::cos(eps) -
                   std::cos(kMoonEquatorIncl + lib.Rho) * std::sin(eps);
  const double omega = Atan2(x, y);
  const double p =
      ArcSin(std::sqrt(x * x + y * y) * std::cos(moonEq.Alpha - omega) / std::cos(bTotal));

  // Phase angle, illuminated fraction and the position angle of the bright limb.
  const double psi = ArcCos(std::cos(beta) * std::cos(lambda - sun.Lon));
  double i = std::atan(sun.R * std::sin(psi) / (moon.R / kKmPerAu - sun.R * std::cos(psi)));
  if (i < 0.0) i += kPi;
  const double k = (1.0 + std::cos(i)) / 2.0;
  const TEquatorial sunEq = EclipticToEquatorial(sun.Lon, sun.Lat, eps);
  const double chi = Mod2Pi(PositionAngle(sunEq.Alpha, sunEq.Delta, moonEq.Alpha, moonEq.Delta));

  return {lTotal, bTotal, lOptical, bOptical, lPhysical, bPhysical, p, i, k, chi};
}

std::array<double, 3> SunPhysical(double dPsi, double eps, double lambdaSun, double t) {
  const double jd = 2451545.0 + 36525.0 * t;
  const double theta = (jd - 2398220.0) * kTwoPi / 25.38;
  const double incl = 7.25 * kDegToRad;
  const double node = (73.6667 + 1.3958333 * (jd - 2396758.0) / 36525.0) * kDegToRad;

  const double x = std::atan(-std::cos(lambdaSun + dPsi) * std::tan(eps));
  const double y = std::atan(-std::cos(lambdaSun - node) * std::tan(incl));
  const double p = x + y;
  const double b0 = ArcSin(std::sin(lambdaSun - node) * std::sin(incl));
  const double eta =
      Atan2(-std::sin(lambdaSun - node) * std::cos(incl), -std::cos(lambdaSun - node));
  const double l0 = Mod2Pi(eta - theta);
  return {p, b0, l0};
}

std::array<double, 2> BrightLimbAngle(double deltaSun, double alphaSun, double delta,
                                      double alpha) {
  return {0.0, PositionAngle(alphaSun, deltaSun, alpha, delta) + kPi};
}

double IlluminatedFraction(double delta, double sunEarth, double r) {
  return (PhaseCosine(delta, sunEarth, r) + 1.0) / 2.0;
}

double PhaseAngle(double delta, double sunEarth, double r) {
  return ArcCos(PhaseCosine(delta, sunEarth, r));
}

double PlanetSemidiameter(TBody p, double delta, double& polarSemidiameter) {
  if (p < TBody::Sun || BodyIndex(p) >= kSemidiameter.size()) return kNaN;
  if (p == TBody::Jupiter) polarSemidiameter = kJupiterPolarSemidiameter / delta;
  if (p == TBody::Saturn) polarSemidiameter = kSaturnPolarSemidiameter / delta;
  return kSemidiameter[BodyIndex(p)] / delta;
}

double SaturnPolarSemidiameter(double s, double b) {
  const double c = std::cos(b);
  return s * std::sqrt(1.0 - 0.2038 * c * c);
}

double MoonSemidiameter(double delta) {
  return 358473400.0 / delta;
}

double PlanetMagnitude(TBody p, double b, double du, double phaseAngle, double r, double delta) {
  if (p < TBody::Mercury || BodyIndex(p) >= kMagnitudeV0.size()) return kNaN;
  const double i = phaseAngle / kDegToRad;
  double m = kMagnitudeV0[BodyIndex(p)] + 5.0 * Log10(r * delta);
  switch (p) {
    case TBody::Mercury:
      m += 0.0380 * i - 0.000273 * i * i + 0.000002 * i * i * i;
      break;
    case TBody::Venus:
      m += 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
      break;
    case TBody::Mars:
      m += 0.016 * i;
      break;
    case TBody::Jupiter:
      m += 0.0005 * i;
      break;
    case TBody::Saturn: {
      const double sinB = std::sin(b);
      m += 0.044 * (du / kDegToRad) - 2.60 * std::sin(std::fabs(b)) + 1.25 * sinB * sinB;
      break;
    }
    default:
      break;
  }
  return m;
}

double CometMagnitude(double k, double h, double r, double delta) {
  return h + 5.0 * Log10(delta) + k * Log10(r);
}

double AsteroidMagnitudeHG(double g, double h, double beta, double r, double delta) {
  const double t = std::tan(beta / 2.0);
  const double phi1 = std::exp(-3.33 * PowerOf(t, 0.63));
  const double phi2 = std::exp(-1.87 * PowerOf(t, 1.22));
  return h + 5.0 * Log10(r * delta) - 2.5 * Log10((1.0 - g) * phi1 + g * phi2);
}

}  // namespace himlavy
