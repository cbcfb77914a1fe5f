// Degree-based vectors and reductions (Montenbruck & Pfleger).
#include "eclipses/eclipse_vectors.h"

#include <cmath>
#include <cstdlib>

#include "base/timescales.h"

namespace himlavy {

namespace {

constexpr double kRad = kPi / 180.0;  // radians per degree

}  // namespace

double DegAtan2(double x, double y) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  double phi = (ax > ay) ? std::atan(ay / ax) / kRad : 90.0 - std::atan(ax / ay) / kRad;
  if (x < 0.0) phi = 180.0 - phi;
  if (y < 0.0) phi = -phi;
  return phi;
}

double DegSin(double a) {
  return std::sin(a * kRad);
}

double DegCos(double a) {
  return std::cos(a * kRad);
}

TVector3 CartDeg(double r, double theta, double phi) {
  const double rcst = r * DegCos(theta);
  return TVector3{rcst * DegCos(phi), rcst * DegSin(phi), r * DegSin(theta)};
}

TPolarDeg PolarDeg(const TVector3& v) {
  const double rho2 = v.X * v.X + v.Y * v.Y;
  TPolarDeg p;
  p.R = std::sqrt(rho2 + v.Z * v.Z);
  p.Phi = DegAtan2(v.X, v.Y);
  if (p.Phi < 0.0) p.Phi += 360.0;
  p.Theta = DegAtan2(std::sqrt(rho2), v.Z);
  return p;
}

double DmsToDeg(int d, int m, double s) {
  const double value = std::abs(d) + std::abs(m) / 60.0 + std::fabs(s) / 3600.0;
  return (d < 0 || m < 0 || s < 0.0) ? -value : value;
}

namespace {

// The mean obliquity of the ecliptic in degrees.
double ObliquityDeg(double t) {
  return 23.43929111 - (46.8150 + (0.00059 - 0.001813 * t) * t) * t / 3600.0;
}

}  // namespace

void EclToEquVec(double t, TVector3& v) {
  const double eps = ObliquityDeg(t);
  v = RotateAboutX(v, DegCos(eps), DegSin(eps));
}

void EquToEclVec(double t, TVector3& v) {
  const double eps = ObliquityDeg(t);
  v = RotateAboutX(v, DegCos(eps), -DegSin(eps));
}

void NutateEquVec(double t, TVector3& v) {
  constexpr double kArc = 206264.8062;                              // arcsec per radian
  constexpr double kP2 = 6.283185307;                               // 2 pi as the routine has it
  const double ls = kP2 * FracPositive(0.993133 + 99.997306 * t);   // mean anomaly of the Sun
  const double d = kP2 * FracPositive(0.827362 + 1236.853087 * t);  // elongation Moon-Sun
  const double f = kP2 * FracPositive(0.259089 + 1342.227826 * t);  // argument of latitude
  const double n = kP2 * FracPositive(0.347346 - 5.372447 * t);     // node of the Moon
  const double eps = 0.4090928 - 2.2696e-4 * t;
  const double dpsi =
      (-17.200 * std::sin(n) - 1.319 * std::sin(2.0 * (f - d + n)) -
       0.227 * std::sin(2.0 * (f + n)) + 0.206 * std::sin(2.0 * n) + 0.143 * std::sin(ls)) /
      kArc;
  const double deps = (9.203 * std::cos(n) + 0.574 * std::cos(2.0 * (f - d + n)) +
                       0.098 * std::cos(2.0 * (f + n)) - 0.090 * std::cos(2.0 * n)) /
                      kArc;
  const double c = dpsi * std::cos(eps);
  const double s = dpsi * std::sin(eps);
  const double dx = -(c * v.Y + s * v.Z);
  const double dy = c * v.X - deps * v.Z;
  const double dz = s * v.X + deps * v.Y;
  v.X += dx;
  v.Y += dy;
  v.Z += dz;
}

TMatrix33 PrecessionMatrixEcl(double t1, double t2) {
  constexpr double kSec = 3600.0;
  const double dt = t2 - t1;
  const double bigPi =
      174.876383889 +
      (((3289.4789 + 0.60622 * t1) * t1) + ((-869.8089 - 0.50491 * t1) + 0.03536 * dt) * dt) / kSec;
  const double smallPi = ((47.0029 - (0.06603 - 0.000598 * t1) * t1) +
                          ((-0.03302 + 0.000598 * t1) + 0.000060 * dt) * dt) *
                         dt / kSec;
  const double p = ((5029.0966 + (2.22226 - 0.000042 * t1) * t1) +
                    ((1.11113 - 0.000042 * t1) - 0.000006 * dt) * dt) *
                   dt / kSec;
  const double c1 = DegCos(bigPi + p);
  const double s1 = DegSin(bigPi + p);
  const double c2 = DegCos(smallPi);
  const double s2 = DegSin(smallPi);
  const double c3 = DegCos(bigPi);
  const double s3 = DegSin(bigPi);
  TMatrix33 a;
  a[0] = {c1 * c3 + s1 * c2 * s3, c1 * s3 - s1 * c2 * c3, -s1 * s2};
  a[1] = {s1 * c3 - c1 * c2 * s3, s1 * s3 + c1 * c2 * c3, c1 * s2};
  a[2] = {s2 * s3, -s2 * c3, c2};
  return a;
}

void ApplyMatrix(const TMatrix33& a, TVector3& v) {
  const TVector3 u = v;
  v.X = a[0][0] * u.X + a[0][1] * u.Y + a[0][2] * u.Z;
  v.Y = a[1][0] * u.X + a[1][1] * u.Y + a[1][2] * u.Z;
  v.Z = a[2][0] * u.X + a[2][1] * u.Y + a[2][2] * u.Z;
}

}  // namespace himlavy
