// Cost of the periodic phenomena: the whole collection of a year's events (what the almanac
// computes on every redraw), the eclipse searches (what the eclipse windows call once per
// eclipse) and one Moon phase. The year or starting moment changes from call to call so that
// nothing can be hoisted out of the loop.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/phenomena.h"
#include "bench_support.h"
#include "timecal/almanac_events.h"

namespace {

constexpr std::size_t kCount = 256;  // a power of two: the index wraps with a mask

using himlavy::bench::RunOverValues;

std::array<double, kCount> Spread(double lo, double hi) {
  return himlavy::bench::GoldenSpread<kCount>(lo, hi);
}

// Every event of one year (1900 .. 2099) in zone +1 and UTC: about 80 events from some 250
// evaluations of the phase, eclipse and planetary series.
void BM_CollectYearEvents(benchmark::State& state) {
  RunOverValues(state, Spread(1900.0, 2100.0), [](double year) {
    return himlavy::CollectYearEvents(static_cast<int>(year), 1.0, 0);
  });
}
BENCHMARK(BM_CollectYearEvents)->Unit(benchmark::kMicrosecond);

// The next solar eclipse from a moment in 1900 .. 2100 (on average three lunations tried).
void BM_NextSolarEclipse(benchmark::State& state) {
  RunOverValues(state, Spread(2415020.5, 2488070.5),
                [](double jd) { return himlavy::NextSolarEclipse(jd); });
}
BENCHMARK(BM_NextSolarEclipse);

// The next lunar eclipse (penumbral ones included) from a moment in 1900 .. 2100.
void BM_NextLunarEclipse(benchmark::State& state) {
  RunOverValues(state, Spread(2415020.5, 2488070.5),
                [](double jd) { return himlavy::NextLunarEclipse(0, jd); });
}
BENCHMARK(BM_NextLunarEclipse);

// One phase of the Moon: 25 periodic terms, W and 14 additional arguments. The unit of the
// searches above.
void BM_MoonPhase(benchmark::State& state) {
  const std::array<double, kCount> lunations = Spread(-1236.0, 1236.0);
  std::size_t i = 0;
  for (auto _ : state) {
    double jde = himlavy::MoonPhase(static_cast<int>(lunations[i]), static_cast<int>(i & 3));
    benchmark::DoNotOptimize(jde);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoonPhase);

}  // namespace
