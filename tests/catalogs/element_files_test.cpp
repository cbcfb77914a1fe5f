// The element files of asteroids, comets and probes: which lines are used at a moment, and
// how a line becomes orbital elements.
//
// The element lines below are written by hand from published elements of real bodies:
//   1 Ceres     JPL SBDB, epoch 2022 Aug 9.0 TT (MJD 59800): a 2.766619045, e 0.07863576,
//               i 10.58680, Omega 80.26644, omega 73.53163, M 334.32717, H 3.33, G 0.12,
//               period 4.60184774356845 years.
//   C/1996 B2   JPL SBDB (orbit JPL 73): q 0.2302235, e 0.9998916, i 124.92205,
//   (Hyakutake) Omega 188.04513, omega 130.17512, perihelion JD 2450204.894145
//               (1996 May 1.394145 TT), M1 7.4.
//   2P/Encke    J. Meeus, Astronomical Algorithms, 2nd ed. (1998), example 33.b (1st ed.
//               chapter 32): a 2.2091404, e 0.8502196, i 11.94524, Omega 334.75006,
//               omega 186.23352 (J2000.0), perihelion 1990 October 28.54502 TD; and the same
//               comet's B1950.0 elements of example 24.c.
// Expected values are decoded by hand from the line texts (dates turned into Julian days with
// the calendar, a = q / (1 - e) etc.) or taken from the published values (Ceres' period, the
// geostationary period, Meeus's printed FK4-FK5 results), never from this code.
#include "catalogs/element_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "shell/textfile.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

constexpr double kDeg = 0.017453292519943295;
constexpr auto kAsteroid = TElementFileKind::Asteroid;
constexpr auto kComet = TElementFileKind::Comet;
constexpr auto kProbe = TElementFileKind::Probe;

// clang-format off
//                              1         2         3         4         5         6         7         8         9         0         1         2         3
//                     1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456
const std::string kCeres =
    "1 Ceres                       20220809.00000 2.7666190 0.0786358  10.5868   80.26644  73.53163 2000 334.32717 1972 2072 3.33 0.12  j";
const std::string kHyakutake =
    "C/1996 B2 (Hyakutake)         19960501.39414 0.2302235 0.9998916 124.9220  188.04513 130.17512 2000 1995 1997  7.4 10.0   j";
const std::string kEncke =
    "2P/Encke                      19901028.545020.33088593 0.8502196 11.94524  334.75006 186.23352 2000 1990 1991  9.8  6.0   j";
const std::string kEncke1950 =
    "2P/Encke B1950                19901028.545020.33088593 0.8502196 11.93911  334.04096 186.24444 1950 1990 1991             j";
// The line the orbit window appends to "komet.dta": 99 characters, i written in columns 66-74.
const std::string kOrbitWindowLine =
    "C/1996 B2 (Hyakutake)         19960501.39414 0.2302235 0.9998916 124.92204 188.04513 130.17512 2000";
// A geostationary satellite (a = 42164.17 km = 0.00028185 AU) from 2018 January 10.0 to 30.0.
const std::string kGeo =
    "GEO test            20180120.500000.00028185 0.0000000   0.0000    0.00000   0.00000 2000   0.00000 20180110.000 20180130.000 Jor  j";
// clang-format on

// `line` with `text` written from column `column` on (blank-padded when the line is shorter).
std::string Put(std::string line, std::size_t column, std::string_view text) {
  if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
  line.replace(column - 1, text.size(), text);
  return line;
}

double Centuries(double jd) {
  return (jd - 2451545.0) / 36525.0;
}

