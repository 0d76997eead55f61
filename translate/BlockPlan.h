#pragma once
// What a translate run writes, worked out before anything is sent: the
// lines copied as they are, the requests whose translations go between them,
// and where each block ends. The output depends only on the input and the
// translations, so the plan lets the run send several requests at once and
// still write in order, and lets a later run recognise an earlier partial
// output.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

struct PlanStep {
    enum class Kind {
        Copy,         // `Line` as it is
        Translation,  // the translation of request `Index`
        BlockEnd,     // block `Index` (from 1) is complete: the output is flushed here
    };
    Kind What;
    std::string_view Line;
    size_t Index = 0;
    // What ends the written line (after a translation, its last line): the
    // input's own line end, or empty for the plan's LineEnd.
    std::string_view End{};
};

struct BlockRequest {
    std::vector<std::string> Lines{};  // the cleaned text lines to send
    size_t BlockLine = 0;              // the block's timing line, from 1, for messages
    // Written just before the translation (an ASS event's fields and leading
    // override block, a WebVTT line's leading tags).
    std::string_view Prefix{};
    // Between translated lines: empty for a line end of the plan's own, so
    // that each is a line of the output; "\\N" inside one ASS event.
    std::string_view LineBreak{};
};

struct BlockPlan {
    std::vector<PlanStep> Steps;
    std::vector<BlockRequest> Requests;
    // What ends written lines that have no end of their own (every line of
    // SRT: CR LF) and joins a translation's lines; WebVTT and ASS take the
    // end of the input's first line.
    std::string_view LineEnd = "\r\n";
};

// The line end written after `step`.
inline std::string_view EndOf(const BlockPlan& plan, const PlanStep& step) {
    return step.End.empty() ? plan.LineEnd : step.End;
}

// Number and timing lines are copied, text lines replaced by their
// translation; lines outside blocks are copied while blocks remain.
BlockPlan PlanBlocks(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines, int32_t total);

// How much of an earlier output (UTF-8, CR LF line ends, as the run writes
// it) can be kept: the number of complete leading blocks whose copied lines
// match the plan, and the bytes they take. A translation is known to take
// between one line and as many lines as were sent.
struct KeptOutput {
    int32_t Blocks = 0;
    size_t Bytes = 0;
};
KeptOutput MatchEarlierOutput(const BlockPlan& plan, std::string_view earlier);

}  // namespace tarvex
