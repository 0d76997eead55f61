#include "sync/SyncRun.h"

#include "base/FileSystem.h"
#include "base/Interruption.h"
#include "base/LegacyEncoding.h"
#include "base/RuntimeError.h"
#include "base/TextEncoding.h"
#include "media/SpeechFinder.h"
#include "subtitle/CueShift.h"
#include "subtitle/CueSpans.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/SubtitleFormat.h"
#include "subtitle/TimeShiftRun.h"
#include "sync/Alignment.h"
#include "sync/SyncSummary.h"
#include "sync/TwoPoints.h"

namespace tarvex {

namespace {

// The input's cues in file order; a file without any is refused as the
// shift refuses it.
std::vector<TimeSpan> ReadInputCues(const std::string& path, const std::string& legacyEncoding) {
    const std::string bytes = SystemFileSystem().ReadFile(path);
    const TextFamily family = DetectTextFamily(bytes);
    const std::string text = family == TextFamily::Utf8 ? bytes : TextToUtf8(bytes, family, legacyEncoding);
    const SubtitleFormat format = DetectSubtitleFormat(text, path);
    std::vector<TimeSpan> cues = CueSpansOf(text, format);
    if (cues.empty()) throw format == SubtitleFormat::Srt ? NoTimingLineError() : NoCueError(format);
    return cues;
}

std::vector<TimeSpan> ReadReferenceCues(const std::string& path, const std::string& legacyEncoding) {
    std::vector<TimeSpan> cues = CueSpansOfFile(SystemFileSystem().ReadFile(path), path, legacyEncoding);
    for (const TimeSpan& cue : cues)
        if (cue.End > cue.Start) return cues;
    throw RuntimeError(ErrorNumber::NoReferenceCues, "The reference subtitle holds no cues: " + path);
}

}  // namespace

SyncFinding FindSync(const std::string& inputPath, const SyncOptions& options, const SyncProgress& progress,
                     const std::atomic<bool>* cancel) {
    auto stopped = [cancel] { return (cancel != nullptr && cancel->load()) || InterruptionRequested(); };
    auto stopIfAsked = [&] {
        if (stopped()) throw RuntimeError(ErrorNumber::UserInterrupt);
    };
    auto report = [&](SyncStage stage, double fraction) {
        if (progress) progress(stage, fraction);
    };
    stopIfAsked();
    report(SyncStage::Reading, 0.0);
    const std::string legacy = options.LegacyEncoding.empty() ? DefaultLegacyEncoding() : options.LegacyEncoding;
    const std::vector<TimeSpan> cues = ReadInputCues(inputPath, legacy);
    SyncFinding finding;
    finding.CuesTotal = static_cast<int32_t>(cues.size());

    if (options.ReferencePath.empty()) {
        if (options.Points.size() != 2)
            throw RuntimeError(ErrorNumber::BadSyncPoints,
                               "The two cues and times do not give a usable line: two points "
                               "are needed");
        const SyncPoint& first = options.Points[0];
        const SyncPoint& second = options.Points[1];
        finding.Map = sync::TwoPointMap(cues, first.Cue, first.TimeMs, second.Cue, second.TimeMs);
        finding.CuesMatched = finding.CuesTotal;
        finding.Confidence = 1.0;
        finding.Trusted = true;
        finding.Summary = sync::DescribeMap(finding.Map) + "; cues " + std::to_string(first.Cue) + " and " +
                          std::to_string(second.Cue) + " placed";
        report(SyncStage::Aligning, 1.0);
        return finding;
    }

    std::vector<TimeSpan> reference;
    bool speech = false;
    if (media::IsMediaPath(options.ReferencePath)) {
        speech = true;
        report(SyncStage::Decoding, 0.0);
        reference = media::FindSpeech(
                        options.ReferencePath, [&](double fraction) { report(SyncStage::Decoding, fraction); }, cancel)
                        .Spans;
    }
    if (!speech) reference = ReadReferenceCues(options.ReferencePath, legacy);
    stopIfAsked();

    sync::AlignOptions align;
    align.AllowCuts = options.AllowCuts;
    align.CorrectSpeed = options.CorrectSpeed;
    align.MaxOffsetMs = options.MaxOffsetMs;
    report(SyncStage::Aligning, 0.0);
    const sync::Alignment found = sync::Align(
        cues, reference, align, [&](double fraction) { report(SyncStage::Aligning, fraction); }, stopped);
    finding.Map = found.Map;
    finding.CuesMatched = found.CuesMatched;
    finding.Confidence = found.Confidence;
    finding.Trusted = found.Trusted;
    finding.Summary = sync::DescribeMap(found.Map) + "; " + sync::WithThousands(found.CuesMatched) + " of " +
                      sync::WithThousands(found.CuesTotal) + " cues matched " + (speech ? "speech" : "the reference");
    return finding;
}

bool RunSync(const std::string& inputPath, const TimeMap& map, RunEnvironment& environment) {
    ShiftAmount amount;
    amount.Map = &map;
    return RunTimeShift(inputPath, amount, environment);
}

}  // namespace tarvex
