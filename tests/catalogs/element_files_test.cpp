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

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/data_folder.h"
#include "common/scratch_dir.h"
#include "shell/textfile.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

constexpr double kDeg = 0.017453292519943295;

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
// A geostationary satellite (a = 42164.17 km = 0.00028185 AU).
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

TEST(ElementFilesTest, HandLinesHaveTheirWidths) {
  EXPECT_EQ(kCeres.size(), 132u);
  EXPECT_EQ(kHyakutake.size(), 123u);
  EXPECT_EQ(kEncke.size(), 123u);
  EXPECT_EQ(kOrbitWindowLine.size(), 99u);
  EXPECT_EQ(kGeo.size(), 132u);
}

// 1 Ceres: every field in its column. N from the published period 4.60184774356845 years
// (n = 2 pi / (P * 365.25) = 0.0037381558 rad/day); the line's a, rounded to 1e-7 AU, moves N
// by 2e-8 of itself. Epoch 2022 August 9.0 = JD 2459800.5.
TEST(ElementFilesTest, AsteroidCeres) {
  const std::optional<TMinorBody> b = ElementLineToBody(kCeres, TElementFileKind::Asteroid);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "1 Ceres");
  EXPECT_EQ(b->Centre, "Sol");
  EXPECT_EQ(b->GaussK, 0.01720209895);
  const TElements& e = b->Elements;
  EXPECT_NEAR(e.Epoch, Centuries(2459800.5), 1e-15);
  EXPECT_NEAR(e.SemiMajor, 2.7666190, 1e-15);
  EXPECT_NEAR(e.Ecc, 0.0786358, 1e-15);
  EXPECT_NEAR(e.Incl, 10.5868 * kDeg, 1e-15);
  EXPECT_NEAR(e.Node, 80.26644 * kDeg, 1e-15);
  EXPECT_NEAR(e.ArgPeri, 73.53163 * kDeg, 1e-15);
  EXPECT_NEAR(e.M0, 334.32717 * kDeg, 1e-14);
  EXPECT_NEAR(e.PeriDist, 2.7666190 * (1.0 - 0.0786358), 1e-12);
  const double publishedN = 2.0 * 3.141592653589793 / (4.60184774356845 * 365.25);
  EXPECT_NEAR(e.DailyMotion / publishedN, 1.0, 1e-7);
  ASSERT_TRUE(b->Mag1.has_value());
  ASSERT_TRUE(b->Mag2.has_value());
  EXPECT_DOUBLE_EQ(*b->Mag1, 3.33);
  EXPECT_DOUBLE_EQ(*b->Mag2, 0.12);
  EXPECT_FALSE(b->Track);
  EXPECT_FALSE(b->Ring);

  // Blank or unreadable magnitude fields leave the magnitudes unknown but the body usable.
  const std::optional<TMinorBody> noMag =
      ElementLineToBody(Put(Put(kCeres, 121, "    "), 126, "x.12"), TElementFileKind::Asteroid);
  ASSERT_TRUE(noMag.has_value());
  EXPECT_FALSE(noMag->Mag1.has_value());
  EXPECT_FALSE(noMag->Mag2.has_value());
}

// C/1996 B2: e < 1, so a = q / (1 - e) = 0.2302235 / 0.0001084 = 2123.833025830... AU and
// N = k / a^1.5; the epoch is the perihelion, 1996 May 1.39414 = JD 2450204.89414, and the
// mean anomaly there is 0.
// A damaged size (found by fuzzing: a = 5E+288 AU) is skipped like any impossible orbit.
TEST(ElementFilesTest, AbsurdOrbitSizeIsSkipped) {
  EXPECT_FALSE(ElementLineToBody(Put(kCeres, 46, "5E+000288"), TElementFileKind::Asteroid));
  EXPECT_TRUE(ElementLineToBody(Put(kCeres, 46, "  40.0000"), TElementFileKind::Asteroid));
}

