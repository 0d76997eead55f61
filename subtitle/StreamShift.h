#pragma once
// The time shift as a stream: the input is read and the output written in
// fixed-size chunks, so memory stays the same at any file size. It gives
// exactly the bytes the whole-file shift (ShiftContent) gives.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/FileSystem.h"
#include "subtitle/Lines.h"
#include "subtitle/TimestampShift.h"
#include "subtitle/TimingLineCount.h"

namespace tarvex {

struct StreamShiftResult {
    int64_t TimingLines = 0;
    uint64_t Bytes = 0;  // read from the input
};

// Called with 0 before the first line and then once `done` timing lines are
// written; answers the count at which it wants to be called next.
using ShiftProgress = std::function<int64_t(int64_t done)>;

// Shifts `input`, cut at `separator` (as DetectSeparator found it), into
// `output`. StartTime is resolved from the first timing line met. Errors name
// the line as ShiftContent names it. Polls for an interruption between chunks.
// Lines without the arrow pass through in pieces whatever their length; a
// timing line is held whole, as it is rebuilt.
StreamShiftResult ShiftStream(InputFile& input, LineSeparator separator, const ShiftAmount& requested,
                              OutputFile& output, const ShiftProgress& progress = nullptr,
                              size_t chunkSize = kStreamChunkSize);
StreamShiftResult ShiftStream(InputFile& input, LineSeparator separator, ShiftMode mode, int16_t minutes,
                              int16_t seconds, OutputFile& output, const ShiftProgress& progress = nullptr,
                              size_t chunkSize = kStreamChunkSize);

}  // namespace tarvex
