#pragma once
// frmAbout: the About box, modal to the main window: icon, title, version,
// description, credit line, the maker's link and OK (Enter and Esc close it).

#include <windows.h>

#include "controls/host/GdiHandles_win.h"

namespace tarvex::win {

// A dialog of the system's dialog manager, which gives it the modal loop,
// the owner's disabling and Enter and Esc.
class frmAbout {
public:
    frmAbout() = default;
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Shows the box centred on `owner` and returns when it is closed; the
    // owner takes no input meanwhile, but its timers go on.
    void ShowModal(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PlaceOverOwner();
    HWND Handle() const { return window_; }

    void CreateControls();
    HWND AddLabel(int id, double left, double top, double width, double height, const char* text, DWORD style = 0);
    int PixelsX(double twips) const;
    int PixelsY(double twips) const;
    void cmdOK_Click();
    void Label2_Click();

    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    HWND Label2 = nullptr;
    HWND cmdOK = nullptr;
    host::FontHandle font_, boldFont_;
    host::IconHandle icon_;
};

}  // namespace tarvex::win
