#include "app/win/EmptyDialog_win.h"

#include <cwchar>
#include <vector>

#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"

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

}  // namespace tarvex::win
