// The orbital-element files of the minor bodies: "asteroid.dta", "asteroi2.dta" and
// "asteroi3.dta" (asteroids), "komet.dta" (comets and other bodies given by their perihelion
// passage) and "rymdsond.dta" (space probes and artificial satellites).
//
// The files are Windows-1252 text, one body per line, fields at fixed byte columns counted
// from 1, numbers in decimal with a point. A line whose first character is ';' is a comment.
// Lines are read as at most kElementLineChars characters (the rest of a longer line is
// ignored).
//
//   asteroids                     comets                        probes
//   1-30    name                  1-30    name                  1-20    name
//   31-34   T0 year (epoch of M0) 31-34   T0 year (perihelion)  21-24   T0 year (epoch of M0)
//   35-36   T0 month              35-36   T0 month              25-26   T0 month
//   37-44   T0 day and fraction   37-44   T0 day and fraction   27-34   T0 day and fraction
//   45-54   a (AU)                45-54   q (AU)                35-44   a (AU)
//   56-64   e                     56-64   e                     46-54   e
//   66-73   i (deg)               66-73   i (deg)               56-63   i (deg)
//   75-84   Omega (deg)           75-84   Omega (deg)           65-74   Omega (deg)
//   85-94   omega (deg)           85-94   omega (deg)           75-84   omega (deg)
//   96-99   equinox 2000 / 1950   96-99   equinox 2000 / 1950   86-89   equinox 2000 / 1950
//   100-109 M0 at T0 (deg)                                      90-99   M0 at T0 (deg)
//   111-114 first year shown      101-104 first year shown      101-112 start t1 (Y, M, D.d)
//   116-119 last year shown       106-109 last year shown       114-125 stop t2 (Y, M, D.d)
//   121-124 H                     111-114 g                     127-129 central body
//   126-129 G                     116-119 k
//   132     'j' = show            123     'j' = show            132     'j' = show
//   133     's'                   124     's'                   133     's' = ring (Earth view)
//   134     't' = track           125     't' = track           134     't' = track, label
//
// Which lines are used at a moment (ElementLineUsed): a line that is not a comment is used
// when its show flag is 'j' and the moment lies strictly after its start and strictly before
// its stop. The start and stop of an asteroid or comet line are 1 January, 0 h, of its first
// and last year; a first-year or last-year field of four blanks makes the line used whatever
// its show flag and the moment. A probe line's start and stop are t1 and t2. A line too short
// to reach its year fields or its show flag is never used.
//
// From a line to orbital elements (ElementLineToBody): angles from degrees to radians, the
// epoch date to a Julian day (JulianDay) and to centuries from J2000.0 (JulianCenturies); with
// k the Gaussian constant of the central body (the Sun for asteroids and comets):
//   asteroids  N = k / (a sqrt a);
//   comets     e exactly 1 is read as 1.0000001; for e < 1, a = q / (1 - e) and
//              N = k / (a sqrt a); the epoch is the perihelion time and M0 = 0;
//   probes     for e >= 1, q = (1 - e) a, and when M0 != 0 the epoch is moved to the
//              perihelion time T0 - |a|^1.5 M0[deg] / 0.98563 days; for e < 1,
//              N = k / (a sqrt a);
// and elements whose equinox field reads 1950 are referred to J2000.0 with
// ElementsB1950ToJ2000. Method: J. Meeus, Astronomical Algorithms (1991), chapters 7, 23
// and 32 (2nd ed. 7, 24 and 33).
//
// Numbers are read with ParseReal (blanks around them allowed, a point as the decimal
// separator), years and months with ParseInteger. Readers never trust a line: a field that is
// not a number, a date outside the calendar (month outside 1-12, day outside 0-32), a line too
// short for its element columns and elements that describe no orbit (e < 0, a or q not
// positive where the orbit needs it, results that are not finite) give no body, and the line
// is skipped quietly.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/positions.h"

