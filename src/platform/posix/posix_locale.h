// The user's language and locale with the Windows calls, answered from the
// stand-in machine's facts (facts.ini in the NODEXA_MACHINE folder):
//   LanguageId       the user's default language identifier, hexadecimal
//                    with 0x ("0x809") or decimal ("2057"); missing or not a
//                    16-bit number: 0x409, United States English
//   LocaleLanguage   what LOCALE_SISO639LANGNAME answers ("en")
//   LocaleCountry    what LOCALE_SISO3166CTRYNAME answers ("GB")
// The values are handed out as written; callers normalise their case.
// A missing or empty LocaleLanguage or LocaleCountry makes GetLocaleInfoA fail with 0
// as for a locale that lacks the information, so callers take their own
// fallback (the library's locale-code table). Without a machine folder there
// are no facts: 0x409 and no locale names.
#ifndef NODEXA_PLATFORM_POSIX_LOCALE_H_
#define NODEXA_PLATFORM_POSIX_LOCALE_H_

#include "posix_types.h"

using LANGID = WORD;
using LCID = DWORD;
using LCTYPE = DWORD;

constexpr WORD SORT_DEFAULT = 0x0;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

constexpr LCTYPE LOCALE_SISO639LANGNAME = 0x59;
constexpr LCTYPE LOCALE_SISO3166CTRYNAME = 0x5A;

constexpr DWORD ERROR_INVALID_FLAGS = 1004;

constexpr LCID MAKELCID(WORD languageId, WORD sortId) {
  return static_cast<LCID>(static_cast<DWORD>(sortId) << 16 | languageId);
}

LANGID GetUserDefaultLangID();

// Answers `type` for the user's locale: `locale` must be LOCALE_USER_DEFAULT
// or an LCID of the user's default language (any other locale fails with
// error 87). Size 0 asks for the size needed, NUL included. Returns the
// characters written with the NUL; 0 on failure with the last error 87 (no
// such locale or no such fact), 122 (buffer too small) or 1004 (a type not
// supported here).
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR buffer, int size);

#endif  // NODEXA_PLATFORM_POSIX_LOCALE_H_
