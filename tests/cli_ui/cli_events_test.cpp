// himlavy-cli events: the events of a year as JSON and as text. Dates and times are those of
// the US Naval Observatory.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "common/cli_runner.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataOption;
using testing::Output;
using testing::RunCli;

struct Event {
  std::string Kind, Body, Jde, Local, Type, Magnitude, Value;
};

// Splits the JSON array into its objects; every object must have exactly the documented
// members in the documented order.
std::vector<Event> ParseEvents(const std::string& json) {
  static const std::regex object(
      R"re(\{"kind":"([a-z_]+)","body":"([a-z]*)","jde":(-?[0-9.eE+-]+),)re"
      R"re("local":"(-?\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)","type":(null|\d),)re"
      R"re("magnitude":(null|-?[0-9.eE+-]+),"value":(null|-?[0-9.eE+-]+)\}(,|\]\n$))re");
  std::vector<Event> events;
  EXPECT_TRUE(json.starts_with("[{")) << json.substr(0, 200);
  std::smatch m;
  for (std::string rest = json.substr(1); !rest.empty(); rest = m.suffix()) {
    if (!std::regex_search(rest, m, object, std::regex_constants::match_continuous)) {
      ADD_FAILURE() << "not an event object: " << rest.substr(0, 200);
      break;
    }
    events.push_back(Event{m[1], m[2], m[3], m[4], m[5], m[6], m[7]});
  }
  return events;
}

TEST(CliEvents, JsonOfAYear) {
  testing::ScratchDir dir;
  const Output out =
      RunCli(DataOption(dir.Path()) + "--zone 0 --scale utc events --year 2001 --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<Event> events = ParseEvents(out.Text);
  ASSERT_FALSE(events.empty());
  for (std::size_t i = 0; i < events.size(); ++i) {
    const Event& e = events[i];
    EXPECT_TRUE(e.Local.starts_with("2001-")) << e.Local;
    EXPECT_LE(std::stod(events[i > 0 ? i - 1 : 0].Jde), std::stod(e.Jde));
    EXPECT_EQ(e.Type != "null", e.Kind.ends_with("_eclipse")) << e.Kind;
    EXPECT_EQ(e.Value != "null", e.Kind.starts_with("greatest_elongation")) << e.Kind;
    const bool planet = e.Kind.find("conjunction") != std::string::npos || e.Kind == "opposition" ||
                        e.Kind.starts_with("greatest_elongation");
    EXPECT_EQ(!e.Body.empty(), planet) << e.Kind;
  }
  // Without --year the year is that of the clock reading.
  const Output clock = RunCli(DataOption(dir.Path()) + "--date 2001-06-01 events --json");
  EXPECT_EQ(ParseEvents(clock.Text).size(), events.size());
}

TEST(CliEvents, TextLinesAndBadArguments) {
  testing::ScratchDir dir;
  const Output out = RunCli(DataOption(dir.Path()) + "--zone 0 --scale utc events --year 2001");
  ASSERT_EQ(out.Status, 0) << out.Text;
  // The same title as the almanac's, with its decimal comma.
  EXPECT_TRUE(out.Text.starts_with("Almanacka för år 2001 (UTC 0,00)\n")) << out.Text;
  EXPECT_NE(out.Text.find("\n2001-03-20T13:3"), std::string::npos);  // March equinox, 13:31 UT
  for (const char* bad : {"events --year", "events --year abc", "events --year 2001.5",
                          "events --year 10000", "events --month 3"}) {
    testing::ExpectErrorLine(RunCli(DataOption(dir.Path()) + bad), 2);
  }
}

}  // namespace
}  // namespace himlavy
