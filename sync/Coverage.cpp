#include "sync/Coverage.h"

#include <algorithm>
#include <cmath>

namespace tarvex::sync {

std::vector<TimeSpan> MergeSpans(std::vector<TimeSpan> spans) {
    std::sort(spans.begin(), spans.end(), [](const TimeSpan& a, const TimeSpan& b) { return a.Start < b.Start; });
    std::vector<TimeSpan> merged;
    for (const TimeSpan& span : spans) {
        if (span.End <= span.Start) continue;
        if (!merged.empty() && span.Start <= merged.back().End) {
            merged.back().End = std::max(merged.back().End, span.End);
        } else {
            merged.push_back(span);
        }
    }
    return merged;
}

double CoveredMs(const std::vector<TimeSpan>& merged, double a, double b) {
    if (!(b > a)) return 0.0;
    auto it = std::upper_bound(merged.begin(), merged.end(), a,
                               [](double time, const TimeSpan& span) { return time < static_cast<double>(span.End); });
    double covered = 0.0;
    for (; it != merged.end() && static_cast<double>(it->Start) < b; ++it)
        covered += std::min(b, static_cast<double>(it->End)) - std::max(a, static_cast<double>(it->Start));
    return covered;
}

Coverage::Coverage(const std::vector<TimeSpan>& merged, int64_t fromMs, int64_t toMs) {
    origin_ = fromMs - fromMs % kBinMs - (fromMs % kBinMs < 0 ? kBinMs : 0);
    const size_t bins = static_cast<size_t>((std::max(toMs, origin_) - origin_) / kBinMs + 2);
    extentStart_ = merged.front().Start;
    extentEnd_ = merged.back().End;
    int64_t covered = 0;
    for (const TimeSpan& span : merged) covered += span.Length();
    density_ = static_cast<double>(covered) / static_cast<double>(std::max<int64_t>(1, extentEnd_ - extentStart_));

    // Each bin's share covered, then less the density where the reference
    // lies; partial bins at the spans' edges get their exact share.
    std::vector<double> signal(bins, 0.0);
    auto add = [&](int64_t start, int64_t end, double weight) {
        start = std::max(start, origin_);
        end = std::min(end, origin_ + static_cast<int64_t>(bins) * kBinMs);
        for (int64_t at = start; at < end;) {
            const int64_t bin = (at - origin_) / kBinMs;
            const int64_t binEnd = origin_ + (bin + 1) * kBinMs;
            const int64_t stop = std::min(end, binEnd);
            signal[static_cast<size_t>(bin)] += weight * static_cast<double>(stop - at) / kBinMs;
            at = stop;
        }
    };
    for (const TimeSpan& span : merged) add(span.Start, span.End, 1.0);
    add(extentStart_, extentEnd_, -density_);
    sum_.assign(bins + 1, 0.0);
    for (size_t i = 0; i < bins; ++i) sum_[i + 1] = sum_[i] + signal[i];
}

double Coverage::At(double ms) const {
    const double position = (ms - static_cast<double>(origin_)) / kBinMs;
    if (!(position > 0.0)) return 0.0;
    const double last = static_cast<double>(sum_.size() - 1);
    if (position >= last) return sum_.back();
    const size_t bin = static_cast<size_t>(position);
    const double fraction = position - static_cast<double>(bin);
    return sum_[bin] + fraction * (sum_[bin + 1] - sum_[bin]);
}

std::vector<double> Coverage::Sampled(int64_t fromMs, int64_t stepMs, size_t count) const {
    std::vector<double> samples(count);
    for (size_t i = 0; i < count; ++i) samples[i] = At(static_cast<double>(fromMs + static_cast<int64_t>(i) * stepMs));
    return samples;
}

}  // namespace tarvex::sync
