#pragma once
// WinINet, for what our own plain-HTTP connection does not do: HTTPS, where
// a service may redirect. Also the reader of the system's proxy setting.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "translate/http/HttpTransport.h"

namespace tarvex {

struct UrlParts {
    std::string Host;
    unsigned short Port = 80;
    bool Secure = false;
    std::string PathAndQuery;
};

// Throws RuntimeError(InvalidCall) for anything but an http or https URL.
UrlParts CrackUrl(const std::string& url);
// A redirect's Location, relative or not, made absolute against `base`.
std::string ResolveLocation(const std::string& base, const std::string& location);

class WinInetClient {
public:
    WinInetClient();
    // The system's proxy setting as this session sees it ("" when direct).
    const std::string& ProxyList() const { return proxyList_; }
    const std::string& ProxyBypass() const { return proxyBypass_; }

    // A GET of `url`, following at most `redirectsLeft` more redirects,
    // within the deadline; ends at once with UserInterrupt when the
    // `interrupt` event is set. The exchange runs on a worker thread that
    // owns it and is never joined; given up on, it releases everything it
    // holds once the WinINet call it waits on returns.
    HttpReply Get(const std::string& url, const HttpHeaders& headers, std::chrono::steady_clock::time_point deadline,
                  int redirectsLeft, void* interrupt);
    // The same for `request`'s method and body (its URL, and `headers` for
    // its header lines); a redirect is followed as FollowsRedirect says.
    HttpReply Send(const HttpRequest& request, const HttpHeaders& headers,
                   std::chrono::steady_clock::time_point deadline, int redirectsLeft, void* interrupt);

private:
    std::shared_ptr<struct WinInetSession> session_;
    unsigned long openError_ = 0;
    std::string proxyList_;
    std::string proxyBypass_;
};

}  // namespace tarvex
