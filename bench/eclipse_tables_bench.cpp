// Cost of the eclipse windows' computation: one year's solar table with every central line
// (two Chebyshev fits and 241 shadow evaluations per eclipse), and one year's lunar table with
// the Moon's altitude at each maximum. The year changes from call to call.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "eclipses/eclipse_tables.h"

namespace {

using himlavy::bench::RunOverValues;

void BM_SolarEclipseYear(benchmark::State& state) {
  RunOverValues(state, himlavy::bench::GoldenSpread<256>(1900.0, 2100.0), [](double year) {
    return himlavy::SolarEclipsesReport(static_cast<int>(year), 1.0, 0).Rows.size();
  });
}
BENCHMARK(BM_SolarEclipseYear)->Unit(benchmark::kMillisecond);

void BM_LunarEclipseYear(benchmark::State& state) {
  himlavy::TObsState site;
  site.Latitude = 59.33;
  site.Longitude = 18.07;
  site.TimeZone = 1.0;
  RunOverValues(state, himlavy::bench::GoldenSpread<256>(1900.0, 2100.0), [&site](double year) {
    return himlavy::LunarEclipsesReport(site, static_cast<int>(year)).Rows.size();
  });
}
BENCHMARK(BM_LunarEclipseYear)->Unit(benchmark::kMicrosecond);

}  // namespace
