#pragma once
// Turns the first bytes of a fuzz input into a shift mode and amount, so
// that one input exercises Start Time, Plus and Minus with any amount the
// core can be given (not only the 0..59 the front ends allow).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "job/JobSettings.h"

namespace tarvex::fuzz {

struct ShiftRequest {
    ShiftMode Mode = ShiftMode::Plus;
    int16_t Minutes = 0;
    int16_t Seconds = 0;
    int16_t Millis = 0;  // a fraction of a second, which takes the exact path
    std::string_view Rest;
};

inline ShiftRequest TakeShiftRequest(const uint8_t* data, size_t size) {
    ShiftRequest request;
    if (size < 3) {
        request.Rest = std::string_view(reinterpret_cast<const char*>(data), size);
        return request;
    }
    request.Mode = static_cast<ShiftMode>(data[0] % 3);
    // Mostly the range users give, sometimes anything a 16-bit field holds.
    bool wild = (data[0] & 0x80) != 0;
    request.Minutes = wild ? static_cast<int16_t>(data[1] * 257 - 32768) : static_cast<int16_t>(data[1] % 60);
    request.Seconds = wild ? static_cast<int16_t>(data[2] * 257 - 32768) : static_cast<int16_t>(data[2] % 60);
    if ((data[0] & 0x40) != 0) request.Millis = static_cast<int16_t>((data[1] * 7 + data[2]) % 1000);
    request.Rest = std::string_view(reinterpret_cast<const char*>(data + 3), size - 3);
    return request;
}

}  // namespace tarvex::fuzz
