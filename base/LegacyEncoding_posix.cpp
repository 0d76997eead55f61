#include <iconv.h>

#include <cctype>
#include <cerrno>

#include "base/LegacyEncoding.h"
#include "base/RuntimeError.h"

namespace tarvex {

namespace {

class Converter {
public:
    explicit Converter(const std::string& name) : handle_(iconv_open("UTF-8", name.c_str())) {}
    ~Converter() {
        if (Valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle_; }

private:
    iconv_t handle_;
};

bool IsWindows1252(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "windows-1252" || name == "cp1252";
}

// The five bytes windows-1252 leaves undefined, which Windows reads as the
// control characters of the same number; iconv refuses them.
bool IsUndefinedIn1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

std::string DefaultLegacyEncoding() {
    return "windows-1252";
}

bool IsKnownLegacyEncoding(const std::string& name) {
    return !name.empty() && Converter(name).Valid();
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& name) {
    Converter converter(name);
    if (name.empty() || !converter.Valid())
        throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: unknown encoding " + name);
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write
    size_t inLeft = bytes.size();
    char* to = out.data();
    size_t toLeft = out.size();
    const bool windows1252 = IsWindows1252(name);
    while (inLeft > 0) {
        if (iconv(converter.Get(), &in, &inLeft, &to, &toLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) throw RuntimeError(ErrorNumber::OutOfMemory);
        if (toLeft < 3) break;
        const auto byte = static_cast<unsigned char>(*in);
        if (windows1252 && IsUndefinedIn1252(byte)) {
            *to++ = '\xC2';
            *to++ = static_cast<char>(byte);
            toLeft -= 2;
            ++in;
            --inLeft;
            continue;
        }
        // A byte the page does not define: the replacement character, then on.
        static constexpr char kReplacement[] = "\xEF\xBF\xBD";
        for (char c : std::string_view(kReplacement, 3)) *to++ = c;
        toLeft -= 3;
        ++in;
        --inLeft;
    }
    out.resize(out.size() - toLeft);
    return out;
}

}  // namespace tarvex
