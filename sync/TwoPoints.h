#pragma once
// Sync by two lines: cue N should start at T1 and cue M at T2; every time
// moves on the straight line through both.

#include <cstdint>
#include <vector>

#include "base/TimeSpan.h"
#include "subtitle/TimeMap.h"

namespace tarvex::sync {

// `cues` in file order; cue numbers count from 1. Raises BadSyncPoints when
// a cue does not exist, both are the same cue or start at the same time, or
// the line would run time backwards or change the speed beyond any film's.
TimeMap TwoPointMap(const std::vector<TimeSpan>& cues, int32_t firstCue, int64_t firstTimeMs, int32_t secondCue,
                    int64_t secondTimeMs);

}  // namespace tarvex::sync
