// Translation throughput: tarvex-cli end to end against a loopback service,
// one request at a time and several at once, with and without a slow
// service, and the connections the service saw for one run.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
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

// The fake service of the tests, which speaks every service's API, started
// for the length of a benchmark.
class FakeServiceProcess {
public:
    FakeServiceProcess() {
        portFile_ = fs::temp_directory_path() / ("tarvex-bench-fake-" + std::to_string(::getpid()));
        std::vector<std::string> words = {"python3", TARVEX_FAKE_SERVICE, "--port-file", portFile_.string()};
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        for (int wait = 0; pid_ != 0 && wait < 200 && !fs::exists(portFile_); ++wait) ::usleep(50000);
        address_ = "127.0.0.1:" + ReadAll(portFile_);
    }
    ~FakeServiceProcess() {
        if (pid_ != 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        fs::remove(portFile_);
    }
    bool Running() const { return pid_ != 0 && address_.size() > 10; }
    const std::string& Address() const { return address_; }
    // A control query such as "mode=normal&delay=100", sent with curl.
    bool Control(const std::string& query) {
        return RunCliProgram({"curl", "-sf", "http://" + address_ + "/_control?" + query});
    }

private:
    static bool RunCliProgram(std::vector<std::string> words) {
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        int spawned = posix_spawnp(&child, words[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        if (spawned == 0) waitpid(child, &status, 0);
        return spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    fs::path portFile_;
    pid_t pid_ = 0;
    std::string address_;
};

// tarvex-cli end to end through each service's API, every reply 100 ms
// late: range(0) the service (0 google, 1 libretranslate, 2 deepl,
// 3 openai), the default number in flight; the output must equal --jobs 1's.
void BM_CliTranslateService(benchmark::State& state) {
    static const char* const kServices[] = {"google", "libretranslate", "deepl", "openai"};
    const std::string name = kServices[state.range(0)];
    const int32_t blocks = name == "google" ? 200 : 1500;
    FakeServiceProcess fake;
    if (!fake.Running()) return state.SkipWithError("the fake service did not start");
    fs::path folder = fs::temp_directory_path() / ("tarvex-bench-sv-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string input = (folder / "movie.srt").string();
    std::ofstream(input, std::ios::binary) << GenerateSrt(blocks);
    std::ofstream(folder / "key.txt") << "tarvex-test-key";
    ::setenv("TARVEX_API_KEY", "tarvex-test-key", 1);
    const std::string url = "http://" + fake.Address();
    auto run = [&](const std::vector<std::string>& extra) {
        fs::remove(folder / "movie.id.srt");
        std::vector<std::string> words = {"tarvex-cli", "translate", "--from", "english", "--to", "indonesian"};
        if (name == "google") {
            words.insert(words.end(), {"--host", fake.Address()});
        } else {
            words.insert(words.end(), {"--service", name, "--url", name == "openai" ? url + "/v1" : url});
            if (name == "openai") words.insert(words.end(), {"--model", "tarvex-test-model"});
        }
        words.insert(words.end(), extra.begin(), extra.end());
        words.push_back(input);
        return RunCli(words);
    };
    fake.Control("mode=normal&delay=100");
    if (!run({"--jobs", "1"})) state.SkipWithError("tarvex-cli translate failed");
    const std::string reference = ReadAll(folder / "movie.id.srt");
    for (auto _ : state) {
        if (!run({})) state.SkipWithError("tarvex-cli translate failed");
        state.PauseTiming();
        if (ReadAll(folder / "movie.id.srt") != reference) state.SkipWithError("output differs from --jobs 1");
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.SetLabel(name);
    state.counters["blocks_per_second"] = benchmark::Counter(
        static_cast<double>(blocks) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CliTranslateService)
    ->ArgNames({"service"})
    ->DenseRange(0, 3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace tarvex::bench

BENCHMARK_MAIN();
