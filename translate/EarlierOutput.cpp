#include "translate/EarlierOutput.h"

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {

namespace {

constexpr size_t kFirstRead = size_t{64} << 10;
// The most one block can add to an output: its translation, at most one
// reply, and its copied lines. Once the text read runs this far past the
// matched blocks, no more of the file can match.
constexpr size_t kMostForOneBlock = 2 * kMaxReplyBytes;

// Reads on until `bytes` holds `size` bytes or the whole file; answers
// whether it holds the whole file.
bool ReadUpTo(InputFile& file, std::string& bytes, size_t size) {
    const size_t had = bytes.size();
    bytes.resize(size);
    const size_t got = file.ReadAt(had, bytes.data() + had, size - had);
    bytes.resize(had + got);
    return bytes.size() < size;
}

// The text of what has been read, as UTF-8; a UTF-16 character cut off at
// the end of what was read (or of the file) is left out.
std::string DecodedPrefix(std::string_view bytes, TextFamily family) {
    if (IsUtf16(family)) bytes = bytes.substr(0, bytes.size() & ~size_t{1});
    return TextToUtf8(bytes, family, std::string());
}

// Whether a file beginning with `bytes` may be of `family`; text without a
// mark is told apart by its kept blocks being valid UTF-8.
bool MayBeOf(std::string_view bytes, TextFamily family) {
    TextFamily marked = DetectTextFamily(bytes.substr(0, 3));
    if (marked == TextFamily::Legacy) marked = TextFamily::Utf8;
    return marked == family;
}

}  // namespace

std::optional<EarlierOutput> FindEarlierOutput(const std::string& outputPath, const BlockPlan& plan, TextFamily family,
                                               FileSystem& files) {
    if (!files.FileExists(outputPath)) return std::nullopt;
    try {
        std::unique_ptr<InputFile> file = files.OpenInput(outputPath);
        std::string bytes;
        std::string text;
        KeptOutput kept;
        for (size_t size = kFirstRead;; size *= 2) {
            const bool whole = ReadUpTo(*file, bytes, size);
            if (!MayBeOf(bytes, family)) return std::nullopt;
            text = DecodedPrefix(bytes, family);
            kept = MatchEarlierOutput(plan, text);
            if (whole || text.size() - kept.Bytes > kMostForOneBlock) break;
        }
        if (kept.Blocks == 0) return std::nullopt;
        text.resize(kept.Bytes);
        if (!IsUtf16(family) && !IsValidUtf8(text)) return std::nullopt;
        return EarlierOutput{std::move(text), kept.Blocks};
    } catch (const RuntimeError&) {
        // Unreadable: moved aside like any other earlier output.
        return std::nullopt;
    }
}

}  // namespace tarvex
