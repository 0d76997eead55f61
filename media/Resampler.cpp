#include "media/Resampler.h"

#include <cmath>
#include <numbers>

namespace tarvex::media {

MonoResampler::MonoResampler(int inRate, int outRate)
    : inRate_(inRate), outRate_(outRate), step_(static_cast<double>(inRate) / outRate) {
    // Cut a little below the lower half rate; four of its periods each side
    // are plenty for judging speech and keep the cost low.
    const double cutoff = 0.45 * std::min(inRate, outRate) / inRate;  // in cycles per input sample
    halfWidth_ = static_cast<int>(std::ceil(4 * std::max(1.0, step_)));
    const int taps = 2 * halfWidth_;
    kernels_.resize(kPhases + 1);
    for (int phase = 0; phase <= kPhases; ++phase) {
        std::vector<float>& kernel = kernels_[static_cast<size_t>(phase)];
        kernel.resize(static_cast<size_t>(taps));
        double sum = 0;
        for (int k = 0; k < taps; ++k) {
            // Distance of tap k from the output point, in input samples.
            double t = (k - halfWidth_ + 1) - static_cast<double>(phase) / kPhases;
            double x = 2 * std::numbers::pi * cutoff * t;
            double sinc = t == 0 ? 1.0 : std::sin(x) / x;
            double w = 0.5 + 0.5 * std::cos(std::numbers::pi * t / halfWidth_);  // Hann
            double value = std::abs(t) >= halfWidth_ ? 0.0 : sinc * w;
            kernel[static_cast<size_t>(k)] = static_cast<float>(value);
            sum += value;
        }
        for (float& tap : kernel) tap = static_cast<float>(tap / sum);
    }
    // Silence before the first sample, so the first output lands on it.
    history_.assign(static_cast<size_t>(halfWidth_ - 1), 0.0f);
    position_ = halfWidth_ - 1;
}

void MonoResampler::Process(const float* in, size_t count, std::vector<float>& out) {
    if (inRate_ == outRate_) {
        out.insert(out.end(), in, in + count);
        return;
    }
    history_.insert(history_.end(), in, in + count);
    Produce(out, static_cast<double>(history_.size()) - halfWidth_ - 1);
}

void MonoResampler::Produce(std::vector<float>& out, double last) {
    while (position_ <= last) {
        double whole = std::floor(position_);
        int phase = static_cast<int>(std::lround((position_ - whole) * kPhases));
        const std::vector<float>& kernel = kernels_[static_cast<size_t>(phase)];
        const float* x = history_.data() + static_cast<ptrdiff_t>(whole) - halfWidth_ + 1;
        float sum = 0;
        for (size_t k = 0; k < kernel.size(); ++k) sum += kernel[k] * x[k];
        out.push_back(sum);
        position_ += step_;
    }
    // Keep only what the next output points still reach back to.
    ptrdiff_t keepFrom = static_cast<ptrdiff_t>(std::floor(position_)) - halfWidth_ + 1;
    if (keepFrom > 0) {
        history_.erase(history_.begin(), history_.begin() + keepFrom);
        position_ -= static_cast<double>(keepFrom);
    }
}

void MonoResampler::Flush(std::vector<float>& out) {
    if (inRate_ == outRate_ || flushed_) return;
    flushed_ = true;
    // Silence after the last input sample lets the output reach it.
    const double endPosition = static_cast<double>(history_.size());
    history_.insert(history_.end(), static_cast<size_t>(halfWidth_ + 1), 0.0f);
    Produce(out, endPosition - 1);
}

}  // namespace tarvex::media
