// The streamed shift against the whole-file shift: for any bytes, mode,
// amount and chunk size, the same output bytes, or the same error (number
// and text). The first pass must agree with the whole-file cut as well.
#include <cstdlib>
#include <optional>
#include <string>

#include "base/RuntimeError.h"
#include "base/StringFiles.h"
#include "fuzz/FuzzInput.h"
#include "subtitle/Lines.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/StreamShift.h"
#include "subtitle/TimingLineCount.h"

namespace {

struct Outcome {
    std::string Bytes;
    std::optional<tarvex::RuntimeError> Error;
};

tarvex::LineSeparator WholeFileSeparator(std::string_view content) {
    using tarvex::LineSeparator;
    if (content.find("\r\n") != std::string_view::npos) return LineSeparator::CrLf;
    if (content.find('\n') != std::string_view::npos) return LineSeparator::Lf;
    return LineSeparator::Cr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvex;
    // One more leading byte picks the chunk size, small enough that lines,
    // arrows and CR LF pairs straddle the cuts.
    if (size < 1) return 0;
    const size_t chunk = 16 + data[0] % 48;
    fuzz::ShiftRequest request = fuzz::TakeShiftRequest(data + 1, size - 1);

    Outcome whole;
    try {
        whole.Bytes =
            ShiftContent(request.Rest, ShiftAmount{request.Mode, request.Minutes, request.Seconds, request.Millis});
    } catch (const RuntimeError& error) {
        whole.Error = error;
    }

    StringInput input(request.Rest);
    const TimingLineCount count = CountTimingLines(input, chunk);
    if (count.Separator != WholeFileSeparator(request.Rest)) std::abort();
    if (count.TimingLines != static_cast<int64_t>(FindTimingLines(SplitLines(request.Rest)).size())) std::abort();
    if (count.Bytes != request.Rest.size()) std::abort();

    Outcome streamed;
    StringOutput output(streamed.Bytes);
    int64_t reported = 0;
    try {
        ShiftStream(
            input, count.Separator, ShiftAmount{request.Mode, request.Minutes, request.Seconds, request.Millis}, output,
            [&reported](int64_t done) {
                reported = done;
                return done + 1;
            },
            chunk);
    } catch (const RuntimeError& error) {
        streamed.Error = error;
    }

    if (whole.Error.has_value() != streamed.Error.has_value()) std::abort();
    if (whole.Error) {
        if (whole.Error->Number() != streamed.Error->Number()) std::abort();
        if (whole.Error->Description() != streamed.Error->Description()) std::abort();
        return 0;
    }
    if (whole.Bytes != streamed.Bytes) std::abort();
    if (reported != count.TimingLines) std::abort();
    return 0;
}
