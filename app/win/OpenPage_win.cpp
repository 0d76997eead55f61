#include "app/win/OpenPage_win.h"

#include <shellapi.h>

namespace tarvex::win {

void OpenPage(HWND owner, const ShellOpen& page) {
    ShellExecuteA(owner, page.Verb.c_str(), page.Address.c_str(),
                  page.Parameters.empty() ? nullptr : page.Parameters.c_str(), page.Folder.c_str(), page.ShowCommand);
}

}  // namespace tarvex::win
