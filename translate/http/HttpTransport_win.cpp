// WinINet client. The session is opened with the system's preconfigured
// proxy (the Internet Settings), and WinINet keeps the server connection
// alive between the requests of one session.

#include <windows.h>
#include <wininet.h>

#include "app/RuntimeError.h"
#include "translate/TranslateErrors.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

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
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT})
            InternetSetOptionA(session_.Get(), option, &milliseconds, sizeof milliseconds);

        std::string headers;
        for (const std::string& line : headerLines) headers += line + "\r\n";
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                            INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
        InternetHandle request(InternetOpenUrlA(session_.Get(), url.c_str(), headers.c_str(),
                                                static_cast<DWORD>(headers.size()), flags, 0));
        if (request.Get() == nullptr) ThrowRequestError(GetLastError());

        HttpReply reply;
        reply.Status = std::atoi(QueryText(request.Get(), HTTP_QUERY_STATUS_CODE).c_str());
        reply.Reason = QueryText(request.Get(), HTTP_QUERY_STATUS_TEXT);
        reply.RetryAfter = QueryText(request.Get(), HTTP_QUERY_RETRY_AFTER);
        char buffer[16384];
        for (;;) {
            DWORD got = 0;
            if (!InternetReadFile(request.Get(), buffer, sizeof buffer, &got)) ThrowRequestError(GetLastError());
            if (got == 0) break;
            reply.Body.append(buffer, got);
        }
        return reply;
    }

private:
    InternetHandle session_;
};

}  // namespace

std::unique_ptr<HttpTransport> CreateSystemTransport() { return std::make_unique<WinInetTransport>(); }

}  // namespace tarvex
