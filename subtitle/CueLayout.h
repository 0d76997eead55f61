#pragma once
// Which lines of a WebVTT or ASS/SSA file carry times and text, told line
// by line in file order. The streamed shift, its whole-file twin and the
// translation cut a file into the same lines (SplitCueLines and its streamed
// twin) and ask this one class, so they all see a file the same way.

#include <cstddef>
#include <string_view>

#include "subtitle/SubtitleFormat.h"

namespace tarvex {

// Whether `line` is a WebVTT timing line as the shift reads one: a
// timestamp, "-->" and a timestamp, blanks allowed around the arrow, any
// settings after a blank.
bool IsVttTimingLine(std::string_view line);

enum class CueLineKind {
    Other,   // kept as it is: headers, NOTE/STYLE/REGION blocks, identifiers, [Script Info]...
    Timing,  // a WebVTT cue timing line, or an ASS event of [Events] (Dialogue:, Comment:, Picture:...)
    Text,    // a WebVTT cue text line (its inline timestamps move too)
};

class CueLayout {
public:
    explicit CueLayout(SubtitleFormat format) : format_(format) {}

    // `line` without its line end; lines must come in file order.
    CueLineKind Next(std::string_view line);

    // ASS: the fields of the last Timing line, counted from 0 after its key
    // ("Dialogue:", "Comment:"...), as the section's Format: line places them
    // (Text is always the last).
    size_t StartField() const { return startField_; }
    size_t EndField() const { return endField_; }
    size_t FieldCount() const { return fieldCount_; }
    // ASS: whether the last Timing line is a Dialogue (not a Comment).
    bool IsDialogue() const { return dialogue_; }
    // The length of the key with its colon and any blanks before it.
    size_t KeyLength() const { return keyLength_; }

private:
    CueLineKind NextVtt(std::string_view line);
    CueLineKind NextAss(std::string_view line);
    void ReadFormat(std::string_view fields);

    const SubtitleFormat format_;
    bool firstLine_ = true;
    // WebVTT: after a timing line, before the blank line that ends its cue.
    bool inCue_ = false;
    // ASS: the usual v4 and v4+ layout until a Format: line says otherwise.
    bool inEvents_ = false;
    size_t startField_ = 1;
    size_t endField_ = 2;
    size_t fieldCount_ = 10;
    bool dialogue_ = false;
    size_t keyLength_ = 0;
};

}  // namespace tarvex
