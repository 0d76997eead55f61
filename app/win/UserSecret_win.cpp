#include "app/win/UserSecret_win.h"

#include <windows.h>
// wincrypt.h needs the types of windows.h first.
#include <wincrypt.h>

namespace tarvex::win {

namespace {

DATA_BLOB BlobOf(const std::string& bytes) {
    DATA_BLOB blob;
    blob.cbData = static_cast<DWORD>(bytes.size());
    blob.pbData = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
    return blob;
}

// The system allocates what it gives back; it is freed here on every path.
std::string TakeBlob(DATA_BLOB& blob) {
    std::string bytes(reinterpret_cast<const char*>(blob.pbData), blob.cbData);
    SecureZeroMemory(blob.pbData, blob.cbData);
    LocalFree(blob.pbData);
    return bytes;
}

}  // namespace

std::optional<std::string> SealForUser(const std::string& secret) {
    DATA_BLOB in = BlobOf(secret);
    DATA_BLOB out{};
    // No prompt may ever stop the window: the user is not asked anything.
    if (!CryptProtectData(&in, L"Tarvex translation service key", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out))
        return std::nullopt;
    return TakeBlob(out);
}

std::optional<std::string> OpenForUser(const std::string& sealed) {
    DATA_BLOB in = BlobOf(sealed);
    DATA_BLOB out{};
    if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    return TakeBlob(out);
}

}  // namespace tarvex::win
