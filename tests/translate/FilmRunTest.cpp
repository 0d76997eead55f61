// Whole films: several requests at once, rate limits, resuming a broken
// run, and inputs in every encoding.

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/TextEncoding.h"
#include "job/BusyState.h"
#include "support/ConcurrentService.h"
#include "support/RaisedError.h"
#include "support/RecordingPanel.h"
#include "support/ScriptedTransport.h"
#include "support/TempFolder.h"
#include "translate/RateGate.h"
#include "translate/TranslateRun.h"

namespace tarvex {
namespace {

using std::chrono::milliseconds;
using test::ReadBytes;
using test::WriteBytes;

// Blocks of one or two lines, some unclosed or empty, to give the plan every
// kind of step.
std::string Film(int blocks) {
    std::string film;
    for (int block = 1; block <= blocks; ++block) {
        film += std::to_string(block) + "\r\n00:00:" + std::to_string(10 + block % 50) + ",000 --> 00:01:00,000\r\n";
        if (block % 7 != 0) film += "line " + std::to_string(block) + "\r\n";
        if (block % 3 == 0) film += "second of " + std::to_string(block) + "\r\n";
        if (block % 11 != 0 || block == blocks) film += "\r\n";
    }
    return film;
}

class FilmRunTest : public ::testing::Test {
protected:
    // Runs with `jobs` against the concurrent service; answers the output.
    std::string Run(int jobs, const TranslationOptions& options = {}) {
        ConnectionSettings service{.Host = "h", .Jobs = jobs, .NewTransport = [this] { return fake.NewTransport(); }};
        return RunWith(service, options);
    }
    std::string RunWith(ConnectionSettings& service, const TranslationOptions& options = {}) {
        service.Pause = [this](milliseconds pause) {
            std::lock_guard<std::mutex> lock(pausesMutex);  // workers pause on threads of their own
            pauses.push_back(pause);
        };
        panel = test::RecordingPanel();
        panel.AnswerYes = answerYes;
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNameNumber, translateNameNumber, &busy};
        succeeded = RunTranslation(input, "english", "indonesian", environment, service, nullptr, options);
        return test::Exists(Output()) ? ReadBytes(Output()) : "";
    }
    std::string Output() const { return InsertBeforeExtension(input, ".id"); }
    std::string LastMessage() const { return panel.Messages.empty() ? "" : panel.Messages.back().Text; }

