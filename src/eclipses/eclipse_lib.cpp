// Chebyshev approximations, the Moon's shadow and the central line (Montenbruck & Pfleger).
#include "eclipses/eclipse_lib.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "base/timescales.h"

namespace himlavy {

namespace {

constexpr double kChebPi = 3.1415926535898;            // pi as the fitting routine has it
constexpr int kChebNodesDim = 2 * kChebMaxDegree + 2;  // H[0 .. 2N + 1]

// H[k] = cos(k phi) for k = 0 .. 2n + 1 by the recurrence of the Chebyshev polynomials.
void CosineMultiples(double phi, int n, std::array<double, kChebNodesDim>& h) {
  h[0] = 1.0;
  h[1] = std::cos(phi);
  for (int k = 2; k <= 2 * n + 1; ++k)
    h[static_cast<std::size_t>(k)] =
        2.0 * h[1] * h[static_cast<std::size_t>(k - 1)] - h[static_cast<std::size_t>(k - 2)];
}

constexpr double kSecondsPerCentury = 3155760000.0;
constexpr double kTenthMinute = 1.901285268841737e-09;  // 0.1 minute in Julian centuries
constexpr double kTenthMinuteRotation = 0.00043755;     // the Earth's rotation in 0.1 minute, rad

TShadow ShadowAt(const TChebFit& moon, const TChebFit& sun, double t) {
  const TSunMoonPos p = EvalSunMoon(moon, sun, t);
  return ShadowIntersect(p.MoonRa, p.MoonDec, p.MoonR, p.SunRa, p.SunDec, p.SunR);
}

}  // namespace

std::optional<TChebFit> ChebFit(TEclipseBody body, double ta, double tb, int n) {
  const bool sun = body == TEclipseBody::Sun;
  if (n > kChebMaxDegree) {
    std::cerr << (sun ? kChebFitSunTooLarge : kChebFitMoonTooLarge) << '\n';
    return std::nullopt;
  }
  TChebFit fit;
  for (TChebPoly* poly : {&fit.Ra, &fit.Dec, &fit.R}) {
    poly->M = n;
    poly->A = ta;
    poly->B = tb;
  }
  if (n < 0) return fit;

  const double bma = (tb - ta) / 2.0;
  const double bpa = (tb + ta) / 2.0;
  const double fac = 2.0 / (n + 1);
  std::array<double, kChebNodesDim> h{};
  CosineMultiples(kChebPi / (2 * n + 2), n, h);

  // The function at the nodes t_k = cos((2k - 1) pi / (2n + 2)) (tb - ta)/2 + (tb + ta)/2,
  // k = 1 .. n + 1, which run from near tb down to near ta.
  std::array<double, kChebMaxDegree + 2> ra{};
  std::array<double, kChebMaxDegree + 2> de{};
  std::array<double, kChebMaxDegree + 2> r{};
  for (int k = 1; k <= n + 1; ++k) {
    const double t = h[static_cast<std::size_t>(2 * k - 1)] * bma + bpa;
    const TEquatorialDeg pos = sun ? SunEquatorial(t) : MoonEquatorial(t);
    ra[static_cast<std::size_t>(k)] = pos.Ra;
    de[static_cast<std::size_t>(k)] = pos.Dec;
    r[static_cast<std::size_t>(k)] = pos.R;
  }
  // Backwards in time a passage through 0 h shows as an increase: make the run continuous.
  for (int k = 1; k <= n; ++k) {
    if (ra[static_cast<std::size_t>(k)] < ra[static_cast<std::size_t>(k + 1)])
      ra[static_cast<std::size_t>(k + 1)] -= 360.0;
  }

  for (int j = 0; j <= n; ++j) {
    CosineMultiples(kChebPi * j / (2 * n + 2), n, h);
    double sumRa = 0.0;
    double sumDe = 0.0;
    double sumR = 0.0;
    for (int k = 1; k <= n + 1; ++k) {
      const double hk = h[static_cast<std::size_t>(2 * k - 1)];
      sumRa += hk * ra[static_cast<std::size_t>(k)];
      sumDe += hk * de[static_cast<std::size_t>(k)];
      sumR += hk * r[static_cast<std::size_t>(k)];
    }
    fit.Ra.C[static_cast<std::size_t>(j)] = sumRa * fac;
    fit.Dec.C[static_cast<std::size_t>(j)] = sumDe * fac;
    fit.R.C[static_cast<std::size_t>(j)] = sumR * fac;
  }
  return fit;
}

double ChebEval(const TChebPoly& f, double t) {
  const double tau = (2.0 * t - f.A - f.B) / (f.B - f.A);
  const double tau2 = 2.0 * tau;
  double b1 = 0.0;  // b_(k+1)
  double b2 = 0.0;  // b_(k+2)
  for (int k = std::min<int>(f.M, kChebMaxDegree); k >= 1; --k) {
    const double b = tau2 * b1 - b2 + f.C[static_cast<std::size_t>(k)];
    b2 = b1;
    b1 = b;
  }
  return tau * b1 - b2 + 0.5 * f.C[0];
}

TSunMoonPos EvalSunMoon(const TChebFit& moon, const TChebFit& sun, double t) {
  TSunMoonPos p;
  p.MoonRa = ChebEval(moon.Ra, t);
  p.MoonDec = ChebEval(moon.Dec, t);
  p.MoonR = ChebEval(moon.R, t);
  p.SunRa = ChebEval(sun.Ra, t);
  p.SunDec = ChebEval(sun.Dec, t);
  p.SunR = ChebEval(sun.R, t) * kEarthRadiiPerAu;
  return p;
}

TShadow ShadowIntersect(double moonRa, double moonDec, double moonR, double sunRa, double sunDec,
                        double sunR) {
  // Stretch z so that the flattened Earth becomes the unit sphere.
  TVector3 m = CartDeg(moonR, moonDec, moonRa);
  TVector3 s = CartDeg(sunR, sunDec, sunRa);
  m.Z /= kEarthPolarRatio;
  s.Z /= kEarthPolarRatio;

  const TVector3 d{m.X - s.X, m.Y - s.Y, m.Z - s.Z};
  const double dn = Norm(d);
  TShadow out;
  out.Axis = TVector3{d.X / dn, d.Y / dn, d.Z / dn};
  const TVector3& e = out.Axis;

  const double s0 = -Dot(m, e);  // the Moon's distance from the fundamental plane
  const double delta = s0 * s0 + 1.0 - Dot(m, m);
  // The axis's distance from the centre; 1 - delta = |m|^2 - s0^2 is never negative but for
  // rounding when the axis passes through the centre.
  const double r0 = std::sqrt(std::max(0.0, 1.0 - delta));
  out.D = kSunMinusMoonDiameter * s0 / dn - kMoonDiameter;

  if (r0 < 1.0) {
    const double sd = s0 - std::sqrt(delta);
    out.D = kSunMinusMoonDiameter * sd / dn - kMoonDiameter;
    out.Point = TVector3{m.X + sd * e.X, m.Y + sd * e.Y, (m.Z + sd * e.Z) * kEarthPolarRatio};
    out.Phase = (out.D <= 0.0) ? TShadowPhase::Total : TShadowPhase::Annular;
  } else if (r0 < 1.0 + std::fabs(out.D) / 2.0) {
    out.Phase = (out.D <= 0.0) ? TShadowPhase::NonCentralTotal : TShadowPhase::NonCentralAnnular;
  } else if (r0 < 1.0 + (kMoonDiameter + kSunPlusMoonDiameter * s0 / dn) / 2.0) {
    out.Phase = TShadowPhase::Partial;
  } else {
    out.Phase = TShadowPhase::None;
  }
  return out;
}

TCentralLine CentralLine(const TChebFit& moon, const TChebFit& sun, double deltaT, double t) {
  const double tEt = t + deltaT / kSecondsPerCentury;
  const TShadow first = ShadowAt(moon, sun, tEt);
  TCentralLine out;
  out.Phase = first.Phase;
  if (first.Phase < TShadowPhase::Annular) return out;

  // Geographic position: geocentric latitude to geographic, right ascension to west longitude.
  const double mjdUt = 36525.0 * t + 51544.5;
  const TPolarDeg polar = PolarDeg(first.Point);
  out.Phi = polar.Theta + 0.1924 * DegSin(2.0 * polar.Theta);
  out.Lambda = 15.0 * LocalSiderealTime(mjdUt, 0.0) - polar.Phi;
  if (out.Lambda > 180.0) {
    out.Lambda -= 360.0;
  } else if (out.Lambda < -180.0) {
    out.Lambda += 360.0;
  }

  // Duration: the umbra's diameter over its speed across the rotating Earth, measured
  // perpendicular to the axis over 0.1 minute (backwards at the end of the central phase).
  double w = kTenthMinuteRotation;
  TShadow second = ShadowAt(moon, sun, tEt + kTenthMinute);
  if (second.Phase < TShadowPhase::Annular) {
    second = ShadowAt(moon, sun, tEt - kTenthMinute);
    w = -w;
  }
  const TVector3& p1 = first.Point;
  const TVector3& p2 = second.Point;
  const TVector3 dp{p2.X - p1.X + w * p1.Y, p2.Y - p1.Y - w * p1.X, p2.Z - p1.Z};
  const double along = Dot(dp, second.Axis);
  out.Duration = 0.1 * std::fabs(first.D) / std::sqrt(Dot(dp, dp) - along * along);
  return out;
}

}  // namespace himlavy
