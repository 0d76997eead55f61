#pragma once
// Header values as HTTP writes them: blanks around values, names and tokens
// in any case, lists of tokens apart by commas.

#include <cctype>
#include <string>

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

}  // namespace tarvex
