#include <unistd.h>

#include <vector>

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

std::string ProgramPath() {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "";
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramName() {
    return ProgramNameFromPath(ProgramPath());
}

}  // namespace tarvex::cmdlg
