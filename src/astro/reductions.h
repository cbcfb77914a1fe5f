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
//   T  Julian centuries TT from J2000.0
// Returns L = L0 + C, radians, not reduced (L0 the geometric mean longitude, C the equation of
// the centre as a series in e to e^3), and E, the eccentricity of the Earth's orbit.
// Source: Meeus (1991), chapter 24, formulas 24.2-24.4; the equation of the centre as the
// classical series in e.
TSunLowPrecision SunLowPrecision(double T);

// NutationIAU1980: nutation in longitude and obliquity by the IAU 1980 theory.
//   T  Julian centuries TT from J2000.0
// Returns DPsi (the sum of all 63 sine terms) and DEps (the 38 cosine terms), radians.
// Source: Meeus (1991), chapter 21, table 21.A (the 1980 IAU theory of nutation); the
// fundamental arguments D, M, M', F, Omega as cubic polynomials in T.
TNutation NutationIAU1980(double T);

// MeanObliquity: the mean obliquity of the ecliptic eps0.
//   T  Julian centuries TT from J2000.0 (valid for |T| < 100)
// Returns eps0, radians. The true obliquity is eps0 + DEps.
// Source: J. Laskar's polynomial in U = T/100, Meeus (1991), chapter 21, formula 21.3.
double MeanObliquity(double T);

// AberrationRaDec: annual aberration applied to a right ascension and declination.
//   Terms  whether the e-terms (the eccentricity of the Earth's orbit) are included
//   Alpha  right ascension, radians (in/out)
//   Delta  declination, radians (in/out); away from the poles (divides by cos delta)
//   Eps    obliquity of the ecliptic, radians
//   T      Julian centuries TT from J2000.0
// On return Alpha and Delta are corrected for aberration (constant kappa = 20.49552").
// Source: Meeus (1991), chapter 22, formula 22.3, with the Sun of SunLowPrecision.
enum class TAberrationTerms { WithoutETerms, WithETerms };
void AberrationRaDec(TAberrationTerms Terms, double& Alpha, double& Delta, double Eps, double T);

// NutationRaDec: nutation applied to a right ascension and declination.
//   Alpha  right ascension, radians (in/out)
//   Delta  declination, radians (in/out)
//   Eps    MEAN obliquity of the ecliptic, radians
//   DEps   nutation in obliquity, radians
//   DPsi   nutation in longitude, radians
// For |Delta| < 1.565 rad the first-order formulas are used; from 1.565 rad (89.67 degrees)
// poleward the position is turned into ecliptic coordinates with the mean obliquity, DPsi is
// added to the longitude and the result is turned back with the true obliquity Eps + DEps.
// The first-order route leaves Alpha unreduced; the rigorous route returns it in [0, 2 pi).
// Source: Meeus (1991), chapter 22, formula 22.1; chapter 12 for the rigorous route.
void NutationRaDec(double& Alpha, double& Delta, double Eps, double DEps, double DPsi);

// PrecessRaDec: rigorous precession of a right ascension and declination (IAU 1976).
//   Alpha  right ascension at the starting equinox, radians (in/out)
//   Delta  declination, radians (in/out)
//   T0     starting epoch, Julian centuries from J2000.0
//   T1     final epoch, Julian centuries from J2000.0
// On return Alpha in [0, 2 pi) and Delta refer to the mean equinox of T1.
// Source: Meeus (1991), chapter 20, formulas 20.2 (zeta, z, theta from an arbitrary starting
// epoch) and 20.4.
void PrecessRaDec(double& Alpha, double& Delta, double T0, double T1);

// EclipticToEquatorial: ecliptic to equatorial coordinates.
//   Lambda, Beta  ecliptic longitude and latitude, radians
//   Eps           obliquity of the ecliptic, radians
// Returns Alpha in [0, 2 pi) and Delta in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.3 and 12.4.
TEquatorial EclipticToEquatorial(double Lambda, double Beta, double Eps);

// EquatorialToEcliptic: equatorial to ecliptic coordinates.
//   Alpha, Delta  right ascension and declination, radians
//   Eps           obliquity of the ecliptic, radians
// Returns Lambda in [-pi, pi] (not reduced to [0, 2 pi)) and Beta in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.1 and 12.2.
TEcliptic EquatorialToEcliptic(double Alpha, double Delta, double Eps);

