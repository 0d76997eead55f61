#include "job/RunToEnd.h"

#include <new>
#include <optional>

#include "base/RuntimeError.h"
#include "job/BusyState.h"
#include "job/ProgressPanel.h"

namespace tarvex {

void RunEnvironment::EndBusy() {
    if (Busy != nullptr) Busy->End();
}

bool RunToEnd(RunEnvironment& environment, const std::function<void(RunOutput&)>& work) {
    RunOutput output;
    std::optional<RuntimeError> failure;
    try {
        work(output);
        output.Writer.Flush();
        if (output.File) output.File->Close();
    } catch (...) {
        // Whatever it was, the run ends here with its report.
        failure = CaughtError();
    }
    if (failure && output.File) {
        // Keep what was written so far, but not the lines collected for a
        // piece that was never finished; the failure being reported is the
        // first one.
        output.Writer.Discard();
        try {
            output.File->Close();
        } catch (...) {
        }
    }
    output.File.reset();
    if (failure && output.Abandon) {
        try {
            output.Abandon();
        } catch (...) {
        }
    }

    environment.EndBusy();
    if (failure) {
        environment.Panel.SetStatus(kStatusFailed);
        ShowErrorReport(environment.Messages, *failure);
        return false;
    }
    environment.Panel.SetStatus(OutputStatus(output.ShownName));
    std::string message = "Process Success Bos..";
    if (!output.Remark.empty()) message += "\r\n" + output.Remark;
    environment.Messages.ShowMessage(message, "Finish", MessageIcon::Information);
    return true;
}

}  // namespace tarvex
