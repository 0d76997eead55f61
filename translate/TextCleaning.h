#pragma once
// Formatting tags that must not reach the translation service.

#include <string>
#include <string_view>

namespace tarvex {

// Removes every "<i>", "</i>" and "</font>", then every copy of the first
// "<font color=...>" tag (at least one character between "=" and ">").
// Other tags and other letter cases stay.
std::string CleanTextLine(std::string_view line);

}  // namespace tarvex
