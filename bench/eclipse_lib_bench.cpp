// Cost of the eclipse library: the full Sun and Moon series, the Chebyshev fit of the Moon
// that the eclipse search makes per 14-hour interval (degree 8: nine evaluations of the lunar
// series), and 480 points of the central line from the fits, around the total solar eclipse
// of 1999 August 11.
#include <benchmark/benchmark.h>

#include <optional>

#include "eclipses/eclipse_lib.h"

namespace {

constexpr double kFitStartMjd = 51401.0 + 4.0 / 24.0;  // 1999 Aug 11, 04:00 TT
constexpr double kFitHours = 14.0;
constexpr double kDeltaT = 63.7;  // seconds

double CenturiesFromMjd(double mjd) {
  return (mjd - 51544.5) / 36525.0;
}

void BM_SunEquatorial(benchmark::State& state) {
  double t = CenturiesFromMjd(kFitStartMjd);
  for (auto _ : state) {
    himlavy::TEquatorialDeg p = himlavy::SunEquatorial(t);
    benchmark::DoNotOptimize(p);
    t += 1e-7;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SunEquatorial);

void BM_MoonEquatorial(benchmark::State& state) {
  double t = CenturiesFromMjd(kFitStartMjd);
  for (auto _ : state) {
    himlavy::TEquatorialDeg p = himlavy::MoonEquatorial(t);
    benchmark::DoNotOptimize(p);
    t += 1e-7;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoonEquatorial);

// One fit of the Moon of degree 8 over 14 hours.
void BM_ChebFitMoonDegree8(benchmark::State& state) {
  const double ta = CenturiesFromMjd(kFitStartMjd);
  const double tb = CenturiesFromMjd(kFitStartMjd + kFitHours / 24.0);
  for (auto _ : state) {
    std::optional<himlavy::TChebFit> fit = himlavy::ChebFit(himlavy::TEclipseBody::Moon, ta, tb, 8);
    benchmark::DoNotOptimize(fit);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChebFitMoonDegree8);

// 480 central-line points evenly spread over [fromHour, toHour] UT of 1999 August 11, from the
// fits of the eclipse search (Moon degree 8, Sun degree 3). Items are single points.
void RunCentralLine(benchmark::State& state, double fromHour, double toHour) {
  const double ta = CenturiesFromMjd(kFitStartMjd);
  const double tb = CenturiesFromMjd(kFitStartMjd + kFitHours / 24.0);
  const himlavy::TChebFit moon = *himlavy::ChebFit(himlavy::TEclipseBody::Moon, ta, tb, 8);
  const himlavy::TChebFit sun = *himlavy::ChebFit(himlavy::TEclipseBody::Sun, ta, tb, 3);
  constexpr int kPoints = 480;
  const double t0 = CenturiesFromMjd(51401.0 + fromHour / 24.0);
  const double step = (toHour - fromHour) / 24.0 / 36525.0 / (kPoints - 1);
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      himlavy::TCentralLine line = himlavy::CentralLine(moon, sun, kDeltaT, t0 + i * step);
      benchmark::DoNotOptimize(line);
    }
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// Over the whole fitted interval (04:00 to 18:00): central from 09:30 to 12:36 UT only.
void BM_CentralLine480_WholeInterval(benchmark::State& state) {
  RunCentralLine(state, 4.0, 17.9);
}
BENCHMARK(BM_CentralLine480_WholeInterval);

// Within the central phase (09:32 to 12:34 UT): every point computes place and duration.
void BM_CentralLine480_CentralPhase(benchmark::State& state) {
  RunCentralLine(state, 9.0 + 32.0 / 60.0, 12.0 + 34.0 / 60.0);
}
BENCHMARK(BM_CentralLine480_CentralPhase);

}  // namespace
