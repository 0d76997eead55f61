#include <algorithm>

#include "media/SoundReader.h"

namespace tarvex::media {

namespace {

class LimitedReader : public SoundReader {
public:
    LimitedReader(std::unique_ptr<SoundReader> inner, int64_t count) : inner_(std::move(inner)), left_(count) {}

    size_t Read(float* samples, size_t capacity) override {
        if (left_ <= 0) return 0;
        size_t asked = static_cast<size_t>(std::min<int64_t>(left_, static_cast<int64_t>(capacity)));
        size_t got = inner_->Read(samples, asked);
        left_ -= static_cast<int64_t>(got);
        return got;
    }
    int64_t DurationMs() const override { return inner_->DurationMs(); }

private:
    std::unique_ptr<SoundReader> inner_;
    int64_t left_;
};

}  // namespace

std::unique_ptr<SoundReader> LimitSamples(std::unique_ptr<SoundReader> reader, int64_t count) {
    return std::make_unique<LimitedReader>(std::move(reader), count);
}

}  // namespace tarvex::media
