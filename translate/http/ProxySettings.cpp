#include "translate/http/ProxySettings.h"

#include <cctype>
#include <vector>

namespace tarvex {

namespace {

std::vector<std::string> Entries(const std::string& list) {
    std::vector<std::string> entries;
    std::string entry;
    for (char c : list + ";") {
        if (c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!entry.empty()) entries.push_back(entry);
            entry.clear();
        } else {
            entry += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return entries;
}

std::string WithoutScheme(const std::string& address) {
    return address.rfind("http://", 0) == 0 ? address.substr(7) : address;
}

bool Matches(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*') return Matches(pattern + 1, text) || (*text != '\0' && Matches(pattern, text + 1));
    return *pattern == *text && Matches(pattern + 1, text + 1);
}

}  // namespace

std::string HttpProxyFrom(const std::string& proxyList) {
    std::string common;
    for (const std::string& entry : Entries(proxyList)) {
        size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            if (common.empty()) common = WithoutScheme(entry);
        } else if (entry.compare(0, equals, "http") == 0) {
            return WithoutScheme(entry.substr(equals + 1));
        }
    }
    return common;
}

bool BypassesProxy(const std::string& bypassList, const std::string& host) {
    std::string name;
    for (char c : host) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& entry : Entries(bypassList)) {
        if (entry == "<local>" ? name.find('.') == std::string::npos : Matches(entry.c_str(), name.c_str()))
            return true;
    }
    return false;
}

}  // namespace tarvex
