// The constellation files "konst.dta", "konstgra.dta", "konnamn.dta" and "stjabild.dta".
//
// The decoding tests take real lines of the program's data files, decoded by hand from their
// columns. The first two figure points of Andromeda are its stars Almach (gamma And, J2000
// 02h 03m 53.95s +42 deg 19' 47") and Mirach (beta And, 01h 09m 43.92s +35 deg 37' 14"), to
// the file's 0.1 minute of time and 1 minute of arc.
#include "skychart/constellation_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
      // konnamn.dta 76: the name keeps its inner blank.
      {"1530.0+0500 Serpens Caput", F::Names, 15.5, 5, ' ', ' ', "Serpens Caput"},
  };
  for (const auto& c : cases) {
    const auto point = DecodeConstellationLine(c.line, c.file);
    ASSERT_TRUE(point) << c.line;
    EXPECT_NEAR(point->RaHours, c.raHours, 1e-12) << c.line;
    EXPECT_NEAR(point->DecDegrees, c.decDegrees, 1e-12) << c.line;
    EXPECT_EQ(point->Pen, c.pen) << c.line;
    EXPECT_EQ(point->Style, c.style) << c.line;
    EXPECT_EQ(point->StartsLine(), c.pen == 'p') << c.line;
    EXPECT_EQ(point->Name, c.name) << c.line;
  }
  // The published positions of Almach and Mirach.
  const auto almach = DecodeConstellationLine("0203.9+4220 p", F::Figures);
  EXPECT_NEAR(almach->RaHours, 2 * kHour + 3 * kMinute + 53.95 * kSecond, 0.051 * kMinute);
  EXPECT_NEAR(almach->DecDegrees, 42 + 19 * kMinute + 47 * kSecond, 0.51 * kMinute);
  const auto mirach = DecodeConstellationLine("0109.7+3537 d", F::Figures);
  EXPECT_NEAR(mirach->RaHours, 1 * kHour + 9 * kMinute + 43.92 * kSecond, 0.051 * kMinute);
  EXPECT_NEAR(mirach->DecDegrees, 35 + 37 * kMinute + 14 * kSecond, 0.51 * kMinute);
}

TEST(DecodeConstellationLine, StylesShortLinesAndDamage) {
  using F = TConstellationFile;
  // Styles: 's' dotted and 'o' circle in column 12 of konst.dta, column 30 of konstgra.dta.
  EXPECT_EQ(DecodeConstellationLine("0203.9+4220sd", F::Figures)->Style, 's');
  EXPECT_EQ(DecodeConstellationLine("0203.9+4220op", F::Figures)->Style, 'o');
  EXPECT_EQ(DecodeConstellationLine("20.6386585   2.4360874     d o", F::Boundaries)->Style, 'o');
  // Columns beyond the end of the line read as blanks: no pen code draws on.
  const auto noPen = DecodeConstellationLine("0203.9+4220", F::Figures);
  ASSERT_TRUE(noPen);
  EXPECT_EQ(noPen->Pen, ' ');
  EXPECT_FALSE(noPen->StartsLine());
  // Names are 19 characters, columns 13-31, blanks kept; Windows-1252 decoded.
  EXPECT_EQ(DecodeConstellationLine("0000.0+0000 A name longer than nineteen", F::Names)->Name,
            "A name longer than ");
  EXPECT_EQ(DecodeConstellationLine("0000.0+0000 Sm\xE5h\xE4st  x", F::Names)->Name,
            "Sm\u00e5h\u00e4st  x");
  EXPECT_EQ(DecodeConstellationLine("0000.0+0000", F::Names)->Name, "");
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
      {"20.638658x   2.4360874     p s", F::Boundaries},
      {"20.6386585   2.436087x     p s", F::Boundaries},
      {"20.6386585                 p s", F::Boundaries},
  };
  for (const auto& r : refused) EXPECT_FALSE(DecodeConstellationLine(r.line, r.file)) << r.line;
}

TEST(ReadConstellationFile, ReadsTheShippedFilesWhole) {
  ScratchDir dir;
  EXPECT_FALSE(ReadConstellationFile(dir / "konst.dta", TConstellationFile::Figures));
  const struct {
    std::string_view name;
    TConstellationFile file;
    std::size_t points, starts;  // lines, lines with pen code 'p'
  } files[] = {
      {kFigureFileName, TConstellationFile::Figures, 893, 150},
      {kBoundaryFileName, TConstellationFile::Boundaries, 7262, 782},
      {kConstellationNameFileName, TConstellationFile::Names, 89, 0},
  };
  for (const auto& f : files) {
    const auto points = ReadConstellationFile(DataFolder() / f.name, f.file);
    ASSERT_TRUE(points) << f.name;
    ASSERT_EQ(points->size(), f.points) << f.name;
    std::size_t starts = 0;
    for (const TConstellationPoint& p : *points) {
      EXPECT_GE(p.RaHours, 0.0) << f.name;
      EXPECT_LT(p.RaHours, 24.0) << f.name;
      EXPECT_LE(std::abs(p.DecDegrees), 90.0) << f.name;
      starts += p.StartsLine();
    }
    EXPECT_EQ(starts, f.starts) << f.name;
    if (f.file != TConstellationFile::Names) {
      EXPECT_TRUE(points->front().StartsLine()) << f.name;
    }
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
      {"Xy", "Xy", "", ""},
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
