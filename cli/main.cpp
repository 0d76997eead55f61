// tarvex-cli: the window's two jobs from the command line, with the same core.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/FileRoutines.h"
#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "base/Version.h"
#include "cli/CliArguments.h"
#include "cli/ConsolePanel.h"
#include "cli/EachFile.h"
#include "cli/InterruptGuard.h"
#include "cli/ServiceKey.h"
#include "cli/Wildcards.h"
#include "job/BusyState.h"
#include "job/ProcessCheck.h"
#include "subtitle/TimeShiftRun.h"
#include "sync/SyncRun.h"
#include "translate/Languages.h"
#include "translate/TranslateRun.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex::cli {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 2;

namespace {

constexpr const char* kExtensionText = "Only .srt, .txt, .vtt, .ass and .ssa subtitle files can be processed..!";

// With several files a refusal names its file first.
std::string refusedFile;

int Refuse(const std::string& message) {
    std::fprintf(stderr, "%s%s\n", refusedFile.empty() ? "" : (refusedFile + ": ").c_str(), message.c_str());
    return kExitRefused;
}

// The checks both jobs make before a run, as the window makes them; answers
// the refusal's exit code, or -1 to go on.
int RefusalOf(const CliArguments& arguments, ProcessDecision& decision) {
    FileSystem& files = SystemFileSystem();
    ProcessRequest request = arguments.Request;
    if (!files.FileExists(request.PathText)) return Refuse(kFileNotFoundText);
    if (!HasSubtitleExtension(request.PathText)) return Refuse(kExtensionText);
    if (arguments.Which == Command::Shift && arguments.FrameRates.empty() &&
        !SplitMinutesSeconds(arguments.Amount, request.MinutesText, request.SecondsText))
        return Refuse(kAmountRangeText);
    request.FrameRateText = arguments.FrameRates;
    decision = CheckProcessInputs(request, files);
    if (!decision.Accepted) return Refuse(decision.Text);
    if (arguments.Which == Command::Translate && !IsConnected()) return Refuse("Internet not connected");
    return -1;
}

// A run as the window starts one: busy, then the job, which ends it.
class ConsoleRun {
public:
    ConsoleRun() : console_(stdout, stderr, ErrorStreamIsTerminal()) { console_.SetStatus(kStatusRunning); }
    RunEnvironment& Environment() { return environment_; }
    ConsolePanel& Console() { return console_; }

private:
    ConsolePanel console_;
    BusyState busy_{console_};
    // Each invocation is a fresh window as far as numbering goes.
    int16_t shiftNameNumber_ = 0;
    int16_t translateNameNumber_ = 0;
    RunEnvironment environment_{console_, console_, SystemFileSystem(), shiftNameNumber_, translateNameNumber_, &busy_};
};

// Every file is checked before any run starts, so a refusal touches nothing.
// Answers the refusal's exit code, or -1 with the settings of every file.
int RefusalOfEach(const CliArguments& arguments, std::vector<JobSettings>& jobs) {
    for (const std::string& file : arguments.Files) {
        CliArguments one = arguments;
        one.Request.PathText = file;
        ProcessDecision decision;
        if (arguments.Files.size() > 1) refusedFile = file;
        if (int refused = RefusalOf(one, decision); refused >= 0) return refused;
        jobs.push_back(decision.Settings);
    }
    return -1;
}

// Runs each job on its own, the way RunEachFile counts them.
int RunEach(const std::vector<JobSettings>& jobs, const std::function<bool(const JobSettings&)>& run) {
    std::vector<std::string> files;
    for (const JobSettings& job : jobs) files.push_back(job.InputPath);
    size_t next = 0;
    return RunEachFile(
        files, [&](const std::string&) { return run(jobs[next++]); }, stdout, stderr);
}

int RunShift(const CliArguments& arguments) {
    std::vector<JobSettings> jobs;
    if (int refused = RefusalOfEach(arguments, jobs); refused >= 0) return refused;
    InterruptGuard guard;
    int status = RunEach(jobs, [](const JobSettings& settings) {
        ConsoleRun run;
        return RunTimeShift(settings, run.Environment());
    });
    guard.EndIfInterrupted();
    return status;
}

// The stage of a sync under way on the console's bar.
const char* StageName(SyncStage stage) {
    switch (stage) {
        case SyncStage::Reading: return "Reading";
        case SyncStage::Decoding: return "Decoding";
        case SyncStage::Aligning: return "Aligning";
    }
    return "";
}

// Finds the map for one file, prints it, and applies it unless this is a
// dry run. A failure, a weak match included, ends the run as a shift's
// failure ends it, with nothing written.
bool SyncOne(const std::string& file, const CliArguments& arguments) {
    ConsoleRun run;
    RunEnvironment& environment = run.Environment();
    SyncFinding finding;
    try {
        finding = FindSync(
            file, arguments.Sync,
            [&](SyncStage stage, double fraction) {
                run.Console().ShowWork(StageName(stage), static_cast<int>(fraction * 100.0));
            },
            nullptr);
        if (!finding.Trusted && !arguments.Force && !arguments.DryRun)
            throw RuntimeError(ErrorNumber::WeakMatch,
                               "The subtitle does not match the reference well enough to "
                               "trust (" +
                                   finding.Summary + "); --force applies it anyway");
    } catch (...) {
        const RuntimeError error = CaughtError();
        environment.EndBusy();
        environment.Panel.SetStatus(kStatusFailed);
        ShowErrorReport(environment.Messages, error);
        return false;
    }
    run.Console().ShowWork("", -1);
    std::printf("%s: %s%s\n", FileNameOf(file).c_str(), finding.Summary.c_str(),
                finding.Trusted ? "" : " (a weak match)");
    std::fflush(stdout);
    if (arguments.DryRun) {
        environment.EndBusy();
        return true;
    }
    return RunSync(file, finding.Map, environment);
}

int RunSyncCommand(const CliArguments& arguments) {
    FileSystem& files = SystemFileSystem();
    for (const std::string& file : arguments.Files) {
        if (arguments.Files.size() > 1) refusedFile = file;
        if (!files.FileExists(file)) return Refuse(kFileNotFoundText);
        if (!HasSubtitleExtension(file)) return Refuse(kExtensionText);
    }
    refusedFile.clear();
    const std::string& reference = arguments.Sync.ReferencePath;
    if (!reference.empty() && !files.FileExists(reference)) return Refuse("Reference not found: " + reference);
    InterruptGuard guard;
    int status = RunEachFile(
        arguments.Files, [&](const std::string& file) { return SyncOne(file, arguments); }, stdout, stderr);
    guard.EndIfInterrupted();
    return status;
}

// The service the options name, checked before any file is touched;
// answers the refusal's exit code, or -1.
int ServiceOf(const CliArguments& arguments, std::shared_ptr<const Service>& service) {
    ServiceSettings settings;
    if (!arguments.Service.empty()) settings.Name = arguments.Service;
    if (!arguments.Host.empty() && settings.Name != "google")
        return Refuse("--host names the google service's host; give other services --url");
    settings.Url = arguments.Url;
    settings.Host = arguments.Host;
    settings.Model = arguments.Model;
    settings.SourceLanguage = arguments.Request.SourceLanguage;
    settings.TargetLanguage = arguments.Request.TargetLanguage;
    try {
        // From a file or the environment, never from the command line, where
        // every user of the machine could read it.
        settings.Key = ChooseServiceKey(settings.Name, arguments.ApiKeyFile, SystemFileSystem(), std::getenv);
        service = MakeService(settings);
    } catch (const RuntimeError& error) {
        return Refuse(error.Description());
    }
    return -1;
}

int RunTranslate(const CliArguments& arguments) {
    std::vector<JobSettings> jobs;
    if (int refused = RefusalOfEach(arguments, jobs); refused >= 0) return refused;
    std::shared_ptr<const Service> api;
    refusedFile.clear();
    if (int refused = ServiceOf(arguments, api); refused >= 0) return refused;
    const std::chrono::milliseconds timeout =
        arguments.TimeoutSeconds > 0 ? std::chrono::seconds(arguments.TimeoutSeconds) : api->Limits().Timeout;
    TranslationOptions options{arguments.Encoding, arguments.Resume ? ResumeChoice::Always : ResumeChoice::Never};
    // Every run opens its own connections, one per request in flight.
    ConnectionSettings service{.Timeout = timeout, .Jobs = JobsFor(arguments.Jobs, *api), .Api = api};
    InterruptGuard guard;
    int status = RunEach(jobs, [&](const JobSettings& settings) {
        ConsoleRun run;
        return RunTranslation(settings.InputPath, settings.SourceLanguage, settings.TargetLanguage, run.Environment(),
                              service, nullptr, options);
    });
    guard.EndIfInterrupted();
    return status;
}

int ListLanguages(const CliArguments& arguments) {
    if (arguments.Service.empty()) {
        for (const Language& language : LanguageTable())
            std::printf("%-16.*s %.*s\n", static_cast<int>(language.Name.size()), language.Name.data(),
                        static_cast<int>(language.Code.size()), language.Code.data());
        return kExitDone;
    }
    std::vector<ServiceLanguage> offer;
    try {
        offer = OfferedLanguages(arguments.Service);
    } catch (const RuntimeError& error) {
        return Refuse(error.Description());
    }
    // Name, then the codes the service takes from and into ("-": not that way).
    for (const ServiceLanguage& language : offer) {
        auto text = [](std::string_view code) { return code.empty() ? std::string("-") : std::string(code); };
        std::printf("%-16.*s %-10s %s\n", static_cast<int>(language.Name.size()), language.Name.data(),
                    text(language.Source).c_str(), text(language.Target).c_str());
    }
    return kExitDone;
}

}  // namespace

