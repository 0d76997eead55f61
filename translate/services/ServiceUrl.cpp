#include "translate/services/ServiceUrl.h"

#include <algorithm>
#include <cctype>

namespace tarvex {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::optional<BaseUrl> ParseBaseUrl(std::string_view url) {
    if (std::any_of(url.begin(), url.end(), [](unsigned char c) { return c <= 0x20 || c == 0x7F; }))
        return std::nullopt;
    BaseUrl parsed;
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    parsed.Scheme = Lower(url.substr(0, schemeEnd));
    if (parsed.Scheme != "http" && parsed.Scheme != "https") return std::nullopt;
    std::string_view rest = url.substr(schemeEnd + 3);
    if (rest.find_first_of("?#") != std::string_view::npos) return std::nullopt;
    const size_t slash = rest.find('/');
    const std::string_view authority = rest.substr(0, slash);
    if (authority.empty() || authority.find('@') != std::string_view::npos) return std::nullopt;
    std::string_view host = authority;
    std::string_view port;
    if (authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos || close == 1) return std::nullopt;
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after.front() != ':') return std::nullopt;
        if (!after.empty()) port = after.substr(1);
        if (!after.empty() && !AllDigits(port)) return std::nullopt;
    } else {
        const size_t colon = authority.find(':');
        if (colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
            if (!AllDigits(port)) return std::nullopt;
        }
        if (host.empty() || host.find_first_of("[]") != std::string_view::npos) return std::nullopt;
    }
    parsed.Authority = std::string(authority);
    parsed.Host = Lower(host);
    if (slash != std::string_view::npos) parsed.Path = std::string(rest.substr(slash));
    while (!parsed.Path.empty() && parsed.Path.back() == '/') parsed.Path.pop_back();
    return parsed;
}

}  // namespace tarvex
