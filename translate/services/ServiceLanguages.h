#pragma once
// Which languages of the table a service offers, under its own codes, and
// the codes a run sends for the two texts of the language lists.

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

struct ServiceLanguage {
    std::string_view Name;    // the table's name ("english")
    std::string_view Source;  // the service's code for it as a source; empty: not as a source
    std::string_view Target;  // ... as a target; empty: not as a target
};

// One row per table language a service offers, keyed by the table's code.
struct CodeRow {
    std::string_view TableCode;
    std::string_view Source;
    std::string_view Target;
};

// The table's languages that `rows` offer, in table order.
std::vector<ServiceLanguage> OfferFromRows(const CodeRow* rows, size_t count);

struct LanguageChoice {
    std::string Source;  // empty: the service detects the source language
    std::string Target;
};

// The codes for the texts of the two lists, each a name of the table or a
// typed code (the table's, or the service's own, in any case). A source
// that is no language (empty, "auto", an unknown name) is left to the
// service to detect; a target must be a language the service offers.
// Raises LanguageNotOffered naming the language and the service.
LanguageChoice ChooseLanguages(const std::string& service, const std::vector<ServiceLanguage>& offer,
                               const std::string& sourceText, const std::string& targetText);

}  // namespace tarvex
