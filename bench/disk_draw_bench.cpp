// One redraw of each telescope disk view: the computation from the state (planet series read
// from data/, light time, nutation, aberration, parallax, parallactic angle and refraction on)
// and the drawing on a canvas of the view's size. Goal: each under 2 ms, since the time
// increment can redraw them ten times a second beside the chart.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "astro/apparent.h"
#include "bench_support.h"
#include "gui_support.h"
#include "planets/disk_draw.h"

namespace himlavy {
namespace {

void BM_DiskViewRedraw(benchmark::State& bench) {
  EnsureGuiApplication();
  struct Size {
    TBody Body;
    int Width, Height, Cx, Cy;
  };
  static constexpr Size kSizes[] = {
      {TBody::Mercury, 240, 280, 120, 170}, {TBody::Venus, 428, 557, 209, 320},
      {TBody::Mars, 245, 318, 120, 200},    {TBody::Jupiter, 347, 467, 169, 270},
      {TBody::Saturn, 288, 432, 140, 265},  {TBody::Moon, 287, 417, 140, 250}};
  const Size& size = kSizes[bench.range(0)];
  TObsState s;
  s.JD_UT = 2460755.375;  // 2025-03-20 21:00 UT, Stockholm
  s.JD_TT = s.JD_UT + 69.2 / 86400.0;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CorrLightTime = s.CorrNutation = s.CorrAberration = s.CorrParallax = 1;
  s.CorrParallactic = s.CorrRefraction = 1;
  Canvas canvas(size.Width, size.Height, colours::kNavy);
  const auto data = bench::DataFolder();
  for (auto _ : bench) {
    const auto view = DiskView(size.Body, s, data);
    if (!view) {
      bench.SkipWithError("planet series missing");
      return;
    }
    canvas.Clear(colours::kNavy);
    DrawDiskView(canvas, *view, size.Cx, size.Cy);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  bench.SetLabel(std::string(BodyKey(size.Body)));
}
BENCHMARK(BM_DiskViewRedraw)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace himlavy
