#pragma once
// Where people speak in a film or sound file: the sound track decoded as a
// stream (memory does not grow with the film), mixed to mono, and judged
// speech or not in short frames.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/TimeSpan.h"

namespace tarvex::media {

struct SpeechTrack {
    std::vector<TimeSpan> Spans;  // in order, apart from each other
    int64_t DurationMs = 0;       // of the sound decoded
};

// Called now and then with the share of the file decoded, 0..1.
using MediaProgress = std::function<void(double fraction)>;

// Whether the path names a film or sound file (by its extension), rather
// than a subtitle.
bool IsMediaPath(const std::string& path);

// Decodes the first sound track of `path` and finds its speech. Raises
// NoSoundTrack, UndecodableMedia or NoSpeechFound (numbered), and
// UserInterrupt once `cancel` is set or an interruption is requested.
SpeechTrack FindSpeech(const std::string& path, const MediaProgress& progress, const std::atomic<bool>* cancel);

}  // namespace tarvex::media
