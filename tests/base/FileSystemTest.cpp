#include <gtest/gtest.h>

#include "base/FileRoutines.h"
#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "support/RaisedError.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

TEST(SystemFileSystem, ExistenceOfFilesAndFolders) {
    test::TempFolder folder;
    std::string file = folder / "a.srt";
    test::WriteBytes(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder / "b.srt"));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FolderExists(folder.Path()));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(folder / "missing"));
    EXPECT_FALSE(FolderExists(""));
}

TEST(SystemFileSystem, ReadsEveryByteUnchanged) {
    test::TempFolder folder;
    std::string bytes =
        "\xEF\xBB\xBF"
        "a\r\nb\nc\rd";
    bytes.push_back('\0');
    bytes += std::string(200000, '\xE9');  // larger than one read
    test::WriteBytes(folder / "in.srt", bytes);
    EXPECT_EQ(SystemFileSystem().ReadFile(folder / "in.srt"), bytes);
    test::WriteBytes(folder / "empty.srt", "");
    EXPECT_EQ(SystemFileSystem().ReadFile(folder / "empty.srt"), "");
    EXPECT_EQ(test::NumberRaisedBy([&] { SystemFileSystem().ReadFile(folder / "none.srt"); }),
              ErrorNumber::FileNotFound);
}

TEST(SystemFileSystem, RenameNeverReplaces) {
    test::TempFolder folder;
    test::WriteBytes(folder / "a.srt", "new");
    test::WriteBytes(folder / "b.srt", "old");
    EXPECT_EQ(test::NumberRaisedBy([&] { SystemFileSystem().Rename(folder / "a.srt", folder / "b.srt"); }),
              ErrorNumber::FileAlreadyExists);
    EXPECT_EQ(test::ReadBytes(folder / "a.srt"), "new");
    EXPECT_EQ(test::ReadBytes(folder / "b.srt"), "old");
    SystemFileSystem().Rename(folder / "a.srt", folder / "c.srt");
    EXPECT_EQ(test::ListFolder(folder.Path()), "b.srt c.srt");
    EXPECT_NE(test::NumberRaisedBy([&] { SystemFileSystem().Rename(folder / "a.srt", folder / "d.srt"); }), 0);
}

TEST(SystemFileSystem, OutputIsCreatedOrEmptied) {
    test::TempFolder folder;
    test::WriteBytes(folder / "out.srt", "long old content");
    {
        auto output = SystemFileSystem().CreateOutput(folder / "out.srt");
        output->Write("ab");
        output->Write("");
        output->Write("c");
        output->Close();
        output->Close();
    }
    EXPECT_EQ(test::ReadBytes(folder / "out.srt"), "abc");
    EXPECT_NE(test::NumberRaisedBy([&] { SystemFileSystem().CreateOutput(folder / "no/out.srt"); }), 0);
}

}  // namespace
}  // namespace tarvex
