// True anomaly on a Keplerian orbit: Kepler's equation for elliptic orbits, Barker's equation
// for parabolic orbits and Landgraf's series for orbits close to a parabola (J. Meeus,
// Astronomical Algorithms, 2nd ed., 1998, chapters 30, 34 and 35).
// The routines keep no state and never report failure; their iterations are capped so that
// no input, NaN included, can make them run for ever.
#pragma once

namespace himlavy {

// The Gaussian gravitational constant k (AU^(3/2) per day, for the Sun with a massless body).
inline constexpr double kGaussK = 0.01720209895;

// KeplerTrueAnomaly: true anomaly on an elliptic orbit from Kepler's equation
// M = E - e sin E.
//   ecc          eccentricity e, 0 <= e < 1
//   meanAnomaly  mean anomaly M (radians, any value; reduced to [-pi, pi] first)
// Returns the true anomaly v (radians) in [-pi, pi], from
// tan(v/2) = sqrt((1 + e)/(1 - e)) tan(E/2).
// Method: Newton's iteration dE = (M + e sin E - E)/(1 - e cos E), repeated while
// |dE| >= 1e-6 (the last correction is applied), starting from E = M, except for e > 0.97 and
// |M| < 0.6 where the cubic starting value of S. Mikkola (1987, Celestial Mechanics 40, 329)
// is used. Meeus, 2nd ed., chapter 30 (1st ed., chapter 29).
// Accuracy: E to far better than 1e-6 rad (the error after the last correction is of the
// order of its square).
// Round cap: at most 100 Newton rounds. With these starting values Newton needs at most 8
// rounds for every e < 1 and every M (a sweep of e up to 1 - 1e-15 and M over [-pi, pi]),
// so the cap is never reached by valid input; it only guards against oscillation when e is
// extremely close to 1. When it is reached the last iterate is used for v. A NaN argument
// makes |dE| >= 1e-6 false and ends the loop after one round, giving NaN.
double KeplerTrueAnomaly(double ecc, double meanAnomaly);

// ParabolicTrueAnomaly: true anomaly on a parabolic orbit from Barker's equation
// s^3 + 3 s = W, s = tan(v/2), W = 3k / sqrt(2) * t / q^(3/2).
//   q   perihelion distance q (AU), > 0
//   dt  time since perihelion t (Julian centuries; negative before perihelion)
// Returns the true anomaly v = 2 atan(s) (radians, in (-pi, pi), with the sign of dt).
// Method: Newton's iteration on s^3 + 3s - W = 0 from s = W/3, repeated while the step is
// at least 1e-6. Meeus, 2nd ed., chapter 34.
// Round cap: at most 200 Newton rounds. From s = W/3 Newton first shrinks s by about a
// third per round, so the rounds grow as log(W): 5 for Meeus's comets, 48 for W = 1e12
// (already beyond any comet: q = 1e-4 AU and 20000 years give W = 3e11), 105 for
// W = 1e27. Above W of about 1e29 the root exceeds 4e9, where one unit in the last place
// of s is larger than 1e-6, and Newton may cycle between neighbouring doubles for ever (it
// does for W = 1.3e34); the cap ends that. When the cap is reached the last iterate is used;
// v is then within 1e-9 of +-pi in every case. A step that is not finite (s^2 overflowing,
// W above 4e154) also ends the iteration with the previous s. A NaN argument gives NaN.
double ParabolicTrueAnomaly(double q, double dt);

// NearParabolicTrueAnomaly: true anomaly on an orbit close to a parabola (hyperbolic, and
// also elliptic with e near 1) by W. Landgraf's series in G = (1 - e)/(1 + e).
//   ecc  eccentricity e, near 1 (the method is meant for e > 1)
//   q    perihelion distance q (AU), > 0
//   dt   time since perihelion (Julian centuries)
// Returns the true anomaly v = 2 atan(S) (radians, with the sign of dt).
// Method: starting from S = tan(v/2) of the parabolic solution, Newton's iteration on
// Q2 = S + (1 - 2G) S^3/3 - G (2 - 3G) S^5/5 + ..., Q2 = k sqrt((1 + e)/q)/(2q) * t (t in
// days); each round sums the series and its derivative until the term factor falls below
// 1e-8 or 50 terms are taken, and the rounds stop when the correction of S is below 1e-4 or
// after 50 rounds (the last iterate is used). With e = 1 this is Newton's method on
// S + S^3/3 = Q2, the parabolic equation. The series converges only while |G| S^2 < 1.
// Meeus, 2nd ed., chapter 35.
double NearParabolicTrueAnomaly(double ecc, double q, double dt);

}  // namespace himlavy