int Main(const std::vector<std::string>& words) {
    CliArguments arguments;
    try {
        arguments = ParseArguments(words);
        std::vector<std::string> files;
        for (const std::string& word : arguments.Files)
            for (std::string& file : ExpandWildcards(word)) files.push_back(std::move(file));
        arguments.Files = std::move(files);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "tarvex-cli: %s\n\n%s", error.Message.c_str(), UsageText());
        return kExitRefused;
    }
    switch (arguments.Which) {
        case Command::Help: std::fputs(UsageText(), stdout); return kExitDone;
        case Command::Version: std::printf("tarvex-cli %s\n", TARVEX_VERSION_TEXT); return kExitDone;
        case Command::Shift: return RunShift(arguments);
        case Command::Translate: return RunTranslate(arguments);
        case Command::Languages: return ListLanguages(arguments);
        case Command::Sync: return RunSyncCommand(arguments);
    }
    return kExitRefused;
}

}  // namespace tarvex::cli

// Output that did not reach its reader is a failure, even after a run that
// did its work: a script must not take a lost "Output File" line for success.
int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A closed pipe then shows as a write error rather than ending the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    int exit = tarvex::cli::kExitFailed;
    try {
        std::vector<std::string> words(argv + 1, argv + argc);
        exit = tarvex::cli::Main(words);
    } catch (...) {
        // A run reports its own failures; this is for anything outside one.
        std::fprintf(stderr, "%s\n", tarvex::ErrorReportText(tarvex::CaughtError()).c_str());
    }
    bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    lost = std::fflush(stderr) != 0 || std::ferror(stderr) != 0 || lost;
    return lost && exit == tarvex::cli::kExitDone ? tarvex::cli::kExitFailed : exit;
}
