// Element files of asteroids, comets and probes: which lines are used, and how a line becomes
// orbital elements. Lines written by hand from published elements: 1 Ceres (JPL SBDB, epoch MJD
// 59800: a 2.766619045, e 0.07863576, i 10.58680, Omega 80.26644, omega 73.53163, M 334.32717,
// period 4.60184774356845 y); C/1996 B2 Hyakutake (JPL 73: q 0.2302235, e 0.9998916, i
// 124.92205, Omega 188.04513, omega 130.17512, T JD 2450204.894145); 2P/Encke (Meeus AA2 33.b,
// B1950.0 of 24.c). Expected values decoded by hand or published, never from this code.
#include "catalogs/element_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/textfile.h"
#include "common/angles.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {
using namespace testing;
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
// 1 Ceres: N from the published period (a rounded to 1e-7 AU moves N by 2e-8); epoch JD 2459800.5.
TEST(ElementLineToBody, AsteroidCeres) {
  const TMinorBody b = ElementLineToBody(kCeres, kAsteroid).value();
  EXPECT_EQ(std::tuple(b.Name, b.Centre, b.Mag1, b.Mag2, b.Track, b.Ring),
            std::tuple("1 Ceres", "Sol", 3.33, 0.12, false, false));
  const TElements& e = b.Elements;
  EXPECT_NEAR(e.Epoch, Centuries(2459800.5), 1e-15);
  EXPECT_NEAR(e.SemiMajor, 2.7666190, 1e-15);
  EXPECT_NEAR(e.Incl, 10.5868 * kDegToRad, 1e-15);
  EXPECT_NEAR(e.Node, 80.26644 * kDegToRad, 1e-15);
  EXPECT_NEAR(e.M0, 334.32717 * kDegToRad, 1e-14);
  EXPECT_NEAR(e.DailyMotion / (2.0 * 3.141592653589793 / (4.60184774356845 * 365.25)), 1.0, 1e-7);
  // Unreadable magnitudes leave the body usable; the name is Windows-1252; 's' in column 133
  // and 't' in 134 ask for a ring and a track.
  const TMinorBody other =
      ElementLineToBody(Put(Put(kCeres, 1, "2046 Leningrad\xE5\xE4\xF6 "), 121, "x.33") + "st",
                        kAsteroid)
          .value();
  EXPECT_EQ(std::tuple(other.Name, other.Mag1.has_value(), other.Track, other.Ring),
            std::tuple("2046 Leningrad\xC3\xA5\xC3\xA4\xC3\xB6", false, true, true));
}
// 2P/Encke through the position routines: Meeus 33.b's position on 1990 October 6.0 TD (q 1e-8).
// Equinox "1950": AA2 24.c gives i 11.94521, Omega 334.75043, omega 186.23327; others: unchanged.
TEST(ElementLineToBody, CometEnckeGivesMeeusPositionAndEquinox1950IsReferredToJ2000) {
  const TMinorBody b = ElementLineToBody(kEncke, kComet).value();
  EXPECT_EQ(std::tuple(b.Name, b.Mag1, b.Mag2, b.Elements.M0),
            std::tuple("2P/Encke", 9.8, 6.0, 0.0));
  EXPECT_NEAR(b.Elements.SemiMajor, 2.2091404, 1e-7);
  const TVector3 p = PositionFromElements(
      b.Elements, OrbitPlaneConstants(b.Elements, 23.4392911 * kDegToRad), Centuries(2448170.5));
  const TVector3 meeus{0.250806621, 0.484917558, 0.357337295};
  for (auto c : {&TVector3::X, &TVector3::Y, &TVector3::Z}) EXPECT_NEAR(p.*c, meeus.*c, 1e-7);
  const TElements e = ElementLineToBody(kEncke1950, kComet).value().Elements;
  EXPECT_NEAR(e.Incl / kDegToRad, 11.94521, 6e-6);
  EXPECT_NEAR(std::fmod(e.Node / kDegToRad + 360.0, 360.0), 334.75043, 6e-6);
  EXPECT_NEAR(e.ArgPeri / kDegToRad, 186.23327, 6e-6);
  EXPECT_NEAR(ElementLineToBody(Put(kEncke1950, 96, "2050"), kComet)->Elements.Node,
              334.04096 * kDegToRad, 1e-15);
}
// A comet eccentricity of exactly 1 becomes 1.0000001 (a near-parabola, no mean motion).
TEST(ElementLineToBody, CometWithEccentricityOneIsNearParabolic) {
  for (const auto& [text, ecc] : {std::pair{"1.0000000", 1.0000001}, {"0.9999999", 0.9999999}}) {
    const TElements e = ElementLineToBody(Put(kHyakutake, 56, text), kComet).value().Elements;
    EXPECT_EQ(std::tuple(e.Ecc, e.DailyMotion > 0.0), std::tuple(ecc, ecc < 1.0)) << text;
  }
}
// Used: start < moment < stop, strictly, and the flag 'j'; a blank year field (asteroids,
// comets) is always used. Years 1990/2010: JD 2447892.5/2455197.5; 1995/1997: 2449718.5/
// 2450449.5; probe 2018 January 10.0/30.0: 2458128.5/2458148.5. The orbit window's
// 99-character line is not used, but converts (i from columns 66-73).
TEST(ElementLineUsed, StartStopFlagAndTheOrbitWindowLine) {
  const std::string years = Put(Put(kCeres, 111, "1990"), 116, "2010");
  const std::string noFlag = Put(years, 132, " "), blankFirst = Put(noFlag, 111, "    ");
  const std::string cometNoFlag = Put(kHyakutake, 123, " ");
  const double justAfter = 2447892.5 + 1e-6, justBefore = 2455197.5 - 1e-6;
  const std::tuple<std::string, TElementFileKind, double, bool> cases[] = {
      {years, kAsteroid, 2447892.5, false},  {years, kAsteroid, justAfter, true},
      {years, kAsteroid, justBefore, true},  {years, kAsteroid, 2455197.5, false},
      {noFlag, kAsteroid, 2451545.0, false}, {blankFirst, kAsteroid, 0.0, true},
      {kHyakutake, kComet, 2450204.5, true}, {cometNoFlag, kComet, 2450204.5, false},
      {kGeo, kProbe, 2458128.5, false},      {kGeo, kProbe, 2458138.5, true},
      {kGeo, kProbe, 2458148.5, false}};
  for (const auto& [line, kind, jd, used] : cases)
    EXPECT_EQ(ElementLineUsed(line, kind, jd), used) << line << " at " << jd;
  for (double jd : {0.0, 2450204.5, 5.0e6})
    EXPECT_FALSE(ElementLineUsed(kOrbitWindowLine, kComet, jd));
  const TMinorBody b = ElementLineToBody(kOrbitWindowLine, kComet).value();
  EXPECT_NEAR(b.Elements.Incl, 124.9220 * kDegToRad, 1e-15);
  EXPECT_TRUE(ElementLineUsed(kOrbitWindowLine + " 1995 1997  7.4 10.0   j", kComet, 2450204.5));
}
// Geostationary: a = 42164.17 km around "Jor" goes round once per sidereal day, 0.99726957 d
// (3e-5 of N for the rounding). Open orbit: q = (1 - e) a; a = -4, e = 1.5, M0 = 9.8563 move
// the epoch 2000 January 1.5 back 80 days, to JD 2451465.0.
TEST(ElementLineToBody, Probes) {
  const TMinorBody b = ElementLineToBody(kGeo + "s", kProbe).value();
  EXPECT_EQ(std::tuple(b.Name, b.Centre, b.Ring), std::tuple("GEO test", "Jor", true));
  EXPECT_NEAR(b.Elements.DailyMotion / (2.0 * 3.141592653589793 / 0.99726957), 1.0, 1e-4);
  EXPECT_NEAR(b.Elements.Epoch, Centuries(2458139.0), 1e-15);
  const std::string open = Put(
      Put(Put(Put(Put(kGeo, 35, "-4.0000000"), 46, "1.5000000"), 21, "20000101.50000"), 127, "Sol"),
      90, "   9.85630");
  const TMinorBody o = ElementLineToBody(open, kProbe).value();
  EXPECT_NEAR(o.Elements.PeriDist, 2.0, 1e-15);
  EXPECT_NEAR(o.Elements.Epoch, Centuries(2451465.0), 1e-13);
  EXPECT_EQ(o.Elements.M0, 0.0);
  // e >= 1 with a positive a has q <= 0: no orbit.
  EXPECT_FALSE(ElementLineToBody(Put(open, 35, " 4.0000000"), kProbe));
}
// No body: too short, not numbers, dates outside the calendar, no orbit, unknown central body.
TEST(ElementLineToBody, BadLinesGiveNoBody) {
  // Too short: the asteroid needs column 109 (M0), the comet 99 (equinox), the probe 129.
  for (const auto& [line, kind, need] :
       {std::tuple{kCeres, kAsteroid, 109u}, {kHyakutake, kComet, 99u}, {kGeo, kProbe, 129u}}) {
    EXPECT_FALSE(ElementLineToBody(line.substr(0, need - 1), kind)) << need;
    EXPECT_TRUE(ElementLineToBody(line.substr(0, need), kind)) << need;
  }
  const std::tuple<std::string, TElementFileKind, std::size_t, std::string_view> cases[] = {
      {kCeres, kAsteroid, 35, "13"},         {kCeres, kAsteroid, 37, "33.00000"},
      {kCeres, kAsteroid, 45, "       nan"}, {kCeres, kAsteroid, 45, "    0.0000"},
      {kCeres, kAsteroid, 46, "5E+000288"},  {kCeres, kAsteroid, 66, "10.58 80"},
      {kCeres, kAsteroid, 56, "1.0000000"},  {kHyakutake, kComet, 56, "-0.999891"},
      {kGeo, kProbe, 35, "-0.0002818"},      {kGeo, kProbe, 127, "jor"}};
  for (const auto& [line, kind, column, text] : cases)
    EXPECT_FALSE(ElementLineToBody(Put(line, column, text), kind)) << column << text;
}
// Reading a file: used lines in order, CRLF or LF, cut at 136 characters; missing file: nothing.
TEST(ReadUsedElementLines, ReadsTheUsedLinesOfAFileAndTheShippedFiles) {
  ScratchDir dir;
  const std::string years = Put(Put(kCeres, 111, "1990"), 116, "2010");
  const std::string text =
      "; asteroids\r\n" + years + "\r\n" + Put(Put(years, 1, "2 Later  "), 111, "2005") + "\r\n" +
      Put(Put(years, 1, "3 Broken "), 45, "  garbage ") + "\n\r\n" + Put(years, 1, "4 Huge   ") +
      std::string(10 * 1024 * 1024, '9') + "\r\n" + Put(years, 1, "5 Last   ");
  const auto bodies =
      ReadUsedElementLines(dir.Write("asteroid.dta", text), kAsteroid, 2451545.0).value();
  std::vector<std::string> names;
  for (const TMinorBody& b : bodies) names.push_back(b.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"1 Ceres", "4 Huge", "5 Last"}));
  EXPECT_FALSE(ReadUsedElementLines(dir / "missing.dta", kAsteroid, 2451545.0));
  // The shipped files: every line a body, each within the window's 480 lines, Ceres as published.
  for (const auto& [name, kind] : {std::pair{kAsteroidFile1, kAsteroid},
                                   {kAsteroidFile2, kAsteroid},
                                   {kAsteroidFile3, kAsteroid},
                                   {kCometFile, kComet},
                                   {kProbeFile, kProbe}}) {
    const auto lines = ReadRawLines(ResolveDataPath(DataFolder(), name), kElementLineChars);
    ASSERT_TRUE(lines) << name;
    EXPECT_LE(lines->size(), 480u) << name;
    for (const std::string& line : *lines)
      EXPECT_TRUE(line.starts_with(';') || ElementLineToBody(line, kind)) << line;
  }
  const auto used =
      ReadUsedElementLines(ResolveDataPath(DataFolder(), kAsteroidFile1), kAsteroid, 2459800.5)
          .value();
  const auto ceres = std::ranges::find(used, "1 Ceres", &TMinorBody::Name);
  ASSERT_NE(ceres, used.end());
  EXPECT_NEAR(ceres->Elements.SemiMajor, 2.766619045, 1e-6);
}
}  // namespace
}  // namespace himlavy
