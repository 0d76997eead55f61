#pragma once
// The four display elements that Open and both runs write, plus the busy
// pointer and the message boxes. The window and the CLI each implement them.

#include <cstdint>
#include <string>

namespace tarvex {

constexpr const char* kStatusNotStarting = "PROCESS NOT STARTING";
constexpr const char* kStatusRunning = "PROCESS IS RUNNING, PLEASE WAIT...";
constexpr const char* kStatusFailed = "PROCESS FAILED";

// "Total Text : N"
std::string TotalCaption(int32_t total);
// "Process i from N Text"
std::string CounterCaption(int32_t done, int32_t total);
// "Output File : NAME"
std::string OutputStatus(const std::string& shownName);
// Nearest integer to done / total * 100 (computed in double, in that order),
// a half going to the even neighbour. Total 0 gives 0 rather than a division.
int PercentageOf(int32_t done, int32_t total);

class ProgressPanel {
public:
    virtual ~ProgressPanel() = default;
    virtual void SetTotal(int32_t total) = 0;                  // shows TotalCaption
    virtual void SetCounter(int32_t done, int32_t total) = 0;  // shows CounterCaption
    virtual void SetPercentage(int percentage) = 0;            // the progress bar, 0..100
    virtual void SetStatus(const std::string& status) = 0;     // the status line
    virtual void SetBusy(bool busy) = 0;                       // the busy pointer (see BusyState)
};

enum class MessageIcon { Information, Exclamation };

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A question with Yes and No; answers true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

class RuntimeError;
// The error report: title "Error", exclamation icon, "Something Wrong (N) ...".
void ShowErrorReport(Prompts& prompts, const RuntimeError& error);

}  // namespace tarvex
