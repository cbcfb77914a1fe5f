// Per-call cost of the calendar, delta T and angle-text routines that every window calls.
#include <benchmark/benchmark.h>

#include "base/formatting.h"
#include "base/timescales.h"

namespace himlavy {
namespace {

void BM_JulianDay(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const TCalDate date{1900 + i % 200, 1 + i % 12, 1.0 + (i % 28) + 0.25};
    benchmark::DoNotOptimize(JulianDay(date));
    ++i;
  }
}
BENCHMARK(BM_JulianDay);

void BM_CalendarDate(benchmark::State& state) {
  double jd = 2415020.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalendarDate(jd));
    jd += 1.37;
  }
}
BENCHMARK(BM_CalendarDate);

void BM_DeltaT(benchmark::State& state) {
  double t = -4.0;  // 1600 onwards: all three branches of the model
  for (auto _ : state) {
    benchmark::DoNotOptimize(DeltaT(t));
    t += 0.0007;
    if (t > 1.0) t = -4.0;
  }
}
BENCHMARK(BM_DeltaT);

void BM_FormatDMS(benchmark::State& state) {
  double deg = -89.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatDMS(deg));
    deg += 0.0123457;
    if (deg > 89.0) deg = -89.0;
  }
}
BENCHMARK(BM_FormatDMS);

}  // namespace
}  // namespace himlavy
