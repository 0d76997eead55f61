#pragma once
// The one way out of a run, success or failure: close the output (what was
// written stays, what was only collected is dropped), give the pointer back, then "Output File : NAME" and the
// success message, or "PROCESS FAILED" and the error report.

#include <functional>
#include <memory>
#include <string>

#include "base/BufferedWriter.h"
#include "base/FileSystem.h"
#include "job/RunEnvironment.h"

namespace tarvex {

struct RunOutput {
    std::unique_ptr<OutputFile> File;
    BufferedWriter Writer;
    std::string ShownName;  // the output's name without its folder
    std::string Remark;     // a second line for the success message, if any
    // Set while the output holds nothing worth keeping: a failed run calls
    // it, after closing the output, to remove it and put back what it took
    // the place of.
    std::function<void()> Abandon;
};

// Runs `work` and ends the run; answers whether it succeeded. Whatever
// `work` raises is reported as a numbered error (see CaughtError).
bool RunToEnd(RunEnvironment& environment, const std::function<void(RunOutput&)>& work);

}  // namespace tarvex
