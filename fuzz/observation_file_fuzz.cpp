// Fuzz target: the reader of the observation file "observ.dta" and the orbit determination.
//
// Input: the file's bytes. Checks: the reader gives either observations or a message (UTF-8,
// naming the file); an orbit that is computed has finite elements, q > 0 and e >= 0, and a
// result line of exactly 99 characters; a set that gives no orbit has a message instead; the
// iteration never runs past its cap.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "orbit/orbit_determination.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  const std::string_view bytes = fuzz::Bytes(data, size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= bytes.size() && lines.size() < 8) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  const TObservationRead read = ParseObservations(lines);
  HIMLAVY_FUZZ_CHECK(read.Set.has_value() == read.Error.empty());
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(read.Error));
  if (!read.Set) return 0;
  HIMLAVY_FUZZ_CHECK(read.Set->Name.size() == kOrbitNameWidth);
  const TOrbitReport report = DetermineOrbit(*read.Set);
  HIMLAVY_FUZZ_CHECK(report.Ok == report.Error.empty());
  HIMLAVY_FUZZ_CHECK(report.Solution.Rounds >= 1 && report.Solution.Rounds <= kMaxGaussRounds);
  if (!report.Ok) return 0;
  const TOrbitElements& e = report.Elements;
  for (double v : {e.PerihelionJD, e.Q, e.E, e.Incl, e.Node, e.Peri}) {
    HIMLAVY_FUZZ_CHECK(std::isfinite(v));
  }
  HIMLAVY_FUZZ_CHECK(e.Q > 0.0 && e.E >= 0.0);
  HIMLAVY_FUZZ_CHECK(report.Line.size() == kElementsLineWidth);
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(report.Name) && fuzz::IsUtf8(report.Warning));
  return 0;
}
