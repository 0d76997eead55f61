#include "app/LogoAnimation.h"

namespace tarvex {

bool LogoAnimation::InInnerZone(double x, double y) {
    return x > 30 && x < 450 && y > 5 && y < 450;
}

void LogoAnimation::PointerMoved(double x, double y) {
    if (InInnerZone(x, y)) {
        // Moves inside while frames show do not restart the forward play.
        if (LogoStep == 0) {
            LogoClosing = 0;
            TimerEnabled = true;
        }
    } else if (LogoStep > 0) {
        LogoClosing = 1;
        TimerEnabled = true;
    }
}

void LogoAnimation::ButtonReleased() {
    if (LogoStep >= 1) {
        LogoClosing = 1;
        TimerEnabled = true;
    }
}

LogoAnimation::Change LogoAnimation::Tick() {
    Change change;
    if (LogoClosing == 0) {
        // A tick after the last frame (the timer's stop message was late) shows nothing more.
        if (LogoStep >= kLogoFrames) {
            TimerEnabled = false;
            return change;
        }
        ++LogoStep;
        change.ShowFrame = LogoStep;
        if (LogoStep == kLogoFrames) TimerEnabled = false;
    } else if (LogoStep >= 1) {
        change.HideFrame = LogoStep;
        if (LogoStep == 1) TimerEnabled = false;
        --LogoStep;
    } else {
        TimerEnabled = false;
    }
    return change;
}

}  // namespace tarvex
