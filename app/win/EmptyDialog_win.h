#pragma once
// The program's dialogs are made without resource templates, at the scale of
// the screen: an empty template gives the caption and frame, and the dialog
// places its controls in twips when it starts.

#include <windows.h>

#include <string>

#include "controls/host/GdiHandles_win.h"

namespace tarvex::win {

// Shows a modal dialog of `title` owned by `owner`; answers what EndDialog
// was given.
INT_PTR ShowEmptyDialog(HWND owner, const wchar_t* title, DLGPROC procedure, LPARAM parameter);
// Gives the dialog a client area of `width` by `height` twips and centres it
// on its owner, or on the screen when it has none.
void CentreOnOwner(HWND dialog, HWND owner, double width, double height);
// A control of the dialog, shown, placed in twips, in `font`.
HWND AddDialogControl(HWND dialog, HFONT font, const char* className, DWORD style, int id, double left, double top,
                      double width, double height, const std::string& text);

// What the program's modal dialogs share: the empty template, the place
// centred on the owner, the theme's font for their controls, and a dialog
// procedure that lets no exception out.
class EmptyDialog {
public:
    virtual ~EmptyDialog() = default;
    EmptyDialog(const EmptyDialog&) = delete;
    EmptyDialog& operator=(const EmptyDialog&) = delete;

    // Shows the dialog centred on `owner`; true when it ended with IDOK.
    bool ShowModal(HWND owner);

protected:
    // `width` and `height`: the client area, in twips.
    EmptyDialog(const wchar_t* title, double width, double height);

    HWND Handle() const { return window_; }
    HWND AddControl(const char* className, DWORD style, int id, double left, double top, double width, double height,
                    const std::string& text);
    // Makes the controls as the dialog starts; answers the one to focus.
    virtual HWND Start() = 0;
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Shows an error that reached the dialog procedure, in a message box.
    virtual void ShowCaughtError();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const wchar_t* title_;
    double width_, height_;
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    host::FontHandle font_;
};

}  // namespace tarvex::win
