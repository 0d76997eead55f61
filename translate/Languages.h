#pragma once
// The languages the translation page offers, with the service's codes.

#include <array>
#include <string>
#include <string_view>

namespace tarvex {

struct Language {
    std::string_view Name;
    std::string_view Code;
};

constexpr size_t kLanguageCount = 63;
const std::array<Language, kLanguageCount>& LanguageTable();

// What FillLanguageList needs of a list: the window's combo boxes implement it.
class LanguageList {
public:
    virtual ~LanguageList() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& name) = 0;
};

// Empties the list, then adds the 63 names in table order.
void FillLanguageList(LanguageList& list);

// A text of at most two characters is taken to be a code already; otherwise
// the code of the name that is exactly equal (case-sensitive, no trimming),
// or "auto" for a text that is no name.
std::string LanguageCode(const std::string& name);

}  // namespace tarvex
