#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "base/TextEncoding.h"
#include "job/BusyState.h"
#include "subtitle/CueFixtures.h"
#include "subtitle/Lines.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingPanel.h"
#include "support/ScriptedTransport.h"
#include "support/TempFolder.h"
#include "translate/CuePlan.h"
#include "translate/TextCleaning.h"
#include "translate/TranslateRun.h"

namespace tarvex {
namespace {

using test::ReadBytes;
using test::WriteBytes;

bool Connected() {
    return true;
}
bool NotConnected() {
    return false;
}

class TranslateRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        service.Pause = [](std::chrono::milliseconds) {};
    }
    // Runs on `content` and answers the output file's bytes ("" when none).
    std::string Translate(const std::string& content, const std::string& target = "indonesian",
                          ConnectionTest connected = Connected) {
        WriteBytes(input, content);
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
        succeeded = RunTranslation(input, "english", target, environment, service, connected);
        std::string output = InsertCode(LanguageCodeFor(target));
        return test::Exists(output) ? ReadBytes(output) : "";
    }
    static std::string LanguageCodeFor(const std::string& target) { return target == "indonesian" ? "id" : "auto"; }
    std::string InsertCode(const std::string& code) { return InsertBeforeExtension(input, "." + code); }
    std::vector<std::string> Sent() const {
        std::vector<std::string> texts;
        for (const std::string& url : transport.Urls) {
            std::string joined;
            for (const std::string& line : test::SentLines(url)) joined += (joined.empty() ? "" : "|") + line;
            texts.push_back(joined);
        }
        return texts;
    }

    test::TempFolder folder;
    std::string input = folder / "movie.srt";
    test::FaultyFileSystem files;
    test::RecordingPanel panel;
    test::ScriptedTransport transport;
    ConnectionSettings service{.Jobs = 1, .NewTransport = test::ConnectionsTo(transport)};
    int16_t shiftNameNumber = 0;
    int16_t translateNameNumber = 0;
    bool succeeded = false;
};

TEST_F(TranslateRunTest, TwoBlocksKeepTheirNumbersAndTimings) {
    const std::string input =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nWorld\r\n";
    EXPECT_EQ(Translate(input),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nWORLD\r\n");
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(ReadBytes(this->input), input);  // the input is never changed
    EXPECT_EQ(panel.Percentages, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(panel.Total, "Total Text : 2");
    EXPECT_EQ(panel.Counter, "Process 2 from 2 Text");
    EXPECT_EQ(panel.Status, "Output File : movie.id.srt");
    ASSERT_EQ(panel.Messages.size(), 1u);
    EXPECT_EQ(panel.Messages[0].Text, "Process Success Bos..");
    EXPECT_EQ(transport.Urls[0].find("&sl=en&tl=id&"), transport.Urls[0].find("&sl="));
}

TEST_F(TranslateRunTest, LinesOutsideBlocksAndTheLastBlock) {
    // A title and a blank line before the first block are copied; blank lines
    // after the last block are not; a last line without a line break is sent.
    EXPECT_EQ(Translate("Title\n\n\n1\n00:00:01,000 --> 00:00:02,000\nHi there\nBye\n\n\n\n2\n"
                        "00:00:03,000 --> 00:00:04,000\n<i>last</i>"),
              "Title\r\n\r\n\r\n1\r\n00:00:01,000 --> 00:00:02,000\r\nHI THERE\r\nBYE\r\n\r\n\r\n\r\n2\r\n"
              "00:00:03,000 --> 00:00:04,000\r\nLAST\r\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Hi there|Bye", "last"}));
    EXPECT_EQ(panel.Percentages.back(), 100);

    EXPECT_EQ(Translate("1\n00:00:01,000 --> 00:00:02,000\nA\n\n\n\n"), "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n");
}

