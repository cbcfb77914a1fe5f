// Angle arithmetic and series evaluation.
//
// The small numeric kernel of the astronomical library: angle normalisation, guarded inverse
// trigonometric functions, a four-quadrant arc tangent, spherical <-> rectangular conversion,
// rotations about the x and z axes, tables of multiple-angle sines and cosines, three-point
// interpolation and Horner evaluation of coefficient arrays. All angles are in radians. The
// routines keep no state, allocate nothing and are safe to call from inner loops; the small
// ones are inline.
#pragma once

#include <array>
#include <cmath>
#include <span>

namespace himlavy {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kPiHalf = 1.5707963267948966;
inline constexpr double kTwoPi = 6.283185307179586;
// Degrees to radians and back (pi / 180 and 180 / pi).
inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;

// A rectangular vector; the unit of length is the caller's.
struct TVector3 {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
};

// Add, Scale, Dot, Cross, Norm: sum, vector times a number, scalar and vector products, and
// length of rectangular vectors.
constexpr TVector3 Add(const TVector3& a, const TVector3& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
constexpr TVector3 Scale(const TVector3& a, double f) {
  return {a.X * f, a.Y * f, a.Z * f};
}
constexpr double Dot(const TVector3& a, const TVector3& b) {
  return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
constexpr TVector3 Cross(const TVector3& a, const TVector3& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Norm(const TVector3& v) {
  return std::sqrt(Dot(v, v));
}

// Spherical coordinates: Lon (longitude or right ascension, radians), Lat (latitude or
// declination, radians), R (radius, the caller's unit).
struct TSpherical {
  double Lon = 0.0;
  double Lat = 0.0;
  double R = 0.0;
};

// Polynomial coefficients from the constant term upward: c0, c1, c2, ...
using TPoly2 = std::array<double, 3>;
using TPoly3 = std::array<double, 4>;
using TPoly4 = std::array<double, 5>;

// Tangent: tan x as sin x / cos x.
//   x  angle (radians) whose cosine is not zero
// Returns sin x / cos x (an infinity or a huge value where cos x is zero or nearly so).
inline double Tangent(double x) {
  return std::sin(x) / std::cos(x);
}

// Atan2: four-quadrant arc tangent, y first.
//   y, x  any values
// Returns radians in [-pi, pi]:
//   x = y = 0        -> 0;
//   |x| > |y|        -> r = atan(y/x); for x < 0, r + pi when r < 0, else r - pi
//                       (so y = 0 with x < 0 gives -pi, not +pi as std::atan2 would);
//   otherwise        -> pi/2 - atan(x/y), less pi when y < 0.
// A NaN argument gives NaN.
inline double Atan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  if (std::fabs(x) > std::fabs(y)) {
    double r = std::atan(y / x);
    if (x < 0.0) r = (r < 0.0) ? r + kPi : r - kPi;
    return r;
  }
  double r = kPiHalf - std::atan(x / y);
  if (y < 0.0) r -= kPi;
  return r;
}

// ArcSin: inverse sine as atan(x / sqrt(1 - x^2)).
//   x  sine, in [-1, 1]
// Returns radians in [-pi/2, pi/2]; exactly +-pi/2 for x = +-1. Values beyond +-1 (rounding
// excess such as 1 + 2^-52) are taken as +-1; NaN gives NaN.
inline double ArcSin(double x) {
  if (x >= 1.0) return kPiHalf;
  if (x <= -1.0) return -kPiHalf;
  return Atan2(x / std::sqrt(1.0 - x * x), 1.0);
}

// ArcCos: inverse cosine as pi/2 - ArcSin(x).
//   x  cosine, in [-1, 1]
// Returns radians in [0, pi]; ArcCos(1) = 0 and ArcCos(-1) = pi. Out-of-range values are
// treated as ArcSin treats them.
inline double ArcCos(double x) {
  return kPiHalf - ArcSin(x);
}

// Log10: decimal logarithm as ln x / 2.302585093 (ln 10 to 9 decimals, as the program has
// always used; the relative difference from the exact log10 is about 2e-11).
//   x  > 0
// Returns log10 x; -inf for 0 and NaN for negative x.
inline double Log10(double x) {
  return std::log(x) / 2.302585093;
}

// Mod2Pi: an angle reduced to [0, 2pi).
//   a  radians
// Returns a - trunc(a / 2pi) * 2pi, plus 2pi when negative. A tiny negative a whose sum with
// 2pi rounds to 2pi itself gives 0, so the result never reaches 2pi.
inline double Mod2Pi(double a) {
  double r = a - std::trunc(a / kTwoPi) * kTwoPi;
  if (r < 0.0) r += kTwoPi;
  if (r >= kTwoPi) r -= kTwoPi;
  return r;
}

// ModPi: an angle reduced to [-pi, pi].
//   a  radians
// Returns a - trunc(a / 2pi) * 2pi, moved by 2pi into [-pi, pi]; values of exactly +-pi are
// kept as they are.
inline double ModPi(double a) {
  double r = a - std::trunc(a / kTwoPi) * kTwoPi;
  if (r >= -kPi) {
    if (r > kPi) r -= kTwoPi;
  } else {
    r += kTwoPi;
  }
  return r;
}

// FloorReal: the greatest whole number not above x, as a double.
//   x  any value
// Returns trunc(x), less 1 when x is negative and not whole.
inline double FloorReal(double x) {
  double r = std::trunc(x);
  if (x < 0.0 && x != r) r -= 1.0;
  return r;
}

// SinCosMultiples: sines and cosines of the multiples x, 2x, ..., nx for a periodic series,
// from one sin and one cos by the angle-addition recurrence.
//   n       number of multiples, >= 1 (n < 1 writes nothing)
//   x       angle (radians)
//   sinTab  receives sin(k x) in sinTab[k-1], k = 1..n
//   cosTab  receives cos(k x) in cosTab[k-1], k = 1..n
// Both spans must hold at least n entries (asserted; never written beyond their ends); only
// the first n entries are touched. Plain arrays convert to the spans implicitly.
void SinCosMultiples(int n, double x, std::span<double> sinTab, std::span<double> cosTab);

// TSignedMultiples<N>: sin(m x) and cos(m x) for m = -N..N, at index m + N, so that a series
// term with a multiple m of x reads Sin[m + N] and Cos[m + N] (built by SignedMultiples).
template <int N>
struct TSignedMultiples {
  std::array<double, 2 * N + 1> Sin{};
  std::array<double, 2 * N + 1> Cos{};
};

// SignedMultiples: the table of TSignedMultiples<N> for x, from SinCosMultiples.
template <int N>
TSignedMultiples<N> SignedMultiples(double x) {
  std::array<double, N> sinTab{};
  std::array<double, N> cosTab{};
  SinCosMultiples(N, x, sinTab, cosTab);
  TSignedMultiples<N> t;
  t.Sin[N] = 0.0;
  t.Cos[N] = 1.0;
  for (int k = 1; k <= N; ++k) {
    t.Sin[N + k] = sinTab[k - 1];
    t.Sin[N - k] = -sinTab[k - 1];
    t.Cos[N + k] = cosTab[k - 1];
    t.Cos[N - k] = cosTab[k - 1];
  }
  return t;
}

// PolarToCartesian: spherical to rectangular coordinates.
//   p  Lon, Lat (radians), R
// Returns X = R cos Lat cos Lon, Y = R cos Lat sin Lon, Z = R sin Lat.
TVector3 PolarToCartesian(const TSpherical& p);

// CartesianToPolar: rectangular to spherical coordinates.
//   v  a vector that is not the origin
// Returns Lon = Atan2(Y, X) in [0, 2pi), Lat = ArcSin(Z / R) in [-pi/2, pi/2],
// R = sqrt(X^2 + Y^2 + Z^2). A Lon that would round up to 2pi (Y a tiny negative fraction of
// X) is given as 0. The origin gives (0, 0, 0).
TSpherical CartesianToPolar(const TVector3& v);

// RotateAboutX: a vector rotated about the x axis.
//   v     the vector
//   c, s  cosine and sine of the rotation angle
// Returns (X, c Y - s Z, s Y + c Z). With c = cos eps and s = sin eps this turns ecliptic
// rectangular coordinates into equatorial ones. `v = RotateAboutX(v, c, s)` is safe.
inline TVector3 RotateAboutX(const TVector3& v, double c, double s) {
  const double y = v.Y;
  const double z = v.Z;
  return TVector3{v.X, c * y - s * z, s * y + c * z};
}

// RotateAboutZ: a vector rotated about the z axis.
//   v     the vector
//   c, s  cosine and sine of the rotation angle
// Returns (c X - s Y, s X + c Y, Z). `v = RotateAboutZ(v, c, s)` is safe.
inline TVector3 RotateAboutZ(const TVector3& v, double c, double s) {
  const double x = v.X;
  const double y = v.Y;
  return TVector3{c * x - s * y, s * x + c * y, v.Z};
}

// Interpolate3: interpolation in a table of three values at equal spacing.
//   y1, y2, y3  the tabular values
//   n           interpolating factor measured from the middle value y2, in units of the
//               spacing (normally -1..1)
// Returns y2 + n/2 (a + b + n c) with a = y2 - y1, b = y3 - y2, c = b - a.
// Source: J. Meeus, Astronomical Algorithms (1991), chapter 3, formula 3.3.
constexpr double Interpolate3(double y1, double y2, double y3, double n) {
  const double a = y2 - y1;
  const double b = y3 - y2;
  const double c = b - a;
  return y2 + (n / 2.0) * (a + b + n * c);
}

// Poly2, Poly3, Poly4: polynomials of degree 2, 3 and 4 by Horner's scheme.
//   c  coefficients from the constant term upward
//   t  argument
// Returns c0 + c1 t + c2 t^2 + ...
constexpr double Poly2(const TPoly2& c, double t) {
  return (c[2] * t + c[1]) * t + c[0];
}

constexpr double Poly3(const TPoly3& c, double t) {
  return ((c[3] * t + c[2]) * t + c[1]) * t + c[0];
}

constexpr double Poly4(const TPoly4& c, double t) {
  return (((c[4] * t + c[3]) * t + c[2]) * t + c[1]) * t + c[0];
}

}  // namespace himlavy
