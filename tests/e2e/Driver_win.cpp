#include "e2e/Driver_win.h"

#include <cstring>
#include <thread>
#include <vector>

#include "app/win/ControlIds.h"
#include "e2e/DropRequest_win.h"

namespace tarvex::e2e {

namespace {

std::string TarvexPath() {
    std::string path = TARVEX_EXE_PATH;
    // The build hands over a Linux path; Wine shows the root file system as Z:.
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
    return path;
}

struct WindowSearch {
    DWORD ProcessId;
    std::string Title;
    std::string ClassName;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessId || !IsWindowVisible(window)) return TRUE;
    if (!search->Title.empty() && TextOf(window) != search->Title) return TRUE;
    search->Found = window;
    return FALSE;
}

struct ChildSearch {
    int Id;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (GetDlgCtrlID(window) != search->Id) return TRUE;
    search->Found = window;
    return FALSE;
}

void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, WCHAR character, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Lets the program take in the input before the next step.
void Settle() {
    std::this_thread::sleep_for(30ms);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

TarvexProcess::~TarvexProcess() {
    Release();
}

void TarvexProcess::Release() {
    if (process_.hProcess == nullptr) return;
    if (!HasExited()) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    mainWindow_ = nullptr;
}

bool TarvexProcess::Start(const std::wstring& arguments) {
    Release();
    std::string program = TarvexPath();
    std::wstring commandLine = L"\"" + std::wstring(program.begin(), program.end()) + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return false;
    WaitForInputIdle(process_.hProcess, 10000);
    mainWindow_ = WaitForWindow(process_.dwProcessId, "Tarvex 1.1", 20s);
    return mainWindow_ != nullptr;
}

bool TarvexProcess::Close() {
    if (mainWindow_ != nullptr) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return HasExited(10s);
}

bool TarvexProcess::HasExited(std::chrono::milliseconds timeout) const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

HWND FindControl(HWND root, int id) {
    ChildSearch search{id};
    EnumChildWindows(root, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FileBoxOf(HWND mainWindow) {
    return FindControl(mainWindow, win::ControlId::Text1);
}

HWND ProcessButtonOf(HWND mainWindow) {
    return FindControl(mainWindow, win::ControlId::cmdProses);
}

HWND WaitForWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout) {
    WindowSearch search{processId, title, ""};
    WaitUntil(
        [&] {
            search.Found = nullptr;
            EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
            return search.Found != nullptr;
        },
        timeout);
    return search.Found;
}

std::string MessageBoxText(HWND box) {
    // The message box's text is its static control 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : std::string();
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return "";
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::string(buffer.data());
}

bool WriteWideFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool done = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return done && written == bytes.size();
}

std::wstring WideTextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::wstring(buffer.data());
}

bool IsEnabled(HWND window) {
    return window != nullptr && IsWindowEnabled(window);
}
bool IsShown(HWND window) {
    return window != nullptr && IsWindowVisible(window);
}

void Click(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    ClickAt((place.left + place.right) / 2, (place.top + place.bottom) / 2);
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    Settle();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

void MoveTo(int x, int y) {
    SetCursorPos(x - 1, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Settle();
}

void Type(const std::string& text) {
    for (char c : text) {
        auto character = static_cast<WCHAR>(static_cast<unsigned char>(c));
        SendKey(0, character, KEYEVENTF_UNICODE);
        SendKey(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    Settle();
}

void TypeWide(const std::wstring& text) {
    for (wchar_t c : text) {
        SendKey(0, c, KEYEVENTF_UNICODE);
        SendKey(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    Settle();
}

void Press(WORD virtualKey) {
    SendKey(virtualKey, 0, 0);
    SendKey(virtualKey, 0, KEYEVENTF_KEYUP);
    Settle();
}

void PressWith(WORD modifier, WORD virtualKey) {
    SendKey(modifier, 0, 0);
    Press(virtualKey);
    SendKey(modifier, 0, KEYEVENTF_KEYUP);
    Settle();
}

HWND FocusOf(HWND mainWindow) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool DeliverDrop(HWND window, HDROP drop) {
    DWORD size = static_cast<DWORD>(GlobalSize(drop));
    wchar_t name[64];
    DropRequestName(window, name);
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DropRequest), name);
    auto* request = mapping ? static_cast<DropRequest*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
    bool delivered = false;
    if (request != nullptr && size <= kDropBytesLimit) {
        request->Size = size;
        std::memcpy(request->Bytes, GlobalLock(drop), size);
        GlobalUnlock(drop);
        // The hook's library is built beside this program.
        wchar_t library[MAX_PATH];
        DWORD length = GetModuleFileNameW(nullptr, library, MAX_PATH);
        while (length > 0 && library[length - 1] != L'\\') --length;
        lstrcpyW(library + length, L"tarvex_e2e_drop.dll");
        HMODULE module = LoadLibraryW(library);
        // GetProcAddress answers a generic function pointer; the hook's own type goes through void*.
        FARPROC found = module ? GetProcAddress(module, "DropRequestHook") : nullptr;
        auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(found));
        HHOOK installed =
            hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, module, GetWindowThreadProcessId(window, nullptr)) : nullptr;
        if (installed && PostMessageW(window, RegisterWindowMessageW(kDropRequestMessage), 0, 0))
            delivered = WaitUntil([&] { return request->Delivered != 0; }, 10s);
        if (installed) UnhookWindowsHookEx(installed);
        if (module) FreeLibrary(module);
    }
    if (request) UnmapViewOfFile(request);
    if (mapping) CloseHandle(mapping);
    GlobalFree(drop);
    return delivered;
}

void ReplaceText(HWND edit, const std::string& text) {
    Click(edit);
    // End, then Shift+Home: a selection of the whole line in every edit box.
    Press(VK_END);
    SendKey(VK_SHIFT, 0, 0);
    Press(VK_HOME);
    SendKey(VK_SHIFT, 0, KEYEVENTF_KEYUP);
    Press(VK_DELETE);
    Type(text);
}

}  // namespace tarvex::e2e
