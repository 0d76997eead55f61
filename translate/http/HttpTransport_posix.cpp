// libcurl client. Each transport has its own easy handle and multi handle:
// the multi handle keeps the connection alive across the requests of a run,
// and lets Cancel wake a request that is waiting on the network. libcurl's
// own content decoding stays off; the body goes through ContentDecoder.
// Redirects are followed here, not by libcurl, which would pass on every
// header but Authorization to another server. http_proxy, https_proxy and
// no_proxy are honoured by libcurl itself, except for the loopback.

#include <curl/curl.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>

#include "base/RuntimeError.h"
#include "translate/http/CertificateFault.h"
#include "translate/http/ContentDecoding.h"
#include "translate/http/HeaderText.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpTransport.h"
#include "translate/http/Redirects.h"
#include "translate/http/UrlText.h"

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
    // Of the current response (an interim one starts a new set of headers).
    int Status = 0;
    std::string Reason;
    std::string RetryAfter;
    std::string ContentEncoding;
    size_t HeaderBytes = 0;
    bool HeadersTooLarge = false;

    std::unique_ptr<ContentDecoder> Decoder;  // made at the body's first byte
    std::string Body;
    size_t Discarded = 0;  // bytes of a redirect's body
    std::exception_ptr Failure;
};

size_t CollectBody(char* data, size_t size, size_t count, void* target) {
    auto* state = static_cast<RequestState*>(target);
    try {
        if (IsRedirect(state->Status)) {
            // Not wanted, but read to its end so the connection can be kept.
            if ((state->Discarded += size * count) > kMaxReplyBytes) throw ReplyTooLargeError();
            return size * count;
        }
        if (!state->Decoder) state->Decoder = std::make_unique<ContentDecoder>(state->ContentEncoding);
        state->Decoder->Feed(data, size * count, state->Body);
    } catch (...) {
        state->Failure = std::current_exception();
        return 0;
    }
    return size * count;
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
        state->Status = first == std::string::npos ? 0 : std::atoi(line.c_str() + first + 1);
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
    if (HeaderLineValue(line, "Retry-After", value)) {
        state->RetryAfter = value;
    } else if (HeaderLineValue(line, "Content-Encoding", value)) {
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

    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout) override {
        if (cancelled_) throw RuntimeError(ErrorNumber::UserInterrupt);
        if (curl_ == nullptr || multi_ == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
        // The time-out covers the whole exchange (connections, redirects,
        // headers and bodies), so a trickling server cannot stretch it.
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string current = request.Url;
        HttpHeaders sent(request.HeaderLines, request.SecretHeaders);
        for (int redirects = 0;; ++redirects) {
            std::string location;
            HttpReply reply = SendOne(request, current, sent.Lines, deadline, location);
            if (location.empty()) return reply;
            if (!FollowsRedirect(request, reply.Status, current, location)) return reply;
            if (redirects == kMaxRedirects) throw TooManyRedirectsError();
            KeepForRedirect(sent, current, location);
            current = location;
        }
    }

private:
    // One exchange of `request` with `url`, its redirect's target (resolved)
    // in `location`.
    HttpReply SendOne(const HttpRequest& request, const std::string& url, const std::vector<std::string>& headerLines,
                      std::chrono::steady_clock::time_point deadline, std::string& location) {
        RequestState state;
        struct curl_slist* list = nullptr;
        for (const std::string& line : headerLines) list = curl_slist_append(list, line.c_str());
        const bool post = request.Method == "POST";
        // libcurl would hold a larger body back for a "100 Continue" that
        // many servers never send.
        if (post) list = curl_slist_append(list, "Expect:");
        struct ListFree {
            curl_slist* list;
            ~ListFree() { curl_slist_free_all(list); }
        } freeList{list};

        curl_easy_reset(curl_);
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        if (post) {
            curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.Body.size()));
            curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, request.Body.data());
        } else {
            curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, list);
        curl_easy_setopt(curl_, CURLOPT_HTTP_CONTENT_DECODING, 0L);
        curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
        // A request for this computer never goes through a proxy: a key
        // allowed over plain http only because it stays here would be read
        // by the proxy and whoever sits between.
        if (IsLoopbackHost(OriginOf(url).Host)) curl_easy_setopt(curl_, CURLOPT_PROXY, "");
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, MillisecondsUntil(deadline));
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, CollectBody);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &state);
        curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, CollectHeader);
        curl_easy_setopt(curl_, CURLOPT_HEADERDATA, &state);
        // OpenSSL's words for a refused certificate tell its cause.
        char problem[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, problem);

        CURLcode result = Perform();
        if (result == CURLE_OPERATION_TIMEDOUT) throw RequestTimedOutError();
        if (state.Failure) std::rethrow_exception(state.Failure);
        if (state.HeadersTooLarge) throw HeadersTooLargeError();
        if (result == CURLE_PEER_FAILED_VERIFICATION) throw CertificateError(CertificateFaultOfTlsText(problem));
        if (result != CURLE_OK) throw UnreachableError(curl_easy_strerror(result));
        HttpReply reply;
        long status = 0;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
        reply.Status = static_cast<int>(status);
        const char* target = nullptr;
        if (IsRedirect(reply.Status) && curl_easy_getinfo(curl_, CURLINFO_REDIRECT_URL, &target) == CURLE_OK &&
            target != nullptr) {
            location = target;
            return reply;
        }
        if (state.Decoder) state.Decoder->Finish();
        reply.Reason = state.Reason;
        reply.RetryAfter = state.RetryAfter;
        reply.Body = std::move(state.Body);
        return reply;
    }

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
