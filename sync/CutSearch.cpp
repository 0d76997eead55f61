#include "sync/CutSearch.h"

#include <algorithm>
#include <cmath>

#include "base/RuntimeError.h"

namespace tarvex::sync {

namespace {

constexpr int64_t kGridMs = 100;
// Cues times offsets: one bit each to find the way back (8 MB).
constexpr size_t kMostChoices = size_t{64} << 20;

}  // namespace

std::vector<Piece> FindPieces(const std::vector<Cue>& cues, const Coverage& coverage, double speed, int64_t maxOffsetMs,
                              double around, double penalty, const AlignProgress& progress, const StopRequest& stop) {
    const size_t n = cues.size();
    if (n == 0) return {};
    const int64_t halfWidth = std::min<int64_t>(maxOffsetMs, static_cast<int64_t>(kMostChoices / n / 2) * kGridMs);
    const int64_t center = std::clamp<int64_t>(std::llround(around / kGridMs) * kGridMs, -maxOffsetMs, maxOffsetMs);
    const int64_t lowest = std::max(-(maxOffsetMs / kGridMs) * kGridMs, center - halfWidth / kGridMs * kGridMs);
    const int64_t highest = std::min((maxOffsetMs / kGridMs) * kGridMs, center + halfWidth / kGridMs * kGridMs);
    const size_t offsets = static_cast<size_t>((highest - lowest) / kGridMs + 1);

    // The running sum sampled on the grid, so that one cue's score at every
    // offset is a difference of two contiguous runs.
    double earliest = cues.front().Start * speed;
    double latest = 0.0;
    for (const Cue& cue : cues) latest = std::max(latest, cue.End * speed);
    const int64_t from = static_cast<int64_t>(std::floor(earliest / kGridMs)) * kGridMs + lowest - 2 * kGridMs;
    const size_t count = static_cast<size_t>((static_cast<int64_t>(latest) - from) / kGridMs) + offsets + 4;
    const std::vector<double> sampled = coverage.Sampled(from, kGridMs, count);
    auto indexOf = [&](double at) {
        return static_cast<size_t>(std::llround((at + static_cast<double>(lowest - from)) / kGridMs));
    };

    const size_t words = (offsets + 63) / 64;
    std::vector<uint64_t> jumped(n * words, 0);  // per cue and offset: came by a cut
    std::vector<size_t> bestBefore(n, 0);        // per cue: the previous cue's best offset
    std::vector<double> previous(offsets), current(offsets);
    {
        const double* ends = sampled.data() + indexOf(cues[0].End * speed);
        const double* heads = sampled.data() + indexOf(cues[0].HeadEnd * speed);
        const double* starts = sampled.data() + indexOf(cues[0].Start * speed);
        for (size_t j = 0; j < offsets; ++j) previous[j] = ends[j] + heads[j] - 2 * starts[j];
    }
    for (size_t i = 1; i < n; ++i) {
        if ((i & 31) == 0) {
            if (stop && stop()) throw RuntimeError(ErrorNumber::UserInterrupt);
            if (progress) progress(static_cast<double>(i) / static_cast<double>(n));
        }
        const size_t best = static_cast<size_t>(std::max_element(previous.begin(), previous.end()) - previous.begin());
        bestBefore[i] = best;
        const double viaCut = previous[best] - penalty;
        const double* ends = sampled.data() + indexOf(cues[i].End * speed);
        const double* heads = sampled.data() + indexOf(cues[i].HeadEnd * speed);
        const double* starts = sampled.data() + indexOf(cues[i].Start * speed);
        uint64_t* row = jumped.data() + i * words;
        for (size_t word = 0; word < words; ++word) {
            uint64_t bits = 0;
            const size_t stopAt = std::min(offsets, (word + 1) * 64);
            for (size_t j = word * 64; j < stopAt; ++j) {
                const bool cut = viaCut > previous[j];
                current[j] = (cut ? viaCut : previous[j]) + (ends[j] + heads[j] - 2 * starts[j]);
                bits |= static_cast<uint64_t>(cut) << (j - word * 64);
            }
            row[word] = bits;
        }
        std::swap(previous, current);
    }

    std::vector<size_t> chosen(n);
    size_t at = static_cast<size_t>(std::max_element(previous.begin(), previous.end()) - previous.begin());
    for (size_t i = n; i-- > 0;) {
        chosen[i] = at;
        if (i > 0 && (jumped[i * words + at / 64] >> (at % 64)) & 1) at = bestBefore[i];
    }
    std::vector<Piece> pieces;
    for (size_t i = 0; i < n; ++i) {
        const double offset = static_cast<double>(lowest + static_cast<int64_t>(chosen[i]) * kGridMs);
        if (pieces.empty() || pieces.back().Offset != offset) pieces.push_back({i, i, offset});
        pieces.back().Last = i + 1;
    }
    return pieces;
}

}  // namespace tarvex::sync
