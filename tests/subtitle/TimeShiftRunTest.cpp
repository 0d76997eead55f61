#include <gtest/gtest.h>

#include <filesystem>

#include "base/RuntimeError.h"
#include "job/BusyState.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/TimeShiftRun.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingPanel.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

using test::Exists;
using test::ListFolder;
using test::ReadBytes;
using test::WriteBytes;

// Eight cues, LF line ends, no trailing newline.
std::string EightCues() {
    std::string content;
    for (int cue = 1; cue <= 8; ++cue) {
        if (cue > 1) content += "\n\n";
        content += std::to_string(cue) + "\n00:00:0" + std::to_string(cue) + ",000 --> 00:00:0" + std::to_string(cue) +
                   ",500\nline " + std::to_string(cue);
    }
    return content;
}

class TimeShiftRunTest : public ::testing::Test {
protected:
    bool Run(ShiftMode mode, int16_t minutes, int16_t seconds) {
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
        return RunTimeShift(input, mode, minutes, seconds, environment);
    }
    std::string LastMessage() const { return panel.Messages.empty() ? "" : panel.Messages.back().Text; }

    test::TempFolder folder;
    std::string input = folder / "movie.srt";
    test::FaultyFileSystem files;
    test::RecordingPanel panel;
    int16_t shiftNameNumber = 0;
    int16_t translateNameNumber = 0;
};

TEST_F(TimeShiftRunTest, PlusKeepsTheInputAsBackupAndReportsProgress) {
    const std::string original = EightCues();
    WriteBytes(input, original);
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 30));

    EXPECT_EQ(ReadBytes(folder / "movie_original.srt"), original);
    std::string shifted = ReadBytes(input);
    const std::string head = "1\r\n00:00:31,000 --> 00:00:31,500\r\nline 1\r\n\r\n2\r\n";
    const std::string tail = "\r\n\r\n8\r\n00:00:38,000 --> 00:00:38,500\r\nline 8\r\n";
    EXPECT_EQ(shifted.substr(0, head.size()), head);
    ASSERT_GT(shifted.size(), tail.size());
    EXPECT_EQ(shifted.substr(shifted.size() - tail.size()), tail);
    EXPECT_EQ(panel.Total, "Total Text : 8");
    EXPECT_EQ(panel.Counter, "Process 8 from 8 Text");
    // 0 at the start, then 12.5 rounds to the even 12, 37.5 to 38, 62.5 to 62.
    EXPECT_EQ(panel.Percentages, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(panel.Status, "Output File : movie.srt");
    EXPECT_FALSE(panel.Busy);
    ASSERT_EQ(panel.Messages.size(), 1u);
    EXPECT_EQ(panel.Messages[0].Text, "Process Success Bos..");
    EXPECT_EQ(panel.Messages[0].Title, "Finish");
    EXPECT_EQ(panel.Messages[0].Icon, MessageIcon::Information);
    EXPECT_FALSE(panel.Messages[0].WhileBusy);
}

TEST_F(TimeShiftRunTest, LaterRunsNumberTheirBackupsUntilOpenResetsTheCounter) {
    const std::string first = EightCues();
    WriteBytes(input, first);
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 1));
    const std::string second = ReadBytes(input);
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 1));
    const std::string third = ReadBytes(input);
    ASSERT_TRUE(Run(ShiftMode::Minus, 0, 2));
    EXPECT_EQ(ListFolder(folder.Path()), "movie.srt movie_original.srt movie_original1.srt movie_original2.srt");
    EXPECT_EQ(ReadBytes(folder / "movie_original.srt"), first);
    EXPECT_EQ(ReadBytes(folder / "movie_original1.srt"), second);
    EXPECT_EQ(ReadBytes(folder / "movie_original2.srt"), third);
    EXPECT_EQ(ReadBytes(input), ShiftContent(third, ShiftMode::Minus, 0, 2));
    EXPECT_EQ(shiftNameNumber, 2);

    // Open sets the counter back: the next run tries 1 first and takes the first free number.
    shiftNameNumber = 0;
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 1));
    EXPECT_TRUE(Exists(folder / "movie_original3.srt"));
    EXPECT_EQ(shiftNameNumber, 3);
}

TEST_F(TimeShiftRunTest, TxtKeepsItsExtensionAndStartTimeRebases) {
    input = folder / "clip.TXT";
    WriteBytes(input, "1\r\n00:00:20,000 --> 00:00:22,000\r\nhi\r\n");
    ASSERT_TRUE(Run(ShiftMode::StartTime, 0, 0));
    EXPECT_EQ(ReadBytes(folder / "clip_original.TXT"), "1\r\n00:00:20,000 --> 00:00:22,000\r\nhi\r\n");
    EXPECT_EQ(ReadBytes(input), "1\r\n00:00:00,000 --> 00:00:02,000\r\nhi\r\n\r\n");
    EXPECT_EQ(panel.Status, "Output File : clip.TXT");
}

