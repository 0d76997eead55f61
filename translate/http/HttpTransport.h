#pragma once
// The HTTP seam: libcurl on Linux, WinINet on Windows. A transport makes one
// request at a time on its own connection, kept alive from request to
// request; several transports may work at once, each on its own thread.

#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "translate/http/HttpLimits.h"
#include "translate/http/HttpRequest.h"

namespace tarvex {

// The User-Agent every request of the program names.
constexpr const char* kUserAgent = "Mozilla/5.0 (Windows NT 5.1; rv:9.0.1) Gecko/20100101 Firefox/9.0.1";

// The header lines of a request ("Name:value" each, sent exactly as given),
// and the names of those that carry a secret such as a key. Authorization
// is always one.
struct HttpHeaders {
    HttpHeaders() = default;
    HttpHeaders(std::vector<std::string> lines, std::vector<std::string> secretNames = {})
        : Lines(std::move(lines)), SecretNames(std::move(secretNames)) {}
    HttpHeaders(std::initializer_list<std::string> lines) : Lines(lines) {}

    std::vector<std::string> Lines;
    std::vector<std::string> SecretNames;
};

struct HttpReply {
    int Status = 0;          // final status, after redirects
    std::string Reason;      // e.g. "Too Many Requests"
    std::string RetryAfter;  // the Retry-After header's value, if any
    std::string Body;        // bytes as sent, after gzip/deflate decoding
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // A GET of `url` (with its scheme) sending `headers`. Redirects are
    // followed, also to https, at most kMaxRedirects times, keeping back what
    // KeepForRedirect says; the system's proxy settings apply. Any HTTP status
    // is a reply, not an error. Returns or throws within `timeout` (plus a
    // moment) whatever the server does. Throws RuntimeError:
    //   RequestTimedOut   the whole exchange, redirects included, took longer;
    //   ReplyTooLarge     the body passed kMaxReplyBytes after decoding, or
    //                     the headers kMaxHeaderBytes;
    //   TooManyRedirects  a redirect beyond kMaxRedirects;
    //   ConnectionFailed  the connection could not be made or was dropped;
    //   BadContentCoding  the body's coding is not identity, gzip or deflate,
    //                     or its compressed data is corrupt;
    //   UserInterrupt     Cancel was called.
    // By default the GET goes through Send: the platforms' transports
    // implement Send only.
    virtual HttpReply Get(const std::string& url, const HttpHeaders& headers, std::chrono::milliseconds timeout);
    // The request a service built, with the same bounds and errors as Get. A
    // POST goes with its body and a Content-Length, and follows only a 307
    // or 308 redirect (any other is the reply), and not at all one that
    // KeepForRedirect would strip when its body is secret. The platforms'
    // transports implement it; this default, for stand-ins that answer GETs
    // only, sends a GET through Get and refuses anything else. A transport
    // implements at least one of the two.
    virtual HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout);
    // Safe from any thread: the Get in progress, if any, ends within about
    // 100 ms with RuntimeError(UserInterrupt), and so does every later Get,
    // at once. A run that has failed uses it to stop the requests it no
    // longer needs. The platforms' transports implement it; the default,
    // doing nothing, is for stand-ins whose Get never waits.
    virtual void Cancel() {}
};

// The platform's client.
std::unique_ptr<HttpTransport> CreateSystemTransport();

}  // namespace tarvex
