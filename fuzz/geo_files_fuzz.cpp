// Fuzz target: the geographic files "karta.dta", "ortsnamn.dta" and "land.dta", and the look-up
// of the observing site by name in "ortsnamn.dta".
//
// Input: the file, read by all three readers, each of its decoders also given the whole input
// as one line. Checks: finite coordinates; UTF-8 texts no wider than their columns; place line
// numbers rising within the file; a site found by name has finite coordinates, none of them
// exactly 0 (latitude) or 90, and a name that holds the key.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/place_lookup.h"
#include "base/textfile.h"
#include "earth/geo_files.h"
#include "fuzz_support.h"

namespace himlavy {
namespace {

void CheckPoint(const TMapPoint& p) {
  HIMLAVY_FUZZ_CHECK(std::isfinite(p.Latitude) && std::isfinite(p.Longitude));
}

void CheckPlace(const TPlaceEntry& p) {
  HIMLAVY_FUZZ_CHECK(std::isfinite(p.Latitude) && std::isfinite(p.Longitude));
  for (const std::string* text : {&p.Name, &p.Label, &p.CountryCode, &p.Zone}) {
    HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(*text));
  }
  HIMLAVY_FUZZ_CHECK(fuzz::CharCount(p.Name) <= 30 && fuzz::CharCount(p.Label) <= 31 &&
                     fuzz::CharCount(p.CountryCode) <= 2 && fuzz::CharCount(p.Zone) <= 6);
}

void CheckCountry(const TCountryEntry& c) {
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(c.Code) && fuzz::IsUtf8(c.Name));
  HIMLAVY_FUZZ_CHECK(fuzz::CharCount(c.Code) <= 2 && fuzz::CharCount(c.Name) <= 28);
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  const std::string_view text = fuzz::Bytes(data, size);

  // The whole input as one line.
  if (const auto p = DecodeMapLine(text)) CheckPoint(*p);
  if (const auto p = DecodePlaceLine(text, 1)) CheckPlace(*p);
  if (const auto c = DecodeCountryLine(text)) CheckCountry(*c);

  // The input as each of the files.
  static fuzz::MemFile file;
  const auto& path = file.Write(text);
  const auto points = ReadMapFile(path);
  HIMLAVY_FUZZ_CHECK(points.has_value());
  for (const TMapPoint& p : *points) CheckPoint(p);

  const auto lines = ReadRawLines(path, kPlaceLineChars, kMaxGeoLines);
  const auto places = ReadPlaceFile(path);
  HIMLAVY_FUZZ_CHECK(lines && places && places->size() <= lines->size());
  std::size_t previous = 0;
  for (const TPlaceEntry& p : *places) {
    CheckPlace(p);
    HIMLAVY_FUZZ_CHECK(p.Line > previous && p.Line <= lines->size());
    previous = p.Line;
  }

  const auto countries = ReadCountryFile(path);
  HIMLAVY_FUZZ_CHECK(countries.has_value());
  for (const TCountryEntry& c : *countries) CheckCountry(c);

  // The site by name: fixed keys, and the first bytes of the file (which its first name holds).
  const std::string head = Cp1252ToUtf8(text.substr(0, std::min<std::size_t>(text.size(), 4)));
  for (const std::string_view key : {std::string_view("Stockholm"), std::string_view("["),
                                     std::string_view(" "), std::string_view(head)}) {
    TObsState state;
    const TLookUpResult r = LookUpPlace(state, key, path);
    HIMLAVY_FUZZ_CHECK(r.Status != TLookUpStatus::FileMissing);
    if (r.Status != TLookUpStatus::Found) continue;
    HIMLAVY_FUZZ_CHECK(!key.empty() && state.PlaceName.find(key) != std::string::npos);
    HIMLAVY_FUZZ_CHECK(std::isfinite(state.Latitude) && std::isfinite(state.Longitude));
    HIMLAVY_FUZZ_CHECK(state.Latitude != 0.0 && state.Latitude != 90.0 && state.Longitude != 90.0);
    HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(state.PlaceName) && fuzz::IsUtf8(r.ZoneText));
  }
  return 0;
}
