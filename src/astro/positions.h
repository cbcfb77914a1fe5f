// Positions of the Sun, the Moon and the planets.
//
// Geometric positions only: the Moon by the truncated ELP-2000/82 theory with the complete
// published tables, the heliocentric positions of Mercury to Neptune and of the Earth by VSOP87
// series read from the two planetary data files, Pluto by Meeus's 43-term periodic series, the
// Sun's geocentric and rectangular coordinates derived from the Earth's, the observer's
// geocentric coordinates, and the position of a body from its orbital elements. Light time,
// aberration, nutation, precession, parallax and refraction are the callers' business. The
// numeric constants are those of J. Meeus, Astronomical Algorithms, 1st edition (1991); chapter
// numbers below are those of the 1st edition unless stated.
//
// Conventions: angles in radians; T in Julian centuries of dynamical time from J2000.0,
// T = (JDE - 2451545) / 36525; distances of the Moon in kilometres, of the Sun and the planets
// in astronomical units.
//
// Module state (one instance, single-threaded use): the Moon's fundamental arguments of the last
// MoonPosition call, and the planetary term buffer with its index, which live from
// PlanetDataOpen to PlanetDataClose.
//
// Planets are numbered by TSeriesPlanet (astro/bodies.h): 0 the Earth referred to the ecliptic
// and equinox J2000.0; 1 Mercury, 2 Venus, 3 the Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus,
// 8 Neptune (referred to the mean ecliptic and equinox of date); 9 Pluto (analytic, ecliptic
// and equinox J2000.0, never read from the files).
//
// The planetary data files, in the folder given to PlanetDataOpen (names matched without regard
// to case), binary, little-endian, fixed-size records, no header:
//   "PLANETS2.NDX"  record n (144 bytes) for planet n: 18 pairs of signed 32-bit integers
//                   (first, count), one per series in the order L0..L5, B0..B5, R0..R5; first
//                   is the record number in "PLANETS.DAT" (from 0) of the series' first term,
//                   count the number of terms (0 for an absent series). The 18 series of one
//                   planet lie contiguously in "PLANETS.DAT" in that order, from first(L0).
//   "PLANETS.DAT"   24-byte records, three doubles A, B, C per term of A cos(B + C tau), tau in
//                   Julian millennia from J2000.0: A in radians (L, B) or AU (R), B in radians,
//                   C in radians per millennium.
#pragma once

#include <filesystem>

#include "astro/bodies.h"
#include "astro/constants.h"
#include "base/basic.h"

