#include "subtitle/CueLayout.h"

#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "subtitle/CueTimestamps.h"

namespace tarvex {

namespace {

// Where a WebVTT timestamp at `at` ends, or npos.
size_t VttStampEnd(std::string_view line, size_t at) {
    CueStamp stamp;
    try {
        if (!ReadVttStamp(line.substr(at), stamp)) return std::string_view::npos;
    } catch (const RuntimeError&) {
        return std::string_view::npos;  // hours past six digits
    }
    return at + stamp.Length;
}

// The event keys of [Events] whose lines carry a start and an end.
constexpr std::string_view kEventKeys[] = {"Dialogue:", "Comment:", "Picture:", "Sound:", "Movie:", "Command:"};

}  // namespace

bool IsVttTimingLine(std::string_view line) {
    line = WithoutUtf8Mark(line);
    const size_t first = VttStampEnd(line, SkipBlanks(line, 0));
    if (first == std::string_view::npos) return false;
    const size_t arrow = SkipBlanks(line, first);
    if (line.substr(arrow, 3) != "-->") return false;
    const size_t second = VttStampEnd(line, SkipBlanks(line, arrow + 3));
    return second != std::string_view::npos && (second == line.size() || IsBlank(line[second]));
}

CueLineKind CueLayout::Next(std::string_view line) {
    if (firstLine_) {
        firstLine_ = false;
        line = WithoutUtf8Mark(line);
    }
    return format_ == SubtitleFormat::Ass ? NextAss(line) : NextVtt(line);
}

CueLineKind CueLayout::NextVtt(std::string_view line) {
    // As a WebVTT parser reads a file: only an empty line ends a cue's text
    // (video downloaders open every cue with a line of one space). Outside a
    // cue any line with an arrow is a timing line, as the header, NOTE,
    // STYLE and REGION blocks cannot hold one; inside, only a valid one
    // starts the next cue, and any other is the cue's text.
    if (inCue_) {
        if (line.empty()) {
            inCue_ = false;
            return CueLineKind::Other;
        }
        if (line.find("-->") == std::string_view::npos || !IsVttTimingLine(line)) return CueLineKind::Text;
        return CueLineKind::Timing;
    }
    if (line.find("-->") == std::string_view::npos) return CueLineKind::Other;
    inCue_ = true;
    return CueLineKind::Timing;
}

CueLineKind CueLayout::NextAss(std::string_view line) {
    const size_t lead = SkipBlanks(line, 0);
    if (lead == line.size()) return CueLineKind::Other;
    const std::string_view text = line.substr(lead);
    if (text.front() == '[') {
        // A line end of CR LF leaves no CR here, but a stray one may.
        std::string_view section = TrimBlanks(text);
        if (!section.empty() && section.back() == '\r') section.remove_suffix(1);
        inEvents_ = SameIgnoringCase(TrimBlanks(section), "[events]");
        startField_ = 1;
        endField_ = 2;
        fieldCount_ = 10;
        return CueLineKind::Other;
    }
    if (!inEvents_) return CueLineKind::Other;
    for (std::string_view key : kEventKeys) {
        if (text.substr(0, key.size()) != key) continue;
        dialogue_ = key == kEventKeys[0];
        keyLength_ = lead + key.size();
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
        if (!haveStart && SameIgnoringCase(name, "start")) {
            start = index;
            haveStart = true;
        } else if (!haveEnd && SameIgnoringCase(name, "end")) {
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
