// Flood fill of a disk 620 pixels across on a 1024 x 768 canvas (how the planet and Earth views
// paint a lit part or a land area), in both fill modes, against drawing the same disk filled
// directly with Ellipse as the peer.
#include <benchmark/benchmark.h>

#include "shell/canvas.h"

namespace himlavy {
namespace {

constexpr int kCx = 512, kCy = 384, kRadius = 310;

// The outline of the disk in black on a navy canvas, interior navy.
Canvas DiskOutline() {
  Canvas c(1024, 768, colours::kNavy);
  c.SetPenColour(colours::kBlack);
  c.SetBrushStyle(TBrushStyle::Clear);
  c.Ellipse(kCx - kRadius, kCy - kRadius, kCx + kRadius, kCy + kRadius);
  c.SetBrushStyle(TBrushStyle::Solid);
  return c;
}

int64_t DiskInterior() {
  Canvas c = DiskOutline();
  c.SetBrushColour(colours::kWhite);
  c.FloodFill(kCx, kCy, colours::kBlack, TFillMode::Border);
  int64_t n = 0;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) n += *c.Pixel(x, y) == colours::kWhite ? 1 : 0;
  }
  return n;
}

// Border mode: fill until black, alternating two brush colours so every pass repaints the disk.
void BM_FloodFillBorderDisk(benchmark::State& state) {
  Canvas c = DiskOutline();
  const TColor fills[2] = {colours::kWhite, colours::kYellow};
  int i = 0;
  for (auto _ : state) {
    c.SetBrushColour(fills[i++ & 1]);
    benchmark::DoNotOptimize(c.FloodFill(kCx, kCy, colours::kBlack, TFillMode::Border));
  }
  state.SetItemsProcessed(state.iterations() * DiskInterior());
}
BENCHMARK(BM_FloodFillBorderDisk)->Unit(benchmark::kMillisecond);

// Surface mode: fill the disk's current colour with the other one.
void BM_FloodFillSurfaceDisk(benchmark::State& state) {
  Canvas c = DiskOutline();
  const TColor fills[2] = {colours::kWhite, colours::kNavy};
  int i = 0;
  for (auto _ : state) {
    const TColor now = fills[(i + 1) & 1];
    c.SetBrushColour(fills[i++ & 1]);
    benchmark::DoNotOptimize(c.FloodFill(kCx, kCy, now, TFillMode::Surface));
  }
  state.SetItemsProcessed(state.iterations() * DiskInterior());
}
BENCHMARK(BM_FloodFillSurfaceDisk)->Unit(benchmark::kMillisecond);

// Peer: the same disk drawn filled in one call.
void BM_EllipseFilledDisk(benchmark::State& state) {
  Canvas c = DiskOutline();
  const TColor fills[2] = {colours::kWhite, colours::kYellow};
  int i = 0;
  for (auto _ : state) {
    c.SetBrushColour(fills[i++ & 1]);
    c.Ellipse(kCx - kRadius, kCy - kRadius, kCx + kRadius, kCy + kRadius);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * DiskInterior());
}
BENCHMARK(BM_EllipseFilledDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace himlavy
