#pragma once
// Pieces: a dynamic programme over the input's cues (in time order) that
// gives each cue an offset from a 100 ms grid over every offset allowed,
// scoring each cue where it lands and charging a penalty each time the
// offset changes from one cue to the next.

#include <cstdint>
#include <vector>

#include "sync/Alignment.h"
#include "sync/CueScore.h"

namespace tarvex::sync {

struct Piece {
    size_t First = 0;  // cues [First, Last) in time order
    size_t Last = 0;
    double Offset = 0.0;  // ms
};

// `penalty` in the score's unit (10 ms of coverage beyond chance). Offsets
// run over +-maxOffsetMs, narrowed about `around` for files of so many cues
// that the table of choices would grow past a few megabytes.
std::vector<Piece> FindPieces(const std::vector<Cue>& cues, const Coverage& coverage, double speed, int64_t maxOffsetMs,
                              double around, double penalty, const AlignProgress& progress, const StopRequest& stop);

}  // namespace tarvex::sync
