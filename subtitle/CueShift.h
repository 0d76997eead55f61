#pragma once
// The time shift of WebVTT and ASS/SSA files. Only the digits of the
// timestamps change: every other byte, line ends included, is written as it
// was read. A line ends at LF (a CR before it belongs to the line end), or
// at CR in a file whose first line end is a lone CR.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "subtitle/CueLayout.h"
#include "subtitle/StreamShift.h"
#include "subtitle/SubtitleFormat.h"
#include "subtitle/TimeChange.h"
#include "subtitle/TimestampShift.h"
#include "subtitle/TimingLineCount.h"

namespace tarvex {

// The failure of a run over a file without any cue.
RuntimeError NoCueError(SubtitleFormat format);

// Rewrites the lines of one file in order. The amount must be resolved.
class CueLineShifter {
public:
    CueLineShifter(SubtitleFormat format, const ShiftAmount& amount)
        : format_(format),
          layout_(format),
          change_(amount, format == SubtitleFormat::Ass ? kCentisPerSecond : kMillisPerSecond) {}

    // `line` without its line end. Answers true with the new text in `out`
    // when the line changes. An unreadable timestamp on a timing line raises
    // 13 (a missing field 9, hours beyond six digits 6).
    bool Shift(std::string_view line, std::string& out);
    // What the last line given to Shift was.
    CueLineKind LastKind() const { return kind_; }

private:
    bool ShiftVttTiming(std::string_view line, std::string& out);
    bool ShiftInlineStamps(std::string_view line, std::string& out);
    bool ShiftAssEvent(std::string_view line, std::string& out);

    const SubtitleFormat format_;
    CueLayout layout_;
    const TimeChanger change_;
    CueLineKind kind_ = CueLineKind::Other;
};

// The first pass: how many cues (timing lines) and bytes, and the start of
// the first cue (for ASS the first Dialogue, as Comment lines often hold
// templates timed at zero) in milliseconds.
struct CueCount {
    int64_t Cues = 0;
    uint64_t Bytes = 0;
    int64_t FirstStart = -1;  // -1: no cue
};
CueCount CountCues(InputFile& input, SubtitleFormat format, size_t chunkSize = kStreamChunkSize);

// Turns Start Time into Plus or Minus from the first cue; others pass.
// Raises 5 when the file has no cue.
ShiftAmount ResolveCueAmount(const CueCount& count, SubtitleFormat format, const ShiftAmount& requested);

// The shift in fixed-size chunks, memory bounded by the chunk and the
// longest line. `amount` must be resolved. Errors name the line.
StreamShiftResult ShiftCueStream(InputFile& input, SubtitleFormat format, const ShiftAmount& amount, OutputFile& output,
                                 const ShiftProgress& progress = nullptr, size_t chunkSize = kStreamChunkSize);

// The whole shift in memory, Start Time included: the reference the stream
// must equal.
std::string ShiftCueContent(std::string_view content, SubtitleFormat format, const ShiftAmount& requested);

}  // namespace tarvex