TEST(ElementFilesTest, CometHyakutake) {
  const std::optional<TMinorBody> b = ElementLineToBody(kHyakutake, TElementFileKind::Comet);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "C/1996 B2 (Hyakutake)");
  const TElements& e = b->Elements;
  EXPECT_NEAR(e.Epoch, Centuries(2450204.89414), 1e-13);
  EXPECT_EQ(e.M0, 0.0);
  EXPECT_NEAR(e.PeriDist, 0.2302235, 1e-15);
  EXPECT_NEAR(e.Ecc, 0.9998916, 1e-15);
  EXPECT_NEAR(e.SemiMajor, 2123.833025830092, 1e-7);
  EXPECT_NEAR(e.DailyMotion, 0.01720209895 / std::pow(2123.833025830092, 1.5), 1e-18);
  EXPECT_NEAR(e.Incl, 124.9220 * kDeg, 1e-15);
  EXPECT_NEAR(e.Node, 188.04513 * kDeg, 1e-15);
  EXPECT_NEAR(e.ArgPeri, 130.17512 * kDeg, 1e-15);
  ASSERT_TRUE(b->Mag1.has_value() && b->Mag2.has_value());
  EXPECT_DOUBLE_EQ(*b->Mag1, 7.4);   // g
  EXPECT_DOUBLE_EQ(*b->Mag2, 10.0);  // k
}