TEST_F(TranslateRunTest, EmptyAndUnclosedBlocks) {
    // A timing line right before a blank line sends an empty text.
    EXPECT_EQ(Translate("1\n00:00:01,000 --> 00:00:02,000\n\n2\n00:00:03,000 --> 00:00:04,000\nB\n"),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\n\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nB\r\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"", "B"}));

    // Without the blank line the block is still translated, and its bare
    // number line stays the next block's number.
    transport.Urls.clear();
    EXPECT_EQ(Translate("1\n00:00:01,000 --> 00:00:02,000\nA\nB\n2\n00:00:03,000 --> 00:00:04,000\nC\n"),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\nB\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nC\r\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"A|B", "C"}));
    EXPECT_EQ(panel.Percentages, (std::vector<int>{0, 50, 100}));

    // Back-to-back timing lines: nothing to send, still counted.
    transport.Urls.clear();
    EXPECT_EQ(Translate("00:00:01,000 --> 00:00:02,000\n00:00:03,000 --> 00:00:04,000\nC\n"),
              "00:00:01,000 --> 00:00:02,000\r\n00:00:03,000 --> 00:00:04,000\r\nC\r\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"C"}));
    EXPECT_EQ(panel.Counter, "Process 2 from 2 Text");
}

TEST_F(TranslateRunTest, TagsAreCleanedBeforeSending) {
    EXPECT_EQ(CleanTextLine("<i>Hello</i>"), "Hello");
    EXPECT_EQ(CleanTextLine("<font color=\"#ff0000\">Red</font> and <font color=\"#ff0000\">red</font>"),
              "Red and red");
    EXPECT_EQ(CleanTextLine("<font color=\"#ff0000\">a <font color=\"#00ff00\">b"), "a <font color=\"#00ff00\">b");
    EXPECT_EQ(CleanTextLine("<font color=>x"), "<font color=>x");
    EXPECT_EQ(CleanTextLine("<b>bold</b> <I>caps</I>"), "<b>bold</b> <I>caps</I>");
    Translate("1\n00:00:01,000 --> 00:00:02,000\n<i>Hello</i> & <font color=\"red\">you</font>\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Hello & you"}));
}

TEST_F(TranslateRunTest, EarlierOutputIsMovedAsideAndUnknownTargetsAreAuto) {
    WriteBytes(folder / "movie.id.srt", "first");
    WriteBytes(folder / "movie.id1.srt", "second");
    Translate("1\n00:00:01,000 --> 00:00:02,000\nx\n");
    EXPECT_EQ(ReadBytes(folder / "movie.id2.srt"), "first");
    EXPECT_EQ(ReadBytes(folder / "movie.id1.srt"), "second");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"), "1\r\n00:00:01,000 --> 00:00:02,000\r\nX\r\n");
    EXPECT_EQ(translateNameNumber, 2);

    EXPECT_NE(Translate("1\n00:00:01,000 --> 00:00:02,000\nx\n", "klingon"), "");
    EXPECT_EQ(panel.Status, "Output File : movie.auto.srt");
    EXPECT_NE(transport.Urls.back().find("&tl=auto&"), std::string::npos);
}

TEST_F(TranslateRunTest, NoConnectionOnlySaysSo) {
    panel.Status = kStatusRunning;
    EXPECT_EQ(Translate("1\n00:00:01,000 --> 00:00:02,000\nx\n", "indonesian", NotConnected), "");
    EXPECT_FALSE(succeeded);
    EXPECT_TRUE(transport.Urls.empty());
    EXPECT_FALSE(panel.Busy);
    EXPECT_EQ(panel.Status, "");  // untouched by the run
    ASSERT_EQ(panel.Messages.size(), 1u);
    EXPECT_EQ(panel.Messages[0].Text, "Internet not connected");
    EXPECT_EQ(panel.Messages[0].Title, "Not Connected");
    EXPECT_EQ(panel.Messages[0].Icon, MessageIcon::Exclamation);
}

