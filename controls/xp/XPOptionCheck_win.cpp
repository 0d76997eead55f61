#include "controls/xp/XPOptionCheck_win.h"

#include <windowsx.h>

#include "base/Rounding.h"
#include "controls/host/IgnoreFailure.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::xp {

namespace {
constexpr char kOptionCheckClass[] = "TarvexXPOptionCheck";
}  // namespace

XPOptionCheck::XPOptionCheck(host::ControlPlacement site) : SitedControl(std::move(site)) {}

std::unique_ptr<XPOptionCheck> XPOptionCheck::Create(HWND parent, int x, int y, host::ControlPlacement site) {
    std::unique_ptr<XPOptionCheck> control(new XPOptionCheck(std::move(site)));
    if (!control->CreateSurface(kOptionCheckClass, WS_TABSTOP, x, y, 100, 17, parent)) return nullptr;
    control->InitProperties();
    return control;
}

XPOptionCheck* XPOptionCheck::FromWindow(HWND window) {
    return dynamic_cast<XPOptionCheck*>(host::WindowBase::FromHandle(window));
}

XPOptionCheck::~XPOptionCheck() = default;

// ---- life cycle -------------------------------------------------------------

void XPOptionCheck::InitProperties() {
    const OptionCheckProperties p = NewOptionCheckProperties({site_.DisplayName, site_.AmbientFont});
    SetSurfaceFont(p.Font);
    caption_ = p.Caption;
    hasAccessKey_ = caption_.find('&') != std::string::npos;
    SetWindowTextA(Handle(), caption_.c_str());
    backStyle_ = p.BackStyle;
}

void XPOptionCheck::ReadProperties(const host::PropertyBag& bag) {
    const OptionCheckProperties p = LoadOptionCheckProperties(bag, {site_.DisplayName, site_.AmbientFont});
    SetBackColor(p.BackColor);
    SetForeColor(p.ForeColor);
    themed_ = p.Themed;
    useCustomForeColor_ = p.UseCustomForeColor;
    backStyle_ = p.BackStyle;
    useParentFormhDC_ = p.UseParentFormhDC;
    SetEnabled(p.Enabled);
    value_ = p.Value;
    SetSurfaceFont(p.Font);
    SetCaption(p.Caption);
    LoadFontPartsAndPointer(p.Font, p.FontTransparent, p.MouseIcon, static_cast<int16_t>(p.MousePointer));
    controlType_ = p.ControlType;
    LoadTabStop(p.TabStop);
    SubscribeToForm([this] { MyParent_Resize(); }, [this] { MyParent_Paint(); });
    state_ = StateFor(Enabled(), value_, state_);
    SetSurfaceForeColor(Enabled() ? rememberedForeColor_ : OleColours::GrayText);
    if (themed_) {
        host::IgnoreFailure([&] {
            host::FontDescription font = SurfaceFont();
            font.Name = GetThemeFontName();
            SetSurfaceFont(font);
        });
    }
    Redraw();
}

void XPOptionCheck::WriteProperties(host::PropertyBag& bag) const {
    OptionCheckProperties p;
    p.BackColor = BackColor();
    p.BackStyle = backStyle_;
    p.UseParentFormhDC = useParentFormhDC_;
    p.UseCustomForeColor = useCustomForeColor_;
    p.ForeColor = rememberedForeColor_;
    p.Enabled = Enabled();
    p.Themed = themed_;
    p.Value = value_;
    p.Font = SurfaceFont();
    p.Caption = caption_;
    p.FontTransparent = SurfaceFontTransparent();
    p.MouseIcon = MouseIcon();
    p.MousePointer = SurfaceMousePointer();
    p.ControlType = controlType_;
    p.TabStop = TabStop();
    SaveOptionCheckProperties(p, bag, {site_.DisplayName, site_.AmbientFont});
}

// ---- properties -------------------------------------------------------------

void XPOptionCheck::SetControlType(int32_t value) {
    controlType_ = value;
    Redraw();
    Changed("ControlType");
}

void XPOptionCheck::SetUseParentFormhDC(bool value) {
    useParentFormhDC_ = value;
    Changed("UseParentFormhDC");
}

void XPOptionCheck::SetUseCustomForeColor(bool value) {
    useCustomForeColor_ = value;
    Changed("UseCustomForeColor");
}

void XPOptionCheck::SetBackColor(uint32_t value) {
    SetSurfaceBackColor(value);
    Redraw();
    Changed("BackColor");
}

void XPOptionCheck::SetBackStyle(int32_t value) {
    backStyle_ = value;
    Redraw();
    Changed("BackStyle");
}

void XPOptionCheck::SetThemed(bool value) {
    themed_ = value;
    PaintButton(state_);  // over the current image, not cleared first
    ShowImage();
    Changed("Themed");
}

void XPOptionCheck::SetForeColor(uint32_t value) {
    SetSurfaceForeColor(value);
    rememberedForeColor_ = value;
    Redraw();
    Changed("ForeColor");
}

