#include "translate/Languages.h"

namespace tarvex {

const std::array<Language, kLanguageCount>& LanguageTable() {
    // "africaans" is spelt as users of earlier versions have it saved.
    static constexpr std::array<Language, kLanguageCount> table = {{
        {"africaans", "af"},   {"albanian", "sq"},       {"arabic", "ar"},     {"armenian", "hy"},
        {"azerbaijani", "az"}, {"basque", "eu"},         {"belarusian", "be"}, {"bengali", "bn"},
        {"bulgarian", "bg"},   {"catalan", "ca"},        {"chinese", "zh-CN"}, {"croatian", "hr"},
        {"czech", "cs"},       {"danish", "da"},         {"dutch", "nl"},      {"english", "en"},
        {"estonian", "et"},    {"filipino", "tl"},       {"finnish", "fi"},    {"french", "fr"},
        {"galician", "gl"},    {"georgian", "ka"},       {"german", "de"},     {"greek", "el"},
        {"gujarati", "gu"},    {"haitian creole", "ht"}, {"hebrew", "iw"},     {"hindi", "hi"},
        {"hungarian", "hu"},   {"icelandic", "is"},      {"indonesian", "id"}, {"irish", "ga"},
        {"italian", "it"},     {"japanese", "ja"},       {"kannada", "kn"},    {"korean", "ko"},
        {"latin", "la"},       {"latvian", "lv"},        {"lithuanian", "lt"}, {"macedonian", "mk"},
        {"malay", "ms"},       {"maltese", "mt"},        {"norwegian", "no"},  {"persian", "fa"},
        {"polish", "pl"},      {"portuguese", "pt"},     {"romanian", "ro"},   {"russian", "ru"},
        {"serbian", "sr"},     {"slovak", "sk"},         {"slovenian", "sl"},  {"spanish", "es"},
        {"swahili", "sw"},     {"swedish", "sv"},        {"tamil", "ta"},      {"telugu", "te"},
        {"thai", "th"},        {"turkish", "tr"},        {"ukrainian", "uk"},  {"urdu", "ur"},
        {"vietnamese", "vi"},  {"welsh", "cy"},          {"yiddish", "yi"},
    }};
    return table;
}

void FillLanguageList(LanguageList& list) {
    list.Clear();
    for (const Language& language : LanguageTable()) list.AddItem(std::string(language.Name));
}

std::string LanguageCode(const std::string& name) {
    if (name.size() <= 2) return name;
    for (const Language& language : LanguageTable())
        if (language.Name == name) return std::string(language.Code);
    return "auto";
}

}  // namespace tarvex
