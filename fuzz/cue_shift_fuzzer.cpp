// WebVTT and ASS/SSA shifts, any bytes: the stream gives the whole-file
// bytes (or the same error) at any chunk size; a shift by zero gives the
// input back, and so does a shift there and back wherever no timestamp
// changed its width (an hour field added or grown).
#include <cstdlib>
#include <optional>
#include <string>

#include "base/RuntimeError.h"
#include "base/StringFiles.h"
#include "subtitle/CueShift.h"

namespace {

struct Outcome {
    std::string Bytes;
    std::optional<tarvex::RuntimeError> Error;
};

bool SameOutcome(const Outcome& a, const Outcome& b) {
    if (a.Error.has_value() != b.Error.has_value()) return false;
    if (a.Error) return a.Error->Number() == b.Error->Number() && a.Error->Description() == b.Error->Description();
    return a.Bytes == b.Bytes;
}

Outcome Whole(std::string_view content, tarvex::SubtitleFormat format, const tarvex::ShiftAmount& amount) {
    Outcome outcome;
    try {
        outcome.Bytes = tarvex::ShiftCueContent(content, format, amount);
    } catch (const tarvex::RuntimeError& error) {
        outcome.Error = error;
    }
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvex;
    // Four leading bytes: chunk size, format and mode, and the amount.
    if (size < 4) return 0;
    const size_t chunk = 16 + data[0] % 48;
    const SubtitleFormat format = (data[1] & 1) != 0 ? SubtitleFormat::Ass : SubtitleFormat::WebVtt;
    ShiftAmount amount;
    amount.Mode = static_cast<ShiftMode>((data[1] >> 1) % 3);
    const int millis = (data[2] << 8 | data[3]) % 60000;
    amount.Minutes = static_cast<int16_t>((data[1] >> 3) % 60);
    amount.Seconds = static_cast<int16_t>(millis / 1000);
    amount.Millis = static_cast<int16_t>(millis % 1000);
    if ((data[1] & 0x80) != 0) {
        amount.RateFrom = 1 + (data[2] << 4);
        amount.RateTo = 1 + (data[3] << 4);
        amount.Mode = ShiftMode::Plus;
    }
    const std::string_view content(reinterpret_cast<const char*>(data + 4), size - 4);

    const Outcome whole = Whole(content, format, amount);
    Outcome streamed;
    try {
        StringInput input(content);
        const CueCount count = CountCues(input, format, chunk);
        if (count.Bytes != content.size()) std::abort();
        StringOutput output(streamed.Bytes);
        int64_t reported = 0;
        const StreamShiftResult result = ShiftCueStream(
            input, format, ResolveCueAmount(count, format, amount), output,
            [&reported](int64_t done) {
                reported = done;
                return done + 1;
            },
            chunk);
        if (result.TimingLines != count.Cues || reported != count.Cues) std::abort();
    } catch (const RuntimeError& error) {
        streamed.Error = error;
    }
    if (!SameOutcome(whole, streamed)) std::abort();
    if (whole.Error) return 0;

    if (Whole(content, format, ShiftAmount{ShiftMode::Plus, 0, 0}).Bytes != content) std::abort();
    ShiftAmount there{ShiftMode::Plus, amount.Minutes, amount.Seconds, amount.Millis};
    const Outcome forth = Whole(content, format, there);
    if (forth.Error || forth.Bytes.size() != content.size()) return 0;
    there.Mode = ShiftMode::Minus;
    if (Whole(forth.Bytes, format, there).Bytes != content) std::abort();
    return 0;
}
