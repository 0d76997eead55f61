// Files handed over by the shell open the way Open opens the chosen file: the
// one on the command line at start, and the first of those dropped on the
// window.

#include <windows.h>

#include "app/win/FileArguments_win.h"
#include "app/win/frmUtama_win.h"

namespace tarvex::win {

void frmUtama::AcceptShellFiles() {
    DragAcceptFiles(Handle(), TRUE);
    std::string path = FileFromCommandLine(GetCommandLineW());
    if (!path.empty()) OpenInputFile(path);
}

void frmUtama::Form_DragDrop(HDROP drop) {
    std::string path = FirstDroppedFile(drop);
    DragFinish(drop);
    // A run in progress keeps its input, as it keeps it from Open.
    if (!path.empty() && !busy_) OpenInputFile(path);
}

}  // namespace tarvex::win
