#pragma once
// The first look: for each candidate speed, the input and the reference
// reduced to 400 ms bins and cross-correlated over every offset allowed in
// one go (FFT), two speeds per transform. The right speed gives a sharp
// peak; a wrong one smears it.

#include <cstdint>
#include <vector>

#include "sync/Alignment.h"
#include "sync/CueScore.h"

namespace tarvex::sync {

struct SpeedGuess {
    double Speed = 1.0;
    double Offset = 0.0;  // ms, output = input * Speed + Offset
    double Peak = 0.0;    // in 10 ms bins of coverage beyond chance
};

// One guess per speed, best first.
std::vector<SpeedGuess> GuessSpeeds(const std::vector<Cue>& cues, const Coverage& coverage,
                                    const std::vector<double>& speeds, int64_t maxOffsetMs,
                                    const AlignProgress& progress, const StopRequest& stop);

}  // namespace tarvex::sync
