// One full drawing of each Earth view, from the state and the files in data/ (the files are
// read at every drawing, as the windows do). Goals: the Earth map and the day/night window
// each under 30 ms; the Earth-centred view's tick under 5 ms.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "earth/earth_centre_draw.h"
#include "earth/earth_views_draw.h"
#include "gui_support.h"
#include "shell/canvas.h"

namespace himlavy {
namespace {

TObsState Moment() {
  TObsState s;
  s.ClockJD = s.JD_UT = 2458139.0;  // 2018-01-20 12:00 UT, while the satellites' lines hold
  s.JD_TT = s.JD_UT + 69.0 / 86400.0;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.MapColour = 1;
  s.CorrNutation = s.CorrAberration = s.CorrRefraction = 1;
  s.ShowSunPlanets = s.ShowMoons = s.ShowProbes = s.LabelPlanets = 1;
  return s;
}

void BM_EarthMap(benchmark::State& bench) {
  EnsureGuiApplication();
  TObsState s = Moment();
  Canvas canvas(1016, 700, colours::kSilver);
  TPlaceHits hits;
  const auto data = bench::DataFolder();
  for (auto _ : bench) {
    DrawEarthMap(canvas, s, data, hits);
    DrawSiteMarker(canvas);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_EarthMap)->Unit(benchmark::kMillisecond);

// One drawing of a window of two globes: "Solens läge" or "Dag/natt-linje".
void RunTwoGlobes(benchmark::State& bench, const auto& draw) {
  EnsureGuiApplication();
  const TObsState s = Moment();
  Canvas canvas(1016, 700, colours::kSilver);
  const std::filesystem::path data = bench::DataFolder();
  for (auto _ : bench) {
    canvas.Clear(colours::kSilver);
    benchmark::DoNotOptimize(draw(canvas, s, data));
  }
}
void BM_SunPosition(benchmark::State& bench) {
  RunTwoGlobes(bench, [](auto&&... a) { return DrawSunPosition(a...); });
}
void BM_DayNight(benchmark::State& bench) {
  RunTwoGlobes(bench, [](auto&&... a) { return DrawDayNight(a...); });
}
BENCHMARK(BM_SunPosition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayNight)->Unit(benchmark::kMillisecond);

// The increment's tick of the Earth-centred view at the largest scale: the scene, the globes
// with their coastlines and the Moon and satellites over them (range: the chart scale).
void BM_EarthCentreTick(benchmark::State& bench) {
  EnsureGuiApplication();
  TObsState s = Moment();
  const double scale = static_cast<double>(bench.range(0));
  Canvas canvas(398, 398, colours::kBlack);
  const auto data = bench::DataFolder();
  const auto map = ReadMapFile(data / "karta.dta").value_or(std::vector<TMapPoint>{});
  TEarthCentrePoints points;
  for (auto _ : bench) {
    const TEarthCentreScene scene = EarthCentreScene(s, data);
    if (scale >= kCoastlinesScale) DrawEarthGlobes(canvas, s, scene, scale, map);
    DrawEarthCentreBodies(canvas, s, scene, scale, scale * kEarthCentrePixelsPerAU, points);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_EarthCentreTick)->Arg(2048)->Arg(262144)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace himlavy
