#pragma once
// Sync by itself: find the map that fits a subtitle to a reference (another
// subtitle of the film, or the film's own sound) or to two cues placed by
// the user, then apply it as the time shift applies its amount.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "job/RunEnvironment.h"
#include "subtitle/TimeMap.h"

namespace tarvex {

// Cue `Cue` (counted from 1, in file order) should start at `Time`.
struct SyncPoint {
    int32_t Cue = 0;
    int64_t TimeMs = 0;
};

struct SyncOptions {
    std::string ReferencePath;      // a subtitle, or a film or sound file; empty for the two-point form
    std::vector<SyncPoint> Points;  // exactly two for the two-point form
    bool AllowCuts = true;
    bool CorrectSpeed = true;
    int64_t MaxOffsetMs = 15 * 60 * 1000;
    std::string LegacyEncoding;  // code page of inputs neither UTF-8 nor UTF-16 ("" = default)
};

enum class SyncStage { Reading, Decoding, Aligning };
// Called now and then with the stage and its share done, 0..1.
using SyncProgress = std::function<void(SyncStage stage, double fraction)>;

struct SyncFinding {
    TimeMap Map;
    int32_t CuesTotal = 0;
    int32_t CuesMatched = 0;  // cues that fall on the reference's cues or speech once mapped
    double Confidence = 0.0;  // 0..1
    bool Trusted = false;     // confident enough to apply without asking
    // In words: "later by 12.340 s, speed 25 -> 23.976 fps, 2 cuts (00:41:10 +8.200 s,
    // 01:12:03 -3.000 s); 1,298 of 1,332 cues matched speech"
    std::string Summary;
};

// Finds the map; writes nothing. Raises numbered errors for bad input, and
// UserInterrupt once `cancel` is set or an interruption is requested.
SyncFinding FindSync(const std::string& inputPath, const SyncOptions& options, const SyncProgress& progress,
                     const std::atomic<bool>* cancel);

// Applies the map to the input exactly as the time-shift run applies a
// shift: same panel, messages, backup NAME_original.ext and whole-or-nothing
// replace. Answers whether it succeeded.
bool RunSync(const std::string& inputPath, const TimeMap& map, RunEnvironment& environment);

}  // namespace tarvex
