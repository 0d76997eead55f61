#include "controls/host/Surface_win.h"
#include "controls/host/WideText_win.h"

#include "controls/host/ScreenMetrics_win.h"

namespace tarvex::host {

namespace {

constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kButtonText = 0x80000012;

// The classic pointer numbers a form stores, as system cursors.
LPCSTR CursorFor(int16_t pointer) {
    switch (pointer) {
        case 2: return reinterpret_cast<LPCSTR>(IDC_CROSS);
        case 3: return reinterpret_cast<LPCSTR>(IDC_IBEAM);
        case 5:
        case 15: return reinterpret_cast<LPCSTR>(IDC_SIZEALL);
        case 6: return reinterpret_cast<LPCSTR>(IDC_SIZENESW);
        case 7: return reinterpret_cast<LPCSTR>(IDC_SIZENS);
        case 8: return reinterpret_cast<LPCSTR>(IDC_SIZENWSE);
        case 9: return reinterpret_cast<LPCSTR>(IDC_SIZEWE);
        case 10: return reinterpret_cast<LPCSTR>(IDC_UPARROW);
        case 11: return reinterpret_cast<LPCSTR>(IDC_WAIT);
        case 12: return reinterpret_cast<LPCSTR>(IDC_NO);
        case 13: return reinterpret_cast<LPCSTR>(IDC_APPSTARTING);
        case 14: return reinterpret_cast<LPCSTR>(IDC_HELP);
        default: return reinterpret_cast<LPCSTR>(IDC_ARROW);
    }
}

}  // namespace

Surface::Surface() : backColor_(kButtonFace), foreColor_(kButtonText) {
    font_.Name = "MS Sans Serif";
    font_.Size = 8.0f;
}

HWND Surface::CreateSurface(const char* className, DWORD style, int x, int y, int width, int height, HWND parent) {
    RegisterOnce(className, CS_DBLCLKS);
    image_.Resize(width, height);
    SetSurfaceFont(font_);
    SetSurfaceForeColor(foreColor_);
    SetSurfaceFontTransparent(fontTransparent_);
    return CreateBound(className, 0, style | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, "", x, y, width, height,
                       parent);
}

void Surface::SetSurfaceBackColor(uint32_t colour) {
    backColor_ = colour;
}

void Surface::SetSurfaceForeColor(uint32_t colour) {
    foreColor_ = colour;
    SetTextColor(image_.DC(), TranslateColor(colour));
}

void Surface::SetSurfaceFont(const FontDescription& font) {
    FontHandle created = CreateFontFor(font);
    if (!created) return;
    SelectObject(image_.DC(), created.Get());  // the previous font is deselected before it is deleted
    fontHandle_ = std::move(created);
    font_ = font;
}

void Surface::SetSurfaceFontTransparent(bool transparent) {
    fontTransparent_ = transparent;
    SetBkMode(image_.DC(), transparent ? TRANSPARENT : OPAQUE);
}

bool Surface::SurfaceEnabled() const {
    return Handle() ? IsWindowEnabled(Handle()) != FALSE : true;
}

void Surface::SetSurfaceEnabled(bool enabled) {
    if (Handle()) EnableWindow(Handle(), enabled);
}

SIZE Surface::TextSize(const std::string& text) const {
    SIZE size{0, 0};
    // Measured as the whole text in UTF-16: the ...A text calls of GDI read
    // bytes in the font's code page, not in the process's.
    const std::wstring wide = WideText(text);
    GetTextExtentPoint32W(image_.DC(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void Surface::Cls() {
    image_.Fill(TranslateColor(backColor_));
}

void Surface::ShowImage() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

RECT Surface::RectInParent() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Surface::MoveTo(int x, int y, int width, int height) {
    SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Surface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // the image covers everything
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            image_.PaintTo(dc, paint.rcPaint);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_SIZE:
            image_.Resize(LOWORD(lParam), HIWORD(lParam));
            OnResize();
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            // Standard controls inside a container report to the form, as
            // they would on a form without containers.
            if (HWND parent = GetParent(Handle())) return SendMessageA(parent, message, wParam, lParam);
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && mousePointer_ != 0) {
                SetCursor(LoadCursorA(nullptr, CursorFor(mousePointer_)));
                return TRUE;
            }
            break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::host
