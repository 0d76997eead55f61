#pragma once
// A stretch of time in milliseconds: a cue's start and end, or a run of
// speech. End is after Start for anything worth aligning.

#include <cstdint>

namespace tarvex {

struct TimeSpan {
    int64_t Start = 0;
    int64_t End = 0;

    int64_t Length() const { return End - Start; }
};

}  // namespace tarvex
