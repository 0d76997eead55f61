#include "controls/host/ThemedForm_win.h"

#include <algorithm>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/ScreenMetrics_win.h"

namespace tarvex::host {

namespace {
constexpr char kFormClass[] = "TarvexHostForm";
}

PaintTarget* PaintTarget::FromWindow(HWND window) {
    return dynamic_cast<PaintTarget*>(WindowBase::FromHandle(window));
}

ThemedForm::ThemedForm(std::string name, const char* title, int clientWidth, int clientHeight)
    : name_(std::move(name)) {
    RegisterOnce(kFormClass, 0);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    image_.Resize(clientWidth, clientHeight);
    ClearTarget();
    CreateBound(kFormClass, 0, style, title, 0, 0, frame.right - frame.left, frame.bottom - frame.top, nullptr);
}

void ThemedForm::RemoveControl(FormControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

double ThemedForm::TwipsPerPixelX() const {
    return ScreenTwipsPerPixelX();
}
double ThemedForm::TwipsPerPixelY() const {
    return ScreenTwipsPerPixelY();
}

void ThemedForm::SubscribeFormEvents(const void* owner, std::function<void()> onResize, std::function<void()> onPaint) {
    UnsubscribeFormEvents(owner);
    subscriptions_.push_back({owner, std::move(onResize), std::move(onPaint)});
}

void ThemedForm::UnsubscribeFormEvents(const void* owner) {
    std::erase_if(subscriptions_, [&](const Subscription& s) { return s.Owner == owner; });
}

void ThemedForm::SetTargetBackColor(uint32_t oleColour) {
    backColor_ = oleColour;
    ClearTarget();
}

void ThemedForm::ClearTarget() {
    image_.Fill(TranslateColor(backColor_));
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void ThemedForm::Notify(bool resize) {
    // A control may unsubscribe from inside its handler.
    const auto subscriptions = subscriptions_;
    for (const auto& s : subscriptions) {
        const auto& handler = resize ? s.OnResize : s.OnPaint;
        if (handler) handler();
    }
}

void ThemedForm::AppearanceChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    ClearTarget();
    PassToControls(message, wParam, lParam);
}

void ThemedForm::PassToControls(UINT message, WPARAM wParam, LPARAM lParam) {
    struct Message {
        UINT Id;
        WPARAM W;
        LPARAM L;
    } passed{message, wParam, lParam};
    // Parents come before their children in this walk.
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM context) -> BOOL {
            const auto* m = reinterpret_cast<const Message*>(context);
            SendMessageA(child, m->Id, m->W, m->L);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&passed));
}

LRESULT ThemedForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE: AppearanceChanged(message, wParam, lParam); break;  // the default handling still follows
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            if (autoRedraw_) {
                image_.PaintTo(dc, paint.rcPaint);
            } else {
                BrushHandle brush(CreateSolidBrush(TranslateColor(backColor_)));
                FillRect(dc, &paint.rcPaint, brush.Get());
            }
            EndPaint(Handle(), &paint);
            // With a persistent image the form itself has nothing to repaint.
            if (!autoRedraw_) Notify(false);
            return 0;
        }
        case WM_SIZE:
            image_.Resize(LOWORD(lParam), HIWORD(lParam));
            Notify(true);
            return 0;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace tarvex::host