TEST_F(TimeShiftRunTest, FailuresBeforeTheRenameTouchNothing) {
    struct Case {
        std::string Content;
        ShiftMode Mode;
        int32_t FailRead, FailRename;
        int32_t Number;
        std::string Report;
    };
    const std::vector<Case> cases = {
        {"just text\r\n", ShiftMode::Plus, 0, 0, 5,
         "Something Wrong (5) Invalid procedure call or argument: no timing line (\" --> \") in the file"},
        {"", ShiftMode::Minus, 0, 0, 5, ""},
        {"1\r\nxx:yy --> 00:00:01,000\r\n", ShiftMode::StartTime, 0, 0, 9,
         "Something Wrong (9) Subscript out of range at line 2: \"xx:yy --> 00:00:01,000\""},
        {EightCues(), ShiftMode::Plus, 0, ErrorNumber::PermissionDenied, 70, "Something Wrong (70) Permission denied"},
        {EightCues(), ShiftMode::Plus, ErrorNumber::PermissionDenied, 0, 70, ""},
    };
    for (const Case& c : cases) {
        WriteBytes(input, c.Content);
        files.FailRead = c.FailRead;
        files.FailRename = c.FailRename;
        EXPECT_FALSE(Run(c.Mode, 0, 1));
        EXPECT_EQ(ListFolder(folder.Path()), "movie.srt");
        EXPECT_EQ(ReadBytes(input), c.Content);
        EXPECT_EQ(panel.Status, "PROCESS FAILED");
        EXPECT_FALSE(panel.Busy);
        ASSERT_EQ(panel.Messages.size(), 1u) << "exactly one report, even for an unreadable input";
        EXPECT_EQ(panel.Messages[0].Title, "Error");
        EXPECT_EQ(panel.Messages[0].Icon, MessageIcon::Exclamation);
        EXPECT_EQ(panel.Messages[0].Text.rfind("Something Wrong (" + std::to_string(c.Number) + ") ", 0), 0u);
        if (!c.Report.empty()) {
            EXPECT_EQ(panel.Messages[0].Text, c.Report);
        }
    }
}

TEST_F(TimeShiftRunTest, FailuresAfterTheRenameKeepTheWholeInputInTheBackup) {
    std::string bad = EightCues();
    bad.replace(bad.find("00:00:05,000"), 12, "00:00:05;000");
    WriteBytes(input, bad);
    EXPECT_FALSE(Run(ShiftMode::Minus, 0, 1));
    EXPECT_EQ(ReadBytes(folder / "movie_original.srt"), bad);
    // The lines before the bad one stay in the output.
    EXPECT_EQ(ReadBytes(input).substr(0, 34), "1\r\n00:00:00,000 --> 00:00:00,500\r\n");
    EXPECT_EQ(ReadBytes(input).find("line 5"), std::string::npos);
    EXPECT_EQ(panel.Status, "PROCESS FAILED");
    EXPECT_EQ(LastMessage(), "Something Wrong (13) Type mismatch at line 18: \"00:00:05;000 --> 00:00:05,500\"");
    EXPECT_EQ(panel.Counter, "Process 4 from 8 Text");

    for (int32_t createError : {ErrorNumber::PermissionDenied, 0}) {
        test::TempFolder other;
        input = other / "movie.srt";
        const std::string good = EightCues();
        WriteBytes(input, good);
        files.FailCreate = createError;
        files.DiskFullAfter = createError ? -1 : 40;
        EXPECT_FALSE(Run(ShiftMode::Plus, 0, 1));
        EXPECT_EQ(ReadBytes(other / "movie_original.srt"), good);
        EXPECT_EQ(LastMessage(),
                  createError ? "Something Wrong (70) Permission denied" : "Something Wrong (61) Disk full");
        EXPECT_FALSE(panel.Busy);
        if (!createError) {
            EXPECT_EQ(ReadBytes(input).size(), 40u);
        }
    }
}

TEST_F(TimeShiftRunTest, AMissingInputIsReportedOnce) {
    EXPECT_FALSE(Run(ShiftMode::Plus, 0, 1));
    ASSERT_EQ(panel.Messages.size(), 1u);
    EXPECT_EQ(panel.Messages[0].Text, "Something Wrong (53) File not found");
    EXPECT_EQ(ListFolder(folder.Path()), "");
}

TEST_F(TimeShiftRunTest, ABackupNameHeldByAFolderOrALinkCountsAsTaken) {
    WriteBytes(input, EightCues());
    std::filesystem::create_directory(folder / "movie_original.srt");
    std::string free = folder / "movie_original1.srt";
#ifndef _WIN32
    std::filesystem::create_symlink(folder / "nowhere", free);  // a link that leads nowhere
    free = folder / "movie_original2.srt";
#endif
    EXPECT_TRUE(Run(ShiftMode::Plus, 0, 1)) << LastMessage();
    EXPECT_EQ(ReadBytes(free), EightCues());
}

}  // namespace
}  // namespace tarvex
