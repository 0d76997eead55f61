#pragma once
// The noise floor of several channels at once (sub-bands, or single bins of
// a spectrum): the lowest lightly smoothed level of the last two seconds,
// kept as the lowest of four half-second pieces so that it rises again
// soon after the noise does. Steady sound (hum, hiss, a held note) sinks
// into it; speech, which pauses between syllables, does not.

#include <array>
#include <cstddef>
#include <vector>

namespace tarvex::media {

class NoiseFloor {
public:
    explicit NoiseFloor(size_t channels);
    // Takes one frame's levels (power) and brings the floors up to date.
    void Update(const float* levels);
    double operator[](size_t channel) const { return floor_[channel]; }

private:
    static constexpr int kPieces = 4;
    static constexpr int kPieceFrames = 25;  // half a second of 20 ms frames

    std::vector<double> smoothed_;
    std::vector<double> pieceLowest_;
    std::array<std::vector<double>, kPieces> pastLowest_;
    std::vector<double> floor_;
    int pieceFrames_ = 0;
    int piece_ = 0;
    bool started_ = false;
};

}  // namespace tarvex::media
