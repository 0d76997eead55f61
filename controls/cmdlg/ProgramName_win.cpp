#include <windows.h>

#include <vector>

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

std::string ProgramPath() {
    // Long paths do not fit MAX_PATH: grow until the name is not cut.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramName() {
    return ProgramNameFromPath(ProgramPath());
}

}  // namespace tarvex::cmdlg
