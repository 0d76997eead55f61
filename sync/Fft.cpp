#include "sync/Fft.h"

#include <cmath>
#include <utility>

namespace tarvex::sync {

size_t FftSize(size_t n) {
    size_t size = 1;
    while (size < n) size <<= 1;
    return size;
}

void Fft(std::vector<std::complex<double>>& data, bool inverse) {
    const size_t n = data.size();
    if (n < 2) return;
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    // Twiddles computed once per size from the full circle, not by repeated
    // multiplication, so that rounding does not build up across stages.
    const double sign = inverse ? 1.0 : -1.0;
    std::vector<std::complex<double>> twiddle(n / 2);
    for (size_t k = 0; k < n / 2; ++k) {
        const double angle = sign * 2.0 * M_PI * static_cast<double>(k) / static_cast<double>(n);
        twiddle[k] = {std::cos(angle), std::sin(angle)};
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const size_t half = length / 2;
        const size_t step = n / length;
        for (size_t start = 0; start < n; start += length) {
            for (size_t k = 0; k < half; ++k) {
                // Written out: the library's complex product checks for
                // infinities, which costs more than the product.
                const std::complex<double> w = twiddle[k * step];
                const std::complex<double> b = data[start + k + half];
                const std::complex<double> odd(b.real() * w.real() - b.imag() * w.imag(),
                                               b.real() * w.imag() + b.imag() * w.real());
                data[start + k + half] = data[start + k] - odd;
                data[start + k] += odd;
            }
        }
    }
    if (inverse)
        for (auto& value : data) value /= static_cast<double>(n);
}

}  // namespace tarvex::sync
