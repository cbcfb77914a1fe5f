// himlavy-cli calendar and holidays: the window's lines as text and JSON.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataOption;
using testing::JsonNumber;
using testing::Lines;
using testing::Output;
using testing::RunCli;

// The JSON object of the output whose "kind" is `kind`: from its opening brace to the
// matching closing one (texts hold no braces).
std::string ObjectOfKind(const std::string& json, const std::string& kind) {
  const std::size_t at = json.find("\"kind\":\"" + kind + "\"");
  if (at == std::string::npos) return {};
  const std::size_t start = json.rfind('{', at);
  int depth = 0;
  for (std::size_t i = start; i < json.size(); ++i) {
    if (json[i] == '{') ++depth;
    if (json[i] == '}' && --depth == 0) return json.substr(start, i - start + 1);
  }
  return {};
}

TEST(CliCalendar, TextLinesOfTheWindow) {
  // Sundsvall, 2001 January 1, UTC+1: Schlyter's table gives sunrise 9:18, sunset 14:31,
  // moonrise 11:47.
  const Output out = RunCli(DataOption() +
                            "--date 2001-01-01T12:00 --zone 1 --lat 62.392 --lon 17.290 "
                            "--set PlaceName=Sundsvall --set CorrNutation=1 calendar");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_GE(lines.size(), 12u) << out.Text;
  EXPECT_EQ(lines[0], "Kalender för 2001-1-1 Måndag (UTC 1,00)");
  EXPECT_EQ(lines[1], "Sundsvall");
  EXPECT_EQ(lines[2], "Julianskt dagtal vid 0 h=2451910,5");
  EXPECT_EQ(lines[3], "Dagtal=1");
  EXPECT_TRUE(lines[4].starts_with("Tidsekvationen vid 0 h=-3m")) << lines[4];
  EXPECT_TRUE(lines[5].starts_with("Soluppgång ")) << lines[5];
  EXPECT_NE(lines[5].find(" 9h18m "), std::string::npos) << lines[5];
  EXPECT_NE(lines[5].find("Solnedgång  14h31m"), std::string::npos) << lines[5];
  EXPECT_TRUE(lines[6].starts_with("Borgerlig skymning ")) << lines[6];
  EXPECT_TRUE(lines[9].starts_with("Månuppgång ")) << lines[9];
  EXPECT_NE(lines[9].find(" 11h47m "), std::string::npos) << lines[9];
  // The eight labels of the current values close the output; the sky chart's nutation is that
  // of the moment (negative in longitude at the start of 2001: one minus sign).
  ASSERT_EQ(lines.size(), 18u) << out.Text;
  EXPECT_EQ(lines[10], "Approximativt delta-T=1m44s");
  EXPECT_EQ(lines[11], "JD  =2451910,958333");
  EXPECT_TRUE(lines[13].starts_with("Nut.lon.=-1")) << lines[13];
  EXPECT_TRUE(lines[15].starts_with("Ekl. obl. + nut.obl.=23°26'")) << lines[15];
  EXPECT_EQ(lines[16], "Siderisk tid för Greenwich vid 0 h=");
  EXPECT_EQ(lines[17].substr(0, 38), std::string(38, ' '));
}

