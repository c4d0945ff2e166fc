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

void PrintTo(const UserLocaleCase& c, std::ostream* out) { *out << c.why; }

class UserLocaleTable : public ::testing::TestWithParam<UserLocaleCase> {
 protected:
  test::TestMachine machine;
};

TEST_P(UserLocaleTable, FollowsTheMachine) {
  machine.SetFacts(GetParam().facts);
  EXPECT_EQ(GetUserLanguage(), GetParam().language);
  EXPECT_EQ(GetUserLocale(), GetParam().locale);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserLocaleTable,
    ::testing::Values(
        UserLocaleCase{"LanguageId=0x409\nLocaleLanguage=en\nLocaleCountry=US\n", 0x409, "en_US",
                       "the platform names the locale"},
        UserLocaleCase{"LanguageId=0x409\nLocaleLanguage=EN\nLocaleCountry=us\n", 0x409, "en_US",
                       "language lower case, country upper case"},
        UserLocaleCase{"LanguageId=0x809\nLocaleLanguage=en\nLocaleCountry=GB\n", 0x809, "en_GB",
                       "the platform's name wins over the table's en_UK"},
        UserLocaleCase{"LanguageId=0x416\nLocaleLanguage=Pt\nLocaleCountry=bR\n", 0x416, "pt_BR",
                       "mixed case"},
        UserLocaleCase{"LanguageId=0x809\n", 0x809, "en_UK",
                       "no locale names: the table's code of the language"},
        UserLocaleCase{"LanguageId=2057\n", 0x809, "en_UK", "identifier in decimal"},
        UserLocaleCase{"LanguageId=0x2409\nLocaleLanguage=en\n", 0x2409, "en_JM",
                       "no country: the table decides"},
        UserLocaleCase{"LanguageId=0x401\nLocaleCountry=\n", 0x401, "ar_SA",
                       "an empty country counts as none"},
        UserLocaleCase{"LanguageId=0x40c\nLocaleCountry=FR\n", 0x40c, "_FR",
                       "a country without a language keeps the country"},
        UserLocaleCase{"", 0x409, "en_US", "no facts at all"},
        UserLocaleCase{"LanguageId=french\n", 0x409, "en_US", "an unreadable identifier"},
        UserLocaleCase{"LanguageId=0x10409\n", 0x409, "en_US", "wider than 16 bits"},
        UserLocaleCase{"LanguageId=0419\n", 419, "en_US", "a leading 0 is still decimal"}));

TEST(UserLocale, WithoutMachineFolderIsUnitedStatesEnglish) {
  // A machine folder first, so the test does not depend on the caller's
  // environment, then none.
  { test::TestMachine machine; }
  EXPECT_EQ(GetUserLanguage(), 0x409);
  EXPECT_EQ(GetUserLocale(), "en_US");
}

TEST(UserLocale, FactsAreReadAfreshOnEveryCall) {
  test::TestMachine machine;
  machine.SetFacts("LanguageId=0x407\n");
  EXPECT_EQ(GetUserLocale(), "de_DE");
  EXPECT_EQ(GetLanguageCode(GetUserLanguage()), 2);
  machine.SetFacts("LanguageId=0x407\nLocaleLanguage=de\nLocaleCountry=at\n");
  EXPECT_EQ(GetUserLocale(), "de_AT");
}

}  // namespace
}  // namespace nodexa
