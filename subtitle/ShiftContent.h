#pragma once
// The line loop shared by the in-memory shift and the run: every line is
// written with CR LF after it; timing lines are rebuilt, others copied.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RuntimeError.h"
#include "subtitle/Lines.h"
#include "subtitle/TimestampShift.h"

namespace tarvex {

// The failure of a run over content without any timing line.
RuntimeError NoTimingLineError();

// The indexes of the timing lines, in order; the count is the number of
// subtitle texts. `lines` must be as SplitLines cut them from one content.
std::vector<size_t> FindTimingLines(const std::vector<std::string_view>& lines);

// `sink(std::string_view line)` receives each output line without its line
// end; `timingDone()` runs after each timing line. `timingLines` comes from
// FindTimingLines, so each line is searched for the arrow only once.
// Errors name the line.
template <class Sink, class TimingDone>
void ShiftLines(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines,
                const ShiftAmount& amount, Sink&& sink, TimingDone&& timingDone) {
    std::string rebuilt;
    size_t index = 0;
    for (size_t timing : timingLines) {
        for (; index < timing; ++index) sink(lines[index]);
        rebuilt.clear();
        try {
            AppendShiftedTimingLine(lines[timing], amount, rebuilt);
        } catch (const RuntimeError&) {
            RethrowAtLine(timing, lines[timing]);
        }
        sink(std::string_view(rebuilt));
        timingDone();
        index = timing + 1;
    }
    for (; index < lines.size(); ++index) sink(lines[index]);
}

// The whole shift in memory: content in, shifted content out. StartTime is
// resolved from the first timing line (content without one then raises 5).
std::string ShiftContent(std::string_view content, ShiftMode mode, int16_t minutes, int16_t seconds);
std::string ShiftContent(std::string_view content, const ShiftAmount& requested);

}  // namespace tarvex
