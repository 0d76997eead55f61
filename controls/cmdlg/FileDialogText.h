#pragma once
// The text side of the open and save dialogs, free of any platform call:
// the buffers and flags handed to the dialog, and the reading of its answer.

#include <cstdint>
#include <string>

#include "controls/cmdlg/StringCollection.h"

namespace tarvex::cmdlg {

// The filter with every "|" turned into a NUL, length unchanged.
std::string ConvertFilter(std::string filter);

// What the caller's properties turn into for one file dialog. Every text is
// complete with its terminating NULs, so `.data()` goes to the record as is.
struct FileDialogRequest {
    uint32_t Flags = 0;
    std::string FileBuffer;   // its size is the record's maximum file length
    std::string TitleBuffer;  // its size is the record's maximum title length
    std::string Filter;
    std::string InitialDir;
    std::string Title;
    int32_t FilterIndex = 0;
};

struct FileDialogProperties {
    std::string DefaultFilename;
    std::string DialogTitle;
    std::string InitialDir;
    std::string Filter;
    int16_t FilterIndex = 1;
    bool MultiSelect = false;
};

// Error 5 when `DefaultFilename` does not fit the file buffer.
FileDialogRequest PrepareOpenRequest(const FileDialogProperties& properties);
// As the open request without multiple selection, flags of a save dialog.
FileDialogRequest PrepareSaveRequest(const FileDialogProperties& properties);

struct FileResult {
    StringCollection FileNames;   // full paths, in the dialog's order
    StringCollection FileTitles;  // the bare names of the same files
};

// Reads the dialog's file buffer: one full path, or a folder and names
// separated by NULs. Error 5 when the buffer holds no NUL pair, 6 when the
// pair lies beyond position 32767.
FileResult ParseFileResult(const std::string& buffer);

}  // namespace tarvex::cmdlg
