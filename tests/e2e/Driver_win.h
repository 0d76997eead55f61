#pragma once
// Drives the real tarvex.exe as a person would: real mouse clicks and key
// presses (SendInput) at the controls' places on the screen, texts read back
// from the windows, message boxes answered. Every wait has a deadline.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace tarvex::e2e {

using namespace std::chrono_literals;

// Polls `condition` every 20 ms until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

class TarvexProcess {
public:
    TarvexProcess() = default;
    ~TarvexProcess();
    TarvexProcess(const TarvexProcess&) = delete;
    TarvexProcess& operator=(const TarvexProcess&) = delete;

    // Starts tarvex.exe, with `arguments` after its name on the command line,
    // and waits for its main window. A closed program may be started again.
    bool Start(const std::wstring& arguments = L"");
    // Asks the program to close (as the close box does) and waits for its end.
    bool Close();
    bool HasExited(std::chrono::milliseconds timeout = 0ms) const;
    HWND MainWindow() const { return mainWindow_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

private:
    void Release();

    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
};

// A descendant window of `root` by its control identifier; nullptr if none.
HWND FindControl(HWND root, int id);
// The main window's file box and Process button, for tests that know the
// window only from outside (the installed copy).
HWND FileBoxOf(HWND mainWindow);
HWND ProcessButtonOf(HWND mainWindow);
// A top-level window of the process whose title is `title` (a message box,
// a dialog), waited for.
HWND WaitForWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout = 10s);
// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);

std::string TextOf(HWND window);
// Writes a file by its wide name: the test's own code page cannot spell every name.
bool WriteWideFile(const std::wstring& path, const std::string& bytes);
// The text as the window holds it, whatever the code pages.
std::wstring WideTextOf(HWND window);
bool IsEnabled(HWND window);
bool IsShown(HWND window);

// A left click at the middle of the window, with the real mouse.
void Click(HWND window);
// A left click at a point of the screen.
void ClickAt(int x, int y);
// Moves the real mouse to a point of the screen, as a hand would.
void MoveTo(int x, int y);
// Keyboard input: text typed character by character, or one key press.
void Type(const std::string& text);
void TypeWide(const std::wstring& text);
void Press(WORD virtualKey);
// A key pressed while `modifier` (VK_SHIFT, VK_MENU, VK_CONTROL) is held.
void PressWith(WORD modifier, WORD virtualKey);
// The window that has the keyboard focus in the program's window thread.
HWND FocusOf(HWND mainWindow);
// Hands `drop` (which it then frees) to the window of another process as a
// WM_DROPFILES that process can read; true once it was posted there.
bool DeliverDrop(HWND window, HDROP drop);
// Focuses an edit box by clicking it, selects all and types `text` over it.
void ReplaceText(HWND edit, const std::string& text);

}  // namespace tarvex::e2e
