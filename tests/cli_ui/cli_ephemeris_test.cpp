// himlavy-cli ephemeris and jupiter-moons against Meeus's worked examples.
#include <gtest/gtest.h>

#include <string>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::JsonNumber;
using testing::Output;
using testing::RunCli;

std::string AtJde(double jde) {
  // Scale TDT and zone 0: the clock reading is the Julian Ephemeris Day itself.
  return testing::DataOption() + "--jd " + std::to_string(jde) + " --scale tdt --zone 0 ";
}

TEST(CliEphemeris, VenusApparentPlace) {
  // Meeus 1st ed. ex. 31.a, 1992 December 20, 0h TD: 21h04m41.454s, -18 53'16.84".
  const Output out = RunCli(AtJde(2448976.5) + "ephemeris --bodies venus --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_NE(out.Text.find("\"body\":\"venus\""), std::string::npos);
  EXPECT_NEAR(JsonNumber(out.Text, "ra_deg"), (21 + 4 / 60.0 + 41.454 / 3600.0) * 15.0, 5e-4);
  EXPECT_NEAR(JsonNumber(out.Text, "dec_deg"), -(18 + 53 / 60.0 + 16.84 / 3600.0), 5e-4);
  EXPECT_NEAR(JsonNumber(out.Text, "distance_au"), 0.910947, 2e-6);
  EXPECT_NEAR(JsonNumber(out.Text, "jd_tt"), 2448976.5, 1e-9);
  // Meeus ex. 40.a: Venus's magnitude that day, -4.2.
  EXPECT_NEAR(JsonNumber(out.Text, "magnitude"), -4.2, 0.05);
}

TEST(CliEphemeris, EveryBodyByDefaultAndTheMoonInKilometres) {
  const Output out = RunCli(AtJde(2448724.5) + "ephemeris --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  for (const char* body : {"sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus",
                           "neptune", "pluto"}) {
    EXPECT_NE(out.Text.find(std::string("\"body\":\"") + body + "\""), std::string::npos) << body;
  }
  // Meeus 1st ed. ex. 45.a: the Moon at 368409.7 km, alpha 134.688470, delta 13.768368.
  const Output moon = RunCli(AtJde(2448724.5) + "ephemeris --bodies moon --json");
  EXPECT_NEAR(JsonNumber(moon.Text, "distance_km"), 368409.7, 0.1);
  EXPECT_NEAR(JsonNumber(moon.Text, "ra_deg"), 134.688470, 3e-5);
  EXPECT_NEAR(JsonNumber(moon.Text, "dec_deg"), 13.768368, 3e-5);
  EXPECT_NE(moon.Text.find("\"magnitude\":null"), std::string::npos);
}

TEST(CliEphemeris, JupiterMoonsOfMeeusExample) {
  // Meeus 1st ed., Galilean satellites with the complete theory, 1992 December 16, 0h UT
  // (JDE 2448972.50068), light time included; X and Y in Jupiter equatorial radii.
  const Output out = RunCli(AtJde(2448972.50068) + "--set CorrLightTime=1 jupiter-moons --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const struct {
    const char* moon;
    double x, y;
  } expected[] = {{"io", -3.4515, 0.2138},
                  {"europa", 7.4435, 0.2756},
                  {"ganymede", 1.1996, 0.5902},
                  {"callisto", 7.0754, 1.0293}};
  for (const auto& e : expected) {
    const auto at = out.Text.find(std::string("\"moon\":\"") + e.moon + "\"");
    ASSERT_NE(at, std::string::npos) << e.moon;
    const std::string object = out.Text.substr(at, out.Text.find('}', at) - at);
    EXPECT_NEAR(JsonNumber(object, "x"), e.x, 1.5e-4) << e.moon;
    EXPECT_NEAR(JsonNumber(object, "y"), e.y, 1.5e-4) << e.moon;
  }
}

TEST(CliEphemeris, BadBodiesAndMissingSeries) {
  EXPECT_EQ(RunCli(AtJde(2451545.0) + "ephemeris --bodies earth").Status, 2);
  EXPECT_EQ(RunCli(AtJde(2451545.0) + "ephemeris --bodies venus,").Status, 0);
  EXPECT_EQ(RunCli(AtJde(2451545.0) + "ephemeris --bodies").Status, 2);
  EXPECT_EQ(RunCli(AtJde(2451545.0) + "jupiter-moons extra").Status, 2);
  testing::ScratchDir empty;
  const std::string noData = "--data " + empty.Path().string() + " --jd 2451545 ";
  const Output planets = RunCli(noData + "ephemeris --bodies venus");
  EXPECT_EQ(planets.Status, 1) << planets.Text;
  EXPECT_NE(planets.Text.find("PLANETS2.NDX"), std::string::npos);
  EXPECT_EQ(RunCli(noData + "jupiter-moons").Status, 1);
  EXPECT_EQ(RunCli(noData + "ephemeris --bodies moon").Status, 0);  // the Moon needs no file
}

}  // namespace
}  // namespace himlavy
