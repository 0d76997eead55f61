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

RequestPool::RequestPool(const BlockPlan& plan, size_t first, ServiceInUse& services, TranslationService& settings)
    : plan_(plan),
      services_(services),
      service_(settings),
      batches_(PlanBatches(plan, first, services.Current()->Limits())),
      gate_(std::clamp(settings.Jobs, 1, kMostJobs), settings.Pause),
      slots_(plan.Requests.size()),
      taken_(first),
      failedAt_(plan.Requests.size()) {
    const size_t remaining = batches_.size();
    // Connections of the pool's own, which it may cancel when it stops;
    // without a source of them, the caller's one, left as it is.
    const size_t jobs =
        settings.NewTransport ? std::min<size_t>(std::clamp(settings.Jobs, 1, kMostJobs), remaining) : 1;
    if (!settings.NewTransport) transports_.push_back(&settings.Transport);
    while (transports_.size() < jobs) {
        ownTransports_.push_back(settings.NewTransport());
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

void RequestPool::Work(HttpTransport& transport) {
    // Counted in blocks, so a service that takes many blocks a request still
    // has as many requests under way.
    const size_t ahead = kAheadPerJob * static_cast<size_t>(std::clamp(service_.Jobs, 1, kMostJobs)) *
                         std::max<size_t>(1, services_.Current()->Limits().MostBlocks);
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            auto startable = [&] { return next_ >= batches_.size() || batches_[next_].First < taken_ + ahead; };
            changed_.wait(lock, [&] { return stopping_ || startable(); });
            if (stopping_ || next_ >= batches_.size() || batches_[next_].First > failedAt_) return;
            index = next_++;
        }
        const RequestBatch& batch = batches_[index];
        std::vector<BlockTranslation> translations;
        std::exception_ptr failure;
        try {
            translations = FetchBatch(plan_, batch, services_, service_, transport, &gate_);
            gate_.BlockSucceeded();
        } catch (const std::bad_alloc&) {
            failure = std::make_exception_ptr(RuntimeError(ErrorNumber::OutOfMemory));
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (failure) failedAt_ = std::min(failedAt_, batch.First);
            for (size_t at = 0; at < batch.Count; ++at) {
                Slot& slot = slots_[batch.First + at];
                slot.Done = true;
                slot.Failure = failure;
                if (!failure) slot.Translation = std::move(translations[at]);
            }
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
