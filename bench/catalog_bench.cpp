// Cost of reading the star catalogs: the whole "bsc" zone set (50 files, 9096 records) as the
// chart reads it when every zone is in the field, and the decoding of one record alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "catalogs/catalog_records.h"

namespace himlavy {
namespace {

std::filesystem::path DataFolder() {
  if (const char* source = std::getenv("HIMLAVY_SOURCE_DIR")) {
    return std::filesystem::path(source) / "data";
  }
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}

void BM_ReadBscZoneSet(benchmark::State& state) {
  const TCatalogInfo& bsc = *FindCatalog("bsc");
  std::size_t records = 0;
  for (auto _ : state) {
    records = 0;
    for (int zone = 1; zone <= bsc.Zones; ++zone) {
      const auto r = ReadBscZone(DataFolder() / ZoneFileName(bsc, zone));
      if (r) records += r->size();
      benchmark::DoNotOptimize(r);
    }
  }
  if (records == 0) state.SkipWithError("no bsc2000/*.dat in data/");
  state.counters["records"] = static_cast<double>(records);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records));
}
BENCHMARK(BM_ReadBscZoneSet)->Unit(benchmark::kMillisecond);

void BM_DecodeBscRecord(benchmark::State& state) {
  std::ifstream in(DataFolder() / "bsc2000/29.dat", std::ios::binary);
  const std::string zone((std::istreambuf_iterator<char>(in)), {});
  if (zone.size() < kBscRecordBytes) {
    state.SkipWithError("no bsc2000/29.dat in data/");
    return;
  }
  const std::size_t count = zone.size() / kBscRecordBytes;
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        DecodeBscRecord(std::string_view(zone).substr(k * kBscRecordBytes, kBscRecordBytes)));
    k = (k + 1) % count;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeBscRecord);

}  // namespace
}  // namespace himlavy

// --- Deep-sky catalogs ---------------------------------------------------------------------------
// The whole "ngc" zone set (50 files, every NGC and IC number: 13 226 records) as the chart
// reads it when every zone is in the field, and the decoding of one "ngc" record alone.
#include "catalogs/deepsky_records.h"

namespace himlavy {
namespace {

void BM_ReadNgcZoneSet(benchmark::State& state) {
  const TCatalogInfo& ngc = *FindCatalog("ngc");
  std::size_t records = 0;
  for (auto _ : state) {
    records = 0;
    for (int zone = 1; zone <= ngc.Zones; ++zone) {
      const auto r = ReadNgcZone(DataFolder() / ZoneFileName(ngc, zone));
      if (r) records += r->size();
      benchmark::DoNotOptimize(r);
    }
  }
  if (records == 0) state.SkipWithError("no ngc2000/*.dat in data/");
  state.counters["records"] = static_cast<double>(records);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records));
}
BENCHMARK(BM_ReadNgcZoneSet)->Unit(benchmark::kMillisecond);

void BM_DecodeNgcRecord(benchmark::State& state) {
  std::ifstream in(DataFolder() / "ngc2000/06.dat", std::ios::binary);
  const std::string zone((std::istreambuf_iterator<char>(in)), {});
  if (zone.size() < kNgcRecordBytes) {
    state.SkipWithError("no ngc2000/06.dat in data/");
    return;
  }
  const std::size_t count = zone.size() / kNgcRecordBytes;
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        DecodeNgcRecord(std::string_view(zone).substr(k * kNgcRecordBytes, kNgcRecordBytes)));
    k = (k + 1) % count;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeNgcRecord);

}  // namespace
}  // namespace himlavy
