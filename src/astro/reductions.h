// Nutation, aberration, precession and coordinate reductions.
//
// The routines that turn a geometric position into the one an observer sees and move positions
// between coordinate systems: the IAU 1980 nutation, the mean obliquity of the ecliptic, annual
// aberration (with a low-precision Sun used only for it), nutation and precession in right
// ascension and declination, ecliptic <-> equatorial -> horizontal and equatorial -> galactic
// conversions, atmospheric refraction, topocentric parallax, the parallactic angle and rising,
// transit and setting for one day. Methods from J. Meeus, Astronomical Algorithms, 1st ed.
// (1991); chapter numbers below are those of the 1st edition.
//
// Conventions: angles are radians on input and output. T is the time in Julian centuries of
// 36525 days from J2000.0, T = (JD - 2451545) / 36525; dynamical time where the formula is
// dynamical, universal time for sidereal time. A local sidereal time theta is the caller's,
// and the hour angle is H = theta - alpha. Azimuths are counted from the SOUTH, positive toward
// the west. Observer longitudes for RiseTransitSet are positive WEST. No routine keeps state,
// allocates or reports an error; the limits callers respect are stated per routine.
#pragma once

#include <array>

#include "base/basic.h"

namespace himlavy {

// Arc seconds to radians, as the reductions use them (degrees: kDegToRad of basic.h).
inline constexpr double kArcSecToRad = 4.84813681109536e-06;

// The true geometric longitude of the Sun and the eccentricity of the Earth's orbit.
struct TSunLowPrecision {
  double L = 0.0;  // the Sun's true geometric longitude, radians, not reduced
  double E = 0.0;  // eccentricity of the Earth's orbit
};

// Nutation in longitude and in obliquity, radians.
struct TNutation {
  double DPsi = 0.0;
  double DEps = 0.0;
};

// Equatorial coordinates: right ascension and declination, radians.
struct TEquatorial {
  double Alpha = 0.0;
  double Delta = 0.0;
};

// Ecliptic coordinates: longitude and latitude, radians.
struct TEcliptic {
  double Lambda = 0.0;
  double Beta = 0.0;
};

// Horizontal coordinates: azimuth from the south (westward positive) and altitude, radians.
struct THorizontal {
  double Az = 0.0;
  double Alt = 0.0;
};

// Galactic coordinates: longitude and latitude, radians.
struct TGalactic {
  double L = 0.0;
  double B = 0.0;
};

// Whether a body crosses a given altitude on a day.
enum class TRiseSetStatus {
  Crosses,      // it rises and sets
  AlwaysAbove,  // it stays above the altitude all day
  AlwaysBelow,  // it stays below the altitude all day
};

// Rising, transit and setting of a body on one day.
struct TRiseTransitSet {
  double Rise = 0.0;     // time of rising from 0 h UT as an angle (2 pi = 24 h)
  double Transit = 0.0;  // time of transit from 0 h UT as an angle
  double SetTime = 0.0;  // time of setting from 0 h UT as an angle
  TRiseSetStatus Status = TRiseSetStatus::Crosses;
};

// SunLowPrecision: the Sun's true geometric longitude at low precision (about 0.01 degree),
// for the aberration only.
//   t  Julian centuries TT from J2000.0
// Returns L = L0 + C, radians, not reduced (L0 the geometric mean longitude, C the equation of
// the centre as a series in e to e^3), and E, the eccentricity of the Earth's orbit.
// Source: Meeus (1991), chapter 24, formulas 24.2-24.4; the equation of the centre as the
// classical series in e.
TSunLowPrecision SunLowPrecision(double t);

// NutationIAU1980: nutation in longitude and obliquity by the IAU 1980 theory.
//   t  Julian centuries TT from J2000.0
// Returns DPsi (the sum of all 63 sine terms) and DEps (the 38 cosine terms), radians.
// Source: Meeus (1991), chapter 21, table 21.A (the 1980 IAU theory of nutation); the
// fundamental arguments D, M, M', F, Omega as cubic polynomials in T.
TNutation NutationIAU1980(double t);

// MeanObliquity: the mean obliquity of the ecliptic eps0.
//   t  Julian centuries TT from J2000.0 (valid for |T| < 100)
// Returns eps0, radians. The true obliquity is eps0 + DEps.
// Source: J. Laskar's polynomial in U = T/100, Meeus (1991), chapter 21, formula 21.3.
double MeanObliquity(double t);

// AberrationRaDec: annual aberration applied to a right ascension and declination.
//   Terms  whether the e-terms (the eccentricity of the Earth's orbit) are included
//   Alpha  right ascension, radians (in/out)
//   Delta  declination, radians (in/out); away from the poles (divides by cos delta)
//   Eps    obliquity of the ecliptic, radians
//   T      Julian centuries TT from J2000.0
// On return Alpha and Delta are corrected for aberration (constant kappa = 20.49552").
// Source: Meeus (1991), chapter 22, formula 22.3, with the Sun of SunLowPrecision.
enum class TAberrationTerms { WithoutETerms, WithETerms };
void AberrationRaDec(TAberrationTerms terms, double& alpha, double& delta, double eps, double t);

// NutationRaDec: nutation applied to a right ascension and declination.
//   alpha  right ascension, radians (in/out)
//   delta  declination, radians (in/out)
//   eps    MEAN obliquity of the ecliptic, radians
//   dEps   nutation in obliquity, radians
//   dPsi   nutation in longitude, radians
// For |delta| < 1.565 rad the first-order formulas are used; from 1.565 rad (89.67 degrees)
// poleward the position is turned into ecliptic coordinates with the mean obliquity, dPsi is
// added to the longitude and the result is turned back with the true obliquity eps + dEps.
// The first-order route leaves alpha unreduced; the rigorous route returns it in [0, 2 pi).
// Source: Meeus (1991), chapter 22, formula 22.1; chapter 12 for the rigorous route.
void NutationRaDec(double& alpha, double& delta, double eps, double dEps, double dPsi);

// PrecessRaDec: rigorous precession of a right ascension and declination (IAU 1976).
//   alpha  right ascension at the starting equinox, radians (in/out)
//   delta  declination, radians (in/out)
//   t0     starting epoch, Julian centuries from J2000.0
//   t1     final epoch, Julian centuries from J2000.0
// On return alpha in [0, 2 pi) and delta refer to the mean equinox of t1.
// Source: Meeus (1991), chapter 20, formulas 20.2 (zeta, z, theta from an arbitrary starting
// epoch) and 20.4.
void PrecessRaDec(double& alpha, double& delta, double t0, double t1);

// The parts of AberrationRaDec, NutationRaDec and PrecessRaDec that depend on the moment
// alone, for reducing many places to one moment: the overloads below give the very numbers
// of the functions above (which are made of them) without computing these parts again.
struct TAberrationMoment {
  double Cs = 0.0, Sn = 0.0;      // the Sun's direction terms (with the e-terms when asked)
  double SinE = 0.0, CosE = 1.0;  // of the obliquity
};
TAberrationMoment AberrationMoment(TAberrationTerms terms, double eps, double t);
void AberrationRaDec(double& alpha, double& delta, const TAberrationMoment& m);

struct TNutationMoment {
  double Eps = 0.0, DEps = 0.0, DPsi = 0.0;
  double SinE = 0.0, CosE = 1.0;  // of the mean obliquity
};
TNutationMoment NutationMoment(double eps, double dEps, double dPsi);
void NutationRaDec(double& alpha, double& delta, const TNutationMoment& m);

struct TPrecessionMoment {
  double Zeta = 0.0, Z = 0.0;  // radians
  double CosTheta = 1.0, SinTheta = 0.0;
};
TPrecessionMoment PrecessionMoment(double t0, double t1);
void PrecessRaDec(double& alpha, double& delta, const TPrecessionMoment& m);

// ReductionDriftRates: upper bounds of how fast each reduction moves a place on the sky, arc
// seconds per day, for moments within tAbs Julian centuries of J2000.0.
//   Precession  the angular speed of the rotation of PrecessRaDec from J2000.0: at most
//               |zeta'| + |z'| + |theta'| (Meeus 20.2 with T = 0)
//   Nutation    |dDPsi/dt| + |dDEps/dt| (a rotation by DPsi about the ecliptic pole and by DEps
//               about the equinox moves no point farther than their sum): every IAU 1980 term's
//               two coefficients times the speed of its argument, summed
//   Aberration  kappa (20.49552") times the Sun's greatest speed in longitude, 1.03 degrees a
//               day (an orbital eccentricity up to 0.02)
struct TReductionDrift {
  double Precession = 0.0;
  double Nutation = 0.0;
  double Aberration = 0.0;
};
TReductionDrift ReductionDriftRates(double tAbs);

// EclipticToEquatorial: ecliptic to equatorial coordinates.
//   lambda, beta  ecliptic longitude and latitude, radians
//   eps           obliquity of the ecliptic, radians
// Returns Alpha in [0, 2 pi) and Delta in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.3 and 12.4.
TEquatorial EclipticToEquatorial(double lambda, double beta, double eps);

// EquatorialToEcliptic: equatorial to ecliptic coordinates.
//   alpha, delta  right ascension and declination, radians
//   eps           obliquity of the ecliptic, radians
// Returns Lambda in [-pi, pi] (not reduced to [0, 2 pi)) and Beta in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.1 and 12.2.
TEcliptic EquatorialToEcliptic(double alpha, double delta, double eps);

// EquatorialToHorizontal: equatorial to horizontal coordinates.
//   alpha, delta  right ascension and declination, radians
//   theta         local sidereal time, radians (hour angle H = theta - alpha)
//   phi           geographic latitude, radians, north positive
// Returns Az, the azimuth from the SOUTH, westward positive, in [-pi, pi], and Alt, the
// altitude in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.5 and 12.6.
THorizontal EquatorialToHorizontal(double alpha, double delta, double theta, double phi);

// EquatorialToGalactic: equatorial coordinates to galactic (pole of the B1950.0 system).
//   alpha, delta  right ascension and declination referred to the equinox B1950.0, radians
// Returns L, the galactic longitude (303 degrees - x, not reduced to [0, 2 pi)), and B, the
// galactic latitude. The pole's declination 27.4 degrees enters as sin = 0.4601 and
// cos = 0.8878.
// Source: Meeus (1991), chapter 12, formulas 12.7 and 12.8.
TGalactic EquatorialToGalactic(double alpha, double delta);

// The rotation from equatorial J2000.0 axes to galactic axes, row by row: the galactic pole at
// alpha 192.85948, delta 27.12825 degrees, the node at l = 32.93192 degrees (the IAU system
// as realised by Hipparcos, ESA 1997, vol. 1, section 1.5.3).
inline constexpr std::array<double, 9> kJ2000ToGalactic = {
    -0.054875539390, -0.873437104725, -0.483834991775,  //
    +0.494109453633, -0.444829594298, +0.746982248696,  //
    -0.867666135681, -0.198076389622, +0.455983794523};

// RotatedToGalactic: galactic coordinates of a direction given in equatorial axes.
//   rotation      from those axes to galactic axes, row by row (kJ2000ToGalactic for places
//                 referred to J2000.0)
//   alpha, delta  right ascension and declination in those axes, radians
// Returns L in [0, 2 pi) and B in [-pi/2, pi/2].
TGalactic RotatedToGalactic(const std::array<double, 9>& rotation, double alpha, double delta);

// Refraction: atmospheric refraction at a true (airless) altitude.
//   alt  true altitude h, radians; above -0.6 degrees (-0.010471975511965978 rad)
// Returns R, radians, to be added to h for the apparent altitude:
// R = 1.02' / tan(h + 10.3 deg / (h_deg + 5.11)) + 0.0019279', which vanishes at the zenith
// (28.98' at h = 0), for 1010 mbar and 10 degrees C.
// Source: Saemundsson's formula, Meeus (1991), chapter 15, formula 15.4.
double Refraction(double alt);

// ParallaxRaDecApprox: topocentric right ascension and declination to first order in the
// parallax.
//   alpha, delta  geocentric right ascension and declination, radians (in/out); away from the
//                 poles (divides by cos delta)
//   rhoSinPhi     rho sin phi' of the observer (Earth radii)
//   rhoCosPhi     rho cos phi' of the observer (Earth radii)
//   theta         local sidereal time, radians
//   sinPi         sine of the body's equatorial horizontal parallax
// On return alpha and delta are topocentric (alpha not reduced).
// Source: Meeus (1991), chapter 39 (the first-order form of the rigorous formulas).
void ParallaxRaDecApprox(double& alpha, double& delta, double rhoSinPhi, double rhoCosPhi,
                         double theta, double sinPi);

// ParallaxRaDec: rigorous topocentric right ascension and declination.
//   alpha, delta  geocentric right ascension and declination, radians (in/out)
//   scale         a quantity inversely proportional to the distance, such as an apparent
//                 semi-diameter (in/out)
//   rhoSinPhi, rhoCosPhi, theta, sinPi  as for ParallaxRaDecApprox
// On return alpha in [0, 2 pi) and delta are topocentric and scale is divided by r, the ratio
// of the topocentric to the geocentric distance.
// Source: Meeus (1991), chapter 39 (the rigorous method, here by rectangular coordinates).
void ParallaxRaDec(double& alpha, double& delta, double& scale, double rhoSinPhi, double rhoCosPhi,
                   double theta, double sinPi);

// ParallacticAngle: the parallactic angle of a body.
//   alpha, delta  right ascension and declination, radians
//   phi           geographic latitude, radians; |phi| < pi/2
//   theta         local sidereal time, radians
// Returns q in [-pi, pi], radians.
// Source: Meeus (1991), chapter 13, formula 13.1.
double ParallacticAngle(double alpha, double delta, double phi, double theta);

// MoonStandardAltitude: the standard altitude of the Moon's centre at rising and setting.
//   horParallax  the Moon's equatorial horizontal parallax pi, radians
// Returns h0 = 0.7275 pi - 0.5667 degrees, radians.
// Source: Meeus (1991), chapter 14.
double MoonStandardAltitude(double horParallax);

// RiseTransitSet: times of rising, transit and setting of a body on one day.
//   t0      Julian centuries UT from J2000.0 of 0 h UT of the day
//   deltaT  TT - UT, seconds
//   alpha1, delta1  apparent right ascension and declination at 0 h TT of the day before
//   alpha2, delta2  the same at 0 h TT of the day itself
//   alpha3, delta3  the same at 0 h TT of the day after (all radians)
//   h0      standard altitude, radians (e.g. -0.5667 deg for stars, -0.8333 deg for the Sun,
//           MoonStandardAltitude for the Moon)
//   l       observer's longitude, radians, positive WEST
//   phi     observer's latitude, radians; |phi| < pi/2
// Returns Rise, Transit and SetTime as fractions of the day from 0 h UT expressed as angles
// (2 pi = 24 h), and Status: Crosses when the body crosses h0 that day; AlwaysAbove when it stays
// above h0 (Rise and SetTime are then the unrefined transit less and plus half a day, each brought
// into [0, 2 pi] by one turn); AlwaysBelow when it stays below (Rise = SetTime = the unrefined
// transit). Otherwise than Crosses only the transit is refined. With Crosses Rise and SetTime
// are put into [0, 2 pi] by one turn after refinement. Transit is never reduced: its first
// estimate is only raised by one turn when negative, so it may fall outside [0, 2 pi) (a
// transit belonging to the day before or after, for longitudes far from Greenwich).
// Method: the approximate times from the hour angle of the day's position, each refined by
// interpolating the positions at the event (Meeus 3.3): the transit by the hour angle, the
// rising and setting by a Newton step in altitude, dm = cos h (h - h0) /
// (2 pi cos delta cos phi sin H), until |dm| < 0.0002 day (about 17 s), the last step
// applied.
// Round cap: at most 20 rounds per event (kRiseTransitSetMaxRounds). Ordinary input converges
// in one to four rounds: in a sweep over Sun- and Moon-like motions, standard altitudes down
// to -18 degrees and random longitudes, 99.8 % of the risings and settings within 60 degrees
// of the equator took at most 4 rounds (99.4 % within 7 over all latitudes to 89 degrees).
// The rest are bodies that graze h0: the day's declination says they cross it, but the moving
// body does not cross it near the estimate, and Newton's steps oscillate or wander off to an
// event of another day (sometimes for ever). Non-finite input never meets the tolerance.
// When the cap is reached for the rising or the setting, that event falls back to its first
// estimate from the day's hour angle (Meeus's uncorrected time), brought into [0, 2 pi] as
// above; Status stays 0. The transit step is contracting and never needs the cap on finite
// input.
// Source: Meeus (1991), chapter 14 (rising, transit and setting).
inline constexpr int kRiseTransitSetMaxRounds = 20;
TRiseTransitSet RiseTransitSet(double t0, double deltaT, double alpha1, double delta1,
                               double alpha2, double delta2, double alpha3, double delta3,
                               double h0, double l, double phi);

}  // namespace himlavy
