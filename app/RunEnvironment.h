#pragma once
// What a run needs from its front end: the progress display, message boxes,
// the file system and the window's numbering counters.

#include <cstdint>

namespace tarvex {

class ProgressPanel;
class Prompts;
class FileSystem;

struct RunEnvironment {
    ProgressPanel& Panel;
    Prompts& Messages;
    FileSystem& Files;
    // Numbers taken output names; lives in the window, set back to 0 by Open.
    int16_t& ShiftNameNumber;
    int16_t& TranslateNameNumber;
};

}  // namespace tarvex
