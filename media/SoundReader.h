#pragma once
// The decoder seam: a film's or sound file's first sound track as mono float
// samples at one low rate, handed out in pieces as it decodes, so memory
// stays the same whatever the film's length. One implementation per
// platform (FFmpeg's libraries | the Media Foundation Source Reader).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvex::media {

// 8 kHz keeps the whole speech band (300-3400 Hz) and makes resampling and
// judging four to six times cheaper than a film's own rate.
constexpr int kSoundRate = 8000;

class SoundReader {
public:
    virtual ~SoundReader() = default;
    // Writes up to `capacity` samples (-1..1) and returns how many; 0 once
    // the sound, or the stretch asked for, has ended.
    virtual size_t Read(float* samples, size_t capacity) = 0;
    // The sound's length as the file tells it, 0 when it does not.
    virtual int64_t DurationMs() const = 0;
};

// What both platforms' readers share: the silence owed before a track that
// starts late, then the decoded samples held until they are read.
class QueuedSoundReader : public SoundReader {
public:
    size_t Read(float* samples, size_t capacity) final;

protected:
    // Decodes more into pending_ (from at_ = 0) or adds to silence_;
    // answers false at the end of the sound.
    virtual bool Refill() = 0;

    int64_t silence_ = 0;  // samples of silence still to hand out before the track starts
    std::vector<float> pending_;
    size_t at_ = 0;
};

// Opens `path` and positions it at `startMs`. Samples before it are dropped,
// so the first sample read is the one at startMs. Raises NoSoundTrack or
// UndecodableMedia (numbered, naming the file).
std::unique_ptr<SoundReader> OpenSoundReader(const std::string& path, int64_t startMs = 0);

// Whether two readers may decode on two threads at once, so that a long
// film's halves can be read side by side.
bool ReadersRunSideBySide();

}  // namespace tarvex::media
