#pragma once
// A service's base address as a user gives it (scheme, host, port and any
// path prefix), to which each service adds its own path.

#include <optional>
#include <string>
#include <string_view>

#include "translate/http/UrlText.h"

namespace tarvex {

struct BaseUrl {
    std::string Scheme;     // "http" or "https", lower case
    std::string Authority;  // host[:port] as written ("[::1]:8080" keeps its brackets)
    std::string Host;       // the host alone, lower case, without brackets
    std::string Path;       // the prefix without a trailing slash: "" or "/v1"
    std::string Text() const { return Scheme + "://" + Authority + Path; }
};

// http:// or https://, a host, an optional port of digits and an optional
// path. Nothing for anything else: no scheme or another one, user
// information ("user:password@", a secret that would show in reports), a
// query or fragment, blanks or control characters.
std::optional<BaseUrl> ParseBaseUrl(std::string_view url);

}  // namespace tarvex
