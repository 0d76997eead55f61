#pragma once
// A resolved shift applied to a time held as a whole number of units (the
// millisecond of WebVTT and SRT, the centisecond of ASS), so that every
// format rounds the same way: half to even, to its own unit.

#include <cstdint>

#include "base/Rounding.h"

#include "subtitle/TimestampShift.h"

namespace tarvex {

// Units per second of the formats' timestamps.
constexpr int64_t kMillisPerSecond = 1000;
constexpr int64_t kCentisPerSecond = 100;

// The time moved by the amount (rounded to the unit first) or multiplied by
// the frame-rate ratio or through the time map (rounded after). Nothing moves before zero.
int64_t ChangeTime(int64_t time, const ShiftAmount& amount, int64_t unitsPerSecond);

// ChangeTime with the amount rounded once, for the many times of a file.
class TimeChanger {
public:
    TimeChanger(const ShiftAmount& amount, int64_t unitsPerSecond);
    int64_t operator()(int64_t time) const {
        if (map_ != nullptr) return map_->ApplyInUnits(time, unitsPerSecond_);
        if (rateFrom_ > 0) return RoundHalfEvenDiv(time * rateFrom_, rateTo_);
        const int64_t changed = time + offset_;
        return changed < 0 ? 0 : changed;
    }

private:
    int64_t offset_ = 0;  // in units, negative for Minus
    int64_t rateFrom_ = 0;
    int64_t rateTo_ = 1;
    const TimeMap* map_ = nullptr;
    int64_t unitsPerSecond_ = kMillisPerSecond;
};

// Start Time from the first cue's start in milliseconds: the amount that
// moves it to the target within its own hour. A target in whole seconds
// gives an amount in whole seconds, as for SRT; a target with a fraction is
// met to the millisecond.
ShiftAmount StartTimeAmountFromMillis(int64_t firstStart, int16_t minutes, int16_t seconds, int16_t millis);

}  // namespace tarvex
