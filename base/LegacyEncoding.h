#pragma once
// Legacy code pages (windows-1252, windows-1251, iso-8859-2...), read into
// UTF-8. iconv on POSIX, the system's code-page tables on Windows.

#include <string>
#include <string_view>

namespace tarvex {

// windows-1252 on POSIX; on Windows the ANSI code page of the user's locale
// (asked of the locale, since the program's own ANSI page is UTF-8).
std::string DefaultLegacyEncoding();

bool IsKnownLegacyEncoding(const std::string& name);

// The bytes read in code page `name`; a byte the page leaves undefined
// becomes U+FFFD. Raises 5 for a name the system does not know.
std::string LegacyToUtf8(std::string_view bytes, const std::string& name);

}  // namespace tarvex
