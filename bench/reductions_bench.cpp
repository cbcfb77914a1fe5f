// Per-call cost of the IAU 1980 nutation series and of rising, transit and setting. The
// arguments change from call to call (1024 values in a scrambled order) so that the work
// cannot be hoisted out of the loop or predicted.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/reductions.h"
#include "base/basic.h"
#include "bench_support.h"

namespace {

constexpr std::size_t kCount = 1024;  // a power of two: the index wraps with a mask

using himlavy::bench::GoldenSpread;

// The nutation for moments spread over 1900..2100 (T from -1 to +1).
void BM_NutationIAU1980(benchmark::State& state) {
  himlavy::bench::RunOverValues(state, GoldenSpread<kCount>(-1.0, 1.0),
                                [](double t) { return himlavy::NutationIAU1980(t); });
}
BENCHMARK(BM_NutationIAU1980);

// Rising, transit and setting of a Sun-like body (1 degree a day in right ascension) at
// latitude 59.3 N and longitude 18 E, the day and the right ascension varying from call to
// call, the declination over +-23 degrees; the sunrise altitude -50'.
void RunRiseTransitSet(benchmark::State& state, double rate, double declinationRate) {
  const std::array<double, kCount> days = GoldenSpread<kCount>(-0.3, 0.3);
  const std::array<double, kCount> ascensions = GoldenSpread<kCount>(0.0, himlavy::kTwoPi);
  const std::array<double, kCount> declinations = GoldenSpread<kCount>(-0.40, 0.40);
  constexpr double kH0 = -0.014543828656868749;
  constexpr double kLongitudeWest = -18.07 * 0.017453292519943295;
  constexpr double kLatitude = 59.33 * 0.017453292519943295;
  std::size_t i = 0;
  std::size_t j = 517;  // a second, unrelated index for the declination
  for (auto _ : state) {
    const double a = ascensions[i];
    const double d = declinations[j];
    himlavy::TRiseTransitSet r =
        himlavy::RiseTransitSet(days[i], 69.0, a - rate, d - declinationRate, a, d, a + rate,
                                d + declinationRate, kH0, kLongitudeWest, kLatitude);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & (kCount - 1);
    j = (j + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RiseTransitSet_Sun(benchmark::State& state) {
  RunRiseTransitSet(state, 0.0172, 0.004);
}
BENCHMARK(BM_RiseTransitSet_Sun);

// A Moon-like body: 13 degrees a day in right ascension, up to 5 degrees in declination.
void BM_RiseTransitSet_Moon(benchmark::State& state) {
  RunRiseTransitSet(state, 0.23, 0.08);
}
BENCHMARK(BM_RiseTransitSet_Moon);

}  // namespace
