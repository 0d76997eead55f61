#include <gtest/gtest.h>

#include "app/SyncFields.h"
#include "base/FileSystem.h"
#include "job/ProcessCheck.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

TEST(SyncFields, CueTimesInBothFormsAndEverythingElseRefused) {
    const struct {
        const char* Text;
        int64_t Millis;
    } cases[] = {
        {"01:02:03,500", 3723500},
        {"1:02:03.5", 3723500},  // one hour digit, a tenth
        {" 00:00:00,000 ", 0},
        {"99:59:59,999", 359999999},
        {"62:03", 3723000},  // minutes past the hour without hours
        {"02:03,04", 123040},
        {"0:7", 7000},
        {"999:00", 59940000},
        {"", -1},
        {"12", -1},  // plain seconds are no time of this dialog
        {"01:60", -1},
        {"01:60:00", -1},
        {"100:00:00", -1},
        {"1000:00", -1},
        {"00:01:02,5000", -1},
        {"00:01:02,", -1},
        {"00:01:02:03", -1},
        {"-0:01", -1},
        {"1 :02", -1},
        {"0x:10", -1},
        {":10", -1},
        {"00:01:02;500", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCueTime(c.Text), c.Millis) << '"' << c.Text << '"';
}

TEST(SyncFields, CueNumbersFromOne) {
    EXPECT_EQ(ParseCueNumber("1"), 1);
    EXPECT_EQ(ParseCueNumber(" 0840 "), 840);
    EXPECT_EQ(ParseCueNumber("2147483647"), 2147483647);
    for (const char* bad : {"", "0", "-3", "2147483648", "99999999999", "1.5", "12a", "+4"})
        EXPECT_EQ(ParseCueNumber(bad), -1) << bad;
}

TEST(SyncFields, ChecksBeforeASearch) {
    test::TempFolder folder;
    const std::string input = folder / "movie.srt";
    const std::string reference = folder / "film.mkv";
    test::WriteBytes(input, "1\n00:00:01,000 --> 00:00:02,000\nA\n");
    test::WriteBytes(reference, "x");
    FileSystem& files = SystemFileSystem();

    SyncRequest request;
    request.ReferenceText = "  ";
    EXPECT_EQ(CheckSyncInputs(input, request, files).Text, kNoReferenceText);
    request.ReferenceText = folder / "gone.mkv";
    SyncCheck missing = CheckSyncInputs(input, request, files);
    EXPECT_FALSE(missing.Accepted);
    EXPECT_EQ(missing.Text, kFileNotFoundText);
    EXPECT_EQ(missing.Icon, MessageIcon::Exclamation);
    request.ReferenceText = input;
    EXPECT_EQ(CheckSyncInputs(input, request, files).Text, kSameReferenceText);

    request.ReferenceText = " " + reference + " ";
    request.AllowCuts = false;
    SyncCheck accepted = CheckSyncInputs(input, request, files);
    ASSERT_TRUE(accepted.Accepted);
    EXPECT_EQ(accepted.Options.ReferencePath, reference);
    EXPECT_TRUE(accepted.Options.Points.empty());
    EXPECT_FALSE(accepted.Options.AllowCuts);
    EXPECT_TRUE(accepted.Options.CorrectSpeed);

    // The two-line form ignores the reference, whatever it holds.
    request.ByTwoLines = true;
    request.ReferenceText = "";
    request.CueTexts[0] = "3";
    request.TimeTexts[0] = "00:00:10,000";
    request.CueTexts[1] = " 40";
    request.TimeTexts[1] = "41:15.5";
    SyncCheck lines = CheckSyncInputs(input, request, files);
    ASSERT_TRUE(lines.Accepted);
    EXPECT_EQ(lines.Options.ReferencePath, "");
    ASSERT_EQ(lines.Options.Points.size(), 2u);
    EXPECT_EQ(lines.Options.Points[0].Cue, 3);
    EXPECT_EQ(lines.Options.Points[0].TimeMs, 10000);
    EXPECT_EQ(lines.Options.Points[1].Cue, 40);
    EXPECT_EQ(lines.Options.Points[1].TimeMs, 2475500);

    SyncRequest bad = request;
    bad.CueTexts[1] = "3";  // one cue makes no line
    EXPECT_EQ(CheckSyncInputs(input, bad, files).Text, kCueNumberText);
    bad = request;
    bad.CueTexts[0] = "0";
    EXPECT_EQ(CheckSyncInputs(input, bad, files).Text, kCueNumberText);
    bad = request;
    bad.TimeTexts[1] = "41";
    EXPECT_EQ(CheckSyncInputs(input, bad, files).Text, kCueTimeText);
}

TEST(SyncFields, WordsOfASearchAndItsFinding) {
    EXPECT_EQ(SyncProgressText(SyncStage::Decoding, 0.425), "Decoding the sound... 42 %");
    EXPECT_EQ(SyncProgressText(SyncStage::Reading, -1), "Reading the files... 0 %");
    EXPECT_EQ(SyncProgressText(SyncStage::Aligning, 7), "Aligning the cues... 100 %");

    SyncFinding finding;
    finding.Map = TimeMap({{0, 1.0, 2500.0}});
    finding.Summary = "later by 2.500 s; 2 of 2 cues matched the reference";
    finding.Trusted = true;
    EXPECT_EQ(FindingText(finding), "Found: later by 2.500 s; 2 of 2 cues matched the reference.");
    finding.Trusted = false;
    finding.Confidence = 0.234;
    EXPECT_NE(FindingText(finding).find("\r\nThis fit is weak"), std::string::npos);
    EXPECT_EQ(WeakFindingQuestion(finding),
              "The fit found is weak (confidence 23 %):\r\nlater by 2.500 s; 2 of 2 cues matched the reference"
              "\r\n\r\nApply it anyway?");
    finding.Map = TimeMap({{0, 1.0, 0.0}});
    EXPECT_NE(FindingText(finding).find("nothing to change"), std::string::npos);
}

}  // namespace
}  // namespace tarvex
