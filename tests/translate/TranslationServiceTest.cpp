// The real HTTP client (libcurl or WinINet) against the fake service on
// loopback: what goes over the wire, and how the run ends for each kind of
// answer.

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/TextEncoding.h"
#include "job/BusyState.h"
#include "support/FakeService.h"
#include "support/RecordingPanel.h"
#include "support/RunCli.h"
#include "support/SystemProxy.h"
#include "support/TempFolder.h"
#include "translate/TranslateRun.h"
#include "translate/TranslationRequest.h"
#include "translate/http/HttpTransport.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h.
#include <psapi.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <thread>

extern char** environ;
#endif

namespace tarvex {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A header line as the platform's client puts it on the wire: as given.
std::string AsSent(std::string line) {
    return line;
}

// The last block is in windows-1252, the default legacy page here: it goes
// out as UTF-8 and the whole output is UTF-8.
const std::string kThreeBlocks =
    "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello & you\r\nWorld\r\n\r\n"
    "2\r\n00:00:03,000 --> 00:00:04,000\r\n<i>Quote \"this\"</i>\r\n\r\n"
    "3\r\n00:00:05,000 --> 00:00:06,000\r\n\xE9t\xE9 #1 50%+\r\n";
const std::string kThreeBlocksTranslated =
    "1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO & YOU\r\nWORLD\r\n\r\n"
    "2\r\n00:00:03,000 --> 00:00:04,000\r\nQUOTE\"THIS\"\r\n\r\n"
    "3\r\n00:00:05,000 --> 00:00:06,000\r\n\xC3\xA9T\xC3\xA9 #1 50%+\r\n";

class TranslationServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.Reset();
        WriteBytes(input, kThreeBlocks);
    }
    bool Run(const std::string& host, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        ConnectionSettings service{.Host = host, .Timeout = timeout, .Jobs = 1};
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNameNumber, translateNameNumber, &busy};
        return RunTranslation(input, "english", "indonesian", environment, service, nullptr);
    }
    std::string Output() { return ReadBytes(InsertBeforeExtension(input, ".id")); }
    // After a failure at the first block: the input untouched, the earlier
    // output back under its own name, nothing else left.
    void ExpectFailure(const std::string& report, std::string host = "") {
        WriteBytes(InsertBeforeExtension(input, ".id"), "earlier");
        EXPECT_FALSE(Run(host.empty() ? fake.Address() : host, std::chrono::seconds(2)));
        EXPECT_EQ(panel.Status, "PROCESS FAILED");
        ASSERT_FALSE(panel.Messages.empty());
        EXPECT_EQ(panel.Messages.back().Text.substr(0, report.size()), report);
        EXPECT_EQ(ReadBytes(input), kThreeBlocks);
        EXPECT_EQ(ReadBytes(InsertBeforeExtension(input, ".id")), "earlier");
        EXPECT_FALSE(test::Exists(InsertBeforeExtension(input, ".id1")));
    }

    test::FakeService fake;
    test::TempFolder folder;
    std::string input = folder / "movie.srt";
    test::RecordingPanel panel;
    int16_t shiftNameNumber = 0;
    int16_t translateNameNumber = 0;
};

TEST_F(TranslationServiceTest, RequestsOnTheWireOverOneConnection) {
    ASSERT_TRUE(Run(fake.Address()));
    // The run's three requests shared one connection; asking may take
    // another (WinINet may even reuse the one the reset came on).
    EXPECT_LE(fake.Connections(), 2);
    EXPECT_EQ(Output(), kThreeBlocksTranslated);
    // Every header line exactly as in the header block, spacing included.
    for (const std::string& line :
         {"\"Host:" + fake.Address() + "\"",
          std::string("\"User-Agent:Mozilla/5.0 (Windows NT 5.1; rv:9.0.1) Gecko/20100101 Firefox/9.0.1\""),
          std::string("\"Accept:text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\""),
          std::string("\"Accept-Language:en-us,en;q=0.5\""), std::string("\"Accept-Encoding: *\""),
          std::string("\"Accept-Charset:ISO-8859-1,utf-8;q=0.7,*;q=0.7\""), std::string("\"Keep-Alive:115\""),
          std::string("\"Connection: keep-alive\""), "\"Referer:http://" + fake.Address() + "/\""})
        EXPECT_EQ(fake.CountInRecords(AsSent(line)), 3) << line;
    // The text arrives whole: escaped on the wire, lines joined by %0A.
    EXPECT_EQ(fake.CountInRecords("\"text\": \"Hello & you\\nWorld\""), 1);
    EXPECT_EQ(fake.CountInRecords("text=Hello%20%26%20you%0AWorld&hl=en&sl=en&tl=id&multires=1"), 1);
    // The service records bytes as Latin-1: these are the two bytes of UTF-8 "é".
    EXPECT_EQ(fake.CountInRecords("\"text\": \"\\u00c3\\u00a9t\\u00c3\\u00a9 #1 50%+\""), 1);
    EXPECT_EQ(fake.CountInRecords("\"keys\": [\"client\", \"text\", \"hl\", \"sl\", \"tl\", \"multires\", \"otf\", "
                                  "\"pc\", \"ssel\", \"tsel\", \"sc\"]"),
              3);
}

