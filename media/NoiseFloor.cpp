#include "media/NoiseFloor.h"

#include <algorithm>
#include <limits>

namespace tarvex::media {

namespace {
constexpr double kUnknown = std::numeric_limits<double>::max();
}

NoiseFloor::NoiseFloor(size_t channels)
    : smoothed_(channels, 0.0), pieceLowest_(channels, kUnknown), floor_(channels, 0.0) {
    for (auto& past : pastLowest_) past.assign(channels, kUnknown);
}

void NoiseFloor::Update(const float* levels) {
    for (size_t c = 0; c < floor_.size(); ++c) {
        // Smoothed lightly: single quiet frames in the middle of speech
        // would otherwise drag the floor down.
        double level = static_cast<double>(levels[c]) + 1e-12;
        smoothed_[c] = started_ ? 0.6 * smoothed_[c] + 0.4 * level : level;
        pieceLowest_[c] = std::min(pieceLowest_[c], smoothed_[c]);
        double lowest = pieceLowest_[c];
        for (const auto& past : pastLowest_) lowest = std::min(lowest, past[c]);
        floor_[c] = lowest;
    }
    started_ = true;
    if (++pieceFrames_ == kPieceFrames) {
        pastLowest_[static_cast<size_t>(piece_)].swap(pieceLowest_);
        std::fill(pieceLowest_.begin(), pieceLowest_.end(), kUnknown);
        piece_ = (piece_ + 1) % kPieces;
        pieceFrames_ = 0;
    }
}

}  // namespace tarvex::media
