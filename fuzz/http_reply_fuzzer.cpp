// A reply from a hostile server, read as the transports read it: the
// response parser, then the content decoder. No crash, never more than the
// reply limit held, and the outcome does not depend on how the bytes were
// cut into pieces by the network.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/RuntimeError.h"
#include "translate/http/ContentDecoding.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpResponseParser.h"

namespace {

using namespace tarvex;

struct Outcome {
    int Status = 0;
    std::string Body;
    int32_t Error = 0;
    bool operator==(const Outcome& other) const {
        return Status == other.Status && Body == other.Body && Error == other.Error;
    }
};

// Reads `bytes` in pieces of at most `piece` bytes, as a transport would.
Outcome Read(std::string_view bytes, size_t piece) {
    Outcome outcome;
    std::unique_ptr<ContentDecoder> decoder;
    try {
        HttpResponseParser parser([&](const HttpResponseParser& self, const char* data, size_t size) {
            if (!decoder) decoder = std::make_unique<ContentDecoder>(self.Header("Content-Encoding"));
            decoder->Feed(data, size, outcome.Body);
        });
        size_t at = 0;
        while (at < bytes.size() && !parser.Done()) {
            const size_t size = std::min(piece, bytes.size() - at);
            const size_t used = parser.Feed(bytes.data() + at, size);
            if (used > size || (used < size && !parser.Done())) std::abort();
            at += used;
        }
        if (!parser.Done()) parser.FeedEnd();
        if (decoder) decoder->Finish();
        outcome.Status = parser.Status();
    } catch (const RuntimeError& error) {
        outcome.Error = error.Number();
        outcome.Body.clear();
    }
    if (outcome.Body.size() > kMaxReplyBytes) std::abort();
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t piece = 1 + data[0] % 17;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const Outcome whole = Read(bytes, bytes.size() + 1);
    const Outcome cut = Read(bytes, piece);
    if (!(whole == cut)) {
        std::fprintf(stderr, "in one piece: status %d, error %d, %zu body bytes; in pieces of %zu: %d, %d, %zu\n",
                     whole.Status, whole.Error, whole.Body.size(), piece, cut.Status, cut.Error, cut.Body.size());
        std::abort();
    }
    return 0;
}