// 2P/Encke from a comet line, then the position routines: the heliocentric equatorial J2000
// position on 1990 October 6.0 TD must be that of Meeus's example 33.b (x, y, z =
// 0.250806621, 0.484917558, 0.357337295 AU, from an independent evaluation of the example's
// elements); the line's q is rounded to 1e-8 AU.
TEST(ElementFilesTest, CometEnckeGivesMeeusPosition) {
  const std::optional<TMinorBody> b = ElementLineToBody(kEncke, TElementFileKind::Comet);
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
// (printed to 5 decimals). The other fields are not touched; "2000" leaves the angles alone.
TEST(ElementFilesTest, Equinox1950IsReferredToJ2000) {
  const std::optional<TMinorBody> b = ElementLineToBody(kEncke1950, TElementFileKind::Comet);
  ASSERT_TRUE(b.has_value());
  const TElements& e = b->Elements;
  EXPECT_NEAR(e.Incl / kDeg, 11.94521, 6e-6);
  EXPECT_NEAR(std::fmod(e.Node / kDeg + 360.0, 360.0), 334.75043, 6e-6);
  EXPECT_NEAR(e.ArgPeri / kDeg, 186.23327, 6e-6);
  EXPECT_NEAR(e.PeriDist, 0.33088593, 1e-15);
  EXPECT_NEAR(e.Ecc, 0.8502196, 1e-15);

  const std::optional<TMinorBody> j2000 =
      ElementLineToBody(Put(kEncke1950, 96, "2000"), TElementFileKind::Comet);
  ASSERT_TRUE(j2000.has_value());
  EXPECT_NEAR(j2000->Elements.Incl, 11.93911 * kDeg, 1e-15);
  // A blank or unknown equinox field is taken as J2000.0.
  for (const char* eq : {"    ", "2050", "19x0"}) {
    const auto other = ElementLineToBody(Put(kEncke1950, 96, eq), TElementFileKind::Comet);
    ASSERT_TRUE(other.has_value()) << eq;
    EXPECT_NEAR(other->Elements.Node, 334.04096 * kDeg, 1e-15) << eq;
  }
  // The asteroid and probe layouts convert too (equinox in 96-99 and 86-89).
  const auto ceres1950 = ElementLineToBody(Put(kCeres, 96, "1950"), TElementFileKind::Asteroid);
  ASSERT_TRUE(ceres1950.has_value());
  EXPECT_GT(std::fabs(ceres1950->Elements.Node - 80.26644 * kDeg), 0.5 * kDeg);
  const auto geo1950 =
      ElementLineToBody(Put(Put(kGeo, 56, " 10.0000"), 86, "1950"), TElementFileKind::Probe);
  ASSERT_TRUE(geo1950.has_value());
  EXPECT_GT(std::fabs(geo1950->Elements.Node), 0.5 * kDeg);
}

// A comet eccentricity of exactly 1 becomes 1.0000001 (a near-parabola); nothing else moves.
TEST(ElementFilesTest, CometWithEccentricityOneIsNearParabolic) {
  struct Case {
    const char* ecc;
    double expected;
  };
  const Case cases[] = {
      {"1.0000000", 1.0000001}, {"        1", 1.0000001}, {" 1.000000", 1.0000001},
      {"1.0000001", 1.0000001}, {"0.9999999", 0.9999999}, {"1.0000002", 1.0000002},
  };
  for (const Case& c : cases) {
    const auto b = ElementLineToBody(Put(kHyakutake, 56, c.ecc), TElementFileKind::Comet);
    ASSERT_TRUE(b.has_value()) << c.ecc;
    EXPECT_EQ(b->Elements.Ecc, c.expected) << c.ecc;
    EXPECT_NEAR(b->Elements.PeriDist, 0.2302235, 1e-15) << c.ecc;
    EXPECT_EQ(b->Elements.M0, 0.0) << c.ecc;
    if (c.expected >= 1.0) {
      EXPECT_EQ(b->Elements.DailyMotion, 0.0) << c.ecc;  // no mean motion on an open orbit
    } else {
      EXPECT_GT(b->Elements.DailyMotion, 0.0) << c.ecc;
    }
  }
}

// Which asteroid lines are used. Start 1990 January 1, 0 h = JD 2447892.5; stop 2010 January
// 1, 0 h = JD 2455197.5; both strict.
TEST(ElementFilesTest, AsteroidLinesUsed) {
  const std::string years = Put(Put(kCeres, 111, "1990"), 116, "2010");
  const std::string noFlag = Put(years, 132, " ");
  const std::string blankFirst = Put(noFlag, 111, "    ");
  const std::string blankLast = Put(noFlag, 116, "    ");
  const double start = 2447892.5;
  const double stop = 2455197.5;
  struct Case {
    std::string line;
    double jd;
    bool used;
    const char* what;
  };
  const std::vector<Case> cases = {
      {years, start, false, "at the start"},
      {years, start + 1e-6, true, "just after the start"},
      {years, 2451545.0, true, "inside"},
      {years, stop - 1e-6, true, "just before the stop"},
      {years, stop, false, "at the stop"},
      {years, stop + 365.0, false, "after"},
      {years, 0.0, false, "long before"},
      {noFlag, 2451545.0, false, "no flag"},
      {Put(years, 132, "J"), 2451545.0, false, "capital J"},
      {Put(years, 132, "x"), 2451545.0, false, "other flag"},
      {blankFirst, 0.0, true, "blank first year, no flag, JD 0"},
      {blankFirst, 2451545.0, true, "blank first year, no flag"},
      {blankFirst, 5.0e6, true, "blank first year, no flag, far future"},
      {Put(blankFirst, 132, "j"), -1.0e6, true, "blank first year with flag"},
      {blankLast, -1.0e6, true, "blank last year, no flag"},
      {Put(years, 116, "1980"), 2447000.0, false, "stop before start"},
      {Put(years, 111, "19x0"), 2451545.0, false, "garbage first year"},
      {Put(years, 116, "20.1"), 2451545.0, false, "last year not an integer"},
      {Put(years, 111, " 990"), 2451545.0, true, "three-digit year"},
      {blankFirst.substr(0, 129), 2451545.0, false, "blank years, line ends before the flag"},
      {blankFirst.substr(0, 131), 2451545.0, false, "blank years, line ends at column 131"},
      {blankFirst.substr(0, 132), 2451545.0, true, "blank years, line reaches the flag"},
      {years.substr(0, 113), 2451545.0, false, "line ends inside the first year"},
      {";" + years.substr(1), 2451545.0, false, "comment"},
      {";" + blankFirst.substr(1), 2451545.0, false, "comment with blank years"},
      {"", 2451545.0, false, "empty line"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ElementLineUsed(c.line, TElementFileKind::Asteroid, c.jd), c.used) << c.what;
  }
}

// Comets: the same rules with the years in 101-104 and 106-109 and the flag in column 123.
// The 99-character line of the orbit window reaches neither, so it is not used until the user
// completes it; its elements convert all the same (i read from columns 66-73: "124.9220").
TEST(ElementFilesTest, CometLinesUsed) {
  const double may1996 = 2450204.5;
  // Years 1995 and 1997: from 1995 January 1.0 (JD 2449718.5) to 1997 January 1.0
  // (JD 2450449.5), both strict.
  EXPECT_TRUE(ElementLineUsed(kHyakutake, TElementFileKind::Comet, may1996));
  EXPECT_FALSE(ElementLineUsed(kHyakutake, TElementFileKind::Comet, 2449718.5));
  EXPECT_TRUE(ElementLineUsed(kHyakutake, TElementFileKind::Comet, 2449718.5 + 1e-6));
  EXPECT_TRUE(ElementLineUsed(kHyakutake, TElementFileKind::Comet, 2450449.5 - 1e-6));
  EXPECT_FALSE(ElementLineUsed(kHyakutake, TElementFileKind::Comet, 2450449.5));
  EXPECT_FALSE(ElementLineUsed(Put(kHyakutake, 123, " "), TElementFileKind::Comet, may1996));
  EXPECT_TRUE(
      ElementLineUsed(Put(Put(kHyakutake, 123, " "), 106, "    "), TElementFileKind::Comet, 1.0e7));
  // The asteroid columns mean nothing here: column 132 is beyond the comet's flag.
  EXPECT_FALSE(
      ElementLineUsed(Put(Put(kHyakutake, 123, " "), 132, "j"), TElementFileKind::Comet, may1996));

  for (double jd : {0.0, may1996, 2451545.0, 5.0e6}) {
    EXPECT_FALSE(ElementLineUsed(kOrbitWindowLine, TElementFileKind::Comet, jd)) << jd;
  }
  const std::optional<TMinorBody> b = ElementLineToBody(kOrbitWindowLine, TElementFileKind::Comet);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "C/1996 B2 (Hyakutake)");
  EXPECT_NEAR(b->Elements.Incl, 124.9220 * kDeg, 1e-15);
  EXPECT_NEAR(b->Elements.PeriDist, 0.2302235, 1e-15);
  EXPECT_FALSE(b->Mag1.has_value());

  // Completed in the data-files window: years, magnitudes and the flag appended.
  const std::string completed = kOrbitWindowLine + " 1995 1997  7.4 10.0   j";
  EXPECT_EQ(completed.size(), 123u);
  EXPECT_TRUE(ElementLineUsed(completed, TElementFileKind::Comet, may1996));
}

