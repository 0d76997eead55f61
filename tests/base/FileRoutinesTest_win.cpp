// What only the Windows file routines do: hidden and system files do not
// count as existing, a pattern matches any file, a bare drive is a folder.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/FileRoutines.h"
#include "base/PathNames.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

TEST(WindowsFileRoutines, HiddenFilesPatternsAndDrives) {
    test::TempFolder folder;
    std::string visible = folder / "seen.srt";
    std::string hidden = folder / "hidden.srt";
    test::WriteBytes(visible, "x");
    test::WriteBytes(hidden, "x");
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(FileExists(visible));
    EXPECT_FALSE(FileExists(hidden));
    EXPECT_TRUE(FileExists(folder / "*.srt"));
    EXPECT_FALSE(FileExists(folder / "*.txt"));
    EXPECT_FALSE(FileExists("Q:\\::bad::"));
    EXPECT_TRUE(FolderExists("C:"));
    EXPECT_TRUE(FolderExists(FolderOf(visible)));
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tarvex
