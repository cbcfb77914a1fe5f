// himlavy-cli events: the events of a year as JSON and as text. Dates and times are those of
// the US Naval Observatory (phases, seasons, planets) and NASA (eclipses).
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::Output;
using testing::RunCli;
using testing::ScratchDir;

struct Event {
  std::string Kind, Body, Local, Type, Magnitude, Value;
  double Jde = 0.0;
};

// Splits the JSON array into its objects; every object must have exactly the documented
// members in the documented order.
std::vector<Event> ParseEvents(const std::string& json) {
  static const std::regex object(
      R"re(\{"kind":"([a-z_]+)","body":"([a-z]*)","jde":(-?[0-9.eE+-]+),)re"
      R"re("local":"(-?\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)","type":(null|\d),)re"
      R"re("magnitude":(null|-?[0-9.eE+-]+),"value":(null|-?[0-9.eE+-]+)\})re");
  std::vector<Event> events;
  EXPECT_TRUE(json.starts_with("[{") && json.ends_with("}]\n")) << json.substr(0, 200);
  const std::string body = json.substr(1, json.size() - 3);
  std::size_t pos = 0;
  while (pos < body.size()) {
    std::smatch m;
    const std::string rest = body.substr(pos);
    if (!std::regex_search(rest, m, object, std::regex_constants::match_continuous)) {
      ADD_FAILURE() << "not an event object: " << rest.substr(0, 200);
      break;
    }
    events.push_back(Event{m[1], m[2], m[4], m[5], m[6], m[7], std::stod(m[3])});
    pos += m.length(0);
    if (pos < body.size()) {
      EXPECT_EQ(body[pos], ',');
      ++pos;
    }
  }
  return events;
}

std::string Options(const ScratchDir& dir, const std::string& extra) {
  return "--data " + dir.Path().string() + " " + extra + " ";
}

TEST(CliEvents, JsonOfTheYear2001) {
  ScratchDir dir;
  const Output out = RunCli(Options(dir, "--zone 0 --scale utc") + "events --year 2001 --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<Event> events = ParseEvents(out.Text);
  ASSERT_FALSE(events.empty());

  int newMoons = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const Event& e = events[i];
    EXPECT_TRUE(e.Local.starts_with("2001-")) << e.Local;
    if (i > 0) {
      EXPECT_LE(events[i - 1].Jde, e.Jde);
    }
    const bool eclipse = e.Kind == "solar_eclipse" || e.Kind == "lunar_eclipse";
    EXPECT_EQ(e.Type != "null", eclipse) << e.Kind;
    EXPECT_EQ(e.Value != "null", e.Kind.starts_with("greatest_elongation")) << e.Kind;
    const bool planet = e.Kind.find("conjunction") != std::string::npos || e.Kind == "opposition" ||
                        e.Kind.starts_with("greatest_elongation");
    EXPECT_EQ(!e.Body.empty(), planet) << e.Kind;
    if (e.Kind == "new_moon") ++newMoons;
  }
  EXPECT_EQ(newMoons, 12);

  const auto find = [&](const std::string& kind, const std::string& date) -> const Event* {
    for (const Event& e : events) {
      if (e.Kind == kind && e.Local.starts_with(date)) return &e;
    }
    ADD_FAILURE() << kind << " on " << date << " missing";
    return nullptr;
  };
  // The total lunar eclipse of January 9 (umbral magnitude 1.19); Venus at greatest eastern
  // elongation on January 17, 47.1 degrees.
  if (const Event* e = find("lunar_eclipse", "2001-01-09")) {
    EXPECT_EQ(e->Type, "1");
    EXPECT_NEAR(std::stod(e->Magnitude), 1.19, 0.01);
  }
  if (const Event* e = find("greatest_elongation_east", "2001-01-17")) {
    EXPECT_EQ(e->Body, "venus");
    EXPECT_NEAR(std::stod(e->Value), 47.1, 0.05);
  }
}

TEST(CliEvents, ZoneScaleAndTheYearBoundary) {
  ScratchDir dir;
  // The last quarter of 1969 December 31, 22:52 TD: with the clock in TDT and zone +2 it is
  // the first event of 1970, at 0:52 local time.
  const Output out = RunCli(Options(dir, "--zone 2 --scale tdt") + "events --year 1970 --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<Event> events = ParseEvents(out.Text);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().Kind, "last_quarter");
  EXPECT_TRUE(events.front().Local.starts_with("1970-01-01T00:5")) << events.front().Local;

  // Without --year the year is that of the clock reading.
  const Output clock = RunCli(Options(dir, "--date 2001-06-01 --zone 0") + "events --json");
  ASSERT_EQ(clock.Status, 0) << clock.Text;
  const std::vector<Event> of2001 = ParseEvents(clock.Text);
  ASSERT_FALSE(of2001.empty());
  EXPECT_TRUE(of2001.front().Local.starts_with("2001-01-0")) << of2001.front().Local;
}

TEST(CliEvents, TextLinesAndBadArguments) {
  ScratchDir dir;
  const Output out = RunCli(Options(dir, "--zone 0 --scale utc") + "events --year 2001");
  ASSERT_EQ(out.Status, 0) << out.Text;
  EXPECT_NE(out.Text.find("Almanacka för år 2001 (UTC 0.00)"), std::string::npos) << out.Text;
  // The March equinox at 13:31 UT.
  EXPECT_NE(out.Text.find("2001-03-20T13:3"), std::string::npos);
  EXPECT_NE(out.Text.find("Venus i maximal östlig elongation=47.1°"), std::string::npos);

  for (const char* bad : {"events --year", "events --year abc", "events --year 2001.5",
                          "events --year 10000", "events --month 3"}) {
    EXPECT_EQ(RunCli(Options(dir, "") + bad).Status, 2) << bad;
  }
}

}  // namespace
}  // namespace himlavy
