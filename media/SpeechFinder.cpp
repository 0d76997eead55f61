#include "media/SpeechFinder.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

#include "media/MediaErrors.h"
#include "media/SoundReader.h"
#include "media/SpeechHalves.h"
#include "media/VoiceActivity.h"

namespace tarvex::media {

namespace {

// Below this a second reader costs more to start than it saves.
constexpr int64_t kSplitFromMs = 5 * 60 * 1000;
constexpr size_t kPieceSamples = kSoundRate / 2;
// The second reader starts this much before the seam, so that its noise
// floor is found by the time it reaches it.
constexpr int64_t kWarmUpMs = 3000;

// Reads `reader` through `voice` until its end or until `done` reaches
// `limit` (none when negative). Returns early, quietly, once `stop` says the
// other half failed.
void Judge(SoundReader& reader, VoiceActivity& voice, std::atomic<int64_t>& done, int64_t limit,
           const std::atomic<bool>* cancel, const std::atomic<bool>& stop, const std::function<void()>& afterPiece) {
    std::vector<float> piece(kPieceSamples);
    while (!stop.load(std::memory_order_relaxed)) {
        StopIfCancelled(cancel);
        size_t wanted = piece.size();
        if (limit >= 0) wanted = static_cast<size_t>(std::min<int64_t>(limit - done.load(), kPieceSamples));
        if (wanted == 0) return;
        size_t got = reader.Read(piece.data(), wanted);
        if (got == 0) return;
        voice.Feed(piece.data(), got);
        done.fetch_add(static_cast<int64_t>(got), std::memory_order_relaxed);
        if (afterPiece) afterPiece();
    }
}

// The second half's spans from the seam on; before it its noise floor was
// still settling, and the first half has judged that stretch.
std::vector<TimeSpan> FromSeam(std::vector<TimeSpan> spans, int64_t seamMs) {
    std::vector<TimeSpan> kept;
    for (TimeSpan span : spans) {
        if (span.End <= seamMs) continue;
        span.Start = std::max(span.Start, seamMs);
        kept.push_back(span);
    }
    return kept;
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
    // Where readers cannot work side by side, films are read one at a time:
    // a search given up may still be reading when the next one starts.
    static std::mutex oneFilmAtATime;
    std::unique_lock<std::mutex> turn(oneFilmAtATime, std::defer_lock);
    if (!ReadersRunSideBySide()) turn.lock();
    StopIfCancelled(cancel);
    std::unique_ptr<SoundReader> first = OpenSoundReader(path, 0);
    const int64_t durationMs = first->DurationMs();
    // Decoding dominates, so a long film's second half goes to a reader of
    // its own on the other core.
    const bool split = durationMs >= kSplitFromMs && std::thread::hardware_concurrency() >= 2 && ReadersRunSideBySide();
    return FindSpeechInHalves(path, std::move(first), split ? durationMs / 2 : 0, progress, cancel);
}

SpeechTrack FindSpeechInHalves(const std::string& path, std::unique_ptr<SoundReader> first, int64_t splitMs,
                               const MediaProgress& progress, const std::atomic<bool>* cancel) {
    const int64_t durationMs = first->DurationMs();
    const int64_t secondStartMs = std::max<int64_t>(0, splitMs - kWarmUpMs);
    const VoiceTuning tuning;
    VoiceActivity firstVoice(0, tuning);
    VoiceActivity secondVoice(secondStartMs, tuning);
    std::atomic<int64_t> firstDone{0};
    std::atomic<int64_t> secondDone{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> secondOpened{false};
    std::exception_ptr secondFailure;
    std::thread worker;
    if (splitMs > 0) {
        // The second reader is opened, used and closed on its own thread, as
        // a system decoder tied to the thread that made it wants.
        worker = std::thread([&] {
            std::unique_ptr<SoundReader> second;
            try {
                second = OpenSoundReader(path, secondStartMs);
            } catch (...) {
                return;  // a file that cannot seek: the first reader reads on
            }
            secondOpened = true;
            try {
                Judge(*second, secondVoice, secondDone, -1, cancel, stop, nullptr);
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
        Judge(*first, firstVoice, firstDone, splitMs > 0 ? splitMs * kSoundRate / 1000 : -1, cancel, stop, report);
        if (worker.joinable()) worker.join();
        if (secondFailure) std::rethrow_exception(secondFailure);
        if (splitMs > 0 && !secondOpened) Judge(*first, firstVoice, firstDone, -1, cancel, stop, report);
    } catch (...) {
        stop.store(true);
        if (worker.joinable()) worker.join();
        throw;
    }

    SpeechTrack track;
    track.Spans = firstVoice.Finish();
    if (secondOpened && secondDone.load() > 0) {
        Append(track.Spans, FromSeam(secondVoice.Finish(), splitMs), tuning.BridgeMs);
        track.DurationMs = secondStartMs + secondDone.load() * 1000 / kSoundRate;
    } else {
        // One reader, or a file that told a length its sound does not reach.
        track.DurationMs = firstDone.load() * 1000 / kSoundRate;
    }
    if (progress) progress(1.0);
    if (track.Spans.empty()) ThrowNoSpeech(path);
    return track;
}

}  // namespace tarvex::media
