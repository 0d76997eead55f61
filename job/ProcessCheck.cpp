#include "job/ProcessCheck.h"

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/TextTrim.h"

namespace tarvex {

namespace {

ProcessDecision Refuse(const char* text, const char* title, MessageIcon icon) {
    ProcessDecision decision;
    decision.Text = text;
    decision.Title = title;
    decision.Icon = icon;
    return decision;
}

// The language table takes a text of at most two characters as a code as it
// is, and any longer text that is no name as "auto": only a short text can
// become a code outside the table.
bool IsAcceptableLanguageText(const std::string& text) {
    return text.size() > 2 || IsUsableLanguageCode(text);
}

}  // namespace

bool IsUsableLanguageCode(std::string_view code) {
    if (code.size() > 10) return false;
    for (char c : code) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '-') return false;
    }
    return true;
}

int ParseShiftAmount(const std::string& text) {
    std::string_view digits = TrimSpaces(text);
    // Leading zeros are still a whole number ("000" is 0).
    while (digits.size() > 2 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 2) return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value <= 59 ? value : -1;
}

namespace {

// Digits, then optionally "." or "," and one to three more: thousandths, or
// -1. At most `wholeDigits` digits before the separator, leading zeros aside.
int64_t ParseThousandths(std::string_view text, size_t wholeDigits) {
    size_t separator = text.find_first_of(".,");
    std::string_view whole = text.substr(0, separator);
    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    if (whole.empty() || whole.size() > wholeDigits) return -1;
    int64_t value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    value *= 1000;
    if (separator == std::string_view::npos) return value;
    std::string_view fraction = text.substr(separator + 1);
    if (fraction.empty() || fraction.size() > 3) return -1;
    int64_t scale = 100;
    for (char c : fraction) {
        if (c < '0' || c > '9') return -1;
        value += (c - '0') * scale;
        scale /= 10;
    }
    return value;
}

}  // namespace

int ParseShiftSeconds(const std::string& text) {
    std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) return 0;
    int64_t millis = ParseThousandths(trimmed, 2);
    return millis >= 0 && millis < 60000 ? static_cast<int>(millis) : -1;
}

bool ParseFrameRates(const std::string& text, int32_t& from, int32_t& to) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    int64_t first = ParseThousandths(TrimSpaces(std::string_view(text).substr(0, colon)), 4);
    int64_t second = ParseThousandths(TrimSpaces(std::string_view(text).substr(colon + 1)), 4);
    constexpr int64_t kMost = 1000 * 1000;
    if (first <= 0 || second <= 0 || first > kMost || second > kMost) return false;
    from = static_cast<int32_t>(first);
    to = static_cast<int32_t>(second);
    return true;
}

ProcessDecision CheckProcessInputs(const ProcessRequest& request, FileSystem& files) {
    if (!files.FileExists(request.PathText))
        return Refuse(kFileNotFoundText, kFileNotFoundTitle, MessageIcon::Exclamation);

    ProcessDecision decision;
    decision.Settings.InputPath = request.PathText;
    decision.Settings.SourceLanguage = request.SourceLanguage;
    decision.Settings.TargetLanguage = request.TargetLanguage;
    if (request.ActiveTab != 0) {
        // A typed code becomes part of the output's file name.
        if (!IsAcceptableLanguageText(request.SourceLanguage) || !IsAcceptableLanguageText(request.TargetLanguage))
            return Refuse(kLanguageCodeText, kInformationTitle, MessageIcon::Information);
        decision.Settings.Job = JobKind::Translate;
        decision.Accepted = true;
        return decision;
    }

    decision.Settings.Job = JobKind::TimeShift;
    if (!request.FrameRateText.empty()) {
        if (!ParseFrameRates(request.FrameRateText, decision.Settings.RateFrom, decision.Settings.RateTo))
            return Refuse(kFrameRateText, kInformationTitle, MessageIcon::Information);
        decision.Settings.Mode = ShiftMode::Plus;
        decision.Accepted = true;
        return decision;
    }
    ShiftMode mode = ShiftMode::StartTime;  // also when no button is selected
    for (int16_t index = 0; index < 3; ++index) {
        if (request.ModeSelected[index]) {
            mode = static_cast<ShiftMode>(index);
            break;
        }
    }
    int minutes = ParseShiftAmount(request.MinutesText);
    int millis = ParseShiftSeconds(request.SecondsText);
    // The arithmetic of the shift carries only once, so larger amounts
    // would write fields out of range.
    if (minutes < 0 || millis < 0) return Refuse(kAmountRangeText, kInformationTitle, MessageIcon::Information);
    // Start Time may re-base to 00:00; Plus and Minus need a real amount.
    if (minutes == 0 && mode != ShiftMode::StartTime && millis == 0)
        return Refuse(kZeroShiftText, kInformationTitle, MessageIcon::Information);

    decision.Settings.Mode = mode;
    decision.Settings.Minutes = static_cast<int16_t>(minutes);
    decision.Settings.Seconds = static_cast<int16_t>(millis / 1000);
    decision.Settings.Millis = static_cast<int16_t>(millis % 1000);
    decision.Accepted = true;
    return decision;
}

bool ProcessEnabledFor(const std::string& path, FileSystem& files) {
    return HasSubtitleExtension(path) && files.FileExists(path);
}

}  // namespace tarvex
