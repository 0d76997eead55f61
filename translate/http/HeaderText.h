#pragma once
// Header values as HTTP writes them: blanks around values, names and tokens
// in any case, lists of tokens apart by commas.

#include <cctype>
#include <string>
#include <string_view>

#include "base/TextTrim.h"

namespace tarvex {

// Without the spaces and tabs at either end.
inline std::string TrimmedBlanks(std::string_view text) {
    return std::string(TrimBlanks(text));
}

inline std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Whether the comma-separated `list` holds `token` (given in lower case).
inline bool HasToken(const std::string& list, const std::string& token) {
    std::string rest = LowerAscii(list) + ",";
    for (size_t comma = rest.find(','); comma != std::string::npos; comma = rest.find(',')) {
        if (TrimmedBlanks(rest.substr(0, comma)) == token) return true;
        rest.erase(0, comma + 1);
    }
    return false;
}

// Whether the header line "Name:value" is named `name`.
inline bool HeaderLineNamed(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line[name.size()] == ':' && SameIgnoringCase(line.substr(0, name.size()), name);
}

// The value of the header line if it is named `name`, without its blanks.
inline bool HeaderLineValue(const std::string& line, std::string_view name, std::string& value) {
    if (!HeaderLineNamed(line, name)) return false;
    value = TrimmedBlanks(line.substr(name.size() + 1));
    return true;
}

inline bool IsHostLine(const std::string& line) {
    return HeaderLineNamed(line, "Host");
}

}  // namespace tarvex
