// Language identifier to the maker's own language number (1 French, 2
// German, ...). Identifiers not listed stand for 0, English; GetLanguageCode
// applies that default.
#ifndef NODEXA_SUPPORT_MAKER_LANGUAGE_CODES_H_
#define NODEXA_SUPPORT_MAKER_LANGUAGE_CODES_H_

#include <cstddef>
#include <cstdint>

namespace nodexa {

struct MakerLanguageCode {
  uint32_t languageId;
  int32_t code;
};

extern const MakerLanguageCode kMakerLanguageCodes[];
extern const size_t kMakerLanguageCodeCount;

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_MAKER_LANGUAGE_CODES_H_
