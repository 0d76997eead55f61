#include "media/VoiceActivity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "media/SoundReader.h"

namespace tarvex::media {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::max();
// Sub-band edges in Hz, narrower at the bottom like the ear's critical
// bands, so the first formants count as much as the fricatives.
constexpr std::array<double, 15> kEdgesHz = {300,  400,  510,  630,  770,  920,  1080, 1270,
                                             1480, 1720, 2000, 2320, 2700, 3050, 3400};
// The lowest level over a window sits below the noise's mean level; this
// lifts it back (minimum statistics' bias, about 3 dB).
constexpr double kFloorBias = 2.0;
// Caps one sub-band's share, so one loud note cannot make a frame speech.
constexpr double kMostDbPerBand = 20.0;

}  // namespace

VoiceActivity::VoiceActivity(int64_t originMs, VoiceTuning tuning)
    : originMs_(originMs), tuning_(tuning), spectrum_(kFrame), frame_(kFrame) {
    for (size_t b = 0; b < kEdgesHz.size(); ++b) {
        bandEdges_[b] = static_cast<int>(std::lround(kEdgesHz[b] * kFrame / kSoundRate));
    }
    smoothed_.fill(0.0);
    pieceLowest_.fill(kUnknown);
    for (auto& past : pastLowest_) past.fill(kUnknown);
}

void VoiceActivity::Feed(const float* samples, size_t count) {
    while (count > 0) {
        size_t n = std::min(count, kFrame - filled_);
        std::copy_n(samples, n, frame_.begin() + static_cast<std::ptrdiff_t>(filled_));
        filled_ += n;
        samples += n;
        count -= n;
        if (filled_ == kFrame) {
            JudgeFrame();
            std::copy(frame_.begin() + kHop, frame_.end(), frame_.begin());
            filled_ = kFrame - kHop;
        }
    }
}

void VoiceActivity::JudgeFrame() {
    double sum = 0;
    for (float s : frame_) sum += static_cast<double>(s) * s;
    double levelDb = 10 * std::log10(sum / kFrame + 1e-20);
    spectrum_.Compute(frame_.data(), power_);
    double rise = RiseOverFloor();
    bool loud = levelDb > tuning_.QuietestDb;
    speaking_ = loud && rise > (speaking_ ? tuning_.KeepDb : tuning_.StartDb);
    Decide(speaking_);
}

// The mean rise of the sub-bands over their floors, in dB, and the floors
// brought up to date with this frame.
double VoiceActivity::RiseOverFloor() {
    double total = 0;
    for (int b = 0; b < kBands; ++b) {
        double energy = 1e-12;
        for (int k = bandEdges_[b]; k < bandEdges_[b + 1]; ++k) energy += power_[static_cast<size_t>(k)];
        // The floor follows a lightly smoothed level: single quiet frames in
        // the middle of speech would otherwise drag it down.
        smoothed_[b] = frames_ == 0 ? energy : 0.6 * smoothed_[b] + 0.4 * energy;
        pieceLowest_[b] = std::min(pieceLowest_[b], smoothed_[b]);
        double floor = pieceLowest_[b];
        for (const auto& past : pastLowest_) floor = std::min(floor, past[b]);
        double rise = 10 * std::log10(energy / (kFloorBias * floor));
        total += std::clamp(rise, 0.0, kMostDbPerBand);
    }
    if (++pieceFrames_ == kPieceFrames) {
        pastLowest_[static_cast<size_t>(piece_)] = pieceLowest_;
        piece_ = (piece_ + 1) % kFloorPieces;
        pieceLowest_.fill(kUnknown);
        pieceFrames_ = 0;
    }
    return total / kBands;
}

void VoiceActivity::Decide(bool speech) {
    // The frame stands for the 20 ms around its centre.
    const int64_t startMs = originMs_ + (frames_ * kHop + (kFrame - kHop) / 2) * 1000 / kSoundRate;
    const int64_t endMs = originMs_ + ((frames_ + 1) * kHop + (kFrame - kHop) / 2) * 1000 / kSoundRate;
    ++frames_;
    if (speech) {
        ++speechFrames_;
        if (!open_) {
            open_ = true;
            current_.Start = startMs;
        }
        current_.End = endMs;
        return;
    }
    if (open_ && endMs - current_.End >= tuning_.BridgeMs) {
        if (current_.Length() >= tuning_.ShortestMs) spans_.push_back(current_);
        open_ = false;
    }
}

std::vector<TimeSpan> VoiceActivity::Finish() {
    if (open_ && current_.Length() >= tuning_.ShortestMs) spans_.push_back(current_);
    open_ = false;
    return std::move(spans_);
}

}  // namespace tarvex::media
