#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "SpeechCheck.h"
#include "media/Resampler.h"
#include "media/SoundReader.h"
#include "media/VoiceActivity.h"

namespace tarvex::media {
namespace {

constexpr double kPi = std::numbers::pi;

// Something shaped like a voice: a pitch that rises and falls within each
// syllable, its harmonics under the formants of a vowel that changes with
// every syllable, four syllables a second.
double Voice(double t) {
    constexpr double kVowels[][3] = {{730, 1090, 2440}, {270, 2290, 3010}, {300, 870, 2240}, {530, 1840, 2480}};
    const double syllable = std::floor(t * 4);
    const double within = t * 4 - syllable;
    const double* formants = kVowels[static_cast<int>(syllable) % 4];
    const double base = 110 + 10 * (static_cast<int>(syllable) % 3);
    // The phase of a pitch rising by a third through the syllable.
    const double phase = 2 * kPi * base * (within + 0.3 * within * within) / 4;
    double sum = 0;
    for (int k = 1; k * base * 1.6 < 3800; ++k) {
        double f = k * base * (1 + 0.6 * within);
        double gain = 0;
        for (int i = 0; i < 3; ++i) gain += std::exp(-std::pow((f - formants[i]) / 150, 2));
        sum += (0.1 + gain) * std::sin(k * phase);
    }
    return 0.06 * sum * std::pow(std::sin(kPi * within), 0.5);
}

enum class Background { Silence, WhiteNoise, HeldChord, Hum };

std::vector<float> Sound(Background background, const std::vector<TimeSpan>& speech, int64_t lengthMs) {
    std::vector<float> samples(static_cast<size_t>(lengthMs * kSoundRate / 1000));
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.03f);
    for (size_t i = 0; i < samples.size(); ++i) {
        double t = static_cast<double>(i) / kSoundRate;
        double value = 0;
        switch (background) {
            case Background::Silence: break;
            case Background::WhiteNoise: value = noise(random); break;
            case Background::HeldChord:
                value = 0.1 * (std::sin(2 * kPi * 440 * t) + std::sin(2 * kPi * 554 * t) + std::sin(2 * kPi * 659 * t));
                break;
            case Background::Hum:
                for (int k = 1; k <= 5; ++k) value += 0.08 / k * std::sin(2 * kPi * 50 * k * t);
                break;
        }
        for (const TimeSpan& span : speech) {
            if (t * 1000 >= span.Start && t * 1000 < span.End) value += Voice(t);
        }
        samples[i] = static_cast<float>(value);
    }
    return samples;
}

std::vector<TimeSpan> Judge(const std::vector<float>& samples, size_t piece) {
    VoiceActivity voice(0);
    for (size_t at = 0; at < samples.size(); at += piece) {
        voice.Feed(samples.data() + at, std::min(piece, samples.size() - at));
    }
    return voice.Finish();
}

TEST(VoiceActivity, SpeechFoundOverSteadyBackgroundsAndBackgroundsAloneAreNot) {
    const std::vector<TimeSpan> speech = {{2000, 3500}, {5000, 6200}, {8000, 9800}};
    const struct {
        Background background;
        const char* name;
    } cases[] = {{Background::Silence, "silence"},
                 {Background::WhiteNoise, "white noise"},
                 {Background::HeldChord, "a held chord"},
                 {Background::Hum, "mains hum"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(test::SpeechMismatch(Judge(Sound(c.background, speech, 11000), 4000), speech, 100), "");
        EXPECT_TRUE(Judge(Sound(c.background, {}, 11000), 4000).empty());
    }
}

TEST(VoiceActivity, PiecesOfAnySizeAndAnOriginGiveTheSameSpans) {
    const std::vector<float> samples = Sound(Background::WhiteNoise, {{1000, 2500}, {3100, 4000}}, 5000);
    const std::vector<TimeSpan> whole = Judge(samples, samples.size());
    ASSERT_EQ(whole.size(), 2u);
    for (size_t piece : {1u, 159u, 161u, 4096u}) {
        std::vector<TimeSpan> pieces = Judge(samples, piece);
        ASSERT_EQ(pieces.size(), whole.size()) << piece;
        for (size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(pieces[i].Start, whole[i].Start) << piece;
            EXPECT_EQ(pieces[i].End, whole[i].End) << piece;
        }
    }
    VoiceActivity later(60000);
    later.Feed(samples.data(), samples.size());
    std::vector<TimeSpan> shifted = later.Finish();
    ASSERT_EQ(shifted.size(), whole.size());
    EXPECT_EQ(shifted[1].Start, whole[1].Start + 60000);
}

// The strength of `frequency` in `samples` at kSoundRate, as an amplitude.
double Strength(const std::vector<float>& samples, double frequency) {
    double re = 0, im = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        re += samples[i] * std::cos(2 * kPi * frequency * i / kSoundRate);
        im += samples[i] * std::sin(2 * kPi * frequency * i / kSoundRate);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(samples.size());
}

TEST(MonoResampler, KeepsTheSpeechBandDropsWhatWouldFoldIntoItAndKeepsTime) {
    for (int rate : {11025, 16000, 22050, 44100, 48000}) {
        SCOPED_TRACE(rate);
        const size_t count = static_cast<size_t>(rate) * 2;
        std::vector<float> tone(count), high(count);
        for (size_t i = 0; i < count; ++i) {
            tone[i] = static_cast<float>(0.5 * std::sin(2 * kPi * 1000 * i / rate));
            high[i] = static_cast<float>(0.5 * std::sin(2 * kPi * std::min(5000.0, rate * 0.45) * i / rate));
        }
        std::vector<float> out;
        MonoResampler whole(rate, kSoundRate);
        whole.Process(tone.data(), count, out);
        whole.Flush(out);
        EXPECT_NEAR(static_cast<double>(out.size()), 2.0 * kSoundRate, 1.0);
        EXPECT_NEAR(Strength(out, 1000), 0.5, 0.02);
        // Streaming in odd pieces changes nothing.
        std::vector<float> pieces;
        MonoResampler pieceWise(rate, kSoundRate);
        for (size_t at = 0; at < count; at += 997)
            pieceWise.Process(tone.data() + at, std::min<size_t>(997, count - at), pieces);
        pieceWise.Flush(pieces);
        ASSERT_EQ(pieces.size(), out.size());
        for (size_t i = 0; i < out.size(); i += 101) EXPECT_NEAR(pieces[i], out[i], 1e-5) << i;

        std::vector<float> folded;
        MonoResampler dropping(rate, kSoundRate);
        dropping.Process(high.data(), count, folded);
        dropping.Flush(folded);
        double rms = 0;
        for (float s : folded) rms += s * s;
        EXPECT_LT(std::sqrt(rms / folded.size()), 0.05);  // a 0.35 RMS tone, at least 17 dB down
    }
}

}  // namespace
}  // namespace tarvex::media
