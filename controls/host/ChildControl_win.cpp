#include "controls/host/ChildControl_win.h"

#include "base/Rounding.h"
#include "controls/host/ScreenMetrics_win.h"

namespace tarvex::host {

namespace {
ControlKind KindOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, "Edit") == 0) return ControlKind::TextBox;
    if (lstrcmpiA(name, "Static") == 0) return ControlKind::Label;
    return ControlKind::Other;
}
int Pixels(double twips, double twipsPerPixel) {
    return static_cast<int>(RoundHalfEven(twips / twipsPerPixel));
}
}  // namespace

ChildControl::ChildControl(HWND window, std::string tag, const FontDescription& font)
    : window_(window), kind_(KindOf(window)), tag_(std::move(tag)), font_(font) {
    ApplyFont();
}

WindowHandle ChildControl::ContainerWindow() const {
    return reinterpret_cast<WindowHandle>(GetParent(window_));
}

RECT ChildControl::RectInParent() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

double ChildControl::Left() const {
    return RectInParent().left * ScreenTwipsPerPixelX();
}
double ChildControl::Top() const {
    return RectInParent().top * ScreenTwipsPerPixelY();
}

void ChildControl::SetLeft(double twips) {
    const RECT r = RectInParent();
    SetWindowPos(window_, nullptr, Pixels(twips, ScreenTwipsPerPixelX()), r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::SetTop(double twips) {
    const RECT r = RectInParent();
    SetWindowPos(window_, nullptr, r.left, Pixels(twips, ScreenTwipsPerPixelY()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::SetFontName(const std::string& name) {
    font_.Name = name;
    ApplyFont();
}

void ChildControl::ApplyFont() {
    FontHandle created = CreateFontFor(font_);
    if (!created) return;
    // The control keeps using the font it is given: the old one goes only
    // after the new one is in place.
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(created.Get()), TRUE);
    fontHandle_ = std::move(created);
}

bool ChildControl::TrySetEnabled(bool enabled) {
    EnableWindow(window_, enabled);
    return true;
}

bool ChildControl::TrySetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    return true;
}

void ChildControl::Refresh() {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

}  // namespace tarvex::host
