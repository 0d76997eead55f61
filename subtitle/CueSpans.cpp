#include "subtitle/CueSpans.h"

#include "base/RuntimeError.h"
#include "base/TextEncoding.h"
#include "subtitle/CueLayout.h"
#include "subtitle/CueTimestamps.h"
#include "subtitle/Lines.h"
#include "subtitle/NumberFields.h"

namespace tarvex {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// H:MM:SS,mmm as the SRT shift reads it (signs, blanks and "." allowed).
int64_t SrtMillis(std::string_view stamp) {
    const size_t first = stamp.find(':');
    const size_t second = first == std::string_view::npos ? first : stamp.find(':', first + 1);
    if (second == std::string_view::npos) throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    std::string_view seconds = stamp.substr(second + 1);
    seconds = seconds.substr(0, seconds.find(':'));
    return int64_t{ParseInt16Field(stamp.substr(0, first))} * 3600000 +
           int64_t{ParseInt16Field(stamp.substr(first + 1, second - first - 1))} * 60000 + ParseMillisField(seconds);
}

bool ReadSrtCue(std::string_view line, TimeSpan& span) {
    if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) line.remove_prefix(kUtf8Mark.size());
    const size_t arrow = line.find(kTimingArrow);
    if (arrow == std::string_view::npos) return false;
    std::string_view end = Trim(line.substr(arrow + kTimingArrow.size()));
    const size_t blank = end.find_first_of(" \t");
    if (blank != std::string_view::npos) end = end.substr(0, blank);
    try {
        span = {SrtMillis(line.substr(0, arrow)), SrtMillis(end)};
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

bool ReadVttCue(std::string_view line, TimeSpan& span) {
    if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) line.remove_prefix(kUtf8Mark.size());
    const size_t arrow = line.find("-->");
    if (arrow == std::string_view::npos) return false;
    CueStamp start, end;
    try {
        if (!ReadVttStamp(Trim(line.substr(0, arrow)), start)) return false;
        if (!ReadVttStamp(Trim(line.substr(arrow + 3)), end)) return false;
    } catch (const RuntimeError&) {
        return false;
    }
    span = {start.Units, end.Units};
    return true;
}

std::string_view AssField(std::string_view fields, size_t index) {
    for (size_t field = 0; field < index; ++field) {
        const size_t comma = fields.find(',');
        if (comma == std::string_view::npos) return {};
        fields.remove_prefix(comma + 1);
    }
    return Trim(fields.substr(0, fields.find(',')));
}

bool ReadAssCue(std::string_view line, const CueLayout& layout, TimeSpan& span) {
    if (!layout.IsDialogue()) return false;
    const std::string_view fields = line.substr(layout.KeyLength());
    const std::string_view startText = AssField(fields, layout.StartField());
    const std::string_view endText = AssField(fields, layout.EndField());
    CueStamp start, end;
    try {
        if (!ReadAssStamp(startText, start) || start.Length != startText.size()) return false;
        if (!ReadAssStamp(endText, end) || end.Length != endText.size()) return false;
    } catch (const RuntimeError&) {
        return false;
    }
    span = {start.Units * 10, end.Units * 10};
    return true;
}

}  // namespace

std::vector<TimeSpan> CueSpansOf(std::string_view content, SubtitleFormat format) {
    std::vector<TimeSpan> spans;
    CueLayout layout(format);
    for (std::string_view line : SplitLines(content)) {
        TimeSpan span;
        bool read = false;
        if (format == SubtitleFormat::Srt) {
            read = ReadSrtCue(line, span);
        } else if (layout.Next(line) == CueLineKind::Timing) {
            read = format == SubtitleFormat::Ass ? ReadAssCue(line, layout, span) : ReadVttCue(line, span);
        }
        if (!read) continue;
        if (span.End < span.Start) span.End = span.Start;
        spans.push_back(span);
    }
    return spans;
}

std::vector<TimeSpan> CueSpansOfFile(const std::string& bytes, const std::string& path,
                                     const std::string& legacyEncoding) {
    const TextFamily family = DetectTextFamily(bytes);
    if (family == TextFamily::Utf8) return CueSpansOf(bytes, DetectSubtitleFormat(bytes, path));
    const std::string text = TextToUtf8(bytes, family, legacyEncoding);
    return CueSpansOf(text, DetectSubtitleFormat(text, path));
}

}  // namespace tarvex
