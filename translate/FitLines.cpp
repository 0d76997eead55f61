#include "translate/FitLines.h"

#include <algorithm>

#include "base/TextTrim.h"

namespace tarvex {

namespace {

bool Blank(const std::string& line) {
    return TrimSpaces(line).empty();
}

bool AllBlank(const std::vector<std::string>& lines) {
    return std::all_of(lines.begin(), lines.end(), Blank);
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string joined;
    for (size_t index = 0; index < lines.size(); ++index) {
        if (index > 0) joined.append("\r\n");
        joined.append(lines[index]);
    }
    return joined;
}

}  // namespace

BlockTranslation FitLines(std::vector<std::string> translated, const std::vector<std::string>& sent) {
    BlockTranslation result;
    if (sent.empty()) return result;
    // A NUL would end the line for many readers; a line break inside a line
    // would let the reply add lines of its own.
    for (std::string& line : translated) {
        std::erase(line, '\0');
        std::replace_if(
            line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    // A blank line among a block's lines would end an SRT block or a WebVTT
    // cue early.
    std::erase_if(translated, Blank);
    if (translated.empty()) {
        result.Text = JoinCrLf(sent);
        result.Untranslated = !AllBlank(sent);
        return result;
    }
    const size_t last = sent.size() - 1;
    if (translated.size() > sent.size()) {
        std::string joined;
        for (size_t index = last; index < translated.size(); ++index) {
            if (!joined.empty()) joined.push_back(' ');
            joined.append(translated[index]);
        }
        translated.resize(last);
        translated.push_back(std::move(joined));
    }
    result.Text = JoinCrLf(translated);
    return result;
}

}  // namespace tarvex
