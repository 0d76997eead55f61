#include "subtitle/SubtitleInput.h"

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/ProgressPanel.h"
#include "subtitle/CueLayout.h"
#include "subtitle/CueShift.h"
#include "subtitle/Lines.h"
#include "subtitle/ShiftContent.h"

namespace tarvex {

void ReadSubtitleInput(const std::string& path, const std::string& legacyEncoding, RunEnvironment& environment,
                       SubtitleInput& input) {
    std::string bytes = environment.Files.ReadFile(path);
    input.Family = DetectTextFamily(bytes);
    input.Content =
        input.Family == TextFamily::Utf8 ? std::move(bytes) : TextToUtf8(bytes, input.Family, legacyEncoding);
    input.Format = DetectSubtitleFormat(input.Content, path);
    input.TimingLines.clear();
    input.LineEnds.clear();
    if (input.Format == SubtitleFormat::Srt) {
        input.Lines = SplitLines(input.Content);
        input.TimingLines = FindTimingLines(input.Lines);
    } else {
        // Cut as the shift cuts, so both jobs see the same cues.
        CutLines cut = SplitCueLines(input.Content);
        input.Lines = std::move(cut.Lines);
        input.LineEnds = std::move(cut.Ends);
        CueLayout layout(input.Format);
        for (size_t index = 0; index < input.Lines.size(); ++index)
            if (layout.Next(input.Lines[index]) == CueLineKind::Timing &&
                (input.Format != SubtitleFormat::Ass || layout.IsDialogue()))
                input.TimingLines.push_back(index);
    }
    if (input.TimingLines.size() > INT32_MAX) throw RuntimeError(ErrorNumber::Overflow);
    input.Total = static_cast<int32_t>(input.TimingLines.size());
    if (input.Total == 0) throw input.Format == SubtitleFormat::Srt ? NoTimingLineError() : NoCueError(input.Format);
    environment.Panel.SetTotal(input.Total);
    environment.Panel.SetPercentage(0);
    environment.Panel.SetCounter(0, input.Total);
}

}  // namespace tarvex
