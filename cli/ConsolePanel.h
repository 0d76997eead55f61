#pragma once
// The console side of the progress display and the message boxes:
// counts and progress on stderr (a live bar only on a terminal), the output
// name on stdout, every message box's text on stderr.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "job/ProgressPanel.h"

namespace tarvex::cli {

class ConsolePanel : public ProgressPanel, public Prompts {
public:
    ConsolePanel(std::FILE* out, std::FILE* err, bool liveProgress);

    void SetTotal(int32_t total) override;
    void SetCounter(int32_t done, int32_t total) override;
    void SetPercentage(int percentage) override;
    void SetStatus(const std::string& status) override;
    void SetBusy(bool) override {}
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    // The command line says beforehand what to do; nothing is asked.
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    // Work before the counted part (decoding, aligning) on the bar, named;
    // a negative percentage ends it.
    void ShowWork(const std::string& what, int percentage);

private:
    void DrawBar(bool force);
    void EndBar();

    std::FILE* out_;
    std::FILE* err_;
    bool live_;
    bool barShown_ = false;
    int percentage_ = 0;
    int32_t done_ = 0;
    int32_t total_ = 0;
    std::string work_;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// Whether stderr is a terminal, where a bar redrawn in place makes sense.
bool ErrorStreamIsTerminal();

}  // namespace tarvex::cli
