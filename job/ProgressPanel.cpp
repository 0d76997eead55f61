#include "job/ProgressPanel.h"

#include "base/Rounding.h"
#include "base/RuntimeError.h"

namespace tarvex {

std::string TotalCaption(int32_t total) {
    return "Total Text : " + std::to_string(total);
}

std::string CounterCaption(int32_t done, int32_t total) {
    return "Process " + std::to_string(done) + " from " + std::to_string(total) + " Text";
}

std::string OutputStatus(const std::string& shownName) {
    return "Output File : " + shownName;
}

int PercentageOf(int32_t done, int32_t total) {
    if (total == 0) return 0;
    return static_cast<int>(RoundHalfEven(static_cast<double>(done) / total * 100.0));
}

void ShowErrorReport(Prompts& prompts, const RuntimeError& error) {
    prompts.ShowMessage(ErrorReportText(error), "Error", MessageIcon::Exclamation);
}

}  // namespace tarvex
