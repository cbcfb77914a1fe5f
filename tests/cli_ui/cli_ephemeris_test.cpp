// himlavy-cli ephemeris and jupiter-moons: their JSON, against Meeus's worked examples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "common/cli_runner.h"
#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::ExpectErrorLine;
using testing::JsonNumber;
using testing::JsonObjectWith;
using testing::Output;
using testing::RunCli;

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Scale TDT and zone 0: the clock reading is the Julian Ephemeris Day itself.
std::string AtJde(const char* jde) {
  return testing::DataOption() + "--jd " + jde + " --scale tdt --zone 0 ";
}

TEST(CliEphemeris, EveryBodyInDegreesOfDate) {
  const Output out = RunCli(AtJde("2448976.5") + "ephemeris --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  testing::ExpectMembers(out.Text, {"body", "jd_tt", "ra_deg", "dec_deg", "distance_au",
                                    "distance_km", "alt_deg", "az_deg", "magnitude"});
  std::size_t at = 0;
  for (const char* body : {"sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus",
                           "neptune", "pluto"}) {
    at = out.Text.find("{\"body\":\"" + std::string(body) + "\"", at);
    EXPECT_NE(at, std::string::npos) << body;
  }
  // Meeus 1st ed. ex. 31.a, 1992 December 20, 0h TD: Venus at 21h04m41.454s, -18 53'16.84".
  const std::string venus = JsonObjectWith(out.Text, "\"body\":\"venus\"");
  EXPECT_NEAR(JsonNumber(venus, "ra_deg"), (21 + 4 / 60.0 + 41.454 / 3600.0) * 15.0, 5e-4);
  EXPECT_NEAR(JsonNumber(venus, "dec_deg"), -(18 + 53 / 60.0 + 16.84 / 3600.0), 5e-4);
  // Meeus 1st ed. ex. 45.a: the Moon at 368409.7 km; it has no magnitude.
  const Output moon = RunCli(AtJde("2448724.5") + "ephemeris --bodies moon --json");
  EXPECT_NEAR(JsonNumber(moon.Text, "distance_km"), 368409.7, 0.1);
  EXPECT_NE(moon.Text.find("\"magnitude\":null"), std::string::npos) << moon.Text;
}

TEST(CliEphemeris, JupiterMoonsOfMeeusExample) {
  // Meeus 1st ed., Galilean satellites with the complete theory, 1992 December 16, 0h UT
  // (JDE 2448972.50068), light time included: Io at X -3.4515, Y +0.2138 equatorial radii.
  const Output out = RunCli(AtJde("2448972.50068") + "--set CorrLightTime=1 jupiter-moons --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  testing::ExpectMembers(out.Text, {"moon", "x", "y", "z", "moon", "moon", "moon"});
  const std::string io = JsonObjectWith(out.Text, "\"moon\":\"io\"");
  EXPECT_NEAR(JsonNumber(io, "x"), -3.4515, 1.5e-4);
  EXPECT_NEAR(JsonNumber(io, "y"), 0.2138, 1.5e-4);
  EXPECT_NE(out.Text.find("\"moon\":\"callisto\""), std::string::npos);
}

TEST(CliEphemeris, BadBodiesAndMissingSeries) {
  ExpectErrorLine(RunCli(AtJde("2451545") + "ephemeris --bodies earth"), 2);
  ExpectErrorLine(RunCli(AtJde("2451545") + "ephemeris --bodies"), 2);
  ExpectErrorLine(RunCli(AtJde("2451545") + "jupiter-moons extra"), 2);
  EXPECT_EQ(RunCli(AtJde("2451545") + "ephemeris --bodies venus,").Status, 0);
  testing::ScratchDir empty;
  const std::string noData = testing::DataOption(empty.Path()) + "--jd 2451545 ";
  ExpectErrorLine(RunCli(noData + "ephemeris --bodies venus"), 1, "PLANETS2.NDX");
  ExpectErrorLine(RunCli(noData + "jupiter-moons"), 1, "PLANETS2.NDX");
  EXPECT_EQ(RunCli(noData + "ephemeris --bodies moon").Status, 0);  // the Moon needs no file

  // Either file replaced by random bytes of its own size is refused like a missing one, by
  // every command that needs the series.
  for (const char* damaged : {"PLANETS.DAT", "PLANETS2.NDX"}) {
    SCOPED_TRACE(damaged);
    testing::ScratchDir dir;
    std::mt19937 random(19);
    for (const char* name : {"PLANETS.DAT", "PLANETS2.NDX"}) {
      std::string bytes = FileBytes(testing::DataFolder() / name);
      if (std::string_view(name) == damaged) {
        for (char& b : bytes) b = static_cast<char>(random());
      }
      dir.Write(name, bytes);
    }
    const std::string badData = testing::DataOption(dir.Path()) + "--jd 2451545 ";
    ExpectErrorLine(RunCli(badData + "ephemeris"), 1, "saknas eller är skadade");
    ExpectErrorLine(RunCli(badData + "jupiter-moons"), 1, "saknas eller är skadade");
    ExpectErrorLine(RunCli(badData + "calendar"), 1, "saknas eller är skadade");
  }
}

}  // namespace
}  // namespace himlavy
