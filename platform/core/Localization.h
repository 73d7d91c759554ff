#pragma once

#include <string>
#include <string_view>

// The framework's lookup of localised texts. The program's tables are compiled
// Qt translation files, embedded as resources named ":/i18n/sorvanel_<code>.qm"
// and keyed by the text's key; English needs no table, its texts are the
// defaults that every caller passes.
namespace platform {

// The text stored under `key` for `language`, or `englishDefault` when that
// language has no table or its table has no text for the key. An empty
// language stands for the active localisation.
std::string GetLocalizedString(std::string_view key, std::string_view englishDefault, std::string_view language);

// The code of the active localisation: the first of the system's UI languages
// that has a table, or "en".
std::string ActiveLanguage();

// Replaces the active localisation for the rest of the process ("" goes back
// to following the system's UI languages).
void SetActiveLanguage(std::string_view code);

} // namespace platform
