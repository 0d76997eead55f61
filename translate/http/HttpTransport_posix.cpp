// libcurl client. One easy handle per transport keeps the connection alive
// across the requests of a run; http_proxy and friends are honoured by
// libcurl itself.

#include <curl/curl.h>

#include <mutex>

#include "base/RuntimeError.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The body as libcurl decodes it, piece by piece; answering less than was
// given makes libcurl stop, so a reply past the limit is never held whole.
struct BodyState {
    std::string Body;
    bool TooLarge = false;
};

size_t CollectBody(char* data, size_t size, size_t count, void* target) {
    auto* state = static_cast<BodyState*>(target);
    if (AppendWithinLimit(state->Body, data, size * count)) return size * count;
    state->TooLarge = true;
    return 0;
}

// Keeps the status line's reason and Retry-After of the final response
// (a redirect starts a new set of headers), and how much header text the
// current response has sent.
struct HeaderState {
    std::string Reason;
    std::string RetryAfter;
    size_t Bytes = 0;
    bool TooLarge = false;
};

size_t CollectHeader(char* data, size_t size, size_t count, void* target) {
    auto* state = static_cast<HeaderState*>(target);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.rfind("HTTP/", 0) == 0) {
        state->Reason.clear();
        state->RetryAfter.clear();
        state->Bytes = 0;
        size_t first = line.find(' ');
        size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (second != std::string::npos) state->Reason = line.substr(second + 1);
        return size * count;
    }
    state->Bytes += size * count;
    if (state->Bytes > kMaxHeaderBytes) {
        state->TooLarge = true;
        return 0;
    }
    const std::string name = "retry-after:";
    if (line.size() > name.size()) {
        std::string head = line.substr(0, name.size());
        for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (head == name) {
            std::string value = line.substr(name.size());
            size_t begin = value.find_first_not_of(" \t");
            state->RetryAfter = begin == std::string::npos ? "" : value.substr(begin);
        }
    }
    return size * count;
}

class CurlTransport : public HttpTransport {
public:
    CurlTransport() {
        InitialiseCurlOnce();
        curl_ = curl_easy_init();
    }
    ~CurlTransport() override {
        if (curl_ != nullptr) curl_easy_cleanup(curl_);
    }
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                  std::chrono::milliseconds timeout) override {
        if (curl_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        HttpReply reply;
        BodyState body;
        HeaderState headers;
        struct curl_slist* list = nullptr;
        for (const std::string& line : headerLines) list = curl_slist_append(list, line.c_str());
        struct ListFree {
            curl_slist* list;
            ~ListFree() { curl_slist_free_all(list); }
        } freeList{list};

        curl_easy_reset(curl_);
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, list);
        // Decode gzip and deflate; the header lines above still decide what
        // Accept-Encoding says, as custom headers replace libcurl's own.
        curl_easy_setopt(curl_, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl_, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
        curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count() > 0 ? timeout.count() : 1));
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, CollectBody);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &body);
        curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, CollectHeader);
        curl_easy_setopt(curl_, CURLOPT_HEADERDATA, &headers);

        // The time-out covers the whole exchange (connection, redirects,
        // headers and body), so a trickling server cannot stretch it.
        CURLcode result = curl_easy_perform(curl_);
        if (result == CURLE_OPERATION_TIMEDOUT) throw RequestTimedOutError();
        if (body.TooLarge) throw ReplyTooLargeError();
        if (headers.TooLarge) throw HeadersTooLargeError();
        if (result == CURLE_TOO_MANY_REDIRECTS) throw TooManyRedirectsError();
        if (result != CURLE_OK)
            throw RuntimeError(ErrorNumber::ConnectionFailed,
                               std::string("Cannot reach the translation service: ") + curl_easy_strerror(result));
        long status = 0;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
        reply.Status = static_cast<int>(status);
        reply.Reason = headers.Reason;
        reply.RetryAfter = headers.RetryAfter;
        reply.Body = std::move(body.Body);
        return reply;
    }

private:
    CURL* curl_ = nullptr;
};

}  // namespace

std::unique_ptr<HttpTransport> CreateSystemTransport() {
    return std::make_unique<CurlTransport>();
}

}  // namespace tarvex