// EquatorialToHorizontal: equatorial to horizontal coordinates.
//   Alpha, Delta  right ascension and declination, radians
//   Theta         local sidereal time, radians (hour angle H = Theta - Alpha)
//   Phi           geographic latitude, radians, north positive
// Returns Az, the azimuth from the SOUTH, westward positive, in [-pi, pi], and Alt, the
// altitude in [-pi/2, pi/2].
// Source: Meeus (1991), chapter 12, formulas 12.5 and 12.6.
THorizontal EquatorialToHorizontal(double Alpha, double Delta, double Theta, double Phi);

// EquatorialToGalactic: equatorial coordinates to galactic (pole of the B1950.0 system).
//   Alpha, Delta  right ascension and declination referred to the equinox B1950.0, radians
// Returns L, the galactic longitude (303 degrees - x, not reduced to [0, 2 pi)), and B, the
// galactic latitude. The pole's declination 27.4 degrees enters as sin = 0.4601 and
// cos = 0.8878.
// Source: Meeus (1991), chapter 12, formulas 12.7 and 12.8.
TGalactic EquatorialToGalactic(double Alpha, double Delta);

// The rotation from equatorial J2000.0 axes to galactic axes, row by row: the galactic pole at
// alpha 192.85948, delta 27.12825 degrees, the node at l = 32.93192 degrees (the IAU system
// as realised by Hipparcos, ESA 1997, vol. 1, section 1.5.3).
inline constexpr std::array<double, 9> kJ2000ToGalactic = {
    -0.054875539390, -0.873437104725, -0.483834991775,  //
    +0.494109453633, -0.444829594298, +0.746982248696,  //
    -0.867666135681, -0.198076389622, +0.455983794523};

// RotatedToGalactic: galactic coordinates of a direction given in equatorial axes.
//   Rotation      from those axes to galactic axes, row by row (kJ2000ToGalactic for places
//                 referred to J2000.0)
//   Alpha, Delta  right ascension and declination in those axes, radians
// Returns L in [0, 2 pi) and B in [-pi/2, pi/2].
TGalactic RotatedToGalactic(const std::array<double, 9>& Rotation, double Alpha, double Delta);

// Refraction: atmospheric refraction at a true (airless) altitude.
//   Alt  true altitude h, radians; above -0.6 degrees (-0.010471975511965978 rad)
// Returns R, radians, to be added to h for the apparent altitude:
// R = 1.02' / tan(h + 10.3 deg / (h_deg + 5.11)) + 0.0019279', which vanishes at the zenith
// (28.98' at h = 0), for 1010 mbar and 10 degrees C.
// Source: Saemundsson's formula, Meeus (1991), chapter 15, formula 15.4.
double Refraction(double Alt);

// ParallaxRaDecApprox: topocentric right ascension and declination to first order in the
// parallax.
//   Alpha, Delta  geocentric right ascension and declination, radians (in/out); away from the
//                 poles (divides by cos delta)
//   RhoSinPhi     rho sin phi' of the observer (Earth radii)
//   RhoCosPhi     rho cos phi' of the observer (Earth radii)
//   Theta         local sidereal time, radians
//   SinPi         sine of the body's equatorial horizontal parallax
// On return Alpha and Delta are topocentric (Alpha not reduced).
// Source: Meeus (1991), chapter 39 (the first-order form of the rigorous formulas).
void ParallaxRaDecApprox(double& Alpha, double& Delta, double RhoSinPhi, double RhoCosPhi,
                         double Theta, double SinPi);

// ParallaxRaDec: rigorous topocentric right ascension and declination.
//   Alpha, Delta  geocentric right ascension and declination, radians (in/out)
//   Scale         a quantity inversely proportional to the distance, such as an apparent
//                 semi-diameter (in/out)
//   RhoSinPhi, RhoCosPhi, Theta, SinPi  as for ParallaxRaDecApprox
// On return Alpha in [0, 2 pi) and Delta are topocentric and Scale is divided by r, the ratio
// of the topocentric to the geocentric distance.
// Source: Meeus (1991), chapter 39 (the rigorous method, here by rectangular coordinates).
void ParallaxRaDec(double& Alpha, double& Delta, double& Scale, double RhoSinPhi, double RhoCosPhi,
                   double Theta, double SinPi);

