#pragma once
// The refusals and acceptance of the Process command, apart from the window
// so that the window and the CLI refuse exactly the same inputs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "job/JobSettings.h"
#include "job/ProgressPanel.h"

namespace tarvex {

class FileSystem;

constexpr const char* kFileNotFoundText = "File Not Found...!";
constexpr const char* kFileNotFoundTitle = "Error Message";
constexpr const char* kZeroShiftText = "Minutes and Seconds are not specified or is 0..!";
constexpr const char* kAmountRangeText =
    "Minutes must be a whole number from 0 to 59 and Seconds a number from 0 to 59 with at most three decimals "
    "(1.5 or 1,5)..!";
constexpr const char* kFrameRateText =
    "Frame rates must be given as FROM:TO, each a number above 0 and up to 1000 with at most three decimals "
    "(25:23.976)..!";
constexpr const char* kLanguageCodeText =
    "A language must be a name from the list or a code of letters and \"-\" (at most 10)..!";
constexpr const char* kInformationTitle = "Information";

// What the front end holds when Process is pressed, as typed.
struct ProcessRequest {
    int16_t ActiveTab = 0;  // 0 time shift, 1 translation
    std::string PathText;
    std::string MinutesText;
    std::string SecondsText;
    // FROM:TO frames per second instead of a shift (the CLI's --fps); empty
    // for none.
    std::string FrameRateText;
    std::array<bool, 3> ModeSelected{};  // Start Time, Plus, Minus
    std::string SourceLanguage;
    std::string TargetLanguage;
};

struct ProcessDecision {
    bool Accepted = false;
    // The message box to show when refused.
    std::string Text;
    std::string Title;
    MessageIcon Icon = MessageIcon::Information;
    // The run's inputs when accepted.
    JobSettings Settings;
};

ProcessDecision CheckProcessInputs(const ProcessRequest& request, FileSystem& files);

// A minutes or seconds text as the window reads it: empty counts as 0,
// blanks around the digits are allowed. Answers -1 for anything that is not
// a whole number from 0 to 59.
int ParseShiftAmount(const std::string& text);

// A seconds text with up to three decimals after "." or "," (1.5, 1,25,
// 0.040), read as milliseconds; empty counts as 0, blanks around it are
// allowed. Answers -1 for anything else or for 60 seconds and more.
int ParseShiftSeconds(const std::string& text);

// FROM:TO, each a number above 0 and at most 1000 with up to three decimals,
// in thousandths. Answers false (nothing set) for anything else.
bool ParseFrameRates(const std::string& text, int32_t& from, int32_t& to);

// Whether a language code may go into a request and an output file name:
// ASCII letters and "-" only, at most 10 characters (every code of the
// language table qualifies, and so does "auto").
bool IsUsableLanguageCode(std::string_view code);

// The path rule: Process is enabled only for an existing subtitle file
// (.srt, .txt, .vtt, .ass, .ssa).
bool ProcessEnabledFor(const std::string& path, FileSystem& files);

}  // namespace tarvex
