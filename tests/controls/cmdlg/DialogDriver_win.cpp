#include "DialogDriver_win.h"

#include <dlgs.h>

#include <chrono>

namespace tarvex::cmdlg::test {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kOpenTimeout = std::chrono::seconds(20);
constexpr auto kCloseTimeout = std::chrono::seconds(10);
constexpr auto kPoll = std::chrono::milliseconds(50);

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    reinterpret_cast<Search*>(data)->found = window;
    return FALSE;
}

HWND OpenDialogOf(DWORD thread) {
    Search search;
    EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, Clock::duration timeout) {
    auto end = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

}  // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> act) : owner_(GetCurrentThreadId()) {
    thread_ = std::thread([this, act = std::move(act)] { Run(act); });
}

DialogDriver::~DialogDriver() {
    // The Show method has returned: a dialog not seen by now never opened.
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void DialogDriver::Run(std::function<void(HWND)> act) {
    HWND dialog = nullptr;
    auto opened = [&] { return stop_ || (dialog = OpenDialogOf(owner_)) != nullptr; };
    if (!WaitUntil(opened, kOpenTimeout) || !dialog) return;
    // Let the dialog finish filling itself before a "user" touches it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    caption_ = caption;
    seen_ = true;
    act(dialog);
    if (WaitUntil([&] { return !IsWindow(dialog); }, kCloseTimeout)) return;
    // The action did not close it (a refused name, a message box on top):
    // cancel whatever is open so the Show method returns.
    forced_ = true;
    for (int attempt = 0; attempt < 20 && IsWindow(dialog); ++attempt) {
        if (HWND top = OpenDialogOf(owner_)) PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeFileNameAndConfirm(HWND dialog, const std::string& name) {
    // The Explorer-style dialog has a combo box for the name, the older one
    // an edit box.
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box || !IsWindowVisible(box)) box = GetDlgItem(dialog, edt1);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressButton(dialog, IDOK);
}

namespace {

void TellSelectionChanged(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

bool SelectComboItemByData(HWND dialog, int id, LRESULT data) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageA(combo, CB_GETITEMDATA, i, 0) != data) continue;
        SendMessageA(combo, CB_SETCURSEL, i, 0);
        TellSelectionChanged(dialog, id);
        return true;
    }
    return false;
}

bool SelectComboItemByText(HWND dialog, int id, const std::string& text) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT index =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return false;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    TellSelectionChanged(dialog, id);
    return true;
}

FormWindow::FormWindow()
    : window_(CreateWindowExA(0, "STATIC", "Form", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

FormWindow::~FormWindow() {
    if (window_) DestroyWindow(window_);
}

}  // namespace tarvex::cmdlg::test