TEST_F(TranslationServiceTest, CompressedRedirectedAndRetriedRepliesSucceed) {
    std::vector<std::string> modes = {"mode=gzip",
                                      "mode=rawdeflate",
                                      "mode=deflate",
                                      "mode=redirect",
                                      "mode=flaky&count=2&status=429&retry_after=0",
                                      "mode=flaky&count=1&status=503"};
    for (const std::string& mode : modes) {
        fake.Control(mode);
        test::TempFolder other;
        input = other / "movie.srt";
        WriteBytes(input, kThreeBlocks);
        EXPECT_TRUE(Run(fake.Address())) << mode << ": " << (panel.Messages.empty() ? "" : panel.Messages.back().Text);
        EXPECT_EQ(Output(), kThreeBlocksTranslated) << mode;
    }
}

TEST_F(TranslationServiceTest, RepliesWithoutTranslationWriteTheCleanedSourceAndAreCounted) {
    for (const char* mode : {"mode=empty", "mode=nomarks"}) {
        fake.Control(mode);
        test::TempFolder other;
        input = other / "movie.srt";
        WriteBytes(input, kThreeBlocks);
        EXPECT_TRUE(Run(fake.Address())) << mode;
        EXPECT_EQ(Output(),
                  "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello & you\r\nWorld\r\n\r\n"
                  "2\r\n00:00:03,000 --> 00:00:04,000\r\nQuote \"this\"\r\n\r\n"
                  "3\r\n00:00:05,000 --> 00:00:06,000\r\n\xC3\xA9t\xC3\xA9 #1 50%+\r\n")
            << mode;
        ASSERT_FALSE(panel.Messages.empty());
        EXPECT_EQ(panel.Messages.back().Text, "Process Success Bos..\r\n3 of 3 blocks came back untranslated");
    }
}

