#include "base/TextEncoding.h"

#include <cstdint>

#include "base/LegacyEncoding.h"
#include "base/RuntimeError.h"
#include "base/TextTrim.h"

namespace tarvex {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Length of the UTF-8 sequence that `lead` starts (1 for anything that does
// not start one, so a stray byte is taken alone).
size_t SequenceLength(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return lead < 0xF8 ? 4 : 1;
}

// Decodes one sequence at `at`; answers the code point and its length, or
// U+FFFD and 1 for bytes that are not UTF-8. With `surrogates` a three-byte
// surrogate form is accepted (our own way of keeping unpaired units).
uint32_t DecodeOne(std::string_view text, size_t at, size_t& length, bool surrogates) {
    auto byte = [&](size_t index) { return static_cast<unsigned char>(text[at + index]); };
    const unsigned char lead = byte(0);
    length = 1;
    if (lead < 0x80) return lead;
    size_t need = SequenceLength(lead);
    if (need == 1 || at + need > text.size()) return 0xFFFD;
    uint32_t point = lead & (0x7F >> need);
    for (size_t index = 1; index < need; ++index) {
        if ((byte(index) & 0xC0) != 0x80) return 0xFFFD;
        point = (point << 6) | (byte(index) & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[need] || point > 0x10FFFF) return 0xFFFD;
    if (point >= 0xD800 && point <= 0xDFFF && !surrogates) return 0xFFFD;
    length = need;
    return point;
}

void AppendUnit(std::string& out, uint32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
}

}  // namespace

void AppendUtf8(std::string& out, uint32_t point) {
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

TextFamily DetectTextFamily(std::string_view bytes) {
    if (bytes.substr(0, 3) == kUtf8Mark) return TextFamily::Utf8Bom;
    if (bytes.substr(0, 2) == kUtf16LeMark) return TextFamily::Utf16Le;
    if (bytes.substr(0, 2) == kUtf16BeMark) return TextFamily::Utf16Be;
    return IsValidUtf8(bytes) ? TextFamily::Utf8 : TextFamily::Legacy;
}

bool IsUtf16(TextFamily family) {
    return family == TextFamily::Utf16Le || family == TextFamily::Utf16Be;
}

std::string_view ByteOrderMark(TextFamily family) {
    switch (family) {
        case TextFamily::Utf8Bom: return kUtf8Mark;
        case TextFamily::Utf16Le: return kUtf16LeMark;
        case TextFamily::Utf16Be: return kUtf16BeMark;
        default: return {};
    }
}

bool IsValidUtf8(std::string_view bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        // ASCII runs are the common case; skip them eight at a time.
        while (at + 8 <= bytes.size()) {
            uint64_t word = 0;
            for (size_t index = 0; index < 8; ++index)
                word |= uint64_t{static_cast<unsigned char>(bytes[at + index])} << (index * 8);
            if ((word & 0x8080808080808080ULL) != 0) break;
            at += 8;
        }
        if (at >= bytes.size()) break;
        size_t length = 0;
        uint32_t point = DecodeOne(bytes, at, length, false);
        if (point == 0xFFFD && length == 1 && static_cast<unsigned char>(bytes[at]) >= 0x80) return false;
        at += length;
    }
    return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        throw RuntimeError(ErrorNumber::InvalidCall,
                           "Invalid procedure call or argument: the UTF-16 text ends in half a character");
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    auto unitAt = [&](size_t index) {
        auto first = static_cast<unsigned char>(bytes[index]);
        auto second = static_cast<unsigned char>(bytes[index + 1]);
        return bigEndian ? uint32_t{first} << 8 | second : uint32_t{second} << 8 | first;
    };
    for (size_t at = 0; at < bytes.size(); at += 2) {
        uint32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 2 < bytes.size()) {
            uint32_t next = unitAt(at + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                at += 2;
                continue;
            }
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    size_t at = 0;
    while (at < utf8.size()) {
        size_t length = 0;
        uint32_t point = DecodeOne(utf8, at, length, true);
        at += length;
        if (point >= 0x10000) {
            point -= 0x10000;
            AppendUnit(out, 0xD800 + (point >> 10), bigEndian);
            AppendUnit(out, 0xDC00 + (point & 0x3FF), bigEndian);
        } else {
            AppendUnit(out, point, bigEndian);
        }
    }
    return out;
}

std::string TextToUtf8(std::string_view bytes, TextFamily family, const std::string& legacyEncoding) {
    bytes.remove_prefix(ByteOrderMark(family).size());
    switch (family) {
        case TextFamily::Utf16Le:
        case TextFamily::Utf16Be: return Utf16ToUtf8(bytes, family == TextFamily::Utf16Be);
        case TextFamily::Legacy: return LegacyToUtf8(bytes, legacyEncoding);
        default: return std::string(bytes);
    }
}

Utf16Output::Utf16Output(OutputFile& target, bool bigEndian) : target_(target), bigEndian_(bigEndian) {}

Utf16Output::Utf16Output(std::unique_ptr<OutputFile> owned, bool bigEndian)
    : owned_(std::move(owned)), target_(*owned_), bigEndian_(bigEndian) {}

void Utf16Output::Write(std::string_view bytes) {
    std::string text = pending_;
    text.append(bytes);
    pending_.clear();
    // Hold back a sequence cut off at the end; the next write completes it.
    size_t start = text.size();
    for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            if (byte >= 0xC0 && SequenceLength(byte) > back) start = text.size() - back;
            break;
        }
    }
    pending_ = text.substr(start);
    text.resize(start);
    std::string encoded;
    if (!markWritten_) {
        encoded = bigEndian_ ? kUtf16BeMark : kUtf16LeMark;
        markWritten_ = true;
    }
    encoded += Utf8ToUtf16(text, bigEndian_);
    if (!encoded.empty()) target_.Write(encoded);
}

void Utf16Output::Close() {
    if (!markWritten_ || !pending_.empty()) {
        std::string rest;
        rest.swap(pending_);
        if (!markWritten_) {
            markWritten_ = true;
            target_.Write(std::string(bigEndian_ ? kUtf16BeMark : kUtf16LeMark) + Utf8ToUtf16(rest, bigEndian_));
        } else {
            target_.Write(Utf8ToUtf16(rest, bigEndian_));
        }
    }
    target_.Close();
}

}  // namespace tarvex
