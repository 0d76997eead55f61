#pragma once
// The one way the controls' text reaches the wide (UTF-16) Win32 calls: the
// whole text converted from the process code page, which the program's
// manifest makes UTF-8, the same page the ...A calls read. Never byte by byte.

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

}  // namespace tarvex::host
