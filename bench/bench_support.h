// What the benchmarks share: where the source tree and its data/ folder are, and arguments
// spread over an interval in a scrambled order, so that the work of a call cannot be hoisted
// out of the loop or predicted from the call before.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <filesystem>

namespace himlavy::bench {

// The source tree: $HIMLAVY_SOURCE_DIR when that variable is set, otherwise the folder the
// build compiled in.
inline std::filesystem::path SourceFolder() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR"); source != nullptr && *source != 0) {
    return source;
  }
  return HIMLAVY_SOURCE_DIR;
}

// The program's data files in the source tree.
inline std::filesystem::path DataFolder() {
  return SourceFolder() / "data";
}

// N values in [lo, hi), stepped by the golden ratio so that neighbours are far apart. N is a
// power of two: an index over them wraps with a mask.
template <std::size_t N = 1024>
std::array<double, N> GoldenSpread(double lo, double hi) {
  static_assert(N > 0 && (N & (N - 1)) == 0, "N must be a power of two");
  std::array<double, N> values{};
  constexpr double kGolden = 0.6180339887498949;
  double fraction = 0.0;
  for (double& v : values) {
    fraction += kGolden;
    if (fraction >= 1.0) fraction -= 1.0;
    v = lo + (hi - lo) * fraction;
  }
  return values;
}

// Times call(values[i]), i running over the values in turn and wrapping; one item a call.
template <std::size_t N, class Call>
void RunOverValues(benchmark::State& state, const std::array<double, N>& values, Call call) {
  std::size_t i = 0;
  for (auto _ : state) {
    auto result = call(values[i]);
    benchmark::DoNotOptimize(result);
    i = (i + 1) & (N - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace himlavy::bench