// 1 Ceres: N from the published period 4.60184774356845 years (n = 2 pi / (P 365.25) rad/day);
// the line's a, rounded to 1e-7 AU, moves N by 2e-8 of itself. Epoch 2022 August 9.0 = JD
// 2459800.5.
TEST(ElementLineToBody, AsteroidCeres) {
  const std::optional<TMinorBody> b = ElementLineToBody(kCeres, kAsteroid);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "1 Ceres");
  EXPECT_EQ(b->Centre, "Sol");
  const TElements& e = b->Elements;
  EXPECT_NEAR(e.Epoch, Centuries(2459800.5), 1e-15);
  EXPECT_NEAR(e.SemiMajor, 2.7666190, 1e-15);
  EXPECT_NEAR(e.Ecc, 0.0786358, 1e-15);
  EXPECT_NEAR(e.Incl, 10.5868 * kDeg, 1e-15);
  EXPECT_NEAR(e.Node, 80.26644 * kDeg, 1e-15);
  EXPECT_NEAR(e.ArgPeri, 73.53163 * kDeg, 1e-15);
  EXPECT_NEAR(e.M0, 334.32717 * kDeg, 1e-14);
  EXPECT_NEAR(e.PeriDist, 2.7666190 * (1.0 - 0.0786358), 1e-12);
  EXPECT_NEAR(e.DailyMotion / (2.0 * 3.141592653589793 / (4.60184774356845 * 365.25)), 1.0, 1e-7);
  EXPECT_EQ(b->Mag1, 3.33);
  EXPECT_EQ(b->Mag2, 0.12);
  // Blank or unreadable magnitude fields leave the magnitudes unknown but the body usable.
  const auto noMag = ElementLineToBody(Put(Put(kCeres, 121, "    "), 126, "x.12"), kAsteroid);
  ASSERT_TRUE(noMag.has_value());
  EXPECT_FALSE(noMag->Mag1.has_value() || noMag->Mag2.has_value());
}

// C/1996 B2: e < 1, so a = q / (1 - e) = 0.2302235 / 0.0001084 = 2123.833025830... AU and
// N = k / a^1.5; the epoch is the perihelion, 1996 May 1.39414 = JD 2450204.89414, and the
// mean anomaly there is 0.
TEST(ElementLineToBody, CometHyakutake) {
  const std::optional<TMinorBody> b = ElementLineToBody(kHyakutake, kComet);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "C/1996 B2 (Hyakutake)");
  const TElements& e = b->Elements;
  EXPECT_NEAR(e.Epoch, Centuries(2450204.89414), 1e-13);
  EXPECT_EQ(e.M0, 0.0);
  EXPECT_NEAR(e.PeriDist, 0.2302235, 1e-15);
  EXPECT_NEAR(e.SemiMajor, 2123.833025830092, 1e-7);
  EXPECT_NEAR(e.DailyMotion, 0.01720209895 / std::pow(2123.833025830092, 1.5), 1e-18);
  EXPECT_NEAR(e.Incl, 124.9220 * kDeg, 1e-15);
  EXPECT_EQ(b->Mag1, 7.4);   // g
  EXPECT_EQ(b->Mag2, 10.0);  // k
}

// 2P/Encke from a comet line, then the position routines: the heliocentric equatorial J2000
// position on 1990 October 6.0 TD must be that of Meeus's example 33.b (x, y, z =
// 0.250806621, 0.484917558, 0.357337295 AU, from an independent evaluation of the example's
// elements); the line's q is rounded to 1e-8 AU.
TEST(ElementLineToBody, CometEnckeGivesMeeusPosition) {
  const std::optional<TMinorBody> b = ElementLineToBody(kEncke, kComet);
  ASSERT_TRUE(b.has_value());
  EXPECT_NEAR(b->Elements.SemiMajor, 2.2091404, 1e-7);
  const TOrbitPlane plane = OrbitPlaneConstants(b->Elements, 23.4392911 * kDeg);
  const TVector3 p = PositionFromElements(b->Elements, plane, Centuries(2448170.5));
  EXPECT_NEAR(p.X, 0.250806621, 1e-7);
  EXPECT_NEAR(p.Y, 0.484917558, 1e-7);
  EXPECT_NEAR(p.Z, 0.357337295, 1e-7);
}

// Equinox "1950": Meeus, AA 2nd ed., example 24.c (B1950.0 FK4 to J2000.0 FK5): i0 11.93911,
// Omega0 334.04096, omega0 186.24444 give i 11.94521, Omega 334.75043, omega 186.23327
// (printed to 5 decimals). Any other equinox text leaves the angles alone.
TEST(ElementLineToBody, Equinox1950IsReferredToJ2000) {
  const std::optional<TMinorBody> b = ElementLineToBody(kEncke1950, kComet);
  ASSERT_TRUE(b.has_value());
  EXPECT_NEAR(b->Elements.Incl / kDeg, 11.94521, 6e-6);
  EXPECT_NEAR(std::fmod(b->Elements.Node / kDeg + 360.0, 360.0), 334.75043, 6e-6);
  EXPECT_NEAR(b->Elements.ArgPeri / kDeg, 186.23327, 6e-6);
  EXPECT_NEAR(b->Elements.PeriDist, 0.33088593, 1e-15);
  for (const char* eq : {"2000", "    ", "2050", "19x0"}) {
    const auto other = ElementLineToBody(Put(kEncke1950, 96, eq), kComet);
    ASSERT_TRUE(other.has_value()) << eq;
    EXPECT_NEAR(other->Elements.Node, 334.04096 * kDeg, 1e-15) << eq;
  }
  // The asteroid and probe layouts convert too (equinox in 96-99 and 86-89).
  const auto ceres1950 = ElementLineToBody(Put(kCeres, 96, "1950"), kAsteroid);
  EXPECT_GT(std::fabs(ceres1950->Elements.Node - 80.26644 * kDeg), 0.5 * kDeg);
  const auto geo1950 = ElementLineToBody(Put(Put(kGeo, 56, " 10.0000"), 86, "1950"), kProbe);
  EXPECT_GT(std::fabs(geo1950->Elements.Node), 0.5 * kDeg);
}

