#pragma once
// Drives a modal common dialog from a second thread while the test's thread
// is blocked inside the Show method: it waits for the dialog window of the
// test's thread, acts on it like a user, and makes sure it goes away. Every
// wait is bounded, so a dialog that never opens or never closes fails the
// test instead of hanging it.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tarvex::cmdlg::test {

class DialogDriver {
public:
    // Acts on the first dialog the calling thread shows.
    explicit DialogDriver(std::function<void(HWND)> act);
    // Joins the helper thread; closes a dialog still open by then.
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Valid once the Show method has returned.
    bool DialogSeen() const { return seen_; }
    const std::string& Caption() const { return caption_; }
    // The dialog was still open after the action and had to be cancelled.
    bool ForcedClose() const { return forced_; }

private:
    void Run(std::function<void(HWND)> act);

    DWORD owner_;
    std::atomic<bool> seen_{false};
    std::atomic<bool> forced_{false};
    std::atomic<bool> stop_{false};
    std::string caption_;
    std::thread thread_;
};

// User actions on a dialog.
void PressButton(HWND dialog, int id);
// Types into the file name box and presses the OK button.
void TypeFileNameAndConfirm(HWND dialog, const std::string& name);
// Sets the text of a dialog item as typing would (its owner is notified).
void SetItemText(HWND dialog, int id, const std::string& text);
// Selects the list item with the given item data in a combo box and tells
// the dialog, as a click would.
bool SelectComboItemByData(HWND dialog, int id, LRESULT data);
// Selects the list item with the given text in a combo box.
bool SelectComboItemByText(HWND dialog, int id, const std::string& text);

// A hidden top-level window of the test's thread standing for the form.
class FormWindow {
public:
    FormWindow();
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

}  // namespace tarvex::cmdlg::test