TEST_F(TranslateRunTest, FailuresKeepTheInputAndEarlierOutputs) {
    const std::string content =
        "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:03,000 --> 00:00:04,000\nB\n\n3\n00:00:05,000 --> "
        "00:00:06,000\nC\n";
    WriteBytes(folder / "movie.id.srt", "earlier");
    transport.BeforeAnswer = [](size_t request) {
        if (request == 2) throw RuntimeError(ErrorNumber::ServiceRefused, "HTTP 429 Too Many Requests");
    };
    // Only whole blocks are kept: block 2's number and timing line are not.
    EXPECT_EQ(Translate(content), "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\r\n");
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(ReadBytes(input), content);
    EXPECT_EQ(ReadBytes(folder / "movie.id1.srt"), "earlier");
    EXPECT_EQ(panel.Status, "PROCESS FAILED");
    EXPECT_EQ(panel.Messages.back().Text, "Something Wrong (35762) HTTP 429 Too Many Requests");
    EXPECT_FALSE(panel.Busy);

    // Refused at the first block: no output is left, and the earlier one
    // keeps its name rather than piling up numbered copies.
    test::TempFolder refused;
    input = refused / "movie.srt";
    WriteBytes(refused / "movie.id.srt", "earlier");
    transport.BeforeAnswer = [](size_t) { throw RuntimeError(ErrorNumber::KeyRefused, "deepl: HTTP 403 Forbidden"); };
    EXPECT_EQ(Translate(content), "earlier");
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(test::ListFolder(refused.Path()), "movie.id.srt movie.srt");
    std::filesystem::remove(refused / "movie.id.srt");
    Translate(content);
    EXPECT_EQ(test::ListFolder(refused.Path()), "movie.srt");

    // Before the output is opened: nothing is written or moved.
    transport.BeforeAnswer = nullptr;
    test::TempFolder empty;
    input = empty / "movie.srt";
    EXPECT_EQ(Translate("no timing here\n"), "");
    EXPECT_EQ(panel.Messages.back().Text.rfind("Something Wrong (5) ", 0), 0u);
    files.FailRename = ErrorNumber::PermissionDenied;
    WriteBytes(empty / "movie.id.srt", "kept");
    EXPECT_EQ(Translate("1\n00:00:01,000 --> 00:00:02,000\nx\n"), "kept");
    EXPECT_EQ(panel.Messages.back().Text, "Something Wrong (70) Permission denied");
    EXPECT_EQ(test::ListFolder(empty.Path()), "movie.id.srt movie.srt");
}

TEST_F(TranslateRunTest, ACutOffUtf16EarlierOutputNeverBlocksARun) {
    auto utf16 = [](const std::string& text) { return "\xFF\xFE" + Utf8ToUtf16(text, false); };
    const std::string source =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nYo\r\n";
    const std::string translated =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nHI\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nYO\r\n";
    const std::string firstBlock = utf16(translated.substr(0, translated.find("2\r\n")));
    struct Case {
        std::string Earlier;  // an odd number of bytes: cut off inside a character
        ResumeChoice Choice;  // as the window asks, or as the CLI's --resume
        int32_t Kept;         // whole blocks carried on
    };
    const Case cases[] = {
        {firstBlock.substr(0, 21), ResumeChoice::Ask, 0},
        {firstBlock.substr(0, 21), ResumeChoice::Always, 0},
        {firstBlock + "4", ResumeChoice::Always, 1},
    };
    for (const Case& each : cases) {
        test::TempFolder other;
        input = other / "movie.srt";
        translateNameNumber = 0;
        WriteBytes(InsertCode("id"), each.Earlier);
        WriteBytes(input, utf16(source));
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
        transport.Urls.clear();
        succeeded = RunTranslation(input, "english", "indonesian", environment, service, Connected,
                                   TranslationOptions{.LegacyEncoding = "", .Resume = each.Choice});
        ASSERT_TRUE(succeeded) << panel.Messages.back().Text;
        EXPECT_EQ(ReadBytes(InsertCode("id")), utf16(translated));
        EXPECT_EQ(transport.Urls.size(), size_t{2} - static_cast<size_t>(each.Kept));
        if (each.Kept == 0) {
            EXPECT_EQ(ReadBytes(InsertCode("id1")), each.Earlier);
        }
    }
}

