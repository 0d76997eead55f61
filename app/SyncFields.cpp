#include "app/SyncFields.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/FileSystem.h"
#include "base/TextTrim.h"
#include "job/ProcessCheck.h"

namespace tarvex {

namespace {

// One to `most` digits (leading zeros aside) as a number, or -1.
int64_t Digits(std::string_view text, size_t most) {
    if (text.empty()) return -1;
    while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
    if (text.size() > most) return -1;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Seconds below 60, then optionally "," or "." and one to three digits of
// thousandths: milliseconds, or -1.
int64_t SecondsPart(std::string_view text) {
    const size_t separator = text.find_first_of(",.");
    const int64_t seconds = Digits(text.substr(0, separator), 2);
    if (seconds < 0 || seconds >= 60) return -1;
    if (separator == std::string_view::npos) return seconds * 1000;
    std::string_view fraction = text.substr(separator + 1);
    if (fraction.empty() || fraction.size() > 3) return -1;
    int64_t millis = 0, scale = 100;
    for (char c : fraction) {
        if (c < '0' || c > '9') return -1;
        millis += (c - '0') * scale;
        scale /= 10;
    }
    return seconds * 1000 + millis;
}

// Windows names a file the same whatever the case of its letters, and the
// dialog exists only there.
bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        char x = lower(a[i]), y = lower(b[i]);
        if ((x == '/' || x == '\\') && (y == '/' || y == '\\')) continue;
        if (x != y) return false;
    }
    return true;
}

SyncCheck Refuse(const char* text, const char* title = kInformationTitle, MessageIcon icon = MessageIcon::Information) {
    SyncCheck check;
    check.Text = text;
    check.Title = title;
    check.Icon = icon;
    return check;
}

}  // namespace

int64_t ParseCueTime(std::string_view text) {
    text = TrimSpaces(text);
    const size_t first = text.find(':');
    if (first == std::string_view::npos) return -1;
    const size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) {
        const int64_t minutes = Digits(text.substr(0, first), 3);
        const int64_t seconds = SecondsPart(text.substr(first + 1));
        return minutes < 0 || seconds < 0 ? -1 : minutes * 60000 + seconds;
    }
    const int64_t hours = Digits(text.substr(0, first), 2);
    const int64_t minutes = Digits(text.substr(first + 1, second - first - 1), 2);
    const int64_t seconds = SecondsPart(text.substr(second + 1));
    if (hours < 0 || minutes < 0 || minutes >= 60 || seconds < 0) return -1;
    return (hours * 60 + minutes) * 60000 + seconds;
}

int32_t ParseCueNumber(std::string_view text) {
    const int64_t number = Digits(TrimSpaces(text), 10);
    if (number < 1 || number > std::numeric_limits<int32_t>::max()) return -1;
    return static_cast<int32_t>(number);
}

SyncCheck CheckSyncInputs(const std::string& inputPath, const SyncRequest& request, FileSystem& files) {
    SyncCheck check;
    check.Options.AllowCuts = request.AllowCuts;
    check.Options.CorrectSpeed = request.CorrectSpeed;
    if (request.ByTwoLines) {
        for (int line = 0; line < 2; ++line) {
            const int32_t cue = ParseCueNumber(request.CueTexts[line]);
            if (cue < 0) return Refuse(kCueNumberText);
            const int64_t time = ParseCueTime(request.TimeTexts[line]);
            if (time < 0) return Refuse(kCueTimeText);
            check.Options.Points.push_back({cue, time});
        }
        // One cue gives no line; the search would only say so later.
        if (check.Options.Points[0].Cue == check.Options.Points[1].Cue) return Refuse(kCueNumberText);
        check.Accepted = true;
        return check;
    }
    const std::string reference(TrimSpaces(request.ReferenceText));
    if (reference.empty()) return Refuse(kNoReferenceText);
    if (!files.FileExists(reference)) return Refuse(kFileNotFoundText, kFileNotFoundTitle, MessageIcon::Exclamation);
    if (SamePath(reference, inputPath)) return Refuse(kSameReferenceText);
    check.Options.ReferencePath = reference;
    check.Accepted = true;
    return check;
}

std::string SyncProgressText(SyncStage stage, double fraction) {
    const char* doing = stage == SyncStage::Reading    ? "Reading the files..."
                        : stage == SyncStage::Decoding ? "Decoding the sound..."
                                                       : "Aligning the cues...";
    if (!(fraction > 0)) fraction = 0;  // NaN too
    if (fraction > 1) fraction = 1;
    return std::string(doing) + " " + std::to_string(static_cast<int>(std::floor(fraction * 100))) + " %";
}

std::string FindingText(const SyncFinding& finding) {
    std::string text = "Found: " + finding.Summary + ".";
    if (finding.Map.IsIdentity()) return text + "\r\nThe subtitle already fits: nothing to change.";
    if (!finding.Trusted) text += "\r\nThis fit is weak: check it before you apply it.";
    return text;
}

std::string WeakFindingQuestion(const SyncFinding& finding) {
    const int percent = static_cast<int>(std::lround(std::clamp(finding.Confidence, 0.0, 1.0) * 100));
    return "The fit found is weak (confidence " + std::to_string(percent) + " %):\r\n" + finding.Summary +
           "\r\n\r\nApply it anyway?";
}

}  // namespace tarvex
