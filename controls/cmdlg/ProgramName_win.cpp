#include <windows.h>

#include <vector>

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

std::string ProgramName() {
    // Long paths do not fit MAX_PATH: grow until the name is not cut.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size()) return ProgramNameFromPath(std::string(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tarvex::cmdlg
