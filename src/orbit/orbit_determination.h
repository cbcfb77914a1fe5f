// The orbit of a comet or asteroid from three observed positions, by Gauss's method with
// sector-to-triangle ratios (O. Montenbruck & T. Pfleger, Astronomy on the Personal Computer,
// Springer, chapter 11, "Gaussian orbit determination", the abbreviated method of Bucerius).
//
// The observations come from the text file "observ.dta": line 1 the name (its first 29
// characters), lines 2 to 4 one observation each as blank-separated numbers
//   year month day hours(UT, decimal)  RA-h RA-m RA-s  Dec-d Dec-m Dec-s  equinox-year
// e.g. "1996 02 20 00.000  14 46 02.97 -24 18 07.5  2000.0". A minus sign on any of the
// declination's three fields makes the whole declination negative, so "-00 30 00" is -0.5 deg.
// Directions and the Sun's positions are referred to the ecliptic and equinox J2000.0; the
// times are used as given (the Sun's series take them as dynamical time; the 1-minute
// difference to UT moves the Earth by less than 0.1").
//
// The result: perihelion time, perihelion distance q, eccentricity e, inclination, node and
// argument of perihelion (degrees, ecliptic and equinox J2000.0), written as one 99-character
// line of the comet file "komet.dta". Nothing here keeps state or raises exceptions.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/basic.h"

