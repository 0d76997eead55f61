#pragma once
// Judges a stream of mono samples at kSoundRate as speech or not in 20 ms
// steps, and joins the speech frames into spans. Portable and streaming: its
// memory is the same for a minute and for a film, bar the spans themselves.
//
// A frame is speech when its speech band (300-3400 Hz) stands well above
// the noise floor in most of its sub-bands at once. The floor is tracked per
// sub-band as the lowest level of the last two seconds, so steady noise,
// hum and held notes sink into it, while speech, which pauses between
// words and syllables, does not.

#include <array>
#include <cstdint>
#include <vector>

#include "base/TimeSpan.h"
#include "media/Spectrum.h"

namespace tarvex::media {

struct VoiceTuning {
    double StartDb = 6.0;      // mean rise over the floor that starts speech
    double KeepDb = 3.5;       // ... and that keeps it going
    double QuietestDb = -55;   // frames quieter than this (dB of full scale) are never speech
    int64_t BridgeMs = 200;    // pauses shorter than this stay inside a span
    int64_t ShortestMs = 100;  // shorter spans are clicks and knocks, dropped
};

class VoiceActivity {
public:
    // Times are given from `originMs`, the time of the first sample fed.
    explicit VoiceActivity(int64_t originMs = 0, VoiceTuning tuning = {});

    void Feed(const float* samples, size_t count);
    // Ends the sound and hands over the spans found, in order.
    std::vector<TimeSpan> Finish();

    // For measuring: the frames judged so far and how many were speech.
    int64_t Frames() const { return frames_; }
    int64_t SpeechFrames() const { return speechFrames_; }

private:
    static constexpr int kFrame = 256;  // 32 ms at 8 kHz
    static constexpr int kHop = 160;    // 20 ms
    static constexpr int kBands = 14;
    static constexpr int kFloorPieces = 4;   // the floor's memory, in pieces of
    static constexpr int kPieceFrames = 25;  // half a second each

    void JudgeFrame();
    double RiseOverFloor();
    void Decide(bool speech);

    int64_t originMs_;
    VoiceTuning tuning_;
    PowerSpectrum spectrum_;
    std::vector<float> frame_;
    size_t filled_ = 0;
    std::vector<float> power_;
    std::array<int, kBands + 1> bandEdges_{};  // first bin of each sub-band, and one past the last
    std::array<double, kBands> smoothed_{};
    std::array<double, kBands> pieceLowest_{};
    std::array<std::array<double, kBands>, kFloorPieces> pastLowest_{};
    int pieceFrames_ = 0;
    int piece_ = 0;
    bool speaking_ = false;

    int64_t frames_ = 0;
    int64_t speechFrames_ = 0;
    bool open_ = false;
    TimeSpan current_;
    std::vector<TimeSpan> spans_;
};

}  // namespace tarvex::media
