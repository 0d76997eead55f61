// Start-up: version, screen and theme checks, the common controls, and the
// main window with its message loop.

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "app/StartupChecks.h"
#include "app/win/ProgramInfo_win.h"
#include "app/win/frmUtama_win.h"
#include "controls/host/WindowBase_win.h"
#include "controls/xp/IsVista.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::win {

namespace {

OsVersion GetOsVersion() {
    // GetVersion is the one call that answers on every system; only the two
    // low bytes are needed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    OsVersion version = OsVersionFromWord(GetVersion());
#pragma GCC diagnostic pop
    IsVista = version.Major == 6;
    int dotsPerInch = 0;
    if (HDC screen = GetDC(nullptr)) {
        dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    if (NeedsDpiWarning(dotsPerInch)) MessageBoxA(nullptr, kDpiWarningText, ProgramTitle().c_str(), MB_OK);
    return version;
}

void InitialiseCommonControls() {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    // The tab strip is the platform's tab control.
    INITCOMMONCONTROLSEX tabs{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&tabs);
}

}  // namespace

int Main() {
    OsVersion version = GetOsVersion();
    HWND desktop = nullptr;
    if (!xp::IsThemed(desktop, false))
        MessageBoxA(nullptr, ComposeThemeNotice(version).c_str(), kThemeNoticeTitle, MB_OK | MB_ICONINFORMATION);
    InitialiseCommonControls();

    frmUtama form;
    form.Form_Load();
    form.AcceptShellFiles();
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    UpdateWindow(form.Handle());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (form.TakeNavigationKey(message)) continue;
        // Enter for Process, the arrow keys, Esc and the access keys.
        if (IsDialogMessageA(form.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace tarvex::win

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return tarvex::win::Main();
    } catch (...) {
        // Failures inside the window are reported where they happen; this is
        // for the start-up before it, which would otherwise end unexplained.
        tarvex::host::ShowEscapedError(nullptr);
        return 1;
    }
}
