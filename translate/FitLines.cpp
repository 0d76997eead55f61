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
    if (AllBlank(translated)) {
        result.Text = JoinCrLf(sent);
        result.Untranslated = !AllBlank(sent);
        return result;
    }
    for (std::string& line : translated)
        std::replace_if(
            line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const size_t last = sent.size() - 1;
    if (translated.size() > sent.size()) {
        std::string joined;
        for (size_t index = last; index < translated.size(); ++index) {
            if (Blank(translated[index])) continue;
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
