// Sync from the main window: the dialog finds the fit, and the window writes
// it as Process writes a shift, on its own panel and with its own messages.

#include <windows.h>

#include "app/win/ProgramInfo_win.h"
#include "app/win/RegistrySettings_win.h"
#include "app/win/frmSync_win.h"
#include "app/win/frmUtama_win.h"
#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/BusyState.h"
#include "job/ProcessCheck.h"
#include "job/RunEnvironment.h"
#include "sync/SyncRun.h"

namespace tarvex::win {

void frmUtama::cmdSync_Click() {
    if (busy_ || !IsWindowEnabled(cmdSync)) return;
    const int length = GetWindowTextLengthA(Text1);
    std::string path(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(Text1, path.data(), length + 1);
    path.resize(static_cast<size_t>(length));
    // The file may have gone since it was chosen.
    if (!SystemFileSystem().FileExists(path)) {
        prompts_.ShowMessage(kFileNotFoundText, kFileNotFoundTitle, MessageIcon::Exclamation);
        return;
    }
    try {
        frmSync dialog(path, sync_);
        const bool apply = dialog.ShowModal(Handle());
        sync_ = dialog.Choice();
        // Kept at once: a window that never closes normally loses nothing.
        RegistrySettings store(ProgramTitle(), "Options");
        SaveSyncChoice(store, sync_);
        if (!apply) return;
        SetStatus(kStatusRunning);
        BusyState busy(*this);
        RunEnvironment environment{*this, prompts_, SystemFileSystem(), ShiftNameNumber, TranslateNameNumber, &busy};
        RunSync(path, dialog.Finding().Map, environment);
    } catch (...) {
        ShowErrorReport(prompts_, CaughtError());
    }
}

}  // namespace tarvex::win
