// Nutation, aberration, precession and coordinate reductions (J. Meeus, Astronomical
// Algorithms, 1st ed., 1991). See reductions.h for the conventions.
#include "astro/reductions.h"

#include <array>
#include <cmath>
#include <limits>

#include "base/basic.h"
#include "base/timescales.h"

namespace himlavy {
namespace {

// One term of the IAU 1980 nutation series: the multiples of the fundamental arguments D, M,
// M', F and Omega, and the coefficients in arc seconds (constant and rate per century) of the
// sine in longitude and the cosine in obliquity.
struct TNutationTerm {
  int D;
  int M;
  int MPrime;
  int F;
  int Omega;
  double SinCoef;
  double SinRate;
  double CosCoef;
  double CosRate;
};

#include "astro/nutation_table.inc"

// The largest multiple of a fundamental argument in the nutation series.
constexpr int kNutationMaxMultiple = 3;

constexpr bool NutationMultiplesWithin(int limit) {
  for (const TNutationTerm& term : kNutationTerms) {
    for (const int multiple : {term.D, term.M, term.MPrime, term.F, term.Omega}) {
      if (multiple < -limit || multiple > limit) return false;
    }
  }
  return true;
}
static_assert(NutationMultiplesWithin(kNutationMaxMultiple));

using TAngleMultiples = TSignedMultiples<kNutationMaxMultiple>;

TAngleMultiples AngleMultiples(double x) {
  return SignedMultiples<kNutationMaxMultiple>(x);
}

// Fundamental arguments of the nutation in degrees: the IAU 1980 expressions, which Meeus (1st
// ed., chapter 21) prints rounded to five decimals in the constant term.
constexpr TPoly3 kArgD = {297.8503631, 445267.11148, -0.0019142, 0.000005278};
constexpr TPoly3 kArgM = {357.5277233, 35999.05034, -0.0001603, -0.00000333};
constexpr TPoly3 kArgMPrime = {134.9629814, 477198.8673981, 0.0086972, 0.00001778};
constexpr TPoly3 kArgF = {93.2719103, 483202.0175381, -0.0036825, 0.000003056};
constexpr TPoly3 kArgOmega = {125.0445222, -1934.1362608, 0.0020708, 0.00000222};

// Laskar's mean obliquity in arc seconds, coefficients of U^0 .. U^10, U = T / 100.
constexpr std::array<double, 11> kObliquity = {84381.448, -4680.93, -1.55, 1999.25, -51.38, -249.67,
                                               -39.05,    7.12,     27.87, 5.79,    2.45};

constexpr double kAberration = 9.936508497454117e-05;  // kappa = 20.49552" in radians
constexpr double kNutationPoleLimit = 1.565;           // |delta| from which nutation is rigorous
constexpr double kSiderealRate = 6.300388092591991;    // 360.985647 degrees per day, in radians
constexpr double kRiseTransitSetTolerance = 0.0002;    // day

}  // namespace

TSunLowPrecision SunLowPrecision(double t) {
  const double l0 = (280.46646 + (36000.76983 + 0.0003032 * t) * t) * kDegToRad;
  const double m = (357.5291 + (35999.05028 - 0.0001561 * t) * t) * kDegToRad;
  const double e = 0.016708617 + (-0.00004204 - 0.0000001236 * t) * t;
  const double c = (2.0 - e * e / 4.0) * e * std::sin(m) + 1.25 * e * e * std::sin(2.0 * m) +
                   1.0833333333 * e * e * e * std::sin(3.0 * m);
  return TSunLowPrecision{l0 + c, e};
}

TNutation NutationIAU1980(double t) {
  // The sines and cosines of the multiples of D, M, M', F and Omega, from one sine and cosine
  // of each; each term's by the addition theorem (Meeus 1991, chapter 21).
  const std::array<TAngleMultiples, 5> multiples = {
      AngleMultiples(Poly3(kArgD, t) * kDegToRad), AngleMultiples(Poly3(kArgM, t) * kDegToRad),
      AngleMultiples(Poly3(kArgMPrime, t) * kDegToRad), AngleMultiples(Poly3(kArgF, t) * kDegToRad),
      AngleMultiples(Poly3(kArgOmega, t) * kDegToRad)};
  double sumSin = 0.0;
  double sumCos = 0.0;
  for (const TNutationTerm& term : kNutationTerms) {
    const std::array<int, 5> multiple = {term.D, term.M, term.MPrime, term.F, term.Omega};
    double sinArg = multiples[0].Sin[multiple[0] + kNutationMaxMultiple];
    double cosArg = multiples[0].Cos[multiple[0] + kNutationMaxMultiple];
    for (std::size_t i = 1; i < multiple.size(); ++i) {
      const double s = multiples[i].Sin[multiple[i] + kNutationMaxMultiple];
      const double c = multiples[i].Cos[multiple[i] + kNutationMaxMultiple];
      const double sinSum = sinArg * c + cosArg * s;
      cosArg = cosArg * c - sinArg * s;
      sinArg = sinSum;
    }
    // The 25 rows without an obliquity term add an exact zero.
    sumSin += (term.SinCoef + term.SinRate * t) * sinArg;
    sumCos += (term.CosCoef + term.CosRate * t) * cosArg;
  }
  return TNutation{sumSin * kArcSecToRad, sumCos * kArcSecToRad};
}

double MeanObliquity(double t) {
  const double u = t / 100.0;
  double eps = kObliquity[10];
  for (int i = 9; i >= 0; --i) eps = eps * u + kObliquity[i];
  return eps * kArcSecToRad;
}

TAberrationMoment AberrationMoment(TAberrationTerms terms, double eps, double t) {
  // A chart reduces thousands of places for one moment: the Sun of the last moment is kept.
  thread_local double lastT = std::numeric_limits<double>::quiet_NaN();
  thread_local TSunLowPrecision lastSun{};
  if (t != lastT) {
    lastSun = SunLowPrecision(t);
    lastT = t;
  }
  const TSunLowPrecision sun = lastSun;
  TAberrationMoment m;
  m.Cs = std::cos(sun.L);
  m.Sn = std::sin(sun.L);
  if (terms == TAberrationTerms::WithETerms) {
    const double perihelion = (102.93735 + (1.71954 + 0.00046 * t) * t) * kDegToRad;
    m.Cs -= sun.E * std::cos(perihelion);
    m.Sn -= sun.E * std::sin(perihelion);
  }
  m.SinE = std::sin(eps);
  m.CosE = std::cos(eps);
  return m;
}

void AberrationRaDec(double& alpha, double& delta, const TAberrationMoment& m) {
  const double sinA = std::sin(alpha);
  const double cosA = std::cos(alpha);
  const double sinD = std::sin(delta);
  const double cosD = std::cos(delta);
  alpha -= kAberration * (cosA * m.Cs * m.CosE + sinA * m.Sn) / cosD;
  delta -= kAberration * ((m.SinE * cosD - sinA * sinD * m.CosE) * m.Cs + cosA * sinD * m.Sn);
}

void AberrationRaDec(TAberrationTerms terms, double& alpha, double& delta, double eps, double t) {
  AberrationRaDec(alpha, delta, AberrationMoment(terms, eps, t));
}

TNutationMoment NutationMoment(double eps, double dEps, double dPsi) {
  return {eps, dEps, dPsi, std::sin(eps), std::cos(eps)};
}

void NutationRaDec(double& alpha, double& delta, const TNutationMoment& m) {
  if (std::fabs(delta) >= kNutationPoleLimit) {
    // Equatorial -> ecliptic is the ecliptic -> equatorial rotation with -eps.
    const TEquatorial ecliptic = EclipticToEquatorial(alpha, delta, -m.Eps);
    const TEquatorial nutated =
        EclipticToEquatorial(ecliptic.Alpha + m.DPsi, ecliptic.Delta, m.Eps + m.DEps);
    alpha = nutated.Alpha;
    delta = nutated.Delta;
    return;
  }
  const double sinA = std::sin(alpha);
  const double cosA = std::cos(alpha);
  const double tanD = std::tan(delta);
  alpha += (m.CosE + m.SinE * sinA * tanD) * m.DPsi - cosA * tanD * m.DEps;
  delta += m.SinE * cosA * m.DPsi + sinA * m.DEps;
}

void NutationRaDec(double& alpha, double& delta, double eps, double dEps, double dPsi) {
  NutationRaDec(alpha, delta, NutationMoment(eps, dEps, dPsi));
}

// Meeus 20.2: zeta, z and theta from J2000.0 (T = 0) as polynomials in t, arc seconds: the
// coefficients of t, t^2 and t^3 (the terms in T of a later starting epoch are written out).
constexpr std::array<double, 3> kZeta = {2306.2181, 0.30188, 0.017998};
constexpr std::array<double, 3> kZ = {2306.2181, 1.09468, 0.018203};
constexpr std::array<double, 3> kTheta = {2004.3109, -0.42665, -0.041833};

TPrecessionMoment PrecessionMoment(double t0, double t1) {
  const double T = t0;
  const double t = t1 - t0;
  const double common = (kZeta[0] + (1.39656 - 0.000139 * T) * T) * t;
  const double zeta = (common + ((kZeta[1] - 0.000344 * T) + kZeta[2] * t) * t * t) * kArcSecToRad;
  const double z = (common + ((kZ[1] + 0.000066 * T) + kZ[2] * t) * t * t) * kArcSecToRad;
  const double theta = ((kTheta[0] + (-0.85330 - 0.000217 * T) * T) * t -
                        ((-kTheta[1] + 0.000217 * T) - kTheta[2] * t) * t * t) *
                       kArcSecToRad;
  return {zeta, z, std::cos(theta), std::sin(theta)};
}

void PrecessRaDec(double& alpha, double& delta, const TPrecessionMoment& m) {
  const double cosD = std::cos(delta);
  const double sinD = std::sin(delta);
  const double az = alpha + m.Zeta;
  const double a = cosD * std::sin(az);
  const double b = m.CosTheta * cosD * std::cos(az) - m.SinTheta * sinD;
  const double c = m.SinTheta * cosD * std::cos(az) + m.CosTheta * sinD;
  alpha = Mod2Pi(Atan2(a, b) + m.Z);
  delta = ArcSin(c);
}

void PrecessRaDec(double& alpha, double& delta, double t0, double t1) {
  PrecessRaDec(alpha, delta, PrecessionMoment(t0, t1));
}

TReductionDrift ReductionDriftRates(double tAbs) {
  constexpr double kDaysPerCentury = 36525.0;
  TReductionDrift d;
  // The derivatives of zeta, z and theta from J2000.0, bounded term by term.
  for (const auto& c : {kZeta, kZ, kTheta}) {
    d.Precession +=
        (std::fabs(c[0]) + 2.0 * std::fabs(c[1]) * tAbs + 3.0 * std::fabs(c[2]) * tAbs * tAbs) /
        kDaysPerCentury;
  }
  // The speed of a term's argument, radians per century: the linear part exactly, the
  // quadratic and cubic parts bounded for |T| <= tAbs.
  const std::array<const TPoly3*, 5> arguments = {&kArgD, &kArgM, &kArgMPrime, &kArgF, &kArgOmega};
  double perCentury = 0.0;
  for (const TNutationTerm& term : kNutationTerms) {
    const std::array<int, 5> multiple = {term.D, term.M, term.MPrime, term.F, term.Omega};
    double linear = 0.0;
    double higher = 0.0;
    for (std::size_t i = 0; i < multiple.size(); ++i) {
      const TPoly3& p = *arguments[i];
      linear += multiple[i] * p[1];
      higher += std::abs(multiple[i]) *
                (2.0 * std::fabs(p[2]) * tAbs + 3.0 * std::fabs(p[3]) * tAbs * tAbs);
    }
    const double argumentSpeed = (std::fabs(linear) + higher) * kDegToRad;
    const double sinCoef = std::fabs(term.SinCoef) + std::fabs(term.SinRate) * tAbs;
    const double cosCoef = std::fabs(term.CosCoef) + std::fabs(term.CosRate) * tAbs;
    perCentury +=
        (sinCoef + cosCoef) * argumentSpeed + std::fabs(term.SinRate) + std::fabs(term.CosRate);
  }
  d.Nutation = perCentury / kDaysPerCentury;
  d.Aberration = 20.49552 * 1.03 * kDegToRad;
  return d;
}

TEquatorial EclipticToEquatorial(double lambda, double beta, double eps) {
  const double sinL = std::sin(lambda);
  const double cosB = std::cos(beta);
  const double sinB = std::sin(beta);
  const double sinE = std::sin(eps);
  const double cosE = std::cos(eps);
  const double alpha = Atan2(cosB * sinL * cosE - sinB * sinE, cosB * std::cos(lambda));
  return TEquatorial{Mod2Pi(alpha), ArcSin(sinB * cosE + cosB * sinE * sinL)};
}

TEcliptic EquatorialToEcliptic(double alpha, double delta, double eps) {
  const double sinA = std::sin(alpha);
  const double sinD = std::sin(delta);
  const double cosD = std::cos(delta);
  const double sinE = std::sin(eps);
  const double cosE = std::cos(eps);
  const double lambda = Atan2(sinA * cosE + std::tan(delta) * sinE, std::cos(alpha));
  return TEcliptic{lambda, ArcSin(sinD * cosE - cosD * sinE * sinA)};
}

THorizontal EquatorialToHorizontal(double alpha, double delta, double theta, double phi) {
  const double h = theta - alpha;
  const double sinH = std::sin(h);
  const double cosH = std::cos(h);
  const double sinPhi = std::sin(phi);
  const double cosPhi = std::cos(phi);
  const double az = Atan2(sinH, cosH * sinPhi - std::tan(delta) * cosPhi);
  const double alt = ArcSin(sinPhi * std::sin(delta) + cosPhi * std::cos(delta) * cosH);
  return THorizontal{az, alt};
}

TGalactic EquatorialToGalactic(double alpha, double delta) {
  constexpr double kPoleRa = 3.3553954869590985;  // 192.25 degrees
  constexpr double kNodeLon = 5.288347633542819;  // 303 degrees
  constexpr double kSinPoleDec = 0.4601;          // sin 27.4 degrees, as published
  constexpr double kCosPoleDec = 0.8878;          // cos 27.4 degrees, as published
  const double a = kPoleRa - alpha;
  const double cosA = std::cos(a);
  const double x = Atan2(std::sin(a), cosA * kSinPoleDec - std::tan(delta) * kCosPoleDec);
  const double b = ArcSin(std::sin(delta) * kSinPoleDec + std::cos(delta) * kCosPoleDec * cosA);
  return TGalactic{kNodeLon - x, b};
}

TGalactic RotatedToGalactic(const std::array<double, 9>& rotation, double alpha, double delta) {
  const double cosD = std::cos(delta);
  const double v[3] = {cosD * std::cos(alpha), cosD * std::sin(alpha), std::sin(delta)};
  double g[3];
  for (int i = 0; i < 3; ++i) {
    g[i] = rotation[3 * i] * v[0] + rotation[3 * i + 1] * v[1] + rotation[3 * i + 2] * v[2];
  }
  return TGalactic{Mod2Pi(std::atan2(g[1], g[0])), std::atan2(g[2], std::hypot(g[0], g[1]))};
}

double Refraction(double alt) {
  const double altDeg = kRadToDeg * alt;
  const double arcMinutes =
      1.02 / std::tan(alt + 0.17976891295541594 / (altDeg + 5.11)) + 0.0019279;
  return arcMinutes * kDegToRad / 60.0;
}

void ParallaxRaDecApprox(double& alpha, double& delta, double rhoSinPhi, double rhoCosPhi,
                         double theta, double sinPi) {
  const double h = theta - alpha;
  const double cosD = std::cos(delta);
  const double sinD = std::sin(delta);
  alpha -= sinPi * rhoCosPhi * std::sin(h) / cosD;
  delta -= sinPi * (rhoSinPhi * cosD - rhoCosPhi * sinD * std::cos(h));
}

void ParallaxRaDec(double& alpha, double& delta, double& scale, double rhoSinPhi, double rhoCosPhi,
                   double theta, double sinPi) {
  const double h = theta - alpha;
  const double cosD = std::cos(delta);
  const double a = cosD * std::sin(h);
  const double b = cosD * std::cos(h) - rhoCosPhi * sinPi;
  const double c = std::sin(delta) - rhoSinPhi * sinPi;
  const double hTopo = Atan2(a, b);
  const double r = std::sqrt(a * a + b * b + c * c);
  alpha = Mod2Pi(theta - hTopo);
  delta = ArcSin(c / r);
  scale /= r;
}

double ParallacticAngle(double alpha, double delta, double phi, double theta) {
  const double h = theta - alpha;
  return Atan2(std::sin(h), std::tan(phi) * std::cos(delta) - std::sin(delta) * std::cos(h));
}

double MoonStandardAltitude(double horParallax) {
  return 0.7275 * horParallax - 0.009890780871051866;
}

TRiseTransitSet RiseTransitSet(double t0, double deltaT, double alpha1, double delta1,
                               double alpha2, double delta2, double alpha3, double delta3,
                               double h0, double l, double phi) {
  // Right ascensions unwrapped around the middle one, so that interpolation never crosses
  // the jump from 2 pi to 0.
  const double unwrapped1 = alpha2 + ModPi(alpha1 - alpha2);
  const double unwrapped3 = alpha2 + ModPi(alpha3 - alpha2);
  const double sidereal0 = GreenwichSiderealTime(t0);
  const double sinPhi = std::sin(phi);
  const double cosPhi = std::cos(phi);

  TRiseTransitSet result;
  const double cosH0 = (std::sin(h0) - sinPhi * std::sin(delta2)) / (cosPhi * std::cos(delta2));
  double m0 = (alpha2 + l - sidereal0) / kTwoPi;
  if (m0 < 0.0) m0 += 1.0;
  double m1 = m0;
  double m2 = m0;
  if (std::fabs(cosH0) <= 1.0) {
    const double hourAngle = ArcCos(cosH0);
    m1 = m0 - hourAngle / kTwoPi;
    m2 = m0 + hourAngle / kTwoPi;
  } else if (cosH0 > 1.0) {
    result.Status = TRiseSetStatus::AlwaysBelow;
  } else {
    m1 = m0 - 0.5;
    m2 = m0 + 0.5;
    result.Status = TRiseSetStatus::AlwaysAbove;
  }
  if (m1 < 0.0) m1 += 1.0;
  if (m2 > 1.0) m2 -= 1.0;

  // Refines one event from its estimate m; isTransit chooses the hour-angle step, otherwise
  // the Newton step in altitude. When the cap is reached the estimate is returned unchanged.
  auto refine = [&](double estimate, bool isTransit) {
    double m = estimate;
    for (int round = 0; round < kRiseTransitSetMaxRounds; ++round) {
      const double sidereal = sidereal0 + kSiderealRate * m;
      const double n = m + deltaT / 86400.0;
      const double alpha = Interpolate3(unwrapped1, alpha2, unwrapped3, n);
      const double hourAngle = ModPi(sidereal - l - alpha);
      double dm;
      if (isTransit) {
        dm = -hourAngle / kTwoPi;
      } else {
        const double delta = Interpolate3(delta1, delta2, delta3, n);
        const double cosD = std::cos(delta);
        const double alt = ArcSin(sinPhi * std::sin(delta) + cosPhi * cosD * std::cos(hourAngle));
        dm = std::cos(alt) * (alt - h0) / (kTwoPi * cosD * cosPhi * std::sin(hourAngle));
      }
      m += dm;
      if (std::fabs(dm) < kRiseTransitSetTolerance) return m;
    }
    return estimate;
  };

  m0 = refine(m0, true);
  if (result.Status == TRiseSetStatus::Crosses) {
    m1 = refine(m1, false);
    m2 = refine(m2, false);
    if (m1 < 0.0) m1 += 1.0;
    if (m1 > 1.0) m1 -= 1.0;
    if (m2 < 0.0) m2 += 1.0;
    if (m2 > 1.0) m2 -= 1.0;
  }
  result.Rise = kTwoPi * m1;
  result.Transit = kTwoPi * m0;
  result.SetTime = kTwoPi * m2;
  return result;
}

}  // namespace himlavy