// Probes: t1 and t2 are dates with a fraction of a day, both strict; no blank-field rule.
// 2018 January 10.0 = JD 2458128.5, January 30.0 = JD 2458148.5.
TEST(ElementFilesTest, ProbeLinesUsed) {
  struct Case {
    std::string line;
    double jd;
    bool used;
    const char* what;
  };
  const std::vector<Case> cases = {
      {kGeo, 2458128.5, false, "at t1"},
      {kGeo, 2458128.5 + 1e-6, true, "just after t1"},
      {kGeo, 2458148.5 - 1e-6, true, "just before t2"},
      {kGeo, 2458148.5, false, "at t2"},
      {Put(kGeo, 107, "10.500"), 2458129.0, false, "t1 with a fraction: at t1"},
      {Put(kGeo, 107, "10.500"), 2458129.0 + 1e-6, true, "t1 with a fraction: after"},
      {Put(kGeo, 132, " "), 2458138.5, false, "no flag"},
      {Put(kGeo, 101, "            "), 2458138.5, false, "blank t1"},
      {Put(kGeo, 114, "            "), 2458138.5, false, "blank t2"},
      {Put(kGeo, 105, "13"), 2458138.5, false, "month 13"},
      {Put(kGeo, 118, "00"), 2458138.5, false, "month 0"},
      {Put(kGeo, 120, "33.000"), 2458138.5, false, "day 33"},
      {kGeo.substr(0, 131), 2458138.5, false, "ends before the flag"},
      {";" + kGeo.substr(1), 2458138.5, false, "comment"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ElementLineUsed(c.line, TElementFileKind::Probe, c.jd), c.used) << c.what;
  }
}

