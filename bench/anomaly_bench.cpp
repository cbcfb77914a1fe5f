// Per-call cost of the elliptic true-anomaly solver. The mean anomaly changes from call to
// call (1024 values spread over [-pi, pi) in a scrambled order) so that the work cannot be
// hoisted out of the loop or predicted.
#include <benchmark/benchmark.h>

#include "astro/anomaly.h"
#include "base/basic.h"
#include "bench_support.h"

namespace {

void RunKepler(benchmark::State& state, double ecc, double lo, double hi) {
  himlavy::bench::RunOverValues(state, himlavy::bench::GoldenSpread(lo, hi),
                                [ecc](double m) { return himlavy::KeplerTrueAnomaly(ecc, m); });
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
