#pragma once
// A window with a persistent image that others may draw into or copy from:
// a form, or a control that contains others. Drawing into it needs AutoRedraw
// on, so what is drawn becomes the window's lasting background.

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/host/ParentForm.h"

namespace tarvex::host {

class PaintTarget {
public:
    virtual ~PaintTarget() = default;

    virtual HWND TargetWindow() const = 0;
    // The persistent image's device context while AutoRedraw is on.
    virtual HDC TargetDC() = 0;
    virtual std::string TargetName() const = 0;
    virtual void SetTargetBackColor(uint32_t oleColour) = 0;
    virtual void SetAutoRedraw(bool on) = 0;
    // Clears the image to the back colour.
    virtual void ClearTarget() = 0;
    // The form's control list; null for a target that is not a form.
    virtual ParentForm* TargetForm() { return nullptr; }

    // The target bound to `window`, if it is one of this program's windows.
    static PaintTarget* FromWindow(HWND window);
};

}  // namespace tarvex::host
