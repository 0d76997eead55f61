#pragma once
// The line loop shared by the in-memory shift and the run: every line is
// written with CR LF after it; timing lines are rebuilt, others copied.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/RuntimeError.h"
#include "subtitle/Lines.h"
#include "subtitle/TimeShifter.h"

namespace tarvex {

// `sink(std::string_view line)` receives each output line without its line
// end; `timingDone()` runs after each timing line. Errors name the line.
template <class Sink, class TimingDone>
void ShiftLines(const std::vector<std::string_view>& lines, const ShiftAmount& amount, Sink&& sink,
                TimingDone&& timingDone) {
    std::string rebuilt;
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string_view line = lines[index];
        if (!IsTimingLine(line)) {
            sink(line);
            continue;
        }
        rebuilt.clear();
        try {
            AppendShiftedTimingLine(line, amount, rebuilt);
        } catch (const RuntimeError&) {
            RethrowAtLine(index, line);
        }
        sink(std::string_view(rebuilt));
        timingDone();
    }
}

// The whole shift in memory: content in, shifted content out. StartTime is
// resolved from the first timing line (content without one then raises 5).
std::string ShiftContent(std::string_view content, ShiftMode mode, int16_t minutes, int16_t seconds);

}  // namespace tarvex
