// Degree-based vectors and reductions for the eclipse and orbit computations.
//
// The small vector kit of O. Montenbruck & T. Pfleger, Astronomy on the Personal Computer
// (Springer): trigonometry in degrees, spherical <-> rectangular conversion, vector products,
// the rotation between ecliptic and equator, the low-precision nutation and the precession
// matrix of ecliptic coordinates. Angles are degrees unless stated otherwise; T is Julian
// centuries since J2000.0, T = (MJD - 51544.5) / 36525. The routines keep no state.
#pragma once

#include <array>

#include "base/basic.h"

namespace himlavy {

// A 3 x 3 matrix, rows first: A[row][column].
using TMatrix33 = std::array<std::array<double, 3>, 3>;

// Spherical coordinates in degrees as PolarDeg gives them: R = |v|, Theta the latitude
// (declination) in [-90, 90], Phi the longitude (right ascension) in [0, 360].
struct TPolarDeg {
  double R = 0.0;
  double Theta = 0.0;
  double Phi = 0.0;
};

// DegAtan2: the angle of the point (x, y) in degrees.
//   x, y  any values (note the order: x first)
// Returns degrees in (-180, 180]; 0 when both are 0. A point on the negative x axis gives
// +180 whatever the sign of a zero y.
// Source: Montenbruck & Pfleger, ATN2.
double DegAtan2(double x, double y);

// DegSin, DegCos: sine and cosine of an angle in degrees.
//   a  degrees
// Source: Montenbruck & Pfleger, SN and CS.
double DegSin(double a);
double DegCos(double a);

// CartDeg: spherical to rectangular coordinates.
//   r      radius (the caller's unit)
//   theta  latitude or declination, degrees
//   phi    longitude or right ascension, degrees
// Returns (r cos theta cos phi, r cos theta sin phi, r sin theta).
// Source: Montenbruck & Pfleger, CART.
TVector3 CartDeg(double r, double theta, double phi);

// PolarDeg: rectangular to spherical coordinates.
//   v  any vector
// Returns R = |v|, Phi = DegAtan2(x, y) plus 360 when negative, Theta = DegAtan2(sqrt(x^2 +
// y^2), z). The origin gives (0, 0, 0).
// Source: Montenbruck & Pfleger, POLAR.
TPolarDeg PolarDeg(const TVector3& v);

// DmsToDeg: degrees, minutes and seconds to degrees.
//   d, m  whole degrees and minutes
//   s     seconds
// Returns |d| + |m|/60 + |s|/3600, negative when any of d, m, s is negative: DmsToDeg(0, 0,
// -30) = -0.00833..., DmsToDeg(0, 30, 0) = 0.5, and -0 deg 30' is written DmsToDeg(0, -30, 0).
// Source: Montenbruck & Pfleger, DDD.
double DmsToDeg(int d, int m, double s);

// EclToEquVec: ecliptic rectangular coordinates to equatorial, in place.
//   t  Julian centuries since J2000.0 (mean equinox and ecliptic of that date)
//   v  in: ecliptic vector; out: equatorial vector (same length unit)
// The obliquity is eps = 23.43929111 deg - (46.8150" + (0.00059" - 0.001813" T) T) T.
// Source: Montenbruck & Pfleger, ECLEQU.
void EclToEquVec(double t, TVector3& v);

// EquToEclVec: equatorial rectangular coordinates to ecliptic, in place; the inverse of
// EclToEquVec with the same obliquity.
// Source: Montenbruck & Pfleger, EQUECL.
void EquToEclVec(double t, TVector3& v);

// NutateEquVec: the low-precision nutation added to an equatorial vector, in place.
//   t  Julian centuries since J2000.0
//   v  in: vector referred to the mean equator and equinox of date; out: referred to the true
//      equator and equinox (a first-order rotation: the length changes by ~1e-9)
// Dpsi and Deps from the five and four largest terms (0.1" accuracy), the obliquity
// 0.4090928 - 0.00022696 T rad.
// Source: Montenbruck & Pfleger, NUTEQU.
void NutateEquVec(double t, TVector3& v);

// PrecessionMatrixEcl: the precession matrix of ecliptic coordinates.
//   t1, t2  the epochs from and to, Julian centuries since J2000.0
// Returns A such that v(t2) = A v(t1) for ecliptic rectangular vectors (Lieske's Pi, pi and
// p of 1977, as in Meeus, Astronomical Algorithms, ch. 20).
// Source: Montenbruck & Pfleger, PMATECL.
TMatrix33 PrecessionMatrixEcl(double t1, double t2);

// ApplyMatrix: a vector multiplied by a matrix, in place: v = A v.
// Source: Montenbruck & Pfleger, PRECART.
void ApplyMatrix(const TMatrix33& a, TVector3& v);

}  // namespace himlavy