void XPOptionCheck::SetEnabled(bool value) {
    SetSurfaceEnabled(value);
    state_ = StateFor(value, value_, state_);
    SetSurfaceForeColor(value ? rememberedForeColor_ : OleColours::GrayText);
    Redraw();
    Changed("Enabled");
}

void XPOptionCheck::SetValue(int32_t value) {
    value_ = value;
    state_ = StateFor(Enabled(), value_, state_);
    Redraw();
    Changed("Value");
}

void XPOptionCheck::SetFont(const host::FontDescription& value) {
    SetSurfaceFont(value);
    Redraw();
    Changed("Font");
}

void XPOptionCheck::SetCaption(const std::string& value) {
    hasAccessKey_ = value.find('&') != std::string::npos;
    caption_ = value;
    SetWindowTextA(Handle(), value.c_str());
    Redraw();
    Changed("Caption");
}

void XPOptionCheck::Refresh() {
    Redraw();
    if (Handle()) UpdateWindow(Handle());
}

// ---- host -------------------------------------------------------------------

bool XPOptionCheck::TrySetEnabled(bool enabled) {
    SetEnabled(enabled);
    return true;
}

bool XPOptionCheck::TrySetVisible(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
    return true;
}

// ---- mouse, focus, messages -------------------------------------------------

void XPOptionCheck::ClearOptionSiblings() {
    if (!site_.Form) return;
    const host::WindowHandle container = ContainerWindow();
    for (host::FormControl* control : site_.Form->Controls()) {
        if (control->Kind() != host::ControlKind::OptionCheck) continue;
        if (control->ContainerWindow() != container || control->Window() == Window()) continue;
        XPOptionCheck* sibling = FromWindow(reinterpret_cast<HWND>(control->Window()));
        if (sibling && sibling->ControlType() == ControlTypes::OptionButton && sibling->Value() == 1)
            sibling->SetValue(0);
    }
}

LRESULT XPOptionCheck::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
        case BM_GETCHECK: return value_;
        case BM_SETCHECK: SetValue(static_cast<int32_t>(wParam)); return 0;
        case WM_MOUSEMOVE: {
            const bool outside = x < 0 || x > PixelWidth() || y < 0 || y > PixelHeight();
            if (outside) {
                hovering_ = false;  // the capture is given back on purpose
                state_ = StateAfterLeave(state_);
                Redraw();
                ReleaseCapture();
                if (MouseLeave) MouseLeave();
                return 0;
            }
            hovering_ = true;
            state_ = StateAfterEnter(state_);
            Redraw();
            if (GetCapture() != Handle()) SetCapture(Handle());
            RaiseMouse(MouseMove, ButtonsHeld(wParam), wParam, x, y);
            return 0;
        }
        case WM_LBUTTONDOWN:
            leftDown_ = true;
            if (GetFocus() != Handle()) SetFocus(Handle());
            state_ = StateAfterLeftDown(state_);
            if (controlType_ == ControlTypes::OptionButton) ClearOptionSiblings();
            Redraw();
            RaiseMouse(MouseDown, 1, wParam, x, y);
            return 0;
        case WM_LBUTTONUP: {
            const StateAndValue next = AfterLeftUp(controlType_, state_, value_);
            state_ = next.State;
            value_ = next.Value;  // not through the setter: the host is not told
            Redraw();
            RaiseMouse(MouseUp, 1, wParam, x, y);
            const bool clicked = leftDown_ && x >= 0 && y >= 0 && x < PixelWidth() && y < PixelHeight();
            leftDown_ = false;
            if (clicked && Click) Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, a dialog, a drag): the
            // pointer is as good as gone, and so is a press in progress.
            if (!hovering_) return 0;
            hovering_ = false;
            leftDown_ = false;
            state_ = StateAfterLeave(state_);
            Redraw();
            if (MouseLeave) MouseLeave();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) Redraw();
            break;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            Redraw();  // the image keeps the old look until drawn again
            break;
        case WM_LBUTTONDBLCLK:
            if (DblClick) DblClick();
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return 0;  // only the left button counts
        case WM_GETDLGCODE:
            // Arrows move within the group here; the dialog manager clicks
            // the control (BM_CLICK) for its access key.
            return controlType_ == ControlTypes::OptionButton ? DLGC_WANTARROWS | DLGC_BUTTON | DLGC_RADIOBUTTON
                                                              : DLGC_BUTTON;
        case WM_KEYDOWN:
            if (HandleKey(wParam)) return 0;
            break;
        case BM_CLICK:
            if (GetFocus() != Handle()) SetFocus(Handle());
            ChooseByKey();
            return 0;
        case WM_SETFOCUS:
            hasFocus_ = true;
            Redraw();
            return 0;
        case WM_KILLFOCUS:
            hasFocus_ = false;
            Redraw();
            return 0;
    }
    return Surface::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::xp
