#include "sync/TwoPoints.h"

#include <string>

#include "base/RuntimeError.h"

namespace tarvex::sync {

namespace {

// A film at 23.976 shown at 30 (or the reverse) is the most any subtitle
// is stretched; twice that is surely a typing slip.
constexpr double kLeastSpeed = 0.5;
constexpr double kMostSpeed = 2.0;

[[noreturn]] void Refuse(const std::string& why) {
    throw RuntimeError(ErrorNumber::BadSyncPoints, "The two cues and times do not give a usable line: " + why);
}

}  // namespace

TimeMap TwoPointMap(const std::vector<TimeSpan>& cues, int32_t firstCue, int64_t firstTimeMs, int32_t secondCue,
                    int64_t secondTimeMs) {
    const int64_t count = static_cast<int64_t>(cues.size());
    for (int32_t cue : {firstCue, secondCue})
        if (cue < 1 || cue > count)
            Refuse("there is no cue " + std::to_string(cue) + " (the file has " + std::to_string(count) + ")");
    if (firstTimeMs < 0 || secondTimeMs < 0) Refuse("a time is before zero");
    if (firstCue == secondCue) Refuse("both points name cue " + std::to_string(firstCue));
    const double from1 = static_cast<double>(cues[static_cast<size_t>(firstCue - 1)].Start);
    const double from2 = static_cast<double>(cues[static_cast<size_t>(secondCue - 1)].Start);
    if (from1 == from2) Refuse("the two cues start at the same time");
    const double speed = (static_cast<double>(secondTimeMs) - static_cast<double>(firstTimeMs)) / (from2 - from1);
    if (!(speed >= kLeastSpeed && speed <= kMostSpeed))
        Refuse(speed <= 0 ? "the times are in the other order than the cues" : "the speed would change too much");
    const double offset = static_cast<double>(firstTimeMs) - speed * from1;
    return TimeMap({{0, speed, offset}});
}

}  // namespace tarvex::sync
