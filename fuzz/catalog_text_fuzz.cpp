// Fuzz target: the text files of the catalogs, the zone definitions ("fil50.dta",
// "fil184.dta") and the name files ("Stjanamn.dta", "Objnamn.dta").
//
// Input: the file. Checks: one zone per line, finite bounds where valid; every name entry on
// the sky, with a non-empty UTF-8 name no wider than its field.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "base/textfile.h"
#include "catalogs/catalog_records.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  static fuzz::MemFile file;
  const auto& path = file.Write(fuzz::Bytes(data, size));

  const auto lines = ReadRawLines(path, 25, kMaxTextLines);
  const auto zones = ReadZoneDefinitions(path);
  HIMLAVY_FUZZ_CHECK(lines && zones && zones->size() == lines->size());
  for (const TZoneBounds& z : *zones) {
    if (!z.Valid) continue;
    HIMLAVY_FUZZ_CHECK(std::isfinite(z.RaStart) && std::isfinite(z.RaEnd) &&
                       std::isfinite(z.DecStart) && std::isfinite(z.DecEnd));
  }

  for (const std::size_t width : {kStarNameWidth, kObjectNameWidth}) {
    const auto names = ReadNameFile(path, width);
    HIMLAVY_FUZZ_CHECK(names.has_value());
    for (const TNameEntry& n : *names) {
      HIMLAVY_FUZZ_CHECK(n.RaHours >= 0.0 && n.RaHours < 24.0);
      HIMLAVY_FUZZ_CHECK(std::abs(n.DecDegrees) <= 90.0);
      HIMLAVY_FUZZ_CHECK(!n.Name.empty() && fuzz::IsUtf8(n.Name));
      HIMLAVY_FUZZ_CHECK(fuzz::CharCount(n.Name) <= width);
    }
  }
  return 0;
}
