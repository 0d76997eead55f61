#include <windows.h>

#include <commdlg.h>

#include "controls/cmdlg/FileDialogText.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {

void epCmDlg::ShowOpen() {
    ShowFileDialog(false);
}

void epCmDlg::ShowSave() {
    ShowFileDialog(true);
}

void epCmDlg::ShowFileDialog(bool save) {
    FileDialogProperties properties{defaultFilename_, dialogTitle_, initialDir_, filter_, filterIndex_, multiSelect_};
    FileDialogRequest request = save ? PrepareSaveRequest(properties) : PrepareOpenRequest(properties);

    OPENFILENAMEA record{};
    // The record of the older form, without the members of later systems.
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record.hwndOwner = static_cast<HWND>(OwnerWindow());
    record.lpstrFilter = request.Filter.data();
    record.nFilterIndex = static_cast<DWORD>(request.FilterIndex);
    record.lpstrFile = request.FileBuffer.data();
    record.nMaxFile = static_cast<DWORD>(request.FileBuffer.size());
    record.lpstrFileTitle = request.TitleBuffer.data();
    record.nMaxFileTitle = static_cast<DWORD>(request.TitleBuffer.size());
    record.lpstrInitialDir = request.InitialDir.data();
    record.lpstrTitle = request.Title.data();
    record.Flags = request.Flags;

    BOOL chosen = save ? GetSaveFileNameA(&record) : GetOpenFileNameA(&record);
    if (!chosen) return DialogClosedWithoutAnswer();
    TakeFileResult(request.FileBuffer);
}

}  // namespace tarvex::cmdlg
