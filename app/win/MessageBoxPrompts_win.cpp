#include "app/win/MessageBoxPrompts_win.h"

namespace tarvex::win {

void MessageBoxPrompts::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    UINT style = MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
    MessageBoxA(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace tarvex::win
