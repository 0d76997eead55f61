#pragma once
// The system's proxy setting as the Internet Settings hold it, read for a
// plain-HTTP request: which proxy, if any, a request to a host goes through.

#include <string>

namespace tarvex {

// The proxy for http from a proxy list: "HOST:PORT" for every scheme, or
// "http=HOST:PORT;https=..." per scheme (entries apart by ';' or spaces,
// an "http://" before the host allowed). "" when none is named for http.
std::string HttpProxyFrom(const std::string& proxyList);

// Whether `host` goes direct by a bypass list: entries apart by ';' or
// spaces, '*' standing for any run of characters, "<local>" for every name
// without a dot. Compared without regard to case.
bool BypassesProxy(const std::string& bypassList, const std::string& host);

}  // namespace tarvex