// A comet eccentricity of exactly 1 becomes 1.0000001 (a near-parabola, no mean motion).
TEST(ElementLineToBody, CometWithEccentricityOneIsNearParabolic) {
  const std::pair<const char*, double> cases[] = {{"1.0000000", 1.0000001},
                                                  {"        1", 1.0000001},
                                                  {"0.9999999", 0.9999999},
                                                  {"1.0000002", 1.0000002}};
  for (const auto& [text, ecc] : cases) {
    const auto b = ElementLineToBody(Put(kHyakutake, 56, text), kComet);
    ASSERT_TRUE(b.has_value()) << text;
    EXPECT_EQ(b->Elements.Ecc, ecc) << text;
    EXPECT_NEAR(b->Elements.PeriDist, 0.2302235, 1e-15) << text;
    EXPECT_EQ(b->Elements.DailyMotion > 0.0, ecc < 1.0) << text;
  }
}

// Which lines are used: start < moment < stop, both strict, and the show flag 'j'; a blank year
// field (asteroids, comets) makes the line used whatever the flag and the moment. Asteroid
// years 1990 and 2010: JD 2447892.5 and 2455197.5; comet years 1995 and 1997 (kHyakutake): JD
// 2449718.5 and 2450449.5; probe t1 and t2 2018 January 10.0 and 30.0: JD 2458128.5 and
// 2458148.5.
TEST(ElementLineUsed, StartStopAndFlag) {
  const std::string years = Put(Put(kCeres, 111, "1990"), 116, "2010");
  const std::string blankFirst = Put(Put(years, 132, " "), 111, "    ");
  const std::string noCometFlag = Put(kHyakutake, 123, " ");
  struct Case {
    std::string line;
    TElementFileKind kind;
    double jd;
    bool used;
    const char* what;
  };
  const std::vector<Case> cases = {
      {years, kAsteroid, 2447892.5, false, "at the start"},
      {years, kAsteroid, 2447892.5 + 1e-6, true, "just after the start"},
      {years, kAsteroid, 2455197.5 - 1e-6, true, "just before the stop"},
      {years, kAsteroid, 2455197.5, false, "at the stop"},
      {Put(years, 132, " "), kAsteroid, 2451545.0, false, "no flag"},
      {blankFirst, kAsteroid, 0.0, true, "blank first year, no flag"},
      {Put(Put(years, 132, " "), 116, "    "), kAsteroid, -1.0e6, true, "blank last year"},
      {Put(years, 111, "19x0"), kAsteroid, 2451545.0, false, "garbage first year"},
      {blankFirst.substr(0, 131), kAsteroid, 2451545.0, false, "blank years, ends before flag"},
      {blankFirst.substr(0, 132), kAsteroid, 2451545.0, true, "blank years, reaches the flag"},
      {";" + blankFirst.substr(1), kAsteroid, 2451545.0, false, "comment"},
      {kHyakutake, kComet, 2449718.5, false, "comet at the start"},
      {kHyakutake, kComet, 2450449.5, false, "comet at the stop"},
      {noCometFlag, kComet, 2450204.5, false, "comet without flag"},
      {Put(noCometFlag, 106, "    "), kComet, 1.0e7, true, "comet with a blank year"},
      {Put(noCometFlag, 132, "j"), kComet, 2450204.5, false, "comet, flag in column 132"},
      {kGeo, kProbe, 2458128.5, false, "probe at t1"},
      {kGeo, kProbe, 2458148.5, false, "probe at t2"},
      {Put(kGeo, 107, "10.500"), kProbe, 2458129.0, false, "t1 with a fraction: at t1"},
      {Put(kGeo, 118, "00"), kProbe, 2458138.5, false, "probe, month 0"},
      {Put(kGeo, 132, " "), kProbe, 2458138.5, false, "probe without flag"},
  };
  for (const Case& c : cases) EXPECT_EQ(ElementLineUsed(c.line, c.kind, c.jd), c.used) << c.what;
}

