// WinINet for HTTPS. Each request runs on a worker thread of its own, which
// owns the request's handles and closes them itself; the caller waits for it
// at most until the deadline and never joins it. Closing a handle from
// another thread does not make a blocked call return under Wine, so a
// request that was given up on is left to its worker, which stops at the
// next return of the call it waits on and closes everything then: nothing
// of an abandoned request outlives that call by more than a moment.
//
// The session is opened with the system's preconfigured proxy (the Internet
// Settings); WinINet keeps server connections alive between the requests of
// the process. WinINet formats the header lines its own way ("Name: value");
// the values are sent as given. Its own content decoding stays off (Wine's
// cannot read zlib-wrapped deflate); the body goes through ContentDecoder.

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "base/RuntimeError.h"
#include "translate/http/CertificateFault.h"
#include "translate/http/ContentDecoding.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/Redirects.h"
#include "translate/http/WinInetClient.h"

namespace tarvex {

namespace {

using Clock = std::chrono::steady_clock;

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return handle_; }

private:
    HINTERNET handle_;
};

}  // namespace

// The client's WinINet session. Workers share it, because closing a parent
// handle closes its children: it stays open while any request needs it.
struct WinInetSession {
    explicit WinInetSession(HINTERNET handle) : Handle(handle) {}
    InternetHandle Handle;
};

namespace {

using Session = WinInetSession;

std::shared_ptr<Session> OpenSession() {
    // Several transports may each have a request in flight to one server;
    // WinINet's default allows two connections per server to the process.
    static std::once_flag once;
    std::call_once(once, [] {
        DWORD connections = 32;
        InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &connections, sizeof connections);
        InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &connections, sizeof connections);
    });
    return std::make_shared<Session>(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
}

[[noreturn]] void ThrowRequestError(DWORD error) {
    if (error == ERROR_INTERNET_TIMEOUT) throw RequestTimedOutError();
    if (const CertificateFault fault = CertificateFaultOfWinInet(error); fault != CertificateFault::None)
        throw CertificateError(fault);
    throw UnreachableError("WinINet error " + std::to_string(error));
}

// A header of the reply, "" when it is absent or unreasonably long.
std::string QueryHeader(HINTERNET request, DWORD what) {
    std::string value(512, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(value.size());
        DWORD index = 0;
        if (HttpQueryInfoA(request, what, value.data(), &size, &index)) {
            value.resize(size);
            return value;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size > kMaxHeaderBytes) return std::string();
        value.resize(size + 1);
    }
}

}  // namespace

UrlParts CrackUrl(const std::string& url) {
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.dwUrlPathLength = 1;  // ask for pointers into the URL
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: " + url);
    UrlParts result;
    result.Host = host;
    result.Port = parts.nPort;
    result.Secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (parts.lpszUrlPath) result.PathAndQuery.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) result.PathAndQuery.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (result.PathAndQuery.empty()) result.PathAndQuery = "/";
    return result;
}

// A redirect's Location, relative or not, made absolute against `base`.
std::string ResolveLocation(const std::string& base, const std::string& location) {
    std::string combined(INTERNET_MAX_URL_LENGTH + location.size(), '\0');
    DWORD size = static_cast<DWORD>(combined.size());
    if (!InternetCombineUrlA(base.c_str(), location.c_str(), combined.data(), &size, ICU_NO_ENCODE))
        throw RuntimeError(ErrorNumber::ConnectionFailed, "Cannot follow the redirect to " + location);
    combined.resize(size);
    return combined;
}

namespace {

// One request, shared by the caller and the worker thread.
struct Exchange {
    std::string Url;
    HttpHeaders Headers;
    HttpRequest Request;  // its method and body
    Clock::time_point Deadline;
    std::shared_ptr<Session> Owner;
    HANDLE Done = nullptr;  // set by the worker once the outcome below is written
    int RedirectsLeft = kMaxRedirects;
    std::atomic<bool> Abandoned{false};
    HttpReply Reply;
    std::optional<RuntimeError> Failure;

    ~Exchange() {
        if (Done != nullptr) CloseHandle(Done);
    }
};

// False when the caller gave up before the body's end.
bool ReadBody(HINTERNET request, const Exchange& exchange, ContentDecoder& decoder, std::string& body) {
    char buffer[16384];
    for (;;) {
        if (exchange.Abandoned) return false;
        // Only what has arrived: a read of a whole buffer would wait for it
        // to fill, however slowly the body comes, and keep the worker long
        // after its caller has given up.
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0)) ThrowRequestError(GetLastError());
        if (available == 0) break;
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, std::min<DWORD>(available, sizeof buffer), &got))
            ThrowRequestError(GetLastError());
        if (got == 0) break;
        decoder.Feed(buffer, got, body);
    }
    decoder.Finish();
    return true;
}

// Before a request whose body is not read to its end is closed: closing it
// reads on what is still arriving, which must not hold its worker long.
void StopWaitingForTheRest(HINTERNET request) {
    DWORD moment = 200;
    InternetSetOptionA(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &moment, sizeof moment);
}

