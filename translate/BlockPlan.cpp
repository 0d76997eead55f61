#include "translate/BlockPlan.h"

#include "base/TextTrim.h"
#include "translate/TextCleaning.h"

namespace tarvex {

namespace {

bool IsBareNumber(std::string_view line) {
    line = TrimSpaces(line);
    return !line.empty() && line.find_first_not_of("0123456789") == std::string_view::npos;
}

class Planner {
public:
    explicit Planner(int32_t total) : total_(total) {}

    BlockPlan Run(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines) {
        size_t nextTiming = 0;
        for (size_t index = 0; index < lines.size(); ++index) {
            std::string_view line = lines[index];
            const bool last = index + 1 == lines.size();
            if (nextTiming < timingLines.size() && timingLines[nextTiming] == index) {
                ++nextTiming;
                if (open_) FinishUnclosedBlock();
                open_ = true;
                blockLine_ = index + 1;
                collected_.clear();
                Copy(line);
            } else if (TrimSpaces(line).empty()) {
                if (open_) {
                    Translate();
                    if (!last && current_ < total_) Copy(line);
                    BlockDone();
                } else if (current_ <= total_) {
                    Copy(line);  // outside a block: copied while blocks remain
                }
            } else if (!open_) {
                if (current_ <= total_) Copy(line);
            } else {
                collected_.push_back(CleanTextLine(line));
                lastRaw_ = line;
                if (last) {
                    Translate();
                    BlockDone();
                }
            }
        }
        // A timing line at the very end opens a block with nothing to send.
        if (open_) BlockDone();
        return std::move(plan_);
    }

private:
    void Copy(std::string_view line) { plan_.Steps.push_back({PlanStep::Kind::Copy, line, 0}); }

    void Translate() {
        plan_.Steps.push_back({PlanStep::Kind::Translation, {}, plan_.Requests.size()});
        plan_.Requests.push_back({collected_, blockLine_, {}, {}});
    }

    // A block not closed by a blank line before the next timing line: its
    // text is still translated. A bare number as its last line is the next
    // block's number line, so it is copied after the translation, unsent.
    void FinishUnclosedBlock() {
        bool numberLine = !collected_.empty() && IsBareNumber(lastRaw_);
        if (numberLine) collected_.pop_back();
        if (!collected_.empty()) Translate();
        BlockDone();
        if (numberLine) Copy(lastRaw_);
    }

    void BlockDone() {
        open_ = false;
        collected_.clear();
        plan_.Steps.push_back({PlanStep::Kind::BlockEnd, {}, static_cast<size_t>(current_)});
        ++current_;
    }

    const int32_t total_;
    BlockPlan plan_;
    int32_t current_ = 1;
    bool open_ = false;
    size_t blockLine_ = 0;
    std::vector<std::string> collected_;
    std::string_view lastRaw_;
};

// Whether a translation may end at `at`: the copied lines from step `from`
// on match, up to the next translation. Running out of text is a match only
// once a block has ended and a copied line has shown where the translation
// stopped; after the last block the text must end exactly there.
bool CopiesMatch(const BlockPlan& plan, size_t from, std::string_view earlier, size_t at) {
    bool blockEnded = false;
    bool confirmed = false;
    for (size_t step = from; step < plan.Steps.size(); ++step) {
        const PlanStep& next = plan.Steps[step];
        if (next.What == PlanStep::Kind::Translation) return true;
        if (next.What == PlanStep::Kind::BlockEnd) {
            blockEnded = true;
            continue;
        }
        if (at == earlier.size()) return blockEnded && confirmed;
        const std::string_view end = EndOf(plan, next);
        std::string_view rest = earlier.substr(at);
        if (rest.substr(0, next.Line.size()) != next.Line || rest.substr(next.Line.size(), end.size()) != end)
            return false;
        at += next.Line.size() + end.size();
        confirmed = true;
    }
    return confirmed || at == earlier.size();
}

}  // namespace

BlockPlan PlanBlocks(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines,
                     int32_t total) {
    return Planner(total).Run(lines, timingLines);
}

KeptOutput MatchEarlierOutput(const BlockPlan& plan, std::string_view earlier) {
    KeptOutput kept;
    size_t at = 0;
    for (size_t step = 0; step < plan.Steps.size(); ++step) {
        const PlanStep& current = plan.Steps[step];
        if (current.What == PlanStep::Kind::BlockEnd) {
            kept.Blocks = static_cast<int32_t>(current.Index);
            kept.Bytes = at;
        } else if (current.What == PlanStep::Kind::Copy) {
            const std::string_view end = EndOf(plan, current);
            std::string_view rest = earlier.substr(at);
            if (rest.substr(0, current.Line.size()) != current.Line ||
                rest.substr(current.Line.size(), end.size()) != end)
                break;
            at += current.Line.size() + end.size();
        } else {
            // The fewest lines after which the copies that follow still match:
            // lines joined by the plan's line end, the last ended by the step's.
            const size_t most = std::max<size_t>(1, plan.Requests[current.Index].Lines.size());
            const std::string_view last = EndOf(plan, current);
            size_t end = at;
            bool found = false;
            for (size_t count = 1; count <= most && !found; ++count) {
                const size_t lastEnd = earlier.find(last, end);
                if (lastEnd == std::string_view::npos) break;
                found = CopiesMatch(plan, step + 1, earlier, lastEnd + last.size());
                if (found) {
                    end = lastEnd + last.size();
                    break;
                }
                const size_t joint = earlier.find(plan.LineEnd, end);
                if (joint == std::string_view::npos) break;
                end = joint + plan.LineEnd.size();
            }
            if (!found) break;
            at = end;
        }
    }
    return kept;
}

}  // namespace tarvex
