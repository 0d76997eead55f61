#include "app/win/ProgramInfo_win.h"

#include "base/PathNames.h"
#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::win {

std::string ProgramTitle() {
    return cmdlg::ProgramName();
}

std::string ProgramFolder() {
    return FolderOf(cmdlg::ProgramPath());
}

}  // namespace tarvex::win