// ParallacticAngle: the parallactic angle of a body.
//   Alpha, Delta  right ascension and declination, radians
//   Phi           geographic latitude, radians; |Phi| < pi/2
//   Theta         local sidereal time, radians
// Returns q in [-pi, pi], radians.
// Source: Meeus (1991), chapter 13, formula 13.1.
double ParallacticAngle(double Alpha, double Delta, double Phi, double Theta);

// MoonStandardAltitude: the standard altitude of the Moon's centre at rising and setting.
//   HorParallax  the Moon's equatorial horizontal parallax pi, radians
// Returns h0 = 0.7275 pi - 0.5667 degrees, radians.
// Source: Meeus (1991), chapter 14.
double MoonStandardAltitude(double HorParallax);

// RiseTransitSet: times of rising, transit and setting of a body on one day.
//   T0      Julian centuries UT from J2000.0 of 0 h UT of the day
//   DeltaT  TT - UT, seconds
//   Alpha1, Delta1  apparent right ascension and declination at 0 h TT of the day before
//   Alpha2, Delta2  the same at 0 h TT of the day itself
//   Alpha3, Delta3  the same at 0 h TT of the day after (all radians)
//   H0      standard altitude, radians (e.g. -0.5667 deg for stars, -0.8333 deg for the Sun,
//           MoonStandardAltitude for the Moon)
//   L       observer's longitude, radians, positive WEST
//   Phi     observer's latitude, radians; |Phi| < pi/2
// Returns Rise, Transit and SetTime as fractions of the day from 0 h UT expressed as angles
// (2 pi = 24 h), and Status: Crosses when the body crosses H0 that day; AlwaysAbove when it stays
// above H0 (Rise and SetTime are then the unrefined transit less and plus half a day, each brought
// into [0, 2 pi] by one turn); AlwaysBelow when it stays below (Rise = SetTime = the unrefined
// transit). Otherwise than Crosses only the transit is refined. With Crosses Rise and SetTime
// are put into [0, 2 pi] by one turn after refinement. Transit is never reduced: its first
// estimate is only raised by one turn when negative, so it may fall outside [0, 2 pi) (a
// transit belonging to the day before or after, for longitudes far from Greenwich).
// Method: the approximate times from the hour angle of the day's position, each refined by
// interpolating the positions at the event (Meeus 3.3): the transit by the hour angle, the
// rising and setting by a Newton step in altitude, dm = cos h (h - H0) /
// (2 pi cos delta cos phi sin H), until |dm| < 0.0002 day (about 17 s), the last step
// applied.
// Round cap: at most 20 rounds per event (kRiseTransitSetMaxRounds). Ordinary input converges
// in one to four rounds: in a sweep over Sun- and Moon-like motions, standard altitudes down
// to -18 degrees and random longitudes, 99.8 % of the risings and settings within 60 degrees
// of the equator took at most 4 rounds (99.4 % within 7 over all latitudes to 89 degrees).
// The rest are bodies that graze H0: the day's declination says they cross it, but the moving
// body does not cross it near the estimate, and Newton's steps oscillate or wander off to an
// event of another day (sometimes for ever). Non-finite input never meets the tolerance.
// When the cap is reached for the rising or the setting, that event falls back to its first
// estimate from the day's hour angle (Meeus's uncorrected time), brought into [0, 2 pi] as
// above; Status stays 0. The transit step is contracting and never needs the cap on finite
// input.
// Source: Meeus (1991), chapter 14 (rising, transit and setting).
inline constexpr int kRiseTransitSetMaxRounds = 20;
TRiseTransitSet RiseTransitSet(double T0, double DeltaT, double Alpha1, double Delta1,
                               double Alpha2, double Delta2, double Alpha3, double Delta3,
                               double H0, double L, double Phi);

}  // namespace himlavy
