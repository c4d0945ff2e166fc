// The user's language on the POSIX stand-in machine, steered by its facts.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_machine.h"
#include "support/language_info.h"

namespace nodexa {
namespace {

struct UserLocaleCase {
  const char* facts;
  uint16_t language;
  const char* locale;
  const char* why;
};

// One machine for all rows: the facts are read afresh on every call.
TEST(UserLocale, FollowsTheMachine) {
  const UserLocaleCase cases[] = {
      {"LanguageId=0x416\nLocaleLanguage=Pt\nLocaleCountry=bR\n", 0x416, "pt_BR",
       "the platform's names: language lower case, country upper case"},
      {"LanguageId=0x809\nLocaleLanguage=en\nLocaleCountry=GB\n", 0x809, "en_GB",
       "the platform's name wins over the table's en_UK"},
      {"LanguageId=0x809\n", 0x809, "en_UK", "no locale names: the table's code"},
      {"LanguageId=0x2409\nLocaleLanguage=en\n", 0x2409, "en_JM", "no country: the table decides"},
      {"LanguageId=0x40c\nLocaleCountry=FR\n", 0x40c, "_FR",
       "a country without a language keeps the country"},
      {"", 0x409, "en_US", "no facts at all"},
  };
  test::TestMachine machine;
  for (const UserLocaleCase& c : cases) {
    machine.SetFacts(c.facts);
    EXPECT_EQ(GetUserLanguage(), c.language) << c.why;
    EXPECT_EQ(GetUserLocale(), c.locale) << c.why;
  }
}

}  // namespace
}  // namespace nodexa