// A geostationary satellite: a = 42164.17 km (0.00028185 AU to the line's 8 decimals) around
// "Jor" must go round once per sidereal day, 0.99726957 d: N = 2 pi / 0.99726957 rad/day. The
// rounding of a and the Earth's constant (Earth alone) leave 3e-5 of N.
TEST(ElementFilesTest, ProbeGeostationary) {
  const std::optional<TMinorBody> b = ElementLineToBody(kGeo, TElementFileKind::Probe);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "GEO test");
  EXPECT_EQ(b->Centre, "Jor");
  EXPECT_EQ(b->GaussK, 2.9811446458589675e-05);
  const double n = 2.0 * 3.141592653589793 / 0.99726957;
  EXPECT_NEAR(b->Elements.DailyMotion / n, 1.0, 1e-4);
  EXPECT_NEAR(b->Elements.Epoch, Centuries(2458139.0), 1e-15);  // 2018 January 20.5
  EXPECT_FALSE(b->Mag1.has_value());
}

// The Gaussian constants of the nine central bodies: with a = 1 AU, N equals k.
TEST(ElementFilesTest, ProbeCentralBodies) {
  struct Case {
    const char* text;
    double k;
  };
  const Case cases[] = {
      {"Sol", 0.01720209895},          {"Mer", 7.006964949083503e-06},
      {"Ven", 2.6920342644757433e-05}, {"Jor", 2.9811446458589675e-05},
      {"Mar", 9.773919857954546e-06},  {"Jup", 0.0005314210364535064},
      {"Sat", 0.0002910676641285956},  {"Ura", 0.00011369530039656312},
      {"Nep", 0.0001234009967718795},
  };
  const std::string unit = Put(kGeo, 35, "1.00000000");
  for (const Case& c : cases) {
    const auto b = ElementLineToBody(Put(unit, 127, c.text), TElementFileKind::Probe);
    ASSERT_TRUE(b.has_value()) << c.text;
    EXPECT_EQ(b->Centre, c.text);
    EXPECT_EQ(b->GaussK, c.k) << c.text;
    EXPECT_EQ(b->Elements.DailyMotion, c.k) << c.text;
  }
  for (const char* text : {"jor", "JOR", "Sun", "   ", "Plu", "J r"}) {
    EXPECT_FALSE(ElementLineToBody(Put(unit, 127, text), TElementFileKind::Probe).has_value())
        << text;
  }
  EXPECT_FALSE(ElementLineToBody(unit.substr(0, 128), TElementFileKind::Probe).has_value());
}

// A probe on an open orbit: q = (1 - e) a, and a mean anomaly moves the epoch back to the
// perihelion by |a|^1.5 M0 / 0.98563 days. a = -4 AU, e = 1.5: q = 2 AU; M0 = 9.8563 degrees
// moves 2000 January 1.5 (JD 2451545.0) by 8 * 10 = 80 days, to JD 2451465.0.
TEST(ElementFilesTest, ProbeOpenOrbit) {
  std::string line = Put(kGeo, 35, "-4.0000000");
  line = Put(line, 46, "1.5000000");
  line = Put(line, 21, "20000101.50000");
  line = Put(Put(line, 127, "Sol"), 90, "   9.85630");
  const std::optional<TMinorBody> b = ElementLineToBody(line, TElementFileKind::Probe);
  ASSERT_TRUE(b.has_value());
  EXPECT_NEAR(b->Elements.PeriDist, 2.0, 1e-15);
  EXPECT_EQ(b->Elements.SemiMajor, -4.0);
  EXPECT_NEAR(b->Elements.Epoch, Centuries(2451465.0), 1e-13);
  EXPECT_EQ(b->Elements.M0, 0.0);

  const auto atPeri = ElementLineToBody(Put(line, 90, "   0.00000"), TElementFileKind::Probe);
  ASSERT_TRUE(atPeri.has_value());
  EXPECT_EQ(atPeri->Elements.Epoch, 0.0);
  // A negative mean anomaly (before perihelion) moves the epoch forward.
  const auto before = ElementLineToBody(Put(line, 90, "  -9.85630"), TElementFileKind::Probe);
  ASSERT_TRUE(before.has_value());
  EXPECT_NEAR(before->Elements.Epoch, Centuries(2451625.0), 1e-13);
  // e >= 1 with a positive a has q <= 0: no orbit. e = 1 likewise (q = 0).
  EXPECT_FALSE(ElementLineToBody(Put(line, 35, " 4.0000000"), TElementFileKind::Probe));
  EXPECT_FALSE(ElementLineToBody(Put(line, 46, "1.0000000"), TElementFileKind::Probe));

  // On a closed orbit M0 stays with the epoch of the line.
  const auto closed = ElementLineToBody(Put(kGeo, 90, "  45.00000"), TElementFileKind::Probe);
  ASSERT_TRUE(closed.has_value());
  EXPECT_NEAR(closed->Elements.M0, 45.0 * kDeg, 1e-15);
  EXPECT_NEAR(closed->Elements.Epoch, Centuries(2458139.0), 1e-15);
}

