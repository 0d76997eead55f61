#pragma once
// The power spectrum of a short real frame, for judging speech frame by
// frame. A fixed size and precomputed tables: it runs a few hundred
// thousand times for one film.

#include <complex>
#include <vector>

namespace tarvex::media {

class PowerSpectrum {
public:
    // `size` is a power of two, at least 8.
    explicit PowerSpectrum(int size);
    int Size() const { return size_; }
    // `frame` holds Size() samples; `power` receives Size() / 2 + 1 bins,
    // from 0 Hz to half the sampling rate.
    void Compute(const float* frame, std::vector<float>& power);

private:
    void Transform(std::vector<std::complex<float>>& data) const;

    int size_;
    std::vector<float> window_;
    std::vector<std::complex<float>> twiddles_;  // for the half-size complex transform
    std::vector<std::complex<float>> unpack_;    // for splitting it into the real one
    std::vector<int> reversed_;
    std::vector<std::complex<float>> work_;
};

}  // namespace tarvex::media
