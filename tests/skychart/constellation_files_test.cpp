// The constellation files "konst.dta", "konstgra.dta", "konnamn.dta" and "stjabild.dta".
//
// The decoding tests take real lines of the program's data files, decoded by hand from their
// columns. The first figure point of Andromeda is its star Almach (gamma And, J2000 02h 03m
// 53.95s +42 deg 19' 47"), to the file's 0.1 minute of time and 1 minute of arc.
#include "skychart/constellation_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "common/data_folder.h"
#include "common/scratch_dir.h"

namespace himlavy {
namespace {

using testing::DataFolder;
using testing::ScratchDir;

constexpr double kHour = 1.0;
constexpr double kMinute = 1.0 / 60;
constexpr double kSecond = 1.0 / 3600;

// --- Chart files ------------------------------------------------------------------------------

TEST(DecodeConstellationLine, ReadsRealLinesOfTheThreeFiles) {
  using F = TConstellationFile;
  const struct {
    std::string_view line;  // from data/ (file and line number in the comment)
    F file;
    double raHours, decDegrees;
    char pen, style;
    std::string_view name;
  } cases[] = {
      // konst.dta 2: Mirach continues the line Almach starts.
      {"0109.7+3537 d", F::Figures, 1 + 9.7 * kMinute, 35 + 37 * kMinute, 'd', ' ', ""},
      // konstgra.dta 5: decimal hours and degrees, a negative declination above -1.
      {"20.6405544  -0.5637780     d s", F::Boundaries, 20.6405544, -0.5637780, 'd', 's', ""},
      // konnamn.dta 2.
      {"1024.0-3600 Antlia", F::Names, 10 + 24 * kMinute, -36, ' ', ' ', "Antlia"},
  };
  for (const auto& c : cases) {
    const auto point = DecodeConstellationLine(c.line, c.file);
    ASSERT_TRUE(point) << c.line;
    EXPECT_NEAR(point->RaHours, c.raHours, 1e-12) << c.line;
    EXPECT_NEAR(point->DecDegrees, c.decDegrees, 1e-12) << c.line;
    EXPECT_EQ(std::tuple(point->Pen, point->Style, point->Name), std::tuple(c.pen, c.style, c.name))
        << c.line;
  }
  // The published position of Almach.
  const auto almach = DecodeConstellationLine("0203.9+4220 p", F::Figures);
  EXPECT_NEAR(almach->RaHours, 2 * kHour + 3 * kMinute + 53.95 * kSecond, 0.051 * kMinute);
  EXPECT_NEAR(almach->DecDegrees, 42 + 19 * kMinute + 47 * kSecond, 0.51 * kMinute);
}

TEST(DecodeConstellationLine, StylesShortLinesAndDamage) {
  using F = TConstellationFile;
  // Styles: 's' dotted and 'o' circle in column 12 of konst.dta, column 30 of konstgra.dta.
  EXPECT_EQ(DecodeConstellationLine("0203.9+4220op", F::Figures)->Style, 'o');
  EXPECT_EQ(DecodeConstellationLine("20.6386585   2.4360874     d o", F::Boundaries)->Style, 'o');
  // Columns beyond the end of the line read as blanks: no pen code draws on.
  const auto noPen = DecodeConstellationLine("0203.9+4220", F::Figures);
  ASSERT_TRUE(noPen);
  EXPECT_FALSE(noPen->StartsLine());
  // Names are 19 characters, columns 13-31, blanks kept; Windows-1252 decoded.
  EXPECT_EQ(DecodeConstellationLine("0000.0+0000 A name longer than nineteen", F::Names)->Name,
            "A name longer than ");
  EXPECT_EQ(DecodeConstellationLine("0000.0+0000 Sm\xE5h\xE4st  x", F::Names)->Name,
            "Sm\u00e5h\u00e4st  x");
  // Degrees and minutes read as ParseDegMin reads them: a part that is not a number is 0.
  const auto garbled = DecodeConstellationLine("xx03.9-ab20 p", F::Figures);
  ASSERT_TRUE(garbled);
  EXPECT_NEAR(garbled->RaHours, 3.9 * kMinute, 1e-12);
  EXPECT_NEAR(garbled->DecDegrees, -20 * kMinute, 1e-12);

  // Lines that end before their declination, and boundary numbers that are not numbers.
  const struct {
    std::string_view line;
    F file;
  } refused[] = {
      {"0203.9+422", F::Figures},
      {"1024.0-360", F::Names},
      {"20.6386585 ", F::Boundaries},
      {"20.6386585   2.436087x     p s", F::Boundaries},
  };
  for (const auto& r : refused) EXPECT_FALSE(DecodeConstellationLine(r.line, r.file)) << r.line;
}

TEST(ReadConstellationFile, ReadsTheShippedFilesWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadConstellationFile(dir / "konst.dta", TConstellationFile::Figures));
  const struct {
    std::string_view name;
    TConstellationFile file;
    std::ptrdiff_t points, starts;  // lines, lines with pen code 'p'
  } files[] = {
      {kFigureFileName, TConstellationFile::Figures, 893, 150},
      {kBoundaryFileName, TConstellationFile::Boundaries, 7262, 782},
      {kConstellationNameFileName, TConstellationFile::Names, 89, 0},
  };
  for (const auto& f : files) {
    const auto points = ReadConstellationFile(DataFolder() / f.name, f.file);
    ASSERT_TRUE(points) << f.name;
    ASSERT_EQ(std::ssize(*points), f.points) << f.name;
    EXPECT_EQ(std::count_if(points->begin(), points->end(),
                            [](const TConstellationPoint& p) { return p.StartsLine(); }),
              f.starts)
        << f.name;
  }
}

// --- "stjabild.dta" ---------------------------------------------------------------------------

TEST(DecodeConstellationInfoLine, ReadsRealLines) {
  const struct {
    std::string_view line;  // from data/stjabild.dta (line number in the comment)
    std::string_view abbreviation, latin, swedish;
  } cases[] = {
      {"Boo Bootes              Bj\xF6rnvaktaren", "Boo", "Bootes             ",
       "Bj\u00f6rnvaktaren"},  // 9
      {"Xyz A first name here   A second name is cut", "Xyz", "A first name here  ",
       "A second name i"},
      {"Xyz Short", "Xyz", "Short", ""},
  };
  for (const auto& c : cases) {
    const auto info = DecodeConstellationInfoLine(c.line);
    ASSERT_TRUE(info) << c.line;
    EXPECT_EQ(info->Abbreviation, c.abbreviation);
    EXPECT_EQ(info->LatinName, c.latin);
    EXPECT_EQ(info->SwedishName, c.swedish);
  }
  EXPECT_FALSE(DecodeConstellationInfoLine(""));
}

TEST(ReadConstellationInfoFile, ReadsTheShippedFileWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadConstellationInfoFile(dir / "stjabild.dta"));
  const auto entries = ReadConstellationInfoFile(DataFolder() / kConstellationInfoFileName);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 88u);  // the 88 IAU constellations
  EXPECT_EQ((*entries)[19].Abbreviation, "CMa");
  EXPECT_EQ((*entries)[19].SwedishName, "Stora hunden");
  for (const TConstellationInfo& e : *entries) EXPECT_EQ(e.Abbreviation.size(), 3u);
}

}  // namespace
}  // namespace himlavy
