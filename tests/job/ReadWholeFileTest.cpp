#include <gtest/gtest.h>

#include "job/ReadWholeFile.h"
#include "support/RecordingPanel.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

TEST(ReadWholeFile, ReportsAFailureAndAnswersEmpty) {
    test::TempFolder folder;
    test::RecordingPanel panel;
    test::WriteBytes(folder / "in.srt", "text");
    EXPECT_EQ(ReadWholeFile(folder / "in.srt", panel), "text");
    EXPECT_TRUE(panel.Messages.empty());
    EXPECT_EQ(ReadWholeFile(folder / "none.srt", panel), "");
    ASSERT_EQ(panel.Messages.size(), 1u);
    EXPECT_EQ(panel.Messages[0].Text, "Something Wrong (53) File not found");
    EXPECT_EQ(panel.Messages[0].Title, "Error");
}

}  // namespace
}  // namespace tarvex
