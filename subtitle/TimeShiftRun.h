#pragma once

#include <cstdint>
#include <string>

#include "job/JobSettings.h"
#include "job/RunEnvironment.h"
#include "subtitle/TimestampShift.h"

namespace tarvex {

// The time-shift run. Counts the timing lines in a first pass, streams the
// shifted file into a temporary file beside the input, and only when that is
// complete moves the input aside under NAME_original.ext (or the first free
// NAME_originalN.ext) and gives the shifted file the input's name. Reports
// through the panel and ends the busy state itself with "Output File : NAME"
// and "Process Success Bos..", or "PROCESS FAILED" and the error report;
// answers whether it succeeded. After a failure or an interruption the
// folder is as it was: the input under its own name, no backup, no
// temporary file. SRT, WebVTT and ASS/SSA files alike (the format told by
// content first, then by extension); a fraction of a second or a frame-rate
// change in `requested` moves every timestamp exactly.
bool RunTimeShift(const std::string& inputPath, const ShiftAmount& requested, RunEnvironment& environment);
// The run with the inputs Process gathered.
bool RunTimeShift(const JobSettings& settings, RunEnvironment& environment);
bool RunTimeShift(const std::string& inputPath, ShiftMode mode, int16_t minutes, int16_t seconds,
                  RunEnvironment& environment);

}  // namespace tarvex
