#include "sync/FitMeasure.h"

#include <algorithm>

#include "sync/Coverage.h"

namespace tarvex::sync {

namespace {

// Below these the fit is too close to chance to write without asking.
constexpr double kTrustedConfidence = 0.35;
constexpr double kTrustedMatchedShare = 0.6;
constexpr double kMatchedShare = 1.0 / 3.0;

}  // namespace

FitMeasure MeasureFit(const std::vector<TimeSpan>& input, const std::vector<TimeSpan>& merged, const TimeMap& map) {
    FitMeasure fit;
    fit.CuesTotal = static_cast<int32_t>(input.size());
    if (merged.empty()) return fit;
    const double extentStart = static_cast<double>(merged.front().Start);
    const double extentEnd = static_cast<double>(merged.back().End);
    double coveredTotal = 0.0;
    for (const TimeSpan& span : merged) coveredTotal += static_cast<double>(span.Length());
    const double density = coveredTotal / std::max(1.0, extentEnd - extentStart);

    double judgedLength = 0.0;
    double judgedCovered = 0.0;
    int32_t judged = 0;
    int32_t judgedMatched = 0;
    for (const TimeSpan& cue : input) {
        const double start = map.ApplyExact(static_cast<double>(cue.Start));
        const double end = map.ApplyExact(static_cast<double>(cue.End));
        const double covered = CoveredMs(merged, start, end);
        const bool matched =
            end > start ? covered >= kMatchedShare * (end - start) : CoveredMs(merged, start - 1, start) > 0;
        if (matched) ++fit.CuesMatched;
        if (start < extentStart || end > extentEnd) continue;
        ++judged;
        if (matched) ++judgedMatched;
        judgedLength += std::max(0.0, end - start);
        judgedCovered += covered;
    }
    if (judged == 0 || judgedLength <= 0.0 || density >= 1.0) return fit;
    const double share = judgedCovered / judgedLength;
    fit.Confidence = std::clamp((share - density) / (1.0 - density), 0.0, 1.0);
    fit.Trusted = fit.Confidence >= kTrustedConfidence &&
                  static_cast<double>(judgedMatched) >= kTrustedMatchedShare * static_cast<double>(judged);
    return fit;
}

}  // namespace tarvex::sync
