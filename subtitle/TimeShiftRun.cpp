#include "subtitle/TimeShiftRun.h"

#include <memory>

#include "base/FileReplacement.h"
#include "base/FileSystem.h"
#include "base/Interruption.h"
#include "base/NumberedName.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "base/StringFiles.h"
#include "base/TextEncoding.h"
#include "job/ProgressPanel.h"
#include "job/RunToEnd.h"
#include "subtitle/CueShift.h"
#include "subtitle/NumberFields.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/StreamShift.h"
#include "subtitle/SubtitleFormat.h"
#include "subtitle/SubtitleInput.h"
#include "subtitle/TimingLineCount.h"

namespace tarvex {

namespace {

// The first free backup name: NAME_original.ext, else NAME_originalN.ext
// with N counting on from the window's counter.
std::string FreeBackupName(const std::string& inputPath, FileSystem& files, int16_t& nameNumber) {
    const std::string backup = InsertBeforeExtension(inputPath, "_original");
    return files.NameTaken(backup) ? NextFreeNumberedName(backup, files, nameNumber) : backup;
}

RuntimeError InputChangedError() {
    return RuntimeError(ErrorNumber::PathFileAccessError,
                        "Path/File access error: the file changed while it was being shifted");
}

// Shows each new percentage with its counter, not every timing line: with a
// million cues, a panel update per line would cost more than the shift. The
// last count is shown as well.
class PercentageSteps {
public:
    PercentageSteps(ProgressPanel& panel, int32_t total) : panel_(panel), total_(total) {}

    int64_t operator()(int64_t done) {
        if (done > total_) throw InputChangedError();
        const int32_t shown = static_cast<int32_t>(done);
        const int percentage = PercentageOf(shown, total_);
        if (percentage != shownPercentage_) panel_.SetPercentage(percentage);
        shownPercentage_ = percentage;
        panel_.SetCounter(shown, total_);
        if (shown == total_) return int64_t{total_} + 1;  // one more would mean the file grew
        int32_t low = shown + 1;
        int32_t high = total_;
        while (low < high) {
            int32_t middle = low + (high - low) / 2;
            if (PercentageOf(middle, total_) != percentage) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    }

private:
    ProgressPanel& panel_;
    const int32_t total_;
    int shownPercentage_ = -1;
};

// The family of a file from its first bytes: only a UTF-16 mark matters
// here, as UTF-8 and legacy files are shifted as bytes.
TextFamily Utf16FamilyOf(InputFile& input) {
    char mark[2] = {};
    size_t got = input.ReadAt(0, mark, sizeof mark);
    return got == 2 ? DetectTextFamily(std::string_view(mark, 2)) : TextFamily::Utf8;
}

// The first bytes of the input, for recognising its format.
std::string HeadOf(InputFile& input) {
    std::string head(kFormatHeadSize, '\0');
    head.resize(input.ReadAt(0, head.data(), head.size()));
    return head;
}

// The first pass of either layout: the number of timing lines and bytes, and
// the amount with Start Time resolved where the layout needs it beforehand.
struct FirstPass {
    TimingLineCount Srt;
    int64_t TimingLines = 0;
    uint64_t Bytes = 0;
    ShiftAmount Amount;
};

FirstPass CountInput(InputFile& input, SubtitleFormat format, const ShiftAmount& requested) {
    FirstPass pass;
    if (format == SubtitleFormat::Srt) {
        pass.Srt = CountTimingLines(input);
        pass.TimingLines = pass.Srt.TimingLines;
        pass.Bytes = pass.Srt.Bytes;
        pass.Amount = requested;  // the stream resolves Start Time on its first timing line
        if (pass.TimingLines == 0) throw NoTimingLineError();
        return pass;
    }
    const CueCount count = CountCues(input, format);
    pass.TimingLines = count.Cues;
    pass.Bytes = count.Bytes;
    pass.Amount = ResolveCueAmount(count, format, requested);
    return pass;
}

void Shift(const std::string& inputPath, const ShiftAmount& requested, RunEnvironment& environment, RunOutput& output) {
    ProgressPanel& panel = environment.Panel;
    std::unique_ptr<InputFile> input = environment.Files.OpenInput(inputPath);
    const TextFamily family = Utf16FamilyOf(*input);
    // A UTF-16 file is shifted as UTF-8 in memory and written back as UTF-16
    // with the same mark; timestamps are ASCII, so every other unit comes
    // back as it was. Subtitle files in UTF-16 are small enough to hold whole.
    std::string decoded;
    if (IsUtf16(family)) {
        input.reset();
        decoded = TextToUtf8(environment.Files.ReadFile(inputPath), family, std::string());
        input = std::make_unique<StringInput>(decoded);
    }
    const SubtitleFormat format = DetectSubtitleFormat(HeadOf(*input), inputPath);
    const FirstPass count = CountInput(*input, format, requested);
    if (count.TimingLines > INT32_MAX) throw RuntimeError(ErrorNumber::Overflow);
    const int32_t total = static_cast<int32_t>(count.TimingLines);
    panel.SetTotal(total);

    // Until Commit the input keeps its name and its bytes; any failure
    // removes the new file and leaves the folder as it was.
    FileReplacement replacement(environment.Files, inputPath);
    std::unique_ptr<OutputFile> encoder;
    if (IsUtf16(family)) encoder = std::make_unique<Utf16Output>(replacement.Output(), family == TextFamily::Utf16Be);
    OutputFile& target = encoder ? *encoder : replacement.Output();
    const StreamShiftResult result =
        format == SubtitleFormat::Srt
            ? ShiftStream(*input, count.Srt.Separator, count.Amount, target, PercentageSteps(panel, total))
            : ShiftCueStream(*input, format, count.Amount, target, PercentageSteps(panel, total));
    if (encoder) encoder->Close();
    if (result.TimingLines != count.TimingLines || result.Bytes != count.Bytes) throw InputChangedError();
    input.reset();  // an open file cannot be renamed everywhere
    StopIfInterrupted();
    replacement.Commit(FreeBackupName(inputPath, environment.Files, environment.ShiftNameNumber));
    output.ShownName = FileNameOf(inputPath);
}

}  // namespace

bool RunTimeShift(const std::string& inputPath, const ShiftAmount& requested, RunEnvironment& environment) {
    ShiftAmount amount = requested;
    // A frame-rate change or a time map has no first subtitle to aim at.
    if (amount.ChangesRate() || amount.MapsTimes()) amount.Mode = ShiftMode::Plus;
    return RunToEnd(environment, [&](RunOutput& output) { Shift(inputPath, amount, environment, output); });
}

bool RunTimeShift(const JobSettings& settings, RunEnvironment& environment) {
    ShiftAmount requested{settings.Mode,   settings.Minutes,  settings.Seconds,
                          settings.Millis, settings.RateFrom, settings.RateTo};
    return RunTimeShift(settings.InputPath, requested, environment);
}

bool RunTimeShift(const std::string& inputPath, ShiftMode mode, int16_t minutes, int16_t seconds,
                  RunEnvironment& environment) {
    return RunTimeShift(inputPath, ShiftAmount{mode, minutes, seconds}, environment);
}

}  // namespace tarvex