TEST_F(TranslateRunTest, AFailedResumeReportsItsOwnErrorEvenWhenTheRestoreFails) {
    const std::string source =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nYo\r\n";
    const std::string earlier = "1\r\n00:00:01,000 --> 00:00:02,000\r\nHI\r\n\r\n";
    WriteBytes(InsertCode("id"), earlier);
    WriteBytes(input, source);
    files.FailCreate = ErrorNumber::DiskFull;
    files.FailRename = ErrorNumber::PermissionDenied;
    files.RenamesBeforeFailure = 1;  // moved aside, then not back
    BusyState busy(panel);
    RunEnvironment environment{panel, panel, files, shiftNameNumber, translateNameNumber, &busy};
    EXPECT_FALSE(RunTranslation(input, "english", "indonesian", environment, service, Connected,
                                TranslationOptions{.LegacyEncoding = "", .Resume = ResumeChoice::Always}));
    EXPECT_EQ(panel.Messages.back().Text,
              "Something Wrong (61) Disk full; the earlier output stays as movie.id1.srt (Permission denied)");
    EXPECT_EQ(ReadBytes(InsertCode("id1")), earlier);
}

TEST_F(TranslateRunTest, AnyExceptionOfTheRequestsEndsInTheReport) {
    const std::string content = "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:03,000 --> 00:00:04,000\nB\n";
    // Raised by a request on its worker.
    transport.BeforeAnswer = [](size_t request) {
        if (request == 2) throw std::logic_error("reply reader out of step");
    };
    Translate(content);
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(panel.Messages.back().Text, "Something Wrong (51) Internal error: reply reader out of step");

    // Raised while the pool starts, after its first worker has.
    transport.BeforeAnswer = nullptr;
    service.Jobs = 2;
    int connections = 0;
    service.NewTransport = [&, inner = test::ConnectionsTo(transport)]() {
        if (++connections == 2) throw std::logic_error("no second connection");
        return inner();
    };
    test::TempFolder other;
    input = other / "movie.srt";
    Translate(content);
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(panel.Messages.back().Text, "Something Wrong (51) Internal error: no second connection");
    EXPECT_EQ(panel.Status, "PROCESS FAILED");
}

