// The Windows transport. Plain HTTP goes over a connection of our own
// (PlainHttpConnection): WinINet reads a response's headers without any
// bound, and a blocked WinINet call cannot be ended from outside under Wine,
// so a hostile service could grow memory without end and keep a thread
// forever. HTTPS (the services' default addresses, and any redirect there)
// is left to WinINet, with its own bounds (WinInetClient).
//
// The header lines go on the wire exactly as given. The system's proxy
// setting, as WinINet reads it, applies to both.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "base/RuntimeError.h"
#include "translate/http/HeaderText.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpTransport.h"
#include "translate/http/PlainHttpConnection.h"
#include "translate/http/ProxySettings.h"
#include "translate/http/Redirects.h"
#include "translate/http/UrlText.h"
#include "translate/http/WinInetClient.h"

namespace tarvex {

namespace {

using Clock = std::chrono::steady_clock;

// "host" or "host:port", as a Host line names a server.
std::string HostAndPort(const UrlParts& parts) {
    return parts.Port == 80 ? parts.Host : parts.Host + ":" + std::to_string(parts.Port);
}

// "host:port" of a proxy; port 80 when it names none.
void SplitProxy(const std::string& proxy, std::string& host, uint16_t& port) {
    size_t colon = proxy.rfind(':');
    host = proxy;
    port = 80;
    if (colon != std::string::npos && proxy.find(']', colon) == std::string::npos) {
        host = proxy.substr(0, colon);
        port = static_cast<uint16_t>(std::atoi(proxy.c_str() + colon + 1));
    }
}

class SystemTransport : public HttpTransport {
public:
    SystemTransport() : interrupt_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~SystemTransport() override {
        if (interrupt_ != nullptr) CloseHandle(interrupt_);
    }
    SystemTransport(const SystemTransport&) = delete;
    SystemTransport& operator=(const SystemTransport&) = delete;

    void Cancel() override {
        cancelled_ = true;
        SetEvent(interrupt_);
    }

    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout) override {
        if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
        if (interrupt_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        if (request.Method != "GET" && request.Method != "POST")
            throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: " + request.Method);
        const Clock::time_point deadline =
            Clock::now() + (timeout.count() > 0 ? timeout : std::chrono::milliseconds(1));
        HttpHeaders sent({}, request.SecretHeaders);
        for (const std::string& line : request.HeaderLines) {
            if (line.find_first_of("\r\n") != std::string::npos)
                throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: a header line");
            if (!line.empty()) sent.Lines.push_back(line);
        }
        const bool post = request.Method == "POST";
        HttpRequest current = request;
        for (int redirects = 0;; ++redirects) {
            const UrlParts parts = CrackUrl(current.Url);
            if (parts.Secure) return wininet_.Send(current, sent, deadline, kMaxRedirects - redirects, interrupt_);
            std::vector<std::string> lines = sent.Lines;
            if (post) lines.push_back("Content-Length: " + std::to_string(request.Body.size()));
            PlainReply reply = Send(current.Url, parts, lines, deadline, post ? "POST" : "GET", request.Body);
            if (reply.Location.empty()) return std::move(reply.Reply);
            std::string next = ResolveLocation(current.Url, reply.Location);
            if (!FollowsRedirect(request, reply.Reply.Status, current.Url, next)) return std::move(reply.Reply);
            if (redirects == kMaxRedirects) throw TooManyRedirectsError();
            KeepForRedirect(sent, current.Url, next);
            current.Url = std::move(next);
        }
    }

private:
    PlainReply Send(const std::string& url, const UrlParts& parts, const std::vector<std::string>& lines,
                    Clock::time_point deadline, const char* method = "GET", const std::string& body = "") {
        std::string proxy = HttpProxyFrom(wininet_.ProxyList());
        if (!proxy.empty() && BypassesProxy(wininet_.ProxyBypass(), parts.Host)) proxy.clear();
        // This computer is always reached directly: a key allowed over plain
        // http only because it stays here must not pass through a proxy.
        if (IsLoopbackHost(parts.Host)) proxy.clear();
        std::string head =
            std::string(method) + " " + EscapeRequestTarget(proxy.empty() ? parts.PathAndQuery : url) + " HTTP/1.1\r\n";
        if (std::none_of(lines.begin(), lines.end(), IsHostLine)) head += "Host: " + HostAndPort(parts) + "\r\n";
        for (const std::string& line : lines) head += line + "\r\n";
        head += "\r\n";
        head += body;
        if (proxy.empty()) return connection_.Exchange(parts.Host, parts.Port, head, deadline, interrupt_);
        std::string proxyHost;
        uint16_t proxyPort = 80;
        SplitProxy(proxy, proxyHost, proxyPort);
        return connection_.Exchange(proxyHost, proxyPort, head, deadline, interrupt_);
    }

    HANDLE interrupt_;  // set once by Cancel, never reset
    std::atomic<bool> cancelled_{false};
    WinInetClient wininet_;
    PlainHttpConnection connection_;
};

}  // namespace

std::unique_ptr<HttpTransport> CreateSystemTransport() {
    return std::make_unique<SystemTransport>();
}

}  // namespace tarvex
