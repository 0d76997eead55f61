#pragma once
// The timestamps of WebVTT ([h]h:mm:ss.ttt or mm:ss.ttt, milliseconds) and
// ASS/SSA (h:mm:ss.cc, centiseconds), read into whole units and written back
// in the layout they were read in.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

struct CueStamp {
    int64_t Units = 0;   // milliseconds (WebVTT) or centiseconds (ASS)
    size_t Length = 0;   // of its text
    int HourDigits = 0;  // 0: written without hours (WebVTT only)
};

// A timestamp at the very start of `text`; false when there is none. Hours
// of more than six digits raise 6 (Overflow).
bool ReadVttStamp(std::string_view text, CueStamp& stamp);
bool ReadAssStamp(std::string_view text, CueStamp& stamp);

// `hourDigits` is the least number of hour digits (as read); WebVTT writes
// hours where it read them, and from an hour on where it did not.
void AppendVttStamp(int64_t millis, int hourDigits, std::string& out);
void AppendAssStamp(int64_t centis, int hourDigits, std::string& out);

}  // namespace tarvex
