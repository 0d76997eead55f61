#include "translate/TranslateRun.h"

#include <optional>

#include "base/FileSystem.h"
#include "base/Interruption.h"
#include "base/LegacyEncoding.h"
#include "base/NumberedName.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "base/TextEncoding.h"
#include "job/ProcessCheck.h"
#include "job/ProgressPanel.h"
#include "job/RunToEnd.h"
#include "subtitle/SubtitleInput.h"
#include "translate/BlockPlan.h"
#include "translate/CuePlan.h"
#include "translate/EarlierOutput.h"
#include "translate/Languages.h"
#include "translate/RequestPool.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex {

namespace {

// A legacy page may not hold the target language's letters, so such an
// input gives a UTF-8 output.
TextFamily OutputFamily(TextFamily input) {
    return input == TextFamily::Legacy ? TextFamily::Utf8 : input;
}

// The output file, encoded as the family says; UTF-8 goes straight through.
std::unique_ptr<OutputFile> CreateEncodedOutput(FileSystem& files, const std::string& path, TextFamily family) {
    std::unique_ptr<OutputFile> file = files.CreateOutput(path);
    if (IsUtf16(family)) return std::make_unique<Utf16Output>(std::move(file), family == TextFamily::Utf16Be);
    if (family == TextFamily::Utf8Bom) file->Write(ByteOrderMark(family));
    return file;
}

// The web endpoint at a host of the caller's, as runs reached it before
// there was a choice of service.
std::shared_ptr<const Service> WebEndpointAt(const std::string& host, const std::string& sourceLanguage,
                                             const std::string& targetLanguage) {
    ServiceSettings settings;
    settings.Host = host;
    settings.SourceLanguage = sourceLanguage;
    settings.TargetLanguage = targetLanguage;
    return MakeService(settings);
}

std::string UntranslatedRemark(int32_t untranslated, int32_t total) {
    return std::to_string(untranslated) + " of " + std::to_string(total) + " blocks came back untranslated";
}

std::string NothingSentRemark(int32_t total) {
    return "None of the " + std::to_string(total) + " blocks held text to translate: the output is a copy";
}

std::string ResumeQuestion(const std::string& shownName, int32_t kept, int32_t total) {
    return shownName + " already holds " + std::to_string(kept) + " of " + std::to_string(total) +
           " translated blocks from an earlier run.\r\n\r\nContinue that translation? (No moves the file aside and "
           "starts over.)";
}

// Carries the earlier output on: its kept blocks go first into a new file of
// the same name. The earlier file is only moved aside until they are safely
// written, so a failure here leaves it in place.
void StartFromEarlier(const std::string& outputPath, const EarlierOutput& earlier, TextFamily family, FileSystem& files,
                      RunOutput& output) {
    int16_t scratchNumber = 0;
    const std::string aside = NextFreeNumberedName(outputPath, files, scratchNumber);
    files.Rename(outputPath, aside);
    try {
        output.File = CreateEncodedOutput(files, outputPath, family);
        output.File->Write(earlier.Kept);
        output.Writer.Attach(output.File.get());
    } catch (...) {
        output.File.reset();
        files.Remove(outputPath);
        const std::exception_ptr failure = std::current_exception();
        try {
            files.Rename(aside, outputPath);
        } catch (const RuntimeError& restore) {
            // The first failure is the one to report; where the earlier
            // output now lies is added to it.
            RuntimeError first = [&] {
                try {
                    std::rethrow_exception(failure);
                } catch (...) {
                    return CaughtError();
                }
            }();
            throw RuntimeError(first.Number(), first.Description() + "; the earlier output stays as " +
                                                   FileNameOf(aside) + " (" + restore.Description() + ")");
        }
        throw;
    }
    files.Remove(aside);
}

// Writes the plan from `firstStep` on; answers how many blocks came back
// untranslated.
int32_t WritePlan(const BlockPlan& plan, size_t firstStep, size_t firstRequest, int32_t total, ServiceInUse& services,
                  ConnectionSettings& service, ProgressPanel& panel, RunOutput& output) {
    BufferedWriter& writer = output.Writer;
    int32_t untranslated = 0;
    std::optional<RequestPool> pool;
    if (firstRequest < plan.Requests.size()) pool.emplace(plan, firstRequest, services, service);
    for (size_t index = firstStep; index < plan.Steps.size(); ++index) {
        const PlanStep& step = plan.Steps[index];
        switch (step.What) {
            case PlanStep::Kind::Copy: writer.WriteLine(step.Line, EndOf(plan, step)); break;
            case PlanStep::Kind::Translation: {
                const BlockTranslation translation = pool->Take(step.Index);
                if (translation.Untranslated) ++untranslated;
                writer.WriteLine(ShapeTranslation(plan.Requests[step.Index], translation.Text, plan.LineEnd),
                                 EndOf(plan, step));
                break;
            }
            case PlanStep::Kind::BlockEnd: {
                // The output grows block by block, as the user sees the counter move;
                // an interruption stops the run here, leaving whole blocks to resume.
                writer.Flush();
                output.Abandon = nullptr;  // a finished block is worth keeping
                StopIfInterrupted();
                const auto done = static_cast<int32_t>(step.Index);
                panel.SetPercentage(PercentageOf(done, total));
                panel.SetCounter(done, total);
                break;
            }
        }
    }
    return untranslated;
}

// The step just after block `blocks` ends, and the first request after it.
void ResumePoint(const BlockPlan& plan, int32_t blocks, size_t& step, size_t& request) {
    step = 0;
    request = 0;
    if (blocks == 0) return;
    for (; step < plan.Steps.size(); ++step) {
        const PlanStep& current = plan.Steps[step];
        if (current.What == PlanStep::Kind::Translation) request = current.Index + 1;
        if (current.What == PlanStep::Kind::BlockEnd && current.Index == static_cast<size_t>(blocks)) {
            ++step;
            return;
        }
    }
}

void Translate(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
               RunEnvironment& environment, ConnectionSettings& service, const TranslationOptions& options,
               RunOutput& output) {
    FileSystem& files = environment.Files;
    SubtitleInput input;
    ReadSubtitleInput(inputPath, options.LegacyEncoding.empty() ? DefaultLegacyEncoding() : options.LegacyEncoding,
                      environment, input);

    const std::string sourceCode = LanguageCode(sourceLanguage);
    const std::string targetCode = LanguageCode(targetLanguage);
    // Process refuses such codes; a caller that skipped it still touches no file.
    if (!IsUsableLanguageCode(sourceCode) || !IsUsableLanguageCode(targetCode))
        throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: language code");
    const std::string outputPath = InsertBeforeExtension(inputPath, "." + targetCode);
    output.ShownName = FileNameOf(outputPath);
    const BlockPlan plan = input.Format == SubtitleFormat::Srt
                               ? PlanBlocks(input.Lines, input.TimingLines, input.Total)
                               : PlanCueBlocks(input.Format, input.Lines, input.LineEnds);
    const TextFamily family = OutputFamily(input.Family);

    std::optional<EarlierOutput> earlier;
    if (options.Resume != ResumeChoice::Never) earlier = FindEarlierOutput(outputPath, plan, family, files);
    // A finished earlier output is only kept when asked for beforehand.
    if (earlier && options.Resume == ResumeChoice::Ask &&
        (earlier->Blocks >= input.Total ||
         !environment.Messages.AskYesNo(ResumeQuestion(output.ShownName, earlier->Blocks, input.Total),
                                        "Continue Translation")))
        earlier.reset();

    size_t firstStep = 0;
    size_t firstRequest = 0;
    if (earlier) {
        // Asked beforehand (the command line): say what is kept.
        if (options.Resume == ResumeChoice::Always)
            environment.Messages.ShowMessage("Continuing " + output.ShownName + ": " + std::to_string(earlier->Blocks) +
                                                 " of " + std::to_string(input.Total) + " blocks kept",
                                             "Continue Translation", MessageIcon::Information);
        StartFromEarlier(outputPath, *earlier, family, files, output);
        ResumePoint(plan, earlier->Blocks, firstStep, firstRequest);
        environment.Panel.SetPercentage(PercentageOf(earlier->Blocks, input.Total));
        environment.Panel.SetCounter(earlier->Blocks, input.Total);
    } else {
        std::string aside;
        if (files.NameTaken(outputPath)) {
            aside = NextFreeNumberedName(outputPath, files, environment.TranslateNameNumber);
            files.Rename(outputPath, aside);
        }
        output.File = CreateEncodedOutput(files, outputPath, family);
        output.Writer.Attach(output.File.get());
        // Until a block is finished, a failure leaves the folder as it was.
        output.Abandon = [&files, outputPath, aside] {
            files.Remove(outputPath);
            if (!aside.empty()) files.Rename(aside, outputPath);
        };
    }
    ServiceInUse services(service.Api ? service.Api : WebEndpointAt(service.Host, sourceLanguage, targetLanguage));
    const int32_t untranslated =
        WritePlan(plan, firstStep, firstRequest, input.Total, services, service, environment.Panel, output);
    // Written with their source text, but the user should know; so is a
    // switch to another service.
    std::vector<std::string> remarks;
    if (!services.Note().empty()) remarks.push_back(services.Note());
    if (untranslated > 0) remarks.push_back(UntranslatedRemark(untranslated, input.Total));
    // Cues were found but none held words: the output is only a copy.
    if (plan.Requests.empty()) remarks.push_back(NothingSentRemark(input.Total));
    for (const std::string& remark : remarks) output.Remark += (output.Remark.empty() ? "" : "\r\n") + remark;
}

}  // namespace

bool RunTranslation(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
                    RunEnvironment& environment, ConnectionSettings& service, ConnectionTest connected,
                    const TranslationOptions& options) {
    if (connected != nullptr && !connected()) {
        // The status line keeps "PROCESS IS RUNNING..." as Process left it.
        environment.EndBusy();
        environment.Messages.ShowMessage("Internet not connected", "Not Connected", MessageIcon::Exclamation);
        return false;
    }

    return RunToEnd(environment, [&](RunOutput& output) {
        Translate(inputPath, sourceLanguage, targetLanguage, environment, service, options, output);
    });
}

}  // namespace tarvex
