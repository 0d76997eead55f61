#include "translate/services/RawJson.h"

#include <cstdint>

#include "base/TextEncoding.h"

namespace tarvex {

namespace {

constexpr int kDeepest = 64;

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    std::optional<RawJsonValue> Whole() {
        RawJsonValue value;
        SkipBlanks();
        if (!Value(value, 0)) return std::nullopt;
        SkipBlanks();
        if (at_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    bool More() const { return at_ < text_.size(); }
    char Peek() const { return text_[at_]; }

    void SkipBlanks() {
        while (More() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')) ++at_;
    }

    bool Value(RawJsonValue& value, int depth) {
        if (!More()) return false;
        switch (Peek()) {
            case '[': return Array(value, depth);
            case '{': return Object(depth);
            case '"': return String(value);
            default: return Literal(value);
        }
    }

    // Every element of the outer two levels is kept, the first of the third.
    static bool Keeps(int depth, const RawJsonValue& array) { return depth < 2 || (depth == 2 && array.Items.empty()); }

    bool Array(RawJsonValue& value, int depth) {
        if (depth >= kDeepest) return false;
        value.What = RawJsonValue::Kind::Array;
        ++at_;
        SkipBlanks();
        if (More() && Peek() == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            SkipBlanks();
            RawJsonValue item;
            // A left-out element: the comma or the end comes straight away.
            if (More() && (Peek() == ',' || Peek() == ']')) {
                item.What = RawJsonValue::Kind::Null;
            } else if (!Value(item, depth + 1)) {
                return false;
            }
            if (Keeps(depth, value)) value.Items.push_back(std::move(item));
            SkipBlanks();
            if (!More()) return false;
            if (Peek() == ']') {
                ++at_;
                return true;
            }
            if (Peek() != ',') return false;
            ++at_;
        }
    }

    // Objects are checked but their members are never read.
    bool Object(int depth) {
        if (depth >= kDeepest) return false;
        ++at_;
        SkipBlanks();
        if (More() && Peek() == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            SkipBlanks();
            RawJsonValue name;
            if (!More() || Peek() != '"' || !String(name)) return false;
            SkipBlanks();
            if (!More() || Peek() != ':') return false;
            ++at_;
            SkipBlanks();
            RawJsonValue member;
            if (!Value(member, depth + 1)) return false;
            SkipBlanks();
            if (!More()) return false;
            if (Peek() == '}') {
                ++at_;
                return true;
            }
            if (Peek() != ',') return false;
            ++at_;
        }
    }

    bool String(RawJsonValue& value) {
        const size_t start = ++at_;
        while (More()) {
            const char c = text_[at_];
            if (c == '"') {
                value.What = RawJsonValue::Kind::String;
                value.Text = text_.substr(start, at_ - start);
                ++at_;
                return true;
            }
            at_ += c == '\\' ? 2 : 1;
        }
        return false;
    }

    bool Literal(RawJsonValue& value) {
        const size_t start = at_;
        while (More()) {
            const char c = Peek();
            const bool part = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                              c == '+' || c == '.';
            if (!part) break;
            ++at_;
        }
        const std::string_view word = text_.substr(start, at_ - start);
        if (word == "null") {
            value.What = RawJsonValue::Kind::Null;
            return true;
        }
        value.What = RawJsonValue::Kind::Literal;
        if (word == "true" || word == "false") return true;
        return !word.empty() && (word[0] == '-' || (word[0] >= '0' && word[0] <= '9'));
    }

    std::string_view text_;
    size_t at_ = 0;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The four hex digits after "\u" at `at`, or -1.
int32_t CodeUnitAt(std::string_view text, size_t at) {
    if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
    int32_t unit = 0;
    for (size_t digit = at + 2; digit < at + 6; ++digit) {
        const int value = HexValue(text[digit]);
        if (value < 0) return -1;
        unit = unit * 16 + value;
    }
    return unit;
}

}  // namespace

std::optional<RawJsonValue> ScanRawJson(std::string_view text) {
    return Scanner(text).Whole();
}

std::string DecodeJsonEscapes(std::string_view text) {
    constexpr uint32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (text[at] != '\\' || at + 1 >= text.size()) {
            out.push_back(text[at++]);
            continue;
        }
        const char kind = text[at + 1];
        const char* simple = nullptr;
        switch (kind) {
            case '\\': simple = "\\"; break;
            case '/': simple = "/"; break;
            case '"': simple = "\""; break;
            case 'b': simple = "\b"; break;
            case 'f': simple = "\f"; break;
            case 'n': simple = "\n"; break;
            case 'r': simple = "\r"; break;
            case 't': simple = "\t"; break;
            default: break;
        }
        if (simple != nullptr) {
            out.append(simple);
            at += 2;
            continue;
        }
        const int32_t unit = CodeUnitAt(text, at);
        if (unit < 0) {
            out.append(text.substr(at, 2));
            at += 2;
            continue;
        }
        at += 6;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const int32_t low = CodeUnitAt(text, at);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) +
                                    (static_cast<uint32_t>(low) - 0xDC00));
                at += 6;
            } else {
                AppendUtf8(out, kReplacement);
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, static_cast<uint32_t>(unit));
        }
    }
    return out;
}

}  // namespace tarvex
