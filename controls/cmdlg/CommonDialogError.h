#pragma once
// The error the dialog control raises: the classic number and description
// plus the source, help file and help context that callers of a common
// dialog control expect. It is a RuntimeError, so the error report and every
// failure trap of the program handle it like any other error.

#include <cstdint>
#include <string>

#include "base/RuntimeError.h"

namespace tarvex::cmdlg {

namespace ErrorNumber {
constexpr int32_t Cancel = 32755;
// The runtime's "no usable printer" error, raised by the printer object.
constexpr int32_t PrinterInformation = 484;
}  // namespace ErrorNumber

class CommonDialogError : public RuntimeError {
public:
    CommonDialogError(int32_t number, std::string source, std::string description, std::string helpFile,
                      int32_t helpContext)
        : RuntimeError(number, std::move(description)),
          source_(std::move(source)),
          helpFile_(std::move(helpFile)),
          helpContext_(helpContext) {}

    const std::string& Source() const { return source_; }
    const std::string& HelpFile() const { return helpFile_; }
    int32_t HelpContext() const { return helpContext_; }

private:
    std::string source_;
    std::string helpFile_;
    int32_t helpContext_;
};

// "Cancel was selected." from the running program.
CommonDialogError CancelSelected();
// A runtime error (5, 6, 484...) with its standard description, from the
// running program, without help.
CommonDialogError RuntimeFailure(int32_t number);

// The program's file name without folder and extension ("tarvex" for
// C:\Tools\tarvex.exe): the source of every error raised here.
std::string ProgramName();
// The running program's full path ("" when the system cannot say).
std::string ProgramPath();
// The same cut for any path; both separators are accepted.
std::string ProgramNameFromPath(const std::string& path);

}  // namespace tarvex::cmdlg
