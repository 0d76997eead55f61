#pragma once
// Scoring placements of the input's cues on the reference's coverage, and
// the small searches every stage of alignment shares.

#include <cstddef>
#include <vector>

#include "sync/Coverage.h"

namespace tarvex::sync {

struct Cue {
    double Start = 0.0;  // ms in the input
    double End = 0.0;
    double HeadEnd = 0.0;  // end of its head: the first kHeadMs, or all of a shorter cue
};

// A line comes up as its speech starts, but stays on for reading a while
// after it ends, more or less as its maker chose. So a cue's head counts
// twice: where only its length is scored, a cue longer than its speech may
// slide anywhere that still covers it, and its neighbours' speech decides.
constexpr double kHeadMs = 1000.0;

Cue CueOf(double start, double end);

// Cues [begin, end) placed at time * speed + offset: their summed score.
double ScoreCues(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double offset);

struct OffsetFit {
    double Offset = 0.0;
    double Score = 0.0;
};

// The best offset on a grid from `center - halfWidth` to `center + halfWidth`
// in `step`s. Where the best is a plateau (cues longer than the speech they
// carry slide freely), its middle: the least committed choice.
OffsetFit BestOffset(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double center,
                     double halfWidth, double step);

// How far the score at `offset` stands above the scores at offsets spread
// over +-`spreadMs`, in their standard deviations: a true place stands far
// out, the best of many chance places only a few deviations.
double Significance(const Coverage& coverage, const Cue* begin, const Cue* end, double speed, double offset,
                    double spreadMs);

}  // namespace tarvex::sync
