// Per-call cost of the planetary series read from data/PLANETS.DAT: the heliocentric position
// of each planet, the loading of all nine records, and the full apparent place of each body
// (the moment's terms and the pipeline with light time, nutation and aberration, as the
// ephemeris window computes it). The time changes from call to call (1024 moments spread over
// 1900-2100 in a scrambled order) so that the work cannot be hoisted out of the loop. The
// series are read from the data folder of the source tree.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "astro/apparent.h"
#include "astro/positions.h"
#include "base/basic.h"
#include "bench_support.h"

namespace {

using himlavy::bench::DataFolder;
using himlavy::bench::GoldenSpread;
using himlavy::bench::RunOverValues;

constexpr int kPlanetRecords = 9;  // records 0..8 of PLANETS2.NDX

// Opens the series afresh and loads all nine records, as the sky chart has them. Every
// benchmark that evaluates the series calls this first: the load benchmark closes them.
bool LoadAllPlanets() {
  himlavy::PlanetDataOpen(DataFolder());
  for (int p = 0; p < kPlanetRecords; ++p) {
    if (!himlavy::PlanetDataLoad(p)) return false;
  }
  return true;
}

void SkipWithoutData(benchmark::State& state) {
  const std::string message = "cannot load the planetary series from " + DataFolder().string();
  state.SkipWithError(message.c_str());
}

// One planet's VSOP87 sums (Pluto: its periodic series), all nine records loaded.
void BM_HeliocentricPlanet(benchmark::State& state, int planet) {
  if (!LoadAllPlanets()) {
    SkipWithoutData(state);
    return;
  }
  RunOverValues(state, GoldenSpread(-1.0, 1.0),
                [planet](double t) { return himlavy::HeliocentricPlanet(planet, t); });
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
  const std::filesystem::path dir = DataFolder();
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
  const himlavy::TSite site{59.33, 18.07, 30.0};
  const himlavy::TCorrections corrections;
  constexpr double kDeltaTDays = 69.0 / 86400.0;
  RunOverValues(state, GoldenSpread(-1.0, 1.0), [&](double t) {
    const double jdTT = 2451545.0 + 36525.0 * t;
    const himlavy::TMomentTerms m =
        himlavy::MomentTerms(jdTT, jdTT - kDeltaTDays, site, corrections);
    return himlavy::ApparentPlace(body, m, corrections);
  });
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
