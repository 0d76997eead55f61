#pragma once
// The one way the program's text reaches the wide (UTF-16) Win32 calls and
// comes back from them: the whole text converted from and to the process code
// page, which the program's manifest makes UTF-8, the same page the ...A calls
// read. Never byte by byte.

#include <windows.h>

#include <string>
#include <string_view>

namespace tarvex::host {

inline std::wstring WideText(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

// The way back, for names the system hands over in UTF-16 (the command line,
// dropped files): the whole text into the process code page.
inline std::string AnsiText(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

// A control's text as the ...A calls read it (the process code page).
inline std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace tarvex::host
