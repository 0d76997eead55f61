#pragma once
// Reading the numeric fields of a timestamp. Surrounding blanks are allowed;
// anything else that is not a number raises 13 (Type mismatch), a number
// that does not fit its 16-bit field raises 6 (Overflow).

#include <cstdint>
#include <string_view>

namespace tarvex {

// A whole number: optional sign, digits.
int16_t ParseInt16Field(std::string_view text);

// A decimal number with "," or "." before the fraction (either, whatever the
// locale), rounded to the nearest thousandth with ties to even. The result
// is in thousandths. Whole parts beyond a trillion raise 6 (Overflow).
int64_t ParseMillisField(std::string_view text);

// Adds two 16-bit values the way the runtime's Integer arithmetic does:
// a result outside -32768..32767 raises 6 (Overflow).
int16_t CheckedInt16(int32_t value);

}  // namespace tarvex
