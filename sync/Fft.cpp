#include "sync/Fft.h"

#include <cmath>
#include <numbers>

namespace tarvex::sync {

size_t FftSize(size_t n) {
    size_t size = 1;
    while (size < n) size <<= 1;
    return size;
}

FftPlan::FftPlan(size_t size) : size_(size) {
    for (size_t i = 1, j = 0; i < size; ++i) {
        size_t bit = size >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) swaps_.push_back({i, j});
    }
    // Each stage's twiddles side by side, computed from the full circle
    // rather than by repeated products, so rounding does not build up.
    for (size_t length = 2; length <= size; length <<= 1)
        for (size_t k = 0; k < length / 2; ++k) {
            const double angle = -2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(length);
            twiddles_.push_back({std::cos(angle), std::sin(angle)});
        }
}

void FftPlan::Transform(std::vector<std::complex<double>>& data, bool inverse) const {
    const size_t n = size_;
    for (const auto& swap : swaps_) std::swap(data[swap.first], data[swap.second]);
    const double sign = inverse ? -1.0 : 1.0;
    const std::complex<double>* twiddle = twiddles_.data();
    for (size_t length = 2; length <= n; length <<= 1) {
        const size_t half = length / 2;
        for (size_t start = 0; start < n; start += length) {
            std::complex<double>* low = data.data() + start;
            std::complex<double>* high = low + half;
            for (size_t k = 0; k < half; ++k) {
                // Written out: the library's complex product checks for
                // infinities, which costs more than the product.
                const double wr = twiddle[k].real();
                const double wi = sign * twiddle[k].imag();
                const double br = high[k].real();
                const double bi = high[k].imag();
                const std::complex<double> odd(br * wr - bi * wi, br * wi + bi * wr);
                high[k] = low[k] - odd;
                low[k] += odd;
            }
        }
        twiddle += half;
    }
    if (inverse)
        for (auto& value : data) value /= static_cast<double>(n);
}

void Fft(std::vector<std::complex<double>>& data, bool inverse) {
    FftPlan(data.size()).Transform(data, inverse);
}

}  // namespace tarvex::sync
