#include "support/ConcurrentService.h"

#include <atomic>

#include "base/RuntimeError.h"
#include "support/ScriptedTransport.h"

namespace tarvex::test {

class ConcurrentTransport : public HttpTransport {
public:
    explicit ConcurrentTransport(ConcurrentService& service) : service_(service) {}

    HttpReply Get(const std::string& url, const HttpHeaders&, std::chrono::milliseconds) override {
        const std::vector<std::string> lines = SentLines(url);
        size_t number = 0;
        {
            std::lock_guard<std::mutex> lock(service_.mutex_);
            number = service_.FirstLines.size() + 1;
            service_.FirstLines.push_back(lines.empty() ? "" : lines.front());
            service_.MostInFlight = std::max(service_.MostInFlight, ++service_.inFlight_);
            service_.InFlightAtStart.push_back(service_.inFlight_);
        }
        std::unique_lock<std::mutex> wait(mutex_);
        const bool cancelled = woken_.wait_for(wait, service_.Delay(number), [&] { return cancelled_.load(); });
        wait.unlock();
        std::lock_guard<std::mutex> lock(service_.mutex_);
        --service_.inFlight_;
        if (cancelled) throw RuntimeError(ErrorNumber::UserInterrupt);
        HttpReply reply;
        reply.Status = service_.Status(number);
        reply.RetryAfter = service_.RetryAfter;
        reply.Body = reply.Status == 200 ? ServiceReply(lines) : "busy";
        return reply;
    }

    void Cancel() override {
        cancelled_ = true;
        std::lock_guard<std::mutex> lock(mutex_);
        woken_.notify_all();
    }

private:
    ConcurrentService& service_;
    std::mutex mutex_;
    std::condition_variable woken_;
    std::atomic<bool> cancelled_{false};
};

void ConcurrentService::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    Delay = [](size_t) { return std::chrono::milliseconds(0); };
    Status = [](size_t) { return 200; };
    RetryAfter.clear();
    MostInFlight = 0;
    InFlightAtStart.clear();
    FirstLines.clear();
    Connections = 0;
}

std::unique_ptr<HttpTransport> ConcurrentService::NewTransport() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++Connections;
    return std::make_unique<ConcurrentTransport>(*this);
}

}  // namespace tarvex::test
