#include "media/SpeechFinder.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "media/MediaErrors.h"
#include "media/SoundReader.h"
#include "media/VoiceActivity.h"

namespace tarvex::media {

namespace {

// Below this a second reader costs more to start than it saves.
constexpr int64_t kSplitFromMs = 5 * 60 * 1000;
constexpr size_t kPieceSamples = kSoundRate / 2;

// Reads `reader` to its end through `voice`. Returns early, quietly, once
// `stop` says the other half failed.
void Judge(SoundReader& reader, VoiceActivity& voice, std::atomic<int64_t>& done, const std::atomic<bool>* cancel,
           const std::atomic<bool>& stop, const std::function<void()>& afterPiece) {
    std::vector<float> piece(kPieceSamples);
    while (!stop.load(std::memory_order_relaxed)) {
        StopIfCancelled(cancel);
        size_t got = reader.Read(piece.data(), piece.size());
        if (got == 0) return;
        voice.Feed(piece.data(), got);
        done.fetch_add(static_cast<int64_t>(got), std::memory_order_relaxed);
        if (afterPiece) afterPiece();
    }
}

// The two halves' spans as one list: a span cut by the seam is joined again.
void Append(std::vector<TimeSpan>& spans, const std::vector<TimeSpan>& more, int64_t bridgeMs) {
    for (const TimeSpan& span : more) {
        if (!spans.empty() && span.Start - spans.back().End < bridgeMs) {
            spans.back().End = std::max(spans.back().End, span.End);
        } else {
            spans.push_back(span);
        }
    }
}

}  // namespace

SpeechTrack FindSpeech(const std::string& path, const MediaProgress& progress, const std::atomic<bool>* cancel) {
    StopIfCancelled(cancel);
    std::unique_ptr<SoundReader> first = OpenSoundReader(path, 0);
    const int64_t durationMs = first->DurationMs();
    std::unique_ptr<SoundReader> second;
    int64_t splitMs = 0;
    if (durationMs >= kSplitFromMs && std::thread::hardware_concurrency() >= 2) {
        // Decoding dominates, so the second half goes to a reader of its own
        // on the other core; a file that cannot seek is read in one go.
        splitMs = durationMs / 2;
        try {
            second = OpenSoundReader(path, splitMs);
            first = LimitSamples(std::move(first), splitMs * kSoundRate / 1000);
        } catch (const std::exception&) {
            second.reset();
            splitMs = 0;
        }
    }

    const VoiceTuning tuning;
    VoiceActivity firstVoice(0, tuning);
    VoiceActivity secondVoice(splitMs, tuning);
    std::atomic<int64_t> firstDone{0};
    std::atomic<int64_t> secondDone{0};
    std::atomic<bool> stop{false};
    std::exception_ptr secondFailure;
    std::thread worker;
    if (second) {
        worker = std::thread([&] {
            try {
                Judge(*second, secondVoice, secondDone, cancel, stop, nullptr);
            } catch (...) {
                secondFailure = std::current_exception();
                stop.store(true);
            }
        });
    }

    const double expected = static_cast<double>(durationMs) * kSoundRate / 1000;
    int lastShown = -1;
    auto report = [&] {
        if (!progress || expected <= 0) return;
        double share = (firstDone.load() + secondDone.load()) / expected;
        int shown = static_cast<int>(std::min(share, 0.999) * 1000);
        if (shown == lastShown) return;
        lastShown = shown;
        progress(shown / 1000.0);
    };
    try {
        Judge(*first, firstVoice, firstDone, cancel, stop, report);
    } catch (...) {
        stop.store(true);
        if (worker.joinable()) worker.join();
        throw;
    }
    if (worker.joinable()) worker.join();
    if (secondFailure) std::rethrow_exception(secondFailure);

    SpeechTrack track;
    track.Spans = firstVoice.Finish();
    if (second) {
        Append(track.Spans, secondVoice.Finish(), tuning.BridgeMs);
        track.DurationMs = splitMs + secondDone.load() * 1000 / kSoundRate;
    } else {
        track.DurationMs = firstDone.load() * 1000 / kSoundRate;
    }
    if (progress) progress(1.0);
    if (track.Spans.empty()) ThrowNoSpeech(path);
    return track;
}

}  // namespace tarvex::media
