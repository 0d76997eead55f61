#include "translate/http/Redirects.h"

#include <algorithm>

#include "translate/http/HeaderText.h"
#include "translate/http/UrlText.h"

namespace tarvex {

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

void KeepForRedirect(HttpHeaders& headers, std::string_view from, std::string_view to) {
    const UrlOrigin before = OriginOf(from);
    const UrlOrigin after = OriginOf(to);
    if (before == after) return;
    const bool sameServer = before.Host == after.Host && before.Port == after.Port;
    std::erase_if(headers.Lines, [&](const std::string& line) {
        if (!sameServer && IsHostLine(line)) return true;
        if (HeaderLineNamed(line, "Authorization")) return true;
        return std::any_of(headers.SecretNames.begin(), headers.SecretNames.end(),
                           [&](const std::string& name) { return HeaderLineNamed(line, name); });
    });
}

bool FollowsRedirect(const HttpRequest& request, int status, std::string_view from, std::string_view to) {
    if (request.Method == "GET") return true;
    if (status != 307 && status != 308) return false;
    return !request.SecretBody || OriginOf(from) == OriginOf(to);
}

}  // namespace tarvex
