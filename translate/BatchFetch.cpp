#include "translate/BatchFetch.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace tarvex {

std::shared_ptr<const Service> ServiceInUse::Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

std::shared_ptr<const Service> ServiceInUse::TurnAway(const std::shared_ptr<const Service>& used, int status) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Another worker may have switched already.
    if (current_ != used) return current_;
    if (answered_) return nullptr;
    std::shared_ptr<const Service> next = used->Fallback(status);
    if (!next) return nullptr;
    note_ = used->Name() + " refused (HTTP " + std::to_string(status) + "): translated with " + next->Name();
    current_ = next;
    return current_;
}

void ServiceInUse::Answered() {
    std::lock_guard<std::mutex> lock(mutex_);
    answered_ = true;
}

std::string ServiceInUse::Note() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return note_;
}

namespace {

class BatchAsker {
public:
    BatchAsker(const BlockPlan& plan, const RequestBatch& batch, ServiceInUse& services, ConnectionSettings& settings,
               HttpTransport& transport, RateGate* gate)
        : plan_(plan), batch_(batch), services_(services), settings_(settings), transport_(transport), gate_(gate) {}

    std::vector<BlockTranslation> Run() {
        std::vector<BlockTranslation> results(batch_.Count);
        std::vector<size_t> asked;
        for (size_t index = batch_.First; index < batch_.First + batch_.Count; ++index) asked.push_back(index);
        Ask(asked, results);
        return results;
    }

private:
    // Up to `most` blocks with text on each side of the requests asked.
    BatchContext ContextOf(const std::vector<size_t>& asked, size_t most) const {
        BatchContext context;
        for (size_t index = asked.front(); index > 0 && context.Before.size() < most;)
            if (HasText(plan_.Requests[--index]))
                context.Before.insert(context.Before.begin(), plan_.Requests[index].Lines);
        for (size_t index = asked.back() + 1; index < plan_.Requests.size() && context.After.size() < most; ++index)
            if (HasText(plan_.Requests[index])) context.After.push_back(plan_.Requests[index].Lines);
        return context;
    }

    void Split(const std::vector<size_t>& asked, std::vector<BlockTranslation>& results) {
        const auto half = asked.begin() + static_cast<std::ptrdiff_t>(asked.size() / 2);
        Ask(std::vector<size_t>(asked.begin(), half), results);
        Ask(std::vector<size_t>(half, asked.end()), results);
    }

    void Ask(const std::vector<size_t>& given, std::vector<BlockTranslation>& results) {
        const std::shared_ptr<const Service> service = services_.Current();
        // The batch was planned by the rules of the service first asked; the
        // one asked now, its fallback perhaps, has its own.
        const ServiceLimits limits = service->Limits();
        std::vector<size_t> asked;
        for (size_t index : given) {
            const BlockRequest& request = plan_.Requests[index];
            if (limits.SendsEmptyBlocks || HasText(request)) {
                asked.push_back(index);
            } else {
                results[index - batch_.First] = FitLines({}, request.Lines);
            }
        }
        if (asked.empty()) return;
        if (asked.size() > std::max<size_t>(1, limits.MostBlocks)) return Split(asked, results);
        std::vector<BlockLines> blocks;
        for (size_t index : asked) blocks.push_back(plan_.Requests[index].Lines);
        HttpRequest request;
        try {
            request = service->Build(blocks, ContextOf(asked, service->Limits().ContextBlocks));
        } catch (const RuntimeError& error) {
            if (error.Number() != ErrorNumber::BlockTooLong) throw;
            if (asked.size() > 1) return Split(asked, results);
            throw RuntimeError(error.Number(), "Block at line " + std::to_string(plan_.Requests[asked[0]].BlockLine) +
                                                   " " + kTooLongForOneRequest);
        }
        HttpReply reply;
        try {
            reply = SendWithRetries(
                request, [&](const HttpReply& answer) { return service->Classify(answer); }, settings_, transport_,
                gate_);
        } catch (const RefusedReply& refusal) {
            if (services_.TurnAway(service, refusal.Status())) return Ask(asked, results);
            throw;
        }
        std::vector<BlockLines> lines;
        try {
            lines = service->Read(reply, blocks.size());
        } catch (const RuntimeError& error) {
            if (error.Number() == ErrorNumber::BatchMismatch && asked.size() > 1) return Split(asked, results);
            throw;
        }
        if (lines.size() != blocks.size()) {
            if (asked.size() > 1) return Split(asked, results);
            throw RuntimeError(ErrorNumber::BatchMismatch, service->Name() + ": the answer did not keep the blocks");
        }
        services_.Answered();
        for (size_t at = 0; at < asked.size(); ++at)
            results[asked[at] - batch_.First] = FitLines(std::move(lines[at]), blocks[at]);
    }

    const BlockPlan& plan_;
    const RequestBatch& batch_;
    ServiceInUse& services_;
    ConnectionSettings& settings_;
    HttpTransport& transport_;
    RateGate* gate_;
};

}  // namespace

std::vector<BlockTranslation> FetchBatch(const BlockPlan& plan, const RequestBatch& batch, ServiceInUse& services,
                                         ConnectionSettings& settings, HttpTransport& transport, RateGate* gate) {
    return BatchAsker(plan, batch, services, settings, transport, gate).Run();
}

}  // namespace tarvex
