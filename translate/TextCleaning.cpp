#include "translate/TextCleaning.h"

namespace tarvex {

namespace {

void RemoveAll(std::string& text, std::string_view tag) {
    if (tag.empty()) return;
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, from)) {
        result.append(text, from, at - from);
        from = at + tag.size();
    }
    if (from == 0) return;
    result.append(text, from, std::string::npos);
    text.swap(result);
}

}  // namespace

std::string CleanTextLine(std::string_view line) {
    std::string text(line);
    RemoveAll(text, "<i>");
    RemoveAll(text, "</i>");
    RemoveAll(text, "</font>");
    constexpr std::string_view kFontOpen = "<font color=";
    size_t open = text.find(kFontOpen);
    if (open == std::string::npos) return text;
    size_t close = text.find('>', open + kFontOpen.size());
    if (close == std::string::npos || close == open + kFontOpen.size()) return text;
    RemoveAll(text, text.substr(open, close - open + 1));
    return text;
}

}  // namespace tarvex
