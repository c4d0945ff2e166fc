// Language identifier to locale code ("en_UK", "pt_BR", ...), for when the
// platform cannot name the user's locale. Identifiers not listed, 0x409
// included, stand for "en_US"; GetLocaleCode applies that default.
#ifndef NODEXA_SUPPORT_LOCALE_CODES_H_
#define NODEXA_SUPPORT_LOCALE_CODES_H_

#include <cstddef>
#include <cstdint>

namespace nodexa {

struct LocaleCode {
  uint32_t languageId;
  const char* code;
};

extern const LocaleCode kLocaleCodes[];
extern const size_t kLocaleCodeCount;

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_LOCALE_CODES_H_
