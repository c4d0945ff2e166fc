// The user's language from the real platform (Wine's locale in the cross
// build's tests).
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/language_info.h"

namespace nodexa {
namespace {

TEST(UserLocale, PlatformNamesLanguageAndCountry) {
  const std::string locale = GetUserLocale();
  EXPECT_TRUE(std::regex_match(locale, std::regex("[a-z]{2,3}_[A-Z]{2}"))) << locale;
}

// The platform's language name and its language identifier describe one
// language: the table's Windows code of the name is the identifier's primary
// language (or, in the rows that give one, the whole identifier).
TEST(UserLocale, NameAgreesWithLanguageIdentifier) {
  const std::string locale = GetUserLocale();
  const uint16_t language = GetUserLanguage();
  const std::string winCode = LookupLanguage(locale, 2);
  ASSERT_FALSE(winCode.empty()) << locale;
  const long code = std::stol(winCode, nullptr, 16);
  EXPECT_TRUE(code == (language & 0x3ff) || code == language)
      << locale << " " << winCode << " " << std::hex << language;
}

}  // namespace
}  // namespace nodexa
