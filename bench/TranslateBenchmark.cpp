// Translation throughput against the fake service on loopback (run through
// scripts/with-fake-service.sh, as `make bench` does): tarvex-cli end to end
// on a 1,000-block file, and the connections the service saw for one run.

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
#include "translate/http/HttpTransport.h"

extern char** environ;
namespace fs = std::filesystem;

namespace tarvex::bench {
namespace {

constexpr int32_t kBlocks = 1000;

std::string ServiceAddress() {
    const char* address = std::getenv("TARVEX_FAKE_SERVICE");
    return address ? address : "";
}

std::string Ask(const std::string& pathAndQuery) {
    auto transport = CreateSystemTransport();
    return transport->Get("http://" + ServiceAddress() + pathAndQuery, {}, std::chrono::seconds(10)).Body;
}

int Connections() {
    std::string records = Ask("/_requests");
    size_t at = records.find("\"connections\": ");
    return at == std::string::npos ? -1 : std::atoi(records.c_str() + at + 15);
}

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

void BM_CliTranslateEndToEnd(benchmark::State& state) {
    if (ServiceAddress().empty()) {
        state.SkipWithError("run through scripts/with-fake-service.sh");
        return;
    }
    fs::path folder = fs::temp_directory_path() / ("tarvex-bench-tr-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string corpus = GenerateSrt(kBlocks);
    const std::string input = (folder / "movie.srt").string();
    int connections = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(folder / "movie.id.srt");
        std::ofstream(input, std::ios::binary) << corpus;
        Ask("/_reset");
        state.ResumeTiming();
        if (!RunCli({"tarvex-cli", "translate", "--from", "english", "--to", "indonesian", "--host", ServiceAddress(),
                     input}))
            state.SkipWithError("tarvex-cli translate failed");
        state.PauseTiming();
        connections = Connections() - 1;  // less the one this question came on
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.counters["blocks_per_second"] = benchmark::Counter(
        static_cast<double>(kBlocks) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["connections_per_run"] = connections;
}
BENCHMARK(BM_CliTranslateEndToEnd)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarvex::bench

BENCHMARK_MAIN();
