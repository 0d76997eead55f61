#pragma once
// Labels with a see-through background: a label is filled with the part of
// its container's persistent image that lies under it, so it shows the
// themed frame or tab page behind its text, also when its text changes.

#include <windows.h>

#include <map>

#include "controls/host/GdiHandles_win.h"

namespace tarvex::win {

class LabelBackground {
public:
    LabelBackground() = default;
    LabelBackground(const LabelBackground&) = delete;
    LabelBackground& operator=(const LabelBackground&) = delete;

    // The brush for WM_CTLCOLORSTATIC of `label`; null when its container
    // keeps no image (the caller then uses the button face).
    HBRUSH BrushFor(HWND label, HDC labelDC);

private:
    std::map<HWND, host::BrushHandle> brushes_;
};

}  // namespace tarvex::win
