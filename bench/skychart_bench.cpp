// Cost of the sky chart's catalog step and geometry: the chart must redraw at once and keep up
// with the 100 ms increment.
//
// - BM_CatalogWholeSkyEquatorial: a whole-sky equatorial chart (zoom 1) with "bsc" and "ngc",
//   every correction on: zone selection of both zone sets' files, 50 + 50 zone files read,
//   every record through the magnitude test, the passing ones through proper motion,
//   precession, nutation, aberration and the projection.
// - BM_CatalogHorizontal: the horizontal chart at zoom 1 ("bsc" from all 50 zones, with
//   refraction).
// - BM_CatalogOrionSky: an equatorial field at zoom 8 with the "sky" catalogue, when its
//   generated files are at hand (.cache/generated/sky2000, made by ./run).
// - BM_SelectZones184Polar1024: the worst zone selection, 184 zones on a polar chart at zoom
//   1024 (201 x 201 grid points per zone that is not in the field).
// - BM_CoordLines: the coordinate lines of an equatorial chart at zoom 64 (1022 lines) and of
//   a polar chart at zoom 64 (every segment tested against the window).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_support.h"
#include "skychart/chart_projection.h"
#include "skychart/zone_selection.h"

namespace himlavy {
namespace {

using bench::DataFolder;
using bench::SourceFolder;

TObsState ChartState(int system, int zoom) {
  TObsState s;
  s.ClockJD = s.JD_UT = 2460755.375;
  s.JD_TT = s.JD_UT + 69.2 / 86400.0;
  s.Latitude = 59.33;
  s.Longitude = 18.07;
  s.CoordSystem = system;
  s.ChartScale = zoom;
  s.CorrProperMotion = s.CorrPrecession = s.CorrNutation = s.CorrAberration = 1;
  s.CorrRefraction = 1;
  return s;
}

void RunCatalogs(benchmark::State& bench, TObsState state, const std::filesystem::path& dir) {
  const TChartView view = MakeChartView(state, ChartStateFromObs(state));
  TZoneFlags flags;
  std::size_t objects = 0;
  for (auto _ : bench) {
    const TCatalogDrawing d = ChartCatalogObjects(state, view, flags, dir);
    objects = d.Objects.size();
    benchmark::DoNotOptimize(d);
  }
  if (objects == 0) bench.SkipWithError("no catalog objects: data files missing?");
  bench.counters["objects"] = static_cast<double>(objects);
}

void BM_CatalogWholeSkyEquatorial(benchmark::State& bench) {
  TObsState s = ChartState(kEquatorial, 1);
  s.CatBSC = 1;
  s.CatNGC = 1;
  RunCatalogs(bench, s, DataFolder());
}
BENCHMARK(BM_CatalogWholeSkyEquatorial)->Unit(benchmark::kMillisecond);

void BM_CatalogHorizontal(benchmark::State& bench) {
  TObsState s = ChartState(kHorizontal, 1);
  s.CatBSC = 1;
  RunCatalogs(bench, s, DataFolder());
}
BENCHMARK(BM_CatalogHorizontal)->Unit(benchmark::kMillisecond);

void BM_CatalogOrionSky(benchmark::State& bench) {
  // The generated "sky" files live outside data/: a folder of links joins them with the
  // zone definitions.
  const auto generated = SourceFolder() / ".cache" / "generated" / "sky2000";
  if (!std::filesystem::is_directory(generated)) {
    bench.SkipWithError("no .cache/generated/sky2000 (run ./run once to build it)");
    return;
  }
  const auto dir = std::filesystem::temp_directory_path() / "himlavy-skychart-bench";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::exists(dir / "sky2000")) {
    std::filesystem::create_directory_symlink(generated, dir / "sky2000", ec);
  }
  if (!std::filesystem::exists(dir / "fil184.dta")) {
    std::filesystem::copy_file(DataFolder() / "fil184.dta", dir / "fil184.dta", ec);
  }
  TObsState s = ChartState(kEquatorial, 8);
  s.ChartOffsetX = -263.25;  // 5h30m, 0 degrees in the middle
  s.CatSKY = 1;
  RunCatalogs(bench, s, dir);
}
BENCHMARK(BM_CatalogOrionSky)->Unit(benchmark::kMillisecond);

void BM_SelectZones184Polar1024(benchmark::State& bench) {
  const TObsState s = ChartState(kEquatorialPolar, 1024);
  const TChartView view = MakeChartView(s, ChartStateFromObs(s));
  const auto zones = ReadZoneDefinitions(DataFolder() / "fil184.dta");
  if (!zones) {
    bench.SkipWithError("no fil184.dta");
    return;
  }
  TZoneFlags flags;
  for (auto _ : bench) {
    SelectZones(flags.Zones184, *zones, s, view);
    benchmark::DoNotOptimize(flags);
  }
}
BENCHMARK(BM_SelectZones184Polar1024)->Unit(benchmark::kMillisecond);

void BM_CoordLines(benchmark::State& bench) {
  const TObsState s = ChartState(static_cast<int>(bench.range(0)), 64);
  const TChartView view = MakeChartView(s, ChartStateFromObs(s));
  std::size_t segments = 0;
  for (auto _ : bench) {
    const TCoordLines lines = CoordLines(view, 0);
    segments = lines.Segments.size();
    benchmark::DoNotOptimize(lines);
  }
  bench.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_CoordLines)->Arg(kEquatorial)->Arg(kEquatorialPolar)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace himlavy
