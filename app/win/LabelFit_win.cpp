#include "app/win/LabelFit_win.h"

#include <algorithm>

namespace tarvex::win {

void WidenLabelToText(HWND label, int widest) {
    char text[256];
    int length = GetWindowTextA(label, text, sizeof text);
    HDC dc = GetDC(label);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, length, &extent);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    RECT place;
    GetWindowRect(label, &place);
    int width = std::min(static_cast<int>(extent.cx) + 2, widest);
    if (width > place.right - place.left)
        SetWindowPos(label, nullptr, 0, 0, width, place.bottom - place.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tarvex::win
