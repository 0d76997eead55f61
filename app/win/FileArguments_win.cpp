#include "app/win/FileArguments_win.h"

#include <vector>

#include "controls/host/WideText_win.h"

namespace tarvex::win {

namespace {

// A relative name (typed in a console) becomes the full path that Open would
// have given; a name the system cannot resolve is kept as it was.
std::wstring FullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::string FileFromCommandLine(const wchar_t* commandLine) {
    if (commandLine == nullptr || *commandLine == L'\0') return {};
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments == nullptr) return {};
    std::wstring first = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    return first.empty() ? std::string() : host::AnsiText(FullPath(first));
}

std::string FirstDroppedFile(HDROP drop) {
    if (drop == nullptr || DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
    UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::vector<wchar_t> name(length + 1, L'\0');
    DragQueryFileW(drop, 0, name.data(), length + 1);
    return length == 0 ? std::string() : host::AnsiText(FullPath(std::wstring(name.data(), length)));
}

}  // namespace tarvex::win
