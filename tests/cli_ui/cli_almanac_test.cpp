// himlavy-cli almanac (the almanac window's lines as text and JSON) and the offscreen render
// of the calendar, almanac and holidays windows.
//
// Published values: the first quarter of 2001 January 2, 22:31 UT, and the full moon of
// January 9, 20:24 UT (US Naval Observatory); the total lunar eclipse of 2001 January 9,
// umbral magnitude 1.189 (NASA's eclipse canon).
#include <gtest/gtest.h>

#include <QImage>
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

TEST(CliAlmanac, TextLinesOfTheWindow) {
  const Output out = RunCli(DataOption() + "--date 2001-05-27T12:00 --zone 1 almanac");
  ASSERT_EQ(out.Status, 0) << out.Text;
  const std::vector<std::string> lines = Lines(out.Text);
  ASSERT_GE(lines.size(), 70u) << out.Text;
  EXPECT_LE(lines.size(), 87u);
  EXPECT_EQ(lines[0], "Almanacka för år 2001 (UTC 1,00)");
  // Date and weekday, the time from column 22, the text from column 33.
  EXPECT_TRUE(lines[1].starts_with("2001- 1- 2  Tisdag    23h3")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with("m     Månen i första kvarteret")) << lines[1];
  bool eclipse = false;
  for (const std::string& line : lines) {
    if (line.starts_with("2001- 1- 9  Tisdag    21h") &&
        line.ends_with("Total månförmörkelse, magnitud=1,19")) {
      eclipse = true;
    }
  }
  EXPECT_TRUE(eclipse) << out.Text;

  // --year chooses the year; the clock in TDT shows in the title.
  const Output tdt =
      RunCli(DataOption() + "--date 2001-05-27 --zone -5 --scale tdt almanac --year 1999");
  ASSERT_EQ(tdt.Status, 0) << tdt.Text;
  EXPECT_TRUE(tdt.Text.starts_with("Almanacka för år 1999 (TDT -5,00)\n1999-")) << tdt.Text;

  EXPECT_EQ(RunCli(DataOption() + "almanac --year abc").Status, 2);
  EXPECT_EQ(RunCli(DataOption() + "almanac --year").Status, 2);
  EXPECT_EQ(RunCli(DataOption() + "almanac extra").Status, 2);
}

TEST(CliAlmanac, JsonLinesWithTheirSlots) {
  const Output out = RunCli(DataOption() + "--date 2001-05-27T12:00 --zone 1 almanac --json");
  ASSERT_EQ(out.Status, 0) << out.Text;
  ASSERT_TRUE(
      out.Text.starts_with("[{\"kind\":\"title\",\"line\":1,\"text\":\"Almanacka för år "
                           "2001 (UTC 1,00)\",\"year\":2001,\"scale\":\"UTC\","
                           "\"time_zone\":1,\"events\":"))
      << out.Text.substr(0, 300);
  const std::size_t first = out.Text.find("{\"kind\":\"event\"");
  ASSERT_NE(first, std::string::npos);
  const std::string object = out.Text.substr(first, out.Text.find('}', first) - first + 1);
  EXPECT_NE(object.find("\"slot\":1,\"column\":1,\"line\":3,\"x\":10,\"y\":39,"), std::string::npos)
      << object;
  EXPECT_NE(object.find("\"date_text\":\"2001- 1- 2  Tisdag\""), std::string::npos) << object;
  EXPECT_NE(object.find("\"event\":\"first_quarter\",\"body\":\"\""), std::string::npos) << object;
  EXPECT_NE(object.find("\"precision\":\"minute\""), std::string::npos) << object;
  // The first quarter at 22:31 UT; its Julian Ephemeris Day within two minutes of USNO's.
  EXPECT_NEAR(JsonNumber(object, "jde"), 2451912.438 + 64.0 / 86400.0, 2.0 / 1440.0);
  // Slot 44 is the first line of the right column.
  const std::size_t right = out.Text.find("\"slot\":44,");
  ASSERT_NE(right, std::string::npos);
  EXPECT_TRUE(
      out.Text.substr(right).starts_with("\"slot\":44,\"column\":2,\"line\":3,\"x\":412,\"y\":39,"))
      << out.Text.substr(right, 60);
  const double events = JsonNumber(out.Text.substr(0, first), "events");
  const double shown = JsonNumber(out.Text.substr(0, first), "shown");
  EXPECT_EQ(shown, std::min(events, 86.0));
}

TEST(CliRenderTimecal, WindowsAsTheProgramShowsThem) {
  const testing::ScratchDir dir;
  const struct {
    const char* window;
    int width, height;
  } cases[] = {{"calendar", 527, 274}, {"almanac", 820, 634}, {"holidays", 408, 290}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    const std::string png = (dir / (std::string(c.window) + ".png")).string();
    const Output out =
        RunCli(DataOption() + "--date 2001-05-27T12:00 --zone 2 --lat 59.33 --lon 18.07 " +
               "--set CorrNutation=1 render " + c.window + " --out " + png);
    ASSERT_EQ(out.Status, 0) << out.Text;
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(c.width, c.height));
    // A silver client area with black type in it.
    int silver = 0;
    int black = 0;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y) {
      for (int x = 0; x < image.width() / 2; ++x) {
        silver += image.pixel(x, y) == qRgb(192, 192, 192);
        black += image.pixel(x, y) == qRgb(0, 0, 0);
      }
    }
    EXPECT_GT(silver, image.width() * image.height() / 8);
    EXPECT_GT(black, 200);
  }
}

}  // namespace
}  // namespace himlavy
