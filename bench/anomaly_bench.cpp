// Per-call cost of the elliptic true-anomaly solver. The mean anomaly changes from call to
// call (1024 values spread over [-pi, pi) in a scrambled order) so that the work cannot be
// hoisted out of the loop or predicted.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/anomaly.h"
#include "astro/basic.h"

namespace {

constexpr std::size_t kCount = 1024;  // a power of two: the index wraps with a mask

// Mean anomalies in [lo, hi), stepped by the golden ratio so neighbours are far apart.
std::array<double, kCount> MeanAnomalies(double lo, double hi) {
  std::array<double, kCount> values{};
  constexpr double kGolden = 0.6180339887498949;
  double fraction = 0.0;
  for (double& m : values) {
    fraction += kGolden;
    if (fraction >= 1.0) fraction -= 1.0;
    m = lo + (hi - lo) * fraction;
  }
  return values;
}

void RunKepler(benchmark::State& state, double ecc, double lo, double hi) {
  const std::array<double, kCount> anomalies = MeanAnomalies(lo, hi);
  std::size_t i = 0;
  for (auto _ : state) {
    double v = himlavy::KeplerTrueAnomaly(ecc, anomalies[i]);
    benchmark::DoNotOptimize(v);
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

// e = 0.1 over the whole orbit: Newton from E = M.
void BM_KeplerTrueAnomaly_e0_1(benchmark::State& state) {
  RunKepler(state, 0.1, -himlavy::kPi, himlavy::kPi);
}
BENCHMARK(BM_KeplerTrueAnomaly_e0_1);

// e = 0.99 over the whole orbit: Mikkola's start for |M| < 0.6, E = M elsewhere.
void BM_KeplerTrueAnomaly_e0_99(benchmark::State& state) {
  RunKepler(state, 0.99, -himlavy::kPi, himlavy::kPi);
}
BENCHMARK(BM_KeplerTrueAnomaly_e0_99);

// e = 0.99 near perihelion only (|M| < 0.6): always Mikkola's start.
void BM_KeplerTrueAnomaly_e0_99_NearPerihelion(benchmark::State& state) {
  RunKepler(state, 0.99, -0.6, 0.6);
}
BENCHMARK(BM_KeplerTrueAnomaly_e0_99_NearPerihelion);

}  // namespace
