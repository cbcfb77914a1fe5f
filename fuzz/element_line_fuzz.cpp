// Fuzz target: the element-line parser of "asteroid.dta", "komet.dta" and "rymdsond.dta".
//
// Input: one byte choosing the layout (asteroid, comet, probe: modulo 3), then the text, taken
// both as one line and as a whole file. Checks: a body has finite elements that describe an
// orbit (e >= 0, q > 0; a > 0 and e < 1 for asteroids), a known central body and a UTF-8 name
// no wider than its columns; a comment line is never used and gives no body; the file reader
// gives no more bodies than the file has lines.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/textfile.h"
#include "catalogs/element_files.h"
#include "fuzz_support.h"

namespace himlavy {
namespace {

// Moments at which the lines are tried: J2000.0, 2024 January 1, and one far outside the
// files' years.
constexpr double kMoments[] = {2451545.0, 2460310.5, 1.0e7};

void CheckBody(const TMinorBody& body, TElementFileKind kind) {
  const TElements& e = body.Elements;
  for (double v :
       {e.Epoch, e.M0, e.SemiMajor, e.PeriDist, e.DailyMotion, e.Ecc, e.ArgPeri, e.Node, e.Incl}) {
    HIMLAVY_FUZZ_CHECK(std::isfinite(v));
  }
  HIMLAVY_FUZZ_CHECK(e.Ecc >= 0.0 && e.PeriDist > 0.0);
  if (kind == TElementFileKind::Asteroid) {
    // The daily motion k / (a sqrt a) may underflow to 0 for an absurd a (5E+000288 AU):
    // a body that stands still, not a fault of the reader.
    HIMLAVY_FUZZ_CHECK(e.Ecc < 1.0 && e.SemiMajor > 0.0 && e.DailyMotion >= 0.0);
  }
  HIMLAVY_FUZZ_CHECK(FindCentralBody(body.Centre) != nullptr && body.GaussK > 0.0);
  HIMLAVY_FUZZ_CHECK(fuzz::IsUtf8(body.Name));
  HIMLAVY_FUZZ_CHECK(fuzz::CharCount(body.Name) <= (kind == TElementFileKind::Probe ? 20u : 30u));
  if (body.Mag1) HIMLAVY_FUZZ_CHECK(std::isfinite(*body.Mag1));
  if (body.Mag2) HIMLAVY_FUZZ_CHECK(std::isfinite(*body.Mag2));
}

}  // namespace
}  // namespace himlavy

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace himlavy;
  if (size == 0) return 0;
  static const TElementFileKind kKinds[] = {TElementFileKind::Asteroid, TElementFileKind::Comet,
                                            TElementFileKind::Probe};
  const TElementFileKind kind = kKinds[data[0] % 3];
  const std::string_view text = fuzz::Bytes(data + 1, size - 1);

  // The text as one line.
  const bool comment = !text.empty() && text.front() == ';';
  for (const double jd : kMoments) {
    const bool used = ElementLineUsed(text, kind, jd);
    HIMLAVY_FUZZ_CHECK(!(comment && used));
  }
  const auto body = ElementLineToBody(text, kind);
  HIMLAVY_FUZZ_CHECK(!(comment && body));
  if (body) CheckBody(*body, kind);

  // The text as a file.
  static fuzz::MemFile file;
  const auto& path = file.Write(text);
  const auto lines = ReadRawLines(path, kElementLineChars, kMaxElementLines);
  HIMLAVY_FUZZ_CHECK(lines.has_value());
  for (const double jd : kMoments) {
    const auto bodies = ReadUsedElementLines(path, kind, jd);
    HIMLAVY_FUZZ_CHECK(bodies && bodies->size() <= lines->size());
    for (const TMinorBody& b : *bodies) CheckBody(b, kind);
  }
  return 0;
}
