#pragma once
// A small in-place FFT for correlating coarse signals: radix 2, sizes a
// power of two.

#include <complex>
#include <vector>

namespace tarvex::sync {

// Forward (e^-i) or inverse (e^+i, scaled by 1/N) transform of `data`,
// whose size must be a power of two.
void Fft(std::vector<std::complex<double>>& data, bool inverse);

// The least power of two not below `n` (at least 1).
size_t FftSize(size_t n);

}  // namespace tarvex::sync
