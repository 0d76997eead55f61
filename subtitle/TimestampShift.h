#pragma once
// Shifting timestamps and rebuilding timing lines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "job/JobSettings.h"
#include "subtitle/TimeMap.h"

namespace tarvex {

// A resolved shift: the mode is Plus or Minus, never StartTime. Millis
// (0..999) carries a fraction of a second; a frame-rate change (RateFrom and
// RateTo in thousandths of a frame per second, both positive) replaces the
// offset and multiplies every time by RateFrom / RateTo. A time map (not
// owned; it must outlive the shift) replaces both.
struct ShiftAmount {
    ShiftMode Mode = ShiftMode::Plus;
    int16_t Minutes = 0;
    int16_t Seconds = 0;
    int16_t Millis = 0;
    int32_t RateFrom = 0;
    int32_t RateTo = 0;
    const TimeMap* Map = nullptr;

    bool ChangesRate() const { return RateFrom > 0 && RateTo > 0; }
    bool MapsTimes() const { return Map != nullptr; }
    // Whole minutes and seconds only: the shift the digits of a timestamp
    // can take on their own, keeping a Plus shift's fraction text.
    bool WholeSeconds() const { return Millis == 0 && !ChangesRate() && !MapsTimes(); }
    int64_t TotalMillis() const { return int64_t{Minutes} * 60000 + int64_t{Seconds} * 1000 + Millis; }
};

// The amount that moves the first subtitle to targetMinutes:targetSeconds
// (and targetMillis) within its own hour, from the start timestamp of the
// first timing line; a whole-second target gives a whole-second amount.
ShiftAmount StartTimeAmount(std::string_view firstTimingLine, int16_t targetMinutes, int16_t targetSeconds,
                            int16_t targetMillis = 0);

// Later by the amount: carries at most one minute and one hour; the
// fraction text after the comma is kept exactly as read.
void AppendPlusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out);

// Earlier by the amount: reads seconds with "," or "." and writes three
// fraction digits with ","; a result before 00:00:00 is held at 00:00:00,000.
void AppendMinusTimestamp(std::string_view timestamp, int16_t minutes, int16_t seconds, std::string& out);

// Rewrites one timing line as start " --> " end. Text after the end
// timestamp (from the first blank after its seconds field) is kept as it was,
// so position coordinates survive the shift; so is a UTF-8 byte-order mark
// before the start. With a fraction of a second or a frame-rate change both
// timestamps are written in full, three fraction digits.
void AppendShiftedTimingLine(std::string_view line, const ShiftAmount& amount, std::string& out);

// Turns StartTime into Plus or Minus from the first timing line of `lines`
// (`timingLines` as FindTimingLines gives them; Plus and Minus pass
// through). Errors name the line, counted from 1.
ShiftAmount ResolveShiftAmount(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines,
                               const ShiftAmount& requested);

// Rethrows the error under way with the line's number (from 1) and text
// added to its description, so the user can find the line.
[[noreturn]] void RethrowAtLine(size_t lineIndex, std::string_view line);

}  // namespace tarvex
