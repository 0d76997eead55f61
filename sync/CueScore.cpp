#include "sync/CueScore.h"

#include <algorithm>
#include <cmath>

namespace tarvex::sync {

Cue CueOf(double start, double end) {
    return {start, end, std::min(end, start + kHeadMs)};
}

double ScoreCues(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double offset) {
    double score = 0.0;
    for (const Cue* cue = begin; cue != end; ++cue) {
        const double start = coverage.At(cue->Start * speed + offset);
        score += coverage.At(cue->End * speed + offset) + coverage.At(cue->HeadEnd * speed + offset) - 2 * start;
    }
    return score;
}

OffsetFit BestOffset(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double center,
                     double halfWidth, double step) {
    const int steps = static_cast<int>(std::floor(halfWidth / step));
    std::vector<double> scores(static_cast<size_t>(2 * steps + 1));
    size_t best = 0;
    for (size_t i = 0; i < scores.size(); ++i) {
        scores[i] = ScoreCues(coverage, begin, end, speed, center + (static_cast<double>(i) - steps) * step);
        if (scores[i] > scores[best]) best = i;
    }
    // Within a hair of the best counts as the same plateau.
    const double tolerance = 1e-3 * std::fabs(scores[best]) + 1e-9;
    size_t low = best;
    size_t high = best;
    while (low > 0 && scores[low - 1] >= scores[best] - tolerance) --low;
    while (high + 1 < scores.size() && scores[high + 1] >= scores[best] - tolerance) ++high;
    const double middle = (static_cast<double>(low + high) / 2.0 - steps) * step + center;
    return {middle, ScoreCues(coverage, begin, end, speed, middle)};
}

double Significance(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double offset,
                    double spreadMs) {
    // An odd step, so that no rhythm of the cues lines up with it.
    constexpr int kSamples = 160;
    const double step = std::max(2.0 * spreadMs / kSamples, 1370.0);
    double sum = 0.0;
    double squares = 0.0;
    for (int i = 0; i < kSamples; ++i) {
        const double score = ScoreCues(coverage, begin, end, speed, offset + (i - kSamples / 2) * step + 0.37 * step);
        sum += score;
        squares += score * score;
    }
    const double mean = sum / kSamples;
    const double deviation = std::sqrt(std::max(1e-9, squares / kSamples - mean * mean));
    return (ScoreCues(coverage, begin, end, speed, offset) - mean) / deviation;
}

}  // namespace tarvex::sync
