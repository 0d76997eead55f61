#include "subtitle/CueLayout.h"

#include <cctype>
#include <cstring>

namespace tarvex {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t at = 0; at < text.size(); ++at)
        if (std::tolower(static_cast<unsigned char>(text[at])) != lower[at]) return false;
    return true;
}

std::string_view WithoutMark(std::string_view line) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    return line.substr(0, kUtf8Mark.size()) == kUtf8Mark ? line.substr(kUtf8Mark.size()) : line;
}

}  // namespace

CueLineKind CueLayout::Next(std::string_view line) {
    if (firstLine_) {
        firstLine_ = false;
        line = WithoutMark(line);
    }
    return format_ == SubtitleFormat::Ass ? NextAss(line) : NextVtt(line);
}

CueLineKind CueLayout::NextVtt(std::string_view line) {
    // As a WebVTT parser reads a file, any line with an arrow is a cue's
    // timing line (the header, NOTE, STYLE and REGION blocks cannot hold
    // one), and a blank line ends the cue's text.
    if (line.find("-->") != std::string_view::npos) {
        inCue_ = true;
        return CueLineKind::Timing;
    }
    if (!inCue_) return CueLineKind::Other;
    if (TrimBlanks(line).empty()) {
        inCue_ = false;
        return CueLineKind::Other;
    }
    return CueLineKind::Text;
}

CueLineKind CueLayout::NextAss(std::string_view line) {
    size_t lead = 0;
    while (lead < line.size() && IsBlank(line[lead])) ++lead;
    if (lead == line.size()) return CueLineKind::Other;
    const std::string_view text = line.substr(lead);
    if (text.front() == '[') {
        inEvents_ = EqualsIgnoringCase(TrimBlanks(text), "[events]");
        startField_ = 1;
        endField_ = 2;
        fieldCount_ = 10;
        return CueLineKind::Other;
    }
    if (!inEvents_) return CueLineKind::Other;
    constexpr std::string_view kDialogue = "Dialogue:";
    constexpr std::string_view kComment = "Comment:";
    if (text.substr(0, kDialogue.size()) == kDialogue || text.substr(0, kComment.size()) == kComment) {
        dialogue_ = text.front() == 'D';
        keyLength_ = lead + (dialogue_ ? kDialogue.size() : kComment.size());
        return CueLineKind::Timing;
    }
    constexpr std::string_view kFormat = "Format:";
    if (text.substr(0, kFormat.size()) == kFormat) ReadFormat(text.substr(kFormat.size()));
    return CueLineKind::Other;
}

void CueLayout::ReadFormat(std::string_view fields) {
    size_t index = 0;
    size_t start = 0;
    size_t end = 0;
    bool haveStart = false;
    bool haveEnd = false;
    for (size_t from = 0;; ++index) {
        size_t comma = fields.find(',', from);
        std::string_view name = TrimBlanks(fields.substr(from, comma == std::string_view::npos ? comma : comma - from));
        if (!haveStart && EqualsIgnoringCase(name, "start")) {
            start = index;
            haveStart = true;
        } else if (!haveEnd && EqualsIgnoringCase(name, "end")) {
            end = index;
            haveEnd = true;
        }
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    // A Format: line without both times keeps the usual places.
    if (haveStart && haveEnd) {
        startField_ = start;
        endField_ = end;
    }
    fieldCount_ = index + 1;
}

}  // namespace tarvex
