#include "media/SoundReader.h"

#include <algorithm>

namespace tarvex::media {

size_t QueuedSoundReader::Read(float* samples, size_t capacity) {
    size_t written = 0;
    while (written < capacity) {
        if (silence_ > 0) {
            size_t n = static_cast<size_t>(std::min<int64_t>(silence_, static_cast<int64_t>(capacity - written)));
            std::fill_n(samples + written, n, 0.0f);
            silence_ -= static_cast<int64_t>(n);
            written += n;
        } else if (at_ < pending_.size()) {
            size_t n = std::min(pending_.size() - at_, capacity - written);
            std::copy_n(pending_.data() + at_, n, samples + written);
            at_ += n;
            written += n;
        } else if (!Refill()) {
            break;
        }
    }
    return written;
}

}  // namespace tarvex::media
