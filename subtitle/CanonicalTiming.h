#pragma once
// The timing line almost every file is made of, H:MM:SS,mmm -->
// H:MM:SS,mmm (one to four hour digits) with an optional tail after a
// blank, shifted straight from its digits. The general rebuild
// (AppendShiftedTimingLine) reads fields of any width with signs and blanks;
// this one only recognises the common layout, and for it gives exactly the
// same bytes, several times faster.

#include <string>
#include <string_view>

#include "subtitle/TimestampShift.h"

namespace tarvex {

// Room the rebuilt timestamps and arrow take at most.
constexpr size_t kCanonicalHeadRoom = 64;

// Writes the rebuilt start timestamp, arrow and end timestamp at `at` and
// answers their end, with `tail` set to the rest of the line, to be copied
// after them. Answers nullptr (nothing written) when the line is not in that
// layout or the amount is outside 0..59.
char* PutCanonicalTimingLine(std::string_view line, const ShiftAmount& amount, char* at, std::string_view& tail);

}  // namespace tarvex
