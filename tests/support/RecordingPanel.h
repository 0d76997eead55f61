#pragma once
// A progress panel and message boxes that remember everything shown, in order.

#include <functional>
#include <string>
#include <vector>

#include "job/ProgressPanel.h"

namespace tarvex::test {

struct ShownMessage {
    std::string Text;
    std::string Title;
    MessageIcon Icon;
    bool WhileBusy;  // the busy pointer was still up when it showed
};

class RecordingPanel : public ProgressPanel, public Prompts {
public:
    void SetTotal(int32_t total) override { Total = TotalCaption(total); }
    void SetCounter(int32_t done, int32_t total) override {
        Counter = CounterCaption(done, total);
        ++CounterUpdates;
        if (OnCounter) OnCounter(done);
    }
    void SetPercentage(int percentage) override { Percentages.push_back(percentage); }
    void SetStatus(const std::string& status) override { Status = status; }
    void SetBusy(bool busy) override { Busy = busy; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        Messages.push_back({text, title, icon, Busy});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        Messages.push_back({text, title, MessageIcon::Information, Busy});
        return AnswerYes;
    }

    std::string Total;
    std::string Counter;
    int CounterUpdates = 0;
    std::vector<int> Percentages;
    std::string Status;
    bool Busy = false;
    std::vector<ShownMessage> Messages;  // questions included
    bool AnswerYes = false;
    // Runs after each counter update, to act in the middle of a run.
    std::function<void(int32_t done)> OnCounter;
};

}  // namespace tarvex::test
