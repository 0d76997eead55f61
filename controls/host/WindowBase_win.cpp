#include "controls/host/WindowBase_win.h"

#include "base/RuntimeError.h"

namespace tarvex::host {

namespace {
// Marks windows whose user data is a WindowBase, so FromHandle never
// reinterprets another class's data.
constexpr char kBoundProperty[] = "TarvexWindowBase";
}  // namespace

void ShowEscapedError(HWND owner) {
    // Anything thrown here would end the program without a word.
    try {
        const std::string text = ErrorReportText(CaughtError());
        MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
    }
}

WindowBase::~WindowBase() {
    if (window_) {
        HWND window = window_;
        window_ = nullptr;
        RemovePropA(window, kBoundProperty);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

WindowBase* WindowBase::FromHandle(HWND window) {
    if (!window || !GetPropA(window, kBoundProperty)) return nullptr;
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void WindowBase::RegisterOnce(const char* className, UINT style, HBRUSH background) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &WindowBase::StaticProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

HWND WindowBase::CreateBound(const char* className, DWORD exStyle, DWORD style, const char* text, int x, int y,
                             int width, int height, HWND parent) {
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), this);
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropA(window, kBoundProperty, reinterpret_cast<HANDLE>(1));
    }
    WindowBase* self = FromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kBoundProperty);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowEscapedError(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace tarvex::host
