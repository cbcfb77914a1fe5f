// Cost of one orbit determination: the three observations of comet Hyakutake (data/observ.dta)
// reduced (directions, the Sun's series, precession) and solved by Gauss's method, and the
// solution alone from the reduced observations.
#include <benchmark/benchmark.h>

#include "orbit/orbit_determination.h"

namespace {

const std::vector<std::string> kObservations = {
    "C/1996 B2 (Hyakutake)", "1996 02 20 00.000  14 46 02.97 -24 18 07.5  2000.0",
    "1996 03 01 00.000  14 51 36.84 -22 43 27.0  2000.0",
    "1996 03 11 00.000  14 55 05.37 -18 10 53.4  2000.0"};

void BM_ReadAndSolve(benchmark::State& state) {
  for (auto _ : state) {
    himlavy::TObservationRead read = himlavy::ParseObservations(kObservations);
    himlavy::TOrbitReport report = himlavy::DetermineOrbit(std::move(*read.Set));
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_ReadAndSolve);

void BM_GaussSolution(benchmark::State& state) {
  const himlavy::TObservationSet set = *himlavy::ParseObservations(kObservations).Set;
  for (auto _ : state) {
    himlavy::TGaussSolution solution = himlavy::GaussOrbit(set);
    benchmark::DoNotOptimize(solution);
  }
}
BENCHMARK(BM_GaussSolution);

}  // namespace
