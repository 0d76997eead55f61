#include "subtitle/SubtitleFormat.h"

#include <cctype>

namespace tarvex {

namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t at = 0; at < text.size(); ++at)
        if (std::tolower(static_cast<unsigned char>(text[at])) != lower[at]) return false;
    return true;
}

std::string_view TrimLine(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

// "WEBVTT" alone or followed by a blank and a title.
bool IsWebVttHeader(std::string_view firstLine) {
    constexpr std::string_view kWebVtt = "WEBVTT";
    if (firstLine.substr(0, kWebVtt.size()) != kWebVtt) return false;
    if (firstLine.size() == kWebVtt.size()) return true;
    char next = firstLine[kWebVtt.size()];
    return next == ' ' || next == '\t' || next == '\r' || next == '\n';
}

// The first line that is neither blank nor a ";" comment: a subtitle whose
// text happens to read "[Script Info]" further down stays what it is.
bool StartsWithScriptInfo(std::string_view head) {
    size_t start = 0;
    while (start < head.size()) {
        size_t end = head.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = head.size();
        const std::string_view line = TrimLine(head.substr(start, end - start));
        if (!line.empty() && line.front() != ';') return EqualsIgnoringCase(line, "[script info]");
        start = end + 1;
    }
    return false;
}

}  // namespace

SubtitleFormat DetectSubtitleFormat(std::string_view head, const std::string& path) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (head.substr(0, kUtf8Mark.size()) == kUtf8Mark) head.remove_prefix(kUtf8Mark.size());
    head = head.substr(0, kFormatHeadSize);
    if (IsWebVttHeader(head)) return SubtitleFormat::WebVtt;
    if (StartsWithScriptInfo(head)) return SubtitleFormat::Ass;
    std::string_view extension = std::string_view(path).substr(path.size() >= 4 ? path.size() - 4 : 0);
    if (EqualsIgnoringCase(extension, ".vtt")) return SubtitleFormat::WebVtt;
    if (EqualsIgnoringCase(extension, ".ass") || EqualsIgnoringCase(extension, ".ssa")) return SubtitleFormat::Ass;
    return SubtitleFormat::Srt;
}

}  // namespace tarvex
