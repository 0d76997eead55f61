#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "base/RuntimeError.h"
#include "support/ScriptedTransport.h"
#include "translate/RateGate.h"
#include "translate/RequestPool.h"
#include "translate/http/HttpTransport.h"
#include "translate/services/ServiceFactory.h"
#include "translate/services/WebEndpoint.h"

namespace tarvex {
namespace {

using Clock = std::chrono::steady_clock;

// A connection whose request waits for Cancel, or for its whole time-out.
class StallingTransport : public HttpTransport {
public:
    HttpReply Get(const std::string&, const HttpHeaders&, std::chrono::milliseconds timeout) override {
        std::unique_lock<std::mutex> lock(mutex_);
        waiting_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, timeout, [&] { return cancelled_; });
        throw RuntimeError(cancelled_ ? ErrorNumber::UserInterrupt : ErrorNumber::RequestTimedOut);
    }
    void Cancel() override {
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_ = true;
        changed_.notify_all();
    }
    void AwaitRequest() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(10), [&] { return waiting_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool waiting_ = false;
    bool cancelled_ = false;
};

// A request waiting for its turn behind another still gets its whole
// time-out once it is sent.
TEST(SendWithRetries, TheTimeOutStartsWhenTheRequestIsSent) {
    using std::chrono::milliseconds;
    RateGate gate(1, [](milliseconds) {});
    const uint64_t other = gate.Enter(Clock::now() + std::chrono::seconds(10));
    test::ScriptedTransport transport;
    ConnectionSettings settings{.Timeout = std::chrono::seconds(2), .Jobs = 1};
    HttpRequest request;
    request.Url = "http://127.0.0.1/translate_a/t?client=t&text=a";
    std::thread waiting([&] { SendWithRetries(request, VerdictByStatus, settings, transport, &gate); });
    std::this_thread::sleep_for(milliseconds(600));  // the other request's exchange
    gate.Leave(other, false, {});
    waiting.join();
    ASSERT_EQ(transport.Timeouts.size(), 1u);
    EXPECT_GT(transport.Timeouts[0], milliseconds(1800));
}

TEST(RequestPool, StoppingCancelsEveryConnectionBeforeWaitingForIt) {
    BlockPlan plan;
    plan.Requests = {{{"one"}, 3}, {{"two"}, 7}};
    std::vector<StallingTransport*> made;
    ConnectionSettings service{.Host = "h", .Timeout = std::chrono::seconds(20), .Jobs = 2, .NewTransport = [&] {
                                   auto transport = std::make_unique<StallingTransport>();
                                   made.push_back(transport.get());
                                   return std::unique_ptr<HttpTransport>(std::move(transport));
                               }};
    Clock::time_point stopped;
    {
        ServiceInUse services(MakeService({.Host = "h", .SourceLanguage = "en", .TargetLanguage = "id"}));
        RequestPool pool(plan, 0, services, service);
        ASSERT_EQ(made.size(), 2u);
        for (StallingTransport* transport : made) transport->AwaitRequest();
        stopped = Clock::now();
    }
    EXPECT_LT(Clock::now() - stopped, std::chrono::seconds(2));
}

}  // namespace
}  // namespace tarvex
