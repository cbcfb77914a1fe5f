// Cost of reading the catalogs: a whole zone set as the chart reads it when every zone is in
// the field, and the decoding of one record alone, for the star catalog "bsc" (50 files, 9096
// records) and the deep-sky catalog "ngc" (50 files, every NGC and IC number: 13 226 records).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench_support.h"
#include "catalogs/catalog_records.h"
#include "catalogs/deepsky_records.h"

namespace himlavy {
namespace {

// Every zone file of catalog `name` read by `readZone`.
template <class ReadZone>
void RunReadZoneSet(benchmark::State& state, const char* name, ReadZone readZone) {
  const TCatalogInfo& catalog = *FindCatalog(name);
  const std::filesystem::path dir = bench::DataFolder();
  std::size_t records = 0;
  for (auto _ : state) {
    records = 0;
    for (int zone = 1; zone <= catalog.Zones; ++zone) {
      const auto r = readZone(dir / ZoneFileName(catalog, zone));
      if (r) records += r->size();
      benchmark::DoNotOptimize(r);
    }
  }
  if (records == 0) {
    state.SkipWithError(("no " + std::string(name) + "2000/*.dat in data/").c_str());
  }
  state.counters["records"] = static_cast<double>(records);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records));
}

// The records of one zone file (`file` in data/, records of `size` bytes) decoded in turn.
template <class Decode>
void RunDecodeRecord(benchmark::State& state, const char* file, std::size_t size, Decode decode) {
  std::ifstream in(bench::DataFolder() / file, std::ios::binary);
  const std::string zone((std::istreambuf_iterator<char>(in)), {});
  if (zone.size() < size) {
    state.SkipWithError(("no " + std::string(file) + " in data/").c_str());
    return;
  }
  const std::size_t count = zone.size() / size;
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decode(std::string_view(zone).substr(k * size, size)));
    k = (k + 1) % count;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ReadBscZoneSet(benchmark::State& state) {
  RunReadZoneSet(state, "bsc", [](const std::filesystem::path& f) { return ReadBscZone(f); });
}
BENCHMARK(BM_ReadBscZoneSet)->Unit(benchmark::kMillisecond);

void BM_DecodeBscRecord(benchmark::State& state) {
  RunDecodeRecord(state, "bsc2000/29.dat", kBscRecordBytes,
                  [](std::string_view r) { return DecodeBscRecord(r); });
}
BENCHMARK(BM_DecodeBscRecord);

void BM_ReadNgcZoneSet(benchmark::State& state) {
  RunReadZoneSet(state, "ngc", [](const std::filesystem::path& f) { return ReadNgcZone(f); });
}
BENCHMARK(BM_ReadNgcZoneSet)->Unit(benchmark::kMillisecond);

void BM_DecodeNgcRecord(benchmark::State& state) {
  RunDecodeRecord(state, "ngc2000/06.dat", kNgcRecordBytes,
                  [](std::string_view r) { return DecodeNgcRecord(r); });
}
BENCHMARK(BM_DecodeNgcRecord);

}  // namespace
}  // namespace himlavy
