#pragma once
// The inputs of one run, as the Process command gathers them.

#include <cstdint>
#include <string>

namespace tarvex {

enum class JobKind : int16_t { TimeShift = 0, Translate = 1 };

// The index of the selected shift-mode button; StartTime is turned into Plus
// or Minus by the run before any line is written.
enum class ShiftMode : int16_t { StartTime = 0, Plus = 1, Minus = 2 };

struct JobSettings {
    std::string InputPath;
    JobKind Job = JobKind::TimeShift;
    ShiftMode Mode = ShiftMode::StartTime;
    int16_t Minutes = 0;
    int16_t Seconds = 0;
    int16_t Millis = 0;  // the fraction of Seconds, 0..999
    // A frame-rate change instead of a shift: the file was timed for RateFrom
    // frames per second and the video plays at RateTo (thousandths; 0 none).
    int32_t RateFrom = 0;
    int32_t RateTo = 0;
    std::string SourceLanguage;
    std::string TargetLanguage;
};

}  // namespace tarvex
