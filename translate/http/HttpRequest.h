#pragma once
// One HTTP request as a translation service builds it: data only, sent by a
// transport.

#include <string>
#include <vector>

namespace tarvex {

struct HttpRequest {
    std::string Method = "GET";            // GET or POST
    std::string Url;                       // with its scheme: http://... or https://...
    std::vector<std::string> HeaderLines;  // "Name:value" each, exactly as sent
    // Names of headers that carry a secret (Authorization...): a redirect
    // that leaves the origin, or goes down from https to http, drops them.
    std::vector<std::string> SecretHeaders;
    std::string Body;  // sent as it is, with its Content-Length; empty for GET
};

}  // namespace tarvex