// 't' in column 134 or in column 125 asks for a track; 's' in column 133 for a ring.
TEST(ElementFilesTest, TrackAndRingFlags) {
  struct Case {
    std::string line;
    TElementFileKind kind;
    bool track;
    bool ring;
    const char* what;
  };
  const std::vector<Case> cases = {
      {kCeres + " t", TElementFileKind::Asteroid, true, false, "asteroid 134"},
      {kCeres + "st", TElementFileKind::Asteroid, true, true, "asteroid 133-134"},
      {kCeres + "sT", TElementFileKind::Asteroid, false, true, "capital T"},
      {kHyakutake + "st", TElementFileKind::Comet, true, false, "comet 124-125"},
      {kHyakutake + " t", TElementFileKind::Comet, true, false, "comet 125"},
      {kHyakutake, TElementFileKind::Comet, false, false, "comet without"},
      {kGeo + "st", TElementFileKind::Probe, true, true, "probe 133-134"},
      {kGeo + "s", TElementFileKind::Probe, false, true, "probe 133"},
      {kGeo, TElementFileKind::Probe, false, false, "probe without"},
  };
  for (const Case& c : cases) {
    const auto b = ElementLineToBody(c.line, c.kind);
    ASSERT_TRUE(b.has_value()) << c.what;
    EXPECT_EQ(b->Track, c.track) << c.what;
    EXPECT_EQ(b->Ring, c.ring) << c.what;
  }
}

// Lines that give no body: too short for the element columns, fields that are not numbers,
// dates outside the calendar, elements that describe no orbit.
TEST(ElementFilesTest, BadLinesGiveNoBody) {
  // Too short: the asteroid needs column 109 (M0), the comet 99 (equinox), the probe 129.
  for (std::size_t n = 0; n < 109; ++n) {
    EXPECT_FALSE(ElementLineToBody(kCeres.substr(0, n), TElementFileKind::Asteroid)) << n;
  }
  EXPECT_TRUE(ElementLineToBody(kCeres.substr(0, 109), TElementFileKind::Asteroid));
  for (std::size_t n = 0; n < 99; ++n) {
    EXPECT_FALSE(ElementLineToBody(kHyakutake.substr(0, n), TElementFileKind::Comet)) << n;
  }
  EXPECT_TRUE(ElementLineToBody(kHyakutake.substr(0, 99), TElementFileKind::Comet));
  for (std::size_t n = 0; n < 129; ++n) {
    EXPECT_FALSE(ElementLineToBody(kGeo.substr(0, n), TElementFileKind::Probe)) << n;
  }

  struct Case {
    std::size_t column;
    const char* text;
    const char* what;
  };
  const Case asteroid[] = {
      {31, "2O22", "year with a letter O"},
      {35, "13", "month 13"},
      {35, "00", "month 0"},
      {35, " x", "month garbage"},
      {37, "33.00000", "day 33"},
      {37, "-1.00000", "negative day"},
      {37, "09,00000", "day with a comma"},
      {37, "        ", "blank day"},
      {45, "  2,766619", "a with a comma"},
      {45, "       nan", "a nan"},
      {45, "       inf", "a inf"},
      {45, "     1e999", "a overflow"},
      {45, "    0.0000", "a zero"},
      {45, "   -2.7666", "a negative"},
      {45, "          ", "a blank"},
      {45, "  2.7.6661", "a two points"},
      {45, "0x1.6p+1  ", "a hexadecimal"},
      {56, "1.0000000", "e = 1"},
      {56, "1.2000000", "e > 1"},
      {56, "-0.078636", "e negative"},
      {56, "0.07863 x", "e trailing garbage"},
      {66, "10.58 80", "i with a blank inside"},
      {66, "        ", "i blank"},
      {75, "  80.2\t664", "node with a tab inside"},
      {85, "  7e3.531", "omega garbage"},
      {100, "   --334.3", "M0 two signs"},
      {100, "          ", "M0 blank"},
      {1, ";", "comment"},
  };
  for (const Case& c : asteroid) {
    EXPECT_FALSE(ElementLineToBody(Put(kCeres, c.column, c.text), TElementFileKind::Asteroid))
        << c.what;
  }
  // Bytes that are no text at all.
  std::string nul = kCeres;
  nul[49] = '\0';
  EXPECT_FALSE(ElementLineToBody(nul, TElementFileKind::Asteroid));

  const Case comet[] = {
      {45, "    0.0000", "q zero"},    {45, "   -0.2302", "q negative"},
      {56, "-0.999891", "e negative"}, {37, "01.3941x", "day garbage"},
      {45, "          ", "q blank"},
  };
  for (const Case& c : comet) {
    EXPECT_FALSE(ElementLineToBody(Put(kHyakutake, c.column, c.text), TElementFileKind::Comet))
        << c.what;
  }
  const Case probe[] = {
      {35, "0.00000000", "a zero"},
      {35, "-0.0002818", "a negative on a closed orbit"},
      {90, "    12..5 ", "M0 garbage"},
      {25, "13", "month 13"},
  };
  for (const Case& c : probe) {
    EXPECT_FALSE(ElementLineToBody(Put(kGeo, c.column, c.text), TElementFileKind::Probe)) << c.what;
  }
}

