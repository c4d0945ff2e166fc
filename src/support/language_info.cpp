#include "language_info.h"

#include "frame/string_toolkit.h"
#include "language_table.h"
#include "locale_codes.h"
#include "maker_language_codes.h"
#include "platform/win32_api.h"

namespace nodexa {

namespace {

// Room the locale names are asked for with; ISO names are far shorter.
constexpr int kLocaleNameSize = 20;

// Only A to Z and a to z change: locale names are ASCII, and the ANSI code
// page's other letters must not be touched.
std::string AsciiCase(const char* text, bool upper) {
  std::string result = text;
  for (char& c : result) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

// The first language row (1 to 114) whose ISO code equals `iso`, or 0.
size_t FindIsoRow(const std::string& iso) {
  for (size_t row = 1; row < kLanguageTableSize; ++row) {
    if (CompareNoCase(iso.c_str(), kLanguageTable[row].text[kIsoCode]) == 0) return row;
  }
  return 0;
}

}  // namespace

uint16_t GetUserLanguage() { return GetUserDefaultLangID(); }

int32_t GetLanguageCode(uint32_t languageId) {
  for (size_t i = 0; i < kMakerLanguageCodeCount; ++i) {
    if (kMakerLanguageCodes[i].languageId == languageId) return kMakerLanguageCodes[i].code;
  }
  return 0;
}

std::string GetLocaleCode(uint32_t languageId) {
  for (size_t i = 0; i < kLocaleCodeCount; ++i) {
    if (kLocaleCodes[i].languageId == languageId) return kLocaleCodes[i].code;
  }
  return "en_US";
}

std::string GetUserLocale() {
  const LANGID language = GetUserDefaultLangID();
  const LCID locale = MAKELCID(language, SORT_DEFAULT);
  char country[kLocaleNameSize] = {};
  if (GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, country, kLocaleNameSize) == 0) {
    return GetLocaleCode(language);
  }
  // A failure here leaves the language empty; the country still tells the
  // caller more than the table would.
  char iso639[kLocaleNameSize] = {};
  GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, iso639, kLocaleNameSize);
  return Format("%s_%s", AsciiCase(iso639, false).c_str(), AsciiCase(country, true).c_str());
}

std::string LookupLanguage(const std::string& language, int32_t column) {
  if (column < 0 || column >= kLanguageColumns) return std::string();
  size_t row = FindIsoRow(language);
  if (row == 0 && language.size() >= 3) row = FindIsoRow(language.substr(0, 2));
  if (row == 0) return std::string();
  return kLanguageTable[row].text[column];
}

}  // namespace nodexa
