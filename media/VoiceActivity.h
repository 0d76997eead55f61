#pragma once
// Judges a stream of mono samples at kSoundRate as speech or not in 20 ms
// steps, and joins the speech frames into spans. Portable and streaming: its
// memory is the same for a minute and for a film, bar the spans themselves.
//
// A frame is speech when its speech band (300-3400 Hz) stands above the
// noise floor across its sub-bands, and what stands above the floor is not
// a held note: the partials of music stay put from one frame to the next,
// a voice's glide in pitch and move from sound to sound.

#include <array>
#include <cstdint>
#include <vector>

#include "base/TimeSpan.h"
#include "media/FramePower.h"
#include "media/NoiseFloor.h"

namespace tarvex::media {

struct VoiceTuning {
    double StartDb = 3.0;         // mean rise over the floor that starts speech
    double KeepDb = 1.5;          // ... and that keeps it going
    double QuietestDb = -55;      // frames quieter than this (dB of full scale) are never speech
    int64_t BridgeMs = 200;       // pauses shorter than this stay inside a span
    int64_t ShortestMs = 100;     // shorter spans are clicks and knocks, dropped
    double HeldAbove = 0.65;      // fine spectra this alike 80 ms apart are notes, not speech...
    double HeldAboveFloor = 0.2;  // ... when what stands above the floor is this alike too
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

    static constexpr int kFrame = 256;  // samples judged at once: 32 ms at 8 kHz
    static constexpr int kHop = 160;    // and the step between frames: 20 ms

private:
    static constexpr int kBands = 14;
    static constexpr int kLikenessLag = 4;  // frames: 80 ms

    void JudgeFrame();
    double RiseOverFloor();
    void UpdateLikeness();
    void Decide(bool speech);

    int64_t originMs_;
    VoiceTuning tuning_;
    PowerSpectrum spectrum_;
    std::vector<float> frame_;
    size_t filled_ = 0;
    std::vector<float> power_;
    std::array<int, kBands + 1> bandEdges_{};  // first bin of each sub-band, and one past the last
    std::array<float, kBands> bandPower_{};
    NoiseFloor bandFloor_;
    NoiseFloor binFloor_;  // of each bin of the speech band
    struct Shape {
        std::vector<float> Plain;       // log power of each bin of the speech band
        std::vector<float> AboveFloor;  // log of its rise over the bin's floor
    };
    std::array<Shape, kLikenessLag> shapes_;  // the last frames', by frame number
    Shape newest_;
    double plainLikeness_ = 0;
    double floorLikeness_ = 0;
    double heldLikeness_ = 0, rawLikeness_ = 0;
    std::array<std::vector<float>, kLikenessLag> rawShapes_;
    std::vector<float> rawShape_;
    bool speaking_ = false;

    int64_t frames_ = 0;
    int64_t speechFrames_ = 0;
    bool open_ = false;
    TimeSpan current_;
    std::vector<TimeSpan> spans_;
};

}  // namespace tarvex::media
