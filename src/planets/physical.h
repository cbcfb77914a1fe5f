// Physical ephemerides: how the Sun, the Moon and the planets look through a telescope.
//
// From positions the caller has already computed (heliocentric positions of a planet and of
// the Earth, the geocentric position, the obliquity and the nutation) these routines give the
// position angle of the rotation axis, the planetocentric declinations of the Earth and the
// Sun, the longitude of the central meridian, the illuminated fraction and the position angle
// of the bright limb, apparent diameters, the tilt and axes of Saturn's ring, the optical and
// physical librations of the Moon, the physical ephemeris of the Sun and visual magnitudes.
// Methods from J. Meeus, Astronomical Algorithms, 1st ed. (1991); chapter numbers below are
// those of the 1st edition (2nd edition: Sun 29, magnitudes 41, Mars 42, Jupiter 43, ring of
// Saturn 45, Moon 53, semidiameters 55).
//
// Conventions: angles are radians on input and output unless a routine says otherwise.
// Distances are astronomical units, except the Moon's, which is kilometres. T is Julian
// centuries of dynamical time from J2000.0, JD = 2451545.0 + 36525 T. Positions are
// TSpherical triples (Lon, Lat, R). The caller has applied light time; the routines apply the
// aberration and nutation that Meeus's procedures prescribe themselves. Bodies are numbered
// by TBody (astro/bodies.h): 0 the Sun, 1 Mercury, 2 Venus, 3 the Earth, 4 Mars, 5 Jupiter,
// 6 Saturn, 7 Uranus, 8 Neptune, 9 Pluto. No routine keeps state or reports an error; distances of
// zero are not guarded.
#pragma once

#include <array>

#include "astro/bodies.h"
#include "base/basic.h"