TEST_F(TranslateRunTest, ANameHeldByAFolderOrALinkCountsAsTaken) {
    std::filesystem::create_directory(InsertCode("id"));
    WriteBytes(InsertCode("id1"), "older");
    std::string free = InsertCode("id2");
#ifndef _WIN32
    std::filesystem::create_symlink(folder / "nowhere", free);  // a link that leads nowhere
    free = InsertCode("id3");
#endif
    EXPECT_EQ(Translate("1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n"),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nHI\r\n");
    EXPECT_TRUE(succeeded) << (panel.Messages.empty() ? "" : panel.Messages.back().Text);
    EXPECT_TRUE(std::filesystem::is_directory(free));  // the folder, moved aside
    EXPECT_EQ(ReadBytes(InsertCode("id1")), "older");
}

TEST_F(TranslateRunTest, ABlockTooLongForOneRequestNamesItsLine) {
    // 5,500 bytes that each travel as %XX: just over the request's limit.
    const std::string content =
        "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:03,000 --> 00:00:04,000\n" + std::string(5500, '#') + "\n";
    EXPECT_EQ(Translate(content), "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\r\n");  // whole blocks only
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(panel.Messages.back().Text,
              "Something Wrong (35766) Block at line 6 too long for one request (over 16 KiB once encoded)");
    EXPECT_EQ(transport.Urls.size(), 1u);  // the long block was never sent
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Only the cue text changes: markup is not sent, the leading tags or
// override block stay in front, ASS lines stay one event joined by \N, and
// line ends, marks, headers, styles and comments stay as they were.
TEST_F(TranslateRunTest, WebVttAndAssFilmsKeepEveryByteButTheirText) {
    input = folder / "film.vtt";
    const std::string vtt = test::DownloaderWebVtt();
    std::string expected = vtt;
    for (auto [from, to] : {std::pair{"<c.yellow>Good</c><00:00:01.500> <c>morning</c>", "<c.yellow>GOOD MORNING"},
                            {"<v Anna>Is it?\n<i>Really?</i>", "<v Anna>IS IT?\nREALLY?"},
                            {"An hour in.", "AN HOUR IN."}})
        expected = Replaced(expected, from, to);
    EXPECT_EQ(Translate(vtt), expected);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Good morning", "Is it?|Really?", "An hour in."}));
    EXPECT_EQ(panel.Total, "Total Text : 3");
    EXPECT_EQ(panel.Status, "Output File : film.id.vtt");

    transport.Urls.clear();
    input = folder / "film.ass";
    const std::string ass = test::StyledKaraokeAss();
    expected = ass;
    for (auto [from, to] : {std::pair{"{\\an8\\i1}Hello, world\\Nsecond line", "{\\an8\\i1}HELLO, WORLD\\NSECOND LINE"},
                            {"{\\k25}Ka{\\k30}ra{\\k45}o{\\k20}ke", "{\\k25}KARAOKE"},
                            {"{\\pos(960,50)}Sign text", "{\\pos(960,50)}SIGN TEXT"}})
        expected = Replaced(expected, from, to);
    EXPECT_EQ(Translate(ass), expected);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Hello, world|second line", "Karaoke", "Sign text"}));
    // What is sent is what is counted: the Dialogue events, not the comments.
    EXPECT_EQ(panel.Total, "Total Text : 3");
    EXPECT_EQ(panel.Percentages.back(), 100);

    // A mark and then straight the first timing line, as some tools write SRT.
    input = folder / "marked.srt";
    EXPECT_EQ(Translate("\xEF\xBB\xBF"
                        "00:00:01,000 --> 00:00:02,000\r\nHello\r\n"),
              "\xEF\xBB\xBF"
              "00:00:01,000 --> 00:00:02,000\r\nHELLO\r\n");
}

// The translation cuts a WebVTT file as the shift does: lines end at LF,
// each keeps its own end, and a cue's text runs to the first empty line.
TEST_F(TranslateRunTest, WebVttCuesAreTheCuesTheShiftSees) {
    input = folder / "film.vtt";
    EXPECT_EQ(Translate("WEBVTT\n\n00:01.000 --> 00:02.000\r\nHello\n\n00:03.000 --> 00:04.000\nWorld\n"),
              "WEBVTT\n\n00:01.000 --> 00:02.000\r\nHELLO\n\n00:03.000 --> 00:04.000\nWORLD\n");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Hello", "World"}));

    transport.Urls.clear();
    std::string expected = test::AutoCaptionWebVtt();
    for (auto [from, to] :
         {std::pair{"welcome<00:00:00.359><c> back</c><00:00:00.840><c> to</c><00:00:01.079><c> the</c>",
                    "WELCOME BACK TO THE"},
          {"welcome back to the\n \n", "WELCOME BACK TO THE\n \n"},
          {"welcome back to the\nchannel<00:00:02.879><c> today</c><00:00:03.120><c> we</c><00:00:03.360><c> cook</c>",
           "WELCOME BACK TO THE\nCHANNEL TODAY WE COOK"}})
        expected = Replaced(expected, from, to);
    EXPECT_EQ(Translate(test::AutoCaptionWebVtt()), expected);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"welcome back to the", "welcome back to the",
                                                "welcome back to the|channel today we cook"}));

    // Cues without words: kept as they are, and the user is told nothing was sent.
    transport.Urls.clear();
    const std::string wordless = "WEBVTT\n\n00:01.000 --> 00:02.000\n<i></i>\n";
    EXPECT_EQ(Translate(wordless), wordless);
    EXPECT_TRUE(Sent().empty());
    ASSERT_FALSE(panel.Messages.empty());
    EXPECT_NE(panel.Messages.back().Text.find("None of the 1 blocks held text"), std::string::npos)
        << panel.Messages.back().Text;
}

