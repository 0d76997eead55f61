#include "sync/SpeedSearch.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "base/RuntimeError.h"
#include "sync/Fft.h"

namespace tarvex::sync {

namespace {

constexpr double kCoarseMs = 400.0;

using Spectrum = std::vector<std::complex<double>>;

// The mapped cues' coverage per coarse bin, heads twice.
void AddCues(const std::vector<Cue>& cues, double speed, std::vector<double>& signal) {
    auto add = [&](double from, double to) {
        double at = std::max(0.0, from * speed / kCoarseMs);
        const double end = std::min(to * speed / kCoarseMs, static_cast<double>(signal.size()));
        while (at < end) {
            const double stop = std::min(end, std::floor(at) + 1.0);
            signal[static_cast<size_t>(at)] += stop - at;
            at = stop;
        }
    };
    for (const Cue& cue : cues) {
        add(cue.Start, cue.End);
        add(cue.Start, cue.HeadEnd);
    }
}

// The best lag within +-maxLag of a circular correlation of size N.
SpeedGuess PeakOf(const std::vector<double>& correlation, long maxLag, double speed) {
    const long n = static_cast<long>(correlation.size());
    SpeedGuess guess{speed, 0.0, -1e300};
    for (long lag = -maxLag; lag <= maxLag; ++lag) {
        const double value = correlation[static_cast<size_t>((lag % n + n) % n)];
        if (value > guess.Peak) {
            guess.Peak = value;
            guess.Offset = static_cast<double>(lag) * kCoarseMs;
        }
    }
    guess.Peak *= kCoarseMs / kBinMs;
    return guess;
}

}  // namespace

std::vector<SpeedGuess> GuessSpeeds(const std::vector<Cue>& cues, const Coverage& coverage,
                                    const std::vector<double>& speeds, int64_t maxOffsetMs,
                                    const AlignProgress& progress, const StopRequest& stop) {
    double inputEnd = 0.0;
    for (const Cue& cue : cues) inputEnd = std::max(inputEnd, cue.End);
    const double fastest = *std::max_element(speeds.begin(), speeds.end());
    const size_t inputBins = static_cast<size_t>(std::ceil(inputEnd * fastest / kCoarseMs)) + 1;
    const size_t referenceBins = static_cast<size_t>(std::ceil(coverage.ExtentEnd() / kCoarseMs)) + 1;
    const long maxLag = static_cast<long>(std::ceil(static_cast<double>(maxOffsetMs) / kCoarseMs));
    // Large enough that no allowed lag wraps around onto the other signal.
    const size_t size = FftSize(std::max(inputBins, referenceBins) + static_cast<size_t>(maxLag) + 1);

    const FftPlan plan(size);
    Spectrum reference(size);
    for (size_t bin = 0; bin < referenceBins; ++bin)
        reference[bin] = (coverage.At((bin + 1) * kCoarseMs) - coverage.At(bin * kCoarseMs)) * kBinMs / kCoarseMs;
    plan.Transform(reference, false);

    std::vector<SpeedGuess> guesses;
    std::vector<double> first(size), second(size), correlation(size);
    Spectrum packed(size);
    for (size_t pair = 0; pair < speeds.size(); pair += 2) {
        if (stop && stop()) throw RuntimeError(ErrorNumber::UserInterrupt);
        const bool two = pair + 1 < speeds.size();
        std::fill(first.begin(), first.end(), 0.0);
        std::fill(second.begin(), second.end(), 0.0);
        AddCues(cues, speeds[pair], first);
        if (two) AddCues(cues, speeds[pair + 1], second);
        // Two real signals in one complex transform; their spectra part by
        // symmetry, and the two real correlations come back as the real and
        // imaginary parts of one inverse.
        for (size_t i = 0; i < size; ++i) packed[i] = {first[i], second[i]};
        plan.Transform(packed, false);
        Spectrum product(size);
        for (size_t k = 0; k < size; ++k) {
            const std::complex<double> z = packed[k];
            const std::complex<double> mirror = std::conj(packed[(size - k) % size]);
            const std::complex<double> a = (z + mirror) * 0.5;
            const std::complex<double> b = (z - mirror) * std::complex<double>(0.0, -0.5);
            const std::complex<double> r = reference[k];
            const std::complex<double> ca(a.real() * r.real() + a.imag() * r.imag(),
                                          a.real() * r.imag() - a.imag() * r.real());
            const std::complex<double> cb(b.real() * r.real() + b.imag() * r.imag(),
                                          b.real() * r.imag() - b.imag() * r.real());
            product[k] = {ca.real() - cb.imag(), ca.imag() + cb.real()};
        }
        plan.Transform(product, true);
        for (size_t i = 0; i < size; ++i) correlation[i] = product[i].real();
        guesses.push_back(PeakOf(correlation, maxLag, speeds[pair]));
        if (two) {
            for (size_t i = 0; i < size; ++i) correlation[i] = product[i].imag();
            guesses.push_back(PeakOf(correlation, maxLag, speeds[pair + 1]));
        }
        if (progress) progress(static_cast<double>(pair + 2) / static_cast<double>(speeds.size()));
    }
    std::stable_sort(guesses.begin(), guesses.end(),
                     [](const SpeedGuess& a, const SpeedGuess& b) { return a.Peak > b.Peak; });
    return guesses;
}

}  // namespace tarvex::sync
