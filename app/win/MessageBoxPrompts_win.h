#pragma once
// Message boxes of the window, modal to it.

#include <windows.h>

#include "job/ProgressPanel.h"

namespace tarvex::win {

class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;

private:
    HWND owner_;
};

}  // namespace tarvex::win