// The 99-character line of the orbit window reaches neither the years nor the flag, so it is
// not used until the user completes it; its elements convert all the same (i read from columns
// 66-73: "124.9220").
TEST(ElementLineUsed, OrbitWindowLineWaitsForItsYears) {
  for (double jd : {0.0, 2450204.5, 5.0e6}) {
    EXPECT_FALSE(ElementLineUsed(kOrbitWindowLine, kComet, jd)) << jd;
  }
  const std::optional<TMinorBody> b = ElementLineToBody(kOrbitWindowLine, kComet);
  ASSERT_TRUE(b.has_value());
  EXPECT_NEAR(b->Elements.Incl, 124.9220 * kDeg, 1e-15);
  EXPECT_FALSE(b->Mag1.has_value());
  EXPECT_TRUE(ElementLineUsed(kOrbitWindowLine + " 1995 1997  7.4 10.0   j", kComet, 2450204.5));
}

// A geostationary satellite: a = 42164.17 km (0.00028185 AU to the line's 8 decimals) around
// "Jor" must go round once per sidereal day, 0.99726957 d. The rounding of a and the Earth's
// constant (Earth alone) leave 3e-5 of N.
TEST(ElementLineToBody, ProbeGeostationary) {
  const std::optional<TMinorBody> b = ElementLineToBody(kGeo, kProbe);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "GEO test");
  EXPECT_EQ(b->Centre, "Jor");
  EXPECT_NEAR(b->Elements.DailyMotion / (2.0 * 3.141592653589793 / 0.99726957), 1.0, 1e-4);
  EXPECT_NEAR(b->Elements.Epoch, Centuries(2458139.0), 1e-15);  // 2018 January 20.5
  // On a closed orbit M0 stays with the epoch of the line.
  const auto closed = ElementLineToBody(Put(kGeo, 90, "  45.00000"), kProbe);
  EXPECT_NEAR(closed->Elements.M0, 45.0 * kDeg, 1e-15);
  EXPECT_NEAR(closed->Elements.Epoch, Centuries(2458139.0), 1e-15);
}

// A probe on an open orbit: q = (1 - e) a, and a mean anomaly moves the epoch back to the
// perihelion by |a|^1.5 M0 / 0.98563 days. a = -4 AU, e = 1.5: q = 2 AU; M0 = 9.8563 degrees
// moves 2000 January 1.5 (JD 2451545.0) by 8 x 10 = 80 days, to JD 2451465.0.
TEST(ElementLineToBody, ProbeOpenOrbit) {
  const std::string line = Put(
      Put(Put(Put(Put(kGeo, 35, "-4.0000000"), 46, "1.5000000"), 21, "20000101.50000"), 127, "Sol"),
      90, "   9.85630");
  const std::optional<TMinorBody> b = ElementLineToBody(line, kProbe);
  ASSERT_TRUE(b.has_value());
  EXPECT_NEAR(b->Elements.PeriDist, 2.0, 1e-15);
  EXPECT_EQ(b->Elements.SemiMajor, -4.0);
  EXPECT_NEAR(b->Elements.Epoch, Centuries(2451465.0), 1e-13);
  EXPECT_EQ(b->Elements.M0, 0.0);
  // A negative mean anomaly (before perihelion) moves the epoch forward.
  const auto before = ElementLineToBody(Put(line, 90, "  -9.85630"), kProbe);
  EXPECT_NEAR(before->Elements.Epoch, Centuries(2451625.0), 1e-13);
  // e >= 1 with a positive a has q <= 0: no orbit. e = 1 likewise (q = 0).
  EXPECT_FALSE(ElementLineToBody(Put(line, 35, " 4.0000000"), kProbe));
  EXPECT_FALSE(ElementLineToBody(Put(line, 46, "1.0000000"), kProbe));
}

