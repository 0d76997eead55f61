#pragma once
// The heart of sync, pure: the input's cues and the reference's spans (its
// cues, or the film's speech) in, the time map that lays the one on the
// other out. One offset; an offset and a speed; or pieces with offsets of
// their own where the film has scenes or breaks the subtitle lacks (or the
// other way round), each cut paying a penalty so that a clean file has none.

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/TimeSpan.h"
#include "subtitle/TimeMap.h"

namespace tarvex::sync {

struct AlignOptions {
    bool AllowCuts = true;
    bool CorrectSpeed = true;
    int64_t MaxOffsetMs = 15 * 60 * 1000;  // bounds each piece's offset
};

struct Alignment {
    TimeMap Map;
    int32_t CuesTotal = 0;
    int32_t CuesMatched = 0;
    double Confidence = 0.0;
    bool Trusted = false;
};

using AlignProgress = std::function<void(double fraction)>;
// Asked between pieces of work; true stops the search with error 18.
using StopRequest = std::function<bool()>;

// `input` in any order; `reference` in any order, overlaps allowed. Raises
// NoReferenceCues when the reference has no span of any length.
Alignment Align(const std::vector<TimeSpan>& input, const std::vector<TimeSpan>& reference, const AlignOptions& options,
                const AlignProgress& progress = nullptr, const StopRequest& stop = nullptr);

// The speeds tried: the ratios among the common frame rates (23.976, 24,
// 25, 29.97, 30), 1 first; only 1 without speed correction.
std::vector<double> CandidateSpeeds(bool correctSpeed);

}  // namespace tarvex::sync
