#include "translate/http/UrlText.h"

#include <algorithm>
#include <cctype>

namespace tarvex {

namespace {

template <typename Keep>
std::string Escape(std::string_view text, Keep keep) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (keep(byte)) {
            escaped.push_back(c);
        } else {
            escaped.push_back('%');
            escaped.push_back(kHex[byte >> 4]);
            escaped.push_back(kHex[byte & 15]);
        }
    }
    return escaped;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A dotted quad whose parts are 0 to 255, written without leading zeros
// (which some resolvers read as octal).
bool IsIpv4(std::string_view host, unsigned* first) {
    int parts = 0;
    size_t from = 0;
    while (true) {
        const size_t dot = host.find('.', from);
        const std::string_view part =
            host.substr(from, dot == std::string_view::npos ? std::string_view::npos : dot - from);
        const bool digits = !part.empty() &&
                            std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
        if (!digits || part.size() > 3 || (part.size() > 1 && part[0] == '0')) return false;
        const unsigned value = static_cast<unsigned>(std::stoi(std::string(part)));
        if (value > 255) return false;
        if (parts == 0) *first = value;
        ++parts;
        if (dot == std::string_view::npos) break;
        from = dot + 1;
    }
    return parts == 4;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
    return Escape(text, [](unsigned char byte) {
        return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
               byte == '-' || byte == '.' || byte == '_' || byte == '~';
    });
}

std::string EscapeRequestTarget(std::string_view target) {
    return Escape(target, [](unsigned char byte) { return byte > 0x20 && byte < 0x7f; });
}

UrlOrigin OriginOf(std::string_view url) {
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return {};
    UrlOrigin origin;
    origin.Scheme = Lower(url.substr(0, schemeEnd));
    if (origin.Scheme != "http" && origin.Scheme != "https") return {};
    std::string_view authority = url.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    // "[v6 address]:port" or "host:port"
    size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && authority.find(']', colon) != std::string_view::npos)
        colon = std::string_view::npos;
    origin.Host = Lower(authority.substr(0, colon));
    origin.Port = origin.Scheme == "https" ? 443 : 80;
    if (colon != std::string_view::npos && colon + 1 < authority.size()) {
        unsigned long port = 0;
        for (char c : authority.substr(colon + 1)) {
            if (c < '0' || c > '9' || (port = port * 10 + static_cast<unsigned long>(c - '0')) > 65535) return {};
        }
        origin.Port = static_cast<uint16_t>(port);
    }
    return origin;
}

bool IsLoopbackHost(std::string_view host) {
    std::string lower = Lower(host);
    if (lower.size() > 2 && lower.front() == '[' && lower.back() == ']') lower = lower.substr(1, lower.size() - 2);
    if (lower == "localhost" || lower == "::1") return true;
    unsigned first = 0;
    return IsIpv4(lower, &first) && first == 127;
}

}  // namespace tarvex
