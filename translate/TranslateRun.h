#pragma once

#include <string>

#include "job/RunEnvironment.h"
#include "translate/TranslationRequest.h"

namespace tarvex {

// Is there a connection to try? The platform's IsConnected, a seam for tests.
using ConnectionTest = bool (*)();

// The translate run. Writes NAME.<code>.ext beside the input (an earlier
// output is first moved to NAME.<code>N.ext), one request per block; number
// and timing lines are copied, text lines replaced by their translation.
// Ends the busy state itself with "Output File : NAME" and "Process Success
// Bos..", or "PROCESS FAILED" and the error report; without a connection it
// only says "Internet not connected". The input is never changed. Answers
// whether a translated file was written.
bool RunTranslation(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
                    RunEnvironment& environment, TranslationService& service, ConnectionTest connected);

}  // namespace tarvex
