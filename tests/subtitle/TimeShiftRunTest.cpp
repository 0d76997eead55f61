#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#ifdef _WIN32
#include <io.h>
#endif

#include "base/Interruption.h"
#include "base/RuntimeError.h"
#include "base/TextEncoding.h"
#include "job/BusyState.h"
#include "subtitle/CueFixtures.h"
#include "subtitle/CueShift.h"
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
    bool Run(const JobSettings& settings) {
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
        return RunTimeShift(settings, environment);
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

// The format comes from the content first: a WebVTT file named .srt keeps
// its own layout. Only timestamps change; a bad one fails the run whole.
TEST_F(TimeShiftRunTest, WebVttAndAssFilmsShiftInTheirOwnLayout) {
    JobSettings settings;
    settings.Mode = ShiftMode::Plus;
    settings.Seconds = 1;
    settings.Millis = 500;
    const std::pair<std::string, std::string> films[] = {
        {"film.vtt", test::DownloaderWebVtt()},
        {"film.ass", test::StyledKaraokeAss()},
        {"film.srt", test::DownloaderWebVtt()},
        {"film.ssa", "\xFF\xFE" + Utf8ToUtf16(test::StyledKaraokeAss().substr(3), false)},
    };
    for (const auto& [name, bytes] : films) {
        settings.InputPath = folder / name;
        WriteBytes(settings.InputPath, bytes);
        ASSERT_TRUE(Run(settings)) << name << LastMessage();
        const std::string backup =
            settings.InputPath.substr(0, settings.InputPath.size() - 4) + "_original" + name.substr(name.size() - 4);
        EXPECT_EQ(ReadBytes(backup), bytes) << name;
        const std::string shifted = ReadBytes(settings.InputPath);
        if (name == "film.ssa") {
            EXPECT_EQ(shifted.substr(0, 2), "\xFF\xFE");
            EXPECT_NE(shifted.find(Utf8ToUtf16("Dialogue: 0,0:00:03.50,0:00:06.00,", false)), std::string::npos);
            continue;
        }
        const SubtitleFormat format = name == "film.ass" ? SubtitleFormat::Ass : SubtitleFormat::WebVtt;
        EXPECT_EQ(shifted, ShiftCueContent(bytes, format, ShiftAmount{ShiftMode::Plus, 0, 1, 500})) << name;
        EXPECT_EQ(panel.Total, format == SubtitleFormat::Ass ? "Total Text : 5" : "Total Text : 3") << name;
        EXPECT_EQ(panel.Percentages.back(), 100);
    }

    const std::string broken =
        "[Script Info]\n\n[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,,,0,0,0,,a\n"
        "Dialogue: 0,0:00:03.00,0:0:04.00,,,0,0,0,,b\n";
    settings.InputPath = folder / "broken.ass";
    WriteBytes(settings.InputPath, broken);
    const std::string before = ListFolder(folder.Path());
    EXPECT_FALSE(Run(settings));
    EXPECT_EQ(panel.Status, "PROCESS FAILED");
    EXPECT_NE(LastMessage().find("Something Wrong (13) Type mismatch at line 5"), std::string::npos) << LastMessage();
    EXPECT_EQ(ListFolder(folder.Path()), before);
    EXPECT_EQ(ReadBytes(settings.InputPath), broken);

    // A frame-rate change through the run, on SRT.
    settings = JobSettings();
    settings.InputPath = input;
    settings.RateFrom = 25000;
    settings.RateTo = 23976;
    WriteBytes(input,
               "\xEF\xBB\xBF"
               "00:00:10,000 --> 00:41:33,000\r\nHi\r\n");
    ASSERT_TRUE(Run(settings)) << LastMessage();
    EXPECT_EQ(ReadBytes(input),
              "\xEF\xBB\xBF"
              "00:00:10,427 --> 00:43:19,474\r\nHi\r\n\r\n");
}

TEST_F(TimeShiftRunTest, Utf16FilesAreShiftedInUtf16) {
    // The same shift as the UTF-8 file gets, given back in UTF-16 with the
    // same mark: a character outside the BMP and an unpaired surrogate too.
    const std::string text = "1\n00:00:20,000 --> 00:00:22,000\n\xF0\x9F\x98\x80 \xED\xA0\x80\n";
    WriteBytes(input, text);
    ASSERT_TRUE(Run(ShiftMode::Plus, 1, 0));
    const std::string shifted = ReadBytes(input);
    EXPECT_NE(shifted.find("00:01:20,000 --> 00:01:22,000"), std::string::npos);
    for (bool bigEndian : {false, true}) {
        const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        input = (bigEndian ? folder / "big.srt" : folder / "little.srt");
        WriteBytes(input, mark + Utf8ToUtf16(text, bigEndian));
        ASSERT_TRUE(Run(ShiftMode::Plus, 1, 0)) << LastMessage();
        EXPECT_EQ(ReadBytes(input), mark + Utf8ToUtf16(shifted, bigEndian));
        EXPECT_EQ(panel.Total, "Total Text : 1");
    }
    // Half a character at the end is refused and touches nothing.
    test::TempFolder other;
    input = other / "movie.srt";
    WriteBytes(input, "\xFF\xFE" + Utf8ToUtf16(text, false) + "x");
    EXPECT_FALSE(Run(ShiftMode::Plus, 1, 0));
    EXPECT_EQ(LastMessage().rfind("Something Wrong (5) ", 0), 0u) << LastMessage();
    EXPECT_EQ(ListFolder(other.Path()), "movie.srt");
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

// Whatever stops a shift once it writes, the folder is left byte for byte as
// it was: no backup, no temporary file, the input under its own name.
TEST_F(TimeShiftRunTest, AFailedOrInterruptedShiftLeavesTheFolderAsItWas) {
    std::string bad = EightCues();
    bad.replace(bad.find("00:00:05,000"), 12, "00:00:05;000");
    struct Case {
        std::string Content;
        int32_t FailCreate;
        long long DiskFullAfter;
        int32_t InterruptAt;  // a counter value: 0 as the shift starts, 8 as it ends; -2 fails the second rename
        std::string Report;
    };
    const std::vector<Case> cases = {
        {bad, 0, -1, -1, "Something Wrong (13) Type mismatch at line 18: \"00:00:05;000 --> 00:00:05,500\""},
        {EightCues(), ErrorNumber::PermissionDenied, -1, -1, "Something Wrong (70) Permission denied"},
        {EightCues(), 0, 40, -1, "Something Wrong (61) Disk full"},
        {EightCues(), 0, -1, -2, "Something Wrong (70) Permission denied"},
        {EightCues(), 0, -1, 0, "Something Wrong (18) User interrupt occurred"},
        {EightCues(), 0, -1, 8, "Something Wrong (18) User interrupt occurred"},
    };
    for (const Case& c : cases) {
        WriteBytes(input, c.Content);
        files.FailCreate = c.FailCreate;
        files.DiskFullAfter = c.DiskFullAfter;
        // The input is moved aside, then the new file cannot take its name: it is moved back.
        files.FailRename = c.InterruptAt == -2 ? ErrorNumber::PermissionDenied : 0;
        files.RenamesBeforeFailure = 1;
        panel = test::RecordingPanel();
        panel.OnCounter = [&c](int32_t done) {
            if (done == c.InterruptAt) RequestInterruption();
        };
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
        EXPECT_FALSE(RunTimeShift(input, ShiftMode::Minus, 0, 1, environment));
        ClearInterruption();
        EXPECT_EQ(ListFolder(folder.Path()), "movie.srt") << c.Report;
        EXPECT_EQ(ReadBytes(input), c.Content);
        EXPECT_EQ(panel.Status, "PROCESS FAILED");
        EXPECT_FALSE(panel.Busy);
        EXPECT_EQ(LastMessage(), c.Report);
    }
    EXPECT_EQ(shiftNameNumber, 0);
}

// Only the percentage steps reach the panel, so a long file costs at most a
// hundred updates; the last count is always shown.
TEST_F(TimeShiftRunTest, ProgressIsShownOncePerPercentage) {
    std::string content;
    for (int cue = 0; cue < 1000; ++cue) content += "1\n00:00:01,000 --> 00:00:02,000\nx\n\n";
    WriteBytes(input, content);
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 1));
    EXPECT_EQ(panel.Percentages.size(), 101u);
    for (size_t step = 0; step < panel.Percentages.size(); ++step)
        EXPECT_EQ(panel.Percentages[step], static_cast<int>(step));
    EXPECT_EQ(panel.CounterUpdates, 102) << "0, each new percentage, and 1000 (100 % came at 995)";
    EXPECT_EQ(panel.Counter, "Process 1000 from 1000 Text");
}

// The shifted file has the input's permission bits: read-only stays
// read-only, and on POSIX the group and other bits are kept as they were.
TEST_F(TimeShiftRunTest, TheShiftedFileKeepsTheInputsPermissions) {
    WriteBytes(input, EightCues());
#ifdef _WIN32
    const int mode = _S_IREAD;
#else
    const int mode = 0440;
#endif
    ASSERT_EQ(::chmod(input.c_str(), mode), 0);
    ASSERT_TRUE(Run(ShiftMode::Plus, 0, 1)) << LastMessage();
    struct stat shifted;
    ASSERT_EQ(::stat(input.c_str(), &shifted), 0);
    EXPECT_EQ(shifted.st_mode & S_IWUSR, 0) << "still read-only";
#ifndef _WIN32
    EXPECT_EQ(shifted.st_mode & 0777, 0440u);
#endif
    for (const std::string& name : {input, folder / "movie_original.srt"}) ::chmod(name.c_str(), 0600);
    EXPECT_EQ(ListFolder(folder.Path()), "movie.srt movie_original.srt");
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
