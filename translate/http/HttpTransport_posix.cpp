// libcurl client. Each transport has its own easy handle and multi handle:
// the multi handle keeps the connection alive across the requests of a run,
// and lets Cancel wake a request that is waiting on the network. libcurl's
// own content decoding stays off; the body goes through ContentDecoder.
// http_proxy and friends are honoured by libcurl itself.

#include <curl/curl.h>

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>

#include "base/RuntimeError.h"
#include "translate/http/ContentDecoding.h"
#include "translate/http/HeaderText.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What the callbacks gather of one request. libcurl calls them from inside
// curl_multi_perform on the requesting thread; an exception must not pass
// through libcurl, so a failure is kept and the callback answers "stop".
struct RequestState {
    // Of the current response (a redirect starts a new set of headers).
    std::string Reason;
    std::string RetryAfter;
    std::string ContentEncoding;
    size_t HeaderBytes = 0;
    bool HeadersTooLarge = false;

    std::unique_ptr<ContentDecoder> Decoder;  // made at the body's first byte
    std::string Body;
    std::exception_ptr Failure;
};

size_t CollectBody(char* data, size_t size, size_t count, void* target) {
    auto* state = static_cast<RequestState*>(target);
    try {
        if (!state->Decoder) state->Decoder = std::make_unique<ContentDecoder>(state->ContentEncoding);
        state->Decoder->Feed(data, size * count, state->Body);
    } catch (...) {
        state->Failure = std::current_exception();
        return 0;
    }
    return size * count;
}

// The value of header `line` if it is named `name` (lower case, with colon).
bool HeaderValue(const std::string& line, const std::string& name, std::string& value) {
    if (line.size() < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != name[i]) return false;
    value = TrimmedBlanks(line.substr(name.size()));
    return true;
}

size_t CollectHeader(char* data, size_t size, size_t count, void* target) {
    auto* state = static_cast<RequestState*>(target);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.rfind("HTTP/", 0) == 0) {
        state->Reason.clear();
        state->RetryAfter.clear();
        state->ContentEncoding.clear();
        state->HeaderBytes = 0;
        size_t first = line.find(' ');
        size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (second != std::string::npos) state->Reason = line.substr(second + 1);
        return size * count;
    }
    state->HeaderBytes += size * count;
    if (state->HeaderBytes > kMaxHeaderBytes) {
        state->HeadersTooLarge = true;
        return 0;
    }
    std::string value;
    if (HeaderValue(line, "retry-after:", value)) {
        state->RetryAfter = value;
    } else if (HeaderValue(line, "content-encoding:", value)) {
        // Repeated headers form one list.
        state->ContentEncoding += (state->ContentEncoding.empty() ? "" : ", ") + value;
    }
    return size * count;
}

class CurlTransport : public HttpTransport {
public:
    CurlTransport() {
        InitialiseCurlOnce();
        curl_ = curl_easy_init();
        multi_ = curl_multi_init();
    }
    ~CurlTransport() override {
        if (multi_ != nullptr) curl_multi_cleanup(multi_);
        if (curl_ != nullptr) curl_easy_cleanup(curl_);
    }
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    void Cancel() override {
        cancelled_ = true;
        if (multi_ != nullptr) curl_multi_wakeup(multi_);
    }

    HttpReply Get(const std::string& url, const std::vector<std::string>& headerLines,
                  std::chrono::milliseconds timeout) override {
        HttpRequest request;
        request.Url = url;
        request.HeaderLines = headerLines;
        return Send(request, timeout);
    }

    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout) override {
        const std::string& url = request.Url;
        if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
        if (curl_ == nullptr || multi_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        RequestState state;
        struct curl_slist* list = nullptr;
        for (const std::string& line : request.HeaderLines) list = curl_slist_append(list, line.c_str());
        // libcurl would hold a larger body back for a "100 Continue" that
        // many servers never send.
        if (request.Method == "POST") list = curl_slist_append(list, "Expect:");
        struct ListFree {
            curl_slist* list;
            ~ListFree() { curl_slist_free_all(list); }
        } freeList{list};

        curl_easy_reset(curl_);
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        if (request.Method == "POST") {
            curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.Body.size()));
            curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, request.Body.data());
        } else {
            curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, list);
        curl_easy_setopt(curl_, CURLOPT_HTTP_CONTENT_DECODING, 0L);
        // libcurl would repeat a POST as a GET after a 301 or 302: a POST's
        // redirect is its reply.
        curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, request.Method == "POST" ? 0L : 1L);
        curl_easy_setopt(curl_, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
        curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
        // The time-out covers the whole exchange (connection, redirects,
        // headers and body), so a trickling server cannot stretch it.
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count() > 0 ? timeout.count() : 1));
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, CollectBody);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &state);
        curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, CollectHeader);
        curl_easy_setopt(curl_, CURLOPT_HEADERDATA, &state);

        CURLcode result = Perform();
        if (result == CURLE_OPERATION_TIMEDOUT) throw RequestTimedOutError();
        if (state.Failure) std::rethrow_exception(state.Failure);
        if (state.HeadersTooLarge) throw HeadersTooLargeError();
        if (result == CURLE_TOO_MANY_REDIRECTS) throw TooManyRedirectsError();
        if (result != CURLE_OK)
            throw RuntimeError(ErrorNumber::ConnectionFailed,
                               std::string("Cannot reach the translation service: ") + curl_easy_strerror(result));
        if (state.Decoder) state.Decoder->Finish();
        HttpReply reply;
        long status = 0;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
        reply.Status = static_cast<int>(status);
        reply.Reason = state.Reason;
        reply.RetryAfter = state.RetryAfter;
        reply.Body = std::move(state.Body);
        return reply;
    }

private:
    // Runs the easy handle to its end on this thread; Cancel wakes the wait.
    CURLcode Perform() {
        if (curl_multi_add_handle(multi_, curl_) != CURLM_OK) throw RuntimeError(ErrorNumber::OutOfMemory);
        struct Detach {
            CURLM* multi;
            CURL* easy;
            ~Detach() { curl_multi_remove_handle(multi, easy); }
        } detach{multi_, curl_};
        for (;;) {
            if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
            int running = 0;
            if (curl_multi_perform(multi_, &running) != CURLM_OK) throw RuntimeError(ErrorNumber::OutOfMemory);
            if (running == 0) break;
            curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left))
            if (message->msg == CURLMSG_DONE && message->easy_handle == curl_) return message->data.result;
        return CURLE_RECV_ERROR;
    }

    CURL* curl_ = nullptr;
    CURLM* multi_ = nullptr;
    std::atomic<bool> cancelled_{false};
};

}  // namespace

std::unique_ptr<HttpTransport> CreateSystemTransport() {
    return std::make_unique<CurlTransport>();
}

}  // namespace tarvex
