#pragma once

#include <cstdint>
#include <string>

#include "job/JobSettings.h"
#include "job/RunEnvironment.h"

namespace tarvex {

// The time-shift run. Moves the input aside under NAME_original.ext (or the
// first free NAME_originalN.ext), writes the shifted file under the input's
// name and reports through the panel. Ends the busy state itself with
// "Output File : NAME" and "Process Success Bos..", or "PROCESS FAILED" and
// the error report; answers whether it succeeded. The input's bytes are on
// disk afterwards in every case: under the backup name once renamed, else
// under their own name.
bool RunTimeShift(const std::string& inputPath, ShiftMode mode, int16_t minutes, int16_t seconds,
                  RunEnvironment& environment);

}  // namespace tarvex
