#include <gtest/gtest.h>

#include "base/PathNames.h"

namespace tarvex {
namespace {

TEST(PathNames, ShownNameAndFolder) {
#ifdef _WIN32
    EXPECT_EQ(FileNameOf("C:\\Films\\movie.srt"), "movie.srt");
    EXPECT_EQ(FolderOf("C:\\Films\\movie.srt"), "C:\\Films");
    EXPECT_EQ(FolderOf("D:\\x.srt"), "D:");  // a drive root gives the bare drive
    EXPECT_EQ(FileNameOf("C:/Films/movie.srt"), "movie.srt");
#else
    EXPECT_EQ(FileNameOf("/films/movie.srt"), "movie.srt");
    EXPECT_EQ(FolderOf("/films/movie.srt"), "/films");
    EXPECT_EQ(FolderOf("/x.srt"), "");
    EXPECT_EQ(FileNameOf("odd\\name.srt"), "odd\\name.srt");  // a backslash is an ordinary byte here
#endif
    EXPECT_EQ(FileNameOf("movie.srt"), "movie.srt");
    EXPECT_EQ(FolderOf("movie.srt"), "");
}

TEST(PathNames, SubtitleExtensionsInAnyCase) {
    EXPECT_TRUE(HasSubtitleExtension("a.srt"));
    EXPECT_TRUE(HasSubtitleExtension("a.SrT"));
    EXPECT_TRUE(HasSubtitleExtension("a.TXT"));
    EXPECT_TRUE(HasSubtitleExtension(".srt"));
    for (const char* path : {"a.vtt", "a.ASS", "a.Ssa"}) EXPECT_TRUE(HasSubtitleExtension(path)) << path;
    EXPECT_FALSE(HasSubtitleExtension("a.vtt.txt2"));
    EXPECT_FALSE(HasSubtitleExtension("a.sub"));
    EXPECT_FALSE(HasSubtitleExtension("a.srt.bak"));
    EXPECT_FALSE(HasSubtitleExtension("srt"));
    EXPECT_FALSE(HasSubtitleExtension(""));
}

TEST(PathNames, InsertBeforeTheLastFourCharacters) {
    EXPECT_EQ(InsertBeforeExtension("C:\\Films\\movie.srt", "_original"), "C:\\Films\\movie_original.srt");
    EXPECT_EQ(InsertBeforeExtension("movie_original.srt", "12"), "movie_original12.srt");
    EXPECT_EQ(InsertBeforeExtension("a.b.txt", "_original"), "a.b_original.txt");
    EXPECT_EQ(InsertBeforeExtension("ab", "_x"), "_xab");
}

}  // namespace
}  // namespace tarvex
