#include "sync/CueScore.h"

#include <cmath>

namespace tarvex::sync {

double ScoreCues(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double offset) {
    double score = 0.0;
    for (const Cue* cue = begin; cue != end; ++cue)
        score += coverage.At(cue->End * speed + offset) - coverage.At(cue->Start * speed + offset);
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

}  // namespace tarvex::sync
