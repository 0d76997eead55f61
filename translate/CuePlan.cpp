#include "translate/CuePlan.h"

#include <algorithm>

#include "base/TextTrim.h"
#include "subtitle/CueLayout.h"

namespace tarvex {

namespace {

// The tags (<...>) or override blocks ({...}) at the start of `text`.
size_t LeadingMarkup(std::string_view text, char open, char close) {
    size_t at = 0;
    while (at < text.size() && text[at] == open) {
        size_t end = text.find(close, at);
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    return at;
}

// The text without markup between `open` and `close`; an opening character
// that is never closed stays, as a reader would show it.
std::string WithoutMarkup(std::string_view text, char open, char close) {
    std::string plain;
    size_t from = 0;
    for (size_t at = text.find(open); at != std::string_view::npos; at = text.find(open, from)) {
        size_t end = text.find(close, at);
        if (end == std::string_view::npos) break;
        plain.append(text.substr(from, at - from));
        from = end + 1;
    }
    plain.append(text.substr(from));
    return plain;
}

// The start of an ASS event's Text field: after as many commas as there are
// fields before it.
size_t TextFieldStart(std::string_view line, size_t keyLength, size_t fieldCount) {
    size_t at = keyLength;
    for (size_t field = 1; field < fieldCount; ++field) {
        size_t comma = line.find(',', at);
        if (comma == std::string_view::npos) return std::string_view::npos;
        at = comma + 1;
    }
    return at;
}

// The drawing mode an override block leaves: \pN with N > 0 turns it on,
// \p0 off (\pos and \pbo are other tags).
bool DrawingAfter(std::string_view block, bool drawing) {
    for (size_t at = block.find("\\p"); at != std::string_view::npos; at = block.find("\\p", at + 2)) {
        size_t digits = at + 2;
        int scale = 0;
        while (digits < block.size() && block[digits] >= '0' && block[digits] <= '9')
            scale = std::min(scale * 10 + (block[digits++] - '0'), 1000);
        if (digits > at + 2) drawing = scale > 0;
    }
    return drawing;
}

// The ASS text as a viewer shows it as words: override blocks left out, and
// so are the shape commands they put in force with \p. `drawing` carries
// the mode from one piece of an event to the next.
std::string SpokenAssText(std::string_view text, bool& drawing) {
    std::string plain;
    size_t from = 0;
    for (size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', from)) {
        size_t end = text.find('}', at);
        if (end == std::string_view::npos) break;
        if (!drawing) plain.append(text.substr(from, at - from));
        drawing = DrawingAfter(text.substr(at, end - at), drawing);
        from = end + 1;
    }
    if (!drawing) plain.append(text.substr(from));
    return plain;
}

// Where the words of an ASS text start: after its leading override blocks
// and any shape drawn under them, all of which stay in front of the
// translation.
size_t LeadingAssMarkup(std::string_view text) {
    bool drawing = false;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '{') {
            const size_t end = text.find('}', at);
            if (end == std::string_view::npos) break;
            drawing = DrawingAfter(text.substr(at, end - at), drawing);
            at = end + 1;
        } else if (drawing) {
            const size_t open = text.find('{', at);
            at = open == std::string_view::npos ? text.size() : open;
        } else {
            break;
        }
    }
    return at;
}

struct EndedLine {
    std::string_view Line;
    std::string_view End;
};

class CuePlanner {
public:
    CuePlanner(SubtitleFormat format, std::string_view lineEnd) : format_(format), layout_(format) {
        plan_.LineEnd = lineEnd;
    }

    BlockPlan Run(const std::vector<std::string_view>& lines, const std::vector<std::string_view>& ends) {
        for (size_t index = 0; index < lines.size(); ++index)
            Line({lines[index], index < ends.size() ? ends[index] : std::string_view()}, index);
        EndCue();
        return std::move(plan_);
    }

private:
    void Line(EndedLine line, size_t index) {
        const CueLineKind kind = layout_.Next(line.Line);
        if (format_ == SubtitleFormat::Ass) {
            if (kind == CueLineKind::Timing && layout_.IsDialogue()) {
                Event(line, index);
            } else {
                Copy(line);
            }
            return;
        }
        if (kind == CueLineKind::Text) {
            CueText(line);
            return;
        }
        EndCue();
        Copy(line);
        if (kind == CueLineKind::Timing) {
            open_ = true;
            blockLine_ = index + 1;
        }
    }

