// Cost of the Galilean satellites at one moment, as the Jupiter's-moons window asks for them:
// the pole and the four satellites, each rotated to the ecliptic and then to the sky.
// BM_JupiterMoons_NewT changes T at every iteration (one minute of time further), so that the
// module state of the theory is recomputed each time; BM_JupiterMoons_SameT keeps T, showing
// the part that the lazy state saves.
#include <benchmark/benchmark.h>

#include "astro/jupiter_moons.h"
#include "base/basic.h"

namespace {

using himlavy::TSpherical;
using himlavy::TVector3;

// 1992 December 16 (Meeus's example), Jupiter's geocentric place then.
constexpr double kStartT = -0.07043208796820367;
const TSpherical kJupiter{3.347619531049322, 0.021667923653048, 5.661121214252083};

double AllSatellites(double t) {
  const TVector3 poleEcliptic = himlavy::SatelliteEcliptic(himlavy::kJupiterPole, t);
  const TVector3 pole =
      himlavy::SatelliteApparent(himlavy::kJupiterPole, poleEcliptic, kJupiter, true, {});
  double sum = 0.0;
  for (int i = himlavy::kIo; i <= himlavy::kCallisto; ++i) {
    const TVector3 v = himlavy::SatelliteEcliptic(i, t);
    const TVector3 w = himlavy::SatelliteApparent(i, v, kJupiter, true, pole);
    sum += w.X + w.Y;
  }
  return sum;
}

void BM_JupiterMoons_NewT(benchmark::State& state) {
  constexpr double kStep = 1.0 / (1440.0 * 36525.0);  // one minute in centuries
  double t = kStartT;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AllSatellites(t));
    t += kStep;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JupiterMoons_NewT);

void BM_JupiterMoons_SameT(benchmark::State& state) {
  double t = kStartT;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(AllSatellites(t));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JupiterMoons_SameT);

}  // namespace
