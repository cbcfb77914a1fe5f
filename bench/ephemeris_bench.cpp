// Per-call cost of the planetary series read from data/PLANETS.DAT: the heliocentric position
// of each planet, the loading of all nine records, and the full apparent place of each body
// (the moment's terms and the pipeline with light time, nutation and aberration, as the
// ephemeris window computes it). The time changes from call to call (1024 moments spread over
// 1900-2100 in a scrambled order) so that the work cannot be hoisted out of the loop. The
// series are read from the data folder of the source tree.
#include <benchmark/benchmark.h>

#include <array>
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

using himlavy::TBody;
using himlavy::TSeriesPlanet;

// Records 0..8 of PLANETS2.NDX, in their order.
constexpr std::array<TSeriesPlanet, 9> kPlanetRecords = {
    TSeriesPlanet::EarthJ2000, TSeriesPlanet::Mercury, TSeriesPlanet::Venus,
    TSeriesPlanet::Earth,      TSeriesPlanet::Mars,    TSeriesPlanet::Jupiter,
    TSeriesPlanet::Saturn,     TSeriesPlanet::Uranus,  TSeriesPlanet::Neptune};

// Opens the series afresh and loads all nine records, as the sky chart has them. Every
// benchmark that evaluates the series calls this first: the load benchmark closes them.
bool LoadAllPlanets() {
  himlavy::PlanetDataOpen(DataFolder());
  for (const TSeriesPlanet p : kPlanetRecords) {
    if (!himlavy::PlanetDataLoad(p)) return false;
  }
  return true;
}

void SkipWithoutData(benchmark::State& state) {
  const std::string message = "cannot load the planetary series from " + DataFolder().string();
  state.SkipWithError(message.c_str());
}

// One planet's VSOP87 sums (Pluto: its periodic series), all nine records loaded.
void BM_HeliocentricPlanet(benchmark::State& state, TSeriesPlanet planet) {
  if (!LoadAllPlanets()) {
    SkipWithoutData(state);
    return;
  }
  RunOverValues(state, GoldenSpread(-1.0, 1.0),
                [planet](double t) { return himlavy::HeliocentricPlanet(planet, t); });
}
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, earth_j2000, TSeriesPlanet::EarthJ2000);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, mercury, TSeriesPlanet::Mercury);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, venus, TSeriesPlanet::Venus);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, earth, TSeriesPlanet::Earth);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, mars, TSeriesPlanet::Mars);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, jupiter, TSeriesPlanet::Jupiter);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, saturn, TSeriesPlanet::Saturn);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, uranus, TSeriesPlanet::Uranus);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, neptune, TSeriesPlanet::Neptune);
BENCHMARK_CAPTURE(BM_HeliocentricPlanet, pluto, TSeriesPlanet::Pluto);

// One cycle of the term buffer: open, load records 0..8 (all 2637 slots), close.
void BM_PlanetDataLoadAll(benchmark::State& state) {
  const std::filesystem::path dir = DataFolder();
  for (auto _ : state) {
    himlavy::PlanetDataOpen(dir);
    bool ok = true;
    for (const TSeriesPlanet p : kPlanetRecords) ok = himlavy::PlanetDataLoad(p) && ok;
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
void BM_ApparentPlace(benchmark::State& state, TBody body) {
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
BENCHMARK_CAPTURE(BM_ApparentPlace, sun, TBody::Sun);
BENCHMARK_CAPTURE(BM_ApparentPlace, moon, TBody::Moon);
BENCHMARK_CAPTURE(BM_ApparentPlace, mercury, TBody::Mercury);
BENCHMARK_CAPTURE(BM_ApparentPlace, venus, TBody::Venus);
BENCHMARK_CAPTURE(BM_ApparentPlace, mars, TBody::Mars);
BENCHMARK_CAPTURE(BM_ApparentPlace, jupiter, TBody::Jupiter);
BENCHMARK_CAPTURE(BM_ApparentPlace, saturn, TBody::Saturn);
BENCHMARK_CAPTURE(BM_ApparentPlace, uranus, TBody::Uranus);
BENCHMARK_CAPTURE(BM_ApparentPlace, neptune, TBody::Neptune);
BENCHMARK_CAPTURE(BM_ApparentPlace, pluto, TBody::Pluto);

}  // namespace
