// The user's language in the forms the installer's variables need: the
// language identifier, the maker's language number, a locale code such as
// "en_US" and the columns of the language table (code page and others).
// Nothing here fails: unknown identifiers give 0 or "en_US", unknown
// languages "". The tables are constant; the user's settings are read from
// the platform on every call.
#ifndef NODEXA_SUPPORT_LANGUAGE_INFO_H_
#define NODEXA_SUPPORT_LANGUAGE_INFO_H_

#include <cstdint>
#include <string>

namespace nodexa {

// The user's default language identifier (0x409 for United States English).
uint16_t GetUserLanguage();

// The maker's language number of `languageId`: 1 French, 2 German, ...;
// 0 for English and every identifier the maker has no number for.
int32_t GetLanguageCode(uint32_t languageId);

// The locale code of `languageId` from the library's own table ("en_UK" for
// 0x809); "en_US" for every identifier the table does not list.
std::string GetLocaleCode(uint32_t languageId);

// The user's ISO 639 language (lower case) and ISO 3166 country (upper case)
// joined by "_", as the platform names them; when the platform cannot name
// the country, GetLocaleCode of the user's language.
std::string GetUserLocale();

// The text in `column` (0 Language, 1 ISO Code, 2 Win Code, 3 Mac Code,
// 4 CodePage) of the first language-table row whose ISO code equals
// `language` without regard to case, else of the first row whose ISO code
// equals its first two characters (for strings of 3 characters or more).
// "" when no row matches or `column` is not 0 to 4.
std::string LookupLanguage(const std::string& language, int32_t column);

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_LANGUAGE_INFO_H_
