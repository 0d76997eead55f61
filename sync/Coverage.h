#pragma once
// The reference as a signal to score a placement against: how much more of
// a stretch of time the reference covers than chance would (its coverage
// minus its average density, within its own extent; nothing outside it),
// summed from the left in 10 ms bins. The score of a cue placed at [a, b)
// is then At(b) - At(a): positive where it falls on the reference, about
// zero at random, zero beyond the reference's ends.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/TimeSpan.h"

namespace tarvex::sync {

constexpr int64_t kBinMs = 10;

// Sorted, overlapping and touching spans joined, empty ones dropped.
std::vector<TimeSpan> MergeSpans(std::vector<TimeSpan> spans);

// Milliseconds of [a, b) that `merged` covers.
double CoveredMs(const std::vector<TimeSpan>& merged, double a, double b);

class Coverage {
public:
    // `merged` as MergeSpans gives it, not empty; the signal is defined over
    // [fromMs, toMs) and flat outside it.
    Coverage(const std::vector<TimeSpan>& merged, int64_t fromMs, int64_t toMs);

    // The running sum at `ms`, linear within a bin (in bins: 10 ms units).
    double At(double ms) const;
    // Share of the reference's extent it covers.
    double Density() const { return density_; }
    int64_t ExtentStart() const { return extentStart_; }
    int64_t ExtentEnd() const { return extentEnd_; }

    // The running sum sampled every `stepMs` (a multiple of the bin) from
    // `fromMs`: for scoring many offsets of one cue with contiguous reads.
    std::vector<double> Sampled(int64_t fromMs, int64_t stepMs, size_t count) const;

private:
    std::vector<double> sum_;  // sum_[i]: the signal summed over bins before i
    int64_t origin_ = 0;       // ms of bin 0
    double density_ = 0.0;
    int64_t extentStart_ = 0;
    int64_t extentEnd_ = 0;
};

}  // namespace tarvex::sync
