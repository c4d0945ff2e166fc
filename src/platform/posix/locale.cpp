#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "posix_locale.h"
#include "posix_machine.h"

namespace {

constexpr LANGID kUnitedStatesEnglish = 0x409;

// The fact's number when all of it is a 16-bit number, hexadecimal after
// "0x", decimal otherwise (a leading 0 does not mean octal here).
bool ParseLanguageId(const std::string& text, LANGID& id) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(digits, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || value > 0xFFFF) return false;
  id = static_cast<LANGID>(value);
  return true;
}

}  // namespace

LANGID GetUserDefaultLangID() {
  LANGID id = kUnitedStatesEnglish;
  const std::optional<std::string> fact = nodexa::platform::MachineFact("LanguageId");
  if (fact && ParseLanguageId(*fact, id)) return id;
  return kUnitedStatesEnglish;
}

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR buffer, int size) {
  if (locale != LOCALE_USER_DEFAULT && (locale & 0xFFFF) != GetUserDefaultLangID()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char* name = nullptr;
  if (type == LOCALE_SISO639LANGNAME) {
    name = "LocaleLanguage";
  } else if (type == LOCALE_SISO3166CTRYNAME) {
    name = "LocaleCountry";
  } else {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::optional<std::string> value = nodexa::platform::MachineFact(name);
  if (!value || value->empty() || size < 0 || (size > 0 && buffer == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int needed = static_cast<int>(value->size() + 1);
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, value->c_str(), value->size() + 1);
  return needed;
}
