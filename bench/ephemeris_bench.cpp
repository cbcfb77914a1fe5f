// Per-call cost of the planetary series read from data/PLANETS.DAT: the heliocentric position
// of each planet, the loading of all nine records, and the full apparent place of each body
// (the moment's terms and the pipeline with light time, nutation and aberration, as the
// ephemeris window computes it). The time changes from call to call (1024 moments spread over
// 1900-2100 in a scrambled order) so that the work cannot be hoisted out of the loop.
//
// The series are read from the data folder of the source tree: $HIMLAVY_SOURCE_DIR/data when
// that variable is set, otherwise the folder compiled in as HIMLAVY_SOURCE_DIR.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "astro/apparent.h"
#include "astro/basic.h"
#include "astro/positions.h"

namespace {

constexpr std::size_t kCount = 1024;  // a power of two: the index wraps with a mask
constexpr int kPlanetRecords = 9;     // records 0..8 of PLANETS2.NDX

// Julian centuries from J2000.0 in [lo, hi), stepped by the golden ratio.
std::array<double, kCount> Moments(double lo, double hi) {
  std::array<double, kCount> values{};
  constexpr double kGolden = 0.6180339887498949;
  double fraction = 0.0;
  for (double& t : values) {
    fraction += kGolden;
    if (fraction >= 1.0) fraction -= 1.0;
    t = lo + (hi - lo) * fraction;
  }
  return values;
}

std::filesystem::path DataDir() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR"); source != nullptr && *source != 0) {
    return std::filesystem::path(source) / "data";
  }
#ifdef HIMLAVY_SOURCE_DIR
  return std::filesystem::path(HIMLAVY_SOURCE_DIR) / "data";
#else
  return std::filesystem::path("data");
#endif
}

// Opens the series afresh and loads all nine records, as the sky chart has them. Every
// benchmark that evaluates the series calls this first: the load benchmark closes them.
bool LoadAllPlanets() {
  himlavy::PlanetDataOpen(DataDir());
  for (int p = 0; p < kPlanetRecords; ++p) {
    if (!himlavy::PlanetDataLoad(p)) return false;
  }
  return true;
}

void SkipWithoutData(benchmark::State& state) {
  const std::string message = "cannot load the planetary series from " + DataDir().string();
  state.SkipWithError(message.c_str());
}

// One planet's VSOP87 sums (Pluto: its periodic series), all nine records loaded.
void BM_HeliocentricPlanet(benchmark::State& state, int planet) {
  if (!LoadAllPlanets()) {
    SkipWithoutData(state);
    return;
  }
  const std::array<double, kCount> moments = Moments(-1.0, 1.0);
  std::size_t i = 0;
  for (auto _ : state) {
    himlavy::TSpherical p = himlavy::HeliocentricPlanet(planet, moments[i]);
    benchmark::DoNotOptimize(p);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, earth_j2000, 0);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, mercury, 1);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, venus, 2);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, earth, 3);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, mars, 4);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, jupiter, 5);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, saturn, 6);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, uranus, 7);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, neptune, 8);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, pluto, 9);

// One cycle of the term buffer: open, load records 0..8 (all 2637 slots), close.
void BM_PlanetDataLoadAll(benchmark::State& state) {
  const std::filesystem::path dir = DataDir();
  for (auto _ : state) {
    himlavy::PlanetDataOpen(dir);
    bool ok = true;
    for (int p = 0; p < kPlanetRecords; ++p) ok = himlavy::PlanetDataLoad(p) && ok;
    benchmark::DoNotOptimize(ok);
    himlavy::PlanetDataClose();
    if (!ok) {
      SkipWithoutData(state);
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlanetDataLoadAll)->Unit(benchmark::kMicrosecond);

// The apparent place of one body at a moment: MomentTerms (mean obliquity, nutation, sidereal
// time, the site) and ApparentPlace with light time, nutation and aberration on, parallax and
// refraction off, the horizontal coordinates included. Site: 59.33 N, 18.07 E, 30 m.
void BM_ApparentPlace(benchmark::State& state, int body) {
  if (!LoadAllPlanets()) {
    SkipWithoutData(state);
    return;
  }
  const std::array<double, kCount> moments = Moments(-1.0, 1.0);
  const himlavy::TSite site{59.33, 18.07, 30.0};
  const himlavy::TCorrections corrections;
  constexpr double kDeltaTDays = 69.0 / 86400.0;
  std::size_t i = 0;
  for (auto _ : state) {
    const double jdTT = 2451545.0 + 36525.0 * moments[i];
    const himlavy::TMomentTerms m =
        himlavy::MomentTerms(jdTT, jdTT - kDeltaTDays, site, corrections);
    himlavy::TApparentPlace p = himlavy::ApparentPlace(body, m, corrections);
    benchmark::DoNotOptimize(p);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ApparentPlace, sun, himlavy::kSunBody);
BENCHMARK_CAPTURE(BM_ApparentPlace, moon, himlavy::kMoonBody);
BENCHMARK_CAPTURE(BM_ApparentPlace, mercury, 1);
BENCHMARK_CAPTURE(BM_ApparentPlace, venus, 2);
BENCHMARK_CAPTURE(BM_ApparentPlace, mars, 4);
BENCHMARK_CAPTURE(BM_ApparentPlace, jupiter, 5);
BENCHMARK_CAPTURE(BM_ApparentPlace, saturn, 6);
BENCHMARK_CAPTURE(BM_ApparentPlace, uranus, 7);
BENCHMARK_CAPTURE(BM_ApparentPlace, neptune, 8);
BENCHMARK_CAPTURE(BM_ApparentPlace, pluto, himlavy::kPlutoPlanet);

}  // namespace
