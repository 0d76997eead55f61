// The Windows transport. Plain HTTP goes over a connection of our own
// (PlainHttpConnection): WinINet reads a response's headers without any
// bound, and a blocked WinINet call cannot be ended from outside under Wine,
// so a hostile service could grow memory without end and keep a thread
// forever. HTTPS, which only a redirect leads to, is left to WinINet.
//
// The header lines go on the wire exactly as given. The system's proxy
// setting, as WinINet reads it, applies to both.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "base/RuntimeError.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpTransport.h"
#include "translate/http/PlainHttpConnection.h"
#include "translate/http/ProxySettings.h"
#include "translate/http/WinInetClient.h"

namespace tarvex {

namespace {

using Clock = std::chrono::steady_clock;

bool IsHostLine(const std::string& line) {
    static const char kHost[] = "host:";
    if (line.size() < 5) return false;
    for (size_t i = 0; i < 5; ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != kHost[i]) return false;
    return true;
}

// "host" or "host:port", as a Host line names a server.
std::string HostAndPort(const UrlParts& parts) {
    return parts.Port == 80 ? parts.Host : parts.Host + ":" + std::to_string(parts.Port);
}

// A request target carries no spaces, controls or 8-bit bytes on the wire.
std::string Escaped(const std::string& target) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (unsigned char c : target) {
        if (c <= 0x20 || c >= 0x7f) {
            escaped += '%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 15];
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return escaped;
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

    HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                  std::chrono::milliseconds timeout) override {
        if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
        if (interrupt_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        const Clock::time_point deadline =
            Clock::now() + (timeout.count() > 0 ? timeout : std::chrono::milliseconds(1));
        std::vector<std::string> lines;
        for (const std::string& line : headerLines) {
            if (line.find_first_of("\r\n") != std::string::npos)
                throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: a header line");
            if (!line.empty()) lines.push_back(line);
        }
        std::string current = url;
        const UrlParts first = CrackUrl(url);
        for (int redirects = 0;; ++redirects) {
            const UrlParts parts = CrackUrl(current);
            if (parts.Host != first.Host || parts.Port != first.Port)
                std::erase_if(lines, IsHostLine);  // the caller's Host named the first server
            if (parts.Secure) return wininet_.Get(current, lines, deadline, kMaxRedirects - redirects, interrupt_);
            PlainReply reply = Send(current, parts, lines, deadline);
            if (reply.Location.empty()) return std::move(reply.Reply);
            if (redirects == kMaxRedirects) throw TooManyRedirectsError();
            current = ResolveLocation(current, reply.Location);
        }
    }

    // A service's POST over plain http (a local server), sent once: its
    // redirect is its reply, as on the other platform, so neither its body
    // nor its secrets go anywhere else. WinINet is not given POSTs.
    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout) override {
        if (request.Method == "GET" && request.Body.empty() && request.SecretHeaders.empty())
            return Get(request.Url, request.HeaderLines, timeout);
        if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
        if (interrupt_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        const UrlParts parts = CrackUrl(request.Url);
        if (request.Method != "POST" || parts.Secure)
            throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: this connection sends " +
                                                             request.Method + " requests over plain http only");
        std::vector<std::string> lines;
        for (const std::string& line : request.HeaderLines) {
            if (line.find_first_of("\r\n") != std::string::npos)
                throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: a header line");
            if (!line.empty()) lines.push_back(line);
        }
        lines.push_back("Content-Length: " + std::to_string(request.Body.size()));
        const Clock::time_point deadline =
            Clock::now() + (timeout.count() > 0 ? timeout : std::chrono::milliseconds(1));
        return Send(request.Url, parts, lines, deadline, "POST", request.Body).Reply;
    }

private:
    PlainReply Send(const std::string& url, const UrlParts& parts, const std::vector<std::string>& lines,
                    Clock::time_point deadline, const char* method = "GET", const std::string& body = "") {
        std::string proxy = HttpProxyFrom(wininet_.ProxyList());
        if (!proxy.empty() && BypassesProxy(wininet_.ProxyBypass(), parts.Host)) proxy.clear();
        std::string head =
            std::string(method) + " " + Escaped(proxy.empty() ? parts.PathAndQuery : url) + " HTTP/1.1\r\n";
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
