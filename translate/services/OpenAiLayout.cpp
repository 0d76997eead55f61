#include "translate/services/OpenAiLayout.h"

#include "base/TextTrim.h"
#include "translate/services/ServiceSupport.h"

namespace tarvex {

namespace {

// "[12]" at the start of a line (blanks around it allowed): its number, and
// where the rest of the line starts. 0 when the line does not start so.
size_t BlockNumber(std::string_view line, size_t* restAt) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string_view::npos || line[at] != '[') return 0;
    size_t number = 0;
    size_t digits = 0;
    for (++at; at < line.size() && line[at] >= '0' && line[at] <= '9' && digits < 6; ++at, ++digits)
        number = number * 10 + static_cast<size_t>(line[at] - '0');
    if (digits == 0 || at >= line.size() || line[at] != ']') return 0;
    *restAt = at + 1;
    return number;
}

void AppendBlock(std::string& text, const BlockLines& block) {
    for (const std::string& line : block) text += line + "\n";
}

}  // namespace

std::string NumberedBlocks(const std::vector<BlockLines>& batch) {
    std::string text;
    for (size_t index = 0; index < batch.size(); ++index) {
        text += "[" + std::to_string(index + 1) + "]\n";
        AppendBlock(text, batch[index]);
    }
    return text;
}

std::string ContextText(const BatchContext& context) {
    std::string text;
    if (!context.Before.empty()) {
        text += "The subtitles just before these blocks:\n";
        for (const BlockLines& block : context.Before) AppendBlock(text, block);
    }
    if (!context.After.empty()) {
        if (!text.empty()) text += "\n";
        text += "The subtitles just after them:\n";
        for (const BlockLines& block : context.After) AppendBlock(text, block);
    }
    return text;
}

std::string WithoutReasoning(std::string_view answer) {
    const size_t close = answer.rfind("</think>");
    if (close != std::string_view::npos) answer.remove_prefix(close + 8);
    const size_t open = answer.find("<think>");
    if (open != std::string_view::npos) answer = answer.substr(0, open);
    return std::string(answer);
}

std::vector<BlockLines> ReadNumberedBlocks(std::string_view answer, size_t blocks, const std::string& service) {
    std::vector<BlockLines> read;
    BlockLines unnumbered;
    for (const std::string& whole : SplitBlockText(answer)) {
        std::string_view line = TrimBlanks(whole);
        if (line.rfind("```", 0) == 0) continue;
        size_t restAt = 0;
        // Only the number that comes next starts a block: a subtitle line may
        // itself begin with "[2]". In a batch of several, a number past the
        // last block is a block the model added, which the count below catches.
        const size_t number = BlockNumber(line, &restAt);
        if (number != 0 && number == read.size() + 1 && (number <= blocks || blocks > 1)) {
            read.emplace_back();
            line = TrimBlanks(line.substr(restAt));
        }
        if (line.empty()) continue;
        (read.empty() ? unnumbered : read.back()).emplace_back(line);
    }
    // A small model often answers a single block without its number.
    if (blocks == 1 && read.empty()) read.push_back(std::move(unnumbered));
    if (read.size() != blocks) RaiseMismatch(service, read.size(), blocks);
    if (blocks > 1)
        for (const BlockLines& block : read)
            if (block.empty()) RaiseMismatch(service, blocks - 1, blocks);
    return read;
}

}  // namespace tarvex
