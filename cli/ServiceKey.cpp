#include "cli/ServiceKey.h"

#include "base/RuntimeError.h"
#include "base/TextEncoding.h"

namespace tarvex::cli {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// At most one byte past the bound, so that an endless file (a device) is
// never read to its end.
std::string ReadKeyFile(const std::string& path, FileSystem& files) {
    std::string bytes(kMostKeyFileBytes + 1, '\0');
    size_t read = 0;
    try {
        std::unique_ptr<InputFile> file = files.OpenInput(path);
        while (read < bytes.size()) {
            const size_t got = file->ReadAt(read, bytes.data() + read, bytes.size() - read);
            if (got == 0) break;
            read += got;
        }
    } catch (const RuntimeError& error) {
        throw RuntimeError(ErrorNumber::BadServiceSettings,
                           "Cannot read the key file " + path + " (" + error.Description() + ")");
    }
    if (read > kMostKeyFileBytes)
        throw RuntimeError(ErrorNumber::BadServiceSettings,
                           "The key file " + path + " is over 64 KiB: it cannot be a key");
    bytes.resize(read);
    return bytes;
}

}  // namespace

const char* ServiceKeyVariable(const std::string& service) {
    if (service == "deepl") return "TARVEX_DEEPL_KEY";
    if (service == "openai") return "TARVEX_OPENAI_KEY";
    if (service == "libretranslate") return "TARVEX_LIBRETRANSLATE_KEY";
    return nullptr;
}

std::string KeyOfText(std::string_view text) {
    const std::string_view mark = ByteOrderMark(TextFamily::Utf8Bom);
    if (text.substr(0, mark.size()) == mark) text.remove_prefix(mark.size());
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string ChooseServiceKey(const std::string& service, const std::string& keyFile, FileSystem& files,
                             const Environment& environment) {
    if (!keyFile.empty()) return KeyOfText(ReadKeyFile(keyFile, files));
    const char* own = ServiceKeyVariable(service);
    const char* value = own ? environment(own) : nullptr;
    if (value == nullptr) value = environment("TARVEX_API_KEY");
    return KeyOfText(value ? value : "");
}

}  // namespace tarvex::cli
