// The data-files window: a 480-line element file (asteroid.dta) read into lines, and chosen in
// the window, read and shown in the editor.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QPlainTextEdit>

#include "bench_support.h"
#include "datafiles/data_files.h"
#include "datafiles/datafiles_window.h"
#include "gui_support.h"

namespace himlavy {
namespace {

void BM_LoadTextDocument480(benchmark::State& state) {
  const auto path = bench::DataFolder() / "asteroid.dta";
  for (auto _ : state) {
    const TLoadedText loaded = LoadTextDocument(path);
    benchmark::DoNotOptimize(EditorText(*loaded.Document));
  }
}
BENCHMARK(BM_LoadTextDocument480)->Unit(benchmark::kMicrosecond);

void BM_ChooseFileInWindow480(benchmark::State& state) {
  EnsureGuiApplication();
  TObsState obs;
  TDataFilesWindow window(obs, bench::DataFolder());
  for (auto _ : state) {
    window.ChooseItem(0);  // "Asteroider 1": asteroid.dta, 480 lines
    benchmark::DoNotOptimize(window.Editor()->blockCount());
    window.ChooseItem(22);  // the blank item empties the editor
  }
}
BENCHMARK(BM_ChooseFileInWindow480)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace himlavy
