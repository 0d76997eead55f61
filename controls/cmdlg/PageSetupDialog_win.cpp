#include <windows.h>

#include <commdlg.h>

#include "controls/cmdlg/GlobalBlock_win.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {

void epCmDlg::ShowPageSetup() {
    PAGESETUPDLGA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = static_cast<HWND>(OwnerWindow());

    BOOL chosen = PageSetupDlgA(&record);
    // The dialog may hand back printer blocks, after OK or not; nothing
    // reads them, so they go at once.
    GlobalBlock devMode;
    devMode.Adopt(record.hDevMode);
    GlobalBlock devNames;
    devNames.Adopt(record.hDevNames);
    if (!chosen) DialogClosedWithoutAnswer();
}

}  // namespace tarvex::cmdlg
