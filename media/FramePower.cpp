#include "media/FramePower.h"

#include <cmath>
#include <numbers>

namespace tarvex::media {

PowerSpectrum::PowerSpectrum(int size) : size_(size), window_(static_cast<size_t>(size)) {
    const double pi = std::numbers::pi;
    const int half = size / 2;
    // Hann: the side lobes of a plain cut would spread a loud low hum over
    // the whole speech band.
    for (int i = 0; i < size; ++i)
        window_[static_cast<size_t>(i)] = static_cast<float>(0.5 - 0.5 * std::cos(2 * pi * i / size));
    for (int k = 0; k < half / 2; ++k) twiddles_.push_back(std::polar(1.0f, static_cast<float>(-2 * pi * k / half)));
    for (int k = 0; k <= half; ++k) unpack_.push_back(std::polar(1.0f, static_cast<float>(-2 * pi * k / size)));
    int bits = 0;
    while ((1 << bits) < half) ++bits;
    for (int i = 0; i < half; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
        reversed_.push_back(r);
    }
    work_.resize(static_cast<size_t>(half));
}

// In-place radix-2 transform of Size() / 2 points.
void PowerSpectrum::Transform(std::vector<std::complex<float>>& data) const {
    const size_t n = data.size();
    for (size_t i = 0; i < n; ++i) {
        size_t r = static_cast<size_t>(reversed_[i]);
        if (r > i) std::swap(data[i], data[r]);
    }
    for (size_t length = 2; length <= n; length *= 2) {
        size_t step = n / length;
        for (size_t start = 0; start < n; start += length) {
            for (size_t k = 0; k < length / 2; ++k) {
                std::complex<float> t = twiddles_[k * step] * data[start + k + length / 2];
                data[start + k + length / 2] = data[start + k] - t;
                data[start + k] += t;
            }
        }
    }
}

void PowerSpectrum::Compute(const float* frame, std::vector<float>& power) {
    const size_t half = static_cast<size_t>(size_ / 2);
    // Even samples as the real part, odd ones as the imaginary part: one
    // complex transform of half the size does the work of a real one.
    for (size_t i = 0; i < half; ++i) {
        work_[i] = {frame[2 * i] * window_[2 * i], frame[2 * i + 1] * window_[2 * i + 1]};
    }
    Transform(work_);
    power.resize(half + 1);
    for (size_t k = 0; k <= half; ++k) {
        std::complex<float> a = work_[k % half];
        std::complex<float> b = std::conj(work_[(half - k) % half]);
        std::complex<float> even = 0.5f * (a + b);
        std::complex<float> odd = std::complex<float>(0.0f, -0.5f) * (a - b);
        std::complex<float> bin = even + unpack_[k] * odd;
        power[k] = std::norm(bin);
    }
}

}  // namespace tarvex::media
