#include "subtitle/SubtitleInput.h"

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/ProgressPanel.h"
#include "subtitle/ShiftContent.h"

namespace tarvex {

void ReadSubtitleInput(const std::string& path, const std::string& legacyEncoding, RunEnvironment& environment,
                       SubtitleInput& input) {
    std::string bytes = environment.Files.ReadFile(path);
    input.Family = DetectTextFamily(bytes);
    input.Content =
        input.Family == TextFamily::Utf8 ? std::move(bytes) : TextToUtf8(bytes, input.Family, legacyEncoding);
    input.Lines = SplitLines(input.Content);
    input.TimingLines = FindTimingLines(input.Lines);
    if (input.TimingLines.size() > INT32_MAX) throw RuntimeError(ErrorNumber::Overflow);
    input.Total = static_cast<int32_t>(input.TimingLines.size());
    if (input.Total == 0) throw NoTimingLineError();
    environment.Panel.SetTotal(input.Total);
    environment.Panel.SetPercentage(0);
    environment.Panel.SetCounter(0, input.Total);
}

}  // namespace tarvex
