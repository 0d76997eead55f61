#pragma once
// A standard child control (text box, label, button...) as an entry of a
// form's control list, so the form-wide passes can move it and give it a font.

#include <windows.h>

#include <string>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/ParentForm.h"

namespace tarvex::host {

class ChildControl : public FormControl {
public:
    // The kind is taken from the window class ("Edit" a text box, "Static" a label).
    ChildControl(HWND window, std::string tag, const FontDescription& font);

    ControlKind Kind() const override { return kind_; }
    WindowHandle Window() const override { return reinterpret_cast<WindowHandle>(window_); }
    WindowHandle ContainerWindow() const override;
    std::string Tag() const override { return tag_; }
    double Left() const override;
    double Top() const override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    bool HasFont() const override { return true; }
    void SetFontName(const std::string& name) override;
    bool TrySetEnabled(bool enabled) override;
    bool TrySetVisible(bool visible) override;
    void Refresh() override;

    const FontDescription& Font() const { return font_; }

private:
    RECT RectInParent() const;
    void ApplyFont();

    HWND window_;
    ControlKind kind_;
    std::string tag_;
    FontDescription font_;
    FontHandle fontHandle_;
};

}  // namespace tarvex::host