namespace himlavy {

// --- Texts and constants ---
inline constexpr std::string_view kObservationFile = "observ.dta";
inline constexpr std::string_view kCometFileName = "komet.dta";
inline constexpr double kGaussK = 0.01720209895;  // Gaussian gravitational constant
// Light time per AU in days (499.0 s).
inline constexpr double kLightDaysPerAu = 0.00578;
// The outer (Gauss) iteration stops when the middle geocentric distance changes by less than
// this (AU) between two rounds ...
inline constexpr double kGaussTolerance = 1e-8;
// ... or after this many rounds. A good set of observations converges in 5 to 15 rounds; one
// that has not converged after 100 is reported as not converged (the orbit of the last round
// is still shown), so that a bad set can never hang the program.
inline constexpr int kMaxGaussRounds = 100;
// The secant search for the sector-to-triangle ratio: at most this many rounds.
inline constexpr int kMaxEtaRounds = 30;
// The text the search writes when it has not converged.
inline constexpr std::string_view kEtaConvergenceText = " convergence problems in FIND_ETA";
// Width of the result line; the name takes its first 29 characters.
inline constexpr std::size_t kElementsLineWidth = 99;
inline constexpr std::size_t kOrbitNameWidth = 29;
// The comet file takes at most this many lines; "Kopiera" refuses to add to a full file.
inline constexpr std::size_t kCometFileMaxLines = 480;

inline constexpr std::string_view kWarningConjunction =
    "Varning: Observation i konjunktionshemisfären; troligen en sekundärlösning";
inline constexpr std::string_view kWarningUnrealistic =
    "Varning: Troligen inte en realistisk lösning (e > 1.1)";
inline constexpr std::string_view kWarningEarthOrbit = "Varning: Troligen en jordbanelösning";
inline constexpr std::string_view kWarningNotConverged =
    "Varning: Beräkningen konvergerade inte efter 100 varv";
static_assert(kMaxGaussRounds == 100, "the warning names the cap");

// --- The observations ---

// One observation as typed in the file.
struct TObservation {
  double JD = 0.0;              // Julian day of the moment (the file's UT)
  double RaDeg = 0.0;           // right ascension, degrees
  double DecDeg = 0.0;          // declination, degrees
  double EquinoxYear = 2000.0;  // equinox of RA and Dec, a decimal year
};

// The three observations reduced for the computation.
struct TObservationSet {
  std::string Name;  // 29 bytes of line 1 as in the file (Windows-1252), padded with blanks
  std::array<TObservation, 3> Obs{};
  std::array<double, 3> JD{};     // the times, Julian days
  std::array<TVector3, 3> Dir{};  // unit directions, ecliptic J2000.0
  std::array<TVector3, 3> Sun{};  // the Sun's geocentric positions (AU), ecliptic J2000.0
};

// The outcome of reading an observation file: the set, or a Swedish message that names the
// line at fault ("Rad 3 i observ.dta: ...").
struct TObservationRead {
  std::optional<TObservationSet> Set;
  std::string Error;  // UTF-8
};

// ParseObservations: reads the lines of an observation file (raw bytes, line ends removed or
// not). Lines 2 to 4 must each begin with the eleven numbers above (more text after them is
// ignored); months 1-12, days 1-31, hours 0-24, RA 0-24 h, |Dec| <= 90 deg, minutes and
// seconds 0-60, the equinox 1000-3000.
TObservationRead ParseObservations(const std::vector<std::string>& lines);

// ReadObservationFile: the file at `path`, or a message when it is missing.
TObservationRead ReadObservationFile(const std::filesystem::path& path);

// ReduceObservations: fills Dir and Sun of a set from its Obs (the directions turned from the
// equator of their equinox to the ecliptic and precessed to J2000.0; the Sun from its series
// at each time, precessed to J2000.0).
void ReduceObservations(TObservationSet& set);

// --- The orbit ---

// Orbital elements: perihelion time (Julian day and Julian centuries from J2000.0),
// perihelion distance (AU), eccentricity, and inclination, node and argument of perihelion
// (degrees, ecliptic and equinox J2000.0).
struct TOrbitElements {
  double PerihelionJD = 0.0;
  double PerihelionT = 0.0;
  double Q = 0.0;
  double E = 0.0;
  double Incl = 0.0;
  double Node = 0.0;
  double Peri = 0.0;
};

// EtaFunction: the function whose root is the sector-to-triangle ratio eta, for the
// parameters m and l of two positions (Montenbruck & Pfleger, F in FIND_ETA).
double EtaFunction(double eta, double m, double l);

// FindEta: the sector-to-triangle ratio of two heliocentric positions (AU) `tau` = k dt apart
// (secant method from Hansen's approximation; eta never steps below its smallest possible
// value). `converged`, when given, is set false when 30 rounds did not converge.
double FindEta(const TVector3& ra, const TVector3& rb, double tau, bool* converged = nullptr);

// ElementsFromTwoPositions: the elements of the conic through two heliocentric positions
// (AU, ecliptic J2000.0) at two times (Julian days). `etaConverged` as in FindEta.
TOrbitElements ElementsFromTwoPositions(double jdA, double jdB, const TVector3& ra,
                                        const TVector3& rb, bool* etaConverged = nullptr);

// The result of Gauss's method.
struct TGaussSolution {
  TOrbitElements Elements;
  std::array<double, 3> Rho{};         // geocentric distances, AU
  std::array<TVector3, 3> Helio{};     // heliocentric positions, AU
  std::array<double, 3> RetardedJD{};  // the times less the light time
  int Rounds = 0;                      // rounds of the outer iteration
  bool Converged = false;              // within kMaxGaussRounds
  bool EtaConverged = true;            // every search for eta converged
  bool Finite = false;                 // the elements are numbers
};

// GaussOrbit: the orbit through three reduced observations.
TGaussSolution GaussOrbit(const TObservationSet& set);

// PlausibilityWarning: the warning the window shows for a solution, empty when none. The
// checks run in this order and a later one replaces an earlier one: the second observation in
// the hemisphere of the conjunction (Sun . direction > 0); e > 1.1; |q - 0.985| < 0.1 and
// |e - 0.015| < 0.05 (an orbit like the Earth's); last, not converged.
std::string PlausibilityWarning(double sunDotDirection, double q, double e, bool converged);

// FormatElementsLine: the 99-character line of the comet file: the name (29 characters) and a
// blank; the perihelion date as year (4), month (2) and day with five decimals ("05.12345"),
// a blank; q, e, i, node and perihelion, each with 7 decimals cut to 9 characters and a blank;
// the equinox "2000". Bytes of the name are kept as given.
std::string FormatElementsLine(std::string_view name, const TOrbitElements& elements);

// --- The whole computation, as the window and the command line run it ---

struct TOrbitReport {
  bool Ok = false;
  std::string Error;  // UTF-8, when !Ok
  std::string Name;   // UTF-8, trailing blanks removed
  TOrbitElements Elements;
  TGaussSolution Solution;
  std::string Line;     // the result line (Windows-1252 bytes)
  std::string Warning;  // UTF-8, empty when none
};

// DetermineOrbit: reads the observation file at `path` and computes the orbit. A file that
// cannot be read or parsed, and observations that give no orbit (equal times, directions in
// one plane), give Ok = false and a Swedish message.
TOrbitReport DetermineOrbit(const std::filesystem::path& path);
TOrbitReport DetermineOrbit(TObservationSet set);

// AppendToCometFile: adds `line` (Windows-1252 bytes) as the last line of the comet file at
// `path`, atomically, with the file's own line ends (CR LF when its first line has them or it
// is new). Refuses, with a Swedish message, an empty line and a file that already holds
// kCometFileMaxLines lines. Returns an empty text on success, else the message (UTF-8).
std::string AppendToCometFile(const std::filesystem::path& path, std::string_view line);

}  // namespace himlavy
