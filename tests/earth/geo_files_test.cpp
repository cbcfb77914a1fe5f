// The geographic files "karta.dta", "ortsnamn.dta" and "land.dta".
//
// The decoding tests take real lines of the program's data files, decoded by hand from their
// columns; the coordinates are checked against the published ones of the places (Stockholm
// 59 deg 19.8' N 18 deg 04.1' E, Grytviken 54 deg 16.9' S 36 deg 30.5' W).
#include "earth/geo_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

// --- "karta.dta" -----------------------------------------------------------------------------

TEST(DecodeMapLine, ReadsRealLinesOfEveryCode) {
  const struct {
    std::string_view line;  // from data/karta.dta (line number in the comment)
    double latitude, longitude;
    char code;
  } cases[] = {
      {" 32.5P-117.1", 32.5, -117.1, 'P'},  // 1: the coast near San Diego, a new line
      {" 65.2,-123.0", 65.2, -123.0, ','},  // 15731: blue-green line
      {"-48.0g -69.0", -48.0, -69.0, 'g'},  // 17403: land mark
      {" 77.5V -41.8", 77.5, -41.8, 'V'},   // 17925: ice mark (Greenland)
      {"  0.0  109.3", 0.0, 109.3, ' '},    // 7580: latitude 0 is read as stored
      {" 22.5   90.0", 22.5, 90.0, ' '},    // 5729: longitude 90 is read as stored
  };
  for (const auto& c : cases) {
    const auto point = DecodeMapLine(c.line);
    ASSERT_TRUE(point) << c.line;
    EXPECT_DOUBLE_EQ(point->Latitude, c.latitude) << c.line;
    EXPECT_DOUBLE_EQ(point->Longitude, c.longitude) << c.line;
    EXPECT_EQ(point->Code, c.code) << c.line;
  }
}

TEST(DecodeMapLine, RefusesShortAndDamagedLines) {
  for (std::string_view line :
       {"", " 32.5P", " 32.5P-", " 3x.5P-117.1", " 32.5P-11x.1", "     P-117.1", " 32.5P      "}) {
    EXPECT_FALSE(DecodeMapLine(line)) << '"' << line << '"';
  }
  // A longitude cut by the end of the line is read as far as it goes; columns beyond 12 are
  // not read.
  EXPECT_DOUBLE_EQ(DecodeMapLine(" 32.5P-117").value().Longitude, -117.0);
  EXPECT_DOUBLE_EQ(DecodeMapLine(" 32.5P-117.1xyz").value().Longitude, -117.1);
}

TEST(ReadMapFile, ReadsTheShippedFileWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadMapFile(dir / "karta.dta"));
  const auto points = ReadMapFile(DataFolder() / "karta.dta");
  ASSERT_TRUE(points);
  // 17967 lines, every one a point: 433 'P', 15371 ' ', 1597 ',', 523 'g', 43 'V'.
  ASSERT_EQ(points->size(), 17967u);
  std::size_t starts = 0, ice = 0;
  for (const TMapPoint& p : *points) {
    starts += p.Code == 'P';
    ice += p.Code == 'V';
  }
  EXPECT_EQ(starts, 433u);
  EXPECT_EQ(ice, 43u);
  EXPECT_DOUBLE_EQ((*points)[15730].Latitude, 65.2);  // line 15731
}

// --- "ortsnamn.dta" ---------------------------------------------------------------------------

TEST(DecodePlaceLine, ReadsRealLines) {
  const struct {
    std::string_view line;  // from data/ortsnamn.dta (line number in the comment)
    std::string_view name, code, zone;
    double latitude, longitude;
  } cases[] = {
      // 1714: 59.20 = 59 deg 20', 18.04 = 18 deg 04'.
      {"Stockholm [SE] H                 59.20   18.04 +1*", "Stockholm [SE] H              ", "SE",
       "+1*", 59.0 + 20.0 / 60, 18.0 + 4.0 / 60},
      // 3: south and west carry the sign through the minutes.
      {"Grytviken [GS] H                -54.17  -36.31 -2", "Grytviken [GS] H              ", "GS",
       "-2", -(54.0 + 17.0 / 60), -(36.0 + 31.0 / 60)},
      // 4: Windows-1252 c-cedilla.
      {"Port-aux-Fran\xE7"
       "ais [TF] H        -49.21   70.13 +5",
       "Port-aux-Fran\u00e7ais [TF] H      ", "TF", "+5", -(49.0 + 21.0 / 60), 70.0 + 13.0 / 60},
  };
  for (const auto& c : cases) {
    const auto place = DecodePlaceLine(c.line, 7);
    ASSERT_TRUE(place) << c.line;
    EXPECT_EQ(place->Name, c.name);
    EXPECT_EQ(place->CountryCode, c.code);
    EXPECT_EQ(place->Zone, c.zone);
    EXPECT_NEAR(place->Latitude, c.latitude, 1e-12) << c.line;
    EXPECT_NEAR(place->Longitude, c.longitude, 1e-12) << c.line;
  }
  EXPECT_EQ(DecodePlaceLine(cases[0].line, 1)->Label, "Stockholm [SE] H               ");
}