// 't' in column 134 or in column 125 asks for a track; 's' in column 133 for a ring; nothing
// beyond column 136 counts.
TEST(ElementLineToBody, TrackAndRingFlags) {
  const struct {
    std::string line;
    TElementFileKind kind;
    bool track, ring;
  } cases[] = {
      {kCeres + "st", kAsteroid, true, true},      {kCeres + "sT", kAsteroid, false, true},
      {kCeres + "    t", kAsteroid, false, false}, {kHyakutake + "st", kComet, true, false},
      {kHyakutake, kComet, false, false},          {kGeo + "s", kProbe, false, true},
  };
  for (const auto& c : cases) {
    const auto b = ElementLineToBody(c.line, c.kind);
    ASSERT_TRUE(b.has_value()) << c.line;
    EXPECT_EQ(b->Track, c.track) << c.line;
    EXPECT_EQ(b->Ring, c.ring) << c.line;
  }
}

// Lines that give no body: too short for the element columns, fields that are not numbers,
// dates outside the calendar, elements that describe no orbit, an unknown central body.
TEST(ElementLineToBody, BadLinesGiveNoBody) {
  // Too short: the asteroid needs column 109 (M0), the comet 99 (equinox), the probe 129.
  for (const auto& [line, kind, need] :
       {std::tuple{kCeres, kAsteroid, 109u}, std::tuple{kHyakutake, kComet, 99u},
        std::tuple{kGeo, kProbe, 129u}}) {
    for (std::size_t n = 0; n < need; ++n)
      EXPECT_FALSE(ElementLineToBody(line.substr(0, n), kind)) << n;
    EXPECT_TRUE(ElementLineToBody(line.substr(0, need), kind));
  }
  const struct {
    const std::string& line;
    TElementFileKind kind;
    std::size_t column;
    std::string_view text;
  } cases[] = {
      {kCeres, kAsteroid, 31, "2O22"},
      {kCeres, kAsteroid, 35, "13"},
      {kCeres, kAsteroid, 37, "33.00000"},
      {kCeres, kAsteroid, 37, "09,00000"},
      {kCeres, kAsteroid, 45, "       nan"},
      {kCeres, kAsteroid, 45, "    0.0000"},
      {kCeres, kAsteroid, 46, "5E+000288"},
      {kCeres, kAsteroid, 45, "          "},
      {kCeres, kAsteroid, 45, "0x1.6p+1  "},
      {kCeres, kAsteroid, 56, "1.0000000"},
      {kCeres, kAsteroid, 56, "-0.078636"},
      {kCeres, kAsteroid, 66, "10.58 80"},
      {kCeres, kAsteroid, 100, "   --334.3"},
      {kCeres, kAsteroid, 50, std::string_view("\0", 1)},
      {kCeres, kAsteroid, 1, ";"},
      {kHyakutake, kComet, 45, "    0.0000"},
      {kHyakutake, kComet, 56, "-0.999891"},
      {kGeo, kProbe, 35, "0.00000000"},
      {kGeo, kProbe, 35, "-0.0002818"},
      {kGeo, kProbe, 90, "    12..5 "},
      {kGeo, kProbe, 127, "jor"},
      {kGeo, kProbe, 127, "Plu"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ElementLineToBody(Put(c.line, c.column, c.text), c.kind)) << c.column << c.text;
  }
}

// Lines are read as at most 136 characters: a 10 MB line is its first 136.
TEST(ElementLineToBody, LongLinesAreCut) {
  const std::string huge = Put(kCeres, 133, "  ") + std::string(10 * 1024 * 1024, '9');
  const auto b = ElementLineToBody(huge, kAsteroid);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "1 Ceres");
  EXPECT_TRUE(ElementLineUsed(huge, kAsteroid, 2451545.0));
  const std::string junk(10 * 1024 * 1024, 'x');
  for (TElementFileKind kind : {kAsteroid, kComet, kProbe}) {
    EXPECT_FALSE(ElementLineToBody(junk, kind));
    EXPECT_FALSE(ElementLineUsed(junk, kind, 2451545.0));
  }
}

// The name columns: Windows-1252 bytes decoded, trailing blanks dropped, probes 20 columns.
TEST(ElementLineToBody, Names) {
  EXPECT_EQ(
      ElementLineToBody(Put(kCeres, 1, "2046 Leningrad\xE5\xE4\xF6  x      "), kAsteroid)->Name,
      "2046 Leningrad\xC3\xA5\xC3\xA4\xC3\xB6  x");
  EXPECT_EQ(ElementLineToBody(Put(kCeres, 1, std::string(30, ' ')), kAsteroid)->Name, "");
  EXPECT_EQ(ElementLineToBody(Put(kGeo, 1, "ISS (ZARYA)         "), kProbe)->Name, "ISS (ZARYA)");
}

