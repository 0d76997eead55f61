#pragma once
// XPOptionCheck: the program's own check box / option button. It paints the
// theme's "Button" glyphs when visual styles are in force and Themed is on,
// classic frame-control glyphs otherwise, shows hot and pressed looks while
// the mouse is over it, unchecks the other options of its container, and
// sizes itself to its caption. Window text is the Caption; BM_GETCHECK
// answers Value.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/host/LoadedLibrary_win.h"
#include "controls/host/ParentForm.h"
#include "controls/host/SitedControl_win.h"
#include "controls/xp/OptionCheckProperties.h"

namespace tarvex::xp {

class XPOptionCheck : public host::SitedControl {
public:
    // A new control at (x, y); it sizes itself when it paints.
    static std::unique_ptr<XPOptionCheck> Create(HWND parent, int x, int y, host::ControlPlacement site);
    // The control of `window`, or null when the window is not one.
    static XPOptionCheck* FromWindow(HWND window);
    ~XPOptionCheck() override;

    void InitProperties();
    void ReadProperties(const host::PropertyBag& bag);
    void WriteProperties(host::PropertyBag& bag) const;

    int32_t ControlType() const { return controlType_; }
    void SetControlType(int32_t value);
    bool UseParentFormhDC() const { return useParentFormhDC_; }
    void SetUseParentFormhDC(bool value);
    bool UseCustomForeColor() const { return useCustomForeColor_; }
    void SetUseCustomForeColor(bool value);
    uint32_t BackColor() const { return SurfaceBackColor(); }
    void SetBackColor(uint32_t value);
    int32_t BackStyle() const { return backStyle_; }
    void SetBackStyle(int32_t value);
    bool Themed() const { return themed_; }
    void SetThemed(bool value);
    // The caption colour shown now (grey while disabled).
    uint32_t ForeColor() const { return SurfaceForeColor(); }
    void SetForeColor(uint32_t value);
    bool Enabled() const { return SurfaceEnabled(); }
    void SetEnabled(bool value);
    int32_t Value() const { return value_; }
    void SetValue(int32_t value);
    void SetFont(const host::FontDescription& value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    HWND hWnd() const { return Handle(); }
    HDC hDC() const { return SurfaceDC(); }
    void MyParent_Resize() { Redraw(); }
    void MyParent_Paint() { Redraw(); }
    void Refresh() override;

    // Current look and layout, for tests and tools.
    int32_t State() const { return state_; }
    bool HasFocus() const { return hasFocus_; }
    int32_t TextLeft() const { return textLeft_; }
    uint32_t RememberedForeColor() const { return rememberedForeColor_; }

    // Events; X and Y in twips of the control.
    std::function<void()> Click, DblClick, MouseLeave;
    std::function<void(int16_t button, int16_t shift, float x, float y)> MouseDown, MouseMove, MouseUp;

    void SetTag(std::string tag) { tag_ = std::move(tag); }

    // FormControl
    host::ControlKind Kind() const override { return host::ControlKind::OptionCheck; }
    host::WindowHandle Window() const override { return reinterpret_cast<host::WindowHandle>(Handle()); }
    std::string Tag() const override { return tag_; }
    bool HasFont() const override { return true; }
    bool TrySetEnabled(bool enabled) override;
    bool TrySetVisible(bool visible) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResize() override { Redraw(); }
    void RepaintForFont() override { Redraw(); }

private:
    explicit XPOptionCheck(host::ControlPlacement site);

    // Painting (PaintOptionCheck_win.cpp).
    void Redraw();
    void PaintButton(int32_t& state);
    void DrawFocus();
    void CopyParentBackground();
    RECT GetRectInParent() const;
    void ClearOptionSiblings();

    // Keyboard (OptionCheckKeyboard_win.cpp).
    bool HandleKey(WPARAM key);
    void ChooseByKey();
    void MoveToSibling(bool forward);

    host::LoadedLibrary shell32Handle_{"shell32.dll"};
    uint32_t rememberedForeColor_ = OleColours::ButtonText;
    bool useCustomForeColor_ = false;
    int32_t backStyle_ = BackStyles::Transparent;
    bool themed_ = true;
    int32_t value_ = 0;
    bool useParentFormhDC_ = false;
    std::string caption_;
    int32_t state_ = 0;
    int32_t controlType_ = 0;
    bool hasFocus_ = false;
    bool hovering_ = false;  // the pointer is inside and captured
    bool hasAccessKey_ = false;
    int32_t textLeft_ = 0;
    bool leftDown_ = false;
    bool redrawing_ = false;
    std::string tag_;
};

}  // namespace tarvex::xp