TEST(DecodePlaceLine, CountryCodeAndBadLines) {
  // Columns: name 1-30, latitude 33-38, longitude 40-46, zone 48-53.
  const std::string tail = "   59.20   18.04 +1";
  // A "[" in column 30 gives the code from columns 31-32.
  EXPECT_EQ(DecodePlaceLine(std::string(29, ' ') + "[SE" + tail.substr(2), 1)->CountryCode, "SE");
  // No "[" within columns 1-31: no code (a "[" in the zone does not count).
  EXPECT_EQ(DecodePlaceLine("Nowhere" + std::string(23, ' ') + tail + "[XX", 1)->CountryCode, "");
  // Only the first "[" counts.
  EXPECT_EQ(DecodePlaceLine("A [NO] [SE]" + std::string(19, ' ') + tail, 1)->CountryCode, "NO");

  const std::string name30 = "Stockholm [SE] H" + std::string(14, ' ');
  for (const char* coordinates :
       {"", "   59.20", "   59.20         +1", "   59.2x   18.04 +1", "   59.20   18.0x +1",
        "   59.20 x 18.04 +1"}) {  // columns 40-46 are "x 18.04"
    EXPECT_FALSE(DecodePlaceLine(name30 + coordinates, 1)) << coordinates;
  }
  // A line ending inside the longitude reads what is there; no zone.
  const auto shortLine = DecodePlaceLine(name30 + "   59.20   18", 1);
  ASSERT_TRUE(shortLine);
  EXPECT_DOUBLE_EQ(shortLine->Longitude, 18.0);
  EXPECT_EQ(shortLine->Zone, "");
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
  ASSERT_TRUE(places);
  ASSERT_EQ(places->size(), 2u);
  EXPECT_EQ((*places)[0].Line, 1u);
  EXPECT_EQ((*places)[1].Line, 4u);
  EXPECT_EQ((*places)[1].CountryCode, "GS");
}

TEST(ReadPlaceFile, ReadsTheShippedFileWhole) {
  const auto places = ReadPlaceFile(DataFolder() / "ortsnamn.dta");
  ASSERT_TRUE(places);
  ASSERT_EQ(places->size(), 2000u);  // the Earth map's table holds 2000 places
  const TPlaceEntry& stockholm = (*places)[1713];
  EXPECT_EQ(stockholm.Line, 1714u);
  // Published: 59 deg 19' 46" N, 18 deg 04' 07" E; the file has whole minutes.
  EXPECT_NEAR(stockholm.Latitude, 59.0 + 19.0 / 60 + 46.0 / 3600, 0.6 / 60);
  EXPECT_NEAR(stockholm.Longitude, 18.0 + 4.0 / 60 + 7.0 / 3600, 0.6 / 60);
}

// --- "land.dta" ------------------------------------------------------------------------------

TEST(DecodeCountryLine, ReadsRealLines) {
  const struct {
    std::string_view line, code, name;
  } cases[] = {
      {"SE Sverige", "SE", "Sverige"},                                               // 197
      {"AE F\xF6renade Arabemiraten", "AE", "F\u00f6renade Arabemiraten"},           // 2
      {"AX \xC5land", "AX", "\u00c5land"},                                           // 15
      {"XX A name of thirty-two characters", "XX", "A name of thirty-two charact"},  // cut at 31
      {"SE", "SE", ""},
  };
  for (const auto& c : cases) {
    const auto country = DecodeCountryLine(c.line);
    ASSERT_TRUE(country) << c.line;
    EXPECT_EQ(country->Code, c.code);
    EXPECT_EQ(country->Name, c.name);
  }
  EXPECT_FALSE(DecodeCountryLine(""));
}

TEST(ReadCountryFile, ReadsTheShippedFileWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadCountryFile(dir / "land.dta"));
  const auto countries = ReadCountryFile(DataFolder() / "land.dta");
  ASSERT_TRUE(countries);
  ASSERT_EQ(countries->size(), 250u);
  EXPECT_EQ((*countries)[196].Code, "SE");
  EXPECT_EQ((*countries)[196].Name, "Sverige");
}

}  // namespace
}  // namespace himlavy
