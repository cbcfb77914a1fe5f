// himlavy-cli as scripts use it: options, the state command, exit statuses, offscreen render.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <string>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::JsonNumber;
using testing::Output;
using testing::RunCli;
using testing::ScratchDir;

TEST(CliState, ZoneAndScaleOfTheClockReading) {
  ScratchDir dir;
  const Output out =
      RunCli("--data " + dir.Path().string() + " --jd 2451545.0 --zone 1 --scale tdt state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_NEAR(JsonNumber(out.Text, "ClockJD"), 2451545.0, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "JD_TT"), 2451544.958333333, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "DeltaT_s"), 63.5, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "JD_UT"), 2451544.958333333 - 63.5 / 86400.0, 1e-9);
  EXPECT_NE(out.Text.find("\"TimeScale\":\"TDT\""), std::string::npos);
}

TEST(CliState, SiderealTimeOfMeeusExample) {
  ScratchDir dir;
  // Meeus ex. 11.b: 1987 April 10, 19h21m UT: GMST 8h34m57.0896s; the apparent sidereal
  // time is about 0.23 s less (ex. 11.a: the equation of the equinoxes at 0h TD that day is
  // -0.2317 s; the short-period nutation terms change it by a few ms by 19h). At 15 deg east
  // the local time is one hour later.
  const Output out =
      RunCli("--data " + dir.Path().string() +
             " --date 1987-04-10T19:21:00 --zone 0 --scale utc --lon 15 state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const double gmst = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
  EXPECT_NEAR(JsonNumber(out.Text, "GMST_h"), gmst, 1e-6);
  EXPECT_NEAR(JsonNumber(out.Text, "LAST_h"), gmst - 0.2317 / 3600.0 + 1.0, 0.01 / 3600.0);
}

TEST(CliState, ParameterFileSetAndPlace) {
  ScratchDir dir;
  // Name in columns 1-30, latitude 33-38, longitude 40-46, zone 48-53.
  dir.Write("ortsnamn.dta", "Kiruna" + std::string(24, ' ') + "   67.51   20.13 +1    \r\n");
  const Output out =
      RunCli("--data " + dir.Path().string() +
             " --jd 2451545 --place Kiruna --height 530 --set TimeZone=2 state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_NEAR(JsonNumber(out.Text, "Latitude"), 67.85, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "Longitude"), 20.0 + 13.0 / 60.0, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "Height"), 530.0, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "TimeZone"), 2.0, 1e-12);
  EXPECT_NE(out.Text.find("\"PlaceName\":\"Kiruna "), std::string::npos) << out.Text;

  // Settings come from parametr.dta in the data folder; options override them.
  std::string params;
  for (int line = 1; line <= 58; ++line) {
    params += line == 2 ? " -5.00000000000000E+0000" : line == 9 ? "12.5" : "0";
    params += "\r\n";
  }
  dir.Write("parametr.dta", params);
  const Output loaded = RunCli("--data " + dir.Path().string() + " --jd 2451545 state --json");
  ASSERT_EQ(loaded.Status, 0) << loaded.Text;
  EXPECT_NEAR(JsonNumber(loaded.Text, "TimeZone"), -5.0, 1e-12);
  EXPECT_NEAR(JsonNumber(loaded.Text, "Latitude"), 12.5, 1e-12);
  EXPECT_NEAR(JsonNumber(loaded.Text, "JD_UT"), 2451545.0 + 5.0 / 24.0, 1e-9);
}

TEST(CliState, BadOptionsGiveOneLineAndStatusTwo) {
  ScratchDir dir;
  const std::string data = "--data " + dir.Path().string() + " ";
  const char* bad[] = {
      "--zone abc state",
      "--scale utc2 state",
      "--frobnicate state",
      "",
      "--jd",
      "--date 2000-13-01 state",
      "--date 2000-01-01T25:00 state",
      "--date igår state",
      "--set Foo=1 state",
      "--set CoordSystem=9 state",
      "--jd -5 state",
      "--jd 1e300 state",
      "--place Ingenstans state",
      "state extra",
      "nosuchcommand",
      "render nosuchwindow --out x.png",
  };
  for (const char* args : bad) {
    const Output out = RunCli(data + args);
    EXPECT_EQ(out.Status, 2) << args << ": " << out.Text;
    EXPECT_EQ(std::count(out.Text.begin(), out.Text.end(), '\n'), 1) << args << ": " << out.Text;
    EXPECT_EQ(out.Text.rfind("himlavy-cli: ", 0), 0u) << args << ": " << out.Text;
  }
}

TEST(CliRender, MainFrameToPng) {
  ScratchDir dir;
  const std::string png = (dir / "main.png").string();
  const Output out =
      RunCli("--data " + dir.Path().string() + " --jd 2451545 render main --out " + png);
  ASSERT_EQ(out.Status, 0) << out.Text;
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.width(), 1024);
  EXPECT_EQ(image.height(), 768);

  const Output later = RunCli("--data " + dir.Path().string() + " render mercury --out " + png);
  EXPECT_EQ(later.Status, 3) << later.Text;
}

}  // namespace
}  // namespace himlavy
