#pragma once
// Reading the web endpoint's reply: a JSON array whose first element holds
// the translation, in one segment per sentence (each segment's first
// element), or as a plain string.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// The translation's text as the reply writes it, escapes still in it: the
// first element of every segment of the reply's segment list, joined in
// order; or the string that stands first (`["T", ...]`, `[["T", "en"]]`).
// Nothing when the reply holds no translation (not an array, an error page,
// a syntax error, an empty body...).
std::optional<std::string> ReplyTranslationText(std::string_view reply);

// Whether the web page's padding of punctuation and quotes is undone. The
// API twin writes the same shape without that padding, so repairing its
// text would only damage it ("Rock 'n' roll").
enum class PunctuationRepair { WebPage, None };

// The translated lines of a reply: its text cut at every escaped line break,
// each line trimmed, its punctuation and quotes repaired as asked, then
// decoded, with any line break that decoding gives made a space. Empty when
// the reply holds no translation.
std::vector<std::string> ReadReplyLines(std::string_view reply, PunctuationRepair repair = PunctuationRepair::WebPage);

}  // namespace tarvex
