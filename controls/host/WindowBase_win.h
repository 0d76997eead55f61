#pragma once
// The base of every window class of the controls: a static window procedure
// binds the C++ object to its window on WM_NCCREATE and forwards every
// message to the object's handler.

#include <windows.h>

namespace tarvex::host {

// Shows the exception being handled as the error report, owned by `owner`.
// For window procedures, which must let no exception pass back into the
// system; only for use inside a catch block.
void ShowEscapedError(HWND owner);

class WindowBase {
public:
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return window_; }

    // The object bound to `window` when it is of a class registered here.
    static WindowBase* FromHandle(HWND window);

protected:
    WindowBase() = default;

    // Registers the class once per process (later calls do nothing).
    static void RegisterOnce(const char* className, UINT style, HBRUSH background = nullptr);
    // Creates the window and binds it to this object.
    HWND CreateBound(const char* className, DWORD exStyle, DWORD style, const char* text, int x, int y, int width,
                     int height, HWND parent);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

}  // namespace tarvex::host
