#include "sync/Alignment.h"

#include <algorithm>
#include <cmath>

#include "base/RuntimeError.h"
#include "sync/Coverage.h"
#include "sync/CueScore.h"
#include "sync/CutSearch.h"
#include "sync/FitMeasure.h"
#include "sync/SpeedSearch.h"

namespace tarvex::sync {

namespace {

// What a cut costs, in 10 ms of coverage beyond chance: more than a run of
// a few cues can gain by chance at some offset, less than a piece of a few
// minutes gains from its true offset.
constexpr double kCutPenalty = 1200.0;
// A speed between the frame-rate ratios must beat the ratio by this share.
constexpr double kOffRatioGain = 0.02;
// No film runs longer than a day.
constexpr int64_t kLongestFilmMs = int64_t{24} * 3600 * 1000;
// A frame-rate ratio must beat the film's own speed by this share.
constexpr double kSameSpeedShare = 0.85;
// The least a piece between cuts holds.
constexpr size_t kLeastPieceCues = 12;
constexpr double kLeastPieceMs = 120000.0;
// In standard deviations of the scores at other places: the best of a
// quarter of an hour's chance places stands 3 to 5 out, a true place of
// ten minutes' lines 6 or more.
constexpr double kLeastSignificance = 6.0;
// A speed this close to a frame-rate ratio is that ratio (0.005 %: a
// third of a second over two hours).
constexpr double kSnapToRatio = 5e-5;

void ThrowIfStopped(const StopRequest& stop) {
    if (stop && stop()) throw RuntimeError(ErrorNumber::UserInterrupt);
}

// Progress of one stage mapped into its share of the whole.
AlignProgress Stage(const AlignProgress& progress, double from, double to) {
    if (!progress) return nullptr;
    return [progress, from, to](double fraction) { progress(from + (to - from) * std::clamp(fraction, 0.0, 1.0)); };
}

// The speed fine-tuned about the pieces found, each piece turning about
// its middle cue so that its offset there stays put while the speed
// changes. Answers the new speed with the pieces' offsets for it; a speed
// within a hair of a frame-rate ratio becomes that ratio.
double TuneSpeed(const std::vector<Cue>& cues, const Coverage& coverage, double speed, std::vector<Piece>& pieces,
                 const std::vector<double>& ratios, const StopRequest& stop) {
    std::vector<double> pivots, pivotAt;
    for (const Piece& piece : pieces) {
        pivots.push_back(cues[(piece.First + piece.Last) / 2].Start);
        pivotAt.push_back(speed * pivots.back() + piece.Offset);
    }
    auto fitAll = [&](double candidate, double halfWidth, double step, std::vector<double>* offsets) {
        double total = 0.0;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const OffsetFit fit = BestOffset(coverage, cues.data() + pieces[i].First, cues.data() + pieces[i].Last,
                                             candidate, pivotAt[i] - candidate * pivots[i], halfWidth, step);
            total += fit.Score;
            if (offsets != nullptr) offsets->push_back(fit.Offset);
        }
        return total;
    };
    double best = speed;
    double bestScore = -1e300;
    // Speed step, steps each way, offset half-width and step (ms): +-0.2 %
    // first, then to 0.001 % (70 ms over two hours).
    const double passes[][4] = {{2e-4, 10, 600.0, 25.0}, {1e-5, 12, 120.0, 5.0}};
    for (const auto& pass : passes) {
        const double base = best;
        const int steps = static_cast<int>(pass[1]);
        for (int i = -steps; i <= steps; ++i) {
            ThrowIfStopped(stop);
            const double candidate = base * (1.0 + pass[0] * i);
            const double score = fitAll(candidate, pass[2], pass[3], nullptr);
            if (score > bestScore) {
                bestScore = score;
                best = candidate;
            }
        }
    }
    for (double ratio : ratios)
        if (std::fabs(best / ratio - 1.0) <= kSnapToRatio) best = ratio;
    // A speed off every ratio must earn its place: over a few cues, or
    // cues that fit anyway, some small stretch always scores a little more.
    const double atRatio = fitAll(speed, 200.0, 5.0, nullptr);
    if (bestScore < atRatio + kOffRatioGain * std::fabs(atRatio)) best = speed;
    std::vector<double> offsets;
    fitAll(best, 200.0, 5.0, &offsets);
    for (size_t i = 0; i < pieces.size(); ++i) pieces[i].Offset = offsets[i];
    return best;
}

double ScorePiece(const std::vector<Cue>& cues, const Coverage& coverage, const Piece& piece, double speed) {
    return ScoreCues(coverage, cues.data() + piece.First, cues.data() + piece.Last, speed, piece.Offset);
}

// Each piece's offset from the grid to the nearest 5 ms.
void RefinePieces(const std::vector<Cue>& cues, const Coverage& coverage, double speed, std::vector<Piece>& pieces) {
    for (Piece& piece : pieces)
        piece.Offset =
            BestOffset(coverage, cues.data() + piece.First, cues.data() + piece.Last, speed, piece.Offset, 300.0, 5.0)
                .Offset;
}

// The best single offset for two neighbours joined, near either's own.
Piece Joined(const std::vector<Cue>& cues, const Coverage& coverage, double speed, const Piece& left,
             const Piece& right, double& score) {
    Piece joined{left.First, right.Last, left.Offset};
    score = -1e300;
    for (double offset : {left.Offset, right.Offset}) {
        const OffsetFit fit =
            BestOffset(coverage, cues.data() + joined.First, cues.data() + joined.Last, speed, offset, 150.0, 5.0);
        if (fit.Score > score) {
            score = fit.Score;
            joined.Offset = fit.Offset;
        }
    }
    return joined;
}

// A piece of a few lines is no scene a film gains or loses; it is a run of
// cues that found a better place by chance (or lines of a scene the film
// lacks, which have no right place). Nor is a piece whose place stands no
// further above the others than the best of many chance places does.
bool TooWeak(const std::vector<Cue>& cues, const Piece& piece, double significance) {
    return piece.Last - piece.First < kLeastPieceCues ||
           cues[piece.Last - 1].End - cues[piece.First].Start < kLeastPieceMs || significance < kLeastSignificance;
}

double SignificanceOf(const std::vector<Cue>& cues, const Coverage& coverage, double speed, const Piece& piece,
                      double spreadMs) {
    return Significance(coverage, cues.data() + piece.First, cues.data() + piece.Last, speed, piece.Offset, spreadMs);
}

// Joins neighbours whose cut does not pay for itself once their offsets are
// exact (two grid steps of one true offset, or a gain chance could give),
// the weakest first; pieces too short or too weak to be a scene always.
// Answers the significance of the weakest piece left.
double JoinWeakCuts(const std::vector<Cue>& cues, const Coverage& coverage, double speed, double penalty,
                    double spreadMs, std::vector<Piece>& pieces, const StopRequest& stop) {
    std::vector<double> significance;
    for (const Piece& piece : pieces) significance.push_back(SignificanceOf(cues, coverage, speed, piece, spreadMs));
    while (pieces.size() > 1) {
        ThrowIfStopped(stop);
        size_t weakest = 0;
        double weakestGain = 1e300;
        Piece weakestJoined;
        for (size_t i = 0; i + 1 < pieces.size(); ++i) {
            const Piece& left = pieces[i];
            const Piece& right = pieces[i + 1];
            const double apart = ScorePiece(cues, coverage, left, speed) + ScorePiece(cues, coverage, right, speed);
            double joinedScore = 0.0;
            const Piece joined = Joined(cues, coverage, speed, left, right, joinedScore);
            double gain = apart - joinedScore;
            if (TooWeak(cues, left, significance[i]) || TooWeak(cues, right, significance[i + 1])) gain -= 1e12;
            if (gain < weakestGain) {
                weakestGain = gain;
                weakest = i;
                weakestJoined = joined;
            }
        }
        if (weakestGain >= penalty) break;
        pieces[weakest] = weakestJoined;
        pieces.erase(pieces.begin() + static_cast<long>(weakest) + 1);
        significance.erase(significance.begin() + static_cast<long>(weakest) + 1);
        significance[weakest] = SignificanceOf(cues, coverage, speed, weakestJoined, spreadMs);
    }
    return *std::min_element(significance.begin(), significance.end());
}

// Where each piece begins in the input: in the gap before its first cue,
// so that no cue has its start and end in different pieces.
TimeMap MapOf(const std::vector<Cue>& cues, const std::vector<Piece>& pieces, double speed) {
    std::vector<TimeMapPiece> mapPieces;
    double endSoFar = 0.0;
    size_t cue = 0;
    for (const Piece& piece : pieces) {
        for (; cue < piece.First; ++cue) endSoFar = std::max(endSoFar, cues[cue].End);
        const double first = cues[piece.First].Start;
        const double start = mapPieces.empty() ? 0.0 : (endSoFar <= first ? (endSoFar + first) / 2.0 : first);
        mapPieces.push_back({static_cast<int64_t>(std::ceil(start)), speed, piece.Offset});
    }
    return TimeMap(std::move(mapPieces));
}

}  // namespace

