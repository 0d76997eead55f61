#pragma once
// A tolerant reading of a JSON reply that keeps each string as it was sent,
// escapes and all: the web endpoint's lines are cut at its escaped line
// breaks before anything is decoded. Elements left out between commas
// ("[1,,3]", as older replies write them) read as null.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

struct RawJsonValue {
    enum class Kind { Null, Literal, String, Array, Object };
    Kind What = Kind::Null;
    std::string_view Text;            // a string's bytes between its quotes, escapes kept
    std::vector<RawJsonValue> Items;  // an array's elements (see ScanRawJson)
};

// The one value `text` holds, blanks around it allowed; nothing for a syntax
// error, an empty text or one nested deeper than 64. Only what a reply's
// reading looks at is kept: every element of the outer array and of its
// arrays, and the first element of theirs; deeper arrays are checked but
// not kept. Strings point into `text`.
std::optional<RawJsonValue> ScanRawJson(std::string_view text);

// A string's text with its escapes decoded to UTF-8: \\ \/ \" \b \f \n \r \t
// and \uXXXX (a surrogate pair is one character, a lone surrogate U+FFFD).
// Anything else after a backslash is kept as it stands.
std::string DecodeJsonEscapes(std::string_view text);

}  // namespace tarvex
