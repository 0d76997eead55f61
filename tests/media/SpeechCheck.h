#pragma once
// Compares speech spans found with the sentences known to be there.

#include <sstream>
#include <string>
#include <vector>

#include "base/TimeSpan.h"

namespace tarvex::test {

// "" when every sentence is met by spans that start and end within
// `slackMs` of it and no span strays outside the sentences; otherwise what
// is wrong, for the failure message.
inline std::string SpeechMismatch(const std::vector<TimeSpan>& found, const std::vector<TimeSpan>& sentences,
                                  int64_t slackMs) {
    std::ostringstream wrong;
    for (const TimeSpan& sentence : sentences) {
        const TimeSpan* first = nullptr;
        const TimeSpan* last = nullptr;
        for (const TimeSpan& span : found) {
            if (span.End <= sentence.Start || span.Start >= sentence.End) continue;
            if (first == nullptr) first = &span;
            last = &span;
        }
        if (first == nullptr) {
            wrong << "sentence " << sentence.Start << "-" << sentence.End << " not found; ";
            continue;
        }
        if (std::abs(first->Start - sentence.Start) > slackMs || std::abs(last->End - sentence.End) > slackMs) {
            wrong << "sentence " << sentence.Start << "-" << sentence.End << " found as " << first->Start << "-"
                  << last->End << "; ";
        }
    }
    for (const TimeSpan& span : found) {
        bool inside = false;
        for (const TimeSpan& sentence : sentences) {
            inside = inside || (span.Start >= sentence.Start - slackMs && span.End <= sentence.End + slackMs);
        }
        if (!inside) wrong << "stray span " << span.Start << "-" << span.End << "; ";
    }
    return wrong.str();
}

}  // namespace tarvex::test
