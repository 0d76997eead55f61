#pragma once
// The HTTP seam: libcurl on Linux, WinINet on Windows. One transport serves
// one run, so its connection is kept alive from request to request.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace tarvex {

struct HttpReply {
    int Status = 0;          // final status, after redirects
    std::string Reason;      // e.g. "Too Many Requests"
    std::string RetryAfter;  // the Retry-After header's value, if any
    std::string Body;        // bytes as received, after gzip/deflate decoding
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // A GET of `url` (with its scheme) sending `headerLines` ("Name:value"
    // each, exactly as given). Redirects are followed, also to https; the
    // system's proxy settings apply. Throws RuntimeError when no reply
    // arrives within `timeout` or the connection fails; any HTTP status is
    // a reply, not an error.
    virtual HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                          std::chrono::milliseconds timeout) = 0;
};

// The platform's client.
std::unique_ptr<HttpTransport> CreateSystemTransport();

}  // namespace tarvex
