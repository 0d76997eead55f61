#pragma once
// The fast first pass over a file: which separator cuts it into lines and
// how many timing lines it holds, read in fixed-size chunks.

#include <cstddef>
#include <cstdint>

#include "base/FileSystem.h"
#include "subtitle/Lines.h"

namespace tarvex {

constexpr size_t kStreamChunkSize = 256 * 1024;

struct TimingLineCount {
    LineSeparator Separator = LineSeparator::Cr;
    int64_t TimingLines = 0;
    uint64_t Bytes = 0;
};

// CR LF when it occurs anywhere, else LF when it occurs, else CR (as
// SplitLines chooses). Stops at the first CR LF.
LineSeparator DetectSeparator(InputFile& input, size_t chunkSize = kStreamChunkSize);

// The separator, the number of lines holding " --> " and the file's length.
// Stops with error 18 when an interruption is requested.
TimingLineCount CountTimingLines(InputFile& input, size_t chunkSize = kStreamChunkSize);

// The number of separators before `offset`: the index of the line starting
// there. Only failure reports need it, so it reads the file again.
int64_t CountLinesBefore(InputFile& input, LineSeparator separator, uint64_t offset,
                         size_t chunkSize = kStreamChunkSize);

}  // namespace tarvex
