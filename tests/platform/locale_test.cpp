// The POSIX machine's language facts behind GetUserDefaultLangID and
// GetLocaleInfoA.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

struct LanguageIdCase {
  const char* fact;
  LANGID expected;
};

void PrintTo(const LanguageIdCase& c, std::ostream* out) { *out << '"' << c.fact << '"'; }

class LanguageIdFacts : public ::testing::TestWithParam<LanguageIdCase> {
 protected:
  nodexa::test::TestMachine machine;
};

TEST_P(LanguageIdFacts, ReadsTheIdentifier) {
  machine.SetFacts(std::string("LanguageId=") + GetParam().fact + "\n");
  EXPECT_EQ(GetUserDefaultLangID(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageIdFacts,
    ::testing::Values(LanguageIdCase{"0x409", 0x409}, LanguageIdCase{"0X80A", 0x80a},
                      LanguageIdCase{"0x0c0c", 0xc0c}, LanguageIdCase{"1033", 0x409},
                      LanguageIdCase{"0409", 409}, LanguageIdCase{"0xFFFF", 0xFFFF},
                      LanguageIdCase{"65535", 0xFFFF}, LanguageIdCase{"0x10000", 0x409},
                      LanguageIdCase{"65536", 0x409}, LanguageIdCase{"0x", 0x409},
                      LanguageIdCase{"0x40g", 0x409}, LanguageIdCase{"-1", 0x409},
                      LanguageIdCase{"+1033", 0x409}, LanguageIdCase{"1033 US", 0x409},
                      LanguageIdCase{"", 0x409}, LanguageIdCase{"99999999999999999999", 0x409}));

class LocaleInfo : public ::testing::Test {
 protected:
  LocaleInfo() { machine.SetFacts("LanguageId=0x809\nLocaleLanguage=en\nLocaleCountry=GB\n"); }

  nodexa::test::TestMachine machine;
};

TEST_F(LocaleInfo, SizeQueryThenAnswer) {
  const LCID locale = MAKELCID(0x809, SORT_DEFAULT);
  EXPECT_EQ(GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, nullptr, 0), 3);
  char buffer[20] = "xxxxxxxxxxxxxxxxxxx";
  EXPECT_EQ(GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, buffer, 3), 3);
  EXPECT_STREQ(buffer, "GB");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, buffer, 20), 3);
  EXPECT_STREQ(buffer, "en");
}

TEST_F(LocaleInfo, ShortBufferFailsWith122) {
  char buffer[2] = {'x', 'x'};
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, buffer, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(buffer[0], 'x');
}

TEST_F(LocaleInfo, AnotherLanguagesLocaleIsUnknown) {
  char buffer[20] = {};
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(MAKELCID(0x407, SORT_DEFAULT), LOCALE_SISO3166CTRYNAME, buffer, 20), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(LocaleInfo, UnsupportedTypeFailsWith1004) {
  char buffer[20] = {};
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x2, buffer, 20), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST_F(LocaleInfo, MissingFactFailsLikeALocaleWithoutIt) {
  machine.SetFacts("LanguageId=0x809\nLocaleLanguage=en\n");
  char buffer[20] = {};
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, buffer, 20), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, buffer, 20), 3);
}

TEST_F(LocaleInfo, NegativeSizeOrMissingBufferFails) {
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, nullptr, 20), 0);
  char buffer[20] = {};
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, buffer, -1), 0);
}

}  // namespace