namespace himlavy {

// Number of term slots of the planetary term buffer (24 bytes each, 63288 bytes).
inline constexpr int kPlanetTermSlots = 2637;

// The text written to standard error when the term buffer overflows.
inline constexpr const char* kTooManyPlanetaryTerms = "!!! ERROR !!! Too many planetary terms !";

// The Moon's fundamental arguments, radians in [0, 2pi), and the eccentricity factor E.
struct TMoonArguments {
  double Node = 0.0;    // Omega, longitude of the Moon's mean ascending node
  double D = 0.0;       // mean elongation of the Moon
  double M = 0.0;       // mean anomaly of the Sun
  double E = 0.0;       // eccentricity factor 1 - 0.002516 T - 0.0000074 T^2
  double F = 0.0;       // argument of latitude of the Moon
  double MPrime = 0.0;  // mean anomaly of the Moon
};

// The observer's geocentric coordinates, in equatorial radii of the Earth.
struct TObserverGeocentric {
  double RhoCosPhi = 0.0;  // rho cos phi'
  double RhoSinPhi = 0.0;  // rho sin phi'
};

// The orbital elements of an asteroid or a comet, referred to the ecliptic and equinox
// J2000.0: twelve doubles in this order.
struct TElements {
  double Epoch = 0.0;        // T of the epoch of M0, or of perihelion passage for Ecc >= 1
                             // (Julian centuries from J2000.0)
  double M0 = 0.0;           // mean anomaly at Epoch, radians
  double SemiMajor = 0.0;    // semi-major axis a, AU
  double PeriDist = 0.0;     // perihelion distance q, AU
  double DailyMotion = 0.0;  // mean daily motion n, radians per day
  double Ecc = 0.0;          // eccentricity e
  double ArgPeri = 0.0;      // argument of perihelion omega, radians
  double Spare1 = 0.0;       // not used by the position routines
  double Node = 0.0;         // longitude of the ascending node Omega, radians
  double Incl = 0.0;         // inclination i, radians
  double Spare2 = 0.0;       // not used by the position routines
  double Spare3 = 0.0;       // not used by the position routines
};

// The constants of Meeus formula 32.7 (2nd ed. 33.7) for one set of elements and one obliquity.
struct TOrbitPlane {
  double A = 0.0;  // radians
  double B = 0.0;  // radians
  double C = 0.0;  // radians
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

// MoonArguments: the fundamental arguments of the Moon's theory.
//   t  Julian centuries TD from J2000.0
// Returns Omega, D, M, M', F as quartic polynomials in T (degrees, by Poly4), turned into
// radians and reduced to [0, 2pi), and E = 1 - 0.002516 T - 0.0000074 T^2.
// Source: Meeus (1991), chapter 45 (2nd ed. chapter 47), with the 1st edition's polynomials.
TMoonArguments MoonArguments(double t);

// MoonPosition: the Moon's geometric geocentric position, ecliptic and mean equinox of date.
//   t  Julian centuries TD from J2000.0
// Returns Lon = lambda (radians; L' + sum, 2pi added when negative, NOT reduced when above
// 2pi), Lat = beta (radians), R = Delta (km, centre of the Earth to centre of the Moon).
// Sums all 59 longitude, 46 distance and 60 latitude terms of the published tables 45.A and
// 45.B, terms with M (2M) multiplied by E (E^2), and the additive terms of A1, A2, A3, L'-F,
// L', L'-M', L'+M'. Leaves the arguments it used in the module's Moon arguments.
// Source: Meeus (1991), chapter 45 (2nd ed. chapter 47).
TSpherical MoonPosition(double t);

// PlanetDataOpen: prepares the planetary term buffer for one computation.
//   dir  folder holding "PLANETS2.NDX" and "PLANETS.DAT" (empty: the current directory)
// Allocates the 2637-slot buffer (a second call starts afresh), sets the term counter to 1
// and forgets every planet loaded before.
void PlanetDataOpen(const std::filesystem::path& dir);

// PlanetDataLoad: appends one planet's series to the term buffer.
//   planet  the series, EarthJ2000..Neptune (0..8); Pluto (9) and above need no data and are
//           ignored
// Reads index record planet of "PLANETS2.NDX" and the planet's terms from "PLANETS.DAT"
// (record first(L0) onward, the 18 series one after another) into the next free slots.
// Loading a planet twice in one cycle stores its terms twice and uses the second copy.
// Returns true when the planet can be evaluated (always for 9 and above). Returns false, and
// leaves the planet unusable, when there is no open buffer, the planet number is negative, or
// the files are missing or damaged: a file that is too short or not made of whole records, an
// index record with a negative first or count, series that do not follow one another or end
// beyond the data, a term that is not finite or lies beyond what VSOP87 holds (|A| > 1e5,
// |B| > 2 pi + 1e-6, |C| > 1e6 radians per millennium), or series that put the planet at
// J2000.0 nearer the Sun than 0.1 AU, farther than 100 AU or beyond a pole (a file of zeros,
// for one). A damaged file is thus treated exactly like a missing one. The terms of planets
// loaded before stay usable, and nothing of the failed planet is kept. When the 2637 slots do
// not suffice, writes "!!! ERROR !!! Too many planetary terms !" to standard error, stops the
// load (the slots filled so far stay taken) and returns false.
bool PlanetDataLoad(TSeriesPlanet planet);

// PlanetDataClose: releases the term buffer; every loaded planet is forgotten.
void PlanetDataClose();

// PlanetTermCount: the term counter, the number of the next free slot counted from 1
// (1 after PlanetDataOpen, 2638 when the buffer is full, 0 when no buffer is open).
int PlanetTermCount();

// HeliocentricPlanet: a planet's heliocentric ecliptic position.
//   planet  the series, EarthJ2000..Pluto (0..8 loaded with PlanetDataLoad since the last open)
//   t       Julian centuries TD from J2000.0
// Returns Lon = L in [0, 2pi), Lat = B (radians), R (AU). For 0..8 the VSOP87 sum with
// tau = T / 10: each coordinate is the sum over the powers j = 0..5 of tau^j times the sum of
// A cos(B + C tau) over the series' terms; L is reduced to [0, 2pi), B and R are as summed.
// For 9, PlutoPosition. A planet that is not loaded (or whose load failed), and any other
// planet number, gives (0, 0, 0).
// Source: P. Bretagnon and G. Francou, VSOP87 (1988); Meeus (1991), chapter 31.
TSpherical HeliocentricPlanet(TSeriesPlanet planet, double t);

// PlutoPosition: Pluto's heliocentric position, ecliptic and equinox J2000.0.
//   t  Julian centuries TD from J2000.0 (the theory is valid 1885 to 2099)
// Returns Lon = L in [0, 2pi), Lat = B (radians), R (AU), from the 43 periodic terms in
// J = 34.35 + 3034.9057 T, S = 50.08 + 1222.1138 T, P = 238.96 + 144.96 T (degrees):
// L = 238.956785 + 144.96 T + sum, B = -3.908202 + sum (degrees), R = 40.7247248 + sum (AU).
// Source: Meeus (1991), chapter 36, table 36.A (the 1st edition's terms and constants).
TSpherical PlutoPosition(double t);

// GeocentricSun: the Sun's geometric geocentric ecliptic position.
//   planet  the Earth's series: Earth (ecliptic and equinox of date) or EarthJ2000,
//           loaded with PlanetDataLoad
//   t       Julian centuries TD from J2000.0
// Returns Lon = L + pi reduced to [0, 2pi), Lat = -B, R, from the Earth's heliocentric
// (L, B, R). Source: Meeus (1991), chapter 24 (2nd ed. chapter 25).
TSpherical GeocentricSun(TSeriesPlanet planet, double t);

// SunRectangular: the Sun's geometric geocentric rectangular equatorial coordinates.
//   planet  Earth: of date, referred to the mean equator with obliquity eps;
//           EarthJ2000: referred to the FK5 equator and equinox J2000.0 (eps is not used)
//   eps     obliquity of the ecliptic, radians (for Earth)
//   t       Julian centuries TD from J2000.0
// Returns X, Y, Z in AU: the ecliptic vector of GeocentricSun(planet, T) turned about the x
// axis by eps, or for EarthJ2000 by the rotation from the J2000.0 ecliptic (VSOP87) to the FK5
// equator. Source: Meeus (1991), chapter 25 (2nd ed. chapter 26).
TVector3 SunRectangular(TSeriesPlanet planet, double eps, double t);

// ObserverGeocentric: the observer's geocentric coordinates rho sin phi' and rho cos phi'.
//   height  height above sea level, metres
//   phi     geographic latitude, radians
// Returns, in equatorial radii of the Earth (6378140 m, b/a = 0.9966471868221031),
// u = atan(b/a tan phi), rho sin phi' = b/a sin u + H/6378140 sin phi,
// rho cos phi' = cos u + H/6378140 cos phi. Source: Meeus (1991), chapter 10.
TObserverGeocentric ObserverGeocentric(double height, double phi);

// OrbitPlaneConstants: the constants A, B, C, a, b, c of an orbit's plane.
//   elements  the elements (Node and Incl are used)
//   eps       obliquity of the ecliptic of the elements' equinox, radians
// Returns, with F = cos Omega, G = sin Omega cos eps, H = sin Omega sin eps,
// P = -sin Omega cos i, Q = cos Omega cos i cos eps - sin i sin eps,
// R = cos Omega cos i sin eps + sin i cos eps: A = Atan2(F, P), B = Atan2(G, Q),
// C = Atan2(H, R), a = sqrt(F^2 + P^2), b = sqrt(G^2 + Q^2), c = sqrt(H^2 + R^2).
// Source: Meeus (1991), chapter 32, formula 32.7 (2nd ed. chapter 33, formula 33.7).
TOrbitPlane OrbitPlaneConstants(const TElements& elements, double eps);

// PositionFromElements: heliocentric rectangular equatorial coordinates from elements.
//   el     the elements
//   plane  OrbitPlaneConstants of the same elements
//   t      Julian centuries TD from J2000.0
// Returns X, Y, Z in AU, the equator and equinox those of the plane constants:
//   Ecc < 1:  M = (T - Epoch) 36525 DailyMotion + M0, v = KeplerTrueAnomaly(Ecc, M),
//             r = SemiMajor (1 - Ecc^2) / (1 + Ecc cos v);
//   Ecc = 1:  v = ParabolicTrueAnomaly(PeriDist, T - Epoch), r = 2 PeriDist / (1 + cos v);
//   Ecc > 1:  v = NearParabolicTrueAnomaly(Ecc, PeriDist, T - Epoch),
//             r = (1 + Ecc) PeriDist / (1 + Ecc cos v);
// then X = r a sin(A + omega + v), Y = r b sin(B + omega + v), Z = r c sin(C + omega + v).
// Source: Meeus (1991), chapter 32, formula 32.9 (2nd ed. 33.9); the solvers of anomaly.h.
TVector3 PositionFromElements(const TElements& el, const TOrbitPlane& plane, double t);

// ElementsB1950ToJ2000: orbital elements referred from the equinox B1950.0 (FK4) to J2000.0
// (FK5), in place.
//   elements  ArgPeri, Node and Incl referred to B1950.0 on entry, to J2000.0 on return (the
//             other fields are left as they are)
// With L = 5.19856209 deg, J = 0.00651966 deg, psi = 4.50001688 deg and W = L + Omega:
// i' = ArcSin(sqrt(a^2 + b^2)), Omega' = Atan2(a, b) - psi with a = sin W sin i,
// b = cos W sin i cos J + cos i sin J; omega' = omega + Atan2(sin W sin J,
// cos W cos i sin J + sin i cos J) reduced to [0, 2pi). When cos i' = cos i cos J -
// cos W sin i sin J is negative (a retrograde orbit), i' = pi - i' and Omega' is reduced to
// [0, 2pi) (the node is NOT turned by pi: Atan2(a, b) has the right quadrant, as sin i' > 0);
// otherwise Omega' is stored as computed (it may be negative).
// Source: Meeus (1991), chapter 23 (2nd ed. chapter 24, formulas 24.6 and 24.7).
void ElementsB1950ToJ2000(TElements& elements);

// GeocentricFromHeliocentric: a body's geocentric position from two heliocentric ones.
//   planet, earth  heliocentric (L, B, R) of the body and of the Earth, same frame and unit
// Returns the spherical coordinates of the difference of their rectangular vectors:
// Lon in [0, 2pi), Lat, R (the distance). Equal positions give (0, 0, 0).
TSpherical GeocentricFromHeliocentric(const TSpherical& planet, const TSpherical& earth);

// VectorSumToPolar: the spherical coordinates of the sum of two vectors.
//   v1, v2  rectangular vectors, same frame and unit
// Returns R = Delta = |v1 + v2|, Lon = Atan2(y, x) reduced to [0, 2pi), Lat = ArcSin(z / Delta);
// a zero sum gives (0, 0, 0).
TSpherical VectorSumToPolar(const TVector3& v1, const TVector3& v2);

// One computation with the planetary term buffer: opens it (PlanetDataOpen) and closes it
// (PlanetDataClose) when the session ends, however the computation ends.
//   TPlanetDataSession data(dataDir);
//   if (!data.Load(TSeriesPlanet::Earth)) return std::nullopt;
class TPlanetDataSession {
 public:
  explicit TPlanetDataSession(const std::filesystem::path& dir) { PlanetDataOpen(dir); }
  ~TPlanetDataSession() { PlanetDataClose(); }
  TPlanetDataSession(const TPlanetDataSession&) = delete;
  TPlanetDataSession& operator=(const TPlanetDataSession&) = delete;
  // PlanetDataLoad of one planet.
  bool Load(TSeriesPlanet planet) { return PlanetDataLoad(planet); }
};

}  // namespace himlavy