// The service answers one segment per sentence; a sentence may share a line
// or run over a line break, and its text is escaped.
TEST_F(TranslationServiceTest, CliKeepsEverySentenceOfSegmentedReplies) {
    const std::string film =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nPardon? If you were a man,\r\nI would box you.\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\n<b>a & b = c</b>\r\nHe said \"no\", then C:\\films\r\n\r\n"
        "3\r\n00:00:05,000 --> 00:00:06,000\r\nOne. Two! Three? <i>Caf\xC3\xA9.</i>\r\n";
    const std::string translated =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nPARDON? IF YOU WERE A MAN,\r\nI WOULD BOX YOU.\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\n<B>A & B = C</B>\r\nHE SAID\"NO\", THEN C:\\FILMS\r\n\r\n"
        "3\r\n00:00:05,000 --> 00:00:06,000\r\nONE. TWO! THREE? CAF\xC3\xA9.\r\n";
    // Today's shape, the older one with left-out fields, and one segment per line: the same bytes.
    for (const char* mode : {"mode=sentences", "mode=sparse", "mode=normal"}) {
        fake.Control(mode);
        test::TempFolder other;
        const std::string path = other / "film.srt";
        WriteBytes(path, film);
        test::CliResult result = test::RunCli(
            {"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), path}, other);
        EXPECT_EQ(result.Exit, 0) << mode << result.Err;
        EXPECT_EQ(ReadBytes(other / "film.id.srt"), translated) << mode;
        EXPECT_EQ(result.Err.find("untranslated"), std::string::npos) << result.Err;
    }

    fake.Control("mode=nomarks");
    test::CliResult result =
        test::RunCli({"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), input}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_NE(result.Err.find("Process Success Bos..\n3 of 3 blocks came back untranslated\n"), std::string::npos)
        << result.Err;
}

// Each service through its fake, as a user runs it: the same film, the same
// translation, every failure named by its service, the input untouched.
TEST_F(TranslationServiceTest, CliTranslatesThroughEveryService) {
    const std::string url = "http://" + fake.Address();
    const std::string keyFile = folder / "key.txt";
    WriteBytes(keyFile, "tarvex-test-key\n");
    auto run = [&](std::vector<std::string> service) {
        std::vector<std::string> words = {"translate",      "--from", "english",   "--to", "indonesian",
                                          "--api-key-file", keyFile,  "--timeout", "5"};
        words.insert(words.end(), service.begin(), service.end());
        words.push_back(input);
        return test::RunCli(words, folder);
    };
    const std::vector<std::vector<std::string>> services = {
        {"--service", "google-api", "--url", url},
        {"--service", "libretranslate", "--url", url},
        {"--service", "deepl", "--url", url},
        {"--service", "openai", "--url", url + "/v1", "--model", "tarvex-test-model", "--jobs", "1"}};
    // The JSON services' text, google-api's too, needs none of the web page's repairs.
    std::string unrepaired = kThreeBlocksTranslated;
    unrepaired.replace(unrepaired.find("QUOTE\""), 6, "QUOTE \"");
    for (const std::vector<std::string>& service : services) {
        test::CliResult result = run(service);
        EXPECT_EQ(result.Exit, 0) << service[1] << result.Err;
        EXPECT_EQ(Output(), unrepaired) << service[1];
    }
    // A model that merges blocks is asked again, block by block.
    fake.Control("mode=merge");
    EXPECT_EQ(run(services[3]).Exit, 0);
    EXPECT_EQ(Output(), unrepaired);

    struct Failure {
        const char* Mode;
        size_t Service;
        const char* Report;
    };
    for (const Failure& failure : {Failure{"mode=quota", 2, "Something Wrong (35774) deepl: "},
                                   Failure{"mode=malformed", 1, "Something Wrong (35771) libretranslate: "},
                                   Failure{"mode=status&status=500", 3, "Something Wrong (35762) openai: HTTP 500"}}) {
        fake.Control(failure.Mode);
        WriteBytes(InsertBeforeExtension(input, ".id"), "earlier");
        test::CliResult result = run(services[failure.Service]);
        EXPECT_EQ(result.Exit, 1) << failure.Mode;
        EXPECT_NE(result.Err.find(failure.Report), std::string::npos) << result.Err;
        EXPECT_EQ(ReadBytes(input), kThreeBlocks);
    }
    fake.Control("mode=normal");
    WriteBytes(keyFile, "wrong-key");
    EXPECT_NE(run(services[2]).Err.find("Something Wrong (35773) deepl: "), std::string::npos);

    // Refused before any file is touched: a key beyond the loopback over
    // plain http, a service without its URL or model, a language it lacks.
    const std::string before = test::ListFolder(folder.Path());
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{"--service", "deepl", "--url", "http://example.com"},
                                               {"--service", "libretranslate"},
                                               {"--service", "openai"},
                                               {"--service", "nosuch"},
                                               {"--service", "deepl", "--url", url, "--from", "latin"}}) {
        test::CliResult result = run(refused);
        EXPECT_EQ(result.Exit, 2) << refused[1] << result.Err;
        EXPECT_EQ(result.Err.find("wrong-key"), std::string::npos);
    }
    EXPECT_EQ(test::ListFolder(folder.Path()), before);
}

TEST_F(TranslationServiceTest, RefusalsAndLostConnectionsFailTheRun) {
    fake.Control("mode=status&status=500");
    ExpectFailure("Something Wrong (35762) HTTP 500 Internal Server Error");
    EXPECT_EQ(fake.CountInRecords("\"path\""), 1);

    fake.Reset();
    fake.Control("mode=status&status=429&retry_after=0");
    ExpectFailure("Something Wrong (35762) HTTP 429 Too Many Requests");
    EXPECT_EQ(fake.CountInRecords("\"path\""), 4);  // the first try and three retries

    fake.Control("mode=drop");
    ExpectFailure("Something Wrong (35763) ");

    fake.Control("mode=normal&delay=4000");
    ExpectFailure("Something Wrong (35761) Request timed out");
}

TEST_F(TranslationServiceTest, EveryStallEndsWithinTheTimeOut) {
    const std::string unreachable = fake.UnreachableAddress();
    for (const char* mode : {"mode=silent", "mode=slowheaders", "mode=trickle", "unreachable"}) {
        SCOPED_TRACE(mode);
        test::TempFolder other;
        input = other / "movie.srt";
        WriteBytes(input, kThreeBlocks);
        translateNameNumber = 0;  // a new file, as after Open
        fake.Control(std::string(mode) == "unreachable" ? "mode=normal" : mode);
        auto start = std::chrono::steady_clock::now();
        ExpectFailure("Something Wrong (35761) Request timed out",
                      std::string(mode) == "unreachable" ? unreachable : "");
        // The time-out of 2 s, plus one.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    }
    fake.Reset();
    fake.Control("mode=redirectloop");
    test::TempFolder last;
    input = last / "movie.srt";
    WriteBytes(input, kThreeBlocks);
    translateNameNumber = 0;
    ExpectFailure("Something Wrong (35765) Too many redirects: more than 10");
    EXPECT_EQ(fake.CountInRecords("\"path\""), 11);  // the first request and ten redirects
}

// The highest resident memory of this test program so far.
size_t PeakMemoryBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
#else
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<size_t>(usage.ru_maxrss) * 1024;
#endif
}

TEST_F(TranslationServiceTest, RepliesAreBoundedAfterDecoding) {
    fake.Control("mode=huge&size=4194304");  // exactly the limit: a reply, without marks
    EXPECT_TRUE(Run(fake.Address())) << (panel.Messages.empty() ? "" : panel.Messages.back().Text);
    EXPECT_EQ(Output().substr(0, 49), kThreeBlocks.substr(0, 49));

    std::vector<std::string> modes = {"mode=huge&size=4194305", "mode=endless", "mode=bomb&size=268435456",
                                      "mode=endlessheaders"};
    for (const std::string& mode : modes) {
        SCOPED_TRACE(mode);
        fake.Control(mode);
        test::TempFolder other;
        input = other / "movie.srt";
        WriteBytes(input, kThreeBlocks);
        translateNameNumber = 0;
        ExpectFailure(mode == "mode=endlessheaders" ? "Something Wrong (35764) Reply headers too large: over 64 KiB"
                                                    : "Something Wrong (35764) Reply too large: over 4 MiB after "
                                                      "decoding");
    }
    EXPECT_LT(PeakMemoryBytes(), size_t{50} << 20);
}

TEST_F(TranslationServiceTest, TheSystemProxySettingReachesTheService) {
    test::SetSystemProxy(fake.Address());
    bool done = Run(kServiceHost);
    test::SetSystemProxy("");
    ASSERT_TRUE(done) << (panel.Messages.empty() ? "" : panel.Messages.back().Text);
    EXPECT_EQ(Output(), kThreeBlocksTranslated);
    EXPECT_EQ(fake.CountInRecords("\"via_proxy\": true"), 3);
    EXPECT_EQ(fake.CountInRecords(AsSent("\"Host:translate.google.com\"")), 3);
    EXPECT_EQ(fake.CountInRecords(AsSent("\"Referer:http://translate.google.com/\"")), 3);
}

TEST_F(TranslationServiceTest, CliTranslatesAndListsLanguages) {
    test::CliResult result =
        test::RunCli({"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), input}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(result.Out, "Output File : movie.id.srt\n");
    EXPECT_NE(result.Err.find("Total Text : 3\n"), std::string::npos);
    EXPECT_EQ(Output(), kThreeBlocksTranslated);

    fake.Control("mode=status&status=500");
    result = test::RunCli(
        {"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), "--timeout", "5", input},
        folder);
    EXPECT_EQ(result.Exit, 1);
    EXPECT_NE(result.Err.find("PROCESS FAILED\nSomething Wrong (35762) HTTP 500 Internal Server Error\n"),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(Output(), kThreeBlocksTranslated);  // refused at once: the earlier output stays

    // Several files: each has its own output and report; a failed one does not stop the next.
    fake.Control("mode=normal");
    const std::string second = folder / "second.txt";
    WriteBytes(second, ReadBytes(input));
    result = test::RunCli(
        {"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), input, second}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(result.Out, "Output File : movie.id.srt\nOutput File : second.id.txt\n2 done, 0 failed\n");
    EXPECT_EQ(ReadBytes(folder / "second.id.txt"), kThreeBlocksTranslated);

    for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
             {"translate", "--to", "indonesian", input},
             {"translate", "--from", "english", "--to", "id", "--timeout", "0", input},
             {"translate", "--from", "english", "--to", "id", folder / "gone.srt"}}) {
        EXPECT_EQ(test::RunCli(refused, folder).Exit, 2);
    }

    test::CliResult languages = test::RunCli({"languages"}, folder);
    EXPECT_EQ(languages.Exit, 0);
    EXPECT_EQ(languages.Out.substr(0, 20), "africaans        af\n");
    EXPECT_NE(languages.Out.find("\nchinese          zh-CN\n"), std::string::npos);
    EXPECT_EQ(std::count(languages.Out.begin(), languages.Out.end(), '\n'), 63);
}

TEST_F(TranslationServiceTest, CliRunsEndWithinTheTimeOutAndPastACutOffEarlierOutput) {
    // A Retry-After of an hour after a short one, to requests in flight together.
    fake.Control("mode=status&status=429&retry_after=1,3600");
    const auto start = std::chrono::steady_clock::now();
    test::CliResult result = test::RunCli({"translate", "--from", "english", "--to", "indonesian", "--host",
                                           fake.Address(), "--jobs", "2", "--timeout", "5", input},
                                          folder);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.Exit, 1);
    EXPECT_NE(result.Err.find("PROCESS FAILED\nSomething Wrong (3576"), std::string::npos) << result.Err;
    EXPECT_LT(took, std::chrono::seconds(6));

    // A UTF-16 output cut off inside a character is moved aside, not a reason to fail.
    fake.Control("mode=normal");
    auto utf16 = [](const std::string& text) { return "\xFF\xFE" + Utf8ToUtf16(text, false); };
    const std::string earlier = utf16("1\r\n00:00:01,000 --> 00:00:02,000\r\nHE").substr(0, 31);
    WriteBytes(input, utf16("1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n"));
    WriteBytes(InsertBeforeExtension(input, ".id"), earlier);
    result = test::RunCli(
        {"translate", "--from", "english", "--to", "indonesian", "--host", fake.Address(), "--resume", input}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(Output(), utf16("1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO\r\n"));
    EXPECT_EQ(ReadBytes(InsertBeforeExtension(input, ".id1")), earlier);
}

#ifndef _WIN32
TEST_F(TranslationServiceTest, CliCtrlCLeavesWholeBlocksThatResumeToTheSameFile) {
    std::string film;
    for (int block = 1; block <= 150; ++block)
        film +=
            std::to_string(block) + "\r\n00:00:01,000 --> 00:00:02,000\r\nline " + std::to_string(block) + "\r\n\r\n";
    WriteBytes(input, film);
    ASSERT_EQ(test::RunCli({"translate", "--from", "en", "--to", "id", "--host", fake.Address(), "--jobs", "1", input},
                           folder)
                  .Exit,
              0);
    const std::string whole = Output();
    std::filesystem::remove(InsertBeforeExtension(input, ".id"));

    fake.Control("mode=normal&delay=20");
    std::vector<std::string> words = {TARVEX_CLI_PATH, "translate",    "--from", "en", "--to", "id",
                                      "--host",        fake.Address(), input};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // Interrupted once some blocks are written (a few seconds before it would end).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto written = [&] { return test::Exists(InsertBeforeExtension(input, ".id")) ? Output() : std::string(); };
    while (std::chrono::steady_clock::now() < deadline && written().size() < 200)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(child, SIGINT);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    const std::string partial = Output();
    ASSERT_LT(partial.size(), whole.size());
    EXPECT_EQ(whole.substr(0, partial.size()), partial);

    fake.Control("mode=normal");
    test::CliResult resumed =
        test::RunCli({"translate", "--from", "en", "--to", "id", "--host", fake.Address(), "--resume", input}, folder);
    EXPECT_EQ(resumed.Exit, 0) << resumed.Err;
    EXPECT_NE(resumed.Err.find("Continuing movie.id.srt: "), std::string::npos) << resumed.Err;
    EXPECT_EQ(Output(), whole);
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.id.srt movie.srt");
}
#endif

}  // namespace
}  // namespace tarvex
