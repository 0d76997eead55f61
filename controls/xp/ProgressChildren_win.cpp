#include "controls/xp/ProgressChildren_win.h"
#include "controls/host/WideText_win.h"

#include <vector>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/ScreenMetrics_win.h"

namespace tarvex::xp {

namespace {
constexpr char kPictureClass[] = "TarvexProgressPicture";
constexpr char kLabelClass[] = "TarvexPercentageLabel";
}  // namespace

std::unique_ptr<ProgressPicture> ProgressPicture::Create(HWND parent) {
    std::unique_ptr<ProgressPicture> picture(new ProgressPicture());
    // Hidden until a classic progress bar is drawn.
    picture->CreateSurface(kPictureClass, 0, 1, 1, 1, 1, parent);
    return picture;
}

std::unique_ptr<PercentageLabel> PercentageLabel::Create(host::Surface& surface) {
    std::unique_ptr<PercentageLabel> label(new PercentageLabel(surface));
    RegisterOnce(kLabelClass, 0);
    // Hidden until a themed bar shows its percentage.
    label->CreateBound(kLabelClass, 0, WS_CHILD, "0 %", 0, 0, 1, 1, surface.Handle());
    return label;
}

void PercentageLabel::SetText(const std::string& text) {
    if (Text() == text) return;
    SetWindowTextA(Handle(), text.c_str());
}

std::string PercentageLabel::Text() const {
    std::vector<char> buffer(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1);
    const int length = GetWindowTextA(Handle(), buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void PercentageLabel::Place(int left, int top) {
    const SIZE size = surface_.TextSize(Text());
    SetWindowPos(Handle(), HWND_TOP, left, top, size.cx, size.cy, SWP_NOACTIVATE);
}

void PercentageLabel::Show(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

bool PercentageLabel::IsShown() const {
    return (GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void PercentageLabel::Redraw() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT PercentageLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_SETTEXT: {
            LRESULT result = WindowBase::HandleMessage(message, wParam, lParam);
            Redraw();
            return result;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            RECT client;
            GetClientRect(Handle(), &client);
            POINT origin{0, 0};
            MapWindowPoints(Handle(), surface_.Handle(), &origin, 1);
            BitBlt(dc, 0, 0, client.right, client.bottom, surface_.SurfaceDC(), origin.x, origin.y, SRCCOPY);
            const std::string text = Text();
            HGDIOBJ font = GetCurrentObject(surface_.SurfaceDC(), OBJ_FONT);
            host::SelectedObject selected(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            const std::wstring wide = host::WideText(text);
            DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &client, DT_SINGLELINE | DT_NOPREFIX);
            EndPaint(Handle(), &paint);
            return 0;
        }
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::xp
