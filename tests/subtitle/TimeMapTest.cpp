#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "subtitle/CueFixtures.h"
#include "subtitle/CueShift.h"
#include "subtitle/CueSpans.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/TimeMap.h"

namespace tarvex {
namespace {

TEST(TimeMap, PiecesOffsetsSpeedsClampingAndRounding) {
    const TimeMap cuts({{0, 1.0, 2000.0}, {60000, 1.0, -3000.0}, {120000, 1.0, 8200.0}});
    const TimeMap slower({{0, 25.0 / (24000.0 / 1001.0), -500.0}});
    struct Case {
        const TimeMap* Map;
        int64_t In;
        int64_t Out;
    } cases[] = {
        {&cuts, 0, 2000},           {&cuts, 59999, 61999},   {&cuts, 60000, 57000}, {&cuts, 1000, 3000},
        {&cuts, 119999, 116999},    {&cuts, 120000, 128200}, {&slower, 0, 0},  // clamped: -500 is before the film
        {&slower, 479, 0},           // 479 * 1.0427 - 500 = -0.5: still clamped
        {&slower, 3600000, 3753250}  // 3600000 * 25 / 23.976 - 500
    };
    for (const Case& c : cases) EXPECT_EQ(c.Map->Apply(c.In), c.Out) << c.In;

    // The first piece also covers what comes before its start.
    EXPECT_EQ(TimeMap({{5000, 1.0, 100.0}, {9000, 1.0, 0.0}}).Apply(10), 110);
    // Each unit rounds half to even on its own: centiseconds are not rounded
    // through milliseconds.
    const TimeMap half({{0, 1.0, 5.0}});
    EXPECT_EQ(half.ApplyInUnits(150, 100), 150);  // 150.5 cs
    EXPECT_EQ(half.ApplyInUnits(151, 100), 152);  // 151.5 cs
    EXPECT_EQ(TimeMap({{0, 1.0, 0.5}}).Apply(1000), 1000);
    EXPECT_EQ(TimeMap({{0, 1.0, 0.5}}).Apply(1001), 1002);
    EXPECT_TRUE(TimeMap().IsIdentity());
    EXPECT_TRUE(TimeMap({{0, 1.0, 0.0}, {500, 1.0, 0.0}}).IsIdentity());
    EXPECT_FALSE(cuts.IsIdentity());
}

// Every byte but the digits of the timestamps is as it was.
void ExpectOnlyDigitsDiffer(const std::string& before, const std::string& after) {
    ASSERT_EQ(before.size(), after.size());
    for (size_t at = 0; at < before.size(); ++at) {
        if (before[at] == after[at]) continue;
        ASSERT_TRUE(isdigit(static_cast<unsigned char>(before[at])) && isdigit(static_cast<unsigned char>(after[at])))
            << "byte " << at;
    }
}

TEST(TimeMap, TheShiftAppliesItToEveryFormat) {
    const TimeMap map({{0, 1.0, 1234.0}, {3000, 1.0, -250.0}});
    ShiftAmount amount;
    amount.Map = &map;

    const std::string srt =
        "1\r\n00:00:01,000 --> 00:00:02,500 X1:10\r\nOne\r\n\r\n"
        "2\r\n00:00:04,000 --> 00:00:05,000\r\nTwo\r\n";
    const std::string shiftedSrt = ShiftContent(srt, amount);
    EXPECT_EQ(shiftedSrt,
              "1\r\n00:00:02,234 --> 00:00:03,734 X1:10\r\nOne\r\n\r\n"
              "2\r\n00:00:03,750 --> 00:00:04,750\r\nTwo\r\n\r\n");  // each SRT line ends in CR LF

    const std::string vtt = test::DownloaderWebVtt();
    const std::string shiftedVtt = ShiftCueContent(vtt, SubtitleFormat::WebVtt, amount);
    ExpectOnlyDigitsDiffer(vtt, shiftedVtt);
    EXPECT_NE(shiftedVtt.find("00:00:02.234 --> 00:00:03.250 align:start"), std::string::npos);
    EXPECT_NE(shiftedVtt.find("<00:00:02.734>"), std::string::npos);  // inline times move too
    EXPECT_NE(shiftedVtt.find("00:03.484 --> 00:03.750"), std::string::npos);
    EXPECT_NE(shiftedVtt.find("NOTE cues below were synced at 00:00:05.000"), std::string::npos);

    const std::string ass = test::StyledKaraokeAss();
    const std::string shiftedAss = ShiftCueContent(ass, SubtitleFormat::Ass, amount);
    ExpectOnlyDigitsDiffer(ass, shiftedAss);
    EXPECT_EQ(CueSpansOf(shiftedAss, SubtitleFormat::Ass).front().Start,
              map.Apply(CueSpansOf(ass, SubtitleFormat::Ass).front().Start) / 10 * 10);
}

TEST(CueSpans, EachFormatsCuesInFileOrder) {
    struct Case {
        std::string Content;
        SubtitleFormat Format;
        std::vector<int64_t> Times;  // start, end, start, end...
    } cases[] = {
        {"\xEF\xBB\xBF"
         "1\r\n00:00:01,000 --> 00:00:02,500 X1:1\r\nA\r\n\r\n2\r\n00:01:00.5 --> 00:00:59,000\r\nB\r\n"
         "3\r\n00:xx:00,000 --> 00:00:02,000\r\nunreadable\r\n",
         SubtitleFormat::Srt,
         {1000, 2500, 60500, 60500}},
        {test::DownloaderWebVtt(), SubtitleFormat::WebVtt, {1000, 3500, 2250, 4000, 3599600, 3601200}},
        {"[Events]\nFormat: Layer, Start, End, Style, Text\nComment: 0,0:00:00.00,0:00:05.00,K,template\n"
         "Dialogue: 0,0:00:01.50,0:00:03.25,Default,Hi, there\nDialogue: 0,1:00:00.00,1:00:01.00,Default,Bye\n",
         SubtitleFormat::Ass,
         {1500, 3250, 3600000, 3601000}},
    };
    for (const Case& c : cases) {
        std::vector<int64_t> times;
        for (const TimeSpan& span : CueSpansOf(c.Content, c.Format)) {
            times.push_back(span.Start);
            times.push_back(span.End);
        }
        EXPECT_EQ(times, c.Times) << static_cast<int>(c.Format);
    }
}

}  // namespace
}  // namespace tarvex
