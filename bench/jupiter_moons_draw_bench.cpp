// One redraw of each window of Jupiter's moons: the computation from the state (planet series
// read from data/, light time, nutation, aberration, parallax and the parallactic angle on for
// the strip; the moons at ChartScale 1024 for the Jupiter-centred panels) and the drawing on a
// canvas of the window's size. Goal: each under 2 ms.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "gui_support.h"
#include "planets/jupiter_moons_draw.h"

namespace himlavy {
namespace {

TObsState BenchState() {
  TObsState s;
  s.JD_UT = 2460678.5;  // 2025-01-03 0h UT, Stockholm
  s.JD_TT = s.JD_UT + 69.2 / 86400.0;
  s.ClockJD = s.JD_UT;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CorrLightTime = s.CorrNutation = s.CorrAberration = s.CorrParallax = 1;
  s.CorrParallactic = s.CorrRefraction = 1;
  s.LabelPlanets = s.ShowSunPlanets = s.ShowMoons = s.ShowProbes = 1;
  s.ChartScale = 1024;
  return s;
}

void BM_JupiterMoonsStripRedraw(benchmark::State& bench) {
  EnsureGuiApplication();
  const TObsState s = BenchState();
  const auto data = bench::DataFolder();
  Canvas canvas(972, 263);
  for (auto _ : bench) {
    const auto strip = JupiterMoonsStrip(s, data, bench.range(0) == 1);
    if (!strip) {
      bench.SkipWithError("planet series missing");
      return;
    }
    DrawJupiterMoonsStrip(canvas, *strip);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_JupiterMoonsStripRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_JupiterCentreRedraw(benchmark::State& bench) {
  EnsureGuiApplication();
  const TObsState s = BenchState();
  const auto data = bench::DataFolder();
  Canvas canvas(406, 260);
  for (auto _ : bench) {
    const TJupiterCentreView view = JupiterCentreView(s, data);
    DrawJupiterCentre(canvas, view);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_JupiterCentreRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace himlavy
