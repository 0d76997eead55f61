// XPOptionCheck from the keyboard: Space chooses the focused control, the
// arrow keys move to the previous or next option button of the same
// container and choose it, as a group of option buttons does on Windows.
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"

namespace tarvex::xp {

bool XPOptionCheck::HandleKey(WPARAM key) {
    switch (key) {
        case VK_SPACE: ChooseByKey(); return true;
        case VK_UP:
        case VK_LEFT:
        case VK_DOWN:
        case VK_RIGHT:
            if (controlType_ != ControlTypes::OptionButton) return false;
            MoveToSibling(key == VK_DOWN || key == VK_RIGHT);
            return true;
    }
    return false;
}

void XPOptionCheck::ChooseByKey() {
    if (!Enabled()) return;
    if (controlType_ == ControlTypes::OptionButton) ClearOptionSiblings();
    value_ = ValueAfterKeyPress(controlType_, value_);  // as a click does: the host is not told
    state_ = StateFor(true, value_, state_);
    Redraw();
    if (Click) Click();
}

void XPOptionCheck::MoveToSibling(bool forward) {
    if (!site_.Form) return;
    std::vector<XPOptionCheck*> group;
    size_t self = 0;
    for (host::FormControl* control : site_.Form->Controls()) {
        if (control->Kind() != host::ControlKind::OptionCheck || control->ContainerWindow() != ContainerWindow())
            continue;
        XPOptionCheck* option = FromWindow(reinterpret_cast<HWND>(control->Window()));
        if (!option || option->ControlType() != ControlTypes::OptionButton) continue;
        const bool shown = GetWindowLongPtrA(option->Handle(), GWL_STYLE) & WS_VISIBLE;
        if (option != this && (!option->Enabled() || !shown)) continue;
        if (option == this) self = group.size();
        group.push_back(option);
    }
    if (group.size() < 2) return;
    const size_t next = forward ? (self + 1) % group.size() : (self + group.size() - 1) % group.size();
    SetFocus(group[next]->Handle());
    group[next]->ChooseByKey();
}

}  // namespace tarvex::xp
