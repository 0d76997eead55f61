#pragma once
// Parsing the command line of tarvex-cli.

#include <string>
#include <vector>

#include "job/ProcessCheck.h"
#include "sync/SyncRun.h"
#include "translate/ConnectionSettings.h"

namespace tarvex::cli {

enum class Command { Help, Version, Shift, Translate, Languages, Sync };

struct CliArguments {
    Command Which = Command::Help;
    // For Shift and Translate: the inputs as the window would show them,
    // with the first file as the path; every file, in the order given.
    ProcessRequest Request;
    std::vector<std::string> Files;
    // For Shift: the MM:SS text as given, checked after the file, or the
    // FROM:TO of --fps.
    std::string Amount;
    std::string FrameRates;
    // For Translate: the service as HOST or HOST:PORT, and the time-out of
    // each request in seconds (0: the service's own, 30 s but for a model).
    std::string Host;
    int TimeoutSeconds = 0;
    // Requests in flight at once; carry on an earlier partial output; the
    // code page of inputs that are neither UTF-8 nor UTF-16 ("" = default).
    int Jobs = 0;  // 0: not given, the service's own default
    bool Resume = false;
    std::string Encoding;
    // For Translate and Languages: the service by name ("" = the default),
    // its base address and model as given, and the file that holds its key.
    // A key itself never comes on the command line.
    std::string Service;
    std::string Url;
    std::string Model;
    std::string ApiKeyFile;
    // For Sync: the reference (or two points), what may be found, and
    // whether to write at all (--dry-run) or even when the match is weak.
    SyncOptions Sync;
    bool DryRun = false;
    bool Force = false;
};

// Throws UsageError with a one-line explanation for bad usage.
struct UsageError {
    std::string Message;
};

CliArguments ParseArguments(const std::vector<std::string>& arguments);

// The amount check of the CLI: MM:SS with MM a whole number 0..59 and SS a
// number below 60 with up to three decimals ("." or ","). Answers false
// (with nothing set) for anything else.
bool SplitMinutesSeconds(const std::string& text, std::string& minutes, std::string& seconds);

// A sync point's time: HH:MM:SS,mmm (or .mmm), MM:SS(.mmm) or seconds
// (12.5). Answers false for anything else.
bool ParseSyncTime(const std::string& text, int64_t& millis);

const char* UsageText();

}  // namespace tarvex::cli
