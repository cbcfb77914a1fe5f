// The sky chart's full redraw and draw cycle on a 1023 x 767 canvas, and the mouse-move search
// over full identification tables. Goals on the development machine: a full redraw under 15 ms
// at zoom 1 and under 50 ms at zoom 16 with every catalog, a draw cycle under 5 ms, a search
// under 0.5 ms.
//
// - BM_DrawChartEquatorial/1 and /16: every catalog, the constellations, the Sun, Moon and
//   planets, all minor-body groups and every label on; zoom 16 centred on Orion, where "sky"
//   is read (when its generated files are at hand: .cache/generated/sky2000, made by ./run).
// - BM_DrawChartHorizontalBsc: the horizontal chart with "bsc", constellations and planets.
// - BM_DrawChartWholeSky: the heliocentric system 0 with the planets and minor bodies.
// - BM_DrawCycleEquatorial, BM_DrawCycleZenith: one tick of the time increment over the zoom-1
//   picture.
// - BM_MouseSearchFullTables: one mouse move over tables filled to their capacities.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "bench_support.h"
#include "gui_support.h"
#include "skychart/chart_layers_draw.h"
#include "skychart/skychart_draw.h"
#include "skychart/still_layers.h"

namespace himlavy {
namespace {

using bench::SourceFolder;

// data/ with the generated "sky" catalogue beside it when there is one: a folder of links.
std::filesystem::path ChartDataFolder() {
  const auto data = SourceFolder() / "data";
  const auto generated = SourceFolder() / ".cache" / "generated" / "sky2000";
  if (!std::filesystem::is_directory(generated)) return data;
  const auto dir = std::filesystem::temp_directory_path() / "himlavy-chart-draw-bench";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (const auto& entry : std::filesystem::directory_iterator(data, ec)) {
    const auto link = dir / entry.path().filename();
    if (!std::filesystem::exists(link)) std::filesystem::create_symlink(entry.path(), link, ec);
  }
  if (!std::filesystem::exists(dir / "sky2000")) {
    std::filesystem::create_directory_symlink(generated, dir / "sky2000", ec);
  }
  return dir;
}

TObsState EverythingOn(int system, int zoom) {
  TObsState s;
  s.ClockJD = s.JD_UT = 2460755.375;  // 2025-03-20 21:00 UT, Stockholm
  s.JD_TT = s.JD_UT + 69.2 / 86400.0;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CoordSystem = system;
  s.ChartScale = zoom;
  s.CorrProperMotion = s.CorrPrecession = s.CorrNutation = s.CorrAberration = 1;
  s.CorrRefraction = s.CorrLightTime = 1;
  s.CatBSC = s.CatSKY = s.CatWDS = s.CatGCVS = s.CatNGC = s.CatSAC = s.CatRC3 = s.CatPGC = 1;
  s.CatGPN = s.CatLBN = s.CatOCL = s.CatGCM = 1;
  s.ShowCoordLines = s.ShowConstellations = s.ShowConstBounds = 1;
  s.ShowSunPlanets = s.ShowMoons = 1;
  s.ShowAsteroids1 = s.ShowAsteroids2 = s.ShowAsteroids3 = s.ShowComets = s.ShowProbes = 1;
  s.LabelConstellations = s.LabelStars = s.LabelDeepSky = s.LabelPlanets = 1;
  s.LabelMinorBodies = 1;
  return s;
}

struct TChartBench {
  bool Application = EnsureGuiApplication();
  TObsState State;
  TChartState Chart;
  TZoneFlags Flags;
  Canvas Surface{kChartClientWidth, kChartClientHeight};
  std::filesystem::path Dir = ChartDataFolder();
  TChartLayers Layers{Chart, Dir};

