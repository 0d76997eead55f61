#pragma once
// What a run needs from its front end: the progress display, message boxes,
// the file system and the window's numbering counters.

#include <cstdint>

namespace tarvex {

class ProgressPanel;
class Prompts;
class FileSystem;
class BusyState;

struct RunEnvironment {
    ProgressPanel& Panel;
    Prompts& Messages;
    FileSystem& Files;
    // Numbers taken output names; lives in the window, set back to 0 by Open.
    int16_t& ShiftNameNumber;
    int16_t& TranslateNameNumber;
    // The front end's busy state, ended before the closing messages; none
    // when nobody is watching (benchmarks, fuzzing).
    BusyState* Busy = nullptr;

    void EndBusy();
};

}  // namespace tarvex
