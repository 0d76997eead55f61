#pragma once
// The logo's four-frame animation: it builds up while the pointer rests
// inside the logo and falls back frame by frame when the pointer reaches the
// logo's edge or a button is released on it. The window shows and hides the
// frames and runs the 50 ms timer as this state machine says.

#include <cstdint>

namespace tarvex {

constexpr int16_t kLogoFrames = 4;
constexpr unsigned kLogoTimerMilliseconds = 50;

struct LogoAnimation {
    int16_t LogoStep = 0;     // frames shown, 0..4
    int16_t LogoClosing = 0;  // 0 playing forward, 1 playing back
    bool TimerEnabled = false;

    // What one tick changes: a frame (1..4) to show or to hide, 0 for none.
    struct Change {
        int16_t ShowFrame = 0;
        int16_t HideFrame = 0;
    };

    // The inner zone, in twips relative to the logo: 30 < X < 450, 5 < Y < 450.
    static bool InInnerZone(double x, double y);

    void PointerMoved(double x, double y);
    void ButtonReleased();
    Change Tick();
};

}  // namespace tarvex