// Reading a file: the used lines that give elements, in order; CRLF or LF; a missing file
// gives nothing at all.
TEST(ReadUsedElementLines, ReadsTheUsedLinesOfAFile) {
  ScratchDir dir;
  const std::string years = Put(Put(kCeres, 111, "1990"), 116, "2010");
  std::string text;
  text += "; asteroids\r\n";
  text += years + "\r\n";                                            // used in 2000
  text += Put(Put(years, 1, "2 Later  "), 111, "2005") + "\r\n";     // not yet used in 2000
  text += Put(Put(years, 1, "3 Broken "), 45, "  garbage ") + "\n";  // used, no elements
  text += "\r\n";
  text += Put(Put(Put(years, 1, "4 Always"), 111, "    "), 132, " ") + "\n";
  text += Put(years, 1, "5 Huge   ") + std::string(10 * 1024 * 1024, ' ') + "\r\n";
  text += Put(years, 1, "6 Last   ");  // no line end
  const auto bodies = ReadUsedElementLines(dir.Write("asteroid.dta", text), kAsteroid, 2451545.0);
  ASSERT_TRUE(bodies.has_value());
  std::vector<std::string> names;
  for (const TMinorBody& b : *bodies) names.push_back(b.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"1 Ceres", "4 Always", "5 Huge", "6 Last"}));
  EXPECT_FALSE(ReadUsedElementLines(dir / "missing.dta", kAsteroid, 2451545.0));
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  const auto noise = ReadUsedElementLines(dir.Write("noise.dta", binary), kProbe, 2451545.0);
  ASSERT_TRUE(noise.has_value());
  EXPECT_TRUE(noise->empty());
}

// The program's own element files: every line that is not a comment gives a body, each file
// fits the data-files window (480 lines), and 1 Ceres and C/1996 B2 carry their published
// elements.
TEST(ReadUsedElementLines, ShippedFiles) {
  const std::pair<std::string_view, TElementFileKind> files[] = {{kAsteroidFile1, kAsteroid},
                                                                 {kAsteroidFile2, kAsteroid},
                                                                 {kAsteroidFile3, kAsteroid},
                                                                 {kCometFile, kComet},
                                                                 {kProbeFile, kProbe}};
  for (const auto& [name, kind] : files) {
    const auto lines = ReadRawLines(ResolveDataPath(DataFolder(), name), kElementLineChars);
    ASSERT_TRUE(lines) << name;
    EXPECT_LE(lines->size(), 480u) << name;
    for (const std::string& line : *lines) {
      EXPECT_TRUE(line.starts_with(';') || ElementLineToBody(line, kind)) << line;
    }
  }
  const struct {
    std::string_view file, name;
    TElementFileKind kind;
    double jd, dist, ecc, incl, epoch;  // dist: a of an asteroid, q of a comet
  } bodies[] = {
      {kAsteroidFile1, "1 Ceres", kAsteroid, 2459800.5, 2.766619045, 0.07863576, 10.58680,
       2459800.5},
      {kCometFile, "C/1996 B2", kComet, 2450204.5, 0.2302235, 0.99989165, 124.92205,
       2450204.894145},
  };
  for (const auto& c : bodies) {
    const auto used = ReadUsedElementLines(ResolveDataPath(DataFolder(), c.file), c.kind, c.jd);
    ASSERT_TRUE(used.has_value());
    const auto b = std::find_if(used->begin(), used->end(),
                                [&](const TMinorBody& m) { return m.Name.starts_with(c.name); });
    ASSERT_NE(b, used->end()) << c.name;
    EXPECT_NEAR(c.kind == kComet ? b->Elements.PeriDist : b->Elements.SemiMajor, c.dist, 1e-6)
        << c.name;
    EXPECT_NEAR(b->Elements.Ecc, c.ecc, 1e-7) << c.name;
    EXPECT_NEAR(b->Elements.Incl / kDeg, c.incl, 1e-4) << c.name;
    EXPECT_NEAR(b->Elements.Epoch, Centuries(c.epoch), 1e-9) << c.name;
  }
}

}  // namespace
}  // namespace himlavy
