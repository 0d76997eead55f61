#pragma once

#include <string>

#include "job/RunEnvironment.h"
#include "translate/TranslationRequest.h"

namespace tarvex {

// Is there a connection to try? The platform's IsConnected, a seam for tests.
using ConnectionTest = bool (*)();

// What to do with an earlier, partial NAME.<code>.ext whose first blocks
// match the input: move it aside and start over, ask, or carry it on.
enum class ResumeChoice { Never, Ask, Always };

struct TranslationOptions {
    // The code page of an input that is neither UTF-8 nor UTF-16; empty for
    // the platform's default.
    std::string LegacyEncoding;
    ResumeChoice Resume = ResumeChoice::Never;
};

// The translate run. Writes NAME.<code>.ext beside the input (an earlier
// output is first moved to NAME.<code>N.ext, unless it is resumed), one
// request per block, several in flight as the service allows; number and
// timing lines are copied, text lines replaced by their translation. The
// text is sent as UTF-8; the output is UTF-16 for a UTF-16 input (same byte
// order and mark) and UTF-8 otherwise, with the mark if the input had one.
// Ends the busy state itself with "Output File : NAME" and "Process Success
// Bos..", or "PROCESS FAILED" and the error report; without a connection it
// only says "Internet not connected". The input is never changed. Answers
// whether a translated file was written.
bool RunTranslation(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
                    RunEnvironment& environment, ConnectionSettings& service, ConnectionTest connected,
                    const TranslationOptions& options = {});

}  // namespace tarvex