TEST(CliCalendar, JsonLinesWithTheirNumbers) {
  // Meeus ex. 11.a: 1987 April 10, 0h UT, mean sidereal time 13h10m46.3668s = 13.1795463 h.
  const Output out = RunCli(DataOption() +
                            "--date 1987-04-10T06:00 --zone 0 --lat 50 --lon 10 "
                            "calendar --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  ASSERT_TRUE(out.Text.starts_with("[{\"area\":\"title\",\"kind\":\"title\"")) << out.Text;
  const std::string sidereal = ObjectOfKind(out.Text, "sidereal_time");
  EXPECT_NEAR(JsonNumber(sidereal, "hours"), 13.0 + 10.0 / 60.0 + 46.3668 / 3600.0, 1e-7);
  EXPECT_NE(sidereal.find("\"text\":\"                                      13h10m46.3668s\""),
            std::string::npos)
      << sidereal;
  const std::string jd = ObjectOfKind(out.Text, "julian_day");
  EXPECT_NEAR(JsonNumber(jd, "jd"), 2446895.5, 1e-9);
  EXPECT_NE(jd.find("\"line\":5,\"y\":70"), std::string::npos) << jd;
  EXPECT_NE(
      jd.find("\"items\":[{\"x\":10,\"y\":70,\"text\":\"Julianskt dagtal vid 0 h=2446895,5\"}]"),
      std::string::npos)
      << jd;
  const std::string sunrise = ObjectOfKind(out.Text, "sunrise");
  EXPECT_NE(sunrise.find("\"status\":0"), std::string::npos) << sunrise;
  EXPECT_GT(JsonNumber(sunrise, "rise_h"), 4.0);
  EXPECT_LT(JsonNumber(sunrise, "set_h"), 20.0);
  EXPECT_NE(ObjectOfKind(out.Text, "moonrise").find("\"rise_h\""), std::string::npos);
  EXPECT_NE(ObjectOfKind(out.Text, "delta_t").find("\"area\":\"values\""), std::string::npos);
}

TEST(CliCalendar, Failures) {
  const testing::ScratchDir empty;
  const Output missing = RunCli("--data " + empty.Path().string() + " --date 2001-01-01 calendar");
  EXPECT_EQ(missing.Status, 1) << missing.Text;
  EXPECT_NE(missing.Text.find("PLANETS2.NDX"), std::string::npos) << missing.Text;
  EXPECT_EQ(RunCli(DataOption() + "--date 2001-01-01 calendar extra").Status, 2);
}

TEST(CliHolidays, TextOfTheYearOfTheClock) {
  const Output out = RunCli(DataOption() + "--date 2024-06-01 holidays");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_EQ(lines.size(), 16u) << out.Text;
  EXPECT_EQ(lines[0], "Helgdagar i Sverige 2024");
  const struct {
    std::size_t line;
    const char* date;
    const char* name;
  } expected[] = {{5, "2024-Mars-31  Söndag", "Påskdagen"},
                  {11, "2024-Juni-22  Lördag", "Midsommardagen (lördag 20/6 - 26/6)"}};
  for (const auto& e : expected) {
    EXPECT_TRUE(lines[e.line].starts_with(std::string(e.date) + "  ")) << lines[e.line];
    EXPECT_TRUE(lines[e.line].ends_with(std::string("  ") + e.name)) << lines[e.line];
  }
}

TEST(CliHolidays, JsonOfAGivenYear) {
  // 2008: Ascension Day on 1 May, listed after "Första Maj".
  const Output out = RunCli(DataOption() + "--date 2024-06-01 holidays --year 2008 --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_TRUE(
      out.Text.starts_with("[{\"kind\":\"title\",\"line\":1,\"text\":\"Helgdagar i "
                           "Sverige 2008\",\"year\":2008}"))
      << out.Text;
  const std::size_t mayDay = out.Text.find("\"name\":\"Första Maj\"");
  const std::size_t ascension = out.Text.find("\"name\":\"Kristi Himmelfärdsdag\"");
  ASSERT_NE(mayDay, std::string::npos);
  ASSERT_NE(ascension, std::string::npos);
  EXPECT_LT(mayDay, ascension);
  EXPECT_NE(out.Text.find("\"date_text\":\"2008-Maj-1  Torsdag\",\"name\":\"Kristi "
                          "Himmelfärdsdag\",\"group\":\"easter\",\"date\":\"2008-05-01\""),
            std::string::npos)
      << out.Text;
  EXPECT_NE(out.Text.find("\"date\":\"2008-03-23\",\"year\":2008,\"month\":3,\"day\":23,"
                          "\"weekday\":\"Söndag\",\"weekday_number\":7,\"day_of_year\":83"),
            std::string::npos)
      << out.Text;

  EXPECT_EQ(RunCli(DataOption() + "holidays --year abc").Status, 2);
  EXPECT_EQ(RunCli(DataOption() + "holidays --year").Status, 2);
  EXPECT_EQ(RunCli(DataOption() + "holidays --month 3").Status, 2);
}

}  // namespace
}  // namespace himlavy
