// Speed of sync for a two-hour film (about 1,300 cues, two or three cuts
// and a frame-rate change) against another language's subtitle: the
// alignment alone, and FindSync from the two files on disk.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/SyncCases.h"
#include "sync/Alignment.h"
#include "sync/SyncRun.h"

namespace fs = std::filesystem;

namespace tarvex::bench {
namespace {

const SyncCase& Film() {
    static const SyncCase film = MakeSyncCase(Distortion::CutsAndSpeed, ReferenceStyle::OtherLanguage, 2026);
    return film;
}

void Align(benchmark::State& state) {
    const SyncCase& film = Film();
    for (auto _ : state) {
        sync::Alignment found = sync::Align(film.Input, film.Reference, sync::AlignOptions());
        benchmark::DoNotOptimize(found);
    }
    state.counters["cues"] = static_cast<double>(film.Input.size());
}
BENCHMARK(Align)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void FindSyncOnFiles(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "tarvex-sync-bench";
    fs::create_directories(folder);
    const std::string input = (folder / "film.srt").string();
    const std::string reference = (folder / "reference.srt").string();
    std::ofstream(input, std::ios::binary) << SrtText(Film().Input, "Caf\xE9", "\r\n");
    std::ofstream(reference, std::ios::binary) << SrtText(Film().Reference, "Caf\xC3\xA9", "\n");
    SyncOptions options;
    options.ReferencePath = reference;
    for (auto _ : state) {
        SyncFinding finding = FindSync(input, options, nullptr, nullptr);
        benchmark::DoNotOptimize(finding);
    }
    fs::remove_all(folder);
}
BENCHMARK(FindSyncOnFiles)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace tarvex::bench

BENCHMARK_MAIN();
