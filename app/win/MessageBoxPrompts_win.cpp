#include "app/win/MessageBoxPrompts_win.h"

namespace tarvex::win {

void MessageBoxPrompts::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    UINT style = MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
    MessageBoxA(owner_, text.c_str(), title.c_str(), style);
}

bool MessageBoxPrompts::AskYesNo(const std::string& text, const std::string& title) {
    return MessageBoxA(owner_, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tarvex::win
