// himlavy-cli as scripts use it: options, the state command, exit statuses, offscreen render.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonParseError>
#include <set>
#include <string>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataOption;
using testing::JsonNumber;
using testing::Output;
using testing::RunCli;
using testing::ScratchDir;

TEST(CliState, JsonZoneScaleAndSiderealTime) {
  ScratchDir dir;
  Output out = RunCli(DataOption(dir.Path()) + "--jd 2451545.0 --zone 1 --scale tdt state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  testing::ExpectMembers(out.Text,
                         {"ClockJD", "JD_UT", "JD_TT", "DeltaT_s", "GMST_h", "LAST_h", "Latitude",
                          "Longitude", "Height", "PlaceName", "TimeZone", "TimeScale"});
  EXPECT_NEAR(JsonNumber(out.Text, "JD_TT"), 2451544.958333333, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "JD_UT"), 2451544.958333333 - 63.5 / 86400.0, 1e-9);
  EXPECT_NE(out.Text.find("\"TimeScale\":\"TDT\""), std::string::npos);

  // Meeus ex. 11.b: 1987 April 10, 19h21m UT: GMST 8h34m57.0896s; the apparent sidereal time
  // is about 0.23 s less (ex. 11.a: the equation of the equinoxes that day is -0.2317 s). At
  // 15 deg east the local time is one hour later.
  out = RunCli(DataOption(dir.Path()) + "--date 1987-04-10T19:21:00 --lon 15 state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const double gmst = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
  EXPECT_NEAR(JsonNumber(out.Text, "GMST_h"), gmst, 1e-6);
  EXPECT_NEAR(JsonNumber(out.Text, "LAST_h"), gmst - 0.2317 / 3600.0 + 1.0, 0.01 / 3600.0);
}

