#pragma once
// Bytes as text for a settings store that holds text only.

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Two upper-case hex digits a byte.
std::string HexOf(std::string_view bytes);
// The bytes back; none for an odd length or a character that is not a hex digit.
std::optional<std::string> BytesOfHex(std::string_view text);

}  // namespace tarvex