    test::TempFolder folder;
    std::string input = folder / "film.srt";
    test::ConcurrentService fake;
    test::RecordingPanel panel;
    std::mutex pausesMutex;
    std::vector<milliseconds> pauses;
    bool answerYes = false;
    int16_t shiftNameNumber = 0;
    int16_t translateNameNumber = 0;
    bool succeeded = false;
};

TEST_F(FilmRunTest, RepliesOutOfOrderAreWrittenInBlockOrder) {
    WriteBytes(input, Film(120));
    const std::string oneByOne = Run(1);
    ASSERT_TRUE(succeeded) << LastMessage();
    EXPECT_EQ(fake.MostInFlight, 1);
    // Later requests answer sooner than earlier ones.
    fake.Reset();
    fake.Delay = [](size_t request) { return milliseconds((7 - request % 7) * 2); };
    std::filesystem::remove(Output());
    for (int jobs : {4, 16}) {
        fake.MostInFlight = 0;
        std::filesystem::remove(Output());
        EXPECT_EQ(Run(jobs), oneByOne) << jobs;
        EXPECT_TRUE(succeeded) << LastMessage();
        EXPECT_EQ(fake.MostInFlight, jobs);
        EXPECT_EQ(panel.Counter, "Process 120 from 120 Text");
    }
}

TEST_F(FilmRunTest, AFailedBlockEndsTheRunAfterTheEarlierOnes) {
    WriteBytes(input, Film(60));
    const std::string whole = Run(1);
    std::filesystem::remove(Output());
    fake.Reset();
    // The refused request is chosen by what it carries, not by when it
    // arrives: a worker may be held back by the scheduler for any length.
    // Status is asked under the service's lock, so FirstLines is safe here.
    fake.Status = [this](size_t request) { return fake.FirstLines[request - 1] == "line 30" ? 500 : 200; };
    const std::string partial = Run(8);
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(LastMessage(), "Something Wrong (35762) HTTP 500");
    // Every block before the refused one is written, and nothing after it.
    EXPECT_EQ(whole.substr(0, partial.size()), partial);
    EXPECT_NE(partial.find("LINE 29"), std::string::npos);
    EXPECT_EQ(partial.find("LINE 30"), std::string::npos);
    EXPECT_EQ(partial.find("\r\n30\r\n"), std::string::npos);
}

TEST_F(FilmRunTest, RateLimitsHalveTheRequestsInFlightAndHonourRetryAfter) {
    RateGate gate(8, [](milliseconds) {});
    const auto later = RateGate::Clock::now() + std::chrono::minutes(1);
    // A burst: four refusals to requests that were under way together halve once.
    std::vector<uint64_t> tickets;
    for (int index = 0; index < 4; ++index) tickets.push_back(gate.Enter(later));
    for (uint64_t ticket : tickets) gate.Leave(ticket, true, milliseconds(0));
    EXPECT_EQ(gate.Limit(), 4);
    for (int burst = 0; burst < 5; ++burst) gate.Leave(gate.Enter(later), true, milliseconds(0));
    EXPECT_EQ(gate.Limit(), 1);
    for (int block = 0; block < 20 * 3; ++block) gate.BlockSucceeded();
    EXPECT_EQ(gate.Limit(), 4);
    for (int block = 0; block < 20 * 10; ++block) gate.BlockSucceeded();
    EXPECT_EQ(gate.Limit(), 8);

    // In a run: a burst of 429 with Retry-After 2 is waited out, and the
    // output is still whole.
    WriteBytes(input, Film(80));
    const std::string whole = Run(1);
    std::filesystem::remove(Output());
    fake.Reset();
    fake.RetryAfter = "2";
    fake.Status = [](size_t request) { return request >= 10 && request < 14 ? 429 : 200; };
    fake.Delay = [](size_t) { return milliseconds(1); };
    pauses.clear();
    EXPECT_EQ(Run(4), whole);
    EXPECT_TRUE(succeeded) << LastMessage();
    ASSERT_FALSE(pauses.empty());
    for (milliseconds pause : pauses) {
        EXPECT_GT(pause.count(), 0);
        EXPECT_LE(pause.count(), 2000);
    }
    // After the burst at most half as many went out at once.
    for (size_t request = 14; request < 30 && request < fake.InFlightAtStart.size(); ++request)
        EXPECT_LE(fake.InFlightAtStart[request], 2) << request;
}

TEST(RateGate, NoAttemptIsHeldPastItsDeadline) {
    using std::chrono::hours;
    RateGate::Clock::time_point now{};  // a clock that moves only by the pauses taken
    std::vector<milliseconds> pauses;
    RateGate gate(
        2,
        [&](milliseconds pause) {
            pauses.push_back(pause);
            now += pause;
        },
        [&] { return now; });
    gate.Leave(gate.Enter(now + hours(1)), true, hours(1));
    // An hour's Retry-After against a 5 s time-out: refused at once, unwaited.
    EXPECT_EQ(test::NumberRaisedBy([&] { gate.Enter(now + std::chrono::seconds(5)); }), ErrorNumber::RequestTimedOut);
    EXPECT_TRUE(pauses.empty());
    // A deadline beyond the pause waits it out.
    const uint64_t held = gate.Enter(now + hours(2));
    EXPECT_EQ(pauses, std::vector<milliseconds>{hours(1)});
    // The one turn left is taken: a wait for it ends at the deadline too.
    EXPECT_EQ(gate.Limit(), 1);
    EXPECT_EQ(test::NumberRaisedBy([&] { gate.Enter(now + milliseconds(50)); }), ErrorNumber::RequestTimedOut);
    EXPECT_EQ(test::NumberRaisedBy([&] { gate.Enter(now); }), ErrorNumber::RequestTimedOut);
    gate.Leave(held, false, {});
    gate.Leave(gate.Enter(now + milliseconds(50)), false, {});
}

TEST_F(FilmRunTest, ABrokenRunResumesToTheSameFile) {
    const std::string film = Film(40);
    WriteBytes(input, film);
    const std::string whole = Run(1);
    // Request 7 is block 7's, which has no text: a block with nothing sent.
    for (size_t failAt : {2u, 7u, 8u, 17u, 40u}) {
        test::TempFolder other;
        input = other / "film.srt";
        WriteBytes(input, film);
        fake.Reset();
        fake.Status = [failAt](size_t request) { return request == failAt ? 500 : 200; };
        Run(1);  // one by one, so that request N is block N's
        ASSERT_FALSE(succeeded);
        fake.Reset();
        EXPECT_EQ(Run(4, {"", ResumeChoice::Always}), whole) << failAt;
        EXPECT_TRUE(succeeded) << LastMessage();
        // Only the missing blocks were asked for, and nothing was left aside.
        EXPECT_EQ(fake.FirstLines.size(), 40 - (failAt - 1)) << failAt;
        EXPECT_EQ(test::ListFolder(other.Path()), "film.id.srt film.srt") << failAt;
    }

    // The window asks, naming both counts: No moves the partial file aside
    // and starts over.
    test::TempFolder other;
    input = other / "film.srt";
    WriteBytes(input, film);
    fake.Reset();
    fake.Status = [](size_t request) { return request == 20 ? 500 : 200; };
    Run(1);
    const std::string broken = ReadBytes(Output());
    fake.Reset();
    EXPECT_EQ(Run(2, {"", ResumeChoice::Ask}), whole);
    EXPECT_EQ(panel.Messages.front().Text.substr(0, 35), "film.id.srt already holds 19 of 40 ");
    EXPECT_EQ(fake.FirstLines.size(), 40u);
    EXPECT_EQ(ReadBytes(InsertBeforeExtension(input, ".id1")), broken);
    // Yes carries it on.
    WriteBytes(Output(), broken);
    fake.Reset();
    answerYes = true;
    EXPECT_EQ(Run(2, {"", ResumeChoice::Ask}), whole);
    EXPECT_EQ(fake.FirstLines.size(), 21u);

    // A file of something else is not carried on, even when asked to.
    const std::string unrelated = "1\r\n00:00:09,000 --> 00:00:10,000\r\nother\r\n\r\n";
    WriteBytes(Output(), unrelated);
    EXPECT_EQ(Run(2, {"", ResumeChoice::Always}), whole);
    EXPECT_EQ(ReadBytes(InsertBeforeExtension(input, ".id2")), unrelated);

    // A finished file whose last block has two lines is kept whole.
    WriteBytes(input, Film(39));
    const std::string finished = Run(1);
    fake.Reset();
    EXPECT_EQ(Run(4, {"", ResumeChoice::Always}), finished);
    EXPECT_TRUE(fake.FirstLines.empty());
}

TEST_F(FilmRunTest, EveryEncodingGoesOutAsUtf8AndComesBackInItsFamily) {
    const std::string utf8 =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xC3\xA9 cr\xC3\xA8me\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\n\xD0\x9F\xD1\x80\xD0\xB8\r\n";
    const std::string translated =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nCAF\xC3\xA9 CR\xC3\xA8ME\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\n\xD0\x9F\xD1\x80\xD0\xB8\r\n";
    struct Case {
        std::string Bytes;
        std::string Encoding;
        std::string Expected;
    };
    std::string bigEndian = "\xFE\xFF" + Utf8ToUtf16(utf8, true);
    const std::vector<Case> cases = {
        {"\xEF\xBB\xBF" + utf8, "", "\xEF\xBB\xBF" + translated},
        {"\xFF\xFE" + Utf8ToUtf16(utf8, false), "", "\xFF\xFE" + Utf8ToUtf16(translated, false)},
        {bigEndian, "", "\xFE\xFF" + Utf8ToUtf16(translated, true)},
        {"1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xE9 cr\xE8me\r\n", "windows-1252",
         "1\r\n00:00:01,000 --> 00:00:02,000\r\nCAF\xC3\xA9 CR\xC3\xA8ME\r\n"},
        {"1\r\n00:00:01,000 --> 00:00:02,000\r\n\xCF\xF0\xE8\r\n", "windows-1251",
         "1\r\n00:00:01,000 --> 00:00:02,000\r\n\xD0\x9F\xD1\x80\xD0\xB8\r\n"},
    };
    for (const Case& each : cases) {
        std::filesystem::remove(Output());
        WriteBytes(input, each.Bytes);
        fake.Reset();
        EXPECT_EQ(Run(2, {each.Encoding, ResumeChoice::Never}), each.Expected) << each.Encoding;
        EXPECT_TRUE(succeeded) << LastMessage();
        // The text reached the service as UTF-8.
        for (const std::string& line : fake.FirstLines) EXPECT_TRUE(IsValidUtf8(line)) << line;
    }
    EXPECT_EQ(fake.FirstLines.front(), "\xD0\x9F\xD1\x80\xD0\xB8");

    // A partial UTF-16 output resumes in UTF-16.
    WriteBytes(input, bigEndian);
    std::filesystem::remove(Output());
    fake.Reset();
    fake.Status = [](size_t request) { return request == 2 ? 500 : 200; };
    Run(1);
    ASSERT_FALSE(succeeded);
    fake.Reset();
    EXPECT_EQ(Run(1, {"", ResumeChoice::Always}), "\xFE\xFF" + Utf8ToUtf16(translated, true));
    EXPECT_EQ(fake.FirstLines.size(), 1u);
}

}  // namespace
}  // namespace tarvex
