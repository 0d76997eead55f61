// A whole file, any bytes: shifted or refused with a RuntimeError. A shifted
// file has exactly as many lines as its input, each ended by CR LF, and its
// non-timing lines are the input's bytes.
#include <cstdlib>
#include <string>

#include "base/RuntimeError.h"
#include "fuzz/FuzzInput.h"
#include "subtitle/Lines.h"
#include "subtitle/ShiftContent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvex;
    fuzz::ShiftRequest request = fuzz::TakeShiftRequest(data, size);
    std::string shifted;
    try {
        shifted = ShiftContent(request.Rest, request.Mode, request.Minutes, request.Seconds);
    } catch (const RuntimeError&) {
        return 0;
    }
    std::vector<std::string_view> in = SplitLines(request.Rest);
    if (in.empty()) {
        if (!shifted.empty()) std::abort();
        return 0;
    }
    if (shifted.size() < 2 || shifted.compare(shifted.size() - 2, 2, "\r\n") != 0) std::abort();
    std::vector<std::string_view> out = SplitLines(std::string_view(shifted).substr(0, shifted.size() - 2));
    // A line holding a lone CR LF pair cannot occur: a CR LF anywhere made it the separator.
    if (out.size() != in.size()) std::abort();
    for (size_t i = 0; i < in.size(); ++i)
        if (!IsTimingLine(in[i]) && in[i] != out[i]) std::abort();
    return 0;
}