std::vector<double> CandidateSpeeds(bool correctSpeed) {
    if (!correctSpeed) return {1.0};
    const double rates[] = {24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0};
    std::vector<double> speeds{1.0};
    for (double from : rates)
        for (double to : rates) {
            const double ratio = from / to;
            const bool known = std::any_of(speeds.begin(), speeds.end(),
                                           [&](double speed) { return std::fabs(speed / ratio - 1.0) < 1e-9; });
            if (!known) speeds.push_back(ratio);
        }
    return speeds;
}

Alignment Align(const std::vector<TimeSpan>& input, const std::vector<TimeSpan>& reference, const AlignOptions& options,
                const AlignProgress& progress, const StopRequest& stop) {
    // Times past any film's length (a stray 99-hour timestamp) would only
    // make the signals huge; such cues are mapped, not searched with.
    std::vector<TimeSpan> filmLong;
    for (const TimeSpan& span : reference)
        if (span.Start < kLongestFilmMs) filmLong.push_back({span.Start, std::min(span.End, kLongestFilmMs)});
    const std::vector<TimeSpan> merged = MergeSpans(filmLong);
    if (merged.empty()) throw RuntimeError(ErrorNumber::NoReferenceCues);
    Alignment result;
    result.CuesTotal = static_cast<int32_t>(input.size());
    std::vector<Cue> cues;
    cues.reserve(input.size());
    for (const TimeSpan& span : input)
        if (span.Start >= 0 && span.Start < kLongestFilmMs)
            cues.push_back(CueOf(static_cast<double>(span.Start),
                                 static_cast<double>(std::min(std::max(span.Start, span.End), kLongestFilmMs))));
    if (cues.empty()) return result;
    std::sort(cues.begin(), cues.end(), [](const Cue& a, const Cue& b) { return a.Start < b.Start; });

    const std::vector<double> speeds = CandidateSpeeds(options.CorrectSpeed);
    const int64_t maxOffset = std::max<int64_t>(0, options.MaxOffsetMs);
    // Flat outside the reference's extent, so that is all it needs to hold.
    const Coverage coverage(merged, merged.front().Start - 1000, merged.back().End + 1000);

    const std::vector<SpeedGuess> guesses =
        GuessSpeeds(cues, coverage, speeds, maxOffset, Stage(progress, 0.0, 0.3), stop);
    // The film's own speed unless another is clearly better: with few cues
    // some ratio always fits a little better by chance.
    SpeedGuess guess = guesses.front();
    for (const SpeedGuess& other : guesses)
        if (other.Speed == 1.0 && other.Peak >= kSameSpeedShare * guess.Peak) guess = other;
    double speed = guess.Speed;
    std::vector<Piece> pieces{{0, cues.size(), guess.Offset}};
    if (options.AllowCuts)
        pieces =
            FindPieces(cues, coverage, speed, maxOffset, guess.Offset, kCutPenalty, Stage(progress, 0.3, 0.6), stop);
    RefinePieces(cues, coverage, speed, pieces);
    if (options.CorrectSpeed) {
        const double tuned = TuneSpeed(cues, coverage, speed, pieces, speeds, stop);
        // Off the ratio tried by more than the grid can follow over the
        // film: look for the pieces again at the speed found.
        if (options.AllowCuts && std::fabs(tuned / speed - 1.0) > 2e-5) {
            pieces = FindPieces(cues, coverage, tuned, maxOffset, pieces.front().Offset, kCutPenalty,
                                Stage(progress, 0.6, 0.9), stop);
            RefinePieces(cues, coverage, tuned, pieces);
        }
        speed = tuned;
    }
    const double significance =
        JoinWeakCuts(cues, coverage, speed, kCutPenalty, std::max<double>(double(maxOffset), 60000.0), pieces, stop);
    for (Piece& piece : pieces) piece.Offset = std::clamp(piece.Offset, -double(maxOffset), double(maxOffset));
    if (progress) progress(1.0);

    result.Map = MapOf(cues, pieces, speed);
    const FitMeasure fit = MeasureFit(input, merged, result.Map);
    result.CuesMatched = fit.CuesMatched;
    result.Confidence = fit.Confidence;
    result.Trusted = fit.Trusted && significance >= kLeastSignificance;
    return result;
}

}  // namespace tarvex::sync
