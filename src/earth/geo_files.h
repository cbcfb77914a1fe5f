// The geographic data files: "karta.dta" (coastlines and land marks), "ortsnamn.dta" (places)
// and "land.dta" (countries).
//
// All three are Windows-1252 text, one record per line, fields at fixed byte columns counted
// from 1; numbers are read from the column text with the blanks around them removed. Texts are
// decoded to UTF-8.
//
//   karta.dta        1-5 latitude (decimal degrees, north positive), 6 pen code,
//                    7-12 longitude (decimal degrees, east positive)
//   ortsnamn.dta     1-30 place name with the country code as "[" and two letters,
//                    33-38 latitude and 40-46 longitude as degrees.minutes (59.20 = 59 deg 20'),
//                    48-53 time-zone text ("*" marks summer time)
//   land.dta         1-2 country code, 4-31 country name
//
// The readers give the coordinates as stored (degrees.minutes already turned into degrees).
// The replacements of a latitude of exactly 0 by 0.001 and of exactly 90 by 89.999 (and of a
// longitude of 90 by 89.999) before projecting differ between the drawings and are theirs.
//
// Readers never trust a file: a file that cannot be opened gives std::nullopt, a line whose
// coordinates are not numbers is skipped quietly, a line is read only as far as its last field
// and no file is read past kMaxGeoLines lines.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace himlavy {

inline constexpr std::string_view kMapFileName = "karta.dta";
inline constexpr std::string_view kCountryFileName = "land.dta";
// The place file is kPlaceFileName ("ortsnamn.dta") of shell/place_lookup.h.

// No geographic file is read past this many lines.
inline constexpr std::size_t kMaxGeoLines = 100000;

// --- "karta.dta" ---------------------------------------------------------------------------------

// The characters read of a "karta.dta" line.
inline constexpr std::size_t kMapLineChars = 12;

// One point of "karta.dta".
struct TMapPoint {
  double Latitude = 0.0;   // degrees, north positive
  double Longitude = 0.0;  // degrees, east positive
  char Code = ' ';         // pen code: 'P' new line, ' ' black, '.' dark blue, ',' blue-green,
                           // 'g' and 'G' land marks, 'V' ice mark (any other byte kept as read)
};

// DecodeMapLine: one line of "karta.dta".
//   line     the line's bytes without its line end (only the first kMapLineChars count)
//   returns  the point, or std::nullopt when the line ends before column 7 or the latitude
//            (columns 1-5) or the longitude (columns 7-12, as far as the line reaches) is not
//            a number
std::optional<TMapPoint> DecodeMapLine(std::string_view line);

// ReadMapFile: every point of "karta.dta" in file order, skipping lines DecodeMapLine refuses.
//   path     the file
//   returns  the points, or std::nullopt when the file cannot be opened
std::optional<std::vector<TMapPoint>> ReadMapFile(const std::filesystem::path& path);

// --- "ortsnamn.dta" ------------------------------------------------------------------------------

// The characters read of an "ortsnamn.dta" line.
inline constexpr std::size_t kPlaceLineChars = 54;

// The characters of a line the Earth map keeps for the name under the mouse.
inline constexpr std::size_t kPlaceLabelChars = 31;

// One place of "ortsnamn.dta".
struct TPlaceEntry {
  std::size_t Line = 0;     // line number in the file, from 1
  std::string Name;         // columns 1-30 as stored (trailing blanks kept), UTF-8
  std::string Label;        // columns 1-31, UTF-8
  std::string CountryCode;  // the two characters after the first "[" within columns 1-31
                            // (fewer where the line ends; empty without a "["), UTF-8
  double Latitude = 0.0;    // degrees, north positive (DegMinToDeg of columns 33-38)
  double Longitude = 0.0;   // degrees, east positive (DegMinToDeg of columns 40-46)
  std::string Zone;         // columns 48-53 as stored, UTF-8
};

// DecodePlaceLine: one line of "ortsnamn.dta".
//   line        the line's bytes without its line end (only the first kPlaceLineChars count)
//   lineNumber  its number in the file (from 1), kept in the entry
//   returns     the place, or std::nullopt when the latitude or the longitude is missing, not a
//               number, or off the globe (beyond +-90 or +-180 degrees)
std::optional<TPlaceEntry> DecodePlaceLine(std::string_view line, std::size_t lineNumber);

// ReadPlaceFile: every place of "ortsnamn.dta" in file order, skipping lines DecodePlaceLine
// refuses (their line numbers are not given to later lines).
//   path     the file
//   returns  the places, or std::nullopt when the file cannot be opened
std::optional<std::vector<TPlaceEntry>> ReadPlaceFile(const std::filesystem::path& path);

// --- "land.dta" ----------------------------------------------------------------------------------

// The characters read of a "land.dta" line.
inline constexpr std::size_t kCountryLineChars = 32;

// One country of "land.dta".
struct TCountryEntry {
  std::string Code;  // columns 1-2, UTF-8
  std::string Name;  // columns 4-31 as stored, UTF-8
};

// DecodeCountryLine: one line of "land.dta".
//   line     the line's bytes without its line end (only the first kCountryLineChars count)
//   returns  the country, or std::nullopt for an empty line
std::optional<TCountryEntry> DecodeCountryLine(std::string_view line);

// ReadCountryFile: every country of "land.dta" in file order, skipping empty lines.
//   path     the file
//   returns  the countries, or std::nullopt when the file cannot be opened
std::optional<std::vector<TCountryEntry>> ReadCountryFile(const std::filesystem::path& path);

}  // namespace himlavy
