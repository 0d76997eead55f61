#include "translate/CuePlan.h"

#include "base/TextTrim.h"
#include "subtitle/CueLayout.h"

namespace tarvex {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

class CuePlanner {
public:
    CuePlanner(SubtitleFormat format, std::string_view lineEnd) : format_(format), layout_(format) {
        plan_.LineEnd = lineEnd;
    }

    BlockPlan Run(const std::vector<std::string_view>& lines) {
        for (size_t index = 0; index < lines.size(); ++index) Line(lines[index], index);
        EndCue();
        return std::move(plan_);
    }

private:
    void Line(std::string_view line, size_t index) {
        const CueLineKind kind = layout_.Next(line);
        if (format_ == SubtitleFormat::Ass) {
            if (kind == CueLineKind::Timing) {
                Event(line, index);
            } else {
                Copy(line);
            }
            return;
        }
        if (kind == CueLineKind::Text) {
            if (collected_.empty()) {
                std::string_view first = line;
                if (first.substr(0, kUtf8Mark.size()) == kUtf8Mark) first.remove_prefix(kUtf8Mark.size());
                prefix_ = line.substr(0, line.size() - first.size() + LeadingMarkup(first, '<', '>'));
            }
            std::string text = WithoutMarkup(line, '<', '>');
            if (!TrimSpaces(text).empty()) collected_.push_back(std::move(text));
            return;
        }
        EndCue();
        Copy(line);
        if (kind == CueLineKind::Timing) {
            open_ = true;
            blockLine_ = index + 1;
        }
    }

    // A Dialogue goes out whole or not at all; a Comment is only copied.
    void Event(std::string_view line, size_t index) {
        const size_t start = layout_.IsDialogue() ? TextFieldStart(line, layout_.KeyLength(), layout_.FieldCount())
                                                  : std::string_view::npos;
        std::vector<std::string> pieces;
        size_t keep = start;
        if (start != std::string_view::npos) {
            std::string_view text = line.substr(start);
            keep = start + LeadingMarkup(text, '{', '}');
            // Lines break at \N and \n; \h and the rest are text.
            size_t from = 0;
            for (;;) {
                size_t breakAt = text.find('\\', from);
                while (breakAt != std::string_view::npos &&
                       !(breakAt + 1 < text.size() && (text[breakAt + 1] == 'N' || text[breakAt + 1] == 'n')))
                    breakAt = text.find('\\', breakAt + 1);
                std::string piece = WithoutMarkup(
                    text.substr(from, breakAt == std::string_view::npos ? breakAt : breakAt - from), '{', '}');
                if (!TrimSpaces(piece).empty()) pieces.push_back(std::move(piece));
                if (breakAt == std::string_view::npos) break;
                from = breakAt + 2;
            }
        }
        if (pieces.empty()) {
            Copy(line);
        } else {
            plan_.Steps.push_back({PlanStep::Kind::Translation, {}, plan_.Requests.size()});
            plan_.Requests.push_back({std::move(pieces), index + 1, line.substr(0, keep), "\\N"});
        }
        BlockDone();
    }

    void EndCue() {
        if (!open_) return;
        if (!collected_.empty()) {
            plan_.Steps.push_back({PlanStep::Kind::Translation, {}, plan_.Requests.size()});
            plan_.Requests.push_back({std::move(collected_), blockLine_, prefix_, {}});
        }
        collected_.clear();
        open_ = false;
        BlockDone();
    }

    void Copy(std::string_view line) { plan_.Steps.push_back({PlanStep::Kind::Copy, line, 0}); }

    void BlockDone() { plan_.Steps.push_back({PlanStep::Kind::BlockEnd, {}, ++done_}); }

    const SubtitleFormat format_;
    CueLayout layout_;
    BlockPlan plan_;
    size_t done_ = 0;
    bool open_ = false;
    size_t blockLine_ = 0;
    std::string_view prefix_;
    std::vector<std::string> collected_;
};

}  // namespace

BlockPlan PlanCueBlocks(SubtitleFormat format, std::string_view content, const std::vector<std::string_view>& lines) {
    std::string_view lineEnd = "\r";
    if (content.find("\r\n") != std::string_view::npos) {
        lineEnd = "\r\n";
    } else if (content.find('\n') != std::string_view::npos) {
        lineEnd = "\n";
    }
    std::vector<std::string_view> written = lines;
    if (!written.empty() && written.back().empty()) written.pop_back();
    return CuePlanner(format, lineEnd).Run(written);
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
