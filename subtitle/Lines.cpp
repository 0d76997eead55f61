#include "subtitle/Lines.h"

#include <cstring>

namespace tarvex {

namespace {

// Average subtitle lines are short; a rough guess keeps reallocation rare.
size_t GuessLineCount(std::string_view content) {
    return content.size() / 24 + 16;
}

std::vector<std::string_view> SplitAtByte(std::string_view content, char separator) {
    std::vector<std::string_view> lines;
    lines.reserve(GuessLineCount(content));
    const char* begin = content.data();
    const char* end = begin + content.size();
    const char* start = begin;
    while (const void* hit = std::memchr(start, separator, static_cast<size_t>(end - start))) {
        const char* at = static_cast<const char*>(hit);
        lines.emplace_back(start, static_cast<size_t>(at - start));
        start = at + 1;
    }
    lines.emplace_back(start, static_cast<size_t>(end - start));
    return lines;
}

std::vector<std::string_view> SplitAtCrLf(std::string_view content) {
    std::vector<std::string_view> lines;
    lines.reserve(GuessLineCount(content));
    const char* begin = content.data();
    const char* end = begin + content.size();
    const char* start = begin;
    const char* scan = begin;
    while (const void* hit = std::memchr(scan, '\n', static_cast<size_t>(end - scan))) {
        const char* at = static_cast<const char*>(hit);
        scan = at + 1;
        if (at == start || at[-1] != '\r') continue;  // a lone LF stays in its line
        lines.emplace_back(start, static_cast<size_t>(at - 1 - start));
        start = at + 1;
    }
    lines.emplace_back(start, static_cast<size_t>(end - start));
    return lines;
}

}  // namespace

bool IsTimingLine(std::string_view line) {
    return line.find(kTimingArrow) != std::string_view::npos;
}

std::vector<std::string_view> SplitLines(std::string_view content) {
    if (content.empty()) return {};
    if (content.find("\r\n") != std::string_view::npos) return SplitAtCrLf(content);
    if (content.find('\n') != std::string_view::npos) return SplitAtByte(content, '\n');
    return SplitAtByte(content, '\r');
}

CutLines SplitCueLines(std::string_view content) {
    const size_t firstEnd = content.find_first_of("\r\n");
    const bool cutAtCr = firstEnd != std::string_view::npos && content[firstEnd] == '\r' &&
                         (firstEnd + 1 == content.size() || content[firstEnd + 1] != '\n');
    const char wanted = cutAtCr ? '\r' : '\n';
    CutLines cut;
    cut.Lines.reserve(GuessLineCount(content));
    cut.Ends.reserve(GuessLineCount(content));
    for (size_t from = 0;;) {
        const size_t at = content.find(wanted, from);
        if (at == std::string_view::npos) {
            cut.Lines.push_back(content.substr(from));
            cut.Ends.push_back({});
            return cut;
        }
        const size_t lineEnd = !cutAtCr && at > from && content[at - 1] == '\r' ? at - 1 : at;
        cut.Lines.push_back(content.substr(from, lineEnd - from));
        cut.Ends.push_back(content.substr(lineEnd, at + 1 - lineEnd));
        from = at + 1;
    }
}

}  // namespace tarvex