// Lines are read as at most 136 characters: a 10 MB line is its first 136.
TEST(ElementFilesTest, LongLinesAreCut) {
  const std::string tail(10 * 1024 * 1024, '9');
  const std::string huge = Put(kCeres, 133, "  ") + tail;  // columns 133-136 blank, then digits
  const auto b = ElementLineToBody(huge, TElementFileKind::Asteroid);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Name, "1 Ceres");
  EXPECT_TRUE(ElementLineUsed(huge, TElementFileKind::Asteroid, 2451545.0));
  const std::string junk(10 * 1024 * 1024, 'x');
  for (TElementFileKind kind :
       {TElementFileKind::Asteroid, TElementFileKind::Comet, TElementFileKind::Probe}) {
    EXPECT_FALSE(ElementLineToBody(junk, kind));
    EXPECT_FALSE(ElementLineUsed(junk, kind, 2451545.0));
  }
  // A 't' beyond column 136 does not count.
  const auto far = ElementLineToBody(kCeres + "    t", TElementFileKind::Asteroid);
  ASSERT_TRUE(far.has_value());
  EXPECT_FALSE(far->Track);
}

// The name columns: Windows-1252 bytes decoded, trailing blanks dropped, probes 20 columns.
TEST(ElementFilesTest, Names) {
  const auto sv = ElementLineToBody(Put(kCeres, 1, "2046 Leningrad\xE5\xE4\xF6  x      "),
                                    TElementFileKind::Asteroid);
  ASSERT_TRUE(sv.has_value());
  EXPECT_EQ(sv->Name, "2046 Leningrad\xC3\xA5\xC3\xA4\xC3\xB6  x");
  const auto blank =
      ElementLineToBody(Put(kCeres, 1, std::string(30, ' ')), TElementFileKind::Asteroid);
  ASSERT_TRUE(blank.has_value());
  EXPECT_EQ(blank->Name, "");
  const auto probe =
      ElementLineToBody(Put(kGeo, 1, "ISS (ZARYA)         "), TElementFileKind::Probe);
  ASSERT_TRUE(probe.has_value());
  EXPECT_EQ(probe->Name, "ISS (ZARYA)");
}

