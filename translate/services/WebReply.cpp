#include "translate/services/WebReply.h"

#include <algorithm>

#include "base/TextTrim.h"
#include "translate/services/RawJson.h"

namespace tarvex {

namespace {

using Kind = RawJsonValue::Kind;

bool IsArray(const RawJsonValue& value) {
    return value.What == Kind::Array;
}

bool StartsWith(const RawJsonValue& array, Kind kind) {
    return IsArray(array) && !array.Items.empty() && array.Items[0].What == kind;
}

// Every occurrence, left to right, in one pass: replaced text is not searched again.
void ReplaceAll(std::string& text, std::string_view find, std::string_view replacement) {
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result.append(replacement);
        from = at + find.size();
    }
    if (from == 0) return;
    result.append(text, from, std::string::npos);
    text.swap(result);
}

// The service pads punctuation with blanks; its escaped quotes lose the
// blank on their inner side.
void RepairLine(std::string& line) {
    ReplaceAll(line, " .", ".");
    ReplaceAll(line, " ,", ",");
    ReplaceAll(line, " '", "'");
    ReplaceAll(line, "\\\" ", "\"");
    ReplaceAll(line, " \\\"", "\"");
    ReplaceAll(line, "\\\"", "\"");
}

std::string FinishLine(std::string_view raw, PunctuationRepair repair) {
    std::string line(TrimSpaces(raw));
    if (repair == PunctuationRepair::WebPage) RepairLine(line);
    line = DecodeJsonEscapes(line);
    // A line break inside a line would let the reply add lines, even timing
    // lines, to the output.
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

}  // namespace

std::optional<std::string> ReplyTranslationText(std::string_view reply) {
    const std::optional<RawJsonValue> whole = ScanRawJson(reply);
    if (!whole || !IsArray(*whole) || whole->Items.empty()) return std::nullopt;
    const RawJsonValue& first = whole->Items[0];
    if (first.What == Kind::String) return std::string(first.Text);
    if (StartsWith(first, Kind::Array)) {
        std::string text;
        for (const RawJsonValue& segment : first.Items)
            if (StartsWith(segment, Kind::String)) text.append(segment.Items[0].Text);
        return text;
    }
    if (StartsWith(first, Kind::String)) return std::string(first.Items[0].Text);
    return std::nullopt;
}

std::vector<std::string> ReadReplyLines(std::string_view reply, PunctuationRepair repair) {
    std::vector<std::string> lines;
    const std::optional<std::string> text = ReplyTranslationText(reply);
    if (!text) return lines;
    // "\\n" is an escaped backslash before an n, not a line break.
    size_t lineStart = 0;
    for (size_t at = 0; at + 1 < text->size(); ++at) {
        if ((*text)[at] != '\\') continue;
        if ((*text)[at + 1] == 'n') {
            lines.push_back(FinishLine(std::string_view(*text).substr(lineStart, at - lineStart), repair));
            lineStart = at + 2;
        }
        ++at;
    }
    lines.push_back(FinishLine(std::string_view(*text).substr(lineStart), repair));
    return lines;
}

}  // namespace tarvex
