#pragma once
// Shifting timestamps and rebuilding timing lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "job/JobSettings.h"

namespace tarvex {

// A resolved shift: the mode is Plus or Minus, never StartTime.
struct ShiftAmount {
    ShiftMode Mode = ShiftMode::Plus;
    int16_t Minutes = 0;
    int16_t Seconds = 0;
};

// The amount that moves the first subtitle to targetMinutes:targetSeconds
// within its own hour, from the start timestamp of the first timing line.
ShiftAmount StartTimeAmount(std::string_view firstTimingLine, int16_t targetMinutes, int16_t targetSeconds);

// Later by the amount: carries at most one minute and one hour; the
// fraction text after the comma is kept exactly as read.
void AppendPlusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out);

// Earlier by the amount: reads seconds with "," or "." and writes three
// fraction digits with ","; a result before 00:00:00 is held at 00:00:00,000.
void AppendMinusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out);

// Rewrites one timing line as start " --> " end. Text after the end
// timestamp (from the first blank after its seconds field) is kept as it was,
// so position coordinates survive the shift.
void AppendShiftedTimingLine(std::string_view line, const ShiftAmount& amount, std::string& out);

// Turns StartTime into Plus or Minus from the first timing line of `lines`
// (`timingLines` as FindTimingLines gives them; Plus and Minus pass
// through). Errors name the line, counted from 1.
ShiftAmount ResolveShiftAmount(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines,
                               ShiftMode mode, int16_t minutes, int16_t seconds);

// Rethrows the error under way with the line's number (from 1) and text
// added to its description, so the user can find the line.
[[noreturn]] void RethrowAtLine(size_t lineIndex, std::string_view line);

}  // namespace tarvex