// Reading a file: the used lines that give elements, in order; CRLF or LF; a missing file
// gives nothing at all.
TEST(ElementFilesTest, ReadFile) {
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
  const auto path = dir.Write("asteroid.dta", text);

  const auto bodies = ReadUsedElementLines(path, TElementFileKind::Asteroid, 2451545.0);
  ASSERT_TRUE(bodies.has_value());
  std::vector<std::string> names;
  for (const TMinorBody& b : *bodies) names.push_back(b.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"1 Ceres", "4 Always", "5 Huge", "6 Last"}));

  EXPECT_FALSE(ReadUsedElementLines(dir / "missing.dta", TElementFileKind::Asteroid, 2451545.0));
  const auto empty =
      ReadUsedElementLines(dir.Write("empty.dta", ""), TElementFileKind::Comet, 2451545.0);
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
  // Binary garbage: read, nothing used.
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  const auto noise =
      ReadUsedElementLines(dir.Write("noise.dta", binary), TElementFileKind::Probe, 2451545.0);
  ASSERT_TRUE(noise.has_value());
  EXPECT_TRUE(noise->empty());
}

// The program's own element files: every line that is not a comment gives a body, each file
// fits the data-files window (480 lines), and the bodies named here carry their published
// elements.
TEST(ElementFilesTest, ShippedFiles) {
  struct File {
    std::string_view name;
    TElementFileKind kind;
  };
  const File files[] = {
      {kAsteroidFile1, TElementFileKind::Asteroid}, {kAsteroidFile2, TElementFileKind::Asteroid},
      {kAsteroidFile3, TElementFileKind::Asteroid}, {kCometFile, TElementFileKind::Comet},
      {kProbeFile, TElementFileKind::Probe},
  };
  std::size_t found = 0;
  for (const File& f : files) {
    const auto path = ResolveDataPath(DataFolder(), f.name);
    const auto lines = ReadRawLines(path, kElementLineChars);
    if (!lines) continue;
    ++found;
    EXPECT_LE(lines->size(), 480u) << f.name;
    for (const std::string& line : *lines) {
      if (!line.empty() && line[0] == ';') continue;
      const auto b = ElementLineToBody(line, f.kind);
      EXPECT_TRUE(b.has_value()) << f.name << ": " << line;
    }
  }
  if (found == 0) GTEST_SKIP() << "no element files in " << DataFolder();

  // 1 Ceres in "asteroid.dta": JPL's elements of epoch 2022 August 9.0.
  const auto ceres = ReadUsedElementLines(ResolveDataPath(DataFolder(), kAsteroidFile1),
                                          TElementFileKind::Asteroid, 2459800.5);
  ASSERT_TRUE(ceres.has_value());
  bool sawCeres = false;
  for (const TMinorBody& b : *ceres) {
    if (b.Name != "1 Ceres") continue;
    sawCeres = true;
    EXPECT_NEAR(b.Elements.SemiMajor, 2.766619045, 1e-6);
    EXPECT_NEAR(b.Elements.Ecc, 0.07863576, 1e-7);
    EXPECT_NEAR(b.Elements.Incl / kDeg, 10.58680, 1e-4);
    EXPECT_NEAR(b.Elements.M0 / kDeg, 334.32717, 1e-5);
    EXPECT_NEAR(b.Elements.Epoch, Centuries(2459800.5), 1e-12);
  }
  EXPECT_TRUE(sawCeres);

  // C/1996 B2 in "komet.dta", used in 1996.
  const auto comets = ReadUsedElementLines(ResolveDataPath(DataFolder(), kCometFile),
                                           TElementFileKind::Comet, 2450204.5);
  ASSERT_TRUE(comets.has_value());
  bool sawHyakutake = false;
  for (const TMinorBody& b : *comets) {
    if (b.Name.find("C/1996 B2") == std::string::npos) continue;
    sawHyakutake = true;
    EXPECT_NEAR(b.Elements.PeriDist, 0.2302235, 1e-7);
    EXPECT_NEAR(b.Elements.Ecc, 0.99989165, 1e-7);
    EXPECT_NEAR(b.Elements.Incl / kDeg, 124.92205, 1e-4);
    EXPECT_NEAR(b.Elements.Epoch, Centuries(2450204.894145), 1e-9);
  }
  EXPECT_TRUE(sawHyakutake);
}

}  // namespace
}  // namespace himlavy
