// Measures the voice activity on a spoken set (bench/make-voice-set.sh)
// with backgrounds mixed in at several levels: frame accuracy, speech
// found, false alarms, sentences found and their onset error.
// Usage: voice_quality FOLDER [START_DB KEEP_DB HELD_ABOVE]
// (FOLDER holds speech.wav and sentences.txt; the numbers try other tunings)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "base/RuntimeError.h"
#include "media/SoundReader.h"
#include "media/VoiceActivity.h"

using namespace tarvex;
using namespace tarvex::media;

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<float> Decode(const std::string& path) {
    std::unique_ptr<SoundReader> reader = OpenSoundReader(path, 0);
    std::vector<float> all, piece(kSoundRate);
    while (size_t got = reader->Read(piece.data(), piece.size()))
        all.insert(all.end(), piece.begin(), piece.begin() + got);
    return all;
}

// Pink noise (Paul Kellet's filter over white noise).
std::vector<float> PinkNoise(size_t count) {
    std::mt19937 random(11);
    std::normal_distribution<double> white(0, 1);
    std::vector<float> out(count);
    double b0 = 0, b1 = 0, b2 = 0;
    for (float& s : out) {
        double w = white(random);
        b0 = 0.99765 * b0 + w * 0.0990460;
        b1 = 0.96300 * b1 + w * 0.2965164;
        b2 = 0.57000 * b2 + w * 1.0526913;
        s = static_cast<float>(b0 + b1 + b2 + w * 0.1848);
    }
    return out;
}

// Something like a film's score: chords of rich tones that change every
// 0.3 to 0.8 s over a bass line, with a soft beat.
std::vector<float> Music(size_t count) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<float> out(count, 0.0f);
    size_t at = 0;
    while (at < count) {
        size_t length = static_cast<size_t>((0.3 + 0.5 * unit(random)) * kSoundRate);
        int root = 45 + static_cast<int>(unit(random) * 15);  // MIDI note
        const int chord[] = {root, root + 4 - (unit(random) < 0.5 ? 1 : 0), root + 7, root + 12, root - 12};
        for (size_t i = 0; i < length && at + i < count; ++i) {
            double t = static_cast<double>(i) / kSoundRate;
            double envelope = std::min(1.0, t / 0.02) * std::exp(-t * 1.5);
            double sum = 0;
            for (int note : chord) {
                double f = 440 * std::pow(2.0, (note - 69) / 12.0);
                for (int h = 1; h <= 8 && h * f < 3900; ++h) sum += std::sin(2 * kPi * f * h * t) / h;
            }
            double beat = std::fmod(static_cast<double>(at + i) / kSoundRate, 0.5);
            double kick = std::exp(-beat * 30) * std::sin(2 * kPi * 60 * beat);
            out[at + i] = static_cast<float>(envelope * sum * 0.2 + kick * 0.5);
        }
        at += length;
    }
    return out;
}

double Rms(const std::vector<float>& samples, const std::vector<TimeSpan>* only) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        int64_t ms = static_cast<int64_t>(i) * 1000 / kSoundRate;
        if (only != nullptr &&
            std::none_of(only->begin(), only->end(), [ms](const TimeSpan& s) { return ms >= s.Start && ms < s.End; })) {
            continue;
        }
        sum += static_cast<double>(samples[i]) * samples[i];
        ++n;
    }
    return std::sqrt(sum / std::max<size_t>(n, 1));
}

bool Inside(const std::vector<TimeSpan>& spans, int64_t ms) {
    return std::any_of(spans.begin(), spans.end(), [ms](const TimeSpan& s) { return ms >= s.Start && ms < s.End; });
}

VoiceTuning tuning;

void Measure(const char* name, const std::vector<float>& mix, const std::vector<TimeSpan>& truth, int64_t lengthMs) {
    VoiceActivity voice(0, tuning);
    voice.Feed(mix.data(), mix.size());
    std::vector<TimeSpan> found = voice.Finish();
    int64_t agree = 0, speech = 0, hit = 0, quiet = 0, falseAlarm = 0;
    for (int64_t ms = 0; ms < lengthMs; ms += 10) {
        bool said = Inside(truth, ms), judged = Inside(found, ms);
        agree += said == judged;
        if (said)
            speech++, hit += judged;
        else
            quiet++, falseAlarm += judged;
    }
    std::vector<double> onsetErrors;
    for (const TimeSpan& sentence : truth) {
        for (const TimeSpan& span : found) {
            if (span.End <= sentence.Start || span.Start >= sentence.End) continue;
            onsetErrors.push_back(static_cast<double>(std::abs(span.Start - sentence.Start)));
            break;
        }
    }
    std::sort(onsetErrors.begin(), onsetErrors.end());
    auto at = [&](double share) {
        return onsetErrors.empty() ? 0.0 : onsetErrors[static_cast<size_t>(share * (onsetErrors.size() - 1))];
    };
    size_t within =
        static_cast<size_t>(std::count_if(onsetErrors.begin(), onsetErrors.end(), [](double e) { return e <= 150; }));
    std::printf("%-22s %6.1f%% %7.1f%% %7.1f%%   %2zu/%zu  %3zu/%zu  %5.0f %5.0f %5.0f\n", name,
                100.0 * agree / (speech + quiet), 100.0 * hit / speech, 100.0 * falseAlarm / quiet, onsetErrors.size(),
                truth.size(), within, truth.size(), at(0.5), at(0.9), onsetErrors.empty() ? 0.0 : onsetErrors.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5) {
        std::fprintf(stderr, "usage: voice_quality FOLDER [START_DB KEEP_DB HELD_ABOVE]\n");
        return 2;
    }
    if (argc == 5) {
        tuning.StartDb = std::atof(argv[2]);
        tuning.KeepDb = std::atof(argv[3]);
        tuning.HeldAbove = std::atof(argv[4]);
    }
    const std::string folder = argv[1];
    try {
        std::vector<float> speech = Decode(folder + "/speech.wav");
        std::vector<TimeSpan> truth;
        std::ifstream in(folder + "/sentences.txt");
        TimeSpan span;
        while (in >> span.Start >> span.End) truth.push_back(span);
        const int64_t lengthMs = static_cast<int64_t>(speech.size()) * 1000 / kSoundRate;
        const double speechRms = Rms(speech, &truth);
        std::printf("%-22s %7s %8s %8s %7s %7s %17s\n", "background, SNR", "frames", "speech", "false", "found",
                    "<150ms", "onset ms 50/90/max");
        Measure("clean", speech, truth, lengthMs);
        const struct {
            const char* name;
            std::vector<float> sound;
        } backgrounds[] = {{"pink noise", PinkNoise(speech.size())}, {"music", Music(speech.size())}};
        for (const auto& background : backgrounds) {
            const double backgroundRms = Rms(background.sound, nullptr);
            for (double snr : {20.0, 10.0, 5.0, 0.0}) {
                const double gain = speechRms / backgroundRms / std::pow(10.0, snr / 20);
                std::vector<float> mix(speech.size());
                for (size_t i = 0; i < mix.size(); ++i)
                    mix[i] = speech[i] + static_cast<float>(gain * background.sound[i]);
                char name[64];
                std::snprintf(name, sizeof name, "%s, %+.0f dB", background.name, snr);
                Measure(name, mix, truth, lengthMs);
            }
        }
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", ErrorReportText(error).c_str());
        return 1;
    }
    return 0;
}
