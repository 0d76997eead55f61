#include "translate/BatchPlan.h"

#include <algorithm>

#include "base/TextTrim.h"

namespace tarvex {

namespace {

size_t TextBytes(const BlockRequest& request) {
    size_t bytes = 0;
    for (const std::string& line : request.Lines) bytes += line.size() + 1;
    return bytes;
}

}  // namespace

bool HasText(const BlockRequest& request) {
    return std::any_of(request.Lines.begin(), request.Lines.end(),
                       [](const std::string& line) { return !TrimSpaces(line).empty(); });
}

std::vector<RequestBatch> PlanBatches(const BlockPlan& plan, size_t first, const ServiceLimits& limits) {
    std::vector<RequestBatch> batches;
    RequestBatch current{first, 0};
    size_t blocks = 0;
    size_t bytes = 0;
    const size_t mostBlocks = std::max<size_t>(1, limits.MostBlocks);
    for (size_t index = first; index < plan.Requests.size(); ++index) {
        const BlockRequest& request = plan.Requests[index];
        const bool counted = limits.SendsEmptyBlocks || HasText(request);
        const size_t size = counted ? TextBytes(request) : 0;
        if (counted && blocks > 0 && (blocks + 1 > mostBlocks || bytes + size > limits.MostBytes)) {
            batches.push_back(current);
            current = RequestBatch{index, 0};
            blocks = 0;
            bytes = 0;
        }
        ++current.Count;
        if (counted) {
            ++blocks;
            bytes += size;
        }
    }
    if (current.Count > 0) batches.push_back(current);
    return batches;
}

}  // namespace tarvex
