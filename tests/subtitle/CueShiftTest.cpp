#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "base/StringFiles.h"
#include "subtitle/CueFixtures.h"
#include "subtitle/CueShift.h"
#include "subtitle/CueTimestamps.h"
#include "subtitle/SubtitleFormat.h"
#include "subtitle/TimeChange.h"
#include "support/RaisedError.h"

namespace tarvex {
namespace {

ShiftAmount Plus(int16_t seconds, int16_t millis = 0) {
    return ShiftAmount{ShiftMode::Plus, 0, seconds, millis};
}
ShiftAmount Minus(int16_t seconds, int16_t millis = 0) {
    return ShiftAmount{ShiftMode::Minus, 0, seconds, millis};
}
ShiftAmount Rate(int32_t from, int32_t to) {
    ShiftAmount amount;
    amount.RateFrom = from;
    amount.RateTo = to;
    return amount;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string Streamed(const std::string& content, SubtitleFormat format, const ShiftAmount& requested, size_t chunk) {
    StringInput input(content);
    std::string out;
    StringOutput output(out);
    try {
        CueCount count = CountCues(input, format, chunk);
        EXPECT_EQ(count.Bytes, content.size());
        StreamShiftResult result =
            ShiftCueStream(input, format, ResolveCueAmount(count, format, requested), output, nullptr, chunk);
        EXPECT_EQ(result.TimingLines, count.Cues);
        return out;
    } catch (const RuntimeError& error) {
        return ErrorReportText(error);
    }
}

std::string Whole(const std::string& content, SubtitleFormat format, const ShiftAmount& requested) {
    try {
        return ShiftCueContent(content, format, requested);
    } catch (const RuntimeError& error) {
        return ErrorReportText(error);
    }
}

TEST(CueTimestamps, ReadAndWriteEachLayoutAsItCame) {
    struct Case {
        bool Ass;
        const char* Text;
        int64_t Units;  // -1: not a timestamp
    };
    const Case cases[] = {
        {false, "00:01:02.500", 62500},  {false, "01:02.500", 62500},    {false, "123:00:00.001", 442800001},
        {false, "1:00:00.000", 3600000}, {false, "1:02.500", -1},        {false, "00:60.000", -1},
        {false, "00:01:02,500", -1},     {false, "00:01:02.50", -1},     {false, "00:01:62.000", -1},
        {true, "0:01:02.50", 6250},      {true, "10:00:00.00", 3600000}, {true, "0:01:02.5", -1},
        {true, "0:1:02.50", -1},         {true, "0:01:02:50", -1},
    };
    for (const Case& c : cases) {
        CueStamp stamp;
        bool read = c.Ass ? ReadAssStamp(c.Text, stamp) : ReadVttStamp(c.Text, stamp);
        ASSERT_EQ(read, c.Units >= 0) << c.Text;
        if (!read) continue;
        EXPECT_EQ(stamp.Units, c.Units) << c.Text;
        EXPECT_EQ(stamp.Length, std::string(c.Text).size()) << c.Text;
        std::string written;
        if (c.Ass) {
            AppendAssStamp(stamp.Units, stamp.HourDigits, written);
        } else {
            AppendVttStamp(stamp.Units, stamp.HourDigits, written);
        }
        EXPECT_EQ(written, c.Text);
    }
    std::string hourAdded;
    AppendVttStamp(3600000 + 1500, 0, hourAdded);
    EXPECT_EQ(hourAdded, "01:00:01.500");
    CueStamp stamp;
    EXPECT_EQ(test::ErrorRaisedBy([&] { ReadAssStamp("1234567:00:00.00", stamp); }).Number(), ErrorNumber::Overflow);
}

TEST(ChangeTime, RoundsHalfToEvenInTheFormatsUnitAndStopsAtZero) {
    struct Case {
        ShiftAmount Amount;
        int64_t Time;
        int64_t PerSecond;
        int64_t Expected;
    };
    const Case cases[] = {
        {Plus(1, 500), 1000, kMillisPerSecond, 2500},
        {Plus(1, 505), 100, kCentisPerSecond, 250},  // 150.5 cs goes to the even 150
        {Plus(1, 515), 100, kCentisPerSecond, 252},  // 151.5 cs goes to 152
        {Plus(0, 5), 100, kCentisPerSecond, 100},    // half a centisecond: 0
        {Minus(2), 1500, kMillisPerSecond, 0},
        {ShiftAmount{ShiftMode::Minus, 1, 0, 40}, 60040, kMillisPerSecond, 0},
        {Rate(25000, 23976), 1000, kMillisPerSecond, 1043},  // 1042.7
        {Rate(25000, 23976), 100, kCentisPerSecond, 104},    // 104.27
        {Rate(23976, 25000), 7200000, kMillisPerSecond, 6905088},
        {Rate(2, 1), 0, kMillisPerSecond, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ChangeTime(c.Time, c.Amount, c.PerSecond), c.Expected) << c.Time;
}

TEST(SubtitleFormat, ContentFirstThenTheExtension) {
    struct Case {
        const char* Head;
        const char* Path;
        SubtitleFormat Expected;
    };
    const Case cases[] = {
        {"WEBVTT\n\n00:01.000 --> 00:02.000", "a.srt", SubtitleFormat::WebVtt},
        {"\xEF\xBB\xBFWEBVTT - title\r\n", "a.txt", SubtitleFormat::WebVtt},
        {"WEBVTTX\n", "a.srt", SubtitleFormat::Srt},
        {"; comment\n[Script Info]\nTitle: x\n", "a.txt", SubtitleFormat::Ass},
        // SRT blocks under another name are SRT.
        {"1\n00:00:01,000 --> 00:00:02,000\n", "a.VTT", SubtitleFormat::Srt},
        {"\xEF\xBB\xBF"
         "00:00:01,000 --> 00:00:02,000\r\n",
         "a.ass", SubtitleFormat::Srt},
        {"00:01.000 --> 00:02.000\n", "a.vtt", SubtitleFormat::WebVtt},
        {"", "a.Ssa", SubtitleFormat::Ass},
        {"", "a.ass", SubtitleFormat::Ass},
        {"[script info]", "a.srt", SubtitleFormat::Ass},
        {"1\n00:00:01,000 --> 00:00:02,000\n[Script Info]\n", "a.srt", SubtitleFormat::Srt},
        {"1\n00:00:01,000 --> 00:00:02,000\n", "a.txt", SubtitleFormat::Srt},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectSubtitleFormat(c.Head, c.Path), c.Expected) << c.Head;
}

TEST(CueShift, MovesEveryTimeOfARealWebVttAndNothingElse) {
    const std::string input = test::DownloaderWebVtt();
    std::string expected = input;
    for (auto [from, to] : {std::pair{"00:00:01.000 --> 00:00:03.500", "00:00:02.500 --> 00:00:05.000"},
                            {"<00:00:01.500>", "<00:00:03.000>"},
                            {"00:02.250 --> 00:04.000", "00:03.750 --> 00:05.500"},
                            {"59:59.600 --> 01:00:01.200", "01:00:01.100 --> 01:00:02.700"}})
        expected = Replace(expected, from, to);
    EXPECT_EQ(Whole(input, SubtitleFormat::WebVtt, Plus(1, 500)), expected);

    // Start Time: the first cue lands on the target to the millisecond.
    const std::string started = Whole(input, SubtitleFormat::WebVtt, ShiftAmount{ShiftMode::StartTime, 0, 0, 250});
    EXPECT_NE(started.find("\n00:00:00.250 --> 00:00:02.750 align:start"), std::string::npos) << started;
}

TEST(CueShift, MovesTheEventsOfARealAssScriptAndNothingElse) {
    const std::string input = test::StyledKaraokeAss();
    std::string expected = input;
    for (auto [from, to] : {std::pair{"0:00:00.00,0:00:00.00", "0:00:01.50,0:00:01.50"},
                            {"0:00:02.00,0:00:04.50", "0:00:03.50,0:00:06.00"},
                            {"0:00:05.10,0:00:07.95", "0:00:06.60,0:00:09.45"},
                            {"0:00:08.00,0:00:09.00", "0:00:09.50,0:00:10.50"},
                            {"0:59:59.99,1:00:01.00", "1:00:01.49,1:00:02.50"}})
        expected = Replace(expected, from, to);
    EXPECT_EQ(Whole(input, SubtitleFormat::Ass, Plus(1, 500)), expected);

    // Start Time goes by the first Dialogue, not the template comment at zero.
    const std::string started = Whole(input, SubtitleFormat::Ass, ShiftAmount{ShiftMode::StartTime, 0, 1, 0});
    EXPECT_NE(started.find("Dialogue: 0,0:00:01.00,0:00:03.50,"), std::string::npos) << started;

    // Start and End where the section's Format: line puts them.
    const std::string reordered =
        "[Events]\nFormat: Marked, Name, End, Start, Text\nDialogue: 0,x,0:00:02.00, 0:00:01.00 ,c\n";
    EXPECT_EQ(Whole(reordered, SubtitleFormat::Ass, Plus(1)),
              "[Events]\nFormat: Marked, Name, End, Start, Text\nDialogue: 0,x,0:00:03.00, 0:00:02.00 ,c\n");
}

// A cue's text runs to the first empty line, whatever it holds; only a
// timing line can fail the shift; every ASS event with times moves.
TEST(CueShift, EveryCueTextLineMovesAndOnlyTimingLinesFail) {
    std::string captions = test::AutoCaptionWebVtt();
    std::string expected = captions;
    for (auto [from, to] : {std::pair{"00:00:00.000 --> 00:00:02.350", "00:00:01.000 --> 00:00:03.350"},
                            {"<00:00:00.359>", "<00:00:01.359>"},
                            {"<00:00:00.840>", "<00:00:01.840>"},
                            {"<00:00:01.079>", "<00:00:02.079>"},
                            {"00:00:02.350 --> 00:00:02.360", "00:00:03.350 --> 00:00:03.360"},
                            {"00:00:02.360 --> 00:00:05.030", "00:00:03.360 --> 00:00:06.030"},
                            {"<00:00:02.879>", "<00:00:03.879>"},
                            {"<00:00:03.120>", "<00:00:04.120>"},
                            {"<00:00:03.360>", "<00:00:04.360>"}})
        expected = Replace(expected, from, to);
    EXPECT_EQ(Whole(captions, SubtitleFormat::WebVtt, Plus(1)), expected);

    const std::pair<const char*, const char*> cases[] = {
        {"WEBVTT\n\n00:01.000 --> 00:02.000\nsee <1234567> at <00:01.500>\na --> b\n",
         "WEBVTT\n\n00:02.000 --> 00:03.000\nsee <1234567> at <00:02.500>\na --> b\n"},
        // A valid timing line still starts the next cue without a blank line.
        {"WEBVTT\n\n00:01.000 --> 00:02.000\na\n00:03.000-->00:04.000\nb\n",
         "WEBVTT\n\n00:02.000 --> 00:03.000\na\n00:04.000-->00:05.000\nb\n"},
        {"[Events]\nPicture: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,logo.png\nSound: "
         "0,0:00:01.00,0:00:02.00,D,,0,0,0,,a.wav\n"
         "Movie: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,b.avi\nCommand: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,run\n",
         "[Events]\nPicture: 0,0:00:02.00,0:00:03.00,D,,0,0,0,,logo.png\nSound: "
         "0,0:00:02.00,0:00:03.00,D,,0,0,0,,a.wav\n"
         "Movie: 0,0:00:02.00,0:00:03.00,D,,0,0,0,,b.avi\nCommand: 0,0:00:02.00,0:00:03.00,D,,0,0,0,,run\n"},
    };
    for (const auto& [content, shifted] : cases) {
        const SubtitleFormat format = content[0] == '[' ? SubtitleFormat::Ass : SubtitleFormat::WebVtt;
        EXPECT_EQ(Whole(content, format, Plus(1)), shifted);
        EXPECT_EQ(Streamed(content, format, Plus(1), 16), shifted);
    }
}

// Shifting by zero, or there and back, gives the same bytes; the stream
// gives the whole-file bytes (or error) at every chunk size.
TEST(CueShift, StreamEqualsWholeFileAndShiftsUndo) {
    const std::string vtt = test::DownloaderWebVtt();
    const std::string ass = test::StyledKaraokeAss();
    const std::pair<std::string, SubtitleFormat> files[] = {
        {vtt, SubtitleFormat::WebVtt},
        {test::AutoCaptionWebVtt(), SubtitleFormat::WebVtt},
        {Replace(vtt, "\n", "\r\n"), SubtitleFormat::WebVtt},
        {Replace(vtt, "\n", "\r"), SubtitleFormat::WebVtt},
        {vtt.substr(0, vtt.size() - 1) + std::string(200, 'x'), SubtitleFormat::WebVtt},
        {"WEBVTT\n\n00:00.000 --> 00:01.000\n" + std::string(300, '<') + "00:00.500>", SubtitleFormat::WebVtt},
        {ass, SubtitleFormat::Ass},
        {Replace(ass, "\r\n", "\n"), SubtitleFormat::Ass},
        {"WEBVTT\n\n00:00:01.000 --> 00:0x:02.000\nbad\n", SubtitleFormat::WebVtt},
        {"[Events]\nDialogue: 0,0:00:01.00\n", SubtitleFormat::Ass},
        {"WEBVTT\n", SubtitleFormat::WebVtt},
        {"", SubtitleFormat::Ass},
    };
    for (const auto& [content, format] : files) {
        const std::string whole = Whole(content, format, Plus(2, 340));
        for (size_t chunk = 16; chunk < 90; chunk += 7)
            EXPECT_EQ(Streamed(content, format, Plus(2, 340), chunk), whole) << chunk << "\n" << content;
        if (whole.find("Something Wrong") != std::string::npos) continue;
        EXPECT_EQ(Whole(content, format, Plus(0)), content);
        // Less than a second, so that no time without hours reaches an hour.
        EXPECT_EQ(Whole(Whole(content, format, Plus(0, 340)), format, Minus(0, 340)), content);
    }
}

TEST(CueShift, AnUnreadableTimeNamesItsLine) {
    const RuntimeError vtt = test::ErrorRaisedBy(
        [] { ShiftCueContent("WEBVTT\n\n1\n00:00:01.000 --> 00:00:02.0\ntext\n", SubtitleFormat::WebVtt, Plus(1)); });
    EXPECT_EQ(vtt.Number(), ErrorNumber::TypeMismatch);
    EXPECT_NE(vtt.Description().find("at line 4: \"00:00:01.000 --> 00:00:02.0\""), std::string::npos);
    const RuntimeError ass = test::ErrorRaisedBy(
        [] { ShiftCueContent("[Events]\r\nDialogue: 0,0:00:01.00\r\n", SubtitleFormat::Ass, Plus(1)); });
    EXPECT_EQ(ass.Number(), ErrorNumber::SubscriptOutOfRange);
    EXPECT_NE(ass.Description().find("at line 2"), std::string::npos);
    EXPECT_EQ(test::ErrorRaisedBy([] { ShiftCueContent("[Script Info]\n", SubtitleFormat::Ass, Plus(1)); }).Number(),
              ErrorNumber::InvalidCall);
}

}  // namespace
}  // namespace tarvex
