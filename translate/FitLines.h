#pragma once
// The one step every reply goes through before it is written: the lines a
// service gave for a block, fitted to the lines that were sent.

#include <string>
#include <vector>

namespace tarvex {

struct BlockTranslation {
    std::string Text;           // the block's lines joined by CR LF
    bool Untranslated = false;  // the reply held no text for a block that had some
};

// At most as many lines as were sent: any beyond are joined to the last one
// with single spaces, so no text is lost; fewer stay fewer. Blank lines are
// dropped. No line, or only blank ones, gives the sent lines back, marked
// untranslated unless there was nothing to translate. A block that sent no
// line takes none. CR and LF inside a line become spaces; NULs go.
BlockTranslation FitLines(std::vector<std::string> translated, const std::vector<std::string>& sent);

}  // namespace tarvex
