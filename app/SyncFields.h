#pragma once
// The Sync dialog's fields as the user typed them, checked before a search
// starts so that a mistyped field is told plainly and nothing runs; and the
// words the dialog shows while it searches and once it has found a fit.

#include <cstdint>
#include <string>
#include <string_view>

#include "job/ProgressPanel.h"
#include "sync/SyncRun.h"

namespace tarvex {

class FileSystem;

constexpr const char* kWeakFindingTitle = "Weak Fit";
constexpr const char* kNoReferenceText = "Choose the reference: a film, a sound file or a subtitle in time..!";
constexpr const char* kSameReferenceText = "The reference must be another file than the subtitle to sync..!";
constexpr const char* kCueNumberText =
    "Cue numbers must be whole numbers from 1 on (the first cue is 1), two different cues..!";
constexpr const char* kCueTimeText =
    "Times must be given as HH:MM:SS,mmm or MM:SS (01:02:03,500 or 62:03), the thousandths optional..!";
// The Browse dialog's filter, in the common dialog's "text|patterns|" form.
constexpr const char* kReferenceFilter =
    "Films, Sound and Subtitles|*.mkv;*.mp4;*.avi;*.webm;*.wav;*.mp3;*.m4a;*.ogg;*.opus;*.flac;*.srt;*.vtt;*.ass;"
    "*.ssa;*.txt|Films and Sound (*.mkv;*.mp4;*.avi;*.webm;*.wav;*.mp3;*.m4a;*.ogg;*.opus;*.flac)|*.mkv;*.mp4;*.avi;"
    "*.webm;*.wav;*.mp3;*.m4a;*.ogg;*.opus;*.flac|Subtitles (*.srt;*.vtt;*.ass;*.ssa;*.txt)|*.srt;*.vtt;*.ass;*.ssa;"
    "*.txt|All Files (*.*)|*.*|";

// What the dialog holds when Find is pressed, as typed.
struct SyncRequest {
    bool ByTwoLines = false;
    std::string ReferenceText;
    bool AllowCuts = true;
    bool CorrectSpeed = true;
    std::string CueTexts[2];
    std::string TimeTexts[2];
};

struct SyncCheck {
    bool Accepted = false;
    // The message box to show when refused.
    std::string Text;
    std::string Title;
    MessageIcon Icon = MessageIcon::Information;
    // What to search with when accepted.
    SyncOptions Options;
};

SyncCheck CheckSyncInputs(const std::string& inputPath, const SyncRequest& request, FileSystem& files);

// "HH:MM:SS,mmm" (hours of one or two digits) or "MM:SS" (minutes of up to
// three digits), either with optional thousandths after "," or "."; blanks
// around it allowed. Milliseconds, or -1 for anything else.
int64_t ParseCueTime(std::string_view text);
// A cue number from 1 on, blanks around it allowed; -1 for anything else.
int32_t ParseCueNumber(std::string_view text);

// "Decoding the sound... 42 %": what a search is doing, for the line above
// its progress bar. `fraction` is the stage's share done, 0..1.
std::string SyncProgressText(SyncStage stage, double fraction);
// The finding in the dialog's words, before anything is written.
std::string FindingText(const SyncFinding& finding);
// Asked before a fit that is not trusted is applied.
std::string WeakFindingQuestion(const SyncFinding& finding);

}  // namespace tarvex
