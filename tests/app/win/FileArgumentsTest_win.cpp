// Files from the shell: the first command-line argument, full, whatever its
// quoting; a relative name is taken from the current folder, as a console
// user means it; a drop gives its first file.

#include "app/win/FileArguments_win.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace tarvex::win {
namespace {

TEST(FileArguments, CommandLineAndDrop) {
    EXPECT_EQ(FileFromCommandLine(L"tarvex.exe"), "");
    EXPECT_EQ(FileFromCommandLine(L"\"C:\\Program Files\\tarvex.exe\" \"D:\\My Films\\a b.srt\" D:\\second.srt"),
              "D:\\My Films\\a b.srt");
    EXPECT_EQ(FileFromCommandLine(L"tarvex.exe D:\\Films\\..\\x.srt"), "D:\\x.srt");
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    std::string folder(current, length);
    if (folder.back() != '\\') folder += '\\';
    EXPECT_EQ(FileFromCommandLine(L"tarvex.exe movie.srt"), folder + "movie.srt");

    const wchar_t names[] = L"D:\\a.srt\0D:\\b.srt\0";
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof names);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names, sizeof names);
    GlobalUnlock(memory);
    EXPECT_EQ(FirstDroppedFile(static_cast<HDROP>(memory)), "D:\\a.srt");
    GlobalFree(memory);
}

}  // namespace
}  // namespace tarvex::win
