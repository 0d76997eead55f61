#pragma once
// The one way out of a run, success or failure: close the output (what was
// written stays), give the pointer back, then "Output File : NAME" and the
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
};

// Runs `work` and ends the run; answers whether it succeeded. Every
// RuntimeError (and running out of memory) raised by `work` is reported.
bool RunToEnd(RunEnvironment& environment, const std::function<void(RunOutput&)>& work);

}  // namespace tarvex
