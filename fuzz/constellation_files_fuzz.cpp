// Fuzz target: the constellation files "konst.dta", "konstgra.dta", "konnamn.dta" and
// "stjabild.dta".
//
// Input: the file, read as each of the four, each decoder also given the whole input as one
// line. Checks: finite positions; no more points than lines; UTF-8 texts no wider than their
// columns; a name only in "konnamn.dta".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/textfile.h"
#include "fuzz_support.h"
#include "skychart/constellation_files.h"

namespace himlavy {
namespace {

constexpr TConstellationFile kFiles[] = {TConstellationFile::Figures,
                                         TConstellationFile::Boundaries, TConstellationFile::Names};

void CheckPoint(const TConstellationPoint& p, TConstellationFile file) {
  HIMLAVY_FUZZ_CHECK(std::isfinite(p.RaHours) && std::isfinite(p.DecDegrees));
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(p.Name) && fuzz::CharCount(p.Name) <= kConstellationNameWidth);
  if (file != TConstellationFile::Names) HIMLAVY_FUZZ_CHECK(p.Name.empty());
}

void CheckInfo(const TConstellationInfo& c) {
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(c.Abbreviation) && fuzz::IsUtf8(c.LatinName) &&
                     fuzz::IsUtf8(c.SwedishName));
  HIMLAVY_FUZZ_CHECK(fuzz::CharCount(c.Abbreviation) <= 3 && fuzz::CharCount(c.LatinName) <= 19 &&
                     fuzz::CharCount(c.SwedishName) <= 15);
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  const std::string_view text = fuzz::Bytes(data, size);

  for (const TConstellationFile f : kFiles) {
    if (const auto p = DecodeConstellationLine(text, f)) CheckPoint(*p, f);
  }
  if (const auto c = DecodeConstellationInfoLine(text)) CheckInfo(*c);

  static fuzz::MemFile file;
  const auto& path = file.Write(text);
  const auto lines = ReadRawLines(path, kConstellationInfoChars, kMaxConstellationLines);
  HIMLAVY_FUZZ_CHECK(lines.has_value());
  for (const TConstellationFile f : kFiles) {
    const auto points = ReadConstellationFile(path, f);
    HIMLAVY_FUZZ_CHECK(points && points->size() <= lines->size());
    for (const TConstellationPoint& p : *points) CheckPoint(p, f);
  }
  const auto infos = ReadConstellationInfoFile(path);
  HIMLAVY_FUZZ_CHECK(infos && infos->size() <= lines->size());
  for (const TConstellationInfo& c : *infos) CheckInfo(c);
  return 0;
}
