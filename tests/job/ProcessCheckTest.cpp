#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "job/ProcessCheck.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

class ProcessCheckTest : public ::testing::Test {
protected:
    ProcessCheckTest() {
        test::WriteBytes(file, "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n");
        request.PathText = file;
        request.MinutesText = "00";
        request.SecondsText = "00";
    }
    ProcessDecision Check() { return CheckProcessInputs(request, SystemFileSystem()); }

    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    ProcessRequest request;
};

TEST_F(ProcessCheckTest, MissingFileIsRefusedOnEitherPage) {
    for (int16_t tab : {0, 1, 5}) {
        request.ActiveTab = tab;
        request.PathText = folder / "gone.srt";
        ProcessDecision decision = Check();
        EXPECT_FALSE(decision.Accepted);
        EXPECT_EQ(decision.Text, "File Not Found...!");
        EXPECT_EQ(decision.Title, "Error Message");
        EXPECT_EQ(decision.Icon, MessageIcon::Exclamation);
    }
    request.PathText = folder.Path();  // a folder is not a file
    EXPECT_FALSE(Check().Accepted);
}

TEST_F(ProcessCheckTest, StartTimeMayBeZeroButPlusAndMinusMayNot) {
    ProcessDecision none = Check();  // no button selected counts as Start Time
    ASSERT_TRUE(none.Accepted);
    EXPECT_EQ(none.Settings.Job, JobKind::TimeShift);
    EXPECT_EQ(none.Settings.Mode, ShiftMode::StartTime);
    EXPECT_EQ(none.Settings.InputPath, file);

    request.ModeSelected = {false, true, false};
    request.SecondsText = "";
    ProcessDecision zero = Check();
    EXPECT_FALSE(zero.Accepted);
    EXPECT_EQ(zero.Text, "Minutes and Seconds are not specified or is 0..!");
    EXPECT_EQ(zero.Title, "Information");
    EXPECT_EQ(zero.Icon, MessageIcon::Information);

    request.ModeSelected = {false, false, true};
    request.MinutesText = " 2";
    request.SecondsText = "07";
    ProcessDecision minus = Check();
    ASSERT_TRUE(minus.Accepted);
    EXPECT_EQ(minus.Settings.Mode, ShiftMode::Minus);
    EXPECT_EQ(minus.Settings.Minutes, 2);
    EXPECT_EQ(minus.Settings.Seconds, 7);

    // The first selected button wins, in index order.
    request.ModeSelected = {false, true, true};
    EXPECT_EQ(Check().Settings.Mode, ShiftMode::Plus);
}

TEST_F(ProcessCheckTest, MinutesAreWholeAndSecondsMayCarryThreeDecimals) {
    request.ModeSelected = {false, true, false};
    for (const char* bad : {"60", "-1", "1.5", "abc", "99999", "5 5"}) {
        request.MinutesText = bad;
        ProcessDecision decision = Check();
        EXPECT_FALSE(decision.Accepted) << bad;
        EXPECT_EQ(decision.Text, kAmountRangeText);
    }
    EXPECT_EQ(ParseShiftAmount("059"), 59);
    EXPECT_EQ(ParseShiftAmount("  "), 0);
    EXPECT_EQ(ParseShiftAmount("0000"), 0);

    const std::pair<const char*, int> seconds[] = {
        {"1.5", 1500},   {"1,25", 1250}, {"0.040", 40}, {" 59.999 ", 59999}, {"", 0},      {"007", 7000}, {"60", -1},
        {"59.9999", -1}, {"1.", -1},     {".5", -1},    {"1.5.", -1},        {"-0.5", -1}, {"1 .5", -1},  {"1e3", -1},
    };
    for (const auto& [text, millis] : seconds) EXPECT_EQ(ParseShiftSeconds(text), millis) << text;

    request.MinutesText = "0";
    request.SecondsText = "0,040";
    ProcessDecision fraction = Check();
    ASSERT_TRUE(fraction.Accepted);
    EXPECT_EQ(fraction.Settings.Seconds, 0);
    EXPECT_EQ(fraction.Settings.Millis, 40);
    request.SecondsText = "0.000";
    EXPECT_EQ(Check().Text, kZeroShiftText);
}

TEST_F(ProcessCheckTest, FrameRatesReplaceTheAmount) {
    int32_t from = 0, to = 0;
    EXPECT_TRUE(ParseFrameRates("25:23.976", from, to));
    EXPECT_EQ(from, 25000);
    EXPECT_EQ(to, 23976);
    EXPECT_TRUE(ParseFrameRates("29,97:1000", from, to));
    EXPECT_EQ(from, 29970);
    EXPECT_EQ(to, 1000000);
    for (const char* bad : {"25", "25:0", "0:25", "25:1000.5", "25:23.9761", "a:b", "25:-24", ":25", "25:"})
        EXPECT_FALSE(ParseFrameRates(bad, from, to)) << bad;

    request.ModeSelected = {false, true, false};
    request.FrameRateText = "25:23.976";
    ProcessDecision decision = Check();
    ASSERT_TRUE(decision.Accepted);
    EXPECT_EQ(decision.Settings.RateFrom, 25000);
    EXPECT_EQ(decision.Settings.RateTo, 23976);
    request.FrameRateText = "25";
    EXPECT_EQ(Check().Text, kFrameRateText);
}

TEST_F(ProcessCheckTest, TranslationChecksOnlyTheFile) {
    request.ActiveTab = 1;
    request.MinutesText = "nonsense";
    request.SourceLanguage = "English";
    request.TargetLanguage = "Indonesian";
    ProcessDecision decision = Check();
    ASSERT_TRUE(decision.Accepted);
    EXPECT_EQ(decision.Settings.Job, JobKind::Translate);
    EXPECT_EQ(decision.Settings.TargetLanguage, "Indonesian");
}

TEST_F(ProcessCheckTest, TypedLanguageCodesMayHoldOnlyLettersAndDashes) {
    request.ActiveTab = 1;
    request.SourceLanguage = "english";
    for (const char* good : {"indonesian", "id", "zh-TW", "x", ""}) {
        request.TargetLanguage = good;
        EXPECT_TRUE(Check().Accepted) << good;
    }
    // Codes reach a file name: a folder, a stream, a line break or a space must not.
    for (const char* bad : {"/x", "..", "a:", "\\", "\r\n", "a ", "\xE9", "1"}) {
        for (bool asSource : {false, true}) {
            request.SourceLanguage = asSource ? bad : "english";
            request.TargetLanguage = asSource ? "indonesian" : bad;
            ProcessDecision decision = Check();
            EXPECT_FALSE(decision.Accepted) << bad;
            EXPECT_EQ(decision.Text, kLanguageCodeText);
            EXPECT_EQ(decision.Title, "Information");
        }
    }
    EXPECT_TRUE(IsUsableLanguageCode("abcdefghij"));
    EXPECT_FALSE(IsUsableLanguageCode("abcdefghijk"));
}

TEST_F(ProcessCheckTest, PathRuleNeedsAnExistingSubtitleFile) {
    EXPECT_TRUE(ProcessEnabledFor(file, SystemFileSystem()));
    std::string other = folder / "notes.doc";
    test::WriteBytes(other, "x");
    EXPECT_FALSE(ProcessEnabledFor(other, SystemFileSystem()));
    EXPECT_FALSE(ProcessEnabledFor(folder / "gone.txt", SystemFileSystem()));
}

}  // namespace
}  // namespace tarvex
