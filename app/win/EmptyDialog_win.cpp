#include "app/win/EmptyDialog_win.h"

#include <cwchar>
#include <vector>

#include "base/RuntimeError.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::win {

INT_PTR ShowEmptyDialog(HWND owner, const wchar_t* title, DLGPROC procedure, LPARAM parameter) {
    // DLGTEMPLATE, then no menu, the standard dialog class and the title with
    // its ending zero, all in WORDs (the template is WORD-packed; the vector's
    // storage is aligned for the DWORDs at its start).
    constexpr size_t kHeadWords = sizeof(DLGTEMPLATE) / sizeof(WORD);
    const size_t titleLength = std::wcslen(title);
    std::vector<WORD> words(kHeadWords + 2 + titleLength + 1, 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog->cx = 200;
    dialog->cy = 100;
    for (size_t at = 0; at < titleLength; ++at) words[kHeadWords + 2 + at] = static_cast<WORD>(title[at]);
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog, owner, procedure, parameter);
}

namespace {

int PixelsX(double twips) {
    return host::TwipsToPixels(twips, host::ScreenTwipsPerPixelX());
}
int PixelsY(double twips) {
    return host::TwipsToPixels(twips, host::ScreenTwipsPerPixelY());
}

}  // namespace

void CentreOnOwner(HWND dialog, HWND owner, double width, double height) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, PixelsX(width), PixelsY(height)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT ownerPlace{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &ownerPlace);
    const int x = ownerPlace.left + (ownerPlace.right - ownerPlace.left - frameWidth) / 2;
    const int y = ownerPlace.top + (ownerPlace.bottom - ownerPlace.top - frameHeight) / 2;
    SetWindowPos(dialog, nullptr, x, y, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND AddDialogControl(HWND dialog, HFONT font, const char* className, DWORD style, int id, double left, double top,
                      double width, double height, const std::string& text) {
    HWND control = CreateWindowExA(
        0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, PixelsX(left), PixelsY(top), PixelsX(width),
        PixelsY(height), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

EmptyDialog::EmptyDialog(const wchar_t* title, double width, double height)
    : title_(title), width_(width), height_(height) {}

bool EmptyDialog::ShowModal(HWND owner) {
    owner_ = owner;
    const INT_PTR result = ShowEmptyDialog(owner, title_, DialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result == IDOK;
}

HWND EmptyDialog::AddControl(const char* className, DWORD style, int id, double left, double top, double width,
                             double height, const std::string& text) {
    return AddDialogControl(window_, font_.Get(), className, style, id, left, top, width, height, text);
}

void EmptyDialog::ShowCaughtError() {
    MessageBoxA(window_, ErrorReportText(CaughtError()).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CALLBACK EmptyDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self =
        reinterpret_cast<EmptyDialog*>(message == WM_INITDIALOG ? lParam : GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    // Nothing may leave a dialog procedure: it would unwind through the system.
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(window, DWLP_USER, lParam);
            self->window_ = window;
            self->font_ = host::CreateFontFor({xp::GetThemeFontName(), 8.25f});
            HWND focus = self->Start();
            CentreOnOwner(window, self->owner_, self->width_, self->height_);
            SetFocus(focus);
            return FALSE;  // the focus is set
        }
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        self->ShowCaughtError();
        return TRUE;
    }
}

}  // namespace tarvex::win
