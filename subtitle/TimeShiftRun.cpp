#include "subtitle/TimeShiftRun.h"

#include "base/FileSystem.h"
#include "base/NumberedName.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "job/ProgressPanel.h"
#include "job/RunToEnd.h"
#include "subtitle/NumberFields.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/SubtitleInput.h"

namespace tarvex {

namespace {

// The first free backup name: NAME_original.ext, else NAME_originalN.ext
// with N counting on from the window's counter.
std::string FreeBackupName(const std::string& inputPath, FileSystem& files, int16_t& nameNumber) {
    const std::string backup = InsertBeforeExtension(inputPath, "_original");
    return files.NameTaken(backup) ? NextFreeNumberedName(backup, files, nameNumber) : backup;
}

void Shift(const std::string& inputPath, ShiftMode mode, int16_t minutes, int16_t seconds, RunEnvironment& environment,
           RunOutput& output) {
    ProgressPanel& panel = environment.Panel;
    SubtitleInput input;
    ReadSubtitleInput(inputPath, environment, input);
    const int32_t total = input.Total;
    ShiftAmount amount = ResolveShiftAmount(input.Lines, input.TimingLines, mode, minutes, seconds);

    std::string backup = FreeBackupName(inputPath, environment.Files, environment.ShiftNameNumber);
    environment.Files.Rename(inputPath, backup);
    // From here on the complete input lies under the backup name.
    output.File = environment.Files.CreateOutput(inputPath);
    output.Writer.Attach(output.File.get());
    output.ShownName = FileNameOf(inputPath);
    BufferedWriter& writer = output.Writer;

    int32_t current = 1;
    ShiftLines(
        input.Lines, input.TimingLines, amount, [&writer](std::string_view line) { writer.WriteLine(line); },
        [&] {
            panel.SetPercentage(PercentageOf(current, total));
            panel.SetCounter(current, total);
            ++current;
        });
}

}  // namespace

bool RunTimeShift(const std::string& inputPath, ShiftMode mode, int16_t minutes, int16_t seconds,
                  RunEnvironment& environment) {
    return RunToEnd(environment,
                    [&](RunOutput& output) { Shift(inputPath, mode, minutes, seconds, environment, output); });
}

}  // namespace tarvex
