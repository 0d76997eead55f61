// tarvex-cli started as its own process, as a user or a script starts it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include "base/Version.h"
#include "job/ProcessCheck.h"
#include "support/RunCli.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

using test::CliResult;
using test::RunCli;

const std::string kTwoCues =
    "1\r\n00:00:45,500 --> 00:00:47,000\r\nHello\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWorld\r\n";

TEST(TarvexCli, ShiftWritesTheOutputAndKeepsTheBackup) {
    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    test::WriteBytes(file, kTwoCues);
    CliResult result = RunCli({"shift", "--plus", "00:30", file}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(result.Out, "Output File : movie.srt\n");
    EXPECT_NE(result.Err.find("Total Text : 2\n"), std::string::npos) << result.Err;
    EXPECT_EQ(test::ReadBytes(folder / "movie_original.srt"), kTwoCues);
    EXPECT_EQ(test::ReadBytes(file),
              "1\r\n00:01:15,500 --> 00:01:17,000\r\nHello\r\n\r\n2\r\n01:00:10,000 --> 01:00:12,000\r\nWorld\r\n\r\n");

    // Each invocation numbers from the start, taking the first free name. The
    // first cue (00:01:15,500) moves to within half a second of 00:00.
    result = RunCli({"shift", file, "--start", "00:00"}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_TRUE(test::Exists(folder / "movie_original1.srt"));
    EXPECT_EQ(test::ReadBytes(file).substr(0, 34), "1\r\n00:00:00,500 --> 00:00:02,000\r\n");
}

// A fraction of a second and a frame-rate change, on the new layouts.
TEST(TarvexCli, FractionsAndFrameRatesOnWebVttAndAss) {
    test::TempFolder folder;
    const std::string vtt = folder / "film.vtt";
    test::WriteBytes(vtt, "WEBVTT\n\n00:01.000 --> 00:02.000 line:90%\nHi <00:01.500>there\n");
    CliResult result = RunCli({"shift", "--plus", "0:01,5", vtt}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(test::ReadBytes(vtt), "WEBVTT\n\n00:02.500 --> 00:03.500 line:90%\nHi <00:03.000>there\n");

    const std::string ass = folder / "film.ass";
    test::WriteBytes(ass, "[Script Info]\r\n\r\n[Events]\r\nDialogue: 0,0:41:33.00,1:00:00.00,,,0,0,0,,x\r\n");
    result = RunCli({"shift", "--fps", "25:23.976", ass}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(test::ReadBytes(ass),
              "[Script Info]\r\n\r\n[Events]\r\nDialogue: 0,0:43:19.47,1:02:33.75,,,0,0,0,,x\r\n");
    EXPECT_TRUE(test::Exists(folder / "film_original.ass"));
}

TEST(TarvexCli, RefusalsExitWithTwoAndTouchNothing) {
    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    test::WriteBytes(file, kTwoCues);
    std::string doc = folder / "notes.doc";
    test::WriteBytes(doc, kTwoCues);
    struct Case {
        std::vector<std::string> Arguments;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{"shift", "--plus", "00:30", folder / "gone.srt"}, "File Not Found...!\n"},
        {{"shift", "--minus", "00:00", file}, "Minutes and Seconds are not specified or is 0..!\n"},
        {{"shift", "--plus", "00:60", file}, std::string(kAmountRangeText) + "\n"},
        {{"shift", "--plus", "5", file}, std::string(kAmountRangeText) + "\n"},
        {{"shift", "--plus", "-1:05", file}, std::string(kAmountRangeText) + "\n"},
        {{"shift", "--plus", "00:10", doc},
         "Only .srt, .txt, .vtt, .ass and .ssa subtitle files can be processed..!\n"},
        {{"shift", "--plus", "00:01.2345", file}, std::string(kAmountRangeText) + "\n"},
        {{"shift", "--fps", "25:0", file}, std::string(kFrameRateText) + "\n"},
        {{"shift", "--plus", "00:10", "--minus", "00:10", file}, ""},
        {{"shift", file}, ""},
        {{"shift", "--plus", "00:10"}, ""},
        {{"stretch", file}, ""},
        {{}, ""},
    };
    for (const Case& c : cases) {
        CliResult result = RunCli(c.Arguments, folder);
        EXPECT_EQ(result.Exit, 2) << result.Err;
        EXPECT_EQ(result.Out, "");
        if (c.Message.empty()) {
            EXPECT_NE(result.Err.find("Usage:"), std::string::npos) << result.Err;
        } else {
            EXPECT_EQ(result.Err, c.Message);
        }
    }
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt notes.doc");
}

TEST(TarvexCli, AFailedRunExitsWithOneAndNamesTheLine) {
    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    const std::string bad = "1\n00:00:01,000 --> 00:00:02,000\nok\n\n2\n00:00:0x,000 --> 00:00:04,000\nbad\n";
    test::WriteBytes(file, bad);
    CliResult result = RunCli({"shift", "--minus", "00:01", file}, folder);
    EXPECT_EQ(result.Exit, 1);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("PROCESS FAILED\n"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("Something Wrong (13) Type mismatch at line 6: \"00:00:0x,000 --> 00:00:04,000\"\n"),
              std::string::npos)
        << result.Err;
    // Nothing is kept of a failed shift: the input stays as it was, alone.
    EXPECT_EQ(test::ReadBytes(file), bad);
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt");
}

// Each file on its own: a failure does not stop the others, and the last
// line counts them. A refusal of any file comes before any run.
TEST(TarvexCli, SeveralFilesInOneCall) {
    test::TempFolder folder;
    const std::string bad = "1\r\n00:00:0x,000 --> 00:00:04,000\r\n";
    test::WriteBytes(folder / "a.srt", kTwoCues);
    test::WriteBytes(folder / "b.srt", bad);
    test::WriteBytes(folder / "c.txt", kTwoCues);
    CliResult result =
        RunCli({"shift", "--plus", "00:30", folder / "a.srt", folder / "b.srt", folder / "c.txt"}, folder);
    EXPECT_EQ(result.Exit, 1) << result.Err;
    EXPECT_EQ(result.Out, "Output File : a.srt\nOutput File : c.txt\n2 done, 1 failed\n");
    EXPECT_NE(result.Err.find("[2/3] " + folder / "b.srt" + "\n"), std::string::npos) << result.Err;
    EXPECT_EQ(test::ListFolder(folder.Path()), "a.srt a_original.srt b.srt c.txt c_original.txt");
    EXPECT_EQ(test::ReadBytes(folder / "b.srt"), bad);
    EXPECT_EQ(test::ReadBytes(folder / "a.srt"), test::ReadBytes(folder / "c.txt"));

    result = RunCli({"shift", "--plus", "00:30", folder / "b.srt", folder / "gone.srt"}, folder);
    EXPECT_EQ(result.Exit, 2);
    EXPECT_EQ(result.Err, folder / "gone.srt" + ": File Not Found...!\n");
    EXPECT_EQ(test::ListFolder(folder.Path()), "a.srt a_original.srt b.srt c.txt c_original.txt");

#ifdef _WIN32
    // cmd.exe hands the pattern over as it is; the program expands it.
    test::TempFolder other;
    test::WriteBytes(other / "x.srt", kTwoCues);
    test::WriteBytes(other / "y.srt", kTwoCues);
    test::WriteBytes(other / "z.txt", kTwoCues);
    result = RunCli({"shift", "--plus", "00:30", other / "*.srt"}, other);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(result.Out, "Output File : x.srt\nOutput File : y.srt\n2 done, 0 failed\n");
    EXPECT_EQ(test::ListFolder(other.Path()), "x.srt x_original.srt y.srt y_original.srt z.txt");
#endif
}

#ifndef _WIN32
// Ctrl+C (SIGINT) or a closed terminal (SIGHUP) in the middle of a shift:
// the process ends by that signal, and the folder is as it was. A run that
// wins the race and ends first must have completed; the file grows until
// the signal comes in time.
TEST(TarvexCli, AnInterruptedShiftLeavesTheFolderAsItWas) {
    for (int signal : {SIGINT, SIGHUP}) {
        bool interrupted = false;
        for (int cues = 200000; cues <= 1600000 && !interrupted; cues *= 2) {
            test::TempFolder folder;
            std::string content;
            for (int cue = 0; cue < cues; ++cue) content += kTwoCues;
            const std::string file = folder / "movie.srt";
            test::WriteBytes(file, content);

            int errors[2];
            ASSERT_EQ(::pipe(errors), 0);
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
            posix_spawn_file_actions_addclose(&actions, errors[0]);
            std::vector<std::string> words = {TARVEX_CLI_PATH, "shift", "--plus", "00:30", file};
            std::vector<char*> argv;
            for (std::string& word : words) argv.push_back(word.data());
            argv.push_back(nullptr);
            pid_t child = 0;
            ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
            posix_spawn_file_actions_destroy(&actions);
            ::close(errors[1]);
            // The count comes first; the shift is under way once it is shown.
            std::string err;
            char buffer[256];
            ssize_t got;
            while (err.find("Total Text") == std::string::npos && (got = ::read(errors[0], buffer, sizeof buffer)) > 0)
                err.append(buffer, static_cast<size_t>(got));
            ::kill(child, signal);
            int status = 0;
            ::waitpid(child, &status, 0);
            ::close(errors[0]);

            interrupted = WIFSIGNALED(status);
            if (interrupted) {
                EXPECT_EQ(WTERMSIG(status), signal);
                EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt");
                EXPECT_TRUE(test::ReadBytes(file) == content) << "the input changed";
            } else {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
                EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt movie_original.srt");
            }
        }
        EXPECT_TRUE(interrupted) << "signal " << signal << " never came during a shift";
    }
}
#endif

TEST(TarvexCli, HelpAndVersion) {
    test::TempFolder folder;
    CliResult help = RunCli({"--help"}, folder);
    EXPECT_EQ(help.Exit, 0);
    EXPECT_NE(help.Out.find("tarvex-cli shift --plus MM:SS FILE"), std::string::npos);
    CliResult version = RunCli({"--version"}, folder);
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, "tarvex-cli " TARVEX_VERSION_TEXT "\n");
}

TEST(TarvexCli, TranslateRefusalsComeBeforeAnythingIsTouched) {
    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    test::WriteBytes(file, kTwoCues);
    test::WriteBytes(folder / "movie.id.srt", "earlier");  // would be moved aside by a run
    std::vector<std::vector<std::string>> refused;
    for (const char* host : {"a\tb", "a\\b", "h:0", "h:65536", "h:", ":80", "[zz]", "h:8x", "a b", "h/x"})
        refused.push_back({"translate", "--from", "english", "--to", "id", "--host", host, file});
#ifndef _WIN32
    refused.push_back({"translate", "--from", "english", "--to", "id", "--host", "h\r\nX-Injected: 1", file});
#endif
    for (const char* code : {"/x", "a:", ".."})
        refused.push_back({"translate", "--from", "english", "--to", code, file});
    refused.push_back({"translate", "--from", "1", "--to", "id", file});
    refused.push_back({"translate", "--from", "english", "--to", "id", "--timeout", "x", file});
    for (const char* jobs : {"0", "17", "x"})
        refused.push_back({"translate", "--from", "en", "--to", "id", "--jobs", jobs, file});
    refused.push_back({"translate", "--from", "en", "--to", "id", "--encoding", "no-such-page", file});
    for (const std::vector<std::string>& arguments : refused) {
        CliResult result = RunCli(arguments, folder);
        EXPECT_EQ(result.Exit, 2) << arguments[6] << ": " << result.Err;
        EXPECT_EQ(result.Out, "");
    }
    CliResult code = RunCli({"translate", "--from", "english", "--to", "/x", file}, folder);
    EXPECT_EQ(code.Err, std::string(kLanguageCodeText) + "\n");
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.id.srt movie.srt");
    EXPECT_EQ(test::ReadBytes(folder / "movie.id.srt"), "earlier");
}

#ifndef _WIN32
TEST(TarvexCli, OutputThatCannotBeWrittenFailsTheRun) {
    test::TempFolder folder;
    std::string file = folder / "movie.srt";
    test::WriteBytes(file, kTwoCues);
    auto exitOf = [](const std::string& command) {
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string cli = std::string("\"") + TARVEX_CLI_PATH + "\" ";
    EXPECT_EQ(exitOf(cli + "languages >/dev/full"), 1);
    EXPECT_EQ(exitOf(cli + "--help >/dev/full"), 1);
    EXPECT_EQ(exitOf(cli + "shift --plus 00:01 \"" + file + "\" >/dev/full 2>/dev/null"), 1);
    EXPECT_EQ(exitOf(cli + "shift --plus 00:01 \"" + file + "\" >/dev/null 2>/dev/full"), 1);
    EXPECT_EQ(exitOf(cli + "languages >/dev/null"), 0);
}
#endif

// A path past the classic 260-character limit of Windows works like any other.
TEST(TarvexCli, LongPathsWork) {
    test::TempFolder folder;
    std::string deep = folder.Path();
    std::filesystem::path created;
#ifdef _WIN32
    const std::string prefix = "\\\\?\\";
#else
    const std::string prefix;
#endif
    for (int level = 0; level < 3; ++level) {
        deep = (std::filesystem::path(deep) / std::string(90, static_cast<char>('a' + level))).string();
        std::filesystem::create_directory(std::filesystem::path(prefix + deep));
    }
    std::string file = (std::filesystem::path(deep) / "movie.srt").string();
    ASSERT_GT(file.size(), 300u);
    std::ofstream(std::filesystem::path(prefix + file), std::ios::binary) << kTwoCues;
    CliResult result = RunCli({"shift", "--plus", "00:01", file}, folder);
    EXPECT_EQ(result.Exit, 0) << result.Err;
    EXPECT_EQ(result.Out, "Output File : movie.srt\n");
    std::ifstream backup(std::filesystem::path(prefix + deep) / "movie_original.srt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), kTwoCues);
    backup.close();
    // What the temporary folder cannot remove without the prefix, deepest first.
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(prefix + file), ignored);
    std::filesystem::remove(std::filesystem::path(prefix + deep) / "movie_original.srt", ignored);
    for (; deep.size() > folder.Path().size(); deep = std::filesystem::path(deep).parent_path().string())
        std::filesystem::remove(std::filesystem::path(prefix + deep), ignored);
}

}  // namespace
}  // namespace tarvex