TEST(CuePlan, BlocksFollowTheCuesAndKeepTheirMarkupApart) {
    struct Case {
        SubtitleFormat Format;
        std::string Content;
        std::vector<std::string> Sent;  // each request's lines joined by "|"
        std::vector<std::string> Prefixes;
        size_t Blocks;
    };
    const Case cases[] = {
        // A cue without text and one ended by the next cue rather than a blank line.
        {SubtitleFormat::WebVtt,
         "WEBVTT\n\n00:01.000 --> 00:02.000\n\n00:03.000 --> 00:04.000\n<b>a</b> b\n00:05.000 --> 00:06.000\nc",
         {"a b", "c"},
         {"<b>", ""},
         3},
        // An event of markup only goes unsent; a Format: line that moves Text.
        {SubtitleFormat::Ass,
         "[Events]\nFormat: Layer, Start, End, Text\nDialogue: 0,0:00:01.00,0:00:02.00,{\\p1}\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,{\\b1}x, y\\n{\\i1}z\\h\n",
         {"x, y|z\\h"},
         {"Dialogue: 0,0:00:01.00,0:00:02.00,{\\b1}"},
         2},
        // Shapes drawn under \p are never sent; a shape alone is no text. Other
        // events are no blocks.
        {SubtitleFormat::Ass,
         "[Events]\nFormat: Layer, Start, End, Style, Text\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,,{\\p1}m 0 0 l 10 0 10 10{\\p0}\n"
         "Comment: 0,0:00:01.00,0:00:02.00,,note\nPicture: 0,0:00:01.00,0:00:02.00,,a.png\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,,{\\pos(1,2)\\p2}m 0 0 l 1 1{\\p0}Hi\\N{\\p1}m 1 1{\\p0}there\n",
         {"Hi|there"},
         {"Dialogue: 0,0:00:01.00,0:00:02.00,,{\\pos(1,2)\\p2}m 0 0 l 1 1{\\p0}"},
         2},
        // Lines of markup or blanks only, and arrows that are no timing, are kept unsent.
        {SubtitleFormat::WebVtt,
         "WEBVTT\n\n00:01.000 --> 00:02.000\n \n<b>a --> b</b>\n<i>c</i>\n<i></i>\n",
         {"c"},
         {"<i>"},
         1},
    };
    for (const Case& c : cases) {
        const CutLines cut = SplitCueLines(c.Content);
        const BlockPlan plan = PlanCueBlocks(c.Format, cut.Lines, cut.Ends);
        std::vector<std::string> sent, prefixes;
        for (const BlockRequest& request : plan.Requests) {
            std::string joined;
            for (const std::string& line : request.Lines) joined += (joined.empty() ? "" : "|") + line;
            sent.push_back(joined);
            prefixes.emplace_back(request.Prefix);
        }
        EXPECT_EQ(sent, c.Sent) << c.Content;
        EXPECT_EQ(prefixes, c.Prefixes) << c.Content;
        size_t blocks = 0;
        for (const PlanStep& step : plan.Steps) blocks += step.What == PlanStep::Kind::BlockEnd;
        EXPECT_EQ(blocks, c.Blocks) << c.Content;
        EXPECT_EQ(plan.LineEnd, "\n");
    }
    BlockRequest event{{}, 1, "Dialogue: ,{\\b1}", "\\N"};
    EXPECT_EQ(ShapeTranslation(event, "A\r\nB", "\r\n"), "Dialogue: ,{\\b1}A\\NB");
}

}  // namespace
}  // namespace tarvex
