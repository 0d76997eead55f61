// One timing line, any bytes: rebuilt or refused with a RuntimeError,
// never a crash, and a rebuilt line always keeps its arrow.
#include <cstdlib>
#include <string>

#include "base/RuntimeError.h"
#include "fuzz/FuzzInput.h"
#include "subtitle/Lines.h"
#include "subtitle/TimestampShift.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvex;
    fuzz::ShiftRequest request = fuzz::TakeShiftRequest(data, size);
    if (!IsTimingLine(request.Rest)) return 0;
    std::string out;
    try {
        if (request.Mode == ShiftMode::StartTime) {
            ShiftAmount amount = StartTimeAmount(request.Rest, request.Minutes, request.Seconds);
            if (amount.Mode == ShiftMode::StartTime) std::abort();
            AppendShiftedTimingLine(request.Rest, amount, out);
        } else {
            AppendShiftedTimingLine(request.Rest, ShiftAmount{request.Mode, request.Minutes, request.Seconds}, out);
        }
    } catch (const RuntimeError&) {
        return 0;
    }
    if (!IsTimingLine(out)) std::abort();
    return 0;
}
