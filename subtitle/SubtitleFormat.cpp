#include "subtitle/SubtitleFormat.h"

#include "base/TextTrim.h"

namespace tarvex {

namespace {

// "WEBVTT" alone or followed by a blank and a title.
bool IsWebVttHeader(std::string_view firstLine) {
    constexpr std::string_view kWebVtt = "WEBVTT";
    if (firstLine.substr(0, kWebVtt.size()) != kWebVtt) return false;
    if (firstLine.size() == kWebVtt.size()) return true;
    char next = firstLine[kWebVtt.size()];
    return next == ' ' || next == '\t' || next == '\r' || next == '\n';
}

// The line of `head` that starts at `start`, without its line end.
std::string_view LineAt(std::string_view head, size_t start) {
    const size_t end = head.find_first_of("\r\n", start);
    return head.substr(start, end == std::string_view::npos ? end : end - start);
}

// The first line that is neither blank nor a ";" comment: a subtitle whose
// text happens to read "[Script Info]" further down stays what it is.
bool StartsWithScriptInfo(std::string_view head) {
    for (size_t start = 0; start < head.size();) {
        const std::string_view line = LineAt(head, start);
        const std::string_view text = TrimBlanks(line);
        if (!text.empty() && text.front() != ';') return SameIgnoringCase(text, "[script info]");
        start += line.size() + 1;
    }
    return false;
}

bool IsDigitRun(std::string_view text, size_t at, size_t count) {
    if (text.size() < at + count) return false;
    for (size_t index = at; index < at + count; ++index)
        if (text[index] < '0' || text[index] > '9') return false;
    return true;
}

// Whether the first line with an arrow is an SRT timing line: its first
// time has a comma before its milliseconds, which WebVTT never writes.
bool HasSrtTiming(std::string_view head) {
    const size_t arrow = head.find("-->");
    if (arrow == std::string_view::npos) return false;
    const size_t lineEnd = head.find_last_of("\r\n", arrow);
    const size_t lineStart = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    const std::string_view time = TrimBlanks(head.substr(lineStart, arrow - lineStart));
    const size_t comma = time.find(',');
    return comma != std::string_view::npos && comma + 4 == time.size() && IsDigitRun(time, comma + 1, 3) &&
           comma >= 2 && IsDigitRun(time, comma - 2, 2);
}

}  // namespace

SubtitleFormat DetectSubtitleFormat(std::string_view head, const std::string& path) {
    head = WithoutUtf8Mark(head).substr(0, kFormatHeadSize);
    if (IsWebVttHeader(head)) return SubtitleFormat::WebVtt;
    if (StartsWithScriptInfo(head)) return SubtitleFormat::Ass;
    // A file saved under the wrong name: SRT blocks read as SRT whatever
    // the extension says.
    if (HasSrtTiming(head)) return SubtitleFormat::Srt;
    std::string_view extension = std::string_view(path).substr(path.size() >= 4 ? path.size() - 4 : 0);
    if (SameIgnoringCase(extension, ".vtt")) return SubtitleFormat::WebVtt;
    if (SameIgnoringCase(extension, ".ass") || SameIgnoringCase(extension, ".ssa")) return SubtitleFormat::Ass;
    return SubtitleFormat::Srt;
}

}  // namespace tarvex
