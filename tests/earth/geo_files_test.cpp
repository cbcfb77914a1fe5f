// karta.dta, ortsnamn.dta, land.dta: real lines by hand; Stockholm, Grytviken as published.
#include "earth/geo_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {
using namespace testing;
TEST(DecodeMapLine, RealLinesOfEveryCodeAndDamagedOnes) {
  // Lines of data/karta.dta (line number in the comment).
  const std::tuple<std::string_view, double, double, char> cases[] = {
      {" 32.5P-117.1", 32.5, -117.1, 'P'},  // 1: the coast near San Diego, a new line
      {" 65.2,-123.0", 65.2, -123.0, ','},  // 15731: blue-green line
      {"-48.0g -69.0", -48.0, -69.0, 'g'},  // 17403: land mark
      {" 77.5V -41.8", 77.5, -41.8, 'V'},   // 17925: ice mark (Greenland)
      {"  0.0  109.3", 0.0, 109.3, ' '},    // 7580: latitude 0 is read as stored
      {" 32.5P-117", 32.5, -117.0, 'P'}     // a longitude cut by the end of the line
  };
  for (const auto& [line, latitude, longitude, code] : cases) {
    const auto point = DecodeMapLine(line);
    ASSERT_TRUE(point) << line;
    EXPECT_EQ(std::tuple(point->Latitude, point->Longitude, point->Code),
              std::tuple(latitude, longitude, code));
  }
  for (std::string_view line : {"", " 32.5P-", " 3x.5P-117.1", " 32.5P-11x.1", "     P-117.1"})
    EXPECT_FALSE(DecodeMapLine(line)) << '"' << line << '"';
}
TEST(ReadMapFile, ReadsTheShippedFileWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadMapFile(dir / "karta.dta"));
  const auto points = ReadMapFile(DataFolder() / "karta.dta");
  // 17967 lines, every one a point, 433 of them starting a line.
  ASSERT_EQ(points ? points->size() : 0u, 17967u);
  EXPECT_EQ(std::count_if(points->begin(), points->end(), [](auto& p) { return p.Code == 'P'; }),
            433);
  EXPECT_DOUBLE_EQ((*points)[15730].Latitude, 65.2);  // line 15731
}
TEST(DecodePlaceLine, RealLinesAndDamagedOnes) {
  // Lines of data/ortsnamn.dta (line number in the comment).
  const std::tuple<std::string_view, std::string_view, std::string_view, std::string_view, double,
                   double>
      cases[] = {
          // 1714: 59.20 = 59 deg 20', 18.04 = 18 deg 04'.
          {"Stockholm [SE] H                 59.20   18.04 +1*", "Stockholm [SE] H              ",
           "SE", "+1*", 59.0 + 20.0 / 60, 18.0 + 4.0 / 60},
          // 3: south and west carry the sign through the minutes.
          {"Grytviken [GS] H                -54.17  -36.31 -2", "Grytviken [GS] H              ",
           "GS", "-2", -(54.0 + 17.0 / 60), -(36.0 + 31.0 / 60)},
          // 4: Windows-1252 c-cedilla.
          {"Port-aux-Fran\xE7"
           "ais [TF] H        -49.21   70.13 +5",
           "Port-aux-Fran\u00e7ais [TF] H      ", "TF", "+5", -(49.0 + 21.0 / 60),
           70.0 + 13.0 / 60}};
  for (const auto& [line, name, code, zone, latitude, longitude] : cases) {
    const auto place = DecodePlaceLine(line, 7);
    ASSERT_TRUE(place) << line;
    EXPECT_EQ(std::tuple(place->Name, place->CountryCode, place->Zone),
              std::tuple(name, code, zone));
    EXPECT_NEAR(place->Latitude, latitude, 1e-12) << line;
    EXPECT_NEAR(place->Longitude, longitude, 1e-12) << line;
  }
  EXPECT_EQ(DecodePlaceLine(std::get<0>(cases[0]), 1)->Label, "Stockholm [SE] H               ");
  // Columns: name 1-30, latitude 33-38, longitude 40-46, zone 48-53. No "[" within columns
  // 1-31: no code (a "[" in the zone does not count).
  const std::string tail = "   59.20   18.04 +1";
  EXPECT_EQ(DecodePlaceLine("Nowhere" + std::string(23, ' ') + tail + "[XX", 1)->CountryCode, "");
  const std::string name30 = "Stockholm [SE] H" + std::string(14, ' ');
  for (const char* coordinates : {"", "   59.20", "   59.2x   18.04 +1", "   59.20 x 18.04 +1"})
    EXPECT_FALSE(DecodePlaceLine(name30 + coordinates, 1)) << coordinates;
}
TEST(ReadPlaceFile, KeepsLineNumbersAcrossSkippedLines) {
  ScratchDir dir;
  EXPECT_FALSE(ReadPlaceFile(dir / "ortsnamn.dta"));
  dir.Write("ortsnamn.dta",
            "Stockholm [SE] H                 59.20   18.04 +1*\r\n"
            "Trasig [SE]                      xx.xx   18.04 +1\r\n"
            "\r\n"
            "Grytviken [GS] H                -54.17  -36.31 -2\r\n");
  const auto places = ReadPlaceFile(dir / "ortsnamn.dta");
  ASSERT_EQ(places ? places->size() : 0u, 2u);
  EXPECT_EQ(std::tuple((*places)[1].Line, (*places)[1].CountryCode), std::tuple(4u, "GS"));
}
TEST(ReadPlaceFile, ReadsTheShippedFileWhole) {
  const auto places = ReadPlaceFile(DataFolder() / "ortsnamn.dta");
  ASSERT_EQ(places ? places->size() : 0u, 2000u);  // the map's 2000 places
  const TPlaceEntry& stockholm = (*places)[1713];
  EXPECT_EQ(stockholm.Line, 1714u);
  // Published: 59 deg 19' 46" N, 18 deg 04' 07" E; the file has whole minutes.
  EXPECT_NEAR(stockholm.Latitude, 59.0 + 19.0 / 60 + 46.0 / 3600, 0.6 / 60);
  EXPECT_NEAR(stockholm.Longitude, 18.0 + 4.0 / 60 + 7.0 / 3600, 0.6 / 60);
}
TEST(CountryFile, RealLinesAndTheShippedFile) {
  const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
      {"AE F\xF6renade Arabemiraten", "AE", "F\u00f6renade Arabemiraten"},           // 2
      {"XX A name of thirty-two characters", "XX", "A name of thirty-two charact"},  // cut at 31
      {"SE", "SE", ""}};
  for (const auto& [line, code, name] : cases) {
    const auto country = DecodeCountryLine(line);
    ASSERT_TRUE(country) << line;
    EXPECT_EQ(std::tuple(country->Code, country->Name), std::tuple(code, name));
  }
  EXPECT_FALSE(DecodeCountryLine(""));
  ScratchDir dir;
  EXPECT_FALSE(ReadCountryFile(dir / "land.dta"));
  const auto countries = ReadCountryFile(DataFolder() / "land.dta");
  ASSERT_EQ(countries ? countries->size() : 0u, 250u);
  EXPECT_EQ((*countries)[196].Code + " " + (*countries)[196].Name, "SE Sverige");
}
}  // namespace
}  // namespace himlavy
