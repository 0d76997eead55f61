#pragma once
// Mono samples from any rate to kSoundRate, for decoders that hand over
// their own rate. Streaming, with a windowed-sinc low-pass so that sound
// above the new half rate does not fold back into the speech band.

#include <cstddef>
#include <vector>

namespace tarvex::media {

class MonoResampler {
public:
    MonoResampler(int inRate, int outRate);
    // Appends to `out` what `count` more input samples make.
    void Process(const float* in, size_t count, std::vector<float>& out);
    // Appends what is still held at the end of the input.
    void Flush(std::vector<float>& out);

private:
    // Output points up to `last`, a position in history_.
    void Produce(std::vector<float>& out, double last);

    int inRate_;
    int outRate_;
    double step_;  // input samples per output sample
    int halfWidth_;
    static constexpr int kPhases = 64;
    std::vector<std::vector<float>> kernels_;  // one per fraction of an input sample
    std::vector<float> history_;
    double position_;  // of the next output sample, in history_'s samples
    bool flushed_ = false;
};

}  // namespace tarvex::media
