#include <gtest/gtest.h>

#include "subtitle/Lines.h"

namespace tarvex {
namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitLines, OneSeparatorIsChosenForTheWholeContent) {
    EXPECT_EQ(SplitLines("a\r\nb\r\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\rb\rc"), (Lines{"a", "b", "c"}));
    // One CR LF anywhere makes CR LF the separator; lone LF and CR stay put.
    EXPECT_EQ(SplitLines("a\nb\r\nc\rd"), (Lines{"a\nb", "c\rd"}));
    // LF wins over CR when there is no CR LF.
    EXPECT_EQ(SplitLines("a\rb\nc"), (Lines{"a\rb", "c"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a\r", "b"}));
}

TEST(SplitLines, EndsAndEmptiness) {
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", "", ""}));
    EXPECT_EQ(SplitLines("\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("single line"), (Lines{"single line"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\nx"), (Lines{"", "x"}));
}

TEST(IsTimingLine, NeedsTheArrowWithItsSpaces) {
    EXPECT_TRUE(IsTimingLine("00:00:01,000 --> 00:00:02,000"));
    EXPECT_TRUE(IsTimingLine("a --> b"));
    EXPECT_FALSE(IsTimingLine("x-->y"));
    EXPECT_FALSE(IsTimingLine("00:00:01,000 -->00:00:02,000"));
    EXPECT_FALSE(IsTimingLine("00:00:01,000\t-->\t00:00:02,000"));
}

}  // namespace
}  // namespace tarvex
