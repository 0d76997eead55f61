#pragma once
// A small in-place FFT for correlating coarse signals: radix 2, sizes a
// power of two.

#include <complex>
#include <cstddef>
#include <utility>
#include <vector>

namespace tarvex::sync {

// The tables for one size (a power of two), made once for many transforms.
class FftPlan {
public:
    explicit FftPlan(size_t size);
    size_t Size() const { return size_; }
    // Forward (e^-i) or inverse (e^+i, scaled by 1/N) transform of `data`,
    // which must be Size() long.
    void Transform(std::vector<std::complex<double>>& data, bool inverse) const;

private:
    size_t size_;
    std::vector<std::complex<double>> twiddles_;    // per stage, contiguous
    std::vector<std::pair<size_t, size_t>> swaps_;  // of the bit-reversed order
};

// One transform with a plan of its own.
void Fft(std::vector<std::complex<double>>& data, bool inverse);

// The least power of two not below `n` (at least 1).
size_t FftSize(size_t n);

}  // namespace tarvex::sync
