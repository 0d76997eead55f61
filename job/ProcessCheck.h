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
constexpr const char* kAmountRangeText = "Minutes and Seconds must be whole numbers from 0 to 59..!";
constexpr const char* kLanguageCodeText =
    "A language must be a name from the list or a code of letters and \"-\" (at most 10)..!";
constexpr const char* kInformationTitle = "Information";

// What the front end holds when Process is pressed, as typed.
struct ProcessRequest {
    int16_t ActiveTab = 0;  // 0 time shift, 1 translation
    std::string PathText;
    std::string MinutesText;
    std::string SecondsText;
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

// Whether a language code may go into a request and an output file name:
// ASCII letters and "-" only, at most 10 characters (every code of the
// language table qualifies, and so does "auto").
bool IsUsableLanguageCode(std::string_view code);

// The path rule: Process is enabled only for an existing .srt or .txt file.
bool ProcessEnabledFor(const std::string& path, FileSystem& files);

}  // namespace tarvex
