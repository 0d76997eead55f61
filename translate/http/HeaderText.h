#pragma once
// Header values as HTTP writes them: blanks around values, names and tokens
// in any case, lists of tokens apart by commas.

#include <cctype>
#include <string>
#include <string_view>

namespace tarvex {

// Without the spaces and tabs at either end.
inline std::string TrimmedBlanks(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
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

// Whether two header names are the same (names are in any case).
inline bool SameHeaderName(std::string_view one, std::string_view other) {
    if (one.size() != other.size()) return false;
    for (size_t i = 0; i < one.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(one[i])) != std::tolower(static_cast<unsigned char>(other[i])))
            return false;
    return true;
}

// Whether the header line "Name:value" is named `name`.
inline bool HeaderLineNamed(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line[name.size()] == ':' && SameHeaderName(line.substr(0, name.size()), name);
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
