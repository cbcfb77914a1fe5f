#include "skychart/constellation_files.h"

#include <algorithm>

#include "base/formatting.h"
#include "base/numtext.h"
#include "base/textfile.h"

namespace himlavy {

namespace {

// The character in a column, or a blank where the line is shorter.
char At(std::string_view line, std::size_t column) {
  return line.size() >= column ? line[column - 1] : ' ';
}

std::string_view Cut(std::string_view line, std::size_t chars) {
  return line.substr(0, std::min(line.size(), chars));
}

}  // namespace

std::optional<TConstellationPoint> DecodeConstellationLine(std::string_view line,
                                                           TConstellationFile file) {
  line = Cut(line, kChartLineChars);
  TConstellationPoint point;
  if (file == TConstellationFile::Boundaries) {
    if (line.size() < 12) return std::nullopt;
    const auto ra = ParseReal(LineColumns(line, 1, 10));
    const auto dec = ParseReal(LineColumns(line, 12, 22));
    if (!ra || !dec) return std::nullopt;
    point.RaHours = *ra;
    point.DecDegrees = *dec;
    point.Pen = At(line, 28);
    point.Style = At(line, 30);
    return point;
  }
  if (line.size() < 11) return std::nullopt;
  point.RaHours = ParseDegMin(LineColumns(line, 1, 6));
  point.DecDegrees = ParseSignedDegMin(LineColumns(line, 7, 11));
  if (file == TConstellationFile::Figures) {
    point.Style = At(line, 12);
    point.Pen = At(line, 13);
  } else {
    point.Name = Cp1252ToUtf8(LineColumns(line, 13, 12 + kConstellationNameWidth));
  }
  return point;
}

std::optional<std::vector<TConstellationPoint>> ReadConstellationFile(
    const std::filesystem::path& path, TConstellationFile file) {
  const auto lines = ReadRawLines(path, kChartLineChars, kMaxConstellationLines);
  if (!lines) return std::nullopt;
  std::vector<TConstellationPoint> points;
  points.reserve(lines->size());
  for (const std::string& line : *lines) {
    if (auto point = DecodeConstellationLine(line, file)) points.push_back(std::move(*point));
  }
  return points;
}

std::optional<TConstellationInfo> DecodeConstellationInfoLine(std::string_view line) {
  line = Cut(line, kConstellationInfoChars);
  if (line.empty()) return std::nullopt;
  return TConstellationInfo{Cp1252ToUtf8(LineColumns(line, 1, 3)),
                            Cp1252ToUtf8(LineColumns(line, 5, 23)),
                            Cp1252ToUtf8(LineColumns(line, 25, 39))};
}

std::optional<std::vector<TConstellationInfo>> ReadConstellationInfoFile(
    const std::filesystem::path& path) {
  const auto lines = ReadRawLines(path, kConstellationInfoChars, kMaxConstellationLines);
  if (!lines) return std::nullopt;
  std::vector<TConstellationInfo> entries;
  entries.reserve(lines->size());
  for (const std::string& line : *lines) {
    if (auto entry = DecodeConstellationInfoLine(line)) entries.push_back(std::move(*entry));
  }
  return entries;
}

}  // namespace himlavy
