// The window without a mouse: the order Tab takes through the controls. The
// tab strip lies under its pages and the pages under nothing, so the order
// of the windows on the screen is not the order a person reads them in.
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <algorithm>

#include "app/win/frmUtama_win.h"

namespace tarvex::win {

std::vector<HWND> frmUtama::TabOrder() const {
    std::vector<HWND> order{Text1, cmdBuka, TabStrip1};
    if (ActiveTab == 0) {
        order.push_back(cmbMenit);
        order.push_back(cmbDetik);
        // One stop for the option buttons, at the chosen one; the arrow keys
        // move within them.
        HWND chosen = rdTambah.empty() ? nullptr : rdTambah.front()->hWnd();
        for (const auto& option : rdTambah)
            if (option->Value() == 1) chosen = option->hWnd();
        order.push_back(chosen);
        order.push_back(cmdSync);
    } else {
        order.push_back(comFrom);
        order.push_back(comLan);
        order.push_back(cmdService);
    }
    order.push_back(cmdTutup);
    order.push_back(cmdProses);
    std::erase_if(order, [](HWND window) { return !window || !IsWindowVisible(window) || !IsWindowEnabled(window); });
    return order;
}

void frmUtama::PassFocusOn() {
    const std::vector<HWND> order = TabOrder();
    if (order.empty()) return;
    HWND target = order.front();
    if (lastFocus_ && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        target = lastFocus_;
    SetFocus(target);
}

bool frmUtama::TakeNavigationKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (message.wParam == VK_F1) {
        // What a click on the logo does, for those without a mouse.
        tarvoAsli_Click();
        return true;
    }
    if (message.wParam == VK_RETURN &&
        (GetFocus() == cmdBuka || GetFocus() == cmdTutup || GetFocus() == cmdService || GetFocus() == cmdSync)) {
        SendMessageA(GetFocus(), BM_CLICK, 0, 0);
        return true;
    }
    if (message.wParam != VK_TAB) return false;
    // A dropped list closes first, as it would for any other key.
    for (HWND combo : {cmbMenit, cmbDetik, comFrom, comLan})
        if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    const std::vector<HWND> order = TabOrder();
    if (order.empty()) return true;
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const HWND focus = GetFocus();
    auto at = std::find_if(order.begin(), order.end(),
                           [&](HWND window) { return window == focus || IsChild(window, focus); });
    size_t next = 0;
    if (at == order.end()) {
        next = back ? order.size() - 1 : 0;
    } else {
        const size_t here = static_cast<size_t>(at - order.begin());
        next = back ? (here + order.size() - 1) % order.size() : (here + 1) % order.size();
    }
    HWND target = order[next];
    SetFocus(target);
    // A text reached by Tab is selected whole, ready to be typed over.
    if (target == Text1) SendMessageA(target, EM_SETSEL, 0, -1);
    if (target == cmbMenit || target == cmbDetik || target == comFrom || target == comLan)
        SendMessageA(target, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    // Keyboard use from now on: focus rectangles are drawn.
    SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

}  // namespace tarvex::win
