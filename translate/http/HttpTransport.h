#pragma once
// The HTTP seam: libcurl on Linux, WinINet on Windows. One transport serves
// one run, so its connection is kept alive from request to request.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "translate/http/HttpLimits.h"

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
    // each, exactly as given). Redirects are followed, also to https, at most
    // kMaxRedirects times; the system's proxy settings apply. Any HTTP status
    // is a reply, not an error. Returns or throws within `timeout` (plus a
    // moment) whatever the server does. Throws RuntimeError:
    //   RequestTimedOut   the whole exchange, redirects included, took longer;
    //   ReplyTooLarge     the body passed kMaxReplyBytes after decoding, or
    //                     the headers kMaxHeaderBytes;
    //   TooManyRedirects  a redirect beyond kMaxRedirects;
    //   ConnectionFailed  the connection could not be made or was dropped.
    virtual HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                          std::chrono::milliseconds timeout) = 0;
    // From another thread: a Get under way ends soon, raising 18, and so
    // does every later one. A run that has failed uses it to stop the
    // requests it no longer needs.
    virtual void Cancel() {}
};

// The platform's client.
std::unique_ptr<HttpTransport> CreateSystemTransport();

}  // namespace tarvex
