#include <unistd.h>

#include <vector>

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

std::string ProgramName() {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "";
        if (static_cast<size_t>(length) < buffer.size()) return ProgramNameFromPath(std::string(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tarvex::cmdlg
