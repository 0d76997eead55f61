// tarvex-cli sync: its arguments in-process, then the program on files.

#include <gtest/gtest.h>

#include <string>

#include "bench/SyncCases.h"
#include "cli/CliArguments.h"
#include "subtitle/CueSpans.h"
#include "support/RunCli.h"
#include "support/TempFolder.h"

namespace tarvex {
namespace {

using cli::ParseArguments;
using cli::UsageError;
using test::CliResult;
using test::ReadBytes;
using test::RunCli;
using test::WriteBytes;

TEST(CliSync, TimesOptionsAndRefusals) {
    struct Time {
        const char* Text;
        int64_t Millis;  // -1: refused
    } times[] = {
        {"01:02:03,456", 3723456}, {"1:02:03.5", 3723500}, {"02:03", 123000}, {"125:03.25", 7503250},
        {"12.5", 12500},           {"90", 90000},          {"1:60", -1},      {"1:02:60", -1},
        {"1:61:00", -1},           {"1.5:00", -1},         {"", -1},          {"-3", -1},
        {"1:2:3:4", -1},           {"0:01.1234", -1},
    };
    for (const Time& t : times) {
        int64_t millis = -1;
        const bool read = cli::ParseSyncTime(t.Text, millis);
        EXPECT_EQ(read ? millis : -1, t.Millis) << t.Text;
    }

    const cli::CliArguments parsed = ParseArguments(
        {"sync", "--no-cuts", "--to", "film.mkv", "a.srt", "--max-offset", "30.5", "--dry-run", "b.ass"});
    EXPECT_EQ(parsed.Which, cli::Command::Sync);
    EXPECT_EQ(parsed.Sync.ReferencePath, "film.mkv");
    EXPECT_FALSE(parsed.Sync.AllowCuts);
    EXPECT_TRUE(parsed.Sync.CorrectSpeed);
    EXPECT_EQ(parsed.Sync.MaxOffsetMs, 30500);
    EXPECT_TRUE(parsed.DryRun);
    EXPECT_FALSE(parsed.Force);
    EXPECT_EQ(parsed.Files, (std::vector<std::string>{"a.srt", "b.ass"}));
    const cli::CliArguments points = ParseArguments({"sync", "--point", "3=0:12", "--point", "400=1:10:00", "a.srt"});
    ASSERT_EQ(points.Sync.Points.size(), 2u);
    EXPECT_EQ(points.Sync.Points[1].Cue, 400);
    EXPECT_EQ(points.Sync.Points[1].TimeMs, 4200000);

    const std::vector<std::vector<std::string>> refused = {
        {"sync", "a.srt"},                                                             // no reference
        {"sync", "--to", "r.srt", "--point", "1=0:01", "--point", "2=0:02", "a.srt"},  // both forms
        {"sync", "--point", "1=0:01", "a.srt"},                                        // one point
        {"sync", "--point", "1=0:01", "--point", "2=0:02", "a.srt", "b.srt"},          // points for two files
        {"sync", "--point", "0=0:01", "--point", "2=0:02", "a.srt"},                   // cues count from 1
        {"sync", "--point", "1:0:01", "--point", "2=0:02", "a.srt"},                   // no "="
        {"sync", "--to", "r.srt", "--max-offset", "ten", "a.srt"},                     // not seconds
        {"sync", "--to", "r.srt", "--fast", "a.srt"},                                  // unknown option
        {"sync", "--to", "r.srt"},                                                     // no file
    };
    for (const auto& words : refused) EXPECT_THROW(ParseArguments(words), UsageError) << words.size();
}

TEST(CliSync, ToAReferenceByPointsDryRunAndWeakMatches) {
    test::TempFolder folder;
    const bench::SyncCase sample =
        bench::MakeSyncCase(bench::Distortion::Offset, bench::ReferenceStyle::OtherLanguage, 31, 300);
    const std::string original = bench::SrtText(sample.Input, "Na\xEFve", "\r\n");
    WriteBytes(folder / "film.srt", original);
    WriteBytes(folder / "reference.srt", bench::SrtText(sample.Reference, "Hi", "\n"));
    const std::string listed = test::ListFolder(folder.Path());

    CliResult dry = RunCli({"sync", "--dry-run", "--to", folder / "reference.srt", folder / "film.srt"}, folder);
    EXPECT_EQ(dry.Exit, 0) << dry.Err;
    EXPECT_EQ(dry.Out.rfind("film.srt: ", 0), 0u) << dry.Out;
    EXPECT_NE(dry.Out.find(" cues matched the reference\n"), std::string::npos) << dry.Out;
    EXPECT_EQ(test::ListFolder(folder.Path()), listed);
    EXPECT_TRUE(ReadBytes(folder / "film.srt") == original);

    CliResult run = RunCli({"sync", "--to", folder / "reference.srt", folder / "film.srt"}, folder);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, dry.Out + "Output File : film.srt\n");
    EXPECT_TRUE(ReadBytes(folder / "film_original.srt") == original);
    const std::string synced = ReadBytes(folder / "film.srt");

    // The first and last cue placed where they belong: the line through both.
    WriteBytes(folder / "points.srt", original);
    auto seconds = [](int64_t ms) {
        return std::to_string(ms / 1000) + "." + std::to_string(1000 + ms % 1000).substr(1);
    };
    CliResult points = RunCli({"sync", "--point", "1=" + seconds(sample.Truth[0].Start), "--point",
                               "300=" + seconds(sample.Truth[299].Start), folder / "points.srt"},
                              folder);
    EXPECT_EQ(points.Exit, 0) << points.Err;
    EXPECT_EQ(
        points.Out.rfind(
            sample.Truth[0].Start > sample.Input[0].Start ? "points.srt: later by " : "points.srt: earlier by ", 0),
        0u)
        << points.Out;
    EXPECT_NE(points.Out.find(" s; cues 1 and 300 placed\nOutput File : points.srt\n"), std::string::npos)
        << points.Out;
    const bench::SyncCase placed{
        CueSpansOfFile(ReadBytes(folder / "points.srt"), "points.srt", "windows-1252"), {}, sample.Truth, {}};
    EXPECT_EQ(bench::ShareWithin(placed, TimeMap(), 1), 1.0);

    // Another film's subtitle: refused, nothing written, unless forced.
    const bench::SyncCase other = bench::MakeSyncCase(bench::Distortion::None, bench::ReferenceStyle::Speech, 32, 300);
    WriteBytes(folder / "other.srt", bench::SrtText(other.Reference, "Hi", "\n"));
    const std::string before = test::ListFolder(folder.Path());
    CliResult weak = RunCli({"sync", "--to", folder / "other.srt", folder / "film.srt"}, folder);
    EXPECT_EQ(weak.Exit, 1);
    EXPECT_NE(weak.Err.find("Something Wrong (36005)"), std::string::npos) << weak.Err;
    EXPECT_EQ(test::ListFolder(folder.Path()), before);
    EXPECT_TRUE(ReadBytes(folder / "film.srt") == synced);
    CliResult forced = RunCli({"sync", "--force", "--to", folder / "other.srt", folder / "film.srt"}, folder);
    EXPECT_EQ(forced.Exit, 0) << forced.Err;
    EXPECT_NE(forced.Out.find("(a weak match)"), std::string::npos) << forced.Out;
    EXPECT_FALSE(ReadBytes(folder / "film.srt") == synced);
}

}  // namespace
}  // namespace tarvex
