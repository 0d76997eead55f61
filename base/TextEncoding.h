#pragma once
// Which encoding a subtitle file is in, and the conversions between UTF-8
// (how both runs see text inside) and UTF-16 (how some files store it).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace tarvex {

enum class TextFamily {
    Utf8,     // valid UTF-8 without a byte-order mark (ASCII included)
    Utf8Bom,  // EF BB BF first
    Utf16Le,  // FF FE first
    Utf16Be,  // FE FF first
    Legacy,   // anything else: bytes of a single-byte or DBCS code page
};

TextFamily DetectTextFamily(std::string_view bytes);

bool IsUtf16(TextFamily family);

// The byte-order mark a family starts with ("" for Utf8 and Legacy).
std::string_view ByteOrderMark(TextFamily family);

// Strict: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// UTF-16 code units (no mark) to UTF-8. A surrogate without its partner is
// kept as its own three-byte form, so that Utf8ToUtf16 gives back exactly
// the same units. Raises 5 for an odd number of bytes.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// The reverse of Utf16ToUtf8. Bytes that are not UTF-8 become U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

// The text as UTF-8 without its mark: UTF-16 decoded, a legacy page read
// as `legacyEncoding`, UTF-8 as it is.
std::string TextToUtf8(std::string_view bytes, TextFamily family, const std::string& legacyEncoding);

// Hands UTF-8 written to it on to `target` as UTF-16, its mark first. A
// character split between two writes is held until the rest arrives.
class Utf16Output : public OutputFile {
public:
    Utf16Output(OutputFile& target, bool bigEndian);
    Utf16Output(std::unique_ptr<OutputFile> owned, bool bigEndian);
    void Write(std::string_view bytes) override;
    void Close() override;

private:
    std::unique_ptr<OutputFile> owned_;
    OutputFile& target_;
    const bool bigEndian_;
    bool markWritten_ = false;
    std::string pending_;  // the start of a character cut off by the last write
};

// `point` as UTF-8 bytes at the end of `out`.
void AppendUtf8(std::string& out, uint32_t point);

}  // namespace tarvex
