#pragma once
// Small text helpers the readers of files, settings and replies share:
// blanks and digits, trimming, ASCII case-insensitive compares and the UTF-8
// mark.

#include <string_view>

namespace tarvex {

// Blanks (spaces only, not tabs) at both ends, as the window's text boxes
// and saved settings need it.
inline std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The first place at or after `at` that is no blank (the end when none is).
inline size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// Spaces and tabs at both ends, as subtitle files and headers pad with either.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Equal but for the case of ASCII letters (names, codes, keywords).
inline bool SameIgnoringCase(std::string_view one, std::string_view other) {
    if (one.size() != other.size()) return false;
    for (size_t at = 0; at < one.size(); ++at) {
        char a = one[at];
        char b = other[at];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

inline std::string_view WithoutUtf8Mark(std::string_view text) {
    return text.substr(0, kUtf8Mark.size()) == kUtf8Mark ? text.substr(kUtf8Mark.size()) : text;
}

}  // namespace tarvex