namespace himlavy {

// The Moon's physical librations in longitude (rho), in latitude (sigma) and in the node
// (tau), radians.
struct TPhysicalLibration {
  double Rho = 0.0;
  double Sigma = 0.0;
  double Tau = 0.0;
};

// JupiterPhysical: physical ephemeris of Jupiter (system I and II).
//   planet  Jupiter's heliocentric ecliptic l, b (radians), r (AU)
//   earth   the Earth's heliocentric ecliptic l0, b0 (radians), R (AU)
//   geo     Jupiter's geocentric ecliptic lambda, beta (radians), Delta (AU)
//   dEps, dPsi  nutation in obliquity and in longitude, radians
//   eps0    mean obliquity of the ecliptic, radians
//   t       Julian centuries TT from J2000.0
// Returns, in this order:
//   [0] DS, the Jovicentric declination of the Sun
//   [1] DE, the Jovicentric declination of the Earth
//   [2] omega1, [3] omega2: longitudes of the central meridian in systems I and II, in
//       [0, 2 pi), WITHOUT the correction for phase
//   [4] the phase term 1 - k (k the illuminated fraction), negated when sin(l - l0) < 0;
//       added to omega1 and omega2 as radians it gives Meeus's correction for phase
//   [5] P, the position angle of the rotation axis, [0, 2 pi)
// The pole is alpha0 = 268.00 deg + 0.1061 deg T1, delta0 = 64.50 deg - 0.0164 deg T1
// (T1 in centuries from JD 2433282.5); the apparent position takes aberration (0.005693 deg)
// with the true obliquity and NutationRaDec of the pole and of the planet.
// Source: Meeus (1991), chapter 42 (ephemeris for physical observations of Jupiter).
std::array<double, 6> JupiterPhysical(const TSpherical& planet, const TSpherical& earth,
                                      const TSpherical& geo, double dEps, double dPsi, double eps0,
                                      double t);

// MarsPhysical: physical ephemeris of Mars.
//   planet, earth, geo, dEps, dPsi, eps0, t  as for JupiterPhysical, for Mars
// Returns, in this order:
//   [0] DS, the areocentric declination of the Sun
//   [1] DE, the areocentric declination of the Earth
//   [2] omega, the areographic longitude of the central meridian, [0, 2 pi)
//   [3] P, the position angle of the rotation axis, [0, 2 pi)
//   [4] Q, the position angle of the point of greatest defect of illumination, (0, 2 pi]
//       (not reduced)
//   [5] q, the greatest defect of illumination, arc seconds
//   [6] d, the apparent diameter 9.36" / Delta, arc seconds
// The rotation uses the light-retarded time JD - 0.0057755183 Delta.
// Source: Meeus (1991), chapter 41 (ephemeris for physical observations of Mars).
std::array<double, 7> MarsPhysical(const TSpherical& planet, const TSpherical& earth,
                                   const TSpherical& geo, double dEps, double dPsi, double eps0,
                                   double t);

// SaturnRing: the ring of Saturn.
//   planet  Saturn's heliocentric ecliptic l, b (radians), r (AU)
//   geo     Saturn's geocentric ecliptic lambda, beta (radians), Delta (AU)
//   l0      the Earth's heliocentric ecliptic longitude, radians
//   dEps, dPsi, eps0, t  as for JupiterPhysical
// Returns, in this order:
//   [0] B, the Saturnicentric latitude of the Earth referred to the plane of the ring
//   [1] B', the same for the Sun
//   [2] P, the position angle of the northern semiminor axis, [0, 2 pi)
//   [3] DeltaU = |U1 - U2|, the difference between the Saturnicentric longitudes of the Sun
//       and of the Earth measured in the plane of the ring (not reduced; may exceed pi)
//   [4] a, the major axis of the outer edge of the outer ring, 375.35" / Delta, arc seconds
//   [5] b = a |sin B|, the minor axis, arc seconds (never negative)
// Source: Meeus (1991), chapter 44 (the ring of Saturn).
std::array<double, 6> SaturnRing(const TSpherical& planet, const TSpherical& geo, double l0,
                                 double dEps, double dPsi, double eps0, double t);

// MoonPhysicalLibration: the Moon's physical librations rho, sigma and tau.
//   e      eccentricity factor 1 - 0.002516 T - 0.0000074 T^2
//   f      the Moon's argument of latitude, radians
//   m      the Sun's mean anomaly, radians
//   mPrime the Moon's mean anomaly, radians
//   d      the Moon's mean elongation, radians
//   omega  longitude of the Moon's mean ascending node, radians
//   t      Julian centuries TT from J2000.0 (for K1 = 119.75 + 131.849 T and
//          K2 = 72.56 + 20.186 T, degrees)
// Returns Rho, Sigma and Tau in radians: the sums of Meeus's 10, 13 and 19 periodic terms
// (tools/tables/meeus_53_moon_physical_libration_rho_sigma_tau.tsv).
// Source: Meeus (1991), chapter 51 (ephemeris for physical observations of the Moon).
TPhysicalLibration MoonPhysicalLibration(double e, double f, double m, double mPrime, double d,
                                         double omega, double t);

// MoonPhysical: physical ephemeris of the Moon.
//   moon   the Moon's geocentric ecliptic lambda (without nutation), beta (radians),
//          Delta (km)
//   sun    the Sun's geocentric ecliptic longitude, latitude (radians) and distance R (AU)
//   eps0   mean obliquity of the ecliptic, radians
//   dPsi, dEps  nutation in longitude and in obliquity, radians
//   t      Julian centuries TT from J2000.0
// Returns, in this order:
//   [0] l, [1] b: the total librations in longitude and latitude (l = l' + l'', b = b' + b'')
//   [2] l', [3] b': the optical librations (l' in [-pi, pi])
//   [4] l'', [5] b'': the physical librations
//   [6] P, the position angle of the Moon's axis of rotation, [-pi/2, pi/2] (not reduced)
//   [7] i, the phase angle, [0, pi)
//   [8] k = (1 + cos i) / 2, the illuminated fraction
//   [9] chi, the position angle of the Sun as seen from the Moon's centre (of the bright
//       limb's midpoint), [0, 2 pi)
// The mean lunar equator is inclined I = 1.54242 deg to the ecliptic; D, M, M', F, Omega
// and E are those of MoonArguments.
// Source: Meeus (1991), chapter 51; the phase angle as in chapter 46.
std::array<double, 10> MoonPhysical(const TSpherical& moon, const TSpherical& sun, double eps0,
                                    double dPsi, double dEps, double t);

// SunPhysical: physical ephemeris of the Sun.
//   dPsi       nutation in longitude, radians
//   eps        TRUE obliquity of the ecliptic, radians
//   lambdaSun  the Sun's apparent longitude (with aberration) WITHOUT nutation, radians
//   t          Julian centuries TT from J2000.0
// Returns, in this order:
//   [0] P, the position angle of the northern extremity of the axis of rotation, (-pi, pi)
//   [1] B0, the heliographic latitude of the centre of the disk
//   [2] L0, the heliographic longitude of the centre of the disk, [0, 2 pi) (Carrington's
//       rotation, 25.38 days from JD 2398220)
// Source: Meeus (1991), chapter 28 (ephemeris for physical observations of the Sun).
std::array<double, 3> SunPhysical(double dPsi, double eps, double lambdaSun, double t);

// BrightLimbAngle: the two position angles the views of Mercury and Venus need.
//   deltaSun, alphaSun  the Sun's declination and right ascension, radians
//   delta, alpha        the planet's declination and right ascension, radians
// Returns {0, PA + pi}: the first member, the axis position angle, is always 0 (it is not
// computed for these planets); the second is the position angle of the dark limb, the
// position angle PA of the Sun seen from the planet's centre plus pi, in [0, 2 pi] (not
// reduced). Subtract pi again for the position angle chi of the bright limb.
// Source: Meeus (1991), chapter 46 (position angle of the bright limb).
std::array<double, 2> BrightLimbAngle(double deltaSun, double alphaSun, double delta, double alpha);

// IlluminatedFraction: the illuminated fraction of a planet's disk.
//   delta     the distance Earth-planet Delta, AU
//   sunEarth  the distance Sun-Earth R, AU
//   r         the distance Sun-planet, AU
// Returns k = ((r^2 + delta^2 - R^2) / (2 r delta) + 1) / 2, in [0, 1]: 1 in opposition
// geometry, 0 for a planet between the Sun and the Earth on one line. The cosine is clamped
// to [-1, 1] so that a degenerate triangle cannot give a fraction outside [0, 1].
// Source: Meeus (1991), chapter 40, formulas 40.1 and 40.2.
double IlluminatedFraction(double delta, double sunEarth, double r);

// PhaseAngle: the phase angle of a planet, the angle Sun-planet-Earth.
//   delta, sunEarth, r  as for IlluminatedFraction
// Returns i = arccos((r^2 + delta^2 - R^2) / (2 r delta)), in [0, pi] (the cosine taken as
// +-1 where rounding puts it beyond).
// Source: Meeus (1991), chapter 40, formula 40.1.
double PhaseAngle(double delta, double sunEarth, double r);

// PlanetSemidiameter: the equatorial semidiameter of the Sun or a planet.
//   p      the body, Sun..Pluto (0..9)
//   delta  the distance from the Earth, AU
//   polarSemidiameter  (in/out) set to the polar semidiameter 92.06" / Delta for Jupiter
//          (P = 5) and 73.82" / Delta for Saturn (P = 6); left unchanged for any other P
// Returns S0 / delta, arc seconds, with S0 the semidiameter at 1 AU (Sun 959.63", Mercury
// 3.36", Venus 8.34", Earth 0, Mars 4.68", Jupiter 98.44", Saturn 82.73", Uranus 35.02",
// Neptune 33.50", Pluto 2.07"). A P outside 0..9 gives NaN.
// Source: Meeus (1991), chapter 53 (semidiameters of the Sun, Moon and planets).
double PlanetSemidiameter(TBody p, double delta, double& polarSemidiameter);

// SaturnPolarSemidiameter: Saturn's apparent polar semidiameter.
//   s  the equatorial semidiameter (any unit)
//   b  the Saturnicentric latitude of the Earth (SaturnRing), radians
// Returns S sqrt(1 - 0.2038 cos^2 B), in the unit of S.
// Source: Meeus (1991), chapter 53.
double SaturnPolarSemidiameter(double s, double b);

// MoonSemidiameter: the Moon's geocentric semidiameter.
//   delta  the distance between the centres of the Earth and the Moon, km
// Returns 358473400 / delta, arc seconds.
// Source: Meeus (1991), chapter 53.
double MoonSemidiameter(double delta);

// PlanetMagnitude: the visual magnitude of a planet.
//   p      the planet, Mercury..Pluto (1..9)
//   b      for Saturn the Saturnicentric latitude of the Earth (SaturnRing), radians
//   du     for Saturn DeltaU (SaturnRing), radians
//   phaseAngle  the phase angle i, radians
//   r      the distance Sun-planet, AU
//   delta  the distance Earth-planet, AU
// Returns V0 + 5 log10(r delta) plus the phase term, with i and DeltaU in degrees: Mercury
// 0.0380 i - 0.000273 i^2 + 0.000002 i^3, Venus 0.0009 i + 0.000239 i^2 - 0.00000065 i^3,
// Mars 0.016 i, Jupiter 0.0005 i, Saturn 0.044 DeltaU - 2.60 sin|B| + 1.25 sin^2 B, none for
// the Earth, Uranus, Neptune and Pluto. V0: Mercury -0.42, Venus -4.40, Earth 0.0, Mars -1.52,
// Jupiter -9.40, Saturn -8.88, Uranus -7.19, Neptune -6.87, Pluto -1.00. The logarithm is
// Log10 (ln x / 2.302585093). A P outside 1..9 gives NaN.
// Source: Meeus (1991), chapter 40 (the formulas of the Astronomical Almanac 1984).
double PlanetMagnitude(TBody p, double b, double du, double phaseAngle, double r, double delta);

// CometMagnitude: the magnitude of a comet.
//   k, h   the comet's magnitude constants (slope and absolute magnitude)
//   r      the distance Sun-comet, AU
//   delta  the distance Earth-comet, AU
// Returns H + 5 log10 delta + K log10 r.
// Source: Meeus (1991), chapter 32 (elliptic motion: magnitude of a comet).
double CometMagnitude(double k, double h, double r, double delta);

// AsteroidMagnitudeHG: the magnitude of an asteroid in the H, G system.
//   g      slope parameter
//   h      absolute magnitude
//   beta   the phase angle, radians, [0, pi)
//   r      the distance Sun-asteroid, AU
//   delta  the distance Earth-asteroid, AU
// Returns H + 5 log10(r delta) - 2.5 log10((1 - G) phi1 + G phi2), with t = tan(beta / 2),
// phi1 = exp(-3.33 t^0.63) and phi2 = exp(-1.87 t^1.22), the powers as exp(c ln t). A phase
// angle of 0 (t = 0) gives t^c = 0 and so phi1 = phi2 = 1.
// Source: Meeus (1991), chapter 32 (magnitude of a minor planet, IAU 1985 H, G system).
double AsteroidMagnitudeHG(double g, double h, double beta, double r, double delta);

}  // namespace himlavy
