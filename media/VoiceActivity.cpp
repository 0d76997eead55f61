#include "media/VoiceActivity.h"

#include <algorithm>
#include <cmath>

#include "media/SoundReader.h"

namespace tarvex::media {

namespace {

// Sub-band edges in Hz, narrower at the bottom like the ear's critical
// bands, so the first formants count as much as the fricatives.
constexpr std::array<double, 15> kEdgesHz = {300,  400,  510,  630,  770,  920,  1080, 1270,
                                             1480, 1720, 2000, 2320, 2700, 3050, 3400};
// The lowest level over a window sits below the noise's mean level; this
// lifts it back (minimum statistics' bias, about 3 dB).
constexpr double kFloorBias = 2.0;
// A full-scale sine puts about N * sum(window^2) / 2 = 12288 of power into
// the bins around it. Rises are measured over at least 70 dB below that:
// what is quieter (the skirts of loud tones, rounding noise) is silence,
// however much it wavers.
constexpr double kSilentBand = 12288 * 1e-7;
constexpr double kSilentBin = kSilentBand / 8;
// Caps one sub-band's share, so one loud note cannot make a frame speech.
constexpr double kMostDbPerBand = 20.0;

// Pearson's correlation; 0 when either is empty or flat.
double Correlation(const std::vector<float>& a, const std::vector<float>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double meanA = 0, meanB = 0;
    for (size_t i = 0; i < a.size(); ++i) meanA += a[i], meanB += b[i];
    meanA /= static_cast<double>(a.size());
    meanB /= static_cast<double>(b.size());
    double dot = 0, sumA = 0, sumB = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        double x = a[i] - meanA, y = b[i] - meanB;
        dot += x * y, sumA += x * x, sumB += y * y;
    }
    return sumA > 0 && sumB > 0 ? dot / std::sqrt(sumA * sumB) : 0;
}

int BinOf(double hz) {
    return static_cast<int>(std::lround(hz * VoiceActivity::kFrame / kSoundRate));
}

}  // namespace

VoiceActivity::VoiceActivity(int64_t originMs, VoiceTuning tuning)
    : originMs_(originMs),
      tuning_(tuning),
      spectrum_(kFrame),
      frame_(kFrame),
      bandFloor_(kBands),
      binFloor_(static_cast<size_t>(BinOf(kEdgesHz.back()) - BinOf(kEdgesHz.front()))) {
    for (size_t b = 0; b < kEdgesHz.size(); ++b) bandEdges_[b] = BinOf(kEdgesHz[b]);
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
    UpdateLikeness();
    const bool notes = plainLikeness_ > tuning_.HeldAbove && floorLikeness_ > tuning_.HeldAboveFloor;
    const bool loud = levelDb > tuning_.QuietestDb;
    speaking_ = loud && !notes && rise > (speaking_ ? tuning_.KeepDb : tuning_.StartDb);
    Decide(speaking_);
}

// The mean rise of the sub-bands over their floors, in dB.
double VoiceActivity::RiseOverFloor() {
    for (int b = 0; b < kBands; ++b) {
        float energy = 0;
        for (int k = bandEdges_[b]; k < bandEdges_[b + 1]; ++k) energy += power_[static_cast<size_t>(k)];
        bandPower_[static_cast<size_t>(b)] = energy;
    }
    bandFloor_.Update(bandPower_.data());
    double total = 0;
    for (size_t b = 0; b < kBands; ++b) {
        double rise = 10 * std::log10((bandPower_[b] + 1e-12) / (kFloorBias * bandFloor_[b] + kSilentBand));
        total += std::clamp(rise, 0.0, kMostDbPerBand);
    }
    return total / kBands;
}

// How alike the fine spectrum of the speech band, bin by bin, is to the
// one 80 ms before, as it is and as it stands above each bin's floor. Both
// are near 1 for changing notes; over a held note the second is low once
// the note sinks into the floor, so a voice over it still counts.
void VoiceActivity::UpdateLikeness() {
    const size_t first = static_cast<size_t>(bandEdges_[0]);
    const size_t count = static_cast<size_t>(bandEdges_[kBands]) - first;
    binFloor_.Update(power_.data() + first);
    Shape& shape = newest_;
    shape.Plain.resize(count);
    shape.AboveFloor.resize(count);
    for (size_t i = 0; i < count; ++i) {
        shape.Plain[i] = std::log(power_[first + i] + 1e-10f);
        shape.AboveFloor[i] =
            static_cast<float>(std::log1p(power_[first + i] / (kFloorBias * binFloor_[i] + kSilentBin)));
    }
    // The ring's slot for this frame holds the one of kLikenessLag frames ago.
    Shape& past = shapes_[static_cast<size_t>(frames_ % kLikenessLag)];
    plainLikeness_ = 0.5 * plainLikeness_ + 0.5 * Correlation(shape.Plain, past.Plain);
    floorLikeness_ = 0.5 * floorLikeness_ + 0.5 * Correlation(shape.AboveFloor, past.AboveFloor);
    std::swap(past, shape);
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