// The worker's part: the request and its redirects, done synchronously.
HttpReply Fetch(Exchange& exchange) {
    std::string url = exchange.Url;
    HttpHeaders headers = exchange.Headers;
    for (int redirects = 0;; ++redirects) {
        UrlParts parts = CrackUrl(url);
        InternetHandle connection(InternetConnectA(exchange.Owner->Handle.Get(), parts.Host.c_str(), parts.Port,
                                                   nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (connection.Get() == nullptr) ThrowRequestError(GetLastError());
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT;
        if (parts.Secure) flags |= INTERNET_FLAG_SECURE;
        // No accept types: the Accept line of the header block is the only one.
        InternetHandle request(HttpOpenRequestA(connection.Get(), exchange.Request.Method.c_str(),
                                                parts.PathAndQuery.c_str(), nullptr, nullptr, nullptr, flags, 0));
        if (request.Get() == nullptr) ThrowRequestError(GetLastError());
        // WinINet's own time-outs only free the worker a little after the
        // caller has given up (Wine honours the receive time-out alone).
        DWORD backstop = static_cast<DWORD>(MillisecondsUntil(exchange.Deadline) + 1000);
        for (DWORD option :
             {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
            InternetSetOptionA(request.Get(), option, &backstop, sizeof backstop);

        std::string head;
        for (const std::string& line : headers.Lines) head += line + "\r\n";
        // WinINet adds the body's Content-Length itself.
        std::string& body = exchange.Request.Body;
        if (!HttpSendRequestA(request.Get(), head.c_str(), static_cast<DWORD>(head.size()),
                              body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size())))
            ThrowRequestError(GetLastError());
        HttpReply reply;
        reply.Status = std::atoi(QueryHeader(request.Get(), HTTP_QUERY_STATUS_CODE).c_str());
        if (reply.Status == 0) throw UnreachableError("the connection closed without an answer");
        reply.Reason = QueryHeader(request.Get(), HTTP_QUERY_STATUS_TEXT);
        reply.RetryAfter = QueryHeader(request.Get(), HTTP_QUERY_RETRY_AFTER);
        std::string location = IsRedirect(reply.Status) ? QueryHeader(request.Get(), HTTP_QUERY_LOCATION) : "";

        bool complete = false;
        try {
            ContentDecoder decoder(location.empty() ? QueryHeader(request.Get(), HTTP_QUERY_CONTENT_ENCODING) : "");
            complete = ReadBody(request.Get(), exchange, decoder, reply.Body);
        } catch (...) {
            StopWaitingForTheRest(request.Get());
            throw;
        }
        if (!complete) {
            StopWaitingForTheRest(request.Get());
            throw RequestTimedOutError();  // no one is waiting for this any more
        }
        if (location.empty()) return reply;
        std::string next = ResolveLocation(url, location);
        if (!FollowsRedirect(exchange.Request, reply.Status, url, next)) return reply;
        if (redirects >= exchange.RedirectsLeft) throw TooManyRedirectsError();
        KeepForRedirect(headers, url, next);
        url = std::move(next);
    }
}

void RunExchange(Exchange& exchange) {
    try {
        exchange.Reply = Fetch(exchange);
    } catch (...) {
        exchange.Failure = CaughtError();
    }
    SetEvent(exchange.Done);
}

}  // namespace

WinInetClient::WinInetClient() : session_(OpenSession()), openError_(GetLastError()) {
    HINTERNET handle = session_->Handle.Get();
    if (handle == nullptr) return;
    // What WinINet made of the Internet Settings, for our own connections.
    DWORD size = 0;
    InternetQueryOptionA(handle, INTERNET_OPTION_PROXY, nullptr, &size);
    std::vector<uint64_t> buffer(size / sizeof(uint64_t) + 1);
    size = static_cast<DWORD>(buffer.size() * sizeof(uint64_t));
    if (!InternetQueryOptionA(handle, INTERNET_OPTION_PROXY, buffer.data(), &size)) return;
    const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
    if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY) return;
    if (info->lpszProxy != nullptr) proxyList_ = reinterpret_cast<const char*>(info->lpszProxy);
    if (info->lpszProxyBypass != nullptr) proxyBypass_ = reinterpret_cast<const char*>(info->lpszProxyBypass);
}

HttpReply WinInetClient::Get(const std::string& url, const HttpHeaders& headers, Clock::time_point deadline,
                             int redirectsLeft, void* interrupt) {
    HttpRequest request;
    request.Url = url;
    return Send(request, headers, deadline, redirectsLeft, interrupt);
}

HttpReply WinInetClient::Send(const HttpRequest& request, const HttpHeaders& headers, Clock::time_point deadline,
                              int redirectsLeft, void* interrupt) {
    if (session_->Handle.Get() == nullptr) ThrowRequestError(openError_);
    auto exchange = std::make_shared<Exchange>();
    exchange->Url = request.Url;
    exchange->Headers = headers;
    exchange->Request = request;
    exchange->Deadline = deadline;
    exchange->RedirectsLeft = redirectsLeft;
    exchange->Owner = session_;
    exchange->Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (exchange->Done == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
    try {
        std::thread([exchange] { RunExchange(*exchange); }).detach();
    } catch (const std::system_error&) {
        throw RuntimeError(ErrorNumber::OutOfMemory);
    }
    HANDLE handles[2] = {exchange->Done, static_cast<HANDLE>(interrupt)};
    DWORD woken = WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(MillisecondsUntil(deadline)));
    if (woken != WAIT_OBJECT_0) {
        // The worker finishes on its own; it sees this and stops reading.
        exchange->Abandoned = true;
        if (woken == WAIT_OBJECT_0 + 1) throw RuntimeError(ErrorNumber::UserInterrupt);
        throw RequestTimedOutError();
    }
    if (exchange->Failure) throw *exchange->Failure;
    return std::move(exchange->Reply);
}

}  // namespace tarvex