    // A cue's text line: its words are sent; a line of blanks or of markup
    // only, or one holding an arrow that is no timing line, is kept as it
    // is, before or after the translation as it stood before or after the
    // first line sent.
    void CueText(EndedLine line) {
        std::string text = WithoutMarkup(line.Line, '<', '>');
        if (line.Line.find("-->") != std::string_view::npos || TrimSpaces(text).empty()) {
            (collected_.empty() ? before_ : after_).push_back(line);
            return;
        }
        if (collected_.empty()) prefix_ = line.Line.substr(0, LeadingMarkup(line.Line, '<', '>'));
        collected_.push_back(std::move(text));
        lastEnd_ = line.End;
    }

    // A Dialogue with words goes out whole; one of markup or drawing only
    // is copied. Either way it is a block.
    void Event(EndedLine line, size_t index) {
        const size_t start = TextFieldStart(line.Line, layout_.KeyLength(), layout_.FieldCount());
        std::vector<std::string> pieces;
        size_t keep = start;
        if (start != std::string_view::npos) {
            std::string_view text = line.Line.substr(start);
            keep = start + LeadingAssMarkup(text);
            bool drawing = false;
            // Lines break at \N and \n; \h and the rest are text.
            size_t from = 0;
            for (;;) {
                size_t breakAt = text.find('\\', from);
                while (breakAt != std::string_view::npos &&
                       !(breakAt + 1 < text.size() && (text[breakAt + 1] == 'N' || text[breakAt + 1] == 'n')))
                    breakAt = text.find('\\', breakAt + 1);
                std::string piece = SpokenAssText(
                    text.substr(from, breakAt == std::string_view::npos ? breakAt : breakAt - from), drawing);
                if (!TrimSpaces(piece).empty()) pieces.push_back(std::move(piece));
                if (breakAt == std::string_view::npos) break;
                from = breakAt + 2;
            }
        }
        if (pieces.empty()) {
            Copy(line);
        } else {
            plan_.Steps.push_back({PlanStep::Kind::Translation, {}, plan_.Requests.size(), line.End});
            plan_.Requests.push_back({std::move(pieces), index + 1, line.Line.substr(0, keep), "\\N"});
        }
        BlockDone();
    }

    void EndCue() {
        if (!open_) return;
        for (const EndedLine& line : before_) Copy(line);
        if (!collected_.empty()) {
            plan_.Steps.push_back({PlanStep::Kind::Translation, {}, plan_.Requests.size(), lastEnd_});
            plan_.Requests.push_back({std::move(collected_), blockLine_, prefix_, {}});
        }
        for (const EndedLine& line : after_) Copy(line);
        collected_.clear();
        before_.clear();
        after_.clear();
        open_ = false;
        BlockDone();
    }

    void Copy(EndedLine line) { plan_.Steps.push_back({PlanStep::Kind::Copy, line.Line, 0, line.End}); }

    void BlockDone() { plan_.Steps.push_back({PlanStep::Kind::BlockEnd, {}, ++done_}); }

    const SubtitleFormat format_;
    CueLayout layout_;
    BlockPlan plan_;
    size_t done_ = 0;
    bool open_ = false;
    size_t blockLine_ = 0;
    std::string_view prefix_;
    std::string_view lastEnd_;
    std::vector<std::string> collected_;
    std::vector<EndedLine> before_;
    std::vector<EndedLine> after_;
};

}  // namespace

BlockPlan PlanCueBlocks(SubtitleFormat format, const std::vector<std::string_view>& lines,
                        const std::vector<std::string_view>& ends) {
    // Lines without an end of their own (the last) take the first line's.
    std::string_view lineEnd = "\r\n";
    if (!ends.empty() && !ends.front().empty()) lineEnd = ends.front();
    std::vector<std::string_view> written = lines;
    if (!written.empty() && written.back().empty()) written.pop_back();
    return CuePlanner(format, lineEnd).Run(written, ends);
}

std::string ShapeTranslation(const BlockRequest& request, std::string_view translation, std::string_view lineEnd) {
    const std::string_view lineBreak = request.LineBreak.empty() ? lineEnd : request.LineBreak;
    std::string shaped(request.Prefix);
    size_t from = 0;
    for (size_t at = translation.find("\r\n"); at != std::string_view::npos; at = translation.find("\r\n", from)) {
        shaped.append(translation.substr(from, at - from));
        shaped.append(lineBreak);
        from = at + 2;
    }
    shaped.append(translation.substr(from));
    return shaped;
}

}  // namespace tarvex
