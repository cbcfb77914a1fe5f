// The constellation files of the sky chart: "konst.dta" (figures), "konstgra.dta" (boundaries),
// "konnamn.dta" (name labels), and "stjabild.dta" (abbreviations and names, for the star
// readout).
//
// All four are Windows-1252 text, one entry per line, fields at fixed byte columns counted from
// 1; texts are decoded to UTF-8. Positions are for the equinox J2000.0.
//
//   konst.dta      1-6 right ascension, hours and minutes ("0203.9", read as ParseDegMin reads
//                  it), 7-11 declination, sign, degrees and minutes ("+4220", as
//                  ParseSignedDegMin), 12 style, 13 pen code
//   konstgra.dta   1-10 right ascension in decimal hours, 12-22 declination in decimal degrees,
//                  28 pen code, 30 style
//   konnamn.dta    1-6 and 7-11 as in konst.dta, 13-31 the name (19 characters)
//   stjabild.dta   1-3 abbreviation, 5-23 first name, 25-39 second name
//
// Pen code: 'p' starts a new line at the point; any other character draws a line from the
// previous point. Style: 's' dotted, 'o' solid with a small circle at the point, any other
// solid. A column beyond the end of a line reads as a blank.
//
// Readers never trust a file: a file that cannot be opened gives std::nullopt, a line that
// ends before its declination is skipped quietly (as is a "konstgra.dta" line whose numbers
// are not numbers), the chart files are read as at most kChartLineChars characters a line and
// no file is read past kMaxConstellationLines lines.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace himlavy {

inline constexpr std::string_view kFigureFileName = "konst.dta";
inline constexpr std::string_view kBoundaryFileName = "konstgra.dta";
inline constexpr std::string_view kConstellationNameFileName = "konnamn.dta";
inline constexpr std::string_view kConstellationInfoFileName = "stjabild.dta";

// The characters read of a line of the three chart files.
inline constexpr std::size_t kChartLineChars = 37;

// The characters read of a "stjabild.dta" line.
inline constexpr std::size_t kConstellationInfoChars = 39;

// The width of a name in "konnamn.dta".
inline constexpr std::size_t kConstellationNameWidth = 19;

// No constellation file is read past this many lines.
inline constexpr std::size_t kMaxConstellationLines = 100000;

// The three chart files, by the mode of the routine that draws them.
enum class TConstellationFile { Figures = 1, Boundaries = 2, Names = 3 };

// One line of a chart file.
struct TConstellationPoint {
  double RaHours = 0.0;     // right ascension J2000.0, hours
  double DecDegrees = 0.0;  // declination J2000.0, degrees
  char Pen = ' ';           // pen code ('p' = new line); ' ' in "konnamn.dta"
  char Style = ' ';         // 's' dotted, 'o' circle, other solid; ' ' in "konnamn.dta"
  std::string Name;         // "konnamn.dta": columns 13-31 as stored (blanks kept), UTF-8

  bool StartsLine() const { return Pen == 'p'; }
};

// DecodeConstellationLine: one line of a chart file.
//   line     the line's bytes without its line end (only the first kChartLineChars count)
//   file     which file the line comes from
//   returns  the point, or std::nullopt when the line ends before the last column of its
//            declination (11 in "konst.dta" and "konnamn.dta", 12 in "konstgra.dta"), or, in
//            "konstgra.dta", when right ascension (1-10) or declination (12-22, as far as the
//            line reaches) is not a number. In "konst.dta" and "konnamn.dta" a part of a
//            position that is not a number counts as 0, as ParseDegMin reads it.
std::optional<TConstellationPoint> DecodeConstellationLine(std::string_view line,
                                                           TConstellationFile file);

// ReadConstellationFile: every point of a chart file in file order, skipping lines that
// DecodeConstellationLine refuses.
//   path     the file
//   file     which of the three it is
//   returns  the points, or std::nullopt when the file cannot be opened
std::optional<std::vector<TConstellationPoint>> ReadConstellationFile(
    const std::filesystem::path& path, TConstellationFile file);

// One line of "stjabild.dta".
struct TConstellationInfo {
  std::string Abbreviation;  // columns 1-3 ("And"), UTF-8
  std::string LatinName;     // columns 5-23, the first name, as stored (blanks kept), UTF-8
  std::string SwedishName;   // columns 25-39, the second name, as stored, UTF-8
};

// DecodeConstellationInfoLine: one line of "stjabild.dta".
//   line     the line's bytes without its line end (only the first kConstellationInfoChars
//            count)
//   returns  the entry (names empty or short where the line ends early), or std::nullopt for
//            an empty line
std::optional<TConstellationInfo> DecodeConstellationInfoLine(std::string_view line);

// ReadConstellationInfoFile: every entry of "stjabild.dta" in file order, skipping empty lines.
// The star readout takes the names of the last entry whose abbreviation matches.
//   path     the file
//   returns  the entries, or std::nullopt when the file cannot be opened
std::optional<std::vector<TConstellationInfo>> ReadConstellationInfoFile(
    const std::filesystem::path& path);

}  // namespace himlavy
