// The film's sound: a 100-minute film with stereo AAC (made once with the
// ffmpeg program into the build folder) decoded and judged by FindSpeech
// as the sync run does, and the two halves of that work apart: decoding
// alone with one reader, and the voice activity alone on decoded samples.
// Peak memory: run under /usr/bin/time -v with --benchmark_filter=FindSpeech.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "media/SoundReader.h"
#include "media/SpeechFinder.h"
#include "media/VoiceActivity.h"

namespace fs = std::filesystem;

namespace tarvex::media {
namespace {

constexpr int kFilmMinutes = 100;

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

// Sentences from espeak-ng between pauses over pink noise, a minute long,
// looped under a small picture to the film's length.
const std::string& Film() {
    static const std::string path = [] {
        fs::path folder = fs::path(TARVEX_BENCH_MEDIA_DIR);
        fs::path film = folder / ("film-" + std::to_string(kFilmMinutes) + "min.mp4");
        if (fs::exists(film)) return film.string();
        fs::create_directories(folder);
        const std::string speech = (folder / "speech.wav").string();
        const std::string minute = (folder / "minute.wav").string();
        Run("espeak-ng -v en-us -s 150 -g 40 -w '" + speech +
            "' 'The train leaves at seven. Nobody knew what happened that night. Could you pass me the salt, please? "
            "We need to talk about what you said yesterday. The meeting has been moved to Thursday afternoon.'");
        Run("ffmpeg -nostdin -loglevel error -y -i '" + speech +
            "' -f lavfi -i anoisesrc=c=pink:a=0.05:d=60:r=48000 -filter_complex "
            "'[0:a]aresample=48000,adelay=3000,apad=whole_dur=60[s];[s][1:a]amix=inputs=2:normalize=0,"
            "pan=stereo|c0=c0|c1=c0' -t 60 '" +
            minute + "'");
        Run("ffmpeg -nostdin -loglevel error -y -f lavfi -i color=c=gray:s=64x48:r=1 -stream_loop -1 -i '" + minute +
            "' -t " + std::to_string(kFilmMinutes * 60) +
            " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 128k '" + film.string() + "'");
        return film.string();
    }();
    return path;
}

void FindSpeechInFilm(benchmark::State& state) {
    const std::string& film = Film();
    SpeechTrack track;
    for (auto _ : state) track = FindSpeech(film, nullptr, nullptr);
    state.counters["spans"] = static_cast<double>(track.Spans.size());
    state.counters["film_minutes"] = static_cast<double>(track.DurationMs) / 60000;
}
BENCHMARK(FindSpeechInFilm)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void DecodeWithOneReader(benchmark::State& state) {
    const std::string& film = Film();
    std::vector<float> piece(kSoundRate);
    int64_t samples = 0;
    for (auto _ : state) {
        std::unique_ptr<SoundReader> reader = OpenSoundReader(film, 0);
        samples = 0;
        while (size_t got = reader->Read(piece.data(), piece.size())) samples += static_cast<int64_t>(got);
    }
    state.counters["film_minutes"] = static_cast<double>(samples) / kSoundRate / 60;
}
BENCHMARK(DecodeWithOneReader)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// Ten minutes of the film's decoded sound, judged from memory.
void VoiceActivityOnTenMinutes(benchmark::State& state) {
    std::vector<float> sound(static_cast<size_t>(10 * 60 * kSoundRate));
    std::unique_ptr<SoundReader> reader = OpenSoundReader(Film(), 0);
    size_t filled = 0;
    while (filled < sound.size()) {
        size_t got = reader->Read(sound.data() + filled, sound.size() - filled);
        if (got == 0) break;
        filled += got;
    }
    size_t spans = 0;
    for (auto _ : state) {
        VoiceActivity voice(0);
        voice.Feed(sound.data(), filled);
        spans = voice.Finish().size();
    }
    state.counters["spans"] = static_cast<double>(spans);
}
BENCHMARK(VoiceActivityOnTenMinutes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tarvex::media

BENCHMARK_MAIN();
