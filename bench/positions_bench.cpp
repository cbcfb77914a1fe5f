// Per-call cost of the Moon's and Pluto's series and of a position from orbital elements. The
// time changes from call to call (1024 moments spread over 1900-2100 in a scrambled order) so
// that the work cannot be hoisted out of the loop.
#include <benchmark/benchmark.h>

#include <cmath>

#include "astro/positions.h"
#include "base/basic.h"
#include "bench_support.h"

namespace {

using himlavy::bench::GoldenSpread;
using himlavy::bench::RunOverValues;

constexpr double kDeg = 0.017453292519943295;

// 165 periodic terms (59 longitude, 46 distance, 60 latitude) and the additive terms.
void BM_MoonPosition(benchmark::State& state) {
  RunOverValues(state, GoldenSpread(-1.0, 1.0), [](double t) { return himlavy::MoonPosition(t); });
}
BENCHMARK(BM_MoonPosition);

// 43 periodic terms, one sine and one cosine each.
void BM_PlutoPosition(benchmark::State& state) {
  RunOverValues(state, GoldenSpread(-1.0, 1.0), [](double t) { return himlavy::PlutoPosition(t); });
}
BENCHMARK(BM_PlutoPosition);

// Comet Encke (e = 0.85) over the whole orbit: Kepler's equation and the plane constants
// (computed once, as the sky chart does per body).
void BM_PositionFromElements_Elliptic(benchmark::State& state) {
  himlavy::TElements el;
  el.Epoch = (2448193.04502 - 2451545.0) / 36525.0;
  el.SemiMajor = 2.2091404;
  el.Ecc = 0.8502196;
  el.PeriDist = el.SemiMajor * (1.0 - el.Ecc);
  el.DailyMotion = 0.01720209895 / (el.SemiMajor * std::sqrt(el.SemiMajor));
  el.ArgPeri = 186.23352 * kDeg;
  el.Node = 334.75006 * kDeg;
  el.Incl = 11.94524 * kDeg;
  const himlavy::TOrbitPlane plane = himlavy::OrbitPlaneConstants(el, 23.4392911 * kDeg);
  RunOverValues(state, GoldenSpread(-0.1, -0.03),  // 1990-1997, one orbit and more
                [&](double t) { return himlavy::PositionFromElements(el, plane, t); });
}
BENCHMARK(BM_PositionFromElements_Elliptic);

// A comet with e = 1.0000001 within a year of perihelion: Landgraf's near-parabolic series.
void BM_PositionFromElements_NearParabolic(benchmark::State& state) {
  himlavy::TElements el;
  el.Epoch = 0.0;
  el.PeriDist = 0.5;
  el.Ecc = 1.0000001;
  el.ArgPeri = 100.0 * kDeg;
  el.Node = 50.0 * kDeg;
  el.Incl = 30.0 * kDeg;
  const himlavy::TOrbitPlane plane = himlavy::OrbitPlaneConstants(el, 23.4392911 * kDeg);
  RunOverValues(state, GoldenSpread(-0.01, 0.01),
                [&](double t) { return himlavy::PositionFromElements(el, plane, t); });
}
BENCHMARK(BM_PositionFromElements_NearParabolic);

}  // namespace
