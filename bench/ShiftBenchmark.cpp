// Throughput of the time shift: in memory (the streamed shift, and the
// whole-file shift it is checked against), through the whole run with real
// files, and tarvex-cli end to end as a separate process with its peak memory.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

extern char** environ;

#include "base/FileSystem.h"
#include "base/StringFiles.h"
#include "bench/CorpusGenerator.h"
#include "job/ProgressPanel.h"
#include "subtitle/CueShift.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/StreamShift.h"
#include "subtitle/TimeShiftRun.h"
#include "subtitle/TimingLineCount.h"

namespace fs = std::filesystem;

namespace tarvex::bench {
namespace {

constexpr int32_t kCues = 100000;

const std::string& Corpus() {
    static const std::string corpus = GenerateSrt(kCues);
    return corpus;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class SilentPanel : public ProgressPanel, public Prompts {
public:
    void SetTotal(int32_t) override {}
    void SetCounter(int32_t, int32_t) override {}
    void SetPercentage(int) override {}
    void SetStatus(const std::string&) override {}
    void SetBusy(bool) override {}
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

struct WorkFolder {
    explicit WorkFolder(std::string name = "movie.srt")
        : path(fs::temp_directory_path() / ("tarvex-bench-" + std::to_string(::getpid()))), file(std::move(name)) {
        fs::create_directories(path);
    }
    ~WorkFolder() { fs::remove_all(path); }
    void Reset(const std::string& content) {
        for (const auto& entry : fs::directory_iterator(path)) fs::remove(entry.path());
        WriteFile(path / file, content);
    }
    fs::path path;
    std::string file;
};

// WebVTT and ASS films of 100 MB, each made once.
constexpr size_t kCueCorpusBytes = 100 * 1000 * 1000;

const std::string& CueCorpus(SubtitleFormat format) {
    static const std::string vtt = GenerateWebVtt(kCueCorpusBytes);
    static const std::string ass = GenerateAss(kCueCorpusBytes);
    return format == SubtitleFormat::Ass ? ass : vtt;
}

SubtitleFormat FormatOf(const benchmark::State& state) {
    return state.range(0) == 0 ? SubtitleFormat::WebVtt : SubtitleFormat::Ass;
}

// The run's first pass over content in memory: the separator and the count.
void BM_CountTimingLines(benchmark::State& state) {
    const std::string& corpus = Corpus();
    for (auto _ : state) {
        StringInput input(corpus);
        benchmark::DoNotOptimize(CountTimingLines(input).TimingLines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
}
BENCHMARK(BM_CountTimingLines)->Unit(benchmark::kMillisecond);

// The shift the run streams, over content in memory into a string.
void BM_StreamShiftInMemory(benchmark::State& state) {
    const std::string& corpus = Corpus();
    ShiftMode mode = static_cast<ShiftMode>(state.range(0));
    std::string shifted;
    shifted.reserve(corpus.size() * 11 / 10);
    StringInput input(corpus);
    const LineSeparator separator = CountTimingLines(input).Separator;
    for (auto _ : state) {
        shifted.clear();
        StringOutput output(shifted);
        ShiftStream(input, separator, mode, 1, 30, output);
        benchmark::DoNotOptimize(shifted.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
    state.counters["file_MB"] = static_cast<double>(corpus.size()) / 1e6;
}
BENCHMARK(BM_StreamShiftInMemory)->Arg(1)->Arg(2)->ArgNames({"mode"})->Unit(benchmark::kMillisecond);

// The whole-file shift, kept as the reference the streamed one is checked against.
void BM_ShiftInMemory(benchmark::State& state) {
    const std::string& corpus = Corpus();
    ShiftMode mode = static_cast<ShiftMode>(state.range(0));
    for (auto _ : state) {
        std::string shifted = ShiftContent(corpus, mode, 1, 30);
        benchmark::DoNotOptimize(shifted.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
    state.counters["file_MB"] = static_cast<double>(corpus.size()) / 1e6;
}
BENCHMARK(BM_ShiftInMemory)->Arg(1)->Arg(2)->ArgNames({"mode"})->Unit(benchmark::kMillisecond);

// Both passes the run makes over a WebVTT or ASS film (count, then shift
// 1.5 s later), in memory.
void BM_CueShiftInMemory(benchmark::State& state) {
    const SubtitleFormat format = FormatOf(state);
    const std::string& corpus = CueCorpus(format);
    std::string shifted;
    shifted.reserve(corpus.size() + corpus.size() / 8);
    StringInput input(corpus);
    for (auto _ : state) {
        shifted.clear();
        StringOutput output(shifted);
        const CueCount count = CountCues(input, format);
        ShiftCueStream(input, format, ResolveCueAmount(count, format, ShiftAmount{ShiftMode::Plus, 0, 1, 500}), output);
        benchmark::DoNotOptimize(shifted.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
    state.counters["file_MB"] = static_cast<double>(corpus.size()) / 1e6;
}
BENCHMARK(BM_CueShiftInMemory)->Arg(0)->Arg(1)->ArgNames({"ass"})->Unit(benchmark::kMillisecond);

void BM_RunTimeShiftOnFiles(benchmark::State& state) {
    const std::string& corpus = Corpus();
    WorkFolder folder;
    SilentPanel panel;
    int16_t shiftNumber = 0, translateNumber = 0;
    RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNumber, translateNumber};
    const std::string input = (folder.path / "movie.srt").string();
    for (auto _ : state) {
        state.PauseTiming();
        folder.Reset(corpus);
        shiftNumber = 0;
        state.ResumeTiming();
        if (!RunTimeShift(input, ShiftMode::Plus, 1, 30, environment)) state.SkipWithError("run failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
}
BENCHMARK(BM_RunTimeShiftOnFiles)->UseRealTime()->Unit(benchmark::kMillisecond);

// tarvex-cli as a user runs it: process start, read, shift, write, exit.
// Its peak resident memory is taken by /usr/bin/time, a small process of its
// own: a child spawned straight from this large process would count this
// process's pages into its peak before its exec.
void BM_CliShiftEndToEnd(benchmark::State& state) {
    // 0: the SRT corpus; 1 and 2: the 100 MB WebVTT and ASS films, 1.5 s later.
    const int64_t which = state.range(0);
    const std::string& corpus =
        which == 0 ? Corpus() : CueCorpus(which == 1 ? SubtitleFormat::WebVtt : SubtitleFormat::Ass);
    const std::string name = which == 0 ? "movie.srt" : which == 1 ? "movie.vtt" : "movie.ass";
    WorkFolder folder(name);
    const std::string input = (folder.path / name).string();
    const std::string peakFile = (folder.path / "peak.txt").string();
    std::vector<long> peaksKb;
    for (auto _ : state) {
        state.PauseTiming();
        folder.Reset(corpus);
        state.ResumeTiming();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> words = {"/usr/bin/time",
                                          "-f",
                                          "%M",
                                          "-o",
                                          peakFile,
                                          TARVEX_CLI_PATH,
                                          "shift",
                                          "--plus",
                                          which == 0 ? "01:30" : "0:01.5",
                                          input};
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        int spawned = posix_spawn(&child, words[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            state.SkipWithError("cannot start /usr/bin/time tarvex-cli");
            break;
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("tarvex-cli failed");
        state.PauseTiming();
        std::ifstream peak(peakFile);
        long kb = 0;
        if (peak >> kb) peaksKb.push_back(kb);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
    double fileMb = static_cast<double>(corpus.size()) / 1e6;
    std::sort(peaksKb.begin(), peaksKb.end());
    double medianKb = peaksKb.empty() ? 0 : static_cast<double>(peaksKb[peaksKb.size() / 2]);
    state.counters["file_MB"] = fileMb;
    state.counters["peak_RSS_MB"] = medianKb * 1024 / 1e6;
    state.counters["RSS_limit_MB"] = 16;
}
BENCHMARK(BM_CliShiftEndToEnd)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"format"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvex::bench

BENCHMARK_MAIN();
