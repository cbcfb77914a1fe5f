#include "earth/geo_files.h"

#include <cmath>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/obs_state.h"
#include "base/textfile.h"

namespace himlavy {

namespace {

// Decodes every line of a file with `decode`, keeping what it gives.
template <typename Entry, typename Decoder>
std::optional<std::vector<Entry>> ReadLines(const std::filesystem::path& path,
                                            std::size_t lineChars, Decoder decode) {
  const auto lines = ReadRawLines(path, lineChars, kMaxGeoLines);
  if (!lines) return std::nullopt;
  std::vector<Entry> entries;
  entries.reserve(lines->size());
  for (std::size_t i = 0; i < lines->size(); ++i) {
    if (auto entry = decode((*lines)[i], i + 1)) entries.push_back(std::move(*entry));
  }
  return entries;
}

}  // namespace

std::optional<TMapPoint> DecodeMapLine(std::string_view line) {
  line = line.substr(0, kMapLineChars);
  if (line.size() < 7) return std::nullopt;
  const auto latitude = ParseReal(LineColumns(line, 1, 5));
  const auto longitude = ParseReal(LineColumns(line, 7, 12));
  if (!latitude || !longitude) return std::nullopt;
  return TMapPoint{*latitude, *longitude, line[5]};
}

std::optional<std::vector<TMapPoint>> ReadMapFile(const std::filesystem::path& path) {
  return ReadLines<TMapPoint>(
      path, kMapLineChars, [](std::string_view line, std::size_t) { return DecodeMapLine(line); });
}

std::optional<TPlaceEntry> DecodePlaceLine(std::string_view line, std::size_t lineNumber) {
  line = line.substr(0, kPlaceLineChars);
  const auto latitude = ParseReal(LineColumns(line, 33, 38));
  const auto longitude = ParseReal(LineColumns(line, 40, 46));
  if (!latitude || !longitude) return std::nullopt;
  // A place off the globe is a damaged line.
  if (!(std::fabs(DegMinToDeg(*latitude)) <= kMaxLatitude &&
        std::fabs(DegMinToDeg(*longitude)) <= kMaxLongitude)) {
    return std::nullopt;
  }
  TPlaceEntry place;
  place.Line = lineNumber;
  place.Name = Cp1252ToUtf8(LineColumns(line, 1, 30));
  const std::string_view label = LineColumns(line, 1, kPlaceLabelChars);
  place.Label = Cp1252ToUtf8(label);
  if (const auto bracket = label.find('['); bracket != std::string_view::npos) {
    place.CountryCode = Cp1252ToUtf8(line.substr(bracket + 1, 2));
  }
  place.Latitude = DegMinToDeg(*latitude);
  place.Longitude = DegMinToDeg(*longitude);
  place.Zone = Cp1252ToUtf8(LineColumns(line, 48, 53));
  return place;
}

std::optional<std::vector<TPlaceEntry>> ReadPlaceFile(const std::filesystem::path& path) {
  return ReadLines<TPlaceEntry>(path, kPlaceLineChars, DecodePlaceLine);
}

std::optional<TCountryEntry> DecodeCountryLine(std::string_view line) {
  line = line.substr(0, kCountryLineChars);
  if (line.empty()) return std::nullopt;
  return TCountryEntry{Cp1252ToUtf8(LineColumns(line, 1, 2)),
                       Cp1252ToUtf8(LineColumns(line, 4, 31))};
}

std::optional<std::vector<TCountryEntry>> ReadCountryFile(const std::filesystem::path& path) {
  return ReadLines<TCountryEntry>(path, kCountryLineChars, [](std::string_view line, std::size_t) {
    return DecodeCountryLine(line);
  });
}

}  // namespace himlavy
