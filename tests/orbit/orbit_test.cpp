// Orbit determination: recovery of known orbits from observations computed independently
// (tools/accuracy/make_orbit_fixture.py), the observation file's reading, the result line,
// the warnings and the comet file.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <tuple>

#include "common/data_folder.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"
#include "orbit/orbit_determination.h"

namespace himlavy {
namespace {

// Every case of the fixture: real minor planets (osculating elements at the middle time, so
// perturbations are allowed for) and exact two-body orbits.
TEST(OrbitDetermination, RecoversKnownOrbits) {
  const auto rows = testing::FixtureRows("orbit/orbit_reference.txt");
  ASSERT_EQ(rows.size(), 7u * 6u);
  for (std::size_t i = 0; i < rows.size(); i += 6) {
    const std::string& line = rows[i][0];
    ASSERT_TRUE(line.starts_with("case ")) << line;
    const bool exact = line.ends_with(" exact");
    const std::vector<std::string> lines = {rows[i + 1][0], rows[i + 2][0], rows[i + 3][0],
                                            rows[i + 4][0]};
    std::istringstream values(rows[i + 5][0].substr(7));
    double tp, q, e, incl, node, peri;
    values >> tp >> q >> e >> incl >> node >> peri;
    SCOPED_TRACE(line);
    const TObservationRead read = ParseObservations(lines);
    ASSERT_TRUE(read.Set) << read.Error;
    const TOrbitReport report = DetermineOrbit(*read.Set);
    ASSERT_TRUE(report.Ok) << report.Error;
    const TOrbitElements& got = report.Elements;
    EXPECT_EQ(std::tuple(report.Solution.Converged, report.Warning), std::tuple(true, ""));
    EXPECT_NEAR(got.Q / q - 1.0, 0.0, exact ? 2e-4 : 3e-3);
    EXPECT_NEAR(got.E, e, exact ? 2e-4 : 3e-3);
    EXPECT_NEAR(got.Incl, incl, 0.05);
    EXPECT_NEAR(std::remainder(got.Node - node, 360.0), 0.0, exact ? 0.05 : 0.1);
    // The argument of perihelion only for the exact orbits.
    EXPECT_NEAR(exact ? std::remainder(got.Peri - peri, 360.0) : 0.0, 0.0, 0.05);
    double dt = got.PerihelionJD - tp;
    if (e < 1.0) dt = std::remainder(dt, 365.25 * std::pow(q / (1.0 - e), 1.5));
    EXPECT_NEAR(dt, 0.0, exact ? 0.05 : 3.0);
  }
}

// On a circle the sector-to-triangle ratio is dnu / sin(dnu), with dnu = k dt / r^1.5.
TEST(OrbitDetermination, SectorToTriangleRatioOnACircle) {
  for (const double r : {0.7, 1.5, 5.2}) {
    for (const double deg : {5.0, 40.0, 120.0}) {
      const double dnu = deg * std::numbers::pi / 180.0;
      const TVector3 b{r * std::cos(dnu), r * std::sin(dnu), 0.0};
      EXPECT_NEAR(FindEta({r, 0.0, 0.0}, b, dnu * std::pow(r, 1.5)), dnu / std::sin(dnu), 1e-9)
          << r << " AU, " << deg << " deg";
    }
  }
}

TEST(OrbitDetermination, ReadsObservations) {
  const std::string name = "C/1996 B2 (Hyakutake)";
  const auto read = [&](std::string dec) {
    return ParseObservations({name, "1996 02 20 00.000  14 46 02.97 " + dec + "  2000.0",
                              "1996 03 01 06.000  14 51 36.84 -22 43 27.0  2000.0",
                              "1996 03 11 00.000  14 55 05.37 -18 10 53.4  1950.0"});
  };
  // The sign may stand on any field of the declination, also on zero degrees.
  const std::vector<std::pair<std::string, double>> decs = {
      {"-00 30 00", -0.5}, {"00 -30 00", -0.5}, {"00 00 -36", -0.01},
      {"+00 30 00", 0.5},  {"00 30 00", 0.5},   {"-24 18 07.5", -24.3020833333},
      {"-0 0 0", 0.0},     {"90 00 00", 90.0}};
  for (const auto& [text, deg] : decs) {
    const TObservationRead r = read(text);
    ASSERT_TRUE(r.Set) << text << ": " << r.Error;
    EXPECT_NEAR(r.Set->Obs[0].DecDeg, deg, 1e-9) << text;
  }
  const TObservationRead good = read("-24 18 07.5");
  ASSERT_TRUE(good.Set);
  EXPECT_EQ(good.Set->Name, name + std::string(29 - name.size(), ' '));
  EXPECT_NEAR(good.Set->Obs[0].RaDeg, (14 + 46 / 60.0 + 2.97 / 3600.0) * 15.0, 1e-9);
  EXPECT_DOUBLE_EQ(good.Set->JD[0], 2450133.5);  // 1996 February 20, 0h
  EXPECT_DOUBLE_EQ(good.Set->JD[1], 2450143.75);
  EXPECT_DOUBLE_EQ(good.Set->Obs[2].EquinoxYear, 1950.0);
  EXPECT_TRUE(ReadObservationFile(testing::DataFolder() / "observ.dta").Set);

  // Bad files: a Swedish message naming the line, never an exception.
  for (const auto& f : testing::FixtureRows("orbit/bad_observations.tsv")) {
    std::vector<std::string> lines = {name};
    lines.insert(lines.end(), f.begin() + 1, f.end());
    const TObservationRead r = ParseObservations(lines);
    EXPECT_TRUE(!r.Set && r.Error.starts_with(f[0])) << r.Error;
  }
  EXPECT_TRUE(ReadObservationFile(testing::ScratchDir() / "observ.dta")
                  .Error.starts_with("Filen observ.dta kan inte läsas"));
}

// Observations that give no orbit say so instead of showing numbers; a set on which the
// iteration does not settle stops after the cap of rounds and is flagged.
TEST(OrbitDetermination, DegenerateObservationsGiveAMessage) {
  const std::string same = "2000 01 01 00.000  01 00 00.00 +10 00 00.0  2000.0";
  for (const auto& lines : std::vector<std::vector<std::string>>{
           {"x", same, same, same},
           {"x", same, "2000 01 11 00.000  01 00 00.00 +10 00 00.0  2000.0",
            "2000 01 21 00.000  01 00 00.00 +10 00 00.0  2000.0"}}) {
    const TOrbitReport report = DetermineOrbit(*ParseObservations(lines).Set);
    EXPECT_TRUE(!report.Ok && report.Error.starts_with("Ingen bana kunde beräknas"))
        << report.Error;
  }
  const TOrbitReport stuck =
      DetermineOrbit(*ParseObservations({"x", "2001 03 10 09.728  17 47 45.07 -06 30 21.8  2000.0",
                                         "2001 03 12 05.746  22 12 33.19 -11 45 06.5  2000.0",
                                         "2001 03 14 07.353  23 31 10.18 -10 29 11.6  2000.0"})
                          .Set);
  EXPECT_EQ(std::tuple(stuck.Solution.Rounds, stuck.Warning),
            std::tuple(kMaxGaussRounds, kWarningNotConverged));
}

TEST(OrbitDetermination, Warnings) {
  const std::string none;
  const std::string conj(kWarningConjunction), wild(kWarningUnrealistic), earth(kWarningEarthOrbit),
      stuck(kWarningNotConverged);
  // Sun . direction, q, e, converged, the warning shown.
  const std::tuple<double, double, double, bool, std::string> cases[] = {
      {-0.5, 2.0, 0.1, true, none},    {0.01, 2.0, 0.1, true, conj},
      {-0.5, 2.0, 1.2, true, wild},    {0.5, 2.0, 1.2, true, wild},
      {-0.5, 2.0, 1.1, true, none},    {-0.5, 0.99, 0.02, true, earth},
      {0.5, 0.99, 0.02, true, earth},  {-0.5, 0.886, 0.02, true, earth},
      {-0.5, 1.09, 0.015, true, none}, {-0.5, 0.985, 0.065, true, none},
      {0.5, 0.99, 0.02, false, stuck}};
  for (const auto& [sunDot, q, e, converged, expected] : cases)
    EXPECT_EQ(PlausibilityWarning(sunDot, q, e, converged), expected)
        << sunDot << " " << q << " " << e;
}

TEST(OrbitDetermination, ResultLine) {
  // 2000 January 5.5 = JD 2451549.0; 2024 March 31.25 = JD 2460400.75.
  const TOrbitElements a{
      .PerihelionJD = 2451549.0, .Q = 0.43, .E = 1.0, .Incl = 71.0, .Node = 330.0, .Peri = 261.0};
  const TOrbitElements b{2460400.75,    0.0, 12.3456789012, 0.0012345678, 5.00000004,
                         359.999999996, 0.0};
  const std::vector<std::pair<std::string, std::string>> lines = {
      {FormatElementsLine("C/1999 Test", a),
       "C/1999 Test                   20000105.50000 0.4300000 1.0000000 71.000000 "
       "330.00000 261.00000 2000"},
      {FormatElementsLine("Ett mycket langt namn som inte ryms", b),
       "Ett mycket langt namn som int 20240331.25000 12.345678 0.0012346 5.0000000 "
       "360.00000 0.0000000 2000"},
  };
  for (const auto& [got, expected] : lines) EXPECT_EQ(got, expected);
  EXPECT_EQ(FormatElementsLine("a", a).size(), kElementsLineWidth);
}

TEST(OrbitDetermination, AppendsToTheCometFile) {
  const testing::ScratchDir dir;
  const std::string line(kElementsLineWidth, 'k');
  // Appended with the file's own line ends; the old bytes stay as they were.
  const std::string crlf = "C/1 a\r\nC/2 b\r\n";
  EXPECT_EQ(AppendToCometFile(dir.Write("komet.dta", crlf), line), "");
  EXPECT_EQ(dir.Read("komet.dta"), crlf + line + "\r\n");
  EXPECT_EQ(AppendToCometFile(dir.Write("komet.dta", "C/1 a\nC/2 b"), line), "");
  EXPECT_EQ(dir.Read("komet.dta"), "C/1 a\nC/2 b\n" + line + "\n");
  // 479 lines take one more; 480 take none.
  std::string full;
  for (int i = 0; i < 479; ++i) full += "C/x\r\n";
  EXPECT_EQ(AppendToCometFile(dir.Write("komet.dta", full), line), "");
  EXPECT_EQ(AppendToCometFile(dir / "komet.dta", line),
            "komet.dta har redan 480 rader; ta bort någon komet i Datafiler först");
  EXPECT_EQ(dir.Read("komet.dta"), full + line + "\r\n");
  EXPECT_EQ(AppendToCometFile(dir / "komet.dta", "   "),
            "Det finns inga banelement att kopiera; tryck Beräkna först");
  // A write that fails says why.
  EXPECT_TRUE(AppendToCometFile(dir / "no-folder" / "komet.dta", line)
                  .starts_with("komet.dta kunde inte sparas"));
}

}  // namespace
}  // namespace himlavy
