#pragma once
// The logo tarvoAsli with its four animation frames tarvo(1)..tarvo(4):
// image controls without windows of their own in the original layout, drawn
// here by one small window: the shown frames first, the logo on top, so the
// frames show through the logo's clear corners.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::win {

class LogoView : public host::WindowBase {
public:
    // Answers how many frames are shown (for tests and tools).
    static constexpr UINT LVM_GETFRAMES = WM_USER + 0x60;

    static std::unique_ptr<LogoView> Create(HWND parent, int id, int x, int y, int size, double twipsPerPixelX,
                                            double twipsPerPixelY);

    void SetFrameVisible(int frame, bool visible);  // frame 1..4
    int VisibleFrames() const;

    // X and Y in twips relative to the logo.
    std::function<void(double x, double y)> MouseMove;
    std::function<void()> MouseUp, Click, MouseLeave;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LogoView(double twipsPerPixelX, double twipsPerPixelY);
    void Paint(HDC target);

    double twipsPerPixelX_;
    double twipsPerPixelY_;
    int size_ = 32;
    host::IconHandle logo_;
    std::array<host::IconHandle, 4> frames_;
    std::array<bool, 4> shown_{};
    bool pressed_ = false;
    bool tracking_ = false;
};

}  // namespace tarvex::win
