// Galilean satellites of Jupiter.
//
// Jovicentric longitude, latitude and radius vector of Io, Europa, Ganymede and Callisto from
// Lieske's E-2x3 theory in the form of J. Meeus, Astronomical Algorithms, 1st ed. (1991),
// chapter 43, higher-accuracy method (the complete published series); their rotation into
// jovicentric rectangular ecliptic coordinates of date; and their apparent rectangular
// coordinates X, Y as seen from the Earth, in units of Jupiter's equatorial radius.
//
// Conventions: angles are radians. T is the time in Julian centuries of dynamical time from
// J2000.0, T = (JDE - 2451545) / 36525; a caller that corrects for light time passes the
// moment at which the light left Jupiter. Satellites are numbered 1 (Io) to 4 (Callisto);
// number 5 stands for Jupiter's pole where a routine says so.
//
// Module state: the mean elements of the theory and the arguments built from them belong to
// the last T asked for and are recomputed only when T changes (the first call always
// computes), because a redraw asks for the four satellites and the pole at one moment. The
// state lives for the whole run; the program has one thread and so do these routines (they
// are not safe to call from several threads at once). No routine allocates or reports an
// error; callers keep the satellite numbers in range.
#pragma once

#include <array>

#include "base/basic.h"

namespace himlavy {

// Satellite numbers, and the number that stands for the pole of Jupiter.
inline constexpr int kIo = 1;
inline constexpr int kEuropa = 2;
inline constexpr int kGanymede = 3;
inline constexpr int kCallisto = 4;
inline constexpr int kJupiterPole = 5;

// Factor from Jupiter's polar to equatorial radius: Y * kJupiterPolarScale is Y measured in
// polar radii.
inline constexpr double kJupiterPolarScale = 1.071374;

// The mean elements of one satellite, radians: mean longitude l (reduced to [0, 2pi)),
// longitude of the perijove and longitude of the node on Jupiter's equator (not reduced).
struct TSatMeanElements {
  double MeanLon = 0.0;
  double Perijove = 0.0;
  double Node = 0.0;
};

// The module state of the satellite theory, as SatState() shows it.
struct TSatState {
  double T = 0.0;     // the T the state belongs to (NaN before the first call)
  double Days = 0.0;  // t = 36525 T + 8544.5, days from JD 2443000.5
  std::array<TSatMeanElements, 4> SatMeanElements{};  // satellites 1..4 at index 0..3
  double Gamma = 0.0;                                 // great inequality in Jupiter's mean anomaly
  double PhiLambda = 0.0;                             // phase of the free libration
  double Psi = 0.0;                                   // node of Jupiter's equator on the ecliptic
  double G = 0.0;                                     // mean anomaly of Jupiter, Gamma included
  double GPrime = 0.0;                                // mean anomaly of Saturn
  std::array<double, 4> SatSigma{};  // last longitude perturbation of satellites 1..4
  long RefreshCount = 0;             // how many times the state has been computed (for tests)
};

// SatState: the module state as it is now, read only.
// Returns the state left by the last call of SatelliteJovicentric or SatelliteEcliptic; the
// mean longitudes are never seen raised by a perturbation.
const TSatState& SatState();

// SatelliteJovicentric: jovicentric position of one Galilean satellite.
//   i  satellite 1..4 (Io, Europa, Ganymede, Callisto)
//   t  Julian centuries of dynamical time from J2000.0 (light time already taken off)
// Returns Lon = true longitude L = l + Sigma (radians, not reduced; counted from the mean
// equinox of B1950.0 along the ecliptic to the node psi of Jupiter's equator, then along the
// equator), Lat = latitude B over Jupiter's equator (radians, from tan B = the latitude
// series) and R = radius vector (Jupiter equatorial radii). Brings the module state to T and stores
// Sigma in SatSigma. The latitude series is evaluated with the satellite's mean longitude raised by
// Sigma, the longitude and radius series with the mean longitudes. An i outside 1..4 is asserted;
// without asserts it gives (0, 0, 0). Source: Meeus, Astronomical Algorithms, 1st ed., chapter 43
// (Lieske's E-2x3 theory): longitude 23/41/43/50, latitude 7/9/11/8 and radius 8/11/10/16 terms.
TSpherical SatelliteJovicentric(int i, double t);

// SatelliteEcliptic: jovicentric rectangular ecliptic coordinates of a satellite or of the
// direction of Jupiter's pole.
//   i  satellite 1..4, or 5 for the unit vector of Jupiter's north pole
//   t  Julian centuries of dynamical time from J2000.0
// Returns V, referred to the ecliptic and mean equinox of date; in Jupiter equatorial radii
// for a satellite, a unit vector for i = 5. The satellite's (L - psi, B, R) is turned into
// rectangular coordinates and rotated by I (Jupiter's equator to its orbit), by
// psi + P - Omega (P the precession since B1950.0), by i_J (the orbit to the ecliptic) and
// by Omega (the node of the orbit), with Omega and i_J from Meeus 1st ed. table 30.A. I is
// 3.120262 + 0.0006 (T + 1) degrees, T + 1 being Meeus's centuries from 1900.0. An i outside
// 1..5 is asserted; without asserts it gives (0, 0, 0).
// Source: Meeus, Astronomical Algorithms, 1st ed., chapter 43.
TVector3 SatelliteEcliptic(int i, double t);

// SatelliteApparent: apparent rectangular coordinates of a satellite as seen from the Earth.
//   i        satellite 1..4, or 5 for the pole (then only the first two rotations are done)
//   v        the satellite's vector from SatelliteEcliptic (the pole's for i = 5)
//   jupiter  Jupiter's geocentric longitude lambda0 (Lon) and latitude beta0 (Lat), radians,
//            and its distance from the Earth Delta (R), AU
//   scaleY   when true, Y is given in units of Jupiter's polar radius (times 1.071374)
//   pole     the result of this routine for i = 5 (not used when i = 5)
// Returns W: X in the plane of the sky along Jupiter's equator (positive west), Y toward
// Jupiter's north pole, both in Jupiter equatorial radii; Z along the line of sight,
// negative when the satellite is nearer the Earth than Jupiter. X is corrected for the
// differential light time, |Z| / K_i sqrt(1 - (X / |V|)^2) with K = 17295, 21819, 27558,
// 36548, and X and Y for perspective by Delta / (Delta + Z / 2095). For i = 5, W is the
// pole's direction after the rotation to lambda0 and beta0. A pole exactly along the line of
// sight (never the case for Jupiter) leaves the rotation about the line of sight out. An i
// outside 1..5 is asserted; without asserts it gives (0, 0, 0).
// Source: Meeus, Astronomical Algorithms, 1st ed., chapter 43.
TVector3 SatelliteApparent(int i, const TVector3& v, const TSpherical& jupiter, bool scaleY,
                           const TVector3& pole);

}  // namespace himlavy
