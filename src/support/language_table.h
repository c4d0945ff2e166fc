// The constant language table behind LookupLanguage: one row per language
// (some languages take several rows), five text columns. Row 0 holds the
// column titles and takes no part in look-ups; rows 1 to 114 are the
// languages in alphabetical order of their English names.
#ifndef NODEXA_SUPPORT_LANGUAGE_TABLE_H_
#define NODEXA_SUPPORT_LANGUAGE_TABLE_H_

#include <cstddef>

namespace nodexa {

enum LanguageColumn {
  kLanguageName = 0,  // English name, e.g. "Portuguese (Brazil)"
  kIsoCode = 1,       // ISO 639 code, a few with a country part ("zh_TW")
  kWinCode = 2,       // Windows primary language identifier in hexadecimal
  kMacCode = 3,       // classic Mac OS language number, "-1" for none
  kCodePage = 4,      // Windows ANSI code page, "-1" for none, "0" Unicode only
  kLanguageColumns = 5
};

struct LanguageRow {
  const char* text[kLanguageColumns];
};

// kLanguageTableSize rows: the titles, then the 114 languages.
extern const LanguageRow kLanguageTable[];
extern const size_t kLanguageTableSize;

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_LANGUAGE_TABLE_H_
