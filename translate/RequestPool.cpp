#include "translate/RequestPool.h"

#include <algorithm>

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

// How far the workers may run ahead of the writer: enough to keep every
// connection busy, little enough that a failing block wastes few requests.
constexpr size_t kAheadPerJob = 8;

}  // namespace

RequestPool::RequestPool(const BlockPlan& plan, size_t first, const std::string& sourceCode,
                         const std::string& targetCode, TranslationService& service)
    : plan_(plan),
      source_(sourceCode),
      target_(targetCode),
      service_(service),
      headers_(HeaderLines(BuildHeaderBlock(service.Host))),
      gate_(std::clamp(service.Jobs, 1, kMostJobs), service.Pause),
      slots_(plan.Requests.size()),
      next_(first),
      taken_(first),
      failedAt_(plan.Requests.size()) {
    const size_t remaining = plan.Requests.size() - std::min(first, plan.Requests.size());
    // Connections of the pool's own, which it may cancel when it stops;
    // without a source of them, the caller's one, left as it is.
    const size_t jobs = service.NewTransport ? std::min<size_t>(std::clamp(service.Jobs, 1, kMostJobs), remaining) : 1;
    if (!service.NewTransport) transports_.push_back(&service.Transport);
    while (transports_.size() < jobs) {
        ownTransports_.push_back(service.NewTransport());
        transports_.push_back(ownTransports_.back().get());
    }
    try {
        for (size_t index = 0; index < jobs && index < remaining; ++index)
            workers_.emplace_back([this, transport = transports_[index]] { Work(*transport); });
    } catch (const std::system_error&) {
        if (workers_.empty()) throw RuntimeError(ErrorNumber::OutOfMemory);
    }
}

RequestPool::~RequestPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    gate_.Stop();
    for (const std::unique_ptr<HttpTransport>& transport : ownTransports_) transport->Cancel();
    for (std::thread& worker : workers_) worker.join();
}

BlockTranslation RequestPool::Fetch(size_t index, HttpTransport& transport) {
    const BlockRequest& request = plan_.Requests[index];
    try {
        const std::string url = BlockRequestUrl(request.Lines, source_, target_, service_.Host);
        BlockTranslation translation = FetchTranslation(request.Lines, url, headers_, service_, transport, &gate_);
        gate_.BlockSucceeded();
        return translation;
    } catch (const RuntimeError& error) {
        if (error.Number() != ErrorNumber::BlockTooLong) throw;
        throw RuntimeError(error.Number(),
                           "Block at line " + std::to_string(request.BlockLine) + " " + kTooLongForOneRequest);
    }
}

void RequestPool::Work(HttpTransport& transport) {
    const size_t ahead = kAheadPerJob * static_cast<size_t>(std::clamp(service_.Jobs, 1, kMostJobs));
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || next_ >= slots_.size() || next_ < taken_ + ahead; });
            if (stopping_ || next_ >= slots_.size() || next_ > failedAt_) return;
            index = next_++;
        }
        Slot result;
        try {
            result.Translation = Fetch(index, transport);
        } catch (const std::bad_alloc&) {
            result.Failure = std::make_exception_ptr(RuntimeError(ErrorNumber::OutOfMemory));
        } catch (...) {
            result.Failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            result.Done = true;
            if (result.Failure) failedAt_ = std::min(failedAt_, index);
            slots_[index] = std::move(result);
        }
        changed_.notify_all();
    }
}

BlockTranslation RequestPool::Take(size_t index) {
    auto take = [&] {
        Slot& slot = slots_[index];
        taken_ = index + 1;
        changed_.notify_all();
        if (slot.Failure) std::rethrow_exception(slot.Failure);
        return std::move(slot.Translation);
    };
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (slots_[index].Done) return take();
    }
    service_.RunBlocking([&] {
        std::unique_lock<std::mutex> lock(mutex_);
        // Woken now and then to notice Ctrl+C while a request is slow.
        while (!changed_.wait_for(lock, std::chrono::milliseconds(100), [&] { return slots_[index].Done; }))
            StopIfInterrupted();
    });
    std::lock_guard<std::mutex> lock(mutex_);
    return take();
}

}  // namespace tarvex
