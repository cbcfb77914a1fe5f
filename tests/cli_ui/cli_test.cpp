// himlavy-cli as scripts use it: options, the state command, exit statuses, offscreen render.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <random>
#include <set>

#include "common/cli_runner.h"
#include "common/fixture_rows.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {
using namespace testing;
// Runs himlavy-cli and expects it to succeed.
Output Ok(const std::string& arguments) {
  Output out = RunCli(arguments);
  EXPECT_EQ(out.Status, 0) << arguments << ": " << out.Text;
  return out;
}
// Replaces every `from` in `text` by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at; (at = text.find(from)) != std::string::npos;)
    text.replace(at, from.size(), to);
  return text;
}
// Whether `out` passes the check `check` with the text `want` (`tolerance` for "near ...");
// cli_ui/outputs.tsv tells the checks.
bool Passes(const std::string& out, const std::string& check, const std::string& want,
            const std::string& tolerance) {
  const std::vector<std::string> lines = Lines(out);
  if (check.starts_with("line ")) {
    const std::size_t n = std::stoul(check.substr(5));
    const std::string line = n < lines.size() ? lines[n] : std::string();
    return check.ends_with('^')     ? line.starts_with(want)
           : check.ends_with('$')   ? line.ends_with(want)
           : check.ends_with("has") ? line.find(want) != std::string::npos
                                    : line == want;
  }
  if (check.starts_with("object ")) {
    return JsonObjectWith(out, check.substr(7)).find(want) != std::string::npos;
  }
  if (check.starts_with("near ")) {
    return std::abs(JsonNumber(out, check.substr(5)) - std::stod(want)) <= std::stod(tolerance);
  }
  if (check == "json") {  // valid JSON, and UTF-8: other text would not come back unchanged
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
    return error.error == QJsonParseError::NoError &&
           QString::fromUtf8(out).toUtf8().toStdString() == out;
  }
  if (check == "order") {
    std::size_t at = 0;
    for (std::size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1) {
      bar = want.find('|', start);
      if ((at = out.find(want.substr(start, bar - start), at)) == std::string::npos) return false;
    }
    return true;
  }
  return check == "starts"  ? out.starts_with(want)
         : check == "has"   ? out.find(want) != std::string::npos
         : check == "regex" ? std::regex_search(out, std::regex(want))
         : check == "lines" ? lines.size() == std::stoul(want)
         : check == "most"  ? lines.size() <= std::stoul(want)
                            : check == "size" && out.size() == std::stoul(want);
}
// Runs the rows of cli_ui/outputs.tsv for `test`, "{scratch}" being `dir`; each command line
// once.
void ExpectOutputs(const std::string& test, const std::filesystem::path& dir = {}) {
  Output out;
  std::string last;
  for (const auto& row : FixtureRows("cli_ui/outputs.tsv")) {
    if (row[0] != test) continue;
    const std::string args = Replaced(Replaced(row[1], "{data}", DataOption()), "{scratch}", dir);
    if (args != last) out = RunCli(last = args);
    const std::string want = Replaced(row[4], "\\n", "\n");
    SCOPED_TRACE(args + " | " + row[3] + " | " + want);
    if (row[3] == "error") {
      ExpectErrorLine(out, std::stoi(row[2]), want);
      continue;
    }
    EXPECT_EQ(out.Status, std::stoi(row[2])) << out.Text;
    EXPECT_TRUE(Passes(out.Text, row[3], want, row.size() > 5 ? row[5] : ""))
        << out.Text.substr(0, 600);
  }
}
TEST(CliState, JsonZoneScaleSiderealTimeThenParameterFileOptionsSetAndPlace) {
  ScratchDir dir;
  ExpectOutputs("state", dir.Path());
  Output out = Ok(DataOption(dir.Path()) + "--jd 2451545.0 --zone 1 --scale tdt state --json");
  EXPECT_NEAR(JsonNumber(out.Text, "JD_UT"), 2451544.958333333 - 63.5 / 86400.0, 1e-9);
  // Meeus ex. 11.b: 1987 April 10, 19h21m UT: GMST 8h34m57.0896s; the apparent sidereal time
  // is about 0.23 s less (ex. 11.a: the equation of the equinoxes that day is -0.2317 s). At
  // 15 deg east the local time is one hour later.
  out = Ok(DataOption(dir.Path()) + "--date 1987-04-10T19:21:00 --lon 15 state --json");
  const double gmst = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
  EXPECT_NEAR(JsonNumber(out.Text, "GMST_h"), gmst, 1e-6);
  EXPECT_NEAR(JsonNumber(out.Text, "LAST_h"), gmst - 0.2317 / 3600.0 + 1.0, 0.01 / 3600.0);
  // The parameter file, then the options, --set and --place. Name in columns 1-30, latitude 33-38,
  // longitude 40-46, zone 48-53.
  dir.Write("ortsnamn.dta", "Kiruna" + std::string(24, ' ') + "   67.51   20.13 +1    \r\n");
  std::string params;  // zone -5 and latitude 12.5
  for (int line = 1; line <= 58; ++line)
    params += line == 2 ? " -5.00000000000000E+0000\r\n" : line == 9 ? "12.5\r\n" : "0\r\n";
  dir.Write("parametr.dta", params);
  out = RunCli(DataOption(dir.Path()) + "--jd 2451545 state --json");
  EXPECT_NEAR(JsonNumber(out.Text, "Latitude"), 12.5, 1e-12);
  EXPECT_NEAR(JsonNumber(out.Text, "JD_UT"), 2451545.0 + 5.0 / 24.0, 1e-9);
  ExpectOutputs("place", dir.Path());
}
// Bad options and arguments of every command: one line and status 2; the calendar's edges and the
// Earth's ranges are accepted.
TEST(CliState, BadOptionsGiveOneLineAndStatusTwoButEdgesPass) {
  ScratchDir dir;
  for (const auto& row : FixtureRows("cli_ui/arguments.tsv")) {
    SCOPED_TRACE(row[1]);
    const Output out = RunCli(DataOption(dir.Path()) + row[1] + (row[0] == "good" ? " state" : ""));
    if (row[0] == "bad") {
      ExpectErrorLine(out, 2);
    } else {
      EXPECT_EQ(out.Status, 0);
    }
  }
}
TEST(CliRender, WindowsAtTheirSizesAndMainShowsTheDrawnSkyChart) {
  ScratchDir dir;
  const std::string png = (dir / "w.png").string();
  for (const auto& row : FixtureRows("cli_ui/render_sizes.tsv")) {
    Ok(DataOption() + "--jd 2451545 render " + row[0] + " --out " + png);
    if (row.size() < 3) continue;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(),
              QSize(std::stoi(row[1]), std::stoi(row[2])))
        << row[0];
  }
  // "main" is the first screen: the frame with the shipped settings' sky chart drawn in it.
  Ok(DataOption() + "--jd 2461100.3 render main --out " + png);
  const QImage image(QString::fromStdString(png));
  std::set<QRgb> colours;
  for (int y = 200; y < 600; y += 2)
    for (int x = 200; x < 800; x += 2) colours.insert(image.pixel(x, y));
  EXPECT_GE(colours.size(), 5u) << "the client area is empty";
  // A picture that cannot be opened: the message, the window drawn, status 1.
  std::filesystem::remove(png);
  ExpectOutputs("render", dir.Path());
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}
// orbit: the line and the JSON of the example file; a bad file names its line, status 1.
TEST(CliOrbit, ExampleFileBadFileAndRenderHelpTopics) {
  ScratchDir dir;
  dir.Write("obs.txt", "X\n2000 1 1 0 1 2 3\n");
  ExpectOutputs("orbit", dir.Path());
  const Output json = RunCli(DataOption() + "orbit --json");
  for (const char* key : {"tp_jd", "q_au", "e", "i_deg", "node_deg", "peri_deg"})
    EXPECT_TRUE(std::isfinite(JsonNumber(json.Text, key))) << key;
  // render help over the help pages in the same folder.
  std::filesystem::copy(testing::DataFolder().parent_path() / "help", dir / "help");
  ExpectOutputs("help", dir.Path());
}
// himlavy-cli calendar, holidays and almanac: the window's lines as text and as JSON; zone lines;
// every --json output is valid JSON whatever the bytes (a non-UTF-8 byte comes out as CP1252).
TEST(CliOutputs, CalendarHolidaysAlmanacBrowseAndEveryCommandPrintsValidJson) {
  const ScratchDir dir;  // empty until the JSON rows' pictures
  for (const char* test : {"calendar", "holidays", "almanac", "browse", "json"})
    ExpectOutputs(test, dir.Path());
  // Meeus ex. 11.a: 1987 April 10, 0h UT, mean sidereal time 13h10m46.3668s.
  const Output out = Ok(DataOption() + "--date 1987-04-10T06:00 --zone 0 calendar --json");
  const std::string sidereal = JsonObjectWith(out.Text, "\"kind\":\"sidereal_time\"");
  EXPECT_NEAR(JsonNumber(sidereal, "hours"), 13.0 + 10.0 / 60.0 + 46.3668 / 3600.0, 1e-7);
}
// himlavy-cli ephemeris and jupiter-moons: their JSON, against Meeus's worked examples.
// Scale TDT and zone 0: the clock reading is the Julian Ephemeris Day itself.
std::string AtJde(const char* jde) {
  return DataOption() + "--jd " + jde + " --scale tdt --zone 0 ";
}
TEST(CliEphemeris, EveryBodyJupiterMoonsOfMeeusExamplesBadBodiesAndMissingSeries) {
  ExpectOutputs("bodies");
  // Meeus 1st ed. ex. 31.a, 1992 December 20, 0h TD: Venus at 21h04m41.454s, -18 53'16.84".
  const std::string venus =
      JsonObjectWith(Ok(AtJde("2448976.5") + "ephemeris --json").Text, "\"body\":\"venus\"");
  EXPECT_NEAR(JsonNumber(venus, "ra_deg"), (21 + 4 / 60.0 + 41.454 / 3600.0) * 15.0, 5e-4);
  EXPECT_NEAR(JsonNumber(venus, "dec_deg"), -(18 + 53 / 60.0 + 16.84 / 3600.0), 5e-4);
  ExpectOutputs("moons");
  // Meeus 1st ed., Galilean satellites with the complete theory, 1992 December 16, 0h UT
  // (JDE 2448972.50068), light time included: Io at X -3.4515, Y +0.2138 equatorial radii.
  const Output out = Ok(AtJde("2448972.50068") + "--set CorrLightTime=1 jupiter-moons --json");
  const std::string io = JsonObjectWith(out.Text, "\"moon\":\"io\"");
  EXPECT_NEAR(JsonNumber(io, "x"), -3.4515, 1.5e-4);
  EXPECT_NEAR(JsonNumber(io, "y"), 0.2138, 1.5e-4);
  // Bad bodies and missing series.
  const ScratchDir empty;
  ExpectOutputs("ephemeris", empty.Path());
  // Either file replaced by random bytes of its own size is refused like a missing one, by
  // every command that needs the series.
  for (const char* damaged : {"PLANETS.DAT", "PLANETS2.NDX"}) {
    SCOPED_TRACE(damaged);
    ScratchDir dir;
    for (const char* name : {"PLANETS.DAT", "PLANETS2.NDX"})
      std::filesystem::copy_file(DataFolder() / name, dir / name);
    std::string bytes(std::filesystem::file_size(dir / damaged), '\0');
    std::mt19937 random(19);
    for (char& b : bytes) b = static_cast<char>(random());
    dir.Write(damaged, bytes);
    for (const char* command : {"ephemeris", "jupiter-moons", "calendar"})
      ExpectErrorLine(RunCli(DataOption(dir.Path()) + "--jd 2451545 " + command), 1,
                      "saknas eller är skadade");
  }
}
// himlavy-cli events: a year's events as JSON and as text (US Naval Observatory times).
struct Event {
  std::string Kind, Body, Jde, Local, Type, Magnitude, Value;
};
// Splits the JSON array; every object must have exactly the documented members in order.
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
TEST(CliEvents, JsonOfAYearTextLinesAndBadArguments) {
  ScratchDir dir;
  const std::vector<Event> events = ParseEvents(
      Ok(DataOption(dir.Path()) + "--zone 0 --scale utc events --year 2001 --json").Text);
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
  EXPECT_EQ(
      ParseEvents(RunCli(DataOption(dir.Path()) + "--date 2001-06-01 events --json").Text).size(),
      events.size());
  ExpectOutputs("events", dir.Path());  // as text
}
TEST(CliEclipses, TablesAndJsonShapes) {
  ExpectOutputs("eclipses");
}
}  // namespace
}  // namespace himlavy
