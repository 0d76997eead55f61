#include "app/win/LogoView_win.h"

#include "app/win/res/resource.h"
#include "controls/host/GdiHandles_win.h"
#include "controls/host/Surface_win.h"

namespace tarvex::win {

namespace {

constexpr char kClassName[] = "TarvexLogoView";

host::IconHandle LoadIconOfSize(int id, int size) {
    return host::IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

LogoView::LogoView(double twipsPerPixelX, double twipsPerPixelY)
    : twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY) {}

std::unique_ptr<LogoView> LogoView::Create(HWND parent, int id, int x, int y, int size, double twipsPerPixelX,
                                           double twipsPerPixelY) {
    RegisterOnce(kClassName, 0);
    std::unique_ptr<LogoView> view(new LogoView(twipsPerPixelX, twipsPerPixelY));
    view->size_ = size;
    view->logo_ = LoadIconOfSize(IDI_LOGO, size);
    for (int frame = 0; frame < 4; ++frame) view->frames_[frame] = LoadIconOfSize(IDI_LOGO_FRAME1 + frame, size);
    HWND window =
        view->CreateBound(kClassName, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, "", x, y, size, size, parent);
    SetWindowLongPtrA(window, GWLP_ID, id);
    return view;
}

void LogoView::SetFrameVisible(int frame, bool visible) {
    if (frame < 1 || frame > 4) return;
    shown_[frame - 1] = visible;
    InvalidateRect(Handle(), nullptr, FALSE);
}

int LogoView::VisibleFrames() const {
    int count = 0;
    for (bool shown : shown_) count += shown ? 1 : 0;
    return count;
}

void LogoView::Paint(HDC target) {
    // Drawn off screen and copied at once, so the frames never flicker.
    host::MemoryDC memory(target);
    host::BitmapHandle bitmap(CreateCompatibleBitmap(target, size_, size_));
    host::SelectedObject selected(memory.Get(), bitmap.Get());
    HDC dc = memory.Get();
    RECT all{0, 0, size_, size_};
    auto* container = dynamic_cast<host::Surface*>(host::WindowBase::FromHandle(GetParent(Handle())));
    if (container != nullptr) {
        RECT place;
        GetWindowRect(Handle(), &place);
        MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&place), 2);
        BitBlt(dc, 0, 0, size_, size_, container->SurfaceDC(), place.left, place.top, SRCCOPY);
    } else {
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    for (int frame = 0; frame < 4; ++frame)
        if (shown_[frame] && frames_[frame])
            DrawIconEx(dc, 0, 0, frames_[frame].Get(), size_, size_, 0, nullptr, DI_NORMAL);
    if (logo_) DrawIconEx(dc, 0, 0, logo_.Get(), size_, size_, 0, nullptr, DI_NORMAL);
    BitBlt(target, 0, 0, size_, size_, dc, 0, 0, SRCCOPY);
}

LRESULT LogoView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            Paint(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_MOUSEMOVE: {
            if (!tracking_) {
                // Told when the pointer leaves, however fast it crosses the edge.
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                tracking_ = TrackMouseEvent(&track) != FALSE;
            }
            double x = static_cast<short>(LOWORD(lParam)) * twipsPerPixelX_;
            double y = static_cast<short>(HIWORD(lParam)) * twipsPerPixelY_;
            if (MouseMove) MouseMove(x, y);
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (MouseLeave) MouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP: {
            bool wasPressed = pressed_;
            pressed_ = false;
            ReleaseCapture();
            if (MouseUp) MouseUp();
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT all{0, 0, size_, size_};
            if (wasPressed && PtInRect(&all, at) && Click) Click();
            return 0;
        }
        case WM_SETCURSOR:
            // An arrow with a question mark: the logo tells about the program.
            SetCursor(LoadCursorA(nullptr, IDC_HELP));
            return TRUE;
        case LVM_GETFRAMES: return VisibleFrames();
        default: break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::win
