// himlavy-cli calendar, holidays and almanac: the window's lines as text and as JSON.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataOption;
using testing::ExpectErrorLine;
using testing::JsonNumber;
using testing::JsonObjectWith;
using testing::Lines;
using testing::Output;
using testing::RunCli;

TEST(CliCalendar, TextJsonAndFailures) {
  // Sundsvall, 2001 January 1, UTC+1: Schlyter's table gives sunrise 9:18.
  Output out = RunCli(DataOption() +
                      "--date 2001-01-01T12:00 --zone 1 --lat 62.392 --lon 17.290 "
                      "--set PlaceName=Sundsvall calendar");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_EQ(lines.size(), 18u) << out.Text;
  EXPECT_EQ(lines[0], "Kalender för 2001-1-1 Måndag (UTC 1,00)");
  EXPECT_EQ(lines[1], "Sundsvall");
  EXPECT_EQ(lines[2], "Julianskt dagtal vid 0 h=2451910,5");
  EXPECT_NE(lines[5].find(" 9h18m "), std::string::npos) << lines[5];

  // Meeus ex. 11.a: 1987 April 10, 0h UT, mean sidereal time 13h10m46.3668s.
  out = RunCli(DataOption() + "--date 1987-04-10T06:00 --zone 0 calendar --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  ASSERT_TRUE(out.Text.starts_with("[{\"area\":\"title\",\"kind\":\"title\"")) << out.Text;
  const std::string sidereal = JsonObjectWith(out.Text, "\"kind\":\"sidereal_time\"");
  EXPECT_NEAR(JsonNumber(sidereal, "hours"), 13.0 + 10.0 / 60.0 + 46.3668 / 3600.0, 1e-7);
  EXPECT_NE(sidereal.find("\"text\":\"" + std::string(38, ' ') + "13h10m46.3668s\""),
            std::string::npos)
      << sidereal;
  const std::string jd = JsonObjectWith(out.Text, "\"kind\":\"julian_day\"");
  EXPECT_NE(jd.find("\"line\":5,\"y\":70"), std::string::npos) << jd;
  EXPECT_NE(
      jd.find("\"items\":[{\"x\":10,\"y\":70,\"text\":\"Julianskt dagtal vid 0 h=2446895,5\"}]"),
      std::string::npos)
      << jd;

  const testing::ScratchDir empty;
  ExpectErrorLine(RunCli(DataOption(empty.Path()) + "calendar"), 1, "PLANETS2.NDX");
  ExpectErrorLine(RunCli(DataOption() + "calendar extra"), 2);
}

TEST(CliHolidays, TextAndJsonOfAYear) {
  const Output out = RunCli(DataOption() + "--date 2024-06-01 holidays");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_EQ(lines.size(), 17u) << out.Text;  // the title and 16 holidays (2005 on)
  EXPECT_EQ(lines[0], "Helgdagar i Sverige 2024");
  EXPECT_TRUE(lines[5].starts_with("2024-Mars-31  Söndag  ")) << lines[5];
  EXPECT_TRUE(lines[5].ends_with("  Påskdagen")) << lines[5];

  // 2008: Ascension Day on 1 May.
  const Output json = RunCli(DataOption() + "--date 2024-06-01 holidays --year 2008 --json");
  ASSERT_EQ(json.Status, 0) << json.Text;
  EXPECT_TRUE(json.Text.starts_with(
      "[{\"kind\":\"title\",\"line\":1,\"text\":\"Helgdagar i Sverige 2008\",\"year\":2008}"))
      << json.Text;
  EXPECT_NE(json.Text.find("\"date_text\":\"2008-Maj-1  Torsdag\",\"name\":\"Kristi "
                           "Himmelfärdsdag\",\"group\":\"easter\",\"date\":\"2008-05-01\""),
            std::string::npos)
      << json.Text;
  for (const char* bad : {"holidays --year abc", "holidays --year", "holidays --month 3"}) {
    ExpectErrorLine(RunCli(DataOption() + bad), 2);
  }
}

TEST(CliAlmanac, TextAndJsonOfAYear) {
  // The first quarter of 2001 January 2, 22:31 UT (US Naval Observatory).
  const Output out = RunCli(DataOption() + "--date 2001-05-27T12:00 --zone 1 almanac");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_LE(lines.size(), 87u);
  EXPECT_EQ(lines[0], "Almanacka för år 2001 (UTC 1,00)");
  // Date and weekday, the time from column 22, the text from column 33.
  EXPECT_TRUE(lines[1].starts_with("2001- 1- 2  Tisdag    23h3")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with("m     Månen i första kvarteret")) << lines[1];
  const Output tdt =
      RunCli(DataOption() + "--date 2001-05-27 --zone -5 --scale tdt almanac --year 1999");
  EXPECT_TRUE(tdt.Text.starts_with("Almanacka för år 1999 (TDT -5,00)\n1999-")) << tdt.Text;

  const Output json = RunCli(DataOption() + "--date 2001-05-27T12:00 --zone 1 almanac --json");
  ASSERT_EQ(json.Status, 0) << json.Text;
  EXPECT_TRUE(
      json.Text.starts_with("[{\"kind\":\"title\",\"line\":1,\"text\":\"Almanacka för "
                            "år 2001 (UTC 1,00)\",\"year\":2001,\"scale\":\"UTC\","
                            "\"time_zone\":1,\"events\":"))
      << json.Text.substr(0, 300);
  const std::string first = JsonObjectWith(json.Text, "\"kind\":\"event\"");
  EXPECT_NE(first.find("\"slot\":1,\"column\":1,\"line\":3,\"x\":10,\"y\":39,"), std::string::npos)
      << first;
  EXPECT_NE(first.find("\"event\":\"first_quarter\",\"body\":\"\""), std::string::npos) << first;
  for (const char* bad : {"almanac --year abc", "almanac --year", "almanac extra"}) {
    ExpectErrorLine(RunCli(DataOption() + bad), 2);
  }
}

}  // namespace
}  // namespace himlavy
