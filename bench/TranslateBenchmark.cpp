// Translation throughput: tarvex-cli end to end against a loopback service,
// one request at a time and several at once, with and without a slow
// service, and the connections the service saw for one run.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/CorpusGenerator.h"
#include "bench/LoopbackService.h"

extern char** environ;
namespace fs = std::filesystem;

namespace tarvex::bench {
namespace {

constexpr int32_t kBlocks = 1000;

bool RunCli(const std::vector<std::string>& words) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> copy = words;
    std::vector<char*> argv;
    for (std::string& word : copy) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = posix_spawn(&child, TARVEX_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// tarvex-cli end to end: range(0) blocks, range(1) requests in flight,
// range(2) milliseconds the service waits before each answer. Every run's
// output must equal the one-by-one output of the same film.
void BM_CliTranslate(benchmark::State& state) {
    LoopbackService service;
    const auto blocks = static_cast<int32_t>(state.range(0));
    const std::string jobs = std::to_string(state.range(1));
    fs::path folder = fs::temp_directory_path() / ("tarvex-bench-tr-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string input = (folder / "movie.srt").string();
    std::ofstream(input, std::ios::binary) << GenerateSrt(blocks);
    auto run = [&](const std::string& inFlight) {
        fs::remove(folder / "movie.id.srt");
        return RunCli({"tarvex-cli", "translate", "--from", "english", "--to", "indonesian", "--host",
                       service.Address(), "--jobs", inFlight, input});
    };
    // The reference: one request after another, no delay.
    if (!run("1")) state.SkipWithError("tarvex-cli translate failed");
    const std::string reference = ReadAll(folder / "movie.id.srt");
    service.SetDelay(std::chrono::milliseconds(state.range(2)));
    int connections = 0;
    for (auto _ : state) {
        service.TakeConnectionCount();
        if (!run(jobs)) state.SkipWithError("tarvex-cli translate failed");
        state.PauseTiming();
        connections = service.TakeConnectionCount();
        if (ReadAll(folder / "movie.id.srt") != reference) state.SkipWithError("output differs from --jobs 1");
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.counters["blocks_per_second"] = benchmark::Counter(
        static_cast<double>(blocks) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["connections_per_run"] = connections;
}
BENCHMARK(BM_CliTranslate)
    ->ArgNames({"blocks", "jobs", "delay_ms"})
    ->Args({1000, 1, 0})
    ->Args({1000, 4, 0})
    ->Args({40, 1, 100})
    ->Args({500, 4, 100})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace tarvex::bench

BENCHMARK_MAIN();
