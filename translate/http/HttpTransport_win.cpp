// WinINet client. The session is opened with the system's preconfigured
// proxy (the Internet Settings); WinINet keeps server connections alive
// between the requests of the process. WinINet formats the header lines its
// own way ("Name: value"); the values are sent as given.

#include <windows.h>
#include <wininet.h>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "base/RuntimeError.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
    ~InternetHandle() { Close(); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return handle_; }
    void Close() {
        if (handle_ != nullptr) InternetCloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HINTERNET handle_;
};

[[noreturn]] void ThrowRequestError(DWORD error) {
    if (error == ERROR_INTERNET_TIMEOUT) throw RuntimeError(ErrorNumber::RequestTimedOut, "Request timed out");
    throw RuntimeError(ErrorNumber::ConnectionFailed,
                       "Cannot reach the translation service (WinINet error " + std::to_string(error) + ")");
}

std::string QueryText(HINTERNET request, DWORD what) {
    char buffer[512];
    DWORD size = sizeof buffer;
    DWORD index = 0;
    if (!HttpQueryInfoA(request, what, buffer, &size, &index)) return std::string();
    return std::string(buffer, size);
}

struct UrlParts {
    std::string Host;
    INTERNET_PORT Port = INTERNET_DEFAULT_HTTP_PORT;
    bool Secure = false;
    std::string PathAndQuery;
};

UrlParts CrackUrl(const std::string& url) {
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.dwUrlPathLength = 1;  // ask for pointers into the URL
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
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

// The sending and reading of one request, done on a worker thread so that
// a stalled server can be given up on: WinINet's own time-outs are not
// honoured everywhere (Wine ignores the receive time-out).
HttpReply SendAndRead(HINTERNET request, const std::string& headers) {
    if (!HttpSendRequestA(request, headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0))
        ThrowRequestError(GetLastError());
    HttpReply reply;
    reply.Status = std::atoi(QueryText(request, HTTP_QUERY_STATUS_CODE).c_str());
    if (reply.Status == 0)
        throw RuntimeError(ErrorNumber::ConnectionFailed,
                           "Cannot reach the translation service: the connection closed without an answer");
    reply.Reason = QueryText(request, HTTP_QUERY_STATUS_TEXT);
    reply.RetryAfter = QueryText(request, HTTP_QUERY_RETRY_AFTER);
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, sizeof buffer, &got)) ThrowRequestError(GetLastError());
        if (got == 0) break;
        reply.Body.append(buffer, got);
    }
    return reply;
}

class WinInetTransport : public HttpTransport {
public:
    WinInetTransport()
        : session_(InternetOpenA("Mozilla/5.0 (Windows NT 5.1; rv:9.0.1) Gecko/20100101 Firefox/9.0.1",
                                 INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
        if (session_.Get() != nullptr) {
            // Decode gzip and deflate replies (the header lines still say "*").
            BOOL decode = TRUE;
            InternetSetOptionA(session_.Get(), INTERNET_OPTION_HTTP_DECODING, &decode, sizeof decode);
        }
    }

    HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                  std::chrono::milliseconds timeout) override {
        if (session_.Get() == nullptr) ThrowRequestError(GetLastError());
        DWORD milliseconds = timeout.count() <= 0 ? 1 : static_cast<DWORD>(timeout.count());
        for (DWORD option :
             {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
            InternetSetOptionA(session_.Get(), option, &milliseconds, sizeof milliseconds);

        UrlParts parts = CrackUrl(url);
        InternetHandle connection(InternetConnectA(session_.Get(), parts.Host.c_str(), parts.Port, nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, 0, 0));
        if (connection.Get() == nullptr) ThrowRequestError(GetLastError());
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
        if (parts.Secure) flags |= INTERNET_FLAG_SECURE;
        // No accept types: the Accept line of the header block is the only one.
        InternetHandle request(
            HttpOpenRequestA(connection.Get(), "GET", parts.PathAndQuery.c_str(), nullptr, nullptr, nullptr, flags, 0));
        if (request.Get() == nullptr) ThrowRequestError(GetLastError());
        std::string headers;
        for (const std::string& line : headerLines) headers += line + "\r\n";
        return SendWithin(request, headers, timeout);
    }

private:
    static HttpReply SendWithin(InternetHandle& request, const std::string& headers,
                                std::chrono::milliseconds timeout) {
        std::mutex lock;
        std::condition_variable finished;
        bool done = false;
        HttpReply reply;
        std::exception_ptr failure;
        HINTERNET handle = request.Get();
        std::thread worker([&] {
            try {
                reply = SendAndRead(handle, headers);
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard<std::mutex> guard(lock);
            done = true;
            finished.notify_one();
        });
        bool inTime;
        {
            std::unique_lock<std::mutex> guard(lock);
            inTime = finished.wait_for(guard, timeout, [&] { return done; });
        }
        // Closing the handle makes the worker's blocking call return.
        if (!inTime) request.Close();
        worker.join();
        if (!inTime) throw RuntimeError(ErrorNumber::RequestTimedOut, "Request timed out");
        if (failure) std::rethrow_exception(failure);
        return reply;
    }

    InternetHandle session_;
};

}  // namespace

std::unique_ptr<HttpTransport> CreateSystemTransport() {
    return std::make_unique<WinInetTransport>();
}

}  // namespace tarvex
