#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <thread>

#include "SpeechCheck.h"
#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "media/SoundReader.h"
#include "media/SpeechFinder.h"
#include "media/SpeechHalves.h"
#include "support/TempFolder.h"

namespace tarvex::media {
namespace {

int ErrorOf(const std::function<void()>& work, std::string* description = nullptr);

std::string Fixture(const std::string& name) {
    return std::string(TARVEX_MEDIA_FIXTURES) + "/" + name;
}

// Where the fixtures' sentences are, as the script that made them wrote down.
std::vector<TimeSpan> Sentences() {
    std::ifstream in(std::string(TARVEX_MEDIA_FIXTURES) + "/speech.txt");
    std::vector<TimeSpan> sentences;
    TimeSpan span;
    while (in >> span.Start >> span.End) sentences.push_back(span);
    return sentences;
}

int64_t FixtureLengthMs() {
    std::ifstream in(std::string(TARVEX_MEDIA_FIXTURES) + "/duration.txt");
    int64_t ms = 0;
    in >> ms;
    return ms;
}

// Every kind decodes under Wine's Media Foundation too (through GStreamer).
const char* const kFormats[] = {"speech.wav", "speech.mp4", "speech.mkv", "speech.mp3", "speech.ogg", "speech.flac"};

TEST(FindSpeech, EveryFormatDecodesToItsLengthWithTheSentencesWhereTheyWereSpoken) {
    const std::vector<TimeSpan> sentences = Sentences();
    ASSERT_EQ(sentences.size(), 2u);
    for (const char* format : kFormats) {
        SCOPED_TRACE(format);
        std::vector<double> shares;
        SpeechTrack track = FindSpeech(
            Fixture(format), [&](double share) { shares.push_back(share); }, nullptr);
        // Within a coder's priming and padding, which not every decoder
        // trims (Media Foundation keeps MP3's: 68 ms here).
        EXPECT_NEAR(static_cast<double>(track.DurationMs), static_cast<double>(FixtureLengthMs()), 100.0);
        EXPECT_EQ(test::SpeechMismatch(track.Spans, sentences, 150), "");
        ASSERT_FALSE(shares.empty());
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
        EXPECT_EQ(shares.back(), 1.0);
    }
}

// Two searches at once (the window starts one while a given-up one still
// reads): each finds the same speech, whether the system lets them decode
// side by side or takes them in turn.
TEST(FindSpeech, TwoSearchesAtOnceBothFindTheSpeech) {
    const std::vector<TimeSpan> sentences = Sentences();
    for (const char* format : {"speech.mp4", "speech.mkv"}) {
        SCOPED_TRACE(format);
        SpeechTrack other;
        std::thread second([&] { other = FindSpeech(Fixture(format), nullptr, nullptr); });
        const SpeechTrack track = FindSpeech(Fixture(format), nullptr, nullptr);
        second.join();
        EXPECT_EQ(test::SpeechMismatch(track.Spans, sentences, 150), "");
        EXPECT_EQ(test::SpeechMismatch(other.Spans, sentences, 150), "");
    }
}

// A long film is read in two halves on two threads; wherever the seam
// falls (in a pause, in a sentence) the result is what one reader finds.
TEST(FindSpeech, TwoHalvesJoinAtTheSeamAsOneReaderWould) {
    if (!ReadersRunSideBySide()) GTEST_SKIP() << "this system's films are read by one reader";
    const std::vector<TimeSpan> sentences = Sentences();
    for (const char* format : kFormats) {
        for (int64_t seamMs : {4500, 7000}) {
            SCOPED_TRACE(std::string(format) + " split at " + std::to_string(seamMs));
            const std::string path = Fixture(format);
            std::vector<double> shares;
            SpeechTrack halves = FindSpeechInHalves(
                path, OpenSoundReader(path, 0), seamMs, [&](double share) { shares.push_back(share); }, nullptr);
            EXPECT_NEAR(static_cast<double>(halves.DurationMs), static_cast<double>(FixtureLengthMs()), 100.0);
            EXPECT_EQ(test::SpeechMismatch(halves.Spans, sentences, 150), "");
            EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
            EXPECT_EQ(shares.back(), 1.0);
        }
    }
    // Cancelled while both halves run: stopped, the other thread ended.
    std::atomic<bool> cancel{false};
    const std::string path = Fixture("speech.wav");
    EXPECT_EQ(ErrorOf([&] {
                  FindSpeechInHalves(
                      path, OpenSoundReader(path, 0), 5000, [&](double) { cancel = true; }, &cancel);
              }),
              ErrorNumber::UserInterrupt);
}

// The samples around `atMs`, read once from the start and once from a
// reader placed there, must line up: the two halves of a long film are
// read that way and joined at the seam.
TEST(FindSpeech, AReaderPlacedPartWayStartsOnTheSampleAskedFor) {
    constexpr int64_t atMs = 4000;
    constexpr size_t kept = kSoundRate / 2;
    for (const char* format : kFormats) {
        SCOPED_TRACE(format);
        std::unique_ptr<SoundReader> whole = OpenSoundReader(Fixture(format), 0);
        std::vector<float> skipped(atMs * kSoundRate / 1000);
        ASSERT_EQ(whole->Read(skipped.data(), skipped.size()), skipped.size());
        std::vector<float> expected(kept), placed(kept);
        ASSERT_EQ(whole->Read(expected.data(), kept), kept);
        ASSERT_EQ(OpenSoundReader(Fixture(format), atMs)->Read(placed.data(), kept), kept);
        // Lossy coders restart after a seek, so shapes are compared: the
        // best lag must be within a coder's own delay (MP3's filter bank
        // lags its frames' times by 24 ms), far below a misplaced frame.
        int bestLag = 0;
        double best = -1;
        for (int lag = -320; lag <= 320; lag += 2) {
            double dot = 0, a = 0, b = 0;
            for (size_t i = 320; i + 320 < kept; ++i) {
                double x = expected[i], y = placed[static_cast<size_t>(static_cast<int>(i) + lag)];
                dot += x * y;
                a += x * x;
                b += y * y;
            }
            double correlation = dot / std::sqrt(a * b + 1e-30);
            if (correlation > best) best = correlation, bestLag = lag;
        }
        EXPECT_LE(std::abs(bestLag), 200);  // 25 ms
        EXPECT_GT(best, 0.8);
    }
}

// A WAV file of `seconds` of `level`-loud noise (0: digital silence).
std::string WriteNoise(const test::TempFolder& folder, const std::string& name, int seconds, double level) {
    const uint32_t rate = 8000, count = rate * static_cast<uint32_t>(seconds), bytes = count * 2;
    std::string wav = "RIFF";
    auto put = [&wav](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) wav += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(36 + bytes, 4);
    wav += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    wav += "data";
    put(bytes, 4);
    uint32_t seed = 1;
    for (uint32_t i = 0; i < count; ++i) {
        seed = seed * 1664525 + 1013904223;
        double sample = level * 32767 * (static_cast<double>(seed >> 8) / (1 << 24) - 0.5);
        put(static_cast<uint32_t>(static_cast<int16_t>(sample)), 2);
    }
    std::string path = folder / name;
    test::WriteBytes(path, wav);
    return path;
}

int ErrorOf(const std::function<void()>& work, std::string* description) {
    try {
        work();
    } catch (const RuntimeError& error) {
        if (description != nullptr) *description = error.Description();
        return error.Number();
    }
    return 0;
}

TEST(FindSpeech, FilesWithoutSpeechOrSoundOrThatAreNoFilmsAreRefusedByNumberAndName) {
    test::TempFolder folder;
    const struct {
        std::string path;
        int32_t number;
    } cases[] = {
        {Fixture("silent-film.mp4"), ErrorNumber::NoSoundTrack},
        {Fixture("not-a-film.mkv"), ErrorNumber::UndecodableMedia},
        {folder / "missing.mkv", ErrorNumber::UndecodableMedia},
        {WriteNoise(folder, "hiss.wav", 4, 0.05), ErrorNumber::NoSpeechFound},
        {WriteNoise(folder, "quiet.wav", 2, 0.0), ErrorNumber::NoSpeechFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string description;
        EXPECT_EQ(ErrorOf([&] { FindSpeech(c.path, nullptr, nullptr); }, &description), c.number);
        std::string name = c.path.substr(c.path.find_last_of("/\\") + 1);
        EXPECT_NE(description.find(name), std::string::npos) << description;
    }
}

TEST(FindSpeech, ACancelOrAnInterruptionStopsItAsAUserInterrupt) {
    const std::string path = Fixture("speech.wav");
    std::atomic<bool> cancel{true};
    EXPECT_EQ(ErrorOf([&] { FindSpeech(path, nullptr, &cancel); }), ErrorNumber::UserInterrupt);

    // Asked while it runs: it stops at the next piece rather than at the end.
    cancel = false;
    int calls = 0;
    auto cancelAtFirst = [&](double) {
        ++calls;
        cancel = true;
    };
    EXPECT_EQ(ErrorOf([&] { FindSpeech(path, cancelAtFirst, &cancel); }), ErrorNumber::UserInterrupt);
    EXPECT_EQ(calls, 1);

    RequestInterruption();
    int number = ErrorOf([&] { FindSpeech(path, nullptr, nullptr); });
    ClearInterruption();
    EXPECT_EQ(number, ErrorNumber::UserInterrupt);
}

TEST(IsMediaPath, FilmAndSoundExtensionsInAnyCaseButNotSubtitles) {
    for (const char* path : {"a.mkv", "b.MP4", "c.avi", "d.webm", "e.wav", "f.Mp3", "g.m4a", "h.ogg", "i.opus",
                             "j.flac", "dir.srt/film.mkv"}) {
        EXPECT_TRUE(IsMediaPath(path)) << path;
    }
    for (const char* path : {"a.srt", "a.vtt", "a.ass", "mkv", "a.mkv.srt", "film.", ""}) {
        EXPECT_FALSE(IsMediaPath(path)) << path;
    }
}

}  // namespace
}  // namespace tarvex::media