  explicit TChartBench(TObsState s) : State(std::move(s)), Chart(ChartStateFromObs(State)) {
    Layers.SetBeep({});
  }
  TChartPicture Draw() {
    TChartPicture p = DrawChartPicture(Surface, State, Chart, Flags, Dir, Layers.Hooks());
    Layers.RegisterCatalogs(p.Catalogs);
    return p;
  }
};

void RunDrawChart(benchmark::State& bench, TObsState s) {
  TChartBench chart(std::move(s));
  std::size_t objects = 0;
  for (auto _ : bench) {
    const TChartPicture p = chart.Draw();
    objects = p.Catalogs.Objects.size();
    benchmark::DoNotOptimize(p);
  }
  bench.counters["objects"] = static_cast<double>(objects);
}

void BM_DrawChartEquatorial(benchmark::State& bench) {
  const int zoom = static_cast<int>(bench.range(0));
  TObsState s = EverythingOn(kEquatorial, zoom);
  if (zoom > 1) s.ChartOffsetX = -263.25;  // 5h30m in the middle
  RunDrawChart(bench, s);
}
BENCHMARK(BM_DrawChartEquatorial)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

// Where the time of the zoom-1 redraw goes: the same chart with one layer switched off
// (1 the labels, 2 the minor bodies, 3 the Sun, Moon and planets, 4 the constellations, 5 all
// catalogs but "bsc").
void BM_DrawChartEquatorialWithout(benchmark::State& bench) {
  TObsState s = EverythingOn(kEquatorial, 1);
  switch (bench.range(0)) {
    case 1:
      s.LabelConstellations = s.LabelStars = s.LabelDeepSky = s.LabelPlanets = 0;
      s.LabelMinorBodies = 0;
      break;
    case 2:
      s.ShowAsteroids1 = s.ShowAsteroids2 = s.ShowAsteroids3 = s.ShowComets = s.ShowProbes = 0;
      break;
    case 3:
      s.ShowSunPlanets = 0;
      break;
    case 4:
      s.ShowConstellations = s.ShowConstBounds = 0;
      break;
    default:
      s.CatSKY = s.CatWDS = s.CatGCVS = s.CatNGC = s.CatSAC = s.CatRC3 = s.CatPGC = 0;
      s.CatGPN = s.CatLBN = s.CatOCL = s.CatGCM = 0;
      break;
  }
  RunDrawChart(bench, s);
}
BENCHMARK(BM_DrawChartEquatorialWithout)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

void BM_DrawChartHorizontalBsc(benchmark::State& bench) {
  TObsState s = EverythingOn(kHorizontal, 1);
  RunDrawChart(bench, s);
}
BENCHMARK(BM_DrawChartHorizontalBsc)->Unit(benchmark::kMillisecond);

void BM_DrawChartWholeSky(benchmark::State& bench) {
  RunDrawChart(bench, EverythingOn(kEclipticWhole, 4));
}
BENCHMARK(BM_DrawChartWholeSky)->Unit(benchmark::kMillisecond);

// One tick; /1 with the layers a cycle keeps (made again once a second of the run, so the
// median is that of the ticks that stamp them), /0 drawing every part afresh (as each tick
// that makes them, and every tick in the horizontal systems).
void RunDrawCycle(benchmark::State& bench, int system) {
  TChartBench chart(EverythingOn(system, 1));
  TStillLayers still;
  TStillLayers* kept = bench.range(0) == 1 ? &still : nullptr;
  chart.State.ShowHistory = 1;
  chart.Draw();
  for (auto _ : bench) {
    chart.State.JD_UT += 1.0 / 24.0;
    chart.State.JD_TT += 1.0 / 24.0;
    chart.State.ClockJD += 1.0 / 24.0;
    chart.Chart.HistoryCount = NextHistoryCount(chart.Chart.HistoryCount);
    TChartPicture p = DrawChartCycle(chart.Surface, chart.State, chart.Chart, chart.Flags,
                                     chart.Dir, chart.Layers.Hooks(), kept);
    chart.Layers.RegisterCatalogs(p.Catalogs);
    benchmark::DoNotOptimize(p);
  }
}
void BM_DrawCycleEquatorial(benchmark::State& bench) {
  RunDrawCycle(bench, kEquatorial);
}
BENCHMARK(BM_DrawCycleEquatorial)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same in the zenith view (system 5), where the stars turn with the sky and nothing is kept.
void BM_DrawCycleZenith(benchmark::State& bench) {
  RunDrawCycle(bench, kHorizontalPolar);
}
BENCHMARK(BM_DrawCycleZenith)->Arg(1)->Unit(benchmark::kMillisecond);

// An empty record of the catalog of index `kind`.
template <std::size_t N = 0>
TCatalogRecord RecordOfKind(int kind) {
  if constexpr (N + 1 < std::variant_size_v<TCatalogRecord>) {
    if (kind != static_cast<int>(N)) return RecordOfKind<N + 1>(kind);
  }
  return TCatalogRecord(std::in_place_index<N>);
}

// Every table at its capacity, nothing under the cursor: the whole search is walked.
void BM_MouseSearchFullTables(benchmark::State& bench) {
  TIdentTables tables;
  TObsState s = EverythingOn(kEquatorial, 16);
  for (int i = 0; i < kMinorCapacity; ++i) tables.RegisterMinor(i % 1000, 100 + i / 1000, "x", {});
  for (int i = 0; i < kStarNameCapacity; ++i) tables.RegisterStarName(i, 300, "x");
  for (int i = 0; i < kDeepSkyNameCapacity; ++i) tables.RegisterDeepSkyName(i, 310, "x");
  for (int catalog = 0; catalog < 12; ++catalog) {
    const TCatalogRecord record = RecordOfKind(catalog);
    for (int i = 0; i < kCatalogCapacities[catalog]; ++i) {
      tables.RegisterCatalog(catalog, i % 1000, 400 + catalog * 10 + i / 1000, record);
    }
  }
  for (auto _ : bench) {
    benchmark::DoNotOptimize(SearchIdentification(tables, s, 16, 1010, 760, SourceFolder()));
  }
}
BENCHMARK(BM_MouseSearchFullTables)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace himlavy
