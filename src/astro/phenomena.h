// Periodic phenomena: the times of recurring events.
//
// The Moon's phases, the equinoxes and solstices, the conjunctions, oppositions and greatest
// elongations of the planets, and the solar and lunar eclipses, each by the mean event plus
// periodic terms (J. Meeus, Astronomical Algorithms, 1st edition 1991: chapter 26 equinoxes
// and solstices, 47 phases of the Moon, 52 eclipses; the planetary phenomena as in the 2nd
// edition, 1998, chapter 36). Chapter numbers below are those of the 1st edition, the 2nd
// edition's in brackets.
//
// Every result is a Julian Ephemeris Day (dynamical time); turning it into civil time is the
// caller's business. T is Julian centuries from J2000.0 of a JDE, T = (JDE - 2451545) / 36525.
// The module keeps no state.
//
// Planets: TBody (astro/bodies.h), Mercury to Neptune without the Earth.
// Planet rows (the tables' order): 1 Mercury, 2 Venus, 3 Mars ... 7 Neptune.
#pragma once

#include "astro/bodies.h"
#include "base/basic.h"

namespace himlavy {

// Phase numbers of MoonPhase.
inline constexpr int kNewMoon = 0;
inline constexpr int kFirstQuarter = 1;
inline constexpr int kFullMoon = 2;
inline constexpr int kLastQuarter = 3;

// Kinds of solar eclipse returned by NextSolarEclipse.
inline constexpr int kSolarTotal = 1;
inline constexpr int kSolarAnnular = 2;
inline constexpr int kSolarAnnularTotal = 3;
inline constexpr int kSolarNonCentralTotal = 4;
inline constexpr int kSolarNonCentralAnnular = 5;
inline constexpr int kSolarPartial = 6;

// Kinds of lunar eclipse returned by NextLunarEclipse.
inline constexpr int kLunarTotal = 1;
inline constexpr int kLunarPartial = 6;
inline constexpr int kLunarPenumbral = 7;

// The circumstances of the eclipse possibility at one lunation.
struct TLunationEclipse {
  double JDE = 0.0;     // greatest eclipse
  double U = 0.0;       // radius of the umbral cone in the fundamental plane, Earth radii
  double Gamma = 2.0;   // least distance of the shadow axis from the Earth's centre, >= 0
  double MPrime = 0.0;  // the Moon's mean anomaly, radians
};

// A solar eclipse.
struct TSolarEclipse {
  double JDE = 0.0;        // greatest eclipse
  double Magnitude = 0.0;  // greatest magnitude, for Kind 6 only (0 otherwise)
  int Kind = 0;            // 1 total ... 6 partial (kSolarTotal ...)
};

// A lunar eclipse.
struct TLunarEclipse {
  double JDE = 0.0;          // greatest eclipse
  double Magnitude = 0.0;    // umbral magnitude (Kinds 1, 6) or penumbral magnitude (Kind 7)
  double PartialSemi = 0.0;  // semi-duration, days: of the partial phase (Kinds 1, 6) or of
                             // the penumbral phase (Kind 7)
  double TotalSemi = 0.0;    // semi-duration of totality, days (Kind 1; 0 otherwise)
  int Kind = 0;              // 1 total, 6 partial, 7 penumbral
};

// A mean planetary phenomenon.
struct TPhenomenonMean {
  double JDE0 = 0.0;  // JDE of the mean phenomenon
  double M = 0.0;     // mean anomaly, radians (not reduced)
};

// A greatest elongation.
struct TElongation {
  double JDE = 0.0;
  double Elongation = 0.0;  // degrees
};

// LunationValue: one of the polynomials of the mean phase of the Moon.
//   row  0 JDE of the mean phase (days), 1 M the Sun's mean anomaly, 2 M' the Moon's mean
//        anomaly, 3 F the Moon's argument of latitude, 4 Omega the longitude of the Moon's
//        ascending node (degrees, not reduced)
//   t    Julian centuries, k / 1236.85
//   k    lunation number (0 = the new moon of 2000 January 6; + 0.25 per quarter)
// Returns c0 + c1 k + c2 T^2 + c3 T^3 + c4 T^4 with the 1st edition's coefficients.
// Source: Meeus (1991), chapter 47 [49], formulas 47.1 and 47.4 to 47.7.
double LunationValue(int row, double t, double k);

// MoonPhase: the time of a phase of the Moon.
//   lunation  lunation number (0 = the new moon of 2000 January 6; negative before)
//   phase     0 new moon, 1 first quarter, 2 full moon, 3 last quarter
// Returns the JDE of the true phase: the mean phase of k = lunation + phase/4 with the 25 periodic
// terms of the phase (the quarters' W added at the first and subtracted at the last quarter)
// and the 14 additional terms. Accuracy a few seconds against the ELP theory (1900-2100).
// Source: Meeus (1991), chapter 47 [49].
double MoonPhase(int lunation, int phase);

// EquinoxSolstice: the time of an equinox or solstice.
//   year   astronomical year
//   which  0 March equinox, 1 June solstice, 2 September equinox, 3 December solstice
// Returns the JDE: the mean event of table 26.A (years before 1000, Y = year / 1000) or 26.B
// (from 1000, Y = (year - 2000) / 1000) with the 24 periodic terms of table 26.C. Accuracy
// about a minute for the years 1951-2050 (Meeus).
// Source: Meeus (1991), chapter 26 [27], tables A, B and C.
double EquinoxSolstice(int year, int which);

// EclipseAtLunation: the eclipse possibility at one new or full moon.
//   k  lunation number: whole for a new moon, whole + 0.5 for a full moon
// Returns the JDE of greatest eclipse, u, gamma (sign dropped) and M'. The Moon's arguments
// are those of the Moon's theory (MoonArguments) at the mean phase. When |sin F| >= 0.36 no
// eclipse is possible: the result is the mean phase with u = 0 and gamma = 2, which no
// search accepts. The time correction of a new moon serves full moons too.
// Source: Meeus (1991), chapter 52 [54].
TLunationEclipse EclipseAtLunation(double k);

// The longest run of lunations the eclipse searches try. Eclipses of both kinds come every
// six lunations at the most (an eclipse season at each node); a search that finds none in
// this many (a start far outside the theory's range, where the series lose their meaning,
// or one that is not a number) gives up and returns Kind 0 at JDE = +infinity, so that a
// caller's loop "until past the end" stops.
inline constexpr int kMaxEclipseLunations = 100;

// NextSolarEclipse: a forward search for a solar eclipse.
//   jd  start of the search (days)
// Searches from lunation floor((jd - 2451550.09765) / 29.530588853 + 1.03) upward, whose
// mean new moon comes 0.03 to 1.03 mean months after jd: a search started at an eclipse's
// own new moon finds the next one (and a new moon less than 0.9 day after jd is passed
// over). Returns the JDE of greatest
// eclipse, its kind (1 total, 2 annular, 3 annular-total, 4 non-central total, 5 non-central
// annular, 6 partial) and, for a partial eclipse, its magnitude (1.5433 + u - gamma) /
// (0.5461 + 2u).
// Source: Meeus (1991), chapter 52 [54].
TSolarEclipse NextSolarEclipse(double jd);

// NextLunarEclipse: a forward search for a lunar eclipse.
//   set  constant set of the shadow radii: 0 (1.5573, 1.0128, 0.4678), 1 (1.571, 1.0157,
//        0.4707)
//   jd   start of the search (days). The first full moon tried is that of lunation
//        floor((jd - 2451550.09765) / 29.530588853 + 1.03) + 0.5, which comes 0.53 to 1.53
//        mean months after jd: an eclipse sooner than that is passed over. Callers looking
//        for the eclipse after the previous one start 10 days before the previous one.
// Returns the first full moon from there with an umbral or penumbral magnitude above 0: the
// JDE of greatest eclipse, the kind (1 total, 6 partial, 7 penumbral), the umbral magnitude
// (the penumbral one for kind 7, which is given only when the umbral magnitude is negative)
// and the semi-durations in days.
// Source: Meeus (1991), chapter 52 [54].
TLunarEclipse NextLunarEclipse(int set, double jd);

// PhenomenonK: the number of the first phenomenon near the start of a year.
//   year    year
//   planet  Mercury .. Neptune, not the Earth
//   which   0 first (inferior conjunction; opposition), 1 second (superior conjunction;
//           conjunction)
// Returns trunc((365.2425 year + 1721060 - A) / B) with A and B of the phenomenon.
// Source: Meeus (1998), chapter 36, formula 36.1.
int PhenomenonK(int year, TBody planet, int which);

// PhenomenonMeanTime: a mean planetary phenomenon.
//   planetRow  1 Mercury .. 7 Neptune
//   which      0 first, 1 second phenomenon
//   k          its number
// Returns JDE0 = A + B K and M = (M0 + M1 K) degrees in radians (table 36.A).
// Source: Meeus (1998), chapter 36, table 36.A.
TPhenomenonMean PhenomenonMeanTime(int planetRow, int which, int k);

// PlanetPhenomenon: a conjunction or opposition of a planet.
//   planet  Mercury .. Neptune, not the Earth
//   which   0 inferior conjunction (Mercury, Venus) or opposition; 1 superior conjunction or
//           conjunction
//   k       number of the phenomenon (PhenomenonK)
// Returns the JDE: JDE0 plus the periodic terms in jM of table 36.B, and for Jupiter to
// Neptune the terms in the additional arguments a .. g. Accuracy: Meeus gives a few minutes
// to an hour or so, worst for Uranus and Neptune.
// Source: Meeus (1998), chapter 36, tables 36.A and 36.B.
double PlanetPhenomenon(TBody planet, int which, int k);

// GreatestElongation: a greatest elongation of Mercury or Venus.
//   planetRow  1 Mercury, 2 Venus
//   side       0 eastern (evening), 1 western (morning)
//   k          number of the inferior conjunction the elongation is counted from (the
//              eastern one comes before it, the western one after)
// Returns the JDE and the elongation in degrees, from JDE0 and M of the inferior conjunction
// with the periodic terms of the elongations.
// Source: Meeus (1998), chapter 36.
TElongation GreatestElongation(int planetRow, int side, int k);

}  // namespace himlavy
