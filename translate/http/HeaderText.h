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
inline bool HasToken(std::string_view list, std::string_view token) {
    while (true) {
        const size_t comma = list.find(',');
        if (SameIgnoringCase(TrimBlanks(list.substr(0, comma)), token)) return true;
        if (comma == std::string_view::npos) return false;
        list.remove_prefix(comma + 1);
    }
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