TEST(CliState, ParameterFileThenOptionsSetAndPlace) {
  ScratchDir dir;
  // Name in columns 1-30, latitude 33-38, longitude 40-46, zone 48-53.
  dir.Write("ortsnamn.dta", "Kiruna" + std::string(24, ' ') + "   67.51   20.13 +1    \r\n");
  std::string params;  // zone -5 and latitude 12.5
  for (int line = 1; line <= 58; ++line) {
    params += line == 2 ? " -5.00000000000000E+0000\r\n" : line == 9 ? "12.5\r\n" : "0\r\n";
  }
  dir.Write("parametr.dta", params);
  Output out = RunCli(DataOption(dir.Path()) + "--jd 2451545 state --json");
  EXPECT_NEAR(JsonNumber(out.Text, "Latitude"), 12.5, 1e-12);
  EXPECT_NEAR(JsonNumber(out.Text, "JD_UT"), 2451545.0 + 5.0 / 24.0, 1e-9);

  out = RunCli(DataOption(dir.Path()) +
               "--jd 2451545 --place Kiruna --height 530 --set TimeZone=2 state --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_NEAR(JsonNumber(out.Text, "Latitude"), 67.85, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "Height"), 530.0, 1e-9);
  EXPECT_NEAR(JsonNumber(out.Text, "TimeZone"), 2.0, 1e-12);
  EXPECT_NE(out.Text.find("\"PlaceName\":\"Kiruna "), std::string::npos) << out.Text;
}

TEST(CliState, BadOptionsGiveOneLineAndStatusTwo) {
  ScratchDir dir;
  for (const char* args :
       {"--zone abc state", "--scale utc2 state", "--frobnicate state", "", "--jd",
        "--date 2000-13-01 state", "--date 2000-01-01T25:00 state", "--date igår state",
        "--set Foo=1 state", "--set CoordSystem=9 state", "--jd -5 state", "--jd 1e300 state",
        "--place Ingenstans state", "state extra", "nosuchcommand",
        "render nosuchwindow --out x.png",
        // Days the calendar does not have, zones and sites off the Earth.
        "--date 2026-02-30 state", "--date 2025-02-29 state", "--date 1900-02-29 state",
        "--date 1582-10-10 state", "--date 1582-10-05 state", "--lat 91 state", "--lat 180 state",
        "--lon 400 state", "--lon -180.5 state", "--zone 99 state", "--zone -14.5 state",
        "--zone 1e308 state", "--set TimeZone=1e308 state", "--set Latitude=95 state",
        "--set Longitude=181 state"}) {
    SCOPED_TRACE(args);
    testing::ExpectErrorLine(RunCli(DataOption(dir.Path()) + args), 2);
  }
}

TEST(CliState, TheCalendarsEdgesAndTheEarthsRangesAreAccepted) {
  ScratchDir dir;
  // 2024 and 2000 are leap years; 1500 is one in the Julian calendar; 1582-10-04 is followed
  // by 1582-10-15; zones reach from -12 to +14 hours.
  for (const char* args : {"--date 2024-02-29", "--date 2000-02-29", "--date 1500-02-29",
                           "--date 1582-10-04", "--date 1582-10-15", "--lat -90 --lon 180",
                           "--zone 14", "--zone -12", "--set TimeZone=-14"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(RunCli(DataOption(dir.Path()) + args + " state").Status, 0);
  }
}

// Every command's --json output is one valid JSON document, whatever bytes the texts hold: a
// place name with a byte that is not UTF-8 comes out as its Windows-1252 character.
TEST(CliJson, EveryCommandPrintsValidJson) {
  ScratchDir dir;
  const std::string png = (dir / "j.png").string();
  const std::string options =
      DataOption() + "--jd 2451545 --set \"PlaceName=Sto$(printf '\\377')holm\" ";
  for (const char* command :
       {"state", "ephemeris", "jupiter-moons", "events --year 2001", "calendar", "almanac",
        "holidays --year 2001", "render about --out "}) {
    SCOPED_TRACE(command);
    std::string args = options + command;
    if (args.ends_with("--out ")) args += png;
    const Output out = RunCli("--json " + args);
    ASSERT_EQ(out.Status, 0) << out.Text;
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(out.Text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    // Text that is not UTF-8 would not come back unchanged through a UTF-8 decoding.
    EXPECT_EQ(QString::fromUtf8(out.Text).toUtf8().toStdString(), out.Text);
  }
  const Output state = RunCli(options + "state --json");
  EXPECT_NE(state.Text.find("\"PlaceName\":\"Sto\u00ffholm\""), std::string::npos) << state.Text;
}

TEST(CliRender, WindowsAtTheirSizes) {
  ScratchDir dir;
  const std::string png = (dir / "w.png").string();
  const std::tuple<const char*, int, int> cases[] = {
      {"main", 1024, 768},    {"increment", 160, 85}, {"pictures", 509, 556},
      {"splash", 205, 189},   {"exit", 384, 152},     {"about", 290, 182},
      {"calendar", 527, 274}, {"almanac", 820, 634},  {"holidays", 408, 304}};
  for (const auto& [window, width, height] : cases) {
    const Output out = RunCli(DataOption() + "--jd 2451545 render " + window + " --out " + png);
    ASSERT_EQ(out.Status, 0) << window << ": " << out.Text;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(width, height)) << window;
  }
  EXPECT_EQ(RunCli(DataOption() + "render mercury --out " + png).Status, 3);  // not built yet

  // A picture that cannot be opened: the message, the window drawn, status 1.
  std::filesystem::remove(png);
  const Output missing = RunCli(DataOption(dir.Path()) + "render pictures --out " + png);
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Text.find("himlavy-cli: Cannot open file solen.bmp\n"), std::string::npos);
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

// "main" is the first screen: the frame with the sky chart drawn in its client area, not an
// empty frame. The shipped settings draw stars, planets and constellation figures there.
TEST(CliRender, MainShowsTheDrawnSkyChart) {
  ScratchDir dir;
  const std::string png = (dir / "m.png").string();
  const Output out = RunCli(DataOption() + "--jd 2461100.3 render main --out " + png);
  ASSERT_EQ(out.Status, 0) << out.Text;
  const QImage image(QString::fromStdString(png));
  std::set<QRgb> colours;
  for (int y = 200; y < 600; y += 2) {
    for (int x = 200; x < 800; x += 2) colours.insert(image.pixel(x, y));
  }
  EXPECT_GE(colours.size(), 5u) << "the client area is empty";
}

TEST(CliRender, HelpTopics) {
  ScratchDir dir;
  std::filesystem::copy(testing::DataFolder().parent_path() / "help", dir / "help");
  const std::string png = " --out " + (dir / "h.png").string();
  const std::string help = DataOption(dir.Path()) + "render help" + png;
  EXPECT_EQ(RunCli(help + " --topic HVHELP.XAN_275").Status, 0);
  EXPECT_EQ(RunCli(help + " --topic HVHELP.XAN_999").Status, 1);
  EXPECT_EQ(RunCli(DataOption(dir.Path()) + "render about --topic HVHELP.XAN_275" + png).Status, 2);
}

}  // namespace
}  // namespace himlavy
