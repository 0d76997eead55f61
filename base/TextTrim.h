#pragma once
// Trimming as the window's text boxes and saved settings need it: blanks
// (spaces only, not tabs) at both ends.

#include <string_view>

namespace tarvex {

inline std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace tarvex
