#include <windows.h>

#include <cctype>
#include <cstdlib>

#include "base/LegacyEncoding.h"
#include "base/RuntimeError.h"

namespace tarvex {

namespace {

struct Alias {
    const char* Name;
    UINT CodePage;
};

// The common names that do not carry their code page's number.
constexpr Alias kAliases[] = {
    {"iso-8859-1", 28591},  {"iso-8859-2", 28592}, {"iso-8859-3", 28593}, {"iso-8859-4", 28594}, {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},  {"iso-8859-7", 28597}, {"iso-8859-8", 28598}, {"iso-8859-9", 28599}, {"iso-8859-13", 28603},
    {"iso-8859-15", 28605}, {"latin1", 28591},     {"koi8-r", 20866},     {"koi8-u", 21866},     {"shift_jis", 932},
    {"sjis", 932},          {"gbk", 936},          {"gb2312", 936},       {"big5", 950},         {"euc-kr", 949},
    {"euc-jp", 20932},
};

std::string Lowered(const std::string& name) {
    std::string lowered = name;
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// windows-NNNN, cpNNNN, NNNN or an alias; 0 when none fits.
UINT CodePageOf(const std::string& name) {
    const std::string lowered = Lowered(name);
    for (const Alias& alias : kAliases)
        if (lowered == alias.Name) return alias.CodePage;
    std::string digits = lowered;
    for (const char* prefix : {"windows-", "cp"})
        if (digits.rfind(prefix, 0) == 0) digits = digits.substr(std::char_traits<char>::length(prefix));
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    UINT page = static_cast<UINT>(std::atoi(digits.c_str()));
    return IsValidCodePage(page) ? page : 0;
}

}  // namespace

std::string DefaultLegacyEncoding() {
    DWORD page = 0;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&page), sizeof page / sizeof(WCHAR)) == 0 ||
        page == 0 || page == CP_UTF8 || !IsValidCodePage(page))
        page = 1252;  // a Unicode-only locale has no ANSI page; Western is the likeliest
    return "windows-" + std::to_string(page);
}

bool IsKnownLegacyEncoding(const std::string& name) {
    return CodePageOf(name) != 0;
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& name) {
    const UINT page = CodePageOf(name);
    if (page == 0)
        throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: unknown encoding " + name);
    if (bytes.empty()) return std::string();
    if (bytes.size() > INT32_MAX / 2) throw RuntimeError(ErrorNumber::OutOfMemory);
    const int size = static_cast<int>(bytes.size());
    int wide = MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
    if (wide <= 0) throw RuntimeError(ErrorNumber::InvalidCall, "Cannot read the text as " + name);
    std::wstring units(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(page, 0, bytes.data(), size, units.data(), wide);
    int narrow = WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

}  // namespace tarvex
