#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "bench/SyncCases.h"
#include "job/BusyState.h"
#include "subtitle/CueSpans.h"
#include "support/RaisedError.h"
#include "support/RecordingPanel.h"
#include "support/TempFolder.h"
#include "sync/SyncRun.h"

namespace tarvex {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A windows-1252 file with CR LF fitted to a UTF-8 reference:
// found, applied as a shift is (backup, bytes but digits kept), and right.
TEST(SyncRun, FindsAndAppliesTheMapToALegacyFile) {
    test::TempFolder folder;
    const bench::SyncCase sample =
        bench::MakeSyncCase(bench::Distortion::Speed, bench::ReferenceStyle::OtherLanguage, 21, 400);
    const std::string input = folder / "film.srt";
    const std::string original = bench::SrtText(sample.Input, "Caf\xE9 cr\xE8me", "\r\n");
    WriteBytes(input, original);
    WriteBytes(folder / "reference.srt", bench::SrtText(sample.Reference, "Caf\xC3\xA9", "\n"));

    SyncOptions options;
    options.ReferencePath = folder / "reference.srt";
    int reports = 0;
    const SyncFinding finding = FindSync(
        input, options, [&](SyncStage, double) { ++reports; }, nullptr);
    EXPECT_GT(reports, 2);
    EXPECT_TRUE(finding.Trusted);
    EXPECT_EQ(finding.CuesTotal, 400);
    EXPECT_NE(finding.Summary.find(" fps; "), std::string::npos) << finding.Summary;
    EXPECT_NE(finding.Summary.find(" of 400 cues matched the reference"), std::string::npos) << finding.Summary;

    test::RecordingPanel panel;
    int16_t shiftNumber = 0, translateNumber = 0;
    RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNumber, translateNumber};
    ASSERT_TRUE(RunSync(input, finding.Map, environment));
    EXPECT_EQ(ReadBytes(folder / "film_original.srt"), original);
    // Only digits change; an SRT file's last line gets its CR LF, as any shift gives it.
    const std::string synced = ReadBytes(input);
    ASSERT_EQ(synced.size(), original.size() + 2);
    EXPECT_EQ(synced.substr(original.size()), "\r\n");
    for (size_t at = 0; at < original.size(); ++at) {
        if (synced[at] == original[at]) continue;
        ASSERT_TRUE(isdigit(static_cast<unsigned char>(synced[at]))) << at;
    }
    const bench::SyncCase placed{CueSpansOfFile(synced, input, "windows-1252"), {}, sample.Truth, {}};
    EXPECT_GE(bench::ShareWithin(placed, TimeMap(), 100), 0.98);
}

TEST(SyncRun, RefusalsBeforeAnythingIsWritten) {
    test::TempFolder folder;
    WriteBytes(folder / "a.srt", "1\n00:00:01,000 --> 00:00:02,000\nA\n\n2\n00:00:05,000 --> 00:00:06,000\nB\n");
    WriteBytes(folder / "empty.srt", "no cues here\n");
    SyncOptions options;
    options.ReferencePath = folder / "empty.srt";
    EXPECT_EQ(test::NumberRaisedBy([&] { FindSync(folder / "a.srt", options, nullptr, nullptr); }),
              ErrorNumber::NoReferenceCues);
    options.ReferencePath.clear();
    options.Points = {{1, 3000}};
    EXPECT_EQ(test::NumberRaisedBy([&] { FindSync(folder / "a.srt", options, nullptr, nullptr); }),
              ErrorNumber::BadSyncPoints);
    options.Points = {{1, 3000}, {2, 7000}};
    EXPECT_EQ(FindSync(folder / "a.srt", options, nullptr, nullptr).Summary, "later by 2.000 s; cues 1 and 2 placed");
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(test::NumberRaisedBy([&] { FindSync(folder / "a.srt", options, nullptr, &cancel); }),
              ErrorNumber::UserInterrupt);
    EXPECT_EQ(test::ListFolder(folder.Path()), "a.srt empty.srt");
}

// The film's own sound through the real decoder: two spoken sentences.
TEST(SyncRun, ASubtitleFitsTheSpeechOfASoundFile) {
    test::TempFolder folder;
    WriteBytes(folder / "s.srt", "1\n00:00:02,700 --> 00:00:05,600\nOne\n\n2\n00:00:06,900 --> 00:00:10,600\nTwo\n");
    SyncOptions options;
    options.ReferencePath = std::string(TARVEX_MEDIA_FIXTURES) + "/speech.wav";
    const SyncFinding finding = FindSync(folder / "s.srt", options, nullptr, nullptr);
    // The sentences are spoken from 1.0 s and 5.2 s (speech.txt).
    EXPECT_NEAR(finding.Map.Apply(2700), 1000, 250) << finding.Summary;
    EXPECT_NEAR(finding.Map.Apply(6900), 5200, 250) << finding.Summary;
    EXPECT_NE(finding.Summary.find("2 of 2 cues matched speech"), std::string::npos) << finding.Summary;
}

}  // namespace
}  // namespace tarvex
