#pragma once
// URLs as HTTP carries them: percent-escaping, and the origin a URL names.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// Every byte other than letters, digits and "-._~" as %XX (upper-case hex).
std::string PercentEncode(std::string_view text);

// A request target as it may go on the wire: spaces, control characters and
// 8-bit bytes as %XX, everything else as it is.
std::string EscapeRequestTarget(std::string_view target);

// Scheme, host and port: who a request is sent to, and so who may see its
// secrets. The scheme and host are in lower case; the port is the scheme's
// default when the URL names none.
struct UrlOrigin {
    std::string Scheme;
    std::string Host;
    uint16_t Port = 0;
    bool operator==(const UrlOrigin&) const = default;
};

// The origin of an absolute http or https URL; an empty one for anything else.
UrlOrigin OriginOf(std::string_view url);

// localhost, ::1 (bracketed or not) and every address of 127.0.0.0/8:
// traffic that never leaves the computer, so a key may go there over plain
// http, and no proxy may stand in the way.
bool IsLoopbackHost(std::string_view host);

}  // namespace tarvex
