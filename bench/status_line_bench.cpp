// The status line is rebuilt ten times a second: the cost of its nine texts.
#include <benchmark/benchmark.h>

#include "shell/status_line.h"

namespace himlavy {
namespace {

void BM_StatusLineTexts(benchmark::State& state) {
  TObsState s;
  s.ClockJD = 2460000.5;
  s.TimeZone = 1.0;
  s.StepDays = 1.0 / 24.0;
  s.StepLabel = " 1 tim";
  s.PlaceName = "Stockholm";
  s.Latitude = 59.3333;
  s.Longitude = 18.05;
  s.Height = 28.0;
  DeriveTimes(s);
  for (auto _ : state) {
    benchmark::DoNotOptimize(StatusLineTexts(s, ','));
    s.ClockJD += 1.0 / 86400.0;  // a new second each refresh
    DeriveTimes(s);
  }
}
BENCHMARK(BM_StatusLineTexts);

}  // namespace
}  // namespace himlavy
