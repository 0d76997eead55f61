#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/TimestampShift.h"
#include "support/RaisedError.h"

namespace tarvex {
namespace {

std::string Plus(std::string_view timestamp, int16_t minutes, int16_t seconds) {
    std::string out;
    AppendPlusTimestamp(timestamp, minutes, seconds, out);
    return out;
}

std::string Minus(std::string_view timestamp, int16_t minutes, int16_t seconds) {
    std::string out;
    AppendMinusTimestamp(timestamp, minutes, seconds, out);
    return out;
}

std::string Line(std::string_view line, ShiftMode mode, int16_t minutes, int16_t seconds) {
    std::string out;
    AppendShiftedTimingLine(line, ShiftAmount{mode, minutes, seconds}, out);
    return out;
}

TEST(PlusTimestamp, CarriesOneMinuteAndOneHour) {
    EXPECT_EQ(Plus("00:00:45,500", 0, 30), "00:01:15,500");
    EXPECT_EQ(Plus("00:59:40,000", 0, 30), "01:00:10,000");
    EXPECT_EQ(Plus("00:00:30,000", 0, 30), "00:01:00,000");
    EXPECT_EQ(Plus("00:59:05,000", 1, 0), "01:00:05,000");
    EXPECT_EQ(Plus("00:58:59,999", 1, 1), "01:00:00,999");
    EXPECT_EQ(Plus("00:00:00,000", 59, 59), "00:59:59,000");
    EXPECT_EQ(Plus("99:59:59,000", 0, 1), "100:00:00,000");
    EXPECT_EQ(Plus("7:3:1,000", 0, 1), "07:03:02,000");
}

TEST(PlusTimestamp, KeepsTheFractionTextAsRead) {
    EXPECT_EQ(Plus("00:00:01,5", 0, 30), "00:00:31,5");
    EXPECT_EQ(Plus("00:00:01,", 0, 30), "00:00:31,");
    EXPECT_EQ(Plus("00:00:01,123,456", 0, 1), "00:00:02,123");
    EXPECT_EQ(Plus("00:00:01,000 ", 0, 1), "00:00:02,000 ");
}

TEST(PlusTimestamp, UnreadableFieldsFail) {
    EXPECT_EQ(test::ErrorRaisedBy([] { Plus("00:01", 0, 1); }).Number(), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(test::ErrorRaisedBy([] { Plus("00:00:05.250", 0, 1); }).Number(), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(test::ErrorRaisedBy([] { Plus("00:xx:05,250", 0, 1); }).Number(), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::ErrorRaisedBy([] { Plus("32767:59:59,000", 0, 1); }).Number(), ErrorNumber::Overflow);
}

TEST(MinusTimestamp, BorrowsAndWritesThreeFractionDigits) {
    EXPECT_EQ(Minus("00:01:05,123", 0, 2), "00:01:03,123");
    EXPECT_EQ(Minus("00:01:01,000", 0, 2), "00:00:59,000");
    EXPECT_EQ(Minus("01:00:01,000", 0, 2), "00:59:59,000");
    EXPECT_EQ(Minus("00:00:10,5", 0, 2), "00:00:08,500");
    EXPECT_EQ(Minus("00:01:05.250", 0, 2), "00:01:03,250");
    EXPECT_EQ(Minus("00:00:13,1234", 0, 10), "00:00:03,123");
    EXPECT_EQ(Minus("102:30:00,000", 59, 59), "101:30:01,000");
}

TEST(MinusTimestamp, NeverGoesBeforeTheStart) {
    EXPECT_EQ(Minus("00:00:05,000", 0, 10), "00:00:00,000");
    EXPECT_EQ(Minus("00:00:10,700", 0, 11), "00:00:00,000");
    EXPECT_EQ(Minus("00:00:30,000", 1, 0), "00:00:00,000");
    EXPECT_EQ(Minus("00:00:10,000", 0, 10), "00:00:00,000");
    EXPECT_EQ(Minus("00:01:00,000", 1, 0), "00:00:00,000");
}

TEST(StartTimeAmount, MovesTheFirstSubtitleWithinItsHour) {
    auto amount = [](std::string_view line, int16_t minutes, int16_t seconds) {
        ShiftAmount a = StartTimeAmount(line, minutes, seconds);
        return std::to_string(static_cast<int>(a.Mode)) + " " + std::to_string(a.Minutes) + ":" +
               std::to_string(a.Seconds);
    };
    EXPECT_EQ(amount("00:02:30,000 --> 00:02:31,000", 1, 0), "2 1:30");
    EXPECT_EQ(amount("01:10:00,000 --> 01:10:01,000", 0, 30), "2 9:30");
    EXPECT_EQ(amount("00:00:20,000 --> 00:00:21,000", 0, 0), "2 0:20");
    EXPECT_EQ(amount("00:00:10,700 --> 00:00:11,000", 0, 0), "2 0:11");
    EXPECT_EQ(amount("00:00:20,000 --> 00:00:21,000", 0, 20), "1 0:0");
    EXPECT_EQ(amount("00:00:20.500 --> 00:00:21,000", 1, 0), "1 0:40");  // 39.5 rounds to even 40
    EXPECT_EQ(amount("00:00:21.500 --> 00:00:22,000", 1, 0), "1 0:38");  // 38.5 rounds to even 38
    EXPECT_EQ(test::ErrorRaisedBy([] { StartTimeAmount("00:zz:01,000 --> x", 0, 0); }).Number(),
              ErrorNumber::TypeMismatch);
}

TEST(ShiftedTimingLine, RebuildsBothTimestampsAndKeepsATail) {
    EXPECT_EQ(Line("00:00:01,000 --> 00:00:02,500", ShiftMode::Plus, 0, 30), "00:00:31,000 --> 00:00:32,500");
    EXPECT_EQ(Line("00:00:01,000 --> 00:00:02,500 X1:100 X2:200 Y1:10 Y2:50", ShiftMode::Minus, 0, 1),
              "00:00:00,000 --> 00:00:01,500 X1:100 X2:200 Y1:10 Y2:50");
    EXPECT_EQ(Line("00:00:01,000 --> 00:00:02,500\tpos", ShiftMode::Plus, 0, 1), "00:00:02,000 --> 00:00:03,500\tpos");
    EXPECT_EQ(Line("00:00:01,000 --> 00:00:02,500 --> junk", ShiftMode::Plus, 0, 1),
              "00:00:02,000 --> 00:00:03,500 --> junk");
    // A start timestamp with blanks before the arrow keeps them in Plus.
    EXPECT_EQ(Line("00:00:01,000  --> 00:00:02,000", ShiftMode::Plus, 0, 1), "00:00:02,000  --> 00:00:03,000");
    EXPECT_EQ(Line("00:00:01,000  --> 00:00:02,000", ShiftMode::Minus, 0, 1), "00:00:00,000 --> 00:00:01,000");
    EXPECT_EQ(test::ErrorRaisedBy([] { Line("a --> b", ShiftMode::Plus, 0, 1); }).Number(),
              ErrorNumber::SubscriptOutOfRange);
}

TEST(ShiftContent, CopiesOtherLinesAsBytesAndEndsEveryLineWithCrLf) {
    const std::string bom = "\xEF\xBB\xBF";
    std::string input =
        bom + "1\n00:00:01,000 --> 00:00:02,000\n\xE9t\xE9 <i>x</i>\n\n2\n00:00:03,000 --> 00:00:04,000\nb\n";
    EXPECT_EQ(ShiftContent(input, ShiftMode::Plus, 0, 5),
              bom +
                  "1\r\n00:00:06,000 --> 00:00:07,000\r\n\xE9t\xE9 <i>x</i>\r\n\r\n2\r\n00:00:08,000 --> "
                  "00:00:09,000\r\nb\r\n\r\n");
    // Start Time 0:00 re-bases the whole file.
    EXPECT_EQ(
        ShiftContent("00:00:20,000 --> 00:00:21,000\r\n00:00:25,000 --> 00:00:26,000", ShiftMode::StartTime, 0, 0),
        "00:00:00,000 --> 00:00:01,000\r\n00:00:05,000 --> 00:00:06,000\r\n");
}

TEST(ShiftContent, FractionsAndFrameRatesMoveEveryTimestampExactly) {
    const std::string input = "1\n00:00:01,5 --> 00:00:02.250\nx\n\n2\n01:59:59,999 --> 02:00:00,000 X1:1";
    struct Case {
        ShiftAmount Amount;
        const char* Expected;
    };
    const Case cases[] = {
        {{ShiftMode::Plus, 0, 1, 500},
         "1\r\n00:00:03,000 --> 00:00:03,750\r\nx\r\n\r\n2\r\n02:00:01,499 --> 02:00:01,500 X1:1\r\n"},
        {{ShiftMode::Minus, 0, 1, 750},
         "1\r\n00:00:00,000 --> 00:00:00,500\r\nx\r\n\r\n2\r\n01:59:58,249 --> 01:59:58,250 X1:1\r\n"},
        {{ShiftMode::Plus, 0, 0, 0, 25000, 23976},  // 1564.0, 2346.4, 7507,5 s...
         "1\r\n00:00:01,564 --> 00:00:02,346\r\nx\r\n\r\n2\r\n02:05:07,506 --> 02:05:07,508 X1:1\r\n"},
        // Start Time with a fraction lands the first subtitle on the target exactly.
        {{ShiftMode::StartTime, 0, 0, 250},
         "1\r\n00:00:00,250 --> 00:00:01,000\r\nx\r\n\r\n2\r\n01:59:58,749 --> 01:59:58,750 X1:1\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShiftContent(input, c.Amount), c.Expected);
}

// Some tools write a byte-order mark and then the first timing line, with
// no number line: the mark stays in front and the line shifts.
TEST(ShiftContent, AMarkBeforeTheFirstTimingLineBelongsToNoLine) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string input = bom + "00:00:20,000 --> 00:00:21,000\nHi\n";
    EXPECT_EQ(ShiftContent(input, ShiftMode::Plus, 0, 1), bom + "00:00:21,000 --> 00:00:22,000\r\nHi\r\n\r\n");
    EXPECT_EQ(ShiftContent(input, ShiftMode::Minus, 0, 1), bom + "00:00:19,000 --> 00:00:20,000\r\nHi\r\n\r\n");
    EXPECT_EQ(ShiftContent(input, ShiftMode::StartTime, 0, 5), bom + "00:00:05,000 --> 00:00:06,000\r\nHi\r\n\r\n");
}

TEST(ShiftContent, ErrorsNameTheLineFromOne) {
    RuntimeError error = test::ErrorRaisedBy([] {
        ShiftContent("1\n00:00:01,000 --> 00:00:02,000\nx\n\n2\n00:0x:01,000 --> 00:00:02,000\n", ShiftMode::Minus, 0,
                     1);
    });
    EXPECT_EQ(error.Number(), ErrorNumber::TypeMismatch);
    EXPECT_EQ(error.Description(), "Type mismatch at line 6: \"00:0x:01,000 --> 00:00:02,000\"");
    RuntimeError startError = test::ErrorRaisedBy([] { ShiftContent("x\ny --> z\n", ShiftMode::StartTime, 0, 0); });
    EXPECT_EQ(startError.Number(), ErrorNumber::SubscriptOutOfRange);
    EXPECT_NE(startError.Description().find("at line 2"), std::string::npos);
    EXPECT_EQ(test::ErrorRaisedBy([] { ShiftContent("no timing\n", ShiftMode::StartTime, 0, 0); }).Number(),
              ErrorNumber::InvalidCall);
}

}  // namespace
}  // namespace tarvex
