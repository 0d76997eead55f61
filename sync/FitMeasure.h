#pragma once
// How well a map lays the input on the reference: the cues that fall on it
// and a confidence that discounts what chance alone would give.

#include <cstdint>
#include <vector>

#include "base/TimeSpan.h"
#include "subtitle/TimeMap.h"

namespace tarvex::sync {

struct FitMeasure {
    int32_t CuesTotal = 0;
    int32_t CuesMatched = 0;  // at least a third of the mapped cue on the reference
    double Confidence = 0.0;  // 0 (chance) .. 1 (every cue covered)
    bool Trusted = false;
};

// `merged` as MergeSpans gives it. Only cues mapped within the reference's
// extent are judged for confidence: a subtitle may run past either end.
FitMeasure MeasureFit(const std::vector<TimeSpan>& input, const std::vector<TimeSpan>& merged, const TimeMap& map);

}  // namespace tarvex::sync