namespace himlavy {

// The five element files.
inline constexpr std::string_view kAsteroidFile1 = "asteroid.dta";
inline constexpr std::string_view kAsteroidFile2 = "asteroi2.dta";
inline constexpr std::string_view kAsteroidFile3 = "asteroi3.dta";
inline constexpr std::string_view kCometFile = "komet.dta";
inline constexpr std::string_view kProbeFile = "rymdsond.dta";

// Lines of the element files are read as at most this many characters.
inline constexpr std::size_t kElementLineChars = 136;

// No element file is read past this many lines.
inline constexpr std::size_t kMaxElementLines = 100000;

// The layout a line is read with.
enum class TElementFileKind { Asteroid, Comet, Probe };

// A central body of the probe file by its three-letter text, with its Gaussian constant
// (AU^(3/2) per day).
struct TCentralBody {
  std::string_view Text;
  double GaussK;
};

// The central bodies of the probe file; the Sun's constant serves all asteroids and comets.
inline constexpr std::array<TCentralBody, 9> kCentralBodies = {{
    {"Sol", 0.01720209895},
    {"Mer", 7.006964949083503e-06},
    {"Ven", 2.6920342644757433e-05},
    {"Jor", 2.9811446458589675e-05},
    {"Mar", 9.773919857954546e-06},
    {"Jup", 0.0005314210364535064},
    {"Sat", 0.0002910676641285956},
    {"Ura", 0.00011369530039656312},
    {"Nep", 0.0001234009967718795},
}};

// One line of an element file made into a body.
struct TMinorBody {
  std::string Name;            // the name columns (1-30, probes 1-20) as UTF-8, without
                               // trailing blanks
  TElements Elements;          // referred to the ecliptic and equinox J2000.0
  std::optional<double> Mag1;  // H (asteroids) or g (comets); none when blank or not a number
  std::optional<double> Mag2;  // G (asteroids) or k (comets); none when blank or not a number
  std::string_view Centre;     // the central body's text ("Sol" for asteroids and comets)
  double GaussK = 0.0;         // its Gaussian constant
  bool Track = false;          // 't' in column 134 or in column 125
  bool Ring = false;           // 's' in column 133 (probe lines)
};

// FindCentralBody: the central body of a probe line's columns 127-129.
//   text     the three characters (exact, case as in the table: "Jor", not "jor")
//   returns  its entry in kCentralBodies, or nullptr for any other text
const TCentralBody* FindCentralBody(std::string_view text);

// ElementLineUsed: whether a line of an element file is used at a moment.
//   line     the line's bytes without its line end (only the first kElementLineChars count)
//   kind     the file's layout
//   clockJD  the moment (Julian day of the observation state's clock)
//   returns  false for a comment, for a line shorter than its show-flag column (132, comets
//            123), and for start or stop fields that are neither blank (asteroids, comets)
//            nor numbers; otherwise true when a year field is four blanks (asteroids,
//            comets), else when the show flag is 'j' and start < clockJD < stop
bool ElementLineUsed(std::string_view line, TElementFileKind kind, double clockJD);

// ElementLineUse: what ElementLineUsed reads of a line, read once for a line used at many
// moments: At(clockJD) is ElementLineUsed(line, kind, clockJD).
struct TElementLineUse {
  bool Always = false;  // a year field of four blanks
  bool Never = false;   // a comment, a short line, a bad field or no 'j'
  double Start = 0.0;
  double Stop = 0.0;
  bool At(double clockJD) const { return Always || (!Never && clockJD > Start && clockJD < Stop); }
};
TElementLineUse ElementLineUseOf(std::string_view line, TElementFileKind kind);

// ElementLineToBody: the orbital elements and the other fields of one line.
//   line     the line's bytes without its line end (only the first kElementLineChars count)
//   kind     the file's layout
//   returns  the body, or std::nullopt for a comment, a line that ends before its last
//            element column (asteroids 109, comets 99, probes 99, and 129 for the central
//            body of a probe), a field that is not a number, a date outside the calendar,
//            an unknown central body, or elements that describe no orbit (e < 0;
//            asteroids: e >= 1 or a <= 0; comets: q <= 0; probes: a <= 0 for e < 1,
//            q <= 0 for e >= 1)
// Whether the line is used at a moment is ElementLineUsed's business; the show flag and the
// year or start and stop fields do not enter here. The magnitude fields are read when they
// are numbers.
// Note: the epoch of a probe on an open orbit is moved with 0.98563 degrees per day, the
// Sun's mean motion at 1 AU, whatever the central body, as the near-parabolic position routine
// also uses the Sun's constant.
std::optional<TMinorBody> ElementLineToBody(std::string_view line, TElementFileKind kind);

// ReadUsedElementLines: the bodies of an element file that are used at a moment.
//   path     the file
//   kind     its layout
//   clockJD  the moment (Julian day)
//   returns  the bodies of the used lines that give elements, in file order (lines that are
//            used but give no elements are skipped); std::nullopt when the file cannot be
//            opened. At most kMaxElementLines lines are read.
std::optional<std::vector<TMinorBody>> ReadUsedElementLines(const std::filesystem::path& path,
                                                            TElementFileKind kind, double clockJD);

}  // namespace himlavy
